// Test support for the command-line program: a data directory holding the
// small world, and running the program on it with its exit code, standard
// output and standard error kept.
#ifndef YDBCLN_TOOL_RUNTOOL_TEST_H_
#define YDBCLN_TOOL_RUNTOOL_TEST_H_

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "db/store/Database.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace tooltest {

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// `text` quoted for the shell.
inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs `ydbcln args...`, its output kept in files of `dir`.
inline ToolRun RunToolAsGiven(const std::string& dir, const std::vector<std::string>& args) {
  std::string command = Quote(YDBCLN_TOOL_PATH);
  for (const std::string& a : args) command += " " + Quote(a);
  const std::string out = dir + "/stdout";
  const std::string err = dir + "/stderr";
  command += " >" + Quote(out) + " 2>" + Quote(err);
  const int status = std::system(command.c_str());
  ToolRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}

// Runs `ydbcln --data DIR args...`, its output kept in files of `dir`.
inline ToolRun RunTool(const std::string& dir, const std::vector<std::string>& args) {
  std::vector<std::string> all = {"--data", dir};
  all.insert(all.end(), args.begin(), args.end());
  return RunToolAsGiven(dir, all);
}

// The output of a successful --json run.
inline nlohmann::json Json(const ToolRun& run) {
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return nlohmann::json::parse(run.out.empty() ? "null" : run.out);
}

// A failed run: a non-zero exit and exactly one line on standard error.
inline void ExpectRefused(const ToolRun& run, const std::string& words) {
  EXPECT_NE(run.exit_code, 0);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
}

class ToolTest : public ::testing::Test {
 protected:
  // The small world written into the data directory.
  void SetUp() override {
    std::unique_ptr<ydb::Database> db;
    const std::string path = (dir_.path() / "ydbcln.db").string();
    ydb::Status s = ydb::Database::Open(path, ydb::Database::Mode::kOpenOrCreate, &db);
    if (s.ok()) s = ydb::Writer(*db).write(ytest::MakeWorld());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // Runs `ydbcln --data DIR args...`.
  ToolRun Tool(const std::vector<std::string>& args) { return RunTool(dir_.str(), args); }

  // A path in the data directory.
  std::string File(const std::string& name) const { return (dir_.path() / name).string(); }

  ytest::TempDir dir_;
};

}  // namespace tooltest

#endif  // YDBCLN_TOOL_RUNTOOL_TEST_H_
