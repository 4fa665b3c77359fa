// import and export --format jvdata as the command line adds them: several
// files in one import, the summary on standard output (or as JSON), a
// refusal on standard error with nothing written, and the arguments each
// format takes.
#include <fstream>
#include <string>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using ExchangeCommandTest = ToolTest;

TEST_F(ExchangeCommandTest, JvDataFilesGoOutAndComeInWithASummary) {
  const std::string out = File("jv");
  ASSERT_EQ(Tool({"export", "--format", "jvdata", out}).exit_code, 0);

  ytest::TempDir copy;
  const ToolRun imported = RunTool(copy.str(), {"import", "--format", "jvdata", out + "/RA.txt",
                                                out + "/SE.txt", out + "/HR.txt", out + "/CH.txt",
                                                out + "/BN.txt", out + "/KS.txt"});
  EXPECT_EQ(imported.exit_code, 0) << imported.err;
  EXPECT_EQ(imported.out,
            "records read by type: BN 1 CH 1 HR 1 KS 2 RA 1 SE 9\n"
            "skipped: 0 (0 of unknown types)\n"
            "refused: 0\n"
            "written: 4 people, 0 horses, 1 races, 9 runners, 9 horses and people made from their runners' and horses' records, "
            "0 stored horses filled in from their foal records\n");
  EXPECT_EQ(RunTool(copy.str(), {"result", "052024010611"}).exit_code, 0);

  // With --json, the same summary as one object; the second import of the
  // same records writes the same again.
  const nlohmann::json again = Json(RunTool(copy.str(), {"--json", "import", "--format", "jvdata", out + "/RA.txt",
                                                         out + "/SE.txt", out + "/KS.txt"}));
  EXPECT_EQ(again["read"], (nlohmann::json{{"KS", 2}, {"RA", 1}, {"SE", 9}}));
  EXPECT_EQ(again["refused"], 0);
  EXPECT_EQ(again["written"]["races"], 1);
  EXPECT_EQ(again["written"]["runners"], 9);
}

TEST_F(ExchangeCommandTest, ARefusedRecordIsNamedAndNothingIsWritten) {
  // An RA of JRA's place A4, a country of several courses.
  std::string record(1270, ' ');
  record.replace(0, 21, "RA72024010820240106A4");
  const std::string file = File("bad.txt");
  std::ofstream(file, std::ios::binary) << record << "\r\n" << "ZZ720240108  \r\n";

  ytest::TempDir fresh;
  const ToolRun run = RunTool(fresh.str(), {"import", "--format", "jvdata", file});
  ExpectRefused(run, file + " line 1: RA JyoCD 'A4'");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.out.find("skipped: 1 (1 of unknown types)\nrefused: 1\n  " + file +
                         " line 1: RA JyoCD 'A4'"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("written: nothing\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(fresh.path() / "ydbcln.db")) << "no data set was made";
}

TEST_F(ExchangeCommandTest, AMissingFileIsItsErrorAlone) {
  ytest::TempDir fresh;
  const ToolRun run = RunTool(fresh.str(), {"import", "--format", "jvdata", File("missing.txt")});
  ExpectRefused(run, "missing.txt");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "") << "no summary of nothing read";
}

TEST_F(ExchangeCommandTest, EachFormatTakesItsOwnArguments) {
  ExpectRefused(Tool({"import", File("a"), File("b")}), "several files are JV-Data's");
  ExpectRefused(Tool({"export", "--format", "jvdata", File("a"), File("b")}),
                "export takes one directory");
  EXPECT_EQ(Tool({"import", "--format", "csv", File("a")}).exit_code, 2);
}

}  // namespace
}  // namespace tooltest
