// Setting up and ending a bulk load: the connection's settings, and the
// secondary indexes of a store that holds no race yet.
#include "db/write/BulkLoad.h"

#include "db/store/SchemaIndexes.h"

namespace ydb {

Status BulkLoad::begin() {
  begun_ = true;
  Status s = db_.setCacheMegabytes(cache_megabytes_);
  if (s.ok()) s = db_.setCheckpointPages(kCheckpointPages);
  bool races = false;
  if (s.ok()) {
    Statement& any = db_.statement("SELECT 1 FROM race LIMIT 1");
    races = any.step();
    s = any.status();
    any.reset();
  }
  if (s.ok() && !races) s = DropSecondaryIndexes(db_);
  return s;
}

Status BulkLoad::finish() {
  if (!begun_) return Status::Ok();
  begun_ = false;
  Status s = CreateMissingIndexes(db_);
  const Status cache = db_.setCacheMegabytes(Database::kDefaultCacheMegabytes);
  const Status checkpoint = db_.setCheckpointPages(Database::kDefaultCheckpointPages);
  if (s.ok()) s = cache;
  if (s.ok()) s = checkpoint;
  return s;
}

}  // namespace ydb
