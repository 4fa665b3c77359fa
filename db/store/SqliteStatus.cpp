// SQLite's result codes as statuses.
#include "db/store/SqliteStatus.h"

#include <sqlite3.h>

#include <utility>

namespace ydb {

Status SqliteStatus(int rc, std::string message) {
  switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return Status::Ok();
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Status::Busy(std::move(message));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return Status::Corruption(std::move(message));
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG: return Status::InvalidArgument(std::move(message));
    default: return Status::IOError(std::move(message));
  }
}

}  // namespace ydb
