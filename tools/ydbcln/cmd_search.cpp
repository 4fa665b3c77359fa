// `ydbcln search races [options]`: the detailed race search. The options
// fill the search's parameter records; the conditions are printed as the
// search describes them, then the races found (date, meeting, name,
// distance, runners, win and quinella payouts). --text also prints the
// condition text the search compiled; --totals the races' payouts by pool
// and their runners by frame, number and favourite. A condition the search
// refuses exits 2 with the reason.
#include <iostream>
#include <memory>
#include <string>

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Command.h"
#include "Display.h"
#include "RaceSearchArgs.h"
#include "RaceShow.h"
#include "Session.h"
#include "cmd_totals_rows.h"

namespace tool {
namespace {

struct Arguments {
  RaceSearchArgs search;
  bool text = false;
  bool totals = false;
};

int RunSearch(const Options& options, const Arguments& args) {
  RaceSearchParams params;
  if (const int refused = MakeRaceSearch(args.search, &params)) return refused;
  const int mode = params.mode;
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  YSearchDetailRace search(&db);
  if (const int refused = SetRaceSearch(db, params, search)) return refused;
  const int found = search.search();
  if (found < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);

  // The second text is the period, or in a search by name the name.
  const char* const kLabels[] = {"grade", mode == 2 ? "name" : "period", "racecourses", "races",
                                 "distance", "surfaces", "courses", "ages", "classes", "payouts",
                                 "pace", "weather", "going"};
  std::string texts[13];
  search.getsearchstring(texts);
  YRaceTotalEx totals(&db);
  if (args.totals && found > 0) {
    if (totals.exec(static_cast<_tagRACERMREC*>(search.getorgdata(0)), search.getparam()) != 0) {
      return Fail(std::string("the totals failed: ") + get_db_error(), 1);
    }
  }
  if (options.json) {
    nlohmann::json out = {{"conditions", nlohmann::json::object()},
                          {"races", nlohmann::json::array()}};
    for (int i = 0; i < 13; ++i) out["conditions"][kLabels[i]] = Text(texts[i]);
    if (args.text) out["text"] = Text(search.getconditiontext());
    for (int i = 0; i < found; ++i) out["races"].push_back(FoundRaceJson(*search.result(i)));
    if (args.totals) {
      nlohmann::json counted = nlohmann::json::object();
      ShowRaceTotalsEx(totals, &counted);
      out["totals"] = counted;
    }
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  for (int i = 0; i < 13; ++i) std::cout << Column(kLabels[i], 12) << Text(texts[i]) << "\n";
  if (args.text) std::cout << Column("text", 12) << Text(search.getconditiontext()) << "\n";
  std::cout << found << (found == 1 ? " race\n" : " races\n");
  for (int i = 0; i < found; ++i) std::cout << FoundRaceLine(*search.result(i)) << "\n";
  if (args.totals) ShowRaceTotalsEx(totals, nullptr);
  return 0;
}

}  // namespace

void RegisterSearch(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* search = app.add_subcommand("search", "Condition searches");
  search->require_subcommand(1);
  search->fallthrough();
  CLI::App* races = search->add_subcommand("races", "Find run races by their conditions");
  auto args = std::make_shared<Arguments>();
  AddRaceSearchOptions(races, &args->search);
  races->add_flag("--text", args->text, "Also print the condition text");
  races->add_flag("--totals", args->totals,
                  "Also total the races found: payouts by pool, frames, numbers, favourites");
  races->fallthrough();
  races->callback([&options, exit_code, args] { *exit_code = RunSearch(options, *args); });
  RegisterSearchHorses(search, options, exit_code);
  RegisterSearchPeople(search, options, exit_code);
}

}  // namespace tool
