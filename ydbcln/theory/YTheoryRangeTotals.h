// YTheoryRangeTotals: a theory's record over a range of run races. Each
// race the engine ran on (results only, tickets bought and checked) is
// added as an outcome: how many runners, the first runner of the final
// order and whether it won, the tickets, hits and return; the totals count
// the races, the first runner's wins, the races with a hit, the stake (100
// yen a ticket), the return and the largest payout hit. A race that could
// not be loaded, or whose pool paid nothing, is kept as skipped and counts
// in none of the totals.
//
//   YTheoryRangeTotals totals;
//   for (const std::string& code : codes) {
//     if (totals.addrace(&db, &engine, &theory, code, 0, &option) != 0) break;  // store failed
//     show(totals.last());
//   }
//   show(totals.races, totals.hitraces, totals.returnrate());
#ifndef YDBCLN_THEORY_YTHEORYRANGETOTALS_H_
#define YDBCLN_THEORY_YTHEORYRANGETOTALS_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class YCalcTheory;
class YHorseDB;
class YTheory;
class YTheoryResult;
struct YTheoryOption;

class YTheoryRangeTotals {
 public:
  // Yen staked on one ticket.
  static constexpr int kStake = 100;

  // Why a race is not counted.
  enum Skip {
    kCounted = 0,
    kNotLoaded,    // the engine could not load it as a run race
    kNothingPaid,  // its pool of the bet type paid nothing: no ticket can be checked
  };

  // What one race came to.
  struct Outcome {
    std::string code;
    Skip skip = kCounted;
    int runners = 0;
    int first = 0;      // horse number of the first runner of the final order
    bool won = false;   // that runner won (a dead heat counts)
    int tickets = 0;
    int hits = 0;
    long long returned = 0;  // yen
    int largest = 0;         // the largest payout hit, yen
    long long stake() const { return static_cast<long long>(tickets) * kStake; }
  };

  // Runs `theory` on the run race `code` with `engine` (results only),
  // buys tickets of `bettype` by `option`, checks them and adds the race.
  // -1, adding nothing, when the race cannot be loaded because the store
  // (of the session `db`) failed; 0 otherwise, the race counted or skipped.
  int addrace(YHorseDB* db, YCalcTheory* engine, YTheory* theory, const std::string& code,
              int bettype, YTheoryOption* option);
  // Adds the races `codes` (12-digit codes) as addrace does, one after
  // another, with the engine evaluating them as one range (see
  // YCalcTheory::beginrange: each person's, sire's and course's runs read
  // once for all of them). After each race added, `added(index)` is told
  // (it may be empty); returning false stops there. 0 when every race was
  // added or `added` stopped, -1 when the store failed on the race after
  // the last one `added` was told of.
  int addraces(YHorseDB* db, YCalcTheory* engine, YTheory* theory,
               const std::vector<std::string>& codes, int bettype, YTheoryOption* option,
               const std::function<bool(std::size_t index)>& added);
  // Adds the race of a result the engine computed, with tickets bought
  // and, when `paid`, checked.
  const Outcome& add(const YTheoryResult& result, bool paid);
  // Adds a race that could not be loaded.
  const Outcome& addskipped(const std::string& code);
  // The outcome last added; an empty outcome before any.
  const Outcome& last() const { return last_; }

  // Percentages of the counted races (0 when none) and of the stake (0
  // when nothing was staked).
  double firstwinrate() const;
  double hitrate() const;
  double returnrate() const;

  int races = 0;       // counted
  int skipped = 0;     // not counted
  int firstwins = 0;   // the first runner of the final order won
  int hitraces = 0;    // at least one ticket hit
  long long stake = 0;     // yen
  long long returned = 0;  // yen
  int largest = 0;         // the largest payout hit, yen

 private:
  const Outcome& keep(const Outcome& outcome);

  Outcome last_;
};

#endif  // YDBCLN_THEORY_YTHEORYRANGETOTALS_H_
