// `ydbcln search races [options]`: the detailed race search. The options
// fill the search's parameter records; the conditions are printed as the
// search describes them, then the races found (date, meeting, name,
// distance, runners, win and quinella payouts). --text also prints the
// condition text the search compiled; --totals the races' payouts by pool
// and their runners by frame, number and favourite; --runs lists the runs of
// the races found instead of the races. A condition the search refuses exits
// 2 with the reason.
#include <iostream>
#include <memory>
#include <string>

#include <db/api/ydbbsn.h>

#include "Display.h"
#include "RaceSearchArgs.h"
#include "RaceShow.h"
#include "cmd_search.h"
#include "cmd_totals_rows.h"

namespace tool {
namespace {

struct Arguments {
  RaceSearchArgs search;
  bool text = false;
  bool totals = false;
  bool runs = false;
};

// The runs of the races `races` found, through the drill-down: 0 with
// them in *out, or the exit code after one line.
int RunsOf(YHorseDB& db, YSearchDetailRace& races, AnySearch* out) {
  YSearchDown down(&db);
  YSearchRaceHorse every(&db);  // no conditions: any run
  *out = std::unique_ptr<YSearchRaceHorse>(down.exec(&every, &races));
  if (db.geterrstatus() != 0) {
    return Fail("the runs could not be read: " + db.geterrmessage() + " " + get_db_error(), 1);
  }
  return 0;
}

// Runs the search as `search races` does: its conditions, the races and
// the totals asked for.
int Run(const Options& options, const SearchRequest& request, const Arguments& args, int mode) {
  YHorseDB db;
  AnySearch found_by;
  int found = 0;
  if (const int failed = OpenAndRun(options, request, db, &found_by, &found)) return failed;
  YSearchDetailRace& search = *std::get<std::unique_ptr<YSearchDetailRace>>(found_by);

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
  const std::string text = search.getconditiontext();
  const auto conditions = [&](nlohmann::json* out) {
    if (out != nullptr) {
      (*out)["conditions"] = nlohmann::json::object();
      for (int i = 0; i < 13; ++i) (*out)["conditions"][kLabels[i]] = Text(texts[i]);
    } else {
      for (int i = 0; i < 13; ++i) std::cout << Column(kLabels[i], 12) << Text(texts[i]) << "\n";
    }
  };
  ShowPart counted;
  if (args.totals) {
    counted = [&](nlohmann::json* out) {
      if (out == nullptr) return ShowRaceTotalsEx(totals, nullptr);
      nlohmann::json by_pool = nlohmann::json::object();
      ShowRaceTotalsEx(totals, &by_pool);
      (*out)["totals"] = by_pool;
    };
  }
  AnySearch runs;
  if (args.runs && found > 0) {
    if (const int failed = RunsOf(db, search, &runs)) return failed;
  }
  ShowFound(options, args.runs ? "runs" : "races", RowsOf(args.runs ? runs : found_by),
            args.text ? &text : nullptr, conditions, counted);
  return 0;
}

}  // namespace

FoundRow RowOf(YRaceList* race) { return {FoundRaceLine(*race), FoundRaceJson(*race)}; }

void AddSearchRaces(CLI::App* parent, const TakeRequest& take) {
  CLI::App* races = parent->add_subcommand("races", "Find run races by their conditions");
  auto args = std::make_shared<Arguments>();
  AddRaceSearchOptions(races, &args->search);
  races->add_flag("--text", args->text, "Also print the condition text");
  races->add_flag("--totals", args->totals,
                  "Also total the races found: payouts by pool, frames, numbers, favourites");
  races->add_flag("--runs", args->runs, "List the runs of the races found instead of the races");
  races->fallthrough();
  races->callback([take, args] {
    SearchRequest request;
    request.kind = "races";
    auto params = std::make_shared<RaceSearchParams>();
    request.refused = MakeRaceSearch(args->search, params.get());
    request.make = [params](YHorseDB& db, AnySearch* search) {
      auto made = std::make_unique<YSearchDetailRace>(&db);
      if (const int refused = SetRaceSearch(db, *params, *made)) return refused;
      *search = std::move(made);
      return 0;
    };
    request.run = [args, params, request](const Options& options) {
      return Run(options, request, *args, params->mode);
    };
    take(std::move(request));
  });
}

}  // namespace tool
