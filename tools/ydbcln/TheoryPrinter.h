// Showing a theory result: the race, each factor's ranks and texts, the
// final order of its runners with their scores and picks, the tickets
// bought for one bet type, and for a run race the hits with their payouts,
// the stake, the return and the return rate. Shared by the subcommands
// that rank a race (tickets, predict).
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

// One factor of the theory that ranked the result, as the command line
// says it.
struct FactorNote {
  int factor = 0;          // catalogue code
  int weight = 0;
  int share = 0;           // the weight out of 100
  std::string parameters;  // in words (UTF-8): "±200 m, last 3 runs"
};

// What the result is shown with.
struct ResultReport {
  std::string ranking;     // what ranked the runners, in words (UTF-8)
  int bettype = 0;         // the tickets' bet type, 0 馬連 ... 4 複勝
  std::string method;      // how they were chosen, in words ("box 1:4")
  bool run = false;        // the race has been run: its hits are shown
  bool checked = false;    // settekichu answered true (false: no payouts of the pool)
  std::vector<int> odds;   // forecast win odds per runner slot, tenths; 0x7fffffff none
  bool tickets = true;     // false: none were bought (nominations have no horse numbers)
  // The theory's items, in item order; when given, each factor's headings
  // and each runner's rank and texts on it are shown before the order.
  std::vector<FactorNote> factors;
  // Whether to say when no factor had data for any runner (NoFactorData),
  // so that the order owes nothing to the theory: a line, and "no_data" in
  // JSON.
  bool tell_no_data = false;
};

// True when the result was ranked by factors and none of them had data for
// any runner: every factor rank is 0.
bool NoFactorData(const YTheoryResult& r);

// The bet type's name for the command line ("quinella"), and back (-1 for
// an unknown name).
std::string BetName(int bettype);
int BetType(const std::string& name);

// A factor rank as shown: "-" for 0 (no data for the factor).
std::string RankText(int rank);

// A ticket key of the result as text: "3-11" for a pair, "7" for a single
// horse.
std::string Combination(int key);

// An amount of money: "12,340円".
std::string Yen(long long amount);

// The return as a percentage of the stake; 0 for no stake.
double ReturnRate(long long stake, long long returned);

// The total of the hits' payouts.
long long Returned(const YTheoryResult& r);

// The runner slots in final order, equal final ranks by horse number.
std::vector<int> FinalOrder(const YTheoryResult& r);

// The forecast win odds of the result's runners, by slot, in tenths
// (YTheoryResult::kNoOdds when none).
std::vector<int> ForecastOdds(YHorseDB& db, const YTheoryResult& r);

// The race's code, date, meeting and name, its conditions, course and
// going: two lines, or a JSON object.
void PrintRaceHeader(const YTheoryResult& r, std::ostream& out);
nlohmann::json RaceJson(const YTheoryResult& r);

void PrintTheoryResult(const YTheoryResult& r, const ResultReport& report, std::ostream& out);
nlohmann::json TheoryResultJson(const YTheoryResult& r, const ResultReport& report);

}  // namespace tool

#endif  // YDBCLN_TOOL_THEORYPRINTER_H_
