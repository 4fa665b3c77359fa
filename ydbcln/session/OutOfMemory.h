// The library's rule for memory that runs short: no std::bad_alloc leaves
// a public operation. An operation runs its body through `guarded`; when an
// allocation fails, `undo` puts the object back in its empty state (undo
// must not allocate), the session's status becomes 1003, and the operation
// answers `failed`.
#ifndef YDBCLN_SESSION_OUTOFMEMORY_H_
#define YDBCLN_SESSION_OUTOFMEMORY_H_

#include <new>

#include "ydbcln/session/YHorseDB.h"

namespace ysession {

template <typename Result, typename Body, typename Undo>
Result guarded(YHorseDB* db, Result failed, Body body, Undo undo) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    undo();
    if (db != nullptr) db->seterror(YHorseDB::kOutOfMemory, "", 0);
    return failed;
  }
}

}  // namespace ysession

#endif  // YDBCLN_SESSION_OUTOFMEMORY_H_
