// Tests of several processes of the program on one data set at once:
// readers beside readers, and writers beside writers, never fail because
// another is there; a writer kept waiting says so.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

class ToolConcurrencyTest : public ToolTest {
 protected:
  // Runs `processes` shell loops at once, each running `ydbcln --data DIR
  // args...` `times` times; expects every run to succeed.
  void ExpectLoopsSucceed(int processes, int times, const std::vector<std::string>& args) {
    std::string run = Quote(YDBCLN_TOOL_PATH) + " --data " + Quote(dir_.str());
    for (const std::string& a : args) run += " " + Quote(a);
    std::string script;
    for (int p = 0; p < processes; ++p) {
      const std::string err = Quote(File("loop" + std::to_string(p)));
      script += "(i=0; while [ $i -lt " + std::to_string(times) + " ]; do i=$((i+1)); " + run +
                " >/dev/null 2>" + err + ".err || { echo \"exit $?: $(cat " + err +
                ".err)\" >>" + Quote(File("failures")) + "; }; done) &\n";
    }
    script += "wait\n";
    std::ofstream(File("loops.sh")) << script;
    ASSERT_EQ(std::system(("bash " + Quote(File("loops.sh"))).c_str()), 0);
    const std::string failures = Slurp(File("failures"));
    EXPECT_EQ(std::count(failures.begin(), failures.end(), '\n'), 0)
        << "of " << processes * times << " runs; the first: "
        << failures.substr(0, failures.find('\n'));
  }
};

TEST_F(ToolConcurrencyTest, ReadersBesideReadersNeverFail) {
  ExpectLoopsSucceed(4, 12, {"day", "20240106"});
  ASSERT_EQ(Tool({"theory", "add", "--title", "t", "--item", "1:60"}).exit_code, 0);
  ExpectLoopsSucceed(8, 6, {"theory", "list"});
}

TEST_F(ToolConcurrencyTest, WritersWaitForEachOtherAndAllAreKept) {
  ExpectLoopsSucceed(8, 8, {"theory", "add", "--title", "t", "--item", "1:60"});
  const nlohmann::json list = Json(Tool({"--json", "theory", "list"}));
  EXPECT_EQ(list.size(), 64u) << list.dump();
}

TEST_F(ToolConcurrencyTest, AWriterKeptWaitingSaysSoOnceAndGoesOn) {
  // This process writes to the store while the program adds a theory.
  std::unique_ptr<ydb::Database> db;
  ASSERT_TRUE(ydb::Database::Open(File("ydbcln.db"), ydb::Database::Mode::kOpenExisting, &db).ok());
  auto writing = std::make_unique<ydb::Transaction>(*db);
  ASSERT_TRUE(writing->begin_status().ok());
  ToolRun run;
  std::thread program([&] { run = Tool({"theory", "add", "--title", "t", "--item", "1:60"}); });
  const std::string line = "ydbcln: waiting for another process writing to the data set in " +
                           dir_.str() + "…\n";
  // The program says it waits (half a second into its wait); it goes on
  // waiting, saying nothing more, until this process is done.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(8);
  while (Slurp(File("stderr")) != line && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  writing.reset();
  program.join();
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, line);
  EXPECT_EQ(Json(Tool({"--json", "theory", "list"})).size(), 1u);
}

}  // namespace
}  // namespace tooltest
