// Writing one consistent state of a store into a directory: what both
// exporters share. The directory is made when missing, and the store is
// read inside one transaction, so that writers wait until the export ends
// and the files never mix two states.
#ifndef YDB_EXCHANGE_SNAPSHOT_H_
#define YDB_EXCHANGE_SNAPSHOT_H_

#include <functional>
#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace exchange {

// Makes `dir` and runs `write` on a snapshot of `db`. `what` names the
// export in every message ("export to DIR"): a failure of `write` comes
// back within it, and an exception as the export abandoned.
ydb::Status WriteSnapshot(ydb::Database& db, const std::string& dir, const std::string& what,
                          const std::function<ydb::Status()>& write);

}  // namespace exchange

#endif  // YDB_EXCHANGE_SNAPSHOT_H_
