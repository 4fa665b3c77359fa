// The data-set session: choosing the directory, creating and opening the
// store, refusing files that are not ours without touching them, and the
// check for other processes holding the data set.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/api/DataSetSession_test.h"
#include "testing/SmallWorld.h"

namespace {

using ytest::OpenDataSet;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataSetSession : public ::testing::Test {
 protected:
  void TearDown() override { ytest::CloseDataSet(); }
  ytest::TempDir dir_;
};

TEST(NormaliseDirectory, FinalSeparatorsAndBackslashes) {
  EXPECT_EQ(ydb::NormaliseDirectory("/data/jra/"), "/data/jra");
  EXPECT_EQ(ydb::NormaliseDirectory("data\\jra\\"), "data/jra");
  EXPECT_EQ(ydb::NormaliseDirectory(""), ".");
}

TEST_F(DataSetSession, EmptyDirectoryGetsNewDataSet) {
  ASSERT_TRUE(OpenDataSet(dir_.with_backslash())) << get_db_error();
  const std::filesystem::path store = dir_.path() / "ydbcln.db";
  EXPECT_EQ(std::string(get_mdb_path()), store.string());
  EXPECT_TRUE(std::filesystem::exists(store));
  EXPECT_EQ(get_1st_year(), 0);
  EXPECT_EQ(get_last_year_den(), 0);
  EXPECT_EQ(is_buy_data(), 0);
  YDB_end();
  ASSERT_TRUE(OpenDataSet(dir_.str())) << "the new data set opens again: " << get_db_error();
}

TEST_F(DataSetSession, MissingDirectoryFails) {
  const std::string missing = dir_.str() + "/nowhere\\";
  EXPECT_NE(init_db(missing.c_str(), 0), 0);
  EXPECT_NE(std::string(get_db_error()).find("does not exist"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "nowhere"));
  EXPECT_NE(init_db(nullptr, 0), 0);
  EXPECT_NE(init_db(dir_.str().c_str(), 7), 0);
}

TEST_F(DataSetSession, PhaseOneNeedsTheStoreStarted) {
  ASSERT_EQ(init_db(dir_.str().c_str(), 0), 0);
  EXPECT_NE(init_db(dir_.str().c_str(), 1), 0);
  EXPECT_EQ(YDB_start(nullptr), 0);
  EXPECT_EQ(YDB_start(""), 0);
}

// Each refused file must come out byte for byte as it went in, with no
// journal or lock files left beside it.
void ExpectRefusedUntouched(const ytest::TempDir& dir, const std::string& why) {
  const std::filesystem::path store = dir.path() / "ydbcln.db";
  const std::string before = ReadFile(store);
  ASSERT_EQ(init_db(dir.str().c_str(), 0), 0);
  EXPECT_EQ(YDB_start(get_mdb_path()), 0) << why;
  EXPECT_FALSE(std::string(get_db_error()).empty()) << why;
  EXPECT_EQ(ReadFile(store), before) << why;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1) << why;
}

