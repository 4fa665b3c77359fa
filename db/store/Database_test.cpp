// Opening stores: what is refused and how, that a refused file is left as it
// was with nothing beside it, stores opened for reading only, the upgrade
// of an older schema inside one transaction, and the statement cache.
#include "db/store/Database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "db/store/Schema.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int UserVersion(Database& db) {
  Statement& read = db.statement("PRAGMA user_version");
  const int version = read.step() ? static_cast<int>(read.column_int(0)) : -1;
  read.reset();
  return version;
}

// Whether SQLite left a file beside the store.
bool AnyBeside(const std::string& path) {
  return std::filesystem::exists(path + "-wal") || std::filesystem::exists(path + "-shm") ||
         std::filesystem::exists(path + "-journal");
}

class DatabaseTest : public ::testing::Test {
 protected:
  std::string path() const { return dir_.str() + "/store.db"; }

  // A new store, closed again after `sql` ran on it (sets pragmas to make
  // it foreign, newer or older), so the test can reopen it.
  void MakeStore(const std::string& sql) {
    std::unique_ptr<Database> db;
    ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &db).ok());
    ASSERT_TRUE(db->exec("PRAGMA journal_mode = DELETE").ok());
    ASSERT_TRUE(db->exec(sql.c_str()).ok());
  }

  ytest::TempDir dir_;
};

TEST_F(DatabaseTest, RefusalsSayWhatKindOfFailureAndLeaveNoStore) {
  std::unique_ptr<Database> db;
  Status s = Database::Open(path(), Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.IsNotFound()) << s.ToString();
  EXPECT_FALSE(std::filesystem::exists(path()));

  s = Database::Open(dir_.str(), Database::Mode::kOpenOrCreate, &db);
  EXPECT_TRUE(s.IsInvalidArgument()) << s.ToString();

  std::ofstream(path()) << "neither SQLite nor a store, but long enough to be looked at........"
                           "................................................................";
  const std::string before = Bytes(path());
  s = Database::Open(path(), Database::Mode::kOpenOrCreate, &db);
  EXPECT_TRUE(s.IsCorruption()) << s.ToString();
  EXPECT_EQ(Bytes(path()), before);
  EXPECT_EQ(db, nullptr);
}

TEST_F(DatabaseTest, ANewerStoreIsNotSupportedAndUntouched) {
  MakeStore("PRAGMA user_version = " + std::to_string(kSchemaVersion + 1));
  const std::string before = Bytes(path());
  std::unique_ptr<Database> db;
  const Status s = Database::Open(path(), Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.IsNotSupported()) << s.ToString();
  EXPECT_EQ(db, nullptr);
  EXPECT_EQ(Bytes(path()), before);
}

TEST_F(DatabaseTest, AnOlderStoreIsUpgradedOnlyByTheUpgradeGivenAndWhollyOrNotAtAll) {
  MakeStore("CREATE TABLE marker (n INTEGER); PRAGMA user_version = 1");
  const std::string before = Bytes(path());
  std::unique_ptr<Database> db;
  Status s = Database::Open(path(), Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.IsNotSupported()) << s.ToString();

  // A failing upgrade rolls back what it did: the file, its header and
  // journal mode as they were, nothing left beside it.
  static int seen_from;
  s = Database::Open(path(), Database::Mode::kOpenExisting, &db, [](Database& d, int from) {
    seen_from = from;
    Status done = d.exec("INSERT INTO marker VALUES (1)");
    return done.ok() ? Status::Corruption("half way") : done;
  });
  EXPECT_TRUE(s.IsCorruption()) << s.ToString();
  EXPECT_NE(s.message().find("from schema 1"), std::string::npos) << s.message();
  EXPECT_EQ(seen_from, 1);
  EXPECT_EQ(db, nullptr);
  EXPECT_EQ(Bytes(path()), before);
  EXPECT_FALSE(AnyBeside(path()));

  s = Database::Open(path(), Database::Mode::kOpenExisting, &db, [](Database& d, int) {
    return d.exec("INSERT INTO marker VALUES (2)");
  });
  ASSERT_TRUE(s.ok()) << s.ToString();
  EXPECT_EQ(UserVersion(*db), kSchemaVersion);
  Statement& marks = db->statement("SELECT group_concat(n) FROM marker");
  ASSERT_TRUE(marks.step());
  EXPECT_EQ(marks.column_text(0), "2");
  marks.reset();

  // Once current, the upgrade is not run again.
  db.reset();
  s = Database::Open(path(), Database::Mode::kOpenExisting, &db, [](Database&, int) {
    return Status::IOError("must not run");
  });
  EXPECT_TRUE(s.ok()) << s.ToString();
}

