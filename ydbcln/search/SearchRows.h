// What the searches share: the rows of a result buffer, one row object per
// record, built in buffer order, the buffer kept as the search's results;
// and the held command, combined with another.
#ifndef YDBCLN_SEARCH_SEARCHROWS_H_
#define YDBCLN_SEARCH_SEARCHROWS_H_

#include <memory>
#include <new>
#include <vector>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"

namespace ysearch {

// Takes `records` (records of `size` bytes, from a library call) as the new
// results: replaces `*results` (releasing the old buffer) and `*rows`, one
// Row(db, Record*) per record. Returns the count; a null buffer leaves 1002
// and -1, rows that cannot be allocated 1003 and -1, both with no rows and
// no results; no records, 0 and no results.
template <typename Row, typename Record>
int take_rows(YHorseDB* db, void* records, int size, void** results,
              std::vector<std::unique_ptr<Row>>* rows) {
  rows->clear();
  release_data(*results);
  *results = nullptr;
  if (records == nullptr) {
    if (db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int n = yrace::record_count(records, size);
  if (n == 0) {
    release_data(records);
    return 0;
  }
  try {
    rows->reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      rows->push_back(std::make_unique<Row>(
          db, reinterpret_cast<Record*>(yrace::record_at(records, size, i))));
    }
  } catch (const std::bad_alloc&) {
    rows->clear();
    release_data(records);
    if (db != nullptr) db->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  *results = records;
  return n;
}

// Adds the command `cmd` to `*held` (both must hold) with add_cmd; with
// none held, holds a copy of it. A combination the library refuses keeps
// the held command.
inline void add_command(const void* cmd, void** held) {
  if (cmd == nullptr) return;
  void* combined = *held == nullptr ? dup_data(cmd) : add_cmd(*held, cmd);
  if (combined == nullptr) return;
  release_data(*held);
  *held = combined;
}

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_SEARCHROWS_H_
