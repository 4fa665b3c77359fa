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
