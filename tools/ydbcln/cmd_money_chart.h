// The money command's chart: a year of betting drawn as SVG. The top panel
// is the running balance by race day (a point a day, placed by its date in
// the year) over a dashed zero line with a tick at each month, scaled
// between the series' lowest and highest values; the bottom panel the
// money staked and returned in each month, side by side.
#ifndef YDBCLN_TOOL_CMD_MONEY_CHART_H_
#define YDBCLN_TOOL_CMD_MONEY_CHART_H_

#include <string>

#include <ydbcln/money/YMoney.h>

namespace tool {

// Draws the year `year` of `money` (after exec) into `path`: false when the
// file cannot be written whole.
bool WriteMoneyChart(YMoney& money, int year, const std::string& path);

}  // namespace tool

#endif  // YDBCLN_TOOL_CMD_MONEY_CHART_H_