TEST_F(DatabaseTest, ADamagedHeaderOrAForeignLoggedStoreIsRefusedWithNothingLeftBeside) {
  // A store of another program that keeps a write-ahead log, and ours with
  // its header's page size and then its format bytes damaged.
  struct Case {
    std::string sql;
    int at;  // byte of the header overwritten, or -1
    const char* words;
  };
  for (const Case& c : {Case{"PRAGMA application_id = 7; PRAGMA journal_mode = WAL", -1,
                             "not a data set of this program"},
                        Case{"CREATE TABLE t (n)", 16, "header is damaged"},
                        Case{"CREATE TABLE t (n)", 18, "header is damaged"}}) {
    SCOPED_TRACE(c.words);
    std::filesystem::remove(path());
    MakeStore(c.sql);
    if (c.at >= 0) {
      std::fstream file(path(), std::ios::in | std::ios::out | std::ios::binary);
      file.seekp(c.at);
      file.put('\x7f');
    }
    const std::string before = Bytes(path());
    std::unique_ptr<Database> db;
    const Status s = Database::Open(path(), Database::Mode::kOpenOrCreate, &db);
    EXPECT_TRUE(c.at < 0 ? s.IsNotSupported() : s.IsCorruption()) << s.ToString();
    EXPECT_NE(s.message().find(c.words), std::string::npos) << s.ToString();
    EXPECT_EQ(Bytes(path()), before);
    EXPECT_FALSE(AnyBeside(path()));
  }
}

TEST_F(DatabaseTest, AStoreThatMayNotBeWrittenIsReadAndRefusesEveryWrite) {
  {
    std::unique_ptr<Database> db;
    ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &db).ok());
    ASSERT_TRUE(db->exec("CREATE TABLE t (n INTEGER); INSERT INTO t VALUES (5)").ok());
  }
  namespace fs = std::filesystem;
  const std::string before = Bytes(path());
  // The file write-protected, then the directory.
  for (const fs::path& locked : {fs::path(path()), dir_.path()}) {
    SCOPED_TRACE(locked.string());
    const fs::perms was = fs::status(locked).permissions();
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    {
      std::unique_ptr<Database> db;
      const Status s = Database::Open(path(), Database::Mode::kOpenExisting, &db);
      ASSERT_TRUE(s.ok()) << s.ToString();
      EXPECT_TRUE(db->read_only());
      Statement& read = db->statement("SELECT n FROM t");
      ASSERT_TRUE(read.step());
      EXPECT_EQ(read.column_int(0), 5);
      read.reset();
      Transaction write(*db);
      EXPECT_TRUE(write.begin_status().IsNotSupported()) << write.begin_status().ToString();
      EXPECT_NE(write.begin_status().message().find("read-only"), std::string::npos);
      EXPECT_FALSE(db->exec("INSERT INTO t VALUES (6)").ok());
    }
    fs::permissions(locked, was);
    EXPECT_EQ(Bytes(path()), before);
    EXPECT_FALSE(AnyBeside(path()));
  }

  // One of an older schema is refused, since its upgrade would write.
  {
    std::unique_ptr<Database> db;
    ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenExisting, &db).ok());
    ASSERT_TRUE(db->exec("PRAGMA user_version = 1").ok());
  }
  const fs::perms was = fs::status(path()).permissions();
  fs::permissions(path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::unique_ptr<Database> db;
  const Status s = Database::Open(path(), Database::Mode::kOpenExisting, &db,
                                  [](Database&, int) { return Status::Ok(); });
  fs::permissions(path(), was);
  EXPECT_TRUE(s.IsNotSupported()) << s.ToString();
  EXPECT_NE(s.message().find("read-only"), std::string::npos) << s.ToString();
}

