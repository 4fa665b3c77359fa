// `ydbcln find` and `ydbcln day --month` on the small world: names by a
// keyword however its kana are typed, races from runs by each way of
// asking, the month's race days, and refusals with exit 2.
#include <gtest/gtest.h>

#include "RunTool_test.h"

namespace {

using tooltest::Json;
using tooltest::ToolTest;

TEST_F(ToolTest, FindNamesListsEveryKindTypedInAnyKana) {
  const nlohmann::json katakana = Json(Tool({"find", "names", "ランナー", "--json"}));
  ASSERT_EQ(katakana["horse"].size(), 9u);
  EXPECT_EQ(katakana["horse"][0]["name"], "ランナー1");
  EXPECT_EQ(katakana["horse"][0]["code"], "2020011");
  EXPECT_EQ(katakana["sire"].size(), 0u);
  for (const char* typed : {"らんなー", "ﾗﾝﾅｰ"}) {
    EXPECT_EQ(Json(Tool({"find", "names", typed, "--json"})), katakana) << typed;
  }
  const nlohmann::json pattern = Json(Tool({"find", "names", "らんなー?", "--kind", "horse", "--json"}));
  EXPECT_EQ(pattern.size(), 1u);
  EXPECT_EQ(pattern["horse"], katakana["horse"]);

  const nlohmann::json sire = Json(Tool({"find", "names", "おーるど", "--kind", "sire", "--json"}));
  ASSERT_EQ(sire["sire"].size(), 1u);
  EXPECT_EQ(sire["sire"][0]["code"], "1990001");
  const nlohmann::json breeder = Json(Tool({"find", "names", "牧場", "--json"}));
  ASSERT_EQ(breeder["breeder"].size(), 1u);
  EXPECT_EQ(breeder["breeder"][0]["name"], "北の牧場");
  EXPECT_FALSE(breeder["breeder"][0].contains("code"));
  const nlohmann::json owner = Json(Tool({"find", "names", "ほわいと", "--kind", "owner", "--json"}));
  ASSERT_EQ(owner["owner"].size(), 1u);
  EXPECT_EQ(owner["owner"][0]["code"], "100001");

  const tooltest::ToolRun text = Tool({"find", "names", "ノーザン"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("horse: 1\n  1990002  ノーザンスター"), std::string::npos) << text.out;
  tooltest::ExpectRefused(Tool({"find", "names", "x", "--kind", "cow"}), "--kind wants");
}

TEST_F(ToolTest, FindRacesFromRunsEachWay) {
  auto races = [&](const std::vector<std::string>& args) {
    std::vector<std::string> all = {"find", "races", "--json"};
    all.insert(all.end(), args.begin(), args.end());
    return Json(Tool(all))["races"].size();
  };
  EXPECT_EQ(races({"--horses", "2020011", "2020012"}), 1u);
  EXPECT_EQ(races({"--horses", "2020011", "1990001"}), 0u);
  EXPECT_EQ(races({"--horse", "らんなー1", "--jockey", "01002"}), 1u);
  EXPECT_EQ(races({"--horse", "ﾗﾝﾅｰ1", "--jockey", "01001"}), 0u);
  EXPECT_EQ(races({"--sire", "1990001", "--year", "2024", "--popularity", "<=3", "--finish", "<=3"}), 1u);
  EXPECT_EQ(races({"--sire", "1990001", "--year", "2023"}), 0u);
  // Weight changes of the runners: horse n changed by n - 5 kg; 9 was scratched.
  EXPECT_EQ(races({"--weight-change", ">=3", "--year", "2024"}), 1u);
  EXPECT_EQ(races({"--weight-change", ">=3", "--year", "2024", "--finish", "=7"}), 0u);
  EXPECT_EQ(races({"--weight-change", ">=4", "--year", "2024"}), 0u);

  const tooltest::ToolRun text = Tool({"find", "races", "--horses", "2020011", "2020019"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("1 race\n052024010611"), std::string::npos) << text.out;

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{},
                                             {"--sire", "1990001"},
                                             {"--horse", "x"},
                                             {"--sire", "1990001", "--year", "2024", "--finish", "3"},
                                             {"--weight-change", "10", "--year", "2024"},
                                             {"--horses", "2020011", "2020012", "--sire", "1990001"}}) {
    std::vector<std::string> all = {"find", "races"};
    all.insert(all.end(), bad.begin(), bad.end());
    const tooltest::ToolRun run = Tool(all);
    tooltest::ExpectRefused(run, "");
    EXPECT_EQ(run.exit_code, 2) << run.err;
  }
}

TEST_F(ToolTest, DayMonthListsTheMonthsRaceDays) {
  for (const char* kind : {"results", "cards"}) {
    std::vector<std::string> args = {"day", "20240120", "--month", "--json"};
    if (std::string(kind) == "cards") args.push_back("--card");
    const nlohmann::json month = Json(Tool(args));
    EXPECT_EQ(month["month"], 202401);
    EXPECT_EQ(month["kind"], kind);
    ASSERT_EQ(month["days"].size(), 1u);
    EXPECT_EQ(month["days"][0]["date"], 20240106);
    EXPECT_EQ(month["days"][0]["venues"][0]["place"], "中山");
  }
  EXPECT_EQ(Json(Tool({"day", "20240220", "--month", "--json"}))["days"].size(), 0u);
  const tooltest::ToolRun text = Tool({"day", "20240131", "--month"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("2024年1月: 1 race days with results"), std::string::npos) << text.out;
}

}  // namespace
