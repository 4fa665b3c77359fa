// Test support for the command-line program: a data directory holding the
// small world, and running the program on it with its exit code, standard
// output and standard error kept.
#ifndef YDBCLN_TOOL_RUNTOOL_TEST_H_
#define YDBCLN_TOOL_RUNTOOL_TEST_H_

#include <gtest/gtest.h>
#include <sys/wait.h>

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
  ToolRun Tool(const std::vector<std::string>& args) {
    std::string command = Quote(YDBCLN_TOOL_PATH) + " --data " + Quote(dir_.str());
    for (const std::string& a : args) command += " " + Quote(a);
    const std::string out = File("stdout");
    const std::string err = File("stderr");
    command += " >" + Quote(out) + " 2>" + Quote(err);
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Slurp(out);
    run.err = Slurp(err);
    return run;
  }

  // A path in the data directory.
  std::string File(const std::string& name) const { return (dir_.path() / name).string(); }

  ytest::TempDir dir_;
};

}  // namespace tooltest

#endif  // YDBCLN_TOOL_RUNTOOL_TEST_H_
