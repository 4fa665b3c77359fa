// Test support: a season generated once for all the test programs of a
// build and only read by them, one generated once per test program, and a
// helper that generates seasons into a store of a test's own.
#ifndef YDB_WORLD_GENERATEDSEASON_TEST_H_
#define YDB_WORLD_GENERATEDSEASON_TEST_H_

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// The data directory (holding ydbcln.db) of `season` generated with
// `seed`, its first season, for tests that only read it. Under
// $YDBCLN_TEST_TMP it is generated once for every test process of a ctest
// run (ctest clears the cache before each run): the first process to take
// the lock generates it, the others wait and then open it. Without
// YDBCLN_TEST_TMP each test program generates its own. An empty string when
// the generation failed (and the test has failed saying why).
inline std::string SharedSeason(int season, std::uint64_t seed) {
  static std::map<std::pair<int, std::uint64_t>, std::string> known;
  const std::pair<int, std::uint64_t> key{season, seed};
  if (auto it = known.find(key); it != known.end()) return it->second;
  const std::string name = "season-" + std::to_string(season) + "-" + std::to_string(seed);
  const char* base = std::getenv("YDBCLN_TEST_TMP");
  if (base == nullptr || *base == '\0') {
    static ytest::TempDir own;  // removed when the program ends
    const std::string dir = own.str() + "/" + name;
    std::filesystem::create_directories(dir);
    if (Generated(dir + "/ydbcln.db", season, season, seed) == nullptr) return "";
    return known[key] = dir;
  }
  const std::filesystem::path dir = std::filesystem::path(base) / "seasons" / name;
  std::filesystem::create_directories(dir);
  const int lock = ::open((dir / "lock").c_str(), O_CREAT | O_RDWR, 0644);
  EXPECT_GE(lock, 0) << dir;
  if (lock < 0) return "";
  ::flock(lock, LOCK_EX);
  bool done = std::filesystem::exists(dir / "done");
  if (!done) {
    for (const char* file : {"ydbcln.db", "ydbcln.db-wal", "ydbcln.db-shm"}) {
      std::filesystem::remove(dir / file);
    }
    done = Generated((dir / "ydbcln.db").string(), season, season, seed) != nullptr;
    if (done) std::ofstream(dir / "done") << "generated\n";
  }
  ::flock(lock, LOCK_UN);
  ::close(lock);
  if (!done) return "";
  return known[key] = dir.string();
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
