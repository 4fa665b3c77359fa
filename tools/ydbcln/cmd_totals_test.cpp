// Tests of `ydbcln totals` and `ydbcln search races --totals` on the small
// world (one race: horses 1 to 8 finish in number order at popularity =
// place, horse 9 scratched): the category list, the rows' shape in text
// and JSON, the filters and --first, and the refusals.
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

TEST_F(ToolTest, TotalsListsItsCategoriesAndTotalsByOne) {
  const json list = Json(Tool({"--json", "totals", "--list"}));
  ASSERT_EQ(list.size(), 21u);
  EXPECT_EQ(list[5], json::parse(R"({"category": 5, "name": "人気", "title": "人気",
                                     "rows": "bands"})"));
  EXPECT_EQ(list[14]["rows"], "entities");

  const json byPopularity = Json(Tool({"--json", "totals", "--by", "人気", "--from", "20240101",
                                       "--to", "20240131"}));
  EXPECT_EQ(byPopularity["category"], 5);
  EXPECT_EQ(byPopularity["runs"], 9);
  EXPECT_EQ(byPopularity["horses"], 9);
  EXPECT_NE(byPopularity["conditions"].dump().find("2024"), std::string::npos)
      << byPopularity["conditions"];
  ASSERT_EQ(byPopularity["rows"].size(), 18u);
  EXPECT_EQ(byPopularity["rows"][0],
            json::parse(R"({"name": "1番人気", "key": "", "first": 1, "second": 0, "third": 0,
                            "unplaced": 0, "runs": 1, "win_rate": "100.0%",
                            "top2_rate": "100.0%", "top3_rate": "100.0%",
                            "return_rate": "350.0%"})"));

  // The first three favourites only; then the first two finishers only.
  const json filtered = Json(Tool({"--json", "totals", "--by", "3", "--pop", "1-3"}));
  ASSERT_EQ(filtered["rows"].size(), 2u) << "two jockeys";
  EXPECT_EQ(filtered["rows"][0]["runs"].get<int>() + filtered["rows"][1]["runs"].get<int>(), 3);
  const json first2 = Json(Tool({"--json", "totals", "--by", "馬", "--first", "2"}));
  EXPECT_EQ(first2["runs"], 2);
  EXPECT_EQ(first2["rows"].size(), 2u);

  const ToolRun text = Tool({"totals", "--by", "枠番", "--odds", "1.0-5.0"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("Totals by 枠番 of 9 runs, 9 horses"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("1枠"), std::string::npos);
  EXPECT_NE(text.out.find("  1-  0-  0-  0      1  100.0%  100.0%  100.0%  350.0%"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("  0-  0-  0-  0      0"), std::string::npos) << "odds above 5.0 out";
}

TEST_F(ToolTest, TotalsRefusesWhatItCannotTotal) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
      {{"totals"}, "--by CATEGORY or --list"},
      {{"totals", "--by", "21"}, "--by wants a category"},
      {{"totals", "--by", "人気", "--pop", "3-1"}, "--pop wants"},
      {{"totals", "--by", "人気", "--odds", "x"}, "--odds wants"},
      {{"totals", "--by", "人気", "--filter-age", "1"}, "--filter-age wants"},
      {{"totals", "--by", "人気", "--filter-class", "1勝"}, "--filter-class wants"},
      {{"totals", "--by", "人気", "--track", "sand"}, "--track wants"},
      {{"totals", "--by", "人気", "--first", "19"}, "--first wants"},
      {{"totals", "--by", "人気", "--from", "2024"}, "--from and --to"},
      {{"totals", "--by", "人気", "--runs-of", "horses", "--place", "東京"}, "--place chooses races"},
      {{"totals", "--by", "人気", "--runs-of", "horses", "--first", "2"}, "--first goes with"},
      {{"totals", "--by", "人気", "--runs-of", "horses --bogus"}, "is no search"},
      {{"totals", "--by", "人気", "--runs-of", "damsires"}, "relates to no other kind"},
  };
  for (const auto& r : refusals) {
    const ToolRun run = Tool(r.first);
    ExpectRefused(run, r.second);
    EXPECT_EQ(run.exit_code, 2) << r.second;
  }
}

TEST_F(ToolTest, TotalsTakeTheRunsOfWhatAnotherSearchFinds) {
  // Every horse's runs are the race's nine; one jockey's are his row of them.
  const json all = Json(Tool({"--json", "totals", "--by", "騎手", "--runs-of", "horses"}));
  EXPECT_EQ(all["runs"], 9);
  ASSERT_EQ(all["rows"].size(), 2u);
  const json& row = all["rows"][1];
  const json his = Json(Tool({"--json", "totals", "--by", "馬", "--runs-of",
                              "jockeys " + row["name"].get<std::string>()}));
  EXPECT_EQ(his["runs"], row["runs"]);
  EXPECT_LT(his["runs"].get<int>(), 9);
  EXPECT_EQ(his["conditions"][0], "runs of: jockeys " + row["name"].get<std::string>());
}

TEST_F(ToolTest, SearchRacesTotalsTheRacesFound) {
  const json found = Json(Tool({"--json", "search", "races", "--from", "20240101", "--totals"}));
  const json& totals = found["totals"];
  EXPECT_EQ(totals["races"], json::parse(R"(["052024010611"])"));
  ASSERT_EQ(totals["payouts"].size(), 5u);
  EXPECT_EQ(totals["payouts"][1], json::parse(R"({"pool": "place", "count": 3, "smallest": 130,
                                                  "largest": 210, "average": 167})"));
  ASSERT_EQ(totals["frames"].size(), 8u);
  ASSERT_EQ(totals["numbers"].size(), 18u);
  EXPECT_EQ(totals["favourites"][1]["second"], 1);
  EXPECT_EQ(totals["frames"][7]["runs"], 1) << "horse 9 of frame 8 was scratched";
  EXPECT_FALSE(Json(Tool({"--json", "search", "races", "--from", "20240101"})).contains("totals"));

  const ToolRun text = Tool({"search", "races", "--from", "20240101", "--totals"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("Totals of 1 races"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("wide            3      300      520      410"), std::string::npos)
      << text.out;
}

}  // namespace
}  // namespace tooltest
