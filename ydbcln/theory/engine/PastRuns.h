// The past-run tables of the race the theory engine judges: each runner's
// own runs, its jockey's rides, its trainer's runners and its sire's
// offspring's runs, with the race's distinct trainers and sires.
//
// A table is fetched when a factor first asks for it, for the period that
// factor asks for, and kept while later factors ask for no longer a period
// (each factor counts only the runs of its own period), so ranking many
// factors over one race fetches each table about once. Clear() drops them
// all; a new race needs it.
//
// With a RangeRuns (range evaluation), the tables of a race inside its
// dates are views into the runs it read once for the whole range: no fetch
// and no copy per race. A table holds runs in date order either way; a
// view may end at the race date and begin before the period, which the
// factors' walk over the runs takes care of.
#ifndef YDBCLN_THEORY_ENGINE_PASTRUNS_H_
#define YDBCLN_THEORY_ENGINE_PASTRUNS_H_

#include <string>
#include <vector>

#include "ydbcln/theory/YTheoryHorseRaceHorse.h"
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"
#include "ydbcln/theory/YTheorySireRaceHorse.h"
#include "ydbcln/theory/YTheoryStableRaceHorse.h"
#include "ydbcln/theory/engine/FactorDefinition.h"
#include "ydbcln/theory/engine/Race.h"
#include "ydbcln/theory/engine/RunSplits.h"

namespace ytheory {

class RangeRuns;

// Runs in date order, not owned. A view into a jockey's, trainer's or
// sire's runs of a range also reaches all the runs kept for the subject,
// first to `kept` (past `last`: runs of later races of the range), and
// their splits (RunSplits), made from those.
template <class Row>
struct Rows {
  const Row* first = nullptr;
  const Row* last = nullptr;
  const Row* kept = nullptr;
  RunSplits* splits = nullptr;  // null: none kept
  const Row* begin() const { return first; }
  const Row* end() const { return last; }
  std::size_t size() const { return static_cast<std::size_t>(last - first); }
};

// The view of a whole vector.
template <class Row>
Rows<Row> RowsOf(const std::vector<Row>& rows) {
  return {rows.data(), rows.data() + rows.size()};
}

class PastRuns {
 public:
  PastRuns();
  PastRuns(const PastRuns& other);
  PastRuns& operator=(const PastRuns& other);

  // Makes sure `table` holds the runs of a period of at least `months`
  // before the race date (the horse table holds every run), fetching it
  // from the session (not owned; may be null) when it does not. A fetch the
  // store cannot answer sets status 1002 and leaves that subject's rows
  // empty. The sire table also gives each runner of `race` its sire key
  // and, unless `keepnames`, its sire's name.
  void Fill(YHorseDB* db, Table table, int months, Race* race, bool keepnames = false);
  bool filled(Table table) const { return filled_[static_cast<int>(table)]; }
  // Drops every table.
  void Clear();
  // Reads the tables of a race `range` covers from it from now on (not
  // owned; null reads every race's tables by itself again). Clears.
  void UseRange(RangeRuns* range);

  // Rows by runner slot (horse, jockey) or by distinct trainer or sire.
  Rows<YTheoryHorseRaceHorse> horse[kMaxRunners];
  Rows<YTheoryJockeyRaceHorse> jockey[kMaxRunners];
  Rows<YTheoryStableRaceHorse> stable[kMaxRunners];
  Rows<YTheorySireRaceHorse> sire[kMaxRunners];

  // The distinct trainers and sires of the race in order of first
  // appearance, and each runner's index into them (-1 none).
  std::vector<std::string> trainers;
  std::vector<std::string> sires;
  int trainerof[kMaxRunners];
  int sireof[kMaxRunners];

 private:
  void FillHorse(YHorseDB* db, const Race& race);
  void FillJockey(YHorseDB* db, int months, const Race& race);
  void FillStable(YHorseDB* db, int months, const Race& race);
  void FillSire(YHorseDB* db, int months, Race* race, bool keepnames);
  void FillFromRange(YHorseDB* db, Table table, int months, Race* race, bool keepnames);
  void DistinctTrainers(const Race& race);
  // Points the views of the tables read by this object at its own rows.
  void PointAtOwnRows();

  bool filled_[4] = {};
  bool ranged_[4] = {};  // the table's views point into range_
  int months_[4] = {};   // the period each filled table covers
  RangeRuns* range_ = nullptr;

  // The rows of the tables read race by race.
  std::vector<YTheoryHorseRaceHorse> ownhorse_[kMaxRunners];
  std::vector<YTheoryJockeyRaceHorse> ownjockey_[kMaxRunners];
  std::vector<YTheoryStableRaceHorse> ownstable_[kMaxRunners];
  std::vector<YTheorySireRaceHorse> ownsire_[kMaxRunners];
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_PASTRUNS_H_
