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
