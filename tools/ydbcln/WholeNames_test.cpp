// Names longer than the records' fields: the commands with room for them
// (result, card, horse, pedigree, as text and JSON) show them whole, and an
// ancestor known only by its Latin name is shown by it.
#include <memory>
#include <string>

#include "RunTool_test.h"

namespace tooltest {
namespace {

const std::string kRaceName = "朝日杯フューチュリティステークス";            // 32 bytes
const std::string kHorseName = "1ミライノホシハトオクマデカガヤイテ";          // 35 bytes
const std::string kOwnerName = "有限会社ノースヒルズマネジメントホールディングス";  // 48 bytes

class WholeNamesTest : public ToolTest {
 protected:
  void SetUp() override {
    ydb::Batch world = ytest::MakeWorld();
    world.owners[0].name = kOwnerName;
    world.horses[2].name = kHorseName;  // 2020011, the winner
    world.races[0].name = kRaceName;
    std::unique_ptr<ydb::Database> db;
    const std::string path = (dir_.path() / "ydbcln.db").string();
    ydb::Status s = ydb::Database::Open(path, ydb::Database::Mode::kOpenOrCreate, &db);
    if (s.ok()) s = ydb::Writer(*db).write(world);
    ASSERT_TRUE(s.ok()) << s.message();
  }
};

TEST_F(WholeNamesTest, HeadingsShowTheWholeNames) {
  const ToolRun result = Tool({"result", "052024010611"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.out.find("  " + kRaceName + "\n"), std::string::npos) << result.out;
  EXPECT_EQ(Json(Tool({"result", "052024010611", "--json"}))["name"], kRaceName);
  EXPECT_EQ(Json(Tool({"card", "052024010611", "--json"}))["name"], kRaceName);

  const ToolRun horse = Tool({"horse", "2020011"});
  ASSERT_EQ(horse.exit_code, 0) << horse.err;
  EXPECT_EQ(horse.out.find(kHorseName + "  2020011"), 0u) << horse.out;
  EXPECT_NE(horse.out.find("owner " + kOwnerName + "  "), std::string::npos) << horse.out;
  const nlohmann::json json = Json(Tool({"horse", "2020011", "--json"}));
  EXPECT_EQ(json["name"], kHorseName);
  EXPECT_EQ(json["owner"], kOwnerName);
  EXPECT_EQ(Json(Tool({"pedigree", "2020011", "--json"}))["name"], kHorseName);
}

TEST_F(WholeNamesTest, AnAncestorWithOnlyALatinNameIsShownByIt) {
  const ToolRun text = Tool({"pedigree", "2020012"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("dam   Far Away*\n"), std::string::npos) << text.out;
  const nlohmann::json json = Json(Tool({"pedigree", "2020012", "--json"}));
  EXPECT_EQ(json["dam"]["dam"]["dam"]["name"], "Far Away");
  EXPECT_EQ(json["dam"]["dam"]["dam"]["imported"], true);
}

}  // namespace
}  // namespace tooltest
