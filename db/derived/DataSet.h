// Opening a data set: the store file, brought to the current schema. A
// store of an older schema is upgraded here, in one transaction, before
// anyone reads it; the upgrades fill the derived tables they add
// (past_run_bucket from schema 2, result_record from schema 3, entity_total
// from schema 5, runner_result_record from schema 8;
// generated_world, from schema 4, starts empty).
#ifndef YDB_DERIVED_DATASET_H_
#define YDB_DERIVED_DATASET_H_

#include <memory>
#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// Opens (or, by `mode`, creates) the data set at `path` at the current
// schema. On failure `*out` is left null and the file is as it was: a
// failed upgrade rolls back, and a store of a newer schema or of another
// program is refused as not supported.
Status OpenDataSet(const std::string& path, Database::Mode mode, std::unique_ptr<Database>* out);

// Upgrades the open store `db` from schema version `from` (at least 1) to
// kSchemaVersion, inside the caller's transaction.
Status UpgradeSchema(Database& db, int from);

}  // namespace ydb

#endif  // YDB_DERIVED_DATASET_H_
