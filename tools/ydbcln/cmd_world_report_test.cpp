// `ydbcln world-report` as a terminal shows it: every figure's value
// starts in one column, whatever its label holds (a yen sign, a word in
// Japanese).
#include <set>
#include <sstream>
#include <string>

#include "RunTool_test.h"

namespace tooltest {
namespace {

// Terminal columns of `utf8`: East Asian wide characters (U+1100 up, but
// the half-width katakana U+FF61-U+FF9F) take two, the others one.
int Columns(const std::string& utf8) {
  int columns = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    columns += code >= 0x1100 && !(code >= 0xFF61 && code <= 0xFF9F) ? 2 : 1;
    i += length;
  }
  return columns;
}

TEST_F(ToolTest, WorldReportLinesUpItsValuesByTerminalColumns) {
  const ToolRun run = Tool({"world-report"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::istringstream lines(run.out);
  std::set<int> value_columns;
  bool yen = false;
  int figures = 0;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t band = line.find("  [");
    if (band == std::string::npos) continue;
    ++figures;
    yen = yen || line.find("¥") < band;
    const std::size_t value = line.rfind(' ', band - 1) + 1;  // the value ends the label's padding
    value_columns.insert(Columns(line.substr(0, value)));
  }
  EXPECT_GT(figures, 20) << run.out;
  EXPECT_TRUE(yen) << "a label with a character wider in bytes than in columns" << run.out;
  EXPECT_EQ(value_columns.size(), 1u) << run.out;
}

}  // namespace
}  // namespace tooltest
