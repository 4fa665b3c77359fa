// `ydbcln money --chart`: the year drawn as SVG that xmllint accepts, a
// point per day with tickets, and a chart that cannot be written refused.
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

TEST_F(ToolTest, MoneyDrawsTheYearIntoAnSvgChart) {
  ASSERT_EQ(Tool({"bet", "add", "052024010611", "--type", "win", "--combo", "2", "--stake",
                  "300", "--commit"}).exit_code, 0);
  const std::string path = File("money.svg");
  const ToolRun run = Tool({"money", "--year", "2024", "--chart", path});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string svg = Slurp(path);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  std::size_t points = 0;
  for (std::size_t at = svg.find("<circle"); at != std::string::npos;
       at = svg.find("<circle", at + 1)) {
    ++points;
  }
  EXPECT_EQ(points, 1u) << "one race day with tickets";
  EXPECT_NE(svg.find(">-300<"), std::string::npos) << "the lowest balance labels the scale";
  EXPECT_NE(svg.find("12月"), std::string::npos) << "month ticks";
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout " + Quote(path)).c_str()), 0);
  }
  const ToolRun unwritable =
      Tool({"money", "--year", "2024", "--chart", File("no/such/dir/money.svg")});
  ExpectRefused(unwritable, "cannot write the chart");
  EXPECT_EQ(unwritable.exit_code, 1);
}

}  // namespace
}  // namespace tooltest
