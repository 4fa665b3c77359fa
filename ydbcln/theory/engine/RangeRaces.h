// The records of the run races of a range, read a month at a time: each
// race's results record, its runners' entries, its payouts and its
// forecast win odds, so that a season evaluated race by race does not
// fetch them one race at a time. The first race asked for of a month reads
// that month's races (within the range) with one fetch each for the
// results, the entries, the payouts and the forecast odds
// (get_race2date_range and its fellows); the month before is
// dropped. Races are asked for in date order, as a range is evaluated; a
// race of a month already dropped reads its month again.
//
//   ytheory::RangeRaces races(20240101, 20241231);
//   const ytheory::RangeRaces::Records* r = races.Find("052024010611");
//   if (r != nullptr) use(r->race, r->runners, r->runnercount, r->payouts);
//
// The runner records are entries (see get_raceh2date_range): the codes,
// numbers, weight and marks the factors read, no names.
#ifndef YDBCLN_THEORY_ENGINE_RANGERACES_H_
#define YDBCLN_THEORY_ENGINE_RANGERACES_H_

#include <string>
#include <vector>

#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YHaitoInfo.h"

namespace ytheory {

class RangeRaces {
 public:
  // What the range holds of one run race; the records are the range's and
  // live until the next Find of another month.
  struct Records {
    long long order = 0;                // date, racecourse, race number as one number
    _tagRACERMREC* race = nullptr;      // the results record
    unsigned char* runners = nullptr;   // runner entry records (RUNNERENTRYREC)
    int runnercount = 0;
    YHaitoInfo payouts;                 // from the payout record, else the results record
    const unsigned char* forecast = nullptr;  // int32 forecast win odds by horse number - 1
    int forecastcount = 0;                    // 0: the race had no odds before it

    // The forecast win odds of the first `n` horse numbers, as
    // get_yodds_tan2code gives them, into odds[0..n-1]; kNoOdds for those
    // beyond the race's odds.
    void forecastodds(int n, int* odds) const;
  };

  // Races dated `first` to `last` (YYYYMMDD).
  RangeRaces(int first, int last);

  // The records of the run race `code` (12 digits). Null for a race
  // outside the range, one not run, or when the store did not answer
  // (the race is then to be read by itself).
  const Records* Find(const std::string& code);

 private:
  // Reads the races of the month of `date` within the range. False when
  // the store did not answer.
  bool ReadMonth(int date);

  int first_;
  int last_;
  int month_ = 0;  // YYYYMM of the month held; 0 none
  yrace::OwnedBuffer races_;
  yrace::OwnedBuffer runners_;
  yrace::OwnedBuffer payouts_;
  yrace::OwnedBuffer forecasts_;
  std::vector<Records> records_;  // in race order, as the results records
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_RANGERACES_H_
