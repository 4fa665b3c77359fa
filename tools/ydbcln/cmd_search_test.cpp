// `ydbcln search races` and `ydbcln search horses` on the small world: the
// conditions and what they find, the same in JSON, and refusals with exit 2
// and the reason.
#include <gtest/gtest.h>

#include "RunTool_test.h"

namespace {

using tooltest::ToolTest;

TEST_F(ToolTest, SearchRacesFindsByConditionsAndPrintsThem) {
  const nlohmann::json found =
      tooltest::Json(Tool({"search", "races", "--name", "にゅーいやー", "--json", "--text"}));
  ASSERT_EQ(found["races"].size(), 1u);
  EXPECT_EQ(found["races"][0]["runners"], 9);
  EXPECT_EQ(found["text"], "N=にゅーいやー");  // the name as given; the search normalises it
  EXPECT_EQ(found["conditions"]["name"], "にゅーいやー");
  EXPECT_FALSE(found["conditions"].contains("period"));

  const nlohmann::json none = tooltest::Json(
      Tool({"search", "races", "--from", "20240101", "--to", "20241231", "--surface", "turf", "--json"}));
  EXPECT_EQ(none["races"].size(), 0u);
  EXPECT_EQ(none["conditions"]["surfaces"], "芝");

  // A hostile name is only a name: nothing is found and nothing changes.
  const tooltest::ToolRun hostile = Tool({"search", "races", "--name", "'; DROP TABLE race; --"});
  EXPECT_EQ(hostile.exit_code, 0) << hostile.err;
  EXPECT_NE(hostile.out.find("0 races"), std::string::npos);
  const tooltest::ToolRun text = Tool({"search", "races", "--place", "中山", "--distance", "1700"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("1 race\n"), std::string::npos) << text.out;
}

TEST_F(ToolTest, SearchRacesRefusesABadConditionWithItsReason) {
  tooltest::ToolRun run = Tool({"search", "races", "--distance", "10000-20000"});
  tooltest::ExpectRefused(run, "at byte");
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "races", "--surface", "grass"});
  tooltest::ExpectRefused(run, "--surface wants turf, dirt or jump");
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "races", "--name", "x", "--grade", "G4"});
  EXPECT_EQ(run.exit_code, 2);
  // A search by period has no grade: it is refused, not ignored.
  run = Tool({"search", "races", "--grade", "G1"});
  tooltest::ExpectRefused(run, "--name");
  EXPECT_EQ(run.exit_code, 2);
}

// The small world's one race (中山, 1回2日, right-handed inner dirt on rail A,
// fine, middle pace, quinella ¥880, win ¥350, horse 9 scratched): each option
// finds it on its value and not on a neighbouring one, so a choice mapped to
// the wrong bit or a bound read the wrong way round fails.
TEST_F(ToolTest, SearchRacesTakesEachConditionOfTheDetailedSearch) {
  const auto count = [&](std::vector<std::string> options) {
    options.insert(options.begin(), {"search", "races"});
    options.push_back("--json");
    const tooltest::ToolRun run = Tool(options);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return tooltest::Json(run)["races"].size();
  };
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
      {{"--year", "2024", "--place", "中山", "--meeting", "1:2"},
       {"--year", "2024", "--place", "中山", "--meeting", "1:3"}},
      {{"--year", "2024", "--place", "中山", "--meeting", "1"},
       {"--year", "2023", "--place", "中山", "--meeting", "1"}},
      {{"--year", "2024", "--place", "中山", "--meeting", "1:1-2:8"},
       {"--year", "2024", "--place", "東京", "--meeting", "1"}},
      {{"--payout", "quinella=880-900"}, {"--payout", "quinella=881-"}},
      {{"--payout", "win=-350", "--payout", "wide=300-"}, {"--payout", "win=-349"}},
      {{"--course", "A,C"}, {"--course", "B,A1"}},
      {{"--direction", "right,straight"}, {"--direction", "left"}},
      {{"--pace", "M"}, {"--pace", "H,S"}},
      {{"--weather", "晴"}, {"--weather", "曇,小雨"}},
      {{"--incident", "取消"}, {"--incident", "落馬,除外"}},
  };
  for (const auto& [found, missed] : cases) {
    EXPECT_EQ(count(found), 1u) << found.back();
    EXPECT_EQ(count(missed), 0u) << missed.back();
  }
  // The meeting names its days in the conditions; --runs lists the race's
  // runs, the scratched one too.
  const nlohmann::json runs = tooltest::Json(Tool(
      {"search", "races", "--year", "2024", "--place", "中山", "--meeting", "1", "--runs", "--json"}));
  EXPECT_EQ(runs["conditions"]["period"], "1回1日～1回12日");
  EXPECT_EQ(runs["runs"].size(), 9u);
  // The small world's race names no circuit: the option is seen in its text.
  EXPECT_EQ(tooltest::Json(Tool({"search", "races", "--circuit", "outer", "--json", "--text"}))["text"],
            "TF=20240101&TT=20241231&US=1");
  EXPECT_EQ(tooltest::Json(Tool({"search", "races", "--place", "東京", "--runs", "--json"}))["runs"],
            nlohmann::json::array());

  for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
           {"--meeting", "1"},                                      // no year
           {"--year", "2024", "--meeting", "1"},                    // every racecourse
           {"--year", "2024", "--place", "中山,東京", "--meeting", "1"},
           {"--year", "2024", "--place", "中山", "--meeting", "2-1"},  // backwards
           {"--year", "2024", "--place", "中山", "--meeting", "1:13"},
           {"--year", "2024", "--from", "20240101"},                // a year without a meeting
           {"--payout", "exacta=100-200"}, {"--payout", "win=500-100"}, {"--payout", "win=-"},
           {"--circuit", "middle"}, {"--incident", "逸走"}}) {
    std::vector<std::string> args = {"search", "races"};
    args.insert(args.end(), refused.begin(), refused.end());
    EXPECT_EQ(Tool(args).exit_code, 2) << refused.back();
  }
}

