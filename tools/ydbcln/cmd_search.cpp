// `ydbcln search KIND [options]`, and the pieces its subcommands share with
// `ydbcln drill` and `ydbcln totals --runs-of`: running a search of any kind, its rows, and
// printing what it found.
#include "cmd_search.h"

#include <iostream>
#include <type_traits>

#include <db/api/ydbbsn.h>

#include "CareerShow.h"
#include "Display.h"
#include "Session.h"

namespace tool {

const char* const kSearchKinds[std::variant_size_v<AnySearch>] = {
    "races", "runs", "horses", "jockeys", "trainers", "sires"};

int RunSearch(AnySearch& search) {
  return std::visit([](auto& s) {
    if constexpr (std::is_same_v<std::decay_t<decltype(*s)>, YSearchRaceHorse>) {
      return s->search(1);  // every runner
    } else {
      return s->search();
    }
  }, search);
}

FoundRow RowOf(YRaceHorse* run) {
  return {RunLine(*run, true), nlohmann::json::parse(RunJson(*run, true).dump())};
}

std::vector<FoundRow> RowsOf(AnySearch& search) {
  return std::visit([](auto& s) {
    std::vector<FoundRow> rows;
    if (s == nullptr) return rows;  // nothing was related
    for (int i = 0; i < s->get_list_cnt(); ++i) rows.push_back(RowOf(s->result(i)));
    return rows;
  }, search);
}

void ShowFound(const Options& options, const std::string& kind, const std::vector<FoundRow>& rows,
               const std::string* text, const ShowPart& head, const ShowPart& tail) {
  if (options.json) {
    nlohmann::json out = {{kind, nlohmann::json::array()}};
    if (head) head(&out);
    if (text != nullptr) out["text"] = Text(*text);
    for (const FoundRow& row : rows) out[kind].push_back(row.json);
    if (tail) tail(&out);
    std::cout << out.dump(2) << "\n";
    return;
  }
  if (head) head(nullptr);
  if (text != nullptr) std::cout << Column("text", 12) << Text(*text) << "\n";
  // One race, two races.
  std::cout << rows.size() << " " << (rows.size() == 1 ? kind.substr(0, kind.size() - 1) : kind)
            << "\n";
  for (const FoundRow& row : rows) std::cout << row.line << "\n";
  if (tail) tail(nullptr);
}

int OpenAndRun(const Options& options, const SearchRequest& request, YHorseDB& db,
               AnySearch* search, int* found) {
  if (!OpenDataSet(db, options.data_dir)) return 1;
  if (const int refused = request.make(db, search)) return refused;
  *found = RunSearch(*search);
  if (*found < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);
  return 0;
}

int RunAndShow(const Options& options, const SearchRequest& request, bool text) {
  YHorseDB db;
  AnySearch search;
  int found = 0;
  if (const int failed = OpenAndRun(options, request, db, &search, &found)) return failed;
  const std::string condition = std::visit([](auto& s) {
    if constexpr (std::is_same_v<std::decay_t<decltype(*s)>, YSearchRaceHorse>) {
      return std::string();  // runs are found from races, by no text of their own
    } else {
      return s->getconditiontext();
    }
  }, search);
  ShowFound(options, request.kind, RowsOf(search), text ? &condition : nullptr);
  return 0;
}

int ReadSearchWords(const std::string& words, SearchRequest* out) {
  CLI::App parser("search in one argument");
  parser.require_subcommand(1);
  bool taken = false;
  AddSearches(&parser, [&](SearchRequest request) {
    *out = std::move(request);
    taken = true;
  });
  try {
    parser.parse(words, false);
  } catch (const CLI::ParseError& e) {
    return Fail("'" + words + "' is no search: " + e.what());
  }
  if (!taken) return Fail("'" + words + "' is no search");
  if (out->refused != 0) return out->refused;
  if (!out->make) return Fail("a search of " + out->kind + " relates to no other kind");
  return 0;
}

void AddSearches(CLI::App* parent, const TakeRequest& take) {
  AddSearchRaces(parent, take);
  AddSearchHorses(parent, take);
  AddSearchPeople(parent, take);
}

void RegisterSearch(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* search = app.add_subcommand("search", "Condition searches");
  search->require_subcommand(1);
  search->fallthrough();
  AddSearches(search, [&options, exit_code](const SearchRequest& request) {
    *exit_code = request.refused != 0 ? request.refused : request.run(options);
  });
}

}  // namespace tool
