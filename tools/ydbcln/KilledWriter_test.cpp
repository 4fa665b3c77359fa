// Tests that a writer killed with SIGKILL loses nothing committed and
// leaves nothing half done. Each writer (an import into an empty data set,
// a generation that continues a data set, a theory added, a ticket added,
// tickets committed, a check mark set) runs once whole, timed, then again
// from the same data set killed at seeded random points spread over that
// time, and then just after its commit shows. Each time the data set opens,
// passes SQLite's integrity check, holds exactly what it held before or
// exactly what the whole run left (or, for the import, which commits its
// people and horses and then a month of races at a time, what its parts
// committed), and takes the same command again (which leaves what a whole
// run leaves, for a command that changes nothing when run twice).
//
// YDBCLN_KILLS sets the random kills of each user-data writer (3 by
// default), YDBCLN_GENERATE_KILLS those of the generation (1), and
// YDBCLN_KILL_SEED their seed (the kill points are printed with it).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "RunTool_test.h"
#include "db/derived/DataSet.h"

namespace tooltest {
namespace {

using Clock = std::chrono::steady_clock;

int FromEnvironment(const char* name, int otherwise) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atoi(value) : otherwise;
}

// Every row of every table of the data set in `dir`, as a count and a hash
// a table; empty when the store does not open or fails SQLite's integrity
// check (the test has failed then).
std::string Contents(const std::string& dir) {
  std::unique_ptr<ydb::Database> db;
  const ydb::Status s = ydb::OpenDataSet(dir + "/ydbcln.db", ydb::Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.ok()) << s.ToString();
  if (!s.ok()) return "";
  ydb::Statement& check = db->statement("PRAGMA integrity_check");
  const bool whole = check.step() && check.column_text(0) == "ok";
  EXPECT_TRUE(whole) << dir;
  if (!whole) return "";
  std::vector<std::string> selects;
  ydb::Statement& tables = db->statement(
      "SELECT 'SELECT ' || group_concat('quote(' || c.name || ')', '||'',''||') || ' FROM ' || t.name "
      "FROM sqlite_schema AS t, pragma_table_info(t.name) AS c "
      "WHERE t.type = 'table' AND t.name NOT LIKE 'sqlite%' GROUP BY t.name ORDER BY t.name");
  while (tables.step()) selects.emplace_back(tables.column_text(0));
  std::string contents;
  for (const std::string& select : selects) {
    std::uint64_t hash = 14695981039346656037u;  // FNV-1a over the rows in store order
    std::int64_t rows = 0;
    ydb::Statement& all = db->assembled_statement(select);
    while (all.step()) {
      ++rows;
      for (const char c : all.column_text(0)) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
      hash = (hash ^ '\n') * 1099511628211u;
    }
    EXPECT_TRUE(all.status().ok()) << select;
    contents += select.substr(select.rfind(' ') + 1) + " " + std::to_string(rows) + " " +
                std::to_string(hash) + "\n";
  }
  return contents;
}

// The data set in `from` copied into `to`, which is emptied first.
void CopyDataSet(const std::string& from, const std::string& to) {
  std::filesystem::remove_all(to);
  std::filesystem::create_directories(to);
  for (const char* suffix : {"", "-wal"}) {
    const std::string file = from + "/ydbcln.db" + suffix;
    if (std::filesystem::exists(file)) std::filesystem::copy_file(file, to + "/ydbcln.db" + suffix);
  }
}

// `ydbcln --data DIR args...` running in a child process, its output
// thrown away.
class Child {
 public:
  Child(const std::string& dir, const std::vector<std::string>& args) : start_(Clock::now()) {
    std::vector<std::string> all = {YDBCLN_TOOL_PATH, "--data", dir};
    all.insert(all.end(), args.begin(), args.end());
    std::fflush(stdout);  // or the child writes what this process has buffered
    pid_ = fork();
    if (pid_ == 0) {
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      std::vector<char*> argv;
      for (std::string& a : all) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Whether it is still running.
  bool running() {
    if (!ended_ && waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
    return !ended_;
  }

  // Kills it with SIGKILL (unless it has ended) and waits for its end;
  // true when the kill ended it, false when it had run through first.
  bool kill() {
    if (running()) ::kill(pid_, SIGKILL);
    return wait() == -SIGKILL;
  }

  // Waits for its end: its exit code, or minus the signal that ended it.
  int wait() {
    if (!ended_) waitpid(pid_, &status_, 0);
    ended_ = true;
    return WIFSIGNALED(status_) ? -WTERMSIG(status_) : WEXITSTATUS(status_);
  }

  double seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

 private:
  Clock::time_point start_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
};

// A writing command and a count that its commit changes.
struct Writing {
  std::string what;
  std::vector<std::string> args;
  const char* commit_count;  // SQL
  bool idempotent;  // run again after a whole run, it changes nothing
  // It commits in parts (an import, a month of races at a time): a kill
  // may leave the parts committed, which the run after it completes.
  bool in_parts = false;
};

// How the kills of one writing command ended.
struct Outcomes {
  int before = 0;       // killed, the data set as before
  int whole = 0;        // killed after the commit, the data set as the whole run left it
  int ran_through = 0;  // the run ended before the kill
  int part = 0;         // killed between its parts, the parts committed kept
  int logged = 0;       // of `before`, those that had written pages to the store's log
};

class Killer {
 public:
  Killer(const std::string& scratch, std::mt19937_64* random) : scratch_(scratch), random_(random) {}

  // Runs `w` on a copy of the data set in `base` whole, then kills it on
  // fresh copies `random_kills` times at random points of the time the
  // whole run took and `late_kills` times as soon as its commit shows.
  Outcomes killAnywhere(const std::string& base, const Writing& w, int random_kills, int late_kills) {
    SCOPED_TRACE(w.what);
    before_ = Contents(base);
    CopyDataSet(base, scratch_);
    Child whole(scratch_, w.args);
    EXPECT_EQ(whole.wait(), 0) << "the whole run";
    const double length = whole.seconds();
    after_ = Contents(scratch_);
    EXPECT_NE(after_, before_) << "the whole run changed nothing";
    Outcomes counts;
    std::uniform_real_distribution<double> within(0, 1);
    for (int k = 0; k < random_kills; ++k) {
      // One point in each of random_kills equal parts of the run.
      const double at = length * (k + within(*random_)) / random_kills;
      SCOPED_TRACE("killed after " + std::to_string(at) + " s of " + std::to_string(length));
      killAndCheck(base, w, [&](Child& child) {
        std::this_thread::sleep_for(std::chrono::duration<double>(at - child.seconds()));
      }, &counts);
    }
    for (int k = 0; k < late_kills; ++k) {
      SCOPED_TRACE("killed as its commit showed");
      std::unique_ptr<ydb::Database> watch;
      CopyDataSet(base, scratch_);
      if (!ydb::Database::Open(scratch_ + "/ydbcln.db", ydb::Database::Mode::kOpenExisting, &watch).ok()) {
        ADD_FAILURE() << "cannot watch " << scratch_;
        break;
      }
      const std::int64_t unchanged = Count(*watch, w.commit_count);
      killAndCheck("", w, [&](Child& child) {
        while (child.running() && Count(*watch, w.commit_count) == unchanged) {
          std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
      }, &counts);
    }
    std::printf("%s: %d killed, %d left it as before (%d with pages in the log), %d whole, "
                "%d part; %d ran through before the kill (a whole run %.3f s)\n",
                w.what.c_str(), counts.before + counts.whole + counts.part, counts.before,
                counts.logged, counts.whole, counts.part, counts.ran_through, length);
    return counts;
  }

 private:
  static std::int64_t Count(ydb::Database& db, const char* sql) {
    ydb::Statement& count = db.statement(sql);
    return count.step() ? count.column_int(0) : -1;
  }

  // Runs `w` on a fresh copy of `base` (on the scratch data set as it is
  // when `base` is empty), kills it when `wait` returns, checks what it
  // left, and runs it again to its end.
  template <typename Wait>
  void killAndCheck(const std::string& base, const Writing& w, Wait wait, Outcomes* counts) {
    if (!base.empty()) CopyDataSet(base, scratch_);
    Child child(scratch_, w.args);
    wait(child);
    const bool killed = child.kill();
    std::error_code no_log;
    const auto log = std::filesystem::file_size(scratch_ + "/ydbcln.db-wal", no_log);
    const std::string left = Contents(scratch_);
    EXPECT_TRUE(left == before_ || left == after_ || w.in_parts) << "neither as before nor whole:\n" << left;
    if (!killed) {
      ++counts->ran_through;
      EXPECT_EQ(child.wait(), 0);
      EXPECT_EQ(left, after_);
    } else if (left == before_) {
      ++counts->before;
      counts->logged += !no_log && log > 0;
    } else if (left == after_) {
      ++counts->whole;
    } else {
      ++counts->part;
    }
    // Free for the next process: the same command runs through.
    EXPECT_EQ(Child(scratch_, w.args).wait(), 0) << "the run after the kill";
    if (w.idempotent) {
      EXPECT_EQ(Contents(scratch_), after_) << "the run after the kill";
    }
  }

  std::string scratch_;
  std::mt19937_64* random_;
  std::string before_, after_;
};

std::uint64_t KillSeed() {
  const auto seed = static_cast<std::uint64_t>(FromEnvironment("YDBCLN_KILL_SEED", 1));
  std::printf("kill seed %llu\n", static_cast<unsigned long long>(seed));
  return seed;
}

class KilledWriterTest : public ToolTest {};

TEST_F(KilledWriterTest, AnImportKilledAnywhereKeepsItsCommittedPartsAndRunsThroughAgain) {
  ASSERT_EQ(Tool({"export", File("csv")}).exit_code, 0);
  const std::string empty = File("empty");
  std::filesystem::create_directory(empty);
  {
    std::unique_ptr<ydb::Database> db;
    ASSERT_TRUE(ydb::OpenDataSet(empty + "/ydbcln.db", ydb::Database::Mode::kOpenOrCreate, &db).ok());
  }
  std::mt19937_64 random(KillSeed());
  Killer killer(File("scratch"), &random);
  const Outcomes counts = killer.killAnywhere(
      empty, {"import", {"import", File("csv")}, "SELECT count(*) FROM race", true, true},
      FromEnvironment("YDBCLN_KILLS", 3), 2);
  EXPECT_GT(counts.before, 0);
}

TEST_F(KilledWriterTest, TheoriesTicketsAndCheckMarksKilledAnywhereAreAsBeforeOrWhole) {
  std::mt19937_64 random(KillSeed());
  const int kills = FromEnvironment("YDBCLN_KILLS", 3);
  const std::vector<std::string> ticket = {"bet", "add", "052024010611", "--type", "quinella",
                                           "--combo", "1-2", "--stake", "300"};
  Killer killer(File("scratch"), &random);
  const Writing writings[] = {
      {"theory add", {"theory", "add", "--title", "t", "--item", "1:60", "--item", "24:40:0:12"},
       "SELECT count(*) FROM theory", false},
      {"bet add", ticket, "SELECT count(*) FROM ticket", false},
      {"check add", {"check", "add", "horse", "2020011"}, "SELECT count(*) FROM check_mark", true},
  };
  for (const Writing& w : writings) {
    const Outcomes counts = killer.killAnywhere(dir_.str(), w, kills, 2);
    EXPECT_GT(counts.before, 0) << w.what;
  }
  // Committing pending tickets.
  ASSERT_EQ(Tool(ticket).exit_code, 0);
  const Outcomes counts = killer.killAnywhere(
      dir_.str(),
      {"bet commit", {"bet", "commit"}, "SELECT count(*) FROM ticket WHERE state = 0", true}, kills, 2);
  EXPECT_GT(counts.before, 0);
}

// A generation that continues a data set: the first race weekend of the
// world's origin season, then the next. Slow (a generation runs the world
// from its origin), so it runs in the release pass only.
TEST(KilledGeneration, AGenerationKilledAnywhereKeepsTheDaysBeforeWhole) {
  std::mt19937_64 random(KillSeed());
  ytest::TempDir dir;
  const std::string base = (dir.path() / "base").string();
  ASSERT_EQ(
      RunToolAsGiven(dir.str(), {"--data", base, "generate", "--seasons", "2015", "--until", "20150105"})
          .exit_code,
      0);
  Killer killer((dir.path() / "scratch").string(), &random);
  const Outcomes counts = killer.killAnywhere(
      base, {"generate", {"generate", "--until", "20150112"}, "SELECT count(*) FROM payout", true},
      FromEnvironment("YDBCLN_GENERATE_KILLS", 1), 1);
  // Its commit, then closing the store, take long enough for a kill to
  // land between them.
  EXPECT_GE(counts.whole, 1);
}

}  // namespace
}  // namespace tooltest
