// Upgrading a store of an older schema, one version at a time.
#include <string>

#include "db/store/Database.h"
#include "db/store/Schema.h"
#include "db/write/PastRunBuckets.h"

namespace ydb {
namespace {

// Version 2: the past-run records are filed in past_run_bucket, and the
// runner indexes by jockey, trainer and sire that the fetches read before
// go.
Status ToVersion2(Database& db) {
  Status s = db.exec(
      "CREATE TABLE past_run_bucket ("
      "  kind     INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 5),"
      "  code     TEXT NOT NULL,"
      "  month    INTEGER NOT NULL,"
      "  race_nos BLOB NOT NULL,"
      "  records  BLOB NOT NULL,"
      "  PRIMARY KEY (kind, code, month),"
      "  CHECK (length(records) = 94 * length(race_nos) AND length(race_nos) > 0)"
      ") STRICT, WITHOUT ROWID;"
      "DROP INDEX IF EXISTS runner_by_jockey;"
      "DROP INDEX IF EXISTS runner_by_trainer;"
      "DROP INDEX IF EXISTS runner_by_sire;");
  if (!s.ok()) return s;
  PastRunBuckets buckets(db);
  s = buckets.fileEveryRun();
  if (s.ok()) s = buckets.flush();
  return s;
}

}  // namespace

Status UpgradeSchema(Database& db, int from) {
  Status s;
  if (from < 2) s = ToVersion2(db);
  return s;
}

}  // namespace ydb
