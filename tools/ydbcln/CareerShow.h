// What the horse, jockey, trainer and sire commands show alike: a code
// checked before the data set is opened, runs as past-performance lines,
// and the totals of the runs (YRaceTotal) as tables by one or more groups,
// with the options that choose them (--by, --all-rows).
#ifndef YDBCLN_TOOL_CAREERSHOW_H_
#define YDBCLN_TOOL_CAREERSHOW_H_

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <vector>

#include <ydbcln/ydbcln.h>

namespace tool {

// True when `code` is `width` digits.
bool IsEntityCode(const std::string& code, std::size_t width);

// One run as a past-performance line: date and meeting, race, course and
// going, number, popularity, finish, jockey, weight, time; with `horse`
// the horse's name after the race (for a person's or a sire's runs).
std::string RunLine(const YRaceHorse& run, bool horse);
nlohmann::ordered_json RunJson(const YRaceHorse& run, bool horse);

// Which totals to show: the groups named by --by (a comma-separated list
// of course, style, month, jockey, trainer, popularity, weight, distance,
// carried, class, going, change, frame, number, odds, pace; or all), and
// whether rows without runs are shown (--all-rows).
struct TotalsChoice {
  std::string by = "course";
  bool all_rows = false;
};

// Adds --by and --all-rows to `cmd`; the choice is written to *choice.
void AddTotalsOptions(CLI::App* cmd, TotalsChoice* choice);

// The group numbers `choice.by` names, in table order; false (with the
// word refused in *bad) when a name is none of them.
bool TotalsGroups(const TotalsChoice& choice, std::vector<int>* groups, std::string* bad);

// The tables of `groups`: a heading per group, then a row per label with
// runs (every row with `all_rows`): label, 1st 2nd 3rd out, runs, and the
// win, top-two and top-three rates in percent.
void PrintTotals(const YRaceTotal& total, const std::vector<int>& groups, bool all_rows);

// The same as "by_<group>" members of `out`, every row: label, counts, runs,
// the rates in percent; a jockey's or trainer's row has its code too.
void TotalsJson(const YRaceTotal& total, const std::vector<int>& groups,
                nlohmann::ordered_json* out);

}  // namespace tool

#endif  // YDBCLN_TOOL_CAREERSHOW_H_
