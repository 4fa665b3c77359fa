// CareerRuns: what a horse, jockey, trainer or sire object holds of its
// career beside its record: its runs, their totals and its check mark.
// Copying or emptying an object copies or resets this one member.
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

  // Lets go of the runs (freed when no copy holds them) and holds none;
  // the totals and the check mark stay.
  void clear() noexcept;

  // No runs, empty totals, no check mark. Never allocates.
  void reset() noexcept;

  // Holds one run per runner result record of `buffer`, a fetch's result
  // (released here), and counts them into the totals. Null: the session's
  // error 1002, no runs, the totals untouched, and -1. Else the number of
  // runs.
  int load(YHorseDB* db, void* buffer);

  // load(db, fetch()) through the session's guard: when memory runs short
  // on the way (the fetch's arguments, a run, the totals), no runs, the
  // totals emptied, the session's status 1003, and -1.
  template <typename Fetch>
  int load_guarded(YHorseDB* db, Fetch fetch) {
    return ysession::guarded(
        db, -1, [&] { return load(db, fetch()); },
        [&] {
          clear();
          totals_ = YRaceTotal();
        });
  }

  int count() const;
  // Run i, null outside 0 to count() - 1.
  YRaceHorse* at(int i) const;

  YRaceTotal* totals() { return &totals_; }

  bool checked() const { return check_; }
  // Reads the check mark of `code`, of `kind`, from the database.
  void read_check(const std::string& code, int kind);
  // set_check (`set`) and reset_check. Nothing is called when the mark
  // already says so; a negative answer of the database leaves the mark and
  // answers -1, else the mark follows and 0. Without a code (an empty
  // object), -1.
  int change_check(const std::string& code, int kind, bool set);

 private:
  std::shared_ptr<std::vector<YRaceHorse*>> runs_;  // null: no runs
  YRaceTotal totals_;
  bool check_ = false;
};

#endif  // YDBCLN_ENTITY_CAREERRUNS_H_
