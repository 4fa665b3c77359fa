// Test support: the rows of past_run_bucket as they stand, and as a filing
// of every run from nothing would make them, to check that the writer's
// incremental filing keeps the buckets what the runner rows say.
#ifndef YDB_DERIVED_PASTRUNBUCKETS_TEST_H_
#define YDB_DERIVED_PASTRUNBUCKETS_TEST_H_

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "db/store/Database.h"
#include "db/derived/PastRunBuckets.h"

namespace ytest {

// Each bucket ("kind code month") with its race numbers and records.
inline std::map<std::string, std::string> FiledBuckets(ydb::Database& db) {
  std::map<std::string, std::string> buckets;
  ydb::Statement& st = db.statement(
      "SELECT kind || ' ' || code || ' ' || month, race_nos, records FROM past_run_bucket");
  while (st.step()) {
    buckets[std::string(st.column_text(0))] =
        std::string(st.column_blob(1)) + "|" + std::string(st.column_blob(2));
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return buckets;
}

// The buckets a filing of every run makes, the store left as it was.
inline std::map<std::string, std::string> RefiledBuckets(ydb::Database& db) {
  ydb::Transaction refile(db);
  ydb::Status s = db.exec("DELETE FROM past_run_bucket");
  ydb::PastRunBuckets buckets(db);
  if (s.ok()) s = buckets.fileEveryRun();
  if (s.ok()) s = buckets.flush();
  EXPECT_TRUE(s.ok()) << s.message();
  return FiledBuckets(db);  // and the transaction rolls back
}

}  // namespace ytest

#endif  // YDB_DERIVED_PASTRUNBUCKETS_TEST_H_
