// The user's own data (check marks, committed tickets) is written with
// synchronous = FULL, so that a change reported done survives a crash of
// the process or the machine; bulk loads keep the store's NORMAL.
#ifndef YDB_API_DURABLECHANGE_H_
#define YDB_API_DURABLECHANGE_H_

#include "db/base/Status.h"
#include "db/store/Database.h"
#include "db/write/Writer.h"

namespace ydb {

// Runs `change(Writer&)`, one transaction of the writer, with
// synchronous = FULL, and sets the store back to NORMAL after it.
template <typename Change>
Status Durably(Database& db, Change&& change) {
  Status s = db.exec("PRAGMA synchronous = FULL");
  if (!s.ok()) return s;
  Writer writer(db);
  s = change(writer);
  const Status back = db.exec("PRAGMA synchronous = NORMAL");
  return s.ok() ? back : s;
}

}  // namespace ydb

#endif  // YDB_API_DURABLECHANGE_H_