TEST_F(ToolTest, SearchHorsesFindsByNameParentsAndCareer) {
  const nlohmann::json found = tooltest::Json(Tool({"search", "horses", "らんなー", "--sire",
                                                    "キング", "--wins", ">=1", "--json", "--text"}));
  ASSERT_EQ(found["horses"].size(), 1u);
  EXPECT_EQ(found["horses"][0]["code"], "2020011");
  EXPECT_EQ(found["horses"][0]["record"], "1-  0-  0-  0/   1");
  EXPECT_EQ(found["text"], "N=ランナー&T=1&1=1>&FN=キング");

  const tooltest::ToolRun trained = Tool({"search", "horses", "--which", "training", "--sex", "牝"});
  EXPECT_EQ(trained.exit_code, 0) << trained.err;
  EXPECT_NE(trained.out.find("0 horses"), std::string::npos) << trained.out;
  const tooltest::ToolRun retired = Tool({"search", "horses", "--which", "retired"});
  EXPECT_NE(retired.out.find("2 horses"), std::string::npos) << retired.out;

  tooltest::ToolRun run = Tool({"search", "horses", "--wins", "3"});
  tooltest::ExpectRefused(run, "--wins wants >=N");
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "horses", "--which", "some"});
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "horses", "--sire", std::string(70, 'x')});
  tooltest::ExpectRefused(run, "at byte");
  EXPECT_EQ(run.exit_code, 2);
}

}  // namespace

namespace {

using tooltest::ToolTest;

// The people's searches: what their readable options fill in, the rows as
// JSON, refusals.
TEST_F(ToolTest, SearchPeopleFillTheirConditionsFromReadableOptions) {
  struct Case {
    std::vector<std::string> args;
    const char* kind;
    const char* text;
  };
  const Case cases[] = {
      {{"jockeys", "--affiliation", "栗東", "--age", "41+", "--wins-this-year", ">=5",
        "--qualification", "平地"},
       "jockeys", "T=1&P=1&A=41+&WNH=5>&M=2"},
      {{"trainers", "--centre", "other", "--first-year", "1990", "--win-rate", "<100"},
       "trainers", "T=1&P=0&AN=00001990&1R=100-"},
      {{"sires", "--which", "ran", "--age", "15+", "--distance", "長", "--wins", "!=0"}, "sires",
       "T=3&A=15+&K=3&1=0!"},
      {{"damsires", "--which", "none"}, "damsires", "T=4"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"search"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"--json", "--text"});
    const nlohmann::json found = tooltest::Json(Tool(args));
    EXPECT_EQ(found["text"], c.text) << c.kind;
    ASSERT_TRUE(found[c.kind].is_array()) << c.kind;
    for (const auto& row : found[c.kind]) EXPECT_TRUE(row.contains("code")) << c.kind;
  }
  const tooltest::ToolRun every = Tool({"search", "jockeys"});
  EXPECT_EQ(every.exit_code, 0) << every.err;
  EXPECT_NE(every.out.find(" jockeys\n"), std::string::npos) << every.out;
}

TEST_F(ToolTest, SearchPeopleRefuseBadOptions) {
  tooltest::ToolRun run = Tool({"search", "jockeys", "--age", "99"});
  tooltest::ExpectRefused(run, "--age wants");
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "trainers", "--wins", "5"});
  tooltest::ExpectRefused(run, "--wins wants");
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "sires", "--which", "everyone"});
  EXPECT_EQ(run.exit_code, 2);
  run = Tool({"search", "jockeys", "--stable", "A&B"});
  tooltest::ExpectRefused(run, "refused its condition");
  EXPECT_EQ(run.exit_code, 2);
}

}  // namespace
