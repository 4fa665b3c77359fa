// Reading the one record of a horse, person or sire by its code (or taking
// a search row's), the first step of each entity's constructor, through
// the session's guard against memory running short.
#ifndef YDBCLN_ENTITY_FETCHRECORD_H_
#define YDBCLN_ENTITY_FETCHRECORD_H_

#include <string>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace yentity {

// Fetches the record of `code` with `fetch` (records of `size` bytes) and
// hands it to `take`. A code not `width` characters long is not looked up
// and leaves status 0; a session not initialised leaves 1001, a store that
// fails 1002; an unknown code leaves the object empty without an error.
// When memory runs short, `empty` empties the object again (it must not
// allocate) and the status is 1003.
template <typename Record, typename Take, typename Empty>
void fetch_record(YHorseDB* db, const std::string& code, int width, int size,
                  void* (*fetch)(const char*), Take take, Empty empty) {
  if (db == nullptr) return;
  db->clearerror();
  if (code.size() != static_cast<std::size_t>(width) || !ysession::ready(db)) return;
  ysession::guarded(
      db, 0,
      [&] {
        yrace::OwnedBuffer buffer(fetch(code.c_str()));
        if (buffer == nullptr) {
          db->seterror(YHorseDB::kDatabaseError, "", 0);
        } else if (get_rec_size(buffer.get()) == 1 &&
                   yrace::record_count(buffer.get(), size) == 1) {
          take(static_cast<const Record*>(buffer.get()));
        }
        return 0;
      },
      empty);
}

// Hands a search row's `record` (null: nothing) to `take` through the same
// guard.
template <typename Record, typename Take, typename Empty>
void take_record(YHorseDB* db, const Record* record, Take take, Empty empty) {
  if (record == nullptr) return;
  ysession::guarded(
      db, 0,
      [&] {
        take(record);
        return 0;
      },
      empty);
}

}  // namespace yentity

#endif  // YDBCLN_ENTITY_FETCHRECORD_H_
