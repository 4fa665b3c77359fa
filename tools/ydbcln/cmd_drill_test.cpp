// `ydbcln drill` on the small world (one race of nine runners, two jockeys,
// one trainer and one sire): the counts of each step, narrowing with `and`,
// a walk that finds nothing, and the refusals.
#include <gtest/gtest.h>

#include "RunTool_test.h"

namespace {

using tooltest::ToolTest;

TEST_F(ToolTest, DrillWalksFromASearchThroughTheRelatedKinds) {
  struct Case {
    std::vector<std::string> steps;
    std::vector<int> counts;
    const char* kind;  // of the rows printed
    const char* first_code;
  };
  const Case cases[] = {
      // The race's runners (the scratched one included), and their sire.
      {{"races --name にゅーいやー", "horses", "sires"}, {1, 9, 1}, "sires", "1990001"},
      {{"races --name にゅーいやー", "runs"}, {1, 9}, "runs", "2020011"},
      // 01002 rode the odd numbers: the kind step's horses limit the search
      // that holds every runner's name.
      {{"jockeys --wins '>=1'", "horses", "and", "horses ランナー"}, {1, 5, 5}, "horses", "2020011"},
      {{"horses ランナー1", "trainers", "jockeys", "races"}, {1, 1, 2, 1}, "races", nullptr},
      // Across kinds: the races and runs of an offspring of the sires found.
      {{"races --name にゅーいやー", "and", "sires --wins '>=1'"}, {1, 1}, "races", nullptr},
      {{"horses ランナー1", "runs", "and", "sires --wins '>=1'"}, {1, 1, 1}, "runs", "2020011"},
      // A race search narrowing the runs reached from a horse.
      {{"horses ランナー2", "runs", "and", "races --from 20240101 --to 20241231"}, {1, 1, 1}, "runs",
       "2020012"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"drill"};
    args.insert(args.end(), c.steps.begin(), c.steps.end());
    args.push_back("--json");
    const nlohmann::json out = tooltest::Json(Tool(args));
    ASSERT_EQ(out["steps"].size(), c.counts.size()) << out.dump();
    for (std::size_t i = 0; i < c.counts.size(); ++i) {
      EXPECT_EQ(out["steps"][i]["count"], c.counts[i]) << c.steps[0] << " step " << i + 1;
    }
    ASSERT_EQ(out[c.kind].size(), static_cast<std::size_t>(c.counts.back())) << c.steps[0];
    if (c.first_code != nullptr) {
      const nlohmann::json& row = out[c.kind][0];
      EXPECT_EQ(row.contains("horse_code") ? row["horse_code"] : row["code"], c.first_code);
    }
    EXPECT_FALSE(out.contains("stopped_at")) << c.steps[0];
  }
  // As text: a line per step, then the rows as `search` prints them.
  const tooltest::ToolRun text = Tool({"drill", "races --name にゅーいやー", "sires"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out.find("1. races --name にゅーいやー: 1 race\n2. sires: 1 sire\n1990001  オールドキング"),
            0u) << text.out;
}

TEST_F(ToolTest, DrillStopsWhereAStepFindsNothing) {
  const nlohmann::json out = tooltest::Json(
      Tool({"drill", "races --name にゅーいやー", "horses", "and", "horses --wins '>=5'", "sires", "--json"}));
  ASSERT_EQ(out["steps"].size(), 3u);
  EXPECT_EQ(out["steps"][2]["count"], 0);
  EXPECT_EQ(out["stopped_at"], 3);
  EXPECT_EQ(out["horses"].size(), 0u);
  const tooltest::ToolRun text = Tool({"drill", "races --surface turf", "horses"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out, "1. races --surface turf: 0 races\nnothing found at step 1\n");
}

TEST_F(ToolTest, DrillRefusesAWrongStepInOneLine) {
  const std::vector<std::vector<std::string>> wrong = {
      {"races --surface grass", "horses"},   // the search's own refusal
      {"runs", "horses"},                    // no search of runs
      {"damsires キング", "horses"},         // not a kind the drill-down walks
      {"races --name x", "dams"},
      {"races --name x", "and"},
      {"races --name x", "and", "horses"},   // races do not combine with horses
      {"races --name x", "and", "races --grade G4"},
  };
  for (const auto& steps : wrong) {
    std::vector<std::string> args = {"drill"};
    args.insert(args.end(), steps.begin(), steps.end());
    const tooltest::ToolRun run = Tool(args);
    tooltest::ExpectRefused(run, "");
    EXPECT_EQ(run.exit_code, 2) << steps.back();
    EXPECT_EQ(run.out, "") << steps.back();
  }
}

}  // namespace
