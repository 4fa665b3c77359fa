// The session at the C boundary as the tests drive it: opening and closing
// a data set the way the client does, the store's integrity check, and a
// fixture over a data set written once per test program.
#ifndef YDB_API_DATASETSESSION_TEST_H_
#define YDB_API_DATASETSESSION_TEST_H_

#include <gtest/gtest.h>

#include <string>

#include "db/api/SessionState.h"
#include "db/api/ydbbsn.h"
#include "db/api/ydbtest.h"
#include "db/api/yddb.h"
#include "db/write/Writer.h"
#include "testing/TempDir.h"

namespace ytest {

// Opens the data set in `dir` the way the client does; true on success
// (the reason in get_db_error() otherwise).
inline bool OpenDataSet(const std::string& dir) {
  return init_db(dir.c_str(), 0) == 0 && YDB_start(get_mdb_path()) != 0 &&
         init_db(dir.c_str(), 1) == 0;
}

inline void CloseDataSet() {
  term_db_ex();
  YDB_end();
}

// SQLite's verdict on the open data set's store: "ok" when it is whole.
inline std::string StoreIntegrity() {
  ydb::Statement& check = ydb::SessionState::Get().database()->statement("PRAGMA integrity_check");
  const std::string verdict = check.step() ? std::string(check.column_text(0)) : "no answer";
  check.reset();
  return verdict;
}

// Each test opens the data set holding World(), written by the first test
// of the program; the test switches are reset after each test.
template <ydb::Batch (*World)()>
class WrittenDataSetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dir_ = new TempDir(); }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(OpenDataSet(dir_->str())) << get_db_error();
    static bool written = false;
    if (!written) {
      const ydb::Status s = ydb::Writer(*ydb::SessionState::Get().database()).write(World());
      ASSERT_TRUE(s.ok()) << s.message();
      written = true;
    }
  }

  void TearDown() override {
    ydb_test_fail(nullptr);
    ydb_test_keep_records(nullptr, 0);
    CloseDataSet();
  }

  inline static TempDir* dir_ = nullptr;
};

}  // namespace ytest

#endif  // YDB_API_DATASETSESSION_TEST_H_
