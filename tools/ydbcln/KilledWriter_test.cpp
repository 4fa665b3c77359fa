// Tests that a writer killed with SIGKILL loses nothing committed and
// leaves nothing half done: an import into an empty data set is killed at
// several points from its start; each time the data set opens, passes
// SQLite's integrity check, holds either nothing or the whole import, and
// takes the next import.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "RunTool_test.h"
#include "db/derived/DataSet.h"

namespace tooltest {
namespace {

// Starts `ydbcln --data DIR import CSV`, its output thrown away.
pid_t StartImport(const std::string& dir, const std::string& csv) {
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execl(YDBCLN_TOOL_PATH, YDBCLN_TOOL_PATH, "--data", dir.c_str(), "import", csv.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

// The races the data set in `dir` holds, after SQLite's integrity check
// of its store; -1 when it does not open or is not whole.
std::int64_t RacesIfWhole(const std::string& dir) {
  std::unique_ptr<ydb::Database> db;
  const ydb::Status s = ydb::OpenDataSet(dir + "/ydbcln.db", ydb::Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.ok()) << s.ToString();
  if (!s.ok()) return -1;
  ydb::Statement& check = db->statement("PRAGMA integrity_check");
  const bool whole = check.step() && check.column_text(0) == "ok";
  check.reset();
  EXPECT_TRUE(whole);
  ydb::Statement& races = db->statement("SELECT count(*) FROM race");
  const std::int64_t count = races.step() ? races.column_int(0) : -1;
  races.reset();
  return whole ? count : -1;
}

class KilledWriterTest : public ToolTest {};

TEST_F(KilledWriterTest, AnImportKilledAnywhereLeavesTheDataSetAsBeforeOrWhole) {
  ASSERT_EQ(Tool({"export", File("csv")}).exit_code, 0);
  const std::string target = File("target");
  std::filesystem::create_directory(target);
  int before = 0, whole = 0;
  for (const int micros : {0, 1000, 3000, 6000, 10000, 15000, 20000, 30000, 45000, 70000}) {
    SCOPED_TRACE(micros);
    for (const char* suffix : {"", "-wal", "-shm"}) {
      std::filesystem::remove(target + "/ydbcln.db" + suffix);
    }
    {
      std::unique_ptr<ydb::Database> empty;
      ASSERT_TRUE(
          ydb::OpenDataSet(target + "/ydbcln.db", ydb::Database::Mode::kOpenOrCreate, &empty).ok());
    }
    const pid_t child = StartImport(target, File("csv"));
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::int64_t races = RacesIfWhole(target);
    EXPECT_TRUE(races == 0 || races == 1) << races;
    before += races == 0;
    whole += races == 1;
    // Free for the next writer: the import runs to its end.
    EXPECT_EQ(RunTool(target, {"import", File("csv")}).exit_code, 0);
    EXPECT_EQ(RacesIfWhole(target), 1);
  }
  std::printf("10 imports killed: %d left the data set as before, %d whole\n", before, whole);
}

}  // namespace
}  // namespace tooltest
