// The horse, jockey, trainer, sire and check commands on the small world:
// the pages as text and JSON, the periods and the totals' groups, the mark
// set by one process and seen by the next, and the refusals of codes,
// kinds and options.
#include <string>
#include <utility>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

class EntityCommandsTest : public ToolTest {};

TEST_F(EntityCommandsTest, AHorsesPageShowsItsRunsAndTotals) {
  const ToolRun text = Tool({"horse", "2020011"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("ランナー1  2020011"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("career  1- 0- 0- 0/  1"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("runs, latest first (1 of 1)"), std::string::npos) << text.out;

  const nlohmann::json json = Json(Tool({"horse", "2020011", "--json", "--runs", "0"}));
  EXPECT_EQ(json["code"], "2020011");
  EXPECT_EQ(json["runs"].size(), 0u);
  EXPECT_EQ(json["by_course"][5]["label"], "中山");
  EXPECT_EQ(json["by_course"][5]["first"], 1);
  EXPECT_EQ(json["by_course"][5]["win_rate"], 100.0);
  EXPECT_EQ(json["checked"], false);
}

TEST_F(EntityCommandsTest, AMarkSetByOneProcessIsSeenByTheNext) {
  ASSERT_EQ(Tool({"check", "add", "horse", "2020011"}).exit_code, 0);
  ASSERT_EQ(Tool({"check", "add", "jockey", "01002"}).exit_code, 0);
  EXPECT_NE(Tool({"horse", "2020011"}).out.find("✔ checked"), std::string::npos);
  EXPECT_EQ(Json(Tool({"horse", "2020011", "--json"}))["checked"], true);
  const ToolRun list = Tool({"check", "list", "jockey"});
  EXPECT_EQ(list.out, "01002  高橋三郎\n");
  ASSERT_EQ(Tool({"check", "remove", "horse", "2020011"}).exit_code, 0);
  EXPECT_EQ(Json(Tool({"horse", "2020011", "--json"}))["checked"], false);
  EXPECT_EQ(Tool({"check", "list", "horse"}).out, "");
}

// Every runner of the small world's race is the trainer's and the sire's,
// ridden by one of the two jockeys.
TEST_F(EntityCommandsTest, APersonsPageHoldsTheRunsOfItsPeriod) {
  int rides = 0;
  for (const char* jockey : {"01001", "01002"}) {
    const nlohmann::json page = Json(Tool({"jockey", jockey, "--json"}));
    EXPECT_EQ(page["code"], jockey);
    EXPECT_EQ(page["period"]["year"], 2024) << "the last year of results by default";
    EXPECT_EQ(page["runs"].size(), page["run_count"]);
    rides += page["run_count"].get<int>();
  }
  const nlohmann::json trainer = Json(Tool({"trainer", "02001", "--json", "--runs", "2"}));
  EXPECT_EQ(trainer["run_count"], 8);
  EXPECT_EQ(trainer["runs"].size(), 2u);
  EXPECT_EQ(rides, 8);
  const nlohmann::json sire = Json(Tool({"sire", "1990001", "--json"}));
  EXPECT_EQ(sire["run_count"], 8);
  EXPECT_EQ(sire["dams_sire"], false);
  EXPECT_EQ(sire["by_course"][5]["runs"], 8) << "every run at 中山";

  struct Period {
    std::vector<std::string> args;
    int runs;
  };
  const std::vector<Period> periods = {
      {{"--today", "20240131", "trainer", "02001", "--months", "1"}, 8},
      {{"--today", "20240301", "trainer", "02001", "--months", "1"}, 0},
      {{"trainer", "02001", "--year", "2023"}, 0},
  };
  for (const Period& p : periods) {
    std::vector<std::string> args = p.args;
    args.push_back("--json");
    EXPECT_EQ(Json(Tool(args))["run_count"], p.runs) << args.front() << " " << args[1];
  }

  const ToolRun text = Tool({"jockey", "01002", "--runs", "1"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("高橋三郎  01002"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("rides of 2024, latest first (1 of 4)"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("by racecourse"), std::string::npos) << text.out;
}

TEST_F(EntityCommandsTest, TotalsComeByTheGroupsAsked) {
  const nlohmann::json all = Json(Tool({"sire", "1990001", "--json", "--by", "all"}));
  const std::vector<std::pair<std::string, std::size_t>> sizes = {
      {"by_course", 11}, {"by_style", 4},    {"by_month", 12},   {"by_jockey", 2},
      {"by_trainer", 1}, {"by_popularity", 11}, {"by_weight", 22}, {"by_distance", 73},
      {"by_carried", 12}, {"by_class", 8},   {"by_going", 12},   {"by_change", 8},
      {"by_frame", 8},   {"by_number", 28},  {"by_odds", 11},    {"by_pace", 4}};
  for (const auto& group : sizes) {
    EXPECT_EQ(all[group.first].size(), group.second) << group.first << " has every row";
  }
  EXPECT_EQ(all["by_month"][0]["runs"], 8);
  EXPECT_EQ(all["by_trainer"][0]["code"], "02001");

  const nlohmann::json two = Json(Tool({"horse", "2020011", "--json", "--by", "month,jockey"}));
  EXPECT_FALSE(two.contains("by_course"));
  EXPECT_EQ(two["by_jockey"].size(), 1u);

  const ToolRun empty_hidden = Tool({"sire", "1990001", "--by", "month"});
  const ToolRun every_row = Tool({"sire", "1990001", "--by", "month", "--all-rows"});
  EXPECT_NE(empty_hidden.out.find("1月  "), std::string::npos) << empty_hidden.out;
  EXPECT_EQ(empty_hidden.out.find("2月  "), std::string::npos) << empty_hidden.out;
  EXPECT_NE(every_row.out.find("12月  "), std::string::npos) << every_row.out;
}

TEST_F(EntityCommandsTest, BadCodesAndKindsAreRefused) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string words;
  };
  const std::vector<Case> cases = {
      {{"horse", "202001"}, 2, "not a horse code"},
      {{"horse", "2099999"}, 1, "no horse 2099999"},
      {{"check", "add", "horse", "01001"}, 2, "7 digits"},
      {{"check", "add", "cat", "2020011"}, 2, "KIND is one of"},
      {{"check", "add", "sire", "2020011"}, 1, "no sire 2020011"},
      {{"check", "list", "owner"}, 2, "KIND is one of"},
      {{"jockey", "0100"}, 2, "not a jockey code (5 digits)"},
      {{"trainer", "2001x"}, 2, "not a trainer code"},
      {{"jockey", "09999"}, 1, "no jockey 09999"},
      {{"sire", "199000"}, 2, "not a sire code (7 digits)"},
      {{"sire", "1990002"}, 1, "no sire 1990002"},
      {{"jockey", "01001", "--by", "colour"}, 2, "--by takes"},
      {{"horse", "2020011", "--by", "course,,pace"}, 2, "--by takes"},
      {{"trainer", "02001", "--year", "2024", "--months", "3"}, 2, "excludes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    const ToolRun run = Tool(c.args);
    ExpectRefused(run, c.words);
    EXPECT_EQ(run.exit_code, c.exit_code);
  }
}

}  // namespace
}  // namespace tooltest
