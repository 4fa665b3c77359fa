// Rows of finishing counts as the totals commands show them (totals, and
// search races --totals): "1st-2nd-3rd-unplaced", the runs and the three
// rates as "33.3%", in text and in JSON; and the search race totals whole.
#ifndef YDBCLN_TOOL_CMD_TOTALS_ROWS_H_
#define YDBCLN_TOOL_CMD_TOTALS_ROWS_H_

#include <nlohmann/json.hpp>

#include <string>

#include <ydbcln/money/YRaceTotalEx.h>

namespace tool {

// One row's counts and rates (rates in tenths of a percent).
struct CountsRow {
  int first, second, third, unplaced;
  int winrate, renrate, fukurate;
  int runs() const { return first + second + third + unplaced; }
};

// A rate in tenths of a percent as "33.3%".
std::string RateText(int tenths);

// "  3-  0-  1- 12     16   18.8%   18.8%   25.0%"
std::string CountsLine(const CountsRow& row);
// {"first": .., "second": .., "third": .., "unplaced": .., "runs": ..,
//  "win_rate": "18.8%", "top2_rate": .., "top3_rate": ..}
nlohmann::json CountsJson(const CountsRow& row);

// The search race totals: the payouts by pool, then the frame, number and
// favourite rows that hold runs, then the races counted; as text on
// standard output, or into `json` when it is given.
void ShowRaceTotalsEx(YRaceTotalEx& totals, nlohmann::json* json);

}  // namespace tool

#endif  // YDBCLN_TOOL_CMD_TOTALS_ROWS_H_
