// SQLite's result codes as statuses: a locked store is busy, a damaged file
// is corrupt, a broken constraint is a bad argument, the rest is I/O.
#ifndef YDB_STORE_SQLITESTATUS_H_
#define YDB_STORE_SQLITESTATUS_H_

#include <string>

#include "db/base/Status.h"

namespace ydb {

// The status of SQLite result code `rc` (primary or extended), failing
// with `message`; ok for SQLITE_OK, SQLITE_ROW and SQLITE_DONE.
Status SqliteStatus(int rc, std::string message);

}  // namespace ydb

#endif  // YDB_STORE_SQLITESTATUS_H_
