// The evaluator: the reusable core of the theory engine. It loads a race
// once, then ranks its runners on any factor at any parameters, alone,
// reading the race's past-run tables, which it fetches as factors ask for
// them and keeps for the next (see PastRuns). YCalcTheory's exec and
// allrank are made of it; the optimiser ranks its 790 candidate items a
// race with one Load and one RankItems.
//
//   ytheory::Evaluator evaluator(&db);
//   bool cardflag = false;
//   if (evaluator.Load("052024010611", cardflag, 0, nullptr) == 0) {
//     int rank[ytheory::kMaxRunners] = {};
//     evaluator.Rank(24, 0, 12, rank, nullptr);  // 騎手勝率 over 12 months
//   }
//
// Ranks follow one rule (RankRule): a runner without data, or marked 消,
// has rank 0; the others 1 + the number of runners with a strictly better
// value, so equal values share a rank.
#ifndef YDBCLN_THEORY_ENGINE_EVALUATOR_H_
#define YDBCLN_THEORY_ENGINE_EVALUATOR_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/engine/FactorRegistry.h"
#include "ydbcln/theory/engine/PastRuns.h"
#include "ydbcln/theory/engine/Race.h"
#include "ydbcln/theory/engine/RangeRaces.h"
#include "ydbcln/theory/engine/RangeRuns.h"

class YHorseDB;
class YTheoryResult;

namespace ytheory {

// Where a factor's display goes: item `item` of a theory result.
struct Display {
  YTheoryResult* result;
  int item;
};

// Runners per row of a table of ranks.
constexpr int kRankRow = 18;

// Tenths of a second as the display number M SS T (834 gives 1234).
int SecondsToTime(int tenths);

// The order a list of items is evaluated in: category ascending and,
// within a category, the second parameter descending, so that the first
// item of a category fetches its table for the longest period any of its
// items asks for.
std::vector<int> ItemOrder(const _tagTHITEM* items, int count);

class Evaluator {
 public:
  // An evaluator on the session (not owned; may be null in tests of the
  // rank rule), with no race.
  explicit Evaluator(YHorseDB* db);

  // Loads a race as Race::Load does, dropping the previous race's tables.
  int Load(const std::string& code, bool& cardflag, int nomination, tagYCalcInfo* info);
  // Loads the run race `code` from the range's records (RangeRaces) when
  // the range holds it, for ranking without display texts: its runners
  // have no names. 0; -1, nothing loaded, when the range does not hold
  // the race or its records do not make a race (Load it then).
  int LoadFromRange(const std::string& code, int nomination, tagYCalcInfo* info);

  // Ranks the runners of the loaded race on factor `code` at parameters
  // p1 and p2 (a parameter the factor has not is taken as 0) into rank[i]
  // for runner slot i; with a display, also writes the factor's columns
  // there. A code outside the registry ranks nobody and leaves rank alone.
  void Rank(int code, int p1, int p2, int* rank, const Display* display);

  // Ranks the runners on each of `count` items alone, at its own
  // parameters, in ItemOrder: rows[i][r] is runner r's rank on items[i]
  // (its low byte), 0xFF past the last runner. The race has at most
  // kRankRow runners.
  void RankItems(const _tagTHITEM* items, int count, unsigned char (*rows)[kRankRow]);

  // Range evaluation: the races `range` covers read their past runs and
  // course results from it (see RangeRuns), and LoadFromRange reads races
  // from `races` (may be null); null reads each race's by itself again.
  // Copies of the evaluator share the range.
  void UseRange(std::shared_ptr<RangeRuns> range, std::shared_ptr<RangeRaces> races = nullptr);

  // Drops the past-run tables (the race stays loaded).
  void ForgetTables() { runs_.Clear(); }
  // Fills a past-run table for a period of `months` (see PastRuns::Fill).
  void FillTable(Table table, int months, bool keepnames = false);

  // The rank rule over the first n runner slots; `valid[i]` false means no
  // data. Values that differ only by floating-point rounding are equal.
  void RankRule(int n, bool larger, const bool* valid, const double* value, int* rank) const;

  Race& race() { return race_; }
  const Race& race() const { return race_; }

  // --- The computations the registry's rows name --------------------------
  // A factor that counts past runs by its FactorDefinition.
  void RankByRule(const Factor& factor, int p1, int p2, int* rank, const Display* display);
  // The course draw: places by horse number over today's course.
  void RankCourseDraw(const Factor& factor, int p1, int p2, int* rank, const Display* display);
  // The card's prediction marks, training marks, and the forecast win odds.
  void RankPredictionMark(const Factor& factor, int p1, int p2, int* rank, const Display* display);
  void RankTrainingMark(const Factor& factor, int p1, int p2, int* rank, const Display* display);
  void RankForecastOdds(const Factor& factor, int p1, int p2, int* rank, const Display* display);

 private:
  // Writes `columns` headings and, per runner, that many texts.
  void WriteDisplay(const Display& display, int columns, const std::string* headings,
                    const Texts* texts) const;
  // The name of runner i's trainer or sire, for the first column of the
  // trainer and sire factors.
  const std::string& SubjectName(const FactorDefinition& factor, int i) const;

  // The course results of the period of `months` before the race date:
  // from the range when it covers the race, else fetched into `fetched`.
  // False when the store did not answer.
  bool CourseRuns(int months, std::vector<CourseRun>* fetched, Rows<CourseRun>* runs);

  YHorseDB* db_;
  Race race_;
  PastRuns runs_;
  std::shared_ptr<RangeRuns> range_;
  std::shared_ptr<RangeRaces> races_;
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_EVALUATOR_H_
