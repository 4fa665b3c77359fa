// Showing a theory result: the race, the final order of its runners with
// their scores, the tickets bought for one bet type, and for a run race
// the hits with their payouts, the stake, the return and the return rate.
// Shared by the subcommands that rank a race (tickets, predict).
#ifndef YDBCLN_TOOL_THEORYPRINTER_H_
#define YDBCLN_TOOL_THEORYPRINTER_H_

#include <ydbcln/ydbcln.h>

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace tool {

// A ticket costs 100 yen.
constexpr int kStake = 100;

// What the result is shown with.
struct ResultReport {
  std::string ranking;     // what ranked the runners, in words (UTF-8)
  int bettype = 0;         // the tickets' bet type, 0 馬連 ... 4 複勝
  std::string method;      // how they were chosen, in words ("box 1:4")
  bool run = false;        // the race has been run: its hits are shown
  bool checked = false;    // settekichu answered true (false: no payouts of the pool)
  std::vector<int> odds;   // forecast win odds per runner slot, tenths; 0x7fffffff none
};

// The bet type's name for the command line ("quinella"), and back (-1 for
// an unknown name).
std::string BetName(int bettype);
int BetType(const std::string& name);

// A ticket key of the result as text: "3-11" for a pair, "7" for a single
// horse.
std::string Combination(int key);

// The total of the hits' payouts.
long long Returned(const YTheoryResult& r);

void PrintTheoryResult(const YTheoryResult& r, const ResultReport& report, std::ostream& out);
nlohmann::json TheoryResultJson(const YTheoryResult& r, const ResultReport& report);

}  // namespace tool

#endif  // YDBCLN_TOOL_THEORYPRINTER_H_
