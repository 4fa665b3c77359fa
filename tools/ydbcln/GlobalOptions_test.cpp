// Tests of the command line's convention on the small world: the global
// options read the same before and after every subcommand's name, and the
// exit codes say what went wrong (2 a bad argument, 1 something not there).
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

const char kRace[] = "052024010611";    // the small world's run race
const char kNoRace[] = "052024010612";  // well formed, not in the data set

class GlobalOptionsTest : public ToolTest {
 protected:
  // `ydbcln --data DIR --json args...` and `ydbcln args... --data DIR
  // --json` run alike; returns the first.
  ToolRun ExpectSameBothWays(const std::vector<std::string>& args) {
    std::vector<std::string> before = {"--data", dir_.str(), "--json"};
    before.insert(before.end(), args.begin(), args.end());
    std::vector<std::string> after = args;
    after.insert(after.end(), {"--data", dir_.str(), "--json"});
    const ToolRun first = RunToolAsGiven(dir_.str(), before);
    const ToolRun second = RunToolAsGiven(dir_.str(), after);
    EXPECT_EQ(first.exit_code, second.exit_code) << second.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(first.err, second.err);
    return first;
  }
};

TEST_F(GlobalOptionsTest, EverySubcommandPrintsTheSameBytesWithTheOptionsBeforeOrAfterIt) {
  ASSERT_EQ(Tool({"theory", "add", "--title", "堅実重視", "--item", "1:60"}).exit_code, 0);
  const std::vector<std::vector<std::string>> reads = {
      {"info"},
      {"factors"},
      {"theory", "list"},
      {"theory", "show", "1"},
      {"day", "20240106"},
      {"day", "20240106", "--card"},
      {"card", kRace, "--runs", "1"},
      {"result", kRace},
      {"pedigree", "2020011"},
      {"runner", kRace, "3"},
      {"odds", kRace},
      {"payouts", kRace},
      {"predict", "1", kRace},
      {"rank", kRace, "--factor", "8"},
      {"tickets", kRace, "--rank", "3,1", "--bet", "win", "--box", "1:1"},
      {"horse", "2020011"},
      {"check", "list", "horse"},
  };
  for (const std::vector<std::string>& args : reads) {
    SCOPED_TRACE(args.front() + " " + args.back());
    const ToolRun run = ExpectSameBothWays(args);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out, "");
    // The output is JSON, so --json reached the subcommand both ways.
    EXPECT_TRUE(nlohmann::json::accept(run.out)) << run.out;
  }

  // The subcommands that write: a theory and the data set go out and come
  // back in, and generation reaches its own check of the seasons.
  EXPECT_EQ(ExpectSameBothWays({"theory", "export", "1", File("one.thr")}).exit_code, 0);
  EXPECT_EQ(ExpectSameBothWays({"export", File("csv")}).exit_code, 0);
  EXPECT_EQ(ExpectSameBothWays({"import", File("csv")}).exit_code, 0);
  EXPECT_EQ(ExpectSameBothWays({"generate", "--seasons", "2016-2015"}).exit_code, 2);
}

TEST_F(GlobalOptionsTest, OneGlobalOptionMayStandBeforeAndAnotherAfterTheSubcommand) {
  const ToolRun split =
      RunToolAsGiven(dir_.str(), {"--json", "result", kRace, "--data", dir_.str()});
  EXPECT_EQ(split.exit_code, 0) << split.err;
  EXPECT_EQ(split.out, Tool({"--json", "result", kRace}).out);
}

TEST_F(GlobalOptionsTest, BadArgumentsExitTwoAndWhatIsNotThereExitsOne) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string words;
  };
  const std::vector<Case> cases = {
      {{"card", kRace, "--bogus"}, 2, "--bogus"},
      {{"nosuchcommand"}, 2, "nosuchcommand"},
      {{"card", "0520240106"}, 2, "a race code is 12 digits"},
      {{"day", "2024"}, 2, "YYYYMMDD"},
      {{"pedigree", "12"}, 2, "not a horse code"},
      {{"theory", "add", "--title", "t", "--item", "1"}, 2, "CODE:WEIGHT"},
      {{"tickets", "1234", "--rank", "1", "--bet", "win", "--box", "1:1"}, 2, "12 digits"},
      {{"tickets", kRace, "--rank", "1", "--bet", "exacta", "--box", "1:1"}, 2, "--bet is one of"},
      {{"generate", "--seasons", "2019-20x"}, 2, "--seasons wants A-B"},
      {{"odds", "0520240106"}, 2, "RACECODE wants 12 digits"},
      {{"runner", kRace, "19"}, 2, "NUMBER wants a horse number"},
      {{"payouts"}, 2, "payouts wants RACECODE"},
      {{"info", "--today", "2024"}, 2, "--today"},
      {{"--today", "20230229", "info"}, 2, "no calendar day"},
      {{"card", kNoRace}, 1, "no race card of " + std::string(kNoRace)},
      {{"result", kNoRace}, 1, "no result for"},
      {{"runner", kNoRace, "3"}, 1, "has no result"},
      {{"tickets", kNoRace, "--rank", "1", "--bet", "win", "--box", "1:1"}, 1, "no race"},
      {{"pedigree", "2099999"}, 1, "no pedigree"},
      {{"theory", "show", "9"}, 1, "no theory 9"},
      {{"odds", kNoRace}, 1, "no race " + std::string(kNoRace)},
      {{"payouts", "--load", File("none.bin")}, 1, "cannot read"},
      {{"import", File("none")}, 1, "is not a directory"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    const ToolRun run = Tool(c.args);
    ExpectRefused(run, c.words);
    EXPECT_EQ(run.exit_code, c.exit_code);
  }
  const ToolRun missing = RunToolAsGiven(dir_.str(), {"--data", File("missing"), "info"});
  ExpectRefused(missing, "cannot open the data set");
  EXPECT_EQ(missing.exit_code, 1);
}

TEST_F(GlobalOptionsTest, HelpIsNoError) {
  const ToolRun run = Tool({"card", "--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("RACECODE"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tooltest
