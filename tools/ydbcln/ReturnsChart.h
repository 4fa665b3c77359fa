// The chart of a return analysis as an SVG file: for each panel of
// categories (course, class, distance) the return rate of each as a bar
// over a dashed 100 % line and its hit rate as a dot, then the cumulative
// balance race day by race day as a line over the zero line.
#ifndef YDBCLN_TOOL_RETURNSCHART_H_
#define YDBCLN_TOOL_RETURNSCHART_H_

#include <string>
#include <vector>

namespace tool {

struct ChartCategory {
  std::string label;  // UTF-8
  int races = 0;      // 0: no bar and no dot
  double hit_rate = 0;     // percent
  double return_rate = 0;  // percent
};

struct ChartPanel {
  std::string title;  // UTF-8
  std::vector<ChartCategory> categories;
};

struct BalanceDay {
  int date = 0;           // YYYYMMDD
  long long balance = 0;  // yen returned less staked, up to and including the day
};

// Writes the chart titled `title` to `path`: false when it cannot be
// written.
bool WriteReturnsChart(const std::string& path, const std::string& title,
                       const std::vector<ChartPanel>& panels, const std::vector<BalanceDay>& days);

}  // namespace tool

#endif  // YDBCLN_TOOL_RETURNSCHART_H_
