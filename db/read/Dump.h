// A text dump of a whole store: every column of every row of every table,
// tables by name and rows in the order of their columns, values in SQL
// literal form. Two stores that hold the same data give the same dump,
// whatever order it was written in; this is how tests and diagnosis
// compare stores. The dump is built in memory, so it is meant for small
// stores.
#ifndef YDB_READ_DUMP_H_
#define YDB_READ_DUMP_H_

#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

Status DumpStore(Database& db, std::string* out);

}  // namespace ydb

#endif  // YDB_READ_DUMP_H_
