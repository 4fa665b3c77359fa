// Tests of the generated world a data set keeps: `info` shows its seed and
// origin, and neither a generation of another seed nor an import that
// would replace its horses changes the store; bad seeds are bad arguments.
#include <filesystem>
#include <string>
#include <vector>

#include "RunTool_test.h"
#include "db/derived/DataSet.h"

namespace tooltest {
namespace {

class GeneratedWorldTest : public ToolTest {
 protected:
  // The small world, recorded as the world of seed 1 from 2015.
  void SetUp() override {
    ToolTest::SetUp();
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::OpenDataSet(File("ydbcln.db"), ydb::Database::Mode::kOpenExisting, &db);
    if (s.ok()) s = ydb::Writer(*db).claimWorld({1, 2015});
    ASSERT_TRUE(s.ok()) << s.message();
  }
};

TEST_F(GeneratedWorldTest, InfoShowsTheSeedAndOrigin) {
  const ToolRun text = Tool({"info"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("World:           generated, seed 1, origin 2015\n"), std::string::npos)
      << text.out;
  const nlohmann::json json = Json(Tool({"--json", "info"}));
  EXPECT_EQ(json["world"], (nlohmann::json{{"seed", 1}, {"origin", 2015}}));
}

TEST_F(GeneratedWorldTest, AnotherSeedOrAnImportOfItsHorsesIsRefusedAndChangesNothing) {
  ASSERT_EQ(Tool({"export", File("csv")}).exit_code, 0);
  const std::string before = Slurp(File("ydbcln.db"));

  const ToolRun other = Tool({"generate", "--seasons", "2016", "--seed", "2"});
  ExpectRefused(other, "holds the generated world of seed 1, origin 2015");
  EXPECT_EQ(other.exit_code, 1);

  const ToolRun imported = Tool({"import", File("csv")});
  ExpectRefused(imported, "horses.csv line 2: horse");
  EXPECT_NE(imported.err.find("generated world (seed 1, origin 2015)"), std::string::npos)
      << imported.err;
  EXPECT_EQ(imported.exit_code, 1);

  EXPECT_EQ(Slurp(File("ydbcln.db")), before);
  EXPECT_FALSE(std::filesystem::exists(File("ydbcln.db-wal")));
}

// Which seeds and days are of the form is the seed's and the date's own
// tests; here that the command refuses one of each before making a store.
TEST(GeneratedWorldSeedTest, ASeedOrEndDayOfAnotherFormIsABadArgument) {
  ytest::TempDir out;
  const std::string data = (out.path() / "world").string();
  ToolRun run = RunToolAsGiven(out.str(), {"--data", data, "generate", "--seasons", "2015", "--seed", "7x"});
  ExpectRefused(run, "--seed wants a whole number from 0 to 9223372036854775807");
  EXPECT_EQ(run.exit_code, 2);
  run = RunToolAsGiven(out.str(), {"--data", data, "generate", "--until", "20150230"});
  ExpectRefused(run, "--until wants a day as YYYYMMDD");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_FALSE(std::filesystem::exists(data));
}

}  // namespace
}  // namespace tooltest
