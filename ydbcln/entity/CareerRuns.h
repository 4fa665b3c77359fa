// CareerRuns: the runs a horse, jockey, trainer or sire object holds, with
// the check-mark calls those objects share.
//
// Copies of an object share its runs: the run objects are freed by the
// last holder. Loading replaces the holder's own list with a new one, so a
// copy that loads again leaves the runs its original holds as they were.
// Letting go of the runs never allocates, so it may undo a load that ran
// out of memory.
#ifndef YDBCLN_ENTITY_CAREERRUNS_H_
#define YDBCLN_ENTITY_CAREERRUNS_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/session/OutOfMemory.h"

class YHorseDB;
class YRaceHorse;

class CareerRuns {
 public:
  CareerRuns();

  // Lets go of the runs (freed when no copy holds them) and holds none.
  void clear() noexcept;

  // Holds one run per runner result record of `buffer`, a fetch's result
  // (released here), and counts them into *totals. Null: the session's
  // error 1002, no runs, *totals untouched, and -1. Else the number of runs.
  int load(YHorseDB* db, void* buffer, YRaceTotal* totals);

  // load(db, fetch(), totals) through the session's guard: when memory runs
  // short on the way (the fetch's arguments, a run, the totals), no runs,
  // *totals emptied, the session's status 1003, and -1.
  template <typename Fetch>
  int load_guarded(YHorseDB* db, Fetch fetch, YRaceTotal* totals) {
    return ysession::guarded(
        db, -1, [&] { return load(db, fetch(), totals); },
        [&] {
          clear();
          *totals = YRaceTotal();
        });
  }

  int count() const;
  // Run i, null outside 0 to count() - 1.
  YRaceHorse* at(int i) const;

 private:
  std::shared_ptr<std::vector<YRaceHorse*>> runs_;  // null: no runs
};

// The check-mark changes of the full objects: set_check (`set`) and
// reset_check. Nothing is called when *flag already says so; a negative
// answer of the database leaves *flag and answers -1, else *flag follows and
// 0. An object without a code (empty) answers -1.
int ChangeCheck(const std::string& code, int kind, bool set, bool* flag);

// Whether the code's check mark of `kind` is set.
bool ReadCheck(const std::string& code, int kind);

#endif  // YDBCLN_ENTITY_CAREERRUNS_H_
