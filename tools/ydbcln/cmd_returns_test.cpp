// Tests of `ydbcln returns` on the nine horses of the small world run three
// times: the week before its race, its race (horse 9 scratched) and two
// weeks after without horse 9 (eight runners). The horses finish in number
// order each time.
#include <cstdlib>
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

class ReturnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::Database::Open((dir_.path() / "ydbcln.db").string(),
                                        ydb::Database::Mode::kOpenOrCreate, &db);
    if (s.ok()) s = ydb::Writer(*db).write(ytest::MakeThreeRaceWorld());
    ASSERT_TRUE(s.ok()) << s.message();
    ASSERT_EQ(
        Json(Tool({"--json", "theory", "add", "--title", "着順重視", "--item", "8:100"}))["code"],
        1);
  }

  ToolRun Tool(const std::vector<std::string>& args) { return RunTool(dir_.str(), args); }

  ytest::TempDir dir_;
};

TEST_F(ReturnsTest, TotalsAgreeWithPredictAndFallInTheirRows) {
  const std::vector<std::string> wide = {"--from", "20231201", "--to", "20240131",
                                         "--bet",  "wide",     "--box", "1:3"};
  std::vector<std::string> args = {"--json", "returns", "1"};
  args.insert(args.end(), wide.begin(), wide.end());
  const json run = Json(Tool(args));
  args[1] = "predict";
  const json predicted = Json(Tool(args));
  const json& summary = run["summary"];
  EXPECT_EQ(summary["races"], predicted["total"]["races"]);
  EXPECT_EQ(summary["hit_races"], predicted["total"]["hit_races"]);
  EXPECT_EQ(summary["stake"], predicted["total"]["stake"]);
  EXPECT_EQ(summary["return"], predicted["total"]["return"]);
  EXPECT_EQ(summary["races"], 3);
  EXPECT_EQ(summary["largest"], 620);
  EXPECT_DOUBLE_EQ(summary["return_rate"].get<double>(),
                   100.0 * summary["return"].get<double>() / summary["stake"].get<double>());

  // 中山, 4歳上, open, 稍重, 1700 m of dirt.
  const json& tables = run["tables"];
  ASSERT_EQ(tables.size(), 7u);
  EXPECT_EQ(tables["course"].size(), 10u);
  EXPECT_EQ(tables["course"][5]["label"], "中山");
  EXPECT_EQ(tables["course"][5]["races"], 3);
  EXPECT_EQ(tables["age"][3]["races"], 3);
  EXPECT_EQ(tables["going"][1]["races"], 3);
  EXPECT_EQ(tables["dirt"][3]["label"], "1601～1800m");
  EXPECT_EQ(tables["dirt"][3]["stake"], summary["stake"]);
  EXPECT_EQ(tables["dirt"][8]["return"], summary["return"]);
  ASSERT_EQ(run["hits"].size(), summary["hit_races"].get<std::size_t>());
  EXPECT_EQ(run["hits"][0]["code"], "052024010611");
  EXPECT_EQ(run["hits"][0]["bet"], "wide");

  args = {"returns", "着順重視", "--hits"};
  args.insert(args.end(), wide.begin(), wide.end());
  const ToolRun text = Tool(args);
  ASSERT_EQ(text.exit_code, 0) << text.err;
  for (const std::string& words :
       {std::string("Races 3  hit races 2  hit rate 66.67%"), std::string("中山"),
        std::string("1601～1800m"), std::string("Jump races"), std::string("Races with a hit"),
        std::string("052024010611  wide  largest 520円 (2-3)  smallest 300円 (1-2)")}) {
    EXPECT_NE(text.out.find(words), std::string::npos) << words << "\n" << text.out;
  }
}

TEST_F(ReturnsTest, PlotIsAWellFormedSvgFile) {
  const std::string path = dir_.str() + "/returns <&>.svg";
  const ToolRun run = Tool({"returns", "1", "--from", "20231201", "--to", "20240131", "--bet",
                            "win", "--box", "1:2", "--plot", path});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string svg = Slurp(path);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  EXPECT_NE(svg.find("中山"), std::string::npos);
  EXPECT_NE(svg.find("<polyline"), std::string::npos) << "the balance by race day";
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout " + Quote(path)).c_str()), 0);
  }
  const ToolRun unwritable = Tool({"returns", "1", "--from", "20231201", "--to", "20240131",
                                   "--bet", "win", "--box", "1:1", "--plot",
                                   dir_.str() + "/no/such/dir/x.svg"});
  ExpectRefused(unwritable, "cannot write");
  EXPECT_EQ(unwritable.exit_code, 1);
}

TEST_F(ReturnsTest, RefusalsSayWhyInOneLine) {
  const std::vector<std::pair<std::vector<std::string>, int>> refusals = {
      {{"returns", "1", "--from", "20240131", "--to", "20231201", "--bet", "win"}, 2},
      {{"returns", "1", "--from", "2024013", "--to", "20240201", "--bet", "win"}, 2},
      {{"returns", "1", "--from", "20231201", "--to", "20240131", "--bet", "exacta"}, 2},
      {{"returns", "9", "--from", "20231201", "--to", "20240131", "--bet", "win", "--box", "1:1"},
       1},
  };
  for (const auto& [args, code] : refusals) {
    SCOPED_TRACE(args[1] + " " + args[3] + " " + args[7]);
    const ToolRun run = Tool(args);
    ExpectRefused(run, "");
    EXPECT_EQ(run.exit_code, code);
  }
}

}  // namespace
}  // namespace tooltest
