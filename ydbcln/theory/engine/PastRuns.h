// The past-run tables of the race the theory engine judges: each runner's
// own runs, its jockey's rides, its trainer's runners and its sire's
// offspring's runs, with the race's distinct trainers and sires.
//
// A table is fetched when a factor first asks for it, for the period that
// factor asks for, and kept while later factors ask for no longer a period
// (each factor counts only the runs of its own period), so ranking many
// factors over one race fetches each table about once. Clear() drops them
// all; a new race needs it.
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

namespace ytheory {

class PastRuns {
 public:
  PastRuns();

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

  // Rows by runner slot (horse, jockey) or by distinct trainer or sire.
  std::vector<YTheoryHorseRaceHorse> horse[kMaxRunners];
  std::vector<YTheoryJockeyRaceHorse> jockey[kMaxRunners];
  std::vector<YTheoryStableRaceHorse> stable[kMaxRunners];
  std::vector<YTheorySireRaceHorse> sire[kMaxRunners];

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

  bool filled_[4] = {};
  int months_[4] = {};  // the period each filled table covers
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_PASTRUNS_H_
