// The horse and check commands on the small world: a horse's page as text
// and JSON, the mark set by one process and seen by the next, and the
// refusals of codes and kinds.
#include <string>

#include "RunTool_test.h"

namespace tooltest {
namespace {

class EntityCommandsTest : public ToolTest {};

TEST_F(EntityCommandsTest, AHorsesPageShowsItsRunsAndTotals) {
  const ToolRun text = Tool({"horse", "2020011"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("ランナー1  2020011"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("career  1- 0- 0- 0/  1"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("オールドキング"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("runs, latest first (1 of 1)"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("中山"), std::string::npos) << text.out;

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
