// The past runs of a range of races, read once: range evaluation. Running a
// theory over a season race by race fetches each jockey's twelve months of
// rides once per runner of every race; here each jockey's, trainer's and
// sire's runs and each course's results are read the first time a race of
// the range asks for them, for the whole range plus the longest period
// asked for, the runs and sires of all the range's horses with one fetch
// each, and every later race of the range sees a view of them that ends
// before its date (PastRuns). A jockey's, trainer's or sire's runs are
// also split by the conditions of the factors that count them (RunSplits),
// so a race's tally is a few binary searches.
//
//   auto range = std::make_shared<ytheory::RangeRuns>(20240101, 20241231);
//   range->Cover(theory.record()->item, theory.record()->count);
//   evaluator.UseRange(range);
//   for (const std::string& code : codes) { evaluator.Load(code, ...); ... }
//
// A period asked for beyond the one covered widens it: that table's runs
// are read again, once. A race dated outside first..last is not covered
// and reads its tables by itself.
#ifndef YDBCLN_THEORY_ENGINE_RANGERUNS_H_
#define YDBCLN_THEORY_ENGINE_RANGERUNS_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YTheoryHorseRaceHorse.h"
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"
#include "ydbcln/theory/YTheorySireRaceHorse.h"
#include "ydbcln/theory/YTheoryStableRaceHorse.h"
#include "ydbcln/theory/engine/FactorDefinition.h"
#include "ydbcln/theory/engine/PastRuns.h"
#include "ydbcln/theory/engine/RunSplits.h"

namespace ytheory {

// A horse's sire as the engine keeps it.
struct SireOfHorse {
  bool known = false;  // the store gave exactly one sire record
  char key[7] = {};
  std::string name;    // trailing blanks removed
};

// One run over a course: what the course draw counts.
struct CourseRun {
  int date;
  int number;    // horse number
  int position;  // 0 not placed
};

class RangeRuns {
 public:
  // Races dated `first` to `last` (YYYYMMDD).
  RangeRuns(int first, int last);

  bool Covers(int date) const { return date >= first_ && date <= last_; }

  // Makes the runs read for `table` (CoverCourse: the results over a
  // course) reach `months` before the first race of the range.
  void Cover(Table table, int months);
  void CoverCourse(int months);
  // Covers the periods the `count` items ask for (a theory's, or an
  // optimiser's candidates): each table the longest of its items'.
  void Cover(const _tagTHITEM* items, int count);
  int months(Table table) const { return months_[static_cast<int>(table)]; }

  // The runs of a horse (all of them), jockey, trainer or sire (code of 7,
  // 5, 5 or 7 digits) dated before `date`, from the start of the covered
  // period. False when the store did not answer: no runs then, and they
  // are asked for again by the next race.
  bool Horse(const std::string& code, int date, Rows<YTheoryHorseRaceHorse>* out);
  bool Jockey(const std::string& code, int date, Rows<YTheoryJockeyRaceHorse>* out);
  bool Stable(const std::string& code, int date, Rows<YTheoryStableRaceHorse>* out);
  bool Sire(const std::string& code, int date, Rows<YTheorySireRaceHorse>* out);
  // The sire of a horse. False when the store did not answer.
  bool SireOf(const std::string& horse, const SireOfHorse** out);
  // The results over a course (racecourse, surface character, distance)
  // dated before `date` and not before `from`. False when the store did
  // not answer.
  bool Course(int racecourse, int surface, int distance, int from, int date,
              Rows<CourseRun>* out);

 private:
  // A subject's runs and the splits of them its factors made (see Rows).
  template <class Row>
  struct Subject {
    std::vector<Row> rows;
    RunSplits splits;
  };
  template <class Row>
  using Runs = std::unordered_map<std::string, Subject<Row>>;
  // The runs of `code` in `runs`, read with `fetch` (giving a record
  // buffer) when not yet read, up to `date`.
  template <class Row, class Fetch>
  static bool View(Runs<Row>* runs, const std::string& code, int date, const Fetch& fetch,
                   Rows<Row>* out);
  // The runs and the sires of every horse entered in the range's races,
  // each read with one fetch when the first horse is asked for; a horse
  // that fetch did not give (or all, when it failed) is read by itself.
  void ReadHorses();
  void ReadSires();
  // The first day read for a period of `months` before the first race.
  int Start(int months) const;

  int first_;
  int last_;
  int months_[4] = {};
  int coursemonths_ = 0;
  Runs<YTheoryHorseRaceHorse> horse_;
  Runs<YTheoryJockeyRaceHorse> jockey_;
  Runs<YTheoryStableRaceHorse> stable_;
  Runs<YTheorySireRaceHorse> sire_;
  std::unordered_map<std::string, SireOfHorse> sireof_;
  bool horsesread_ = false;
  bool siresread_ = false;
  std::unordered_map<std::string, std::vector<CourseRun>> course_;
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_RANGERUNS_H_
