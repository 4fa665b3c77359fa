// Tests of which commands may make a data set: reading commands refuse a
// directory without one and leave it as it was; `generate` and `import`
// make one, and leave nothing behind when they are refused.
#include <filesystem>
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

// The names in `dir`, apart from the files the test's runs write.
std::vector<std::string> Entries(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name != "stdout" && name != "stderr" && name != "csv") names.push_back(name);
  }
  return names;
}

TEST(DataSetCreationTest, ReadingCommandsRefuseADirectoryWithoutADataSet) {
  ytest::TempDir out;
  const std::string empty = (out.path() / "empty").string();
  std::filesystem::create_directory(empty);
  const std::string missing = (out.path() / "missing").string();
  std::ofstream(out.path() / "one.thr") << "not a theory";
  const std::vector<std::vector<std::string>> commands = {
      {"day"},
      {"theory", "list"},
      {"theory", "add", "--title", "t", "--item", "1:60"},
      {"theory", "import", (out.path() / "one.thr").string()},
      {"card", "052024010611"},
      {"pedigree", "2020011"},
      {"export", (out.path() / "csv").string()},
  };
  for (const std::string& dir : {empty, missing}) {
    for (const std::vector<std::string>& args : commands) {
      SCOPED_TRACE(dir + " " + args.front() + " " + args.back());
      std::vector<std::string> all = {"--data", dir};
      all.insert(all.end(), args.begin(), args.end());
      const ToolRun run = RunToolAsGiven(out.str(), all);
      ExpectRefused(run, "ydbcln generate");
      EXPECT_EQ(run.exit_code, 1);
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(empty));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DataSetCreationTest, AnEmptyDataOptionIsABadArgumentAndMakesNoStoreHere) {
  ytest::TempDir work;
  const std::string command = "cd " + Quote(work.str()) + " && " + Quote(YDBCLN_TOOL_PATH) +
                              " --data '' day >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST(DataSetCreationTest, ARefusedGenerateOrImportLeavesNothingBehind) {
  ytest::TempDir out;
  const std::string bad_csv = (out.path() / "csv").string();
  std::filesystem::create_directory(bad_csv);
  std::ofstream(bad_csv + "/races.csv") << "not,a,race\n";
  const std::vector<std::vector<std::string>> refused = {
      {"generate", "--seasons", "2010-2010"},  // before the world's origin
      {"import", bad_csv},
      {"import", (out.path() / "none").string()},
  };
  const std::filesystem::path empty = out.path() / "empty";
  const std::filesystem::path missing = out.path() / "new" / "set";
  for (const std::vector<std::string>& args : refused) {
    SCOPED_TRACE(args.front() + " " + args.back());
    std::filesystem::create_directory(empty);
    for (const std::filesystem::path& dir : {empty, missing}) {
      std::vector<std::string> all = {"--data", dir.string()};
      all.insert(all.end(), args.begin(), args.end());
      EXPECT_EQ(RunToolAsGiven(out.str(), all).exit_code, 1);
    }
    EXPECT_EQ(Entries(empty), std::vector<std::string>());
    EXPECT_FALSE(std::filesystem::exists(missing));
  }
}

}  // namespace
}  // namespace tooltest
