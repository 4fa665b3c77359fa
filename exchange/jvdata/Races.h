// The race records of JV-Data and the data model: the race details (RA),
// a horse in a race (SE), the payouts (HR) and the odds (O1-O3), each
// written from the model and read back into it. A race is its RA, an SE
// for each runner, an HR once it has been run and its odds records; the
// importer puts them together by the race they name.
//
// What the records carry comes back as written. What they do not carry:
// the race's supplementary conditions, weight rules, race symbol, forecast
// times, pace, reference times, comment, the first 1000 m, corners past the
// fourth or other than corners 1-4 and their qualifiers (a passing order is
// cut to 70 bytes); a runner's post number, prediction and training marks,
// comment, straight path, first 600 m, speed index and the 40 marking a lost
// place at a corner; weather 風; a class of no JRA condition code; forecast
// odds (予想オッズ), a pool of odds not on sale, odds past their field's
// width. Codes JRA
// has one for several of ours read back as the first (JraCodes.h): 落馬
// comes back as 競走中止, the jump ages 障害３歳上 as a jump race, the ages
// as counted before 2001 as today's.
#ifndef YDB_EXCHANGE_JVDATA_RACES_H_
#define YDB_EXCHANGE_JVDATA_RACES_H_

#include <string>
#include <string_view>
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

// The data stage of a race called off (レース中止).
constexpr char kCancelledStage = '9';

// Whether `race` was called off: stored as run, without payouts, every
// runner 出走取消 (CancelledRun).
bool Cancelled(const ydb::Race& race);

// The result of each runner of a race called off: 出走取消, unplaced.
ydb::RunnerResult CancelledRun();

// The data stage of a race's records: 9 for a race called off, 7 (results)
// for a run race, 2 (the card) for the others.
char StageOf(const ydb::Race& race);

// Whether records of data stage `stage` carry results: the results as they
// come in (3-7) and local and overseas races (A, B).
bool CarriesResults(char stage);

// A race's odds of one record type (O1 win, place and bracket quinella; O2
// quinella; O3 wide): the odds before the result (data stages 1 and 2) or
// the final odds (3 to 5).
struct RaceOdds {
  RaceId race;
  bool final = false;
  int announced = 0;  // HHMM; 0 when not known
  std::vector<ydb::OddsEntry> entries;
};

// The kind of the odds before the result that the records carry: our
// 前売りオッズ (advance sale); 予想オッズ, a forecast, is not JRA's.
constexpr const char* kAdvanceSaleKind = "1";

// The data stages of odds records as written: advance-sale odds at 1
// (中間オッズ), final odds at 4 (確定オッズ).
constexpr char kSaleOddsStage = '1';
constexpr char kFinalOddsStage = '4';

// Whether odds records of data stage `stage` carry final odds.
bool FinalOdds(char stage);

// The records of a race made on `created` (YYYYMMDD), CR LF included. The
// HR of a race not run, or run without payouts, is the empty string.
std::string RaceRecord(const ydb::Race& race, int created);
std::string RunnerRecord(const RaceRunner& runner, char stage, int created);
std::string PayoutRecord(const ydb::Race& race, int created);
// The odds record `type` ("O1", "O2", "O3") of a set of odds of a race of
// `runners` runners; the empty string when the set holds none of the
// type's pools. A pool of no odds at all is written as not on sale; odds
// past a field's width as its largest (9999 is 999.9 and over).
std::string OddsRecord(std::string_view type, const RaceId& race, int runners,
                       const ydb::OddsSet& set, bool final, int created);

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
// The race a race record names (RA, SE, HR, O1-O3) and, for an SE, the
// horse number (0 for the others): all a deletion record is read for.
ydb::Status ReadRecordKey(const Record& record, RaceId* race, int* horse_no);
// An odds record (O1-O3): the pools on sale, each combination with odds or
// a mark ("----" and "****" a scratched horse, "/"; "0000" no votes, "*");
// a pool not on sale is not read.
ydb::Status ReadOdds(const Record& record, int form, RaceOdds* out);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RACES_H_
