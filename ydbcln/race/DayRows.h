// Filling a race day's venue lists from the database, for the race-card and
// the result days alike.
#ifndef YDBCLN_RACE_DAYROWS_H_
#define YDBCLN_RACE_DAYROWS_H_

#include <new>
#include <vector>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"

namespace yrace {

// Appends to lists[i], for each of the `venues`, one row per record of the
// buffer `fetch(i)` answers, made by `make(record)`. A venue without
// records keeps an empty list. Returns 0, or the status to leave when the
// day must be emptied: 1002 when a fetch fails, 1003 when a row cannot be
// made.
template <typename Fetch, typename Make>
int fill_day_rows(int venues, std::vector<YRaceList*>* lists, int record_size, Fetch fetch,
                  Make make) {
  for (int i = 0; i < venues; ++i) {
    OwnedBuffer buffer(fetch(i));
    if (buffer == nullptr) return YHorseDB::kDatabaseError;
    const int count = record_count(buffer.get(), record_size);
    try {
      lists[i].reserve(static_cast<std::size_t>(count));
      for (int j = 0; j < count; ++j) lists[i].push_back(make(record_at(buffer.get(), record_size, j)));
    } catch (const std::bad_alloc&) {
      return YHorseDB::kOutOfMemory;
    }
  }
  return 0;
}

}  // namespace yrace

#endif  // YDBCLN_RACE_DAYROWS_H_