TEST_F(DataSetSession, GarbageAnEmptyFileOrAForeignSqliteFileIsRefusedAndLeftAlone) {
  for (const std::string& content : {std::string(3000, '\x5a') + "not a data set", std::string()}) {
    std::ofstream(dir_.path() / "ydbcln.db", std::ios::binary) << content;
    ExpectRefusedUntouched(dir_, content.empty() ? "empty file" : "garbage");
    std::filesystem::remove(dir_.path() / "ydbcln.db");
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir_.path() / "ydbcln.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  ExpectRefusedUntouched(dir_, "someone else's SQLite file");
}

TEST_F(DataSetSession, NewerSchemaIsRefusedAndLeftAlone) {
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  YDB_end();
  std::filesystem::remove(dir_.path() / "ydbcln.db.lock");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir_.path() / "ydbcln.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode = DELETE; PRAGMA user_version = 99;", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  ExpectRefusedUntouched(dir_, "newer schema");
  EXPECT_NE(std::string(get_db_error()).find("newer"), std::string::npos);
}

TEST_F(DataSetSession, SecondStartIsRefused) {
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  EXPECT_EQ(YDB_start(get_mdb_path()), 0);
}

TEST_F(DataSetSession, FirstInstanceSeesOtherProcesses) {
  EXPECT_EQ(is_1stinstance(), 0) << "nothing open: cannot be the first instance";
  int ready[2];
  int release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char byte = OpenDataSet(dir_.str()) ? 'y' : 'n';
    if (write(ready[1], &byte, 1) != 1) _exit(2);
    if (read(release[0], &byte, 1) != 1) _exit(2);
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  ASSERT_EQ(byte, 'y');
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  EXPECT_EQ(is_1stinstance(), 0) << "the child holds the data set open";

  ASSERT_EQ(write(release[1], "x", 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(is_1stinstance(), 1) << "the child has gone";
  for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(DataSetSession, YearsComeFromStoredRaces) {
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  ydb::Database* db = ydb::SessionState::Get().ready_database();
  ASSERT_NE(db, nullptr);
  ydb::Writer writer(*db);
  ydb::Batch world = ytest::MakeWorld();
  world.races[0] = ytest::MakeRace({"05", 20190106, 11});
  ydb::Race card = ytest::MakeRace({"06", 20210605, 3});
  card.result.reset();
  for (auto& runner : card.runners) runner.result.reset();
  world.races.push_back(card);
  ydb::Race nominations_only = ytest::MakeRace({"07", 20230805, 5});
  nominations_only.result.reset();
  for (const auto& runner : nominations_only.runners) {
    nominations_only.nominations.push_back(
        {runner.horse_code, runner.trainer_code, runner.jockey_code, 0, "", ""});
  }
  nominations_only.runners.clear();
  nominations_only.forecast_odds.reset();
  world.races.push_back(nominations_only);
  ydb::Status s = writer.write(world);
  ASSERT_TRUE(s.ok()) << s.message();

  EXPECT_EQ(get_1st_year(), 2019);
  EXPECT_EQ(get_last_year(), 2019) << "the 2021 race has a card but no result";
  EXPECT_EQ(get_1st_year_den(), 2019);
  EXPECT_EQ(get_last_year_den(), 2021) << "a race with no runners drawn has no card";
  term_db_ex();
  EXPECT_EQ(get_1st_year(), 0) << "nothing is answered once the session is ended";
}

// What the progress callback was told, and its answer.
std::vector<std::string> progress_calls;
int progress_answer = 0;
int RecordProgress(int rows, int second, const char* text, int generation, double hit,
                   double ret) {
  progress_calls.push_back(std::to_string(rows > 0) + " " + std::to_string(second) + " " +
                           (text == nullptr ? "null" : text) + " " + std::to_string(generation) +
                           " " + std::to_string(hit) + " " + std::to_string(ret));
  return progress_answer;
}

TEST_F(DataSetSession, TheProgressCallbackWatchesLongStatementsAndItsZeroInterruptsThem) {
  progress_calls.clear();
  progress_answer = 0;
  set_SCP_callback(RecordProgress);  // before the data set is opened
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  ydb::Database* store = ydb::SessionState::Get().ready_database();
  const char* kSlow =
      "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 100000000) "
      "SELECT count(*) FROM c";
  ydb::Statement& slow = store->statement(kSlow);
  EXPECT_FALSE(slow.step());
  EXPECT_FALSE(slow.status().ok());
  slow.reset();
  EXPECT_EQ(progress_calls, std::vector<std::string>{"1 0 null -1 0.000000 0.000000"});
  EXPECT_EQ(get_SCP_interruptions(), 1);

  // Setting a callback again starts the count again; none leaves every
  // statement alone.
  set_SCP_callback(RecordProgress);
  EXPECT_EQ(get_SCP_interruptions(), 0);
  set_SCP_callback(nullptr);
  ydb::Statement& quick = store->statement("SELECT 1");
  EXPECT_TRUE(quick.step());
  quick.reset();
  EXPECT_EQ(progress_calls.size(), 1u);
}

}  // namespace
