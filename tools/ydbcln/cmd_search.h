// The condition searches in the pieces `ydbcln search` and `ydbcln drill`
// share: each search subcommand reads its options into a request (parse),
// the request sets up a search on the data set with its conditions held,
// the search runs, and its rows print as lines or JSON (print).
//
//   CLI::App parser;
//   AddSearches(&parser, [&](SearchRequest r) { request = std::move(r); });
//   parser.parse("horses --sire キング --wins '>=3'", false);
//   AnySearch search;
//   if (request.refused == 0 && request.make(db, &search) == 0) RunSearch(search);
#ifndef YDBCLN_TOOL_CMD_SEARCH_H_
#define YDBCLN_TOOL_CMD_SEARCH_H_

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <ydbcln/ydbcln.h>

#include <db/api/ydbbsn.h>

#include "Command.h"
#include "Display.h"

namespace tool {

// A search of one of the kinds the drill-down walks: races, runs, horses,
// jockeys, trainers, sires.
using AnySearch =
    std::variant<std::unique_ptr<YSearchDetailRace>, std::unique_ptr<YSearchRaceHorse>,
                 std::unique_ptr<YSearchHorse>, std::unique_ptr<YSearchJockey>,
                 std::unique_ptr<YSearchStable>, std::unique_ptr<YSearchSire>>;

// The word of each kind, in the order of AnySearch: "races", "runs", ...
extern const char* const kSearchKinds[std::variant_size_v<AnySearch>];

// Runs the conditions the search holds: the number found, or -1.
int RunSearch(AnySearch& search);

// A subcommand of `search` with its options read.
struct SearchRequest {
  std::string kind;   // races, horses, jockeys, trainers, sires or damsires
  int refused = 0;    // the exit code of options refused (their line printed), else 0
  // Sets the search up on the open data set, its conditions held and not
  // yet run: 0, or the exit code after one line on standard error. Null for
  // a search the drill-down does not walk (the dam's sires).
  std::function<int(YHorseDB& db, AnySearch* search)> make;
  // Runs the subcommand as `search` does, from opening the data set to
  // printing: the exit code.
  std::function<int(const Options& options)> run;
};

// The `make` of a search of `Search`'s kind under the conditions `c`
// (setparam): a condition the search refuses is exit 2 with the reason.
template <typename Search, typename Conditions>
std::function<int(YHorseDB&, AnySearch*)> MakeWith(const Conditions& c) {
  return [c](YHorseDB& db, AnySearch* search) {
    auto made = std::make_unique<Search>(&db);
    if (made->setparam(c) != 0) {
      return Fail(std::string("the search refused its condition: ") + get_db_error());
    }
    *search = std::move(made);
    return 0;
  };
}

using TakeRequest = std::function<void(SearchRequest request)>;

// Adds the subcommands of `search` to `parent` (races, horses, jockeys,
// trainers, sires, damsires); each hands `take` its request once its
// options are read.
void AddSearches(CLI::App* parent, const TakeRequest& take);
void AddSearchRaces(CLI::App* parent, const TakeRequest& take);   // cmd_search_races.cpp
void AddSearchHorses(CLI::App* parent, const TakeRequest& take);  // cmd_search_horses.cpp
void AddSearchPeople(CLI::App* parent, const TakeRequest& take);  // cmd_search_people.cpp

// Reads a search given in one argument as `search` reads its arguments
// ("horses --sire キング --wins >=3"): 0 with the request in *out, or exit 2
// after one line (words that are no search, options refused, or a search of
// the dam's sires, which no other kind relates to).
int ReadSearchWords(const std::string& words, SearchRequest* out);

// One row found, as a line and as JSON.
struct FoundRow {
  std::string line;
  nlohmann::json json;
};

// The rows of each kind.
FoundRow RowOf(YRaceList* race);      // cmd_search_races.cpp
FoundRow RowOf(YRaceHorse* run);
FoundRow RowOf(YHorseList* horse);    // cmd_search_horses.cpp
FoundRow RowOf(YJockeyList* jockey);  // cmd_search_people.cpp
FoundRow RowOf(YStableList* trainer);
FoundRow RowOf(YSireList* sire);
FoundRow RowOf(YDimSireList* damsire);

// Every row the search holds (none when it holds no search).
std::vector<FoundRow> RowsOf(AnySearch& search);

// A part a kind prints before or after its rows: into the JSON object
// `out`, or as lines when `out` is null.
using ShowPart = std::function<void(nlohmann::json* out)>;

// Prints what a search found as `search` prints it: `head`, the condition
// text (when given), the count of `kind` ("horses", one "horse") and the
// rows, then `tail`; with --json one object holding the rows under `kind`.
void ShowFound(const Options& options, const std::string& kind, const std::vector<FoundRow>& rows,
               const std::string* text, const ShowPart& head = {}, const ShowPart& tail = {});

// Opens the data set, sets the request's search up and runs it, keeping it
// in *search with its count in *found: 0, or the exit code after one line.
int OpenAndRun(const Options& options, const SearchRequest& request, YHorseDB& db,
               AnySearch* search, int* found);

// The whole of a `search` subcommand without parts of its own: opens, runs
// and shows the request's search, with its condition text when `text`.
int RunAndShow(const Options& options, const SearchRequest& request, bool text);

}  // namespace tool

#endif  // YDBCLN_TOOL_CMD_SEARCH_H_
