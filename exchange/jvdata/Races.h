// The race records of JV-Data and the data model: the race details (RA),
// a horse in a race (SE) and the payouts (HR), each written from the model
// and read back into it. A race is three kinds of record: its RA, an SE
// for each runner, and an HR once it has been run; the importer puts them
// together by the race they name.
//
// What the records carry comes back as written. What they do not carry:
// the race's supplementary conditions, weight rules, race symbol, forecast
// times, pace, reference times, comment, the first 1000 m, corners past the
// fourth or other than corners 1-4 and their qualifiers (a passing order is
// cut to 70 bytes); a runner's post number, prediction and training marks,
// comment, straight path, first 600 m, speed index and the 40 marking a lost
// place at a corner; weather 風; a class of no JRA condition code. Codes JRA
// has one for several of ours read back as the first (JraCodes.h): 落馬
// comes back as 競走中止, the jump ages 障害３歳上 as a jump race, the ages
// as counted before 2001 as today's.
#ifndef YDB_EXCHANGE_JVDATA_RACES_H_
#define YDB_EXCHANGE_JVDATA_RACES_H_

#include <string>
#include <vector>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "exchange/jvdata/Record.h"

namespace exchange {
namespace jvdata {

// The race a record is about, as every race record opens with it.
struct RaceId {
  ydb::RaceKey key;
  int kai = 0;
  int kai_day = 0;
};

// A runner as its SE record tells it: the race, the run, and what the
// record says of the horse (code, name, sex, breed, coat, mark, trainer,
// owner) and of the people with it.
struct RaceRunner {
  RaceId race;
  ydb::Runner runner;
  ydb::Horse horse;
  std::string jockey_name;   // the jockey's short name, 8 bytes
  std::string trainer_name;  // the trainer's short name, 8 bytes
  std::string owner_name;    // 64 bytes
};

// The data stage of a race's records: 7 (results) for a run race, 2 (the
// card) for the others.
char StageOf(const ydb::Race& race);

// Whether records of data stage `stage` carry results: the results as they
// come in (3-7) and local and overseas races (A, B).
bool CarriesResults(char stage);

// The records of a race made on `created` (YYYYMMDD), CR LF included. The
// HR of a race not run, or run without payouts, is the empty string.
std::string RaceRecord(const ydb::Race& race, int created);
std::string RunnerRecord(const RaceRunner& runner, int created);
std::string PayoutRecord(const ydb::Race& race, int created);

// A record of form `form` (FormOf) read into *out. A race read from its RA
// has no runners; it has a result, with its laps, sectional times and
// corners, when its stage carries results (CarriesResults), and so does a
// runner read from its SE. Refused, naming the field and its value: digits
// that are not digits, a text that is not Shift_JIS, a code its table
// lacks (a place, an age condition, a class, a track, a sex, a horse code
// that is not a 10-digit code of register 1). The SE of the form before
// 2003 is refused as not supported. The writer checks the rest.
ydb::Status ReadRace(const Record& record, int form, ydb::Race* out);
ydb::Status ReadRunner(const Record& record, int form, RaceRunner* out);
ydb::Status ReadPayouts(const Record& record, int form, RaceId* race,
                        std::vector<ydb::Payout>* out);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RACES_H_
