// Test support: one season generated into a store once per test program,
// shared by the suites that read it back, and a helper that generates
// seasons into a store of their own.
#ifndef YDB_WORLD_GENERATEDSEASON_TEST_H_
#define YDB_WORLD_GENERATEDSEASON_TEST_H_

#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "db/derived/DataSet.h"
#include "db/store/Database.h"
#include "testing/TempDir.h"
#include "world/Generator.h"

namespace world {
namespace season_test {

constexpr int kSeason = 2019;

inline std::unique_ptr<ydb::Database> Generated(const std::string& path, int first, int last,
                                                std::uint64_t seed, Summary* summary = nullptr) {
  std::unique_ptr<ydb::Database> db;
  ydb::Status s = ydb::OpenDataSet(path, ydb::Database::Mode::kOpenOrCreate, &db);
  EXPECT_TRUE(s.ok()) << s.message();
  if (!s.ok()) return nullptr;
  Options options;
  options.first_season = first;
  options.last_season = last;
  options.seed = seed;
  options.origin = kSeason;
  s = Generate(*db, options, {}, summary);
  EXPECT_TRUE(s.ok()) << s.message();
  return db;
}

class GeneratedSeason : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ytest::TempDir();
    db_ = Generated(dir_->str() + "/world.db", kSeason, kSeason, 1, &summary_).release();
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(db_, nullptr); }

  static ydb::Database& db() { return *db_; }

  static double Number(const char* sql) {
    ydb::Statement& st = db_->statement(sql);
    const double value = st.step() ? st.column_double(0) : NAN;
    EXPECT_TRUE(st.status().ok()) << st.status().message();
    st.reset();
    return value;
  }

  inline static ytest::TempDir* dir_ = nullptr;
  inline static ydb::Database* db_ = nullptr;
  inline static Summary summary_;
};


}  // namespace season_test
}  // namespace world

#endif  // YDB_WORLD_GENERATEDSEASON_TEST_H_
