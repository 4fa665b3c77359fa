// A load of many races through the writer: a generated world's, an
// import's. While it runs, the connection's page cache may be raised (so
// that the pages a large transaction changes stay in memory until its
// commit, at the price of the process's memory), and the log is folded into the file once every kCheckpointPages pages
// rather than every few transactions (every commit stays whole in the log,
// so a process killed part-way leaves the store as of its last commit).
// Into a store that holds no race yet, the indexes no write reads are set
// aside and built once, sorted, at the end (db/store/SchemaIndexes.h); a
// load killed before its end leaves them to the store's next opening.
//
//   BulkLoad load(db, 512);
//   Status s = load.begin();
//   ... writer.write(batch) ...
//   Status ended = load.finish();
#ifndef YDB_WRITE_BULKLOAD_H_
#define YDB_WRITE_BULKLOAD_H_

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

class BulkLoad {
 public:
  // 128 MiB of log between checkpoints.
  static constexpr int kCheckpointPages = 32768;

  explicit BulkLoad(Database& db, int cache_megabytes = Database::kDefaultCacheMegabytes)
      : db_(db), cache_megabytes_(cache_megabytes) {}
  ~BulkLoad() { finish(); }
  BulkLoad(const BulkLoad&) = delete;
  BulkLoad& operator=(const BulkLoad&) = delete;

  Status begin();

  // Builds the indexes set aside and puts the connection's settings back;
  // the first failure of these. Once the load has ended, does nothing.
  Status finish();

 private:
  Database& db_;
  const int cache_megabytes_;
  bool begun_ = false;
};

}  // namespace ydb

#endif  // YDB_WRITE_BULKLOAD_H_