TEST_F(DatabaseTest, TheStatementCacheHandsOutOneStatementPerTextResetAndUnbound) {
  std::unique_ptr<Database> db;
  ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &db).ok());
  ASSERT_TRUE(db->exec("CREATE TABLE t (n INTEGER); INSERT INTO t VALUES (1), (2), (3)").ok());
  const char* kSql = "SELECT n FROM t WHERE n >= ?1 ORDER BY n";
  Statement& first = db->statement(kSql);
  first.bind(1, 2);
  ASSERT_TRUE(first.step());
  EXPECT_EQ(first.column_int(0), 2);

  // Fetched again halfway through: the same statement, from the start and
  // with its parameter unbound (NULL: no row matches).
  Statement& again = db->statement(kSql);
  EXPECT_EQ(&again, &first);
  EXPECT_FALSE(again.step());
  EXPECT_TRUE(again.status().ok());
  again.reset();

  Statement& broken = db->statement("SELECT nothing FROM nowhere");
  EXPECT_FALSE(broken.step());
  EXPECT_FALSE(broken.status().ok());
  EXPECT_NE(broken.status().message().find("nowhere"), std::string::npos);
}

TEST_F(DatabaseTest, AFailedTransactionLeavesTheStoreAsItWas) {
  std::unique_ptr<Database> db;
  ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &db).ok());
  ASSERT_TRUE(db->exec("CREATE TABLE t (n INTEGER PRIMARY KEY)").ok());
  {
    Transaction t(*db);
    ASSERT_TRUE(t.begin_status().ok());
    ASSERT_TRUE(db->exec("INSERT INTO t VALUES (1)").ok());
    const Status clash = db->exec("INSERT INTO t VALUES (1)");
    EXPECT_TRUE(clash.IsInvalidArgument()) << clash.ToString();
  }
  Statement& count = db->statement("SELECT count(*) FROM t");
  ASSERT_TRUE(count.step());
  EXPECT_EQ(count.column_int(0), 0);
  count.reset();
  Transaction done(*db);
  EXPECT_TRUE(done.commit().ok());
  EXPECT_TRUE(done.commit().IsInvalidArgument());
}

TEST_F(DatabaseTest, AReadSnapshotSeesOneStateAndLeavesAnOpenTransactionOpen) {
  std::unique_ptr<Database> reader;
  std::unique_ptr<Database> writer;
  ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &reader).ok());
  ASSERT_TRUE(reader->exec("CREATE TABLE t (n INTEGER PRIMARY KEY)").ok());
  ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenExisting, &writer).ok());
  auto count = [&] {
    Statement& st = reader->statement("SELECT count(*) FROM t");
    const std::int64_t n = st.step() ? st.column_int(0) : -1;
    st.reset();
    return n;
  };
  {
    const ReadSnapshot snapshot(*reader);
    EXPECT_EQ(count(), 0);
    ASSERT_TRUE(writer->exec("INSERT INTO t VALUES (1)").ok());
    EXPECT_EQ(count(), 0) << "a write committed meanwhile is not seen";
  }
  EXPECT_FALSE(reader->in_transaction());
  EXPECT_EQ(count(), 1);
  {
    Transaction outer(*reader);
    { const ReadSnapshot inner(*reader); }
    EXPECT_TRUE(reader->in_transaction()) << "the snapshot ended a transaction it did not open";
  }
}

// A statement that counts to a hundred million, far beyond the test's time.
constexpr char kSlowCount[] =
    "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 100000000) "
    "SELECT count(*) FROM c";

TEST_F(DatabaseTest, AProgressHookIsToldAtMostEveryTenthOfASecondAndItsFalseInterrupts) {
  std::unique_ptr<Database> db;
  ASSERT_TRUE(Database::Open(path(), Database::Mode::kOpenOrCreate, &db).ok());
  std::vector<std::uint64_t> steps;
  std::vector<std::chrono::steady_clock::time_point> times;
  db->setProgressHook([&](std::uint64_t taken) {
    steps.push_back(taken);
    times.push_back(std::chrono::steady_clock::now());
    return steps.size() < 3;
  });
  Statement& slow = db->statement(kSlowCount);
  EXPECT_FALSE(slow.step());
  EXPECT_FALSE(slow.status().ok()) << "interrupted";
  slow.reset();
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_GT(steps[0], 0u);
  EXPECT_LT(steps[0], steps[1]);
  EXPECT_LT(steps[1], steps[2]);
  for (std::size_t i = 1; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[i - 1], std::chrono::milliseconds(Database::kProgressMilliseconds));
  }
  EXPECT_EQ(db->interruptions(), 1);

  // Without a hook the count starts again and statements run to the end.
  db->setProgressHook(nullptr);
  EXPECT_EQ(db->interruptions(), 0);
  Statement& quick = db->statement("SELECT count(*) FROM (SELECT 1 UNION ALL SELECT 2)");
  ASSERT_TRUE(quick.step());
  EXPECT_EQ(quick.column_int(0), 2);
  quick.reset();
}

}  // namespace
}  // namespace ydb
