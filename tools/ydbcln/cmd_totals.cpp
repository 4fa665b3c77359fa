// `ydbcln totals --by CATEGORY [race search options] [filters]`: the runs
// of the races a detailed race search finds (with --first N, only their
// first N finishers), or with --runs-of "SEARCH" the runs of the horses,
// jockeys, trainers or sires another search finds ("horses --sire キング
// --wins >=3", as `ydbcln search` takes it), totalled by one category: the
// conditions, then a row
// per horse, person, band ... with its firsts, seconds, thirds and
// unplaced runs, the runs, the win, top-two and top-three rates and the
// win return. --pop, --odds, --filter-age, --filter-class and --track
// leave runs out before totalling. `totals --list` lists the categories.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Command.h"
#include "Display.h"
#include "RaceSearchArgs.h"
#include "Session.h"
#include "cmd_search.h"
#include "cmd_totals_rows.h"

namespace tool {
namespace {

using Json = nlohmann::json;

struct Arguments {
  RaceSearchArgs search;
  std::vector<CLI::Option*> search_options;  // the race search's, to tell whether one was given
  std::string runs_of;                       // a search in one argument
  std::string by;
  bool list = false;
  int first = 0;  // only the runs that finished 1st to first-th
  std::string pop, odds, ages, classes, tracks;
};

// YResultTotal::setfilter's arguments.
struct Filter {
  int minpop = 0, maxpop = 0, agemask = -1, minodds = 0, maxodds = 0;
  int classmask = YResultTotal::kEveryClass, trackmask = YResultTotal::kEveryTrack;
};

// "A-B" or "A" of whole numbers, or of decimals read in tenths.
bool Range(const std::string& text, bool tenths, int* low, int* high) {
  const std::size_t dash = text.find('-');
  auto read = [tenths](const std::string& part, int* out) {
    if (part.empty() || part.find_first_not_of(tenths ? "0123456789." : "0123456789") !=
                            std::string::npos) {
      return false;
    }
    const double value = std::stod(part);
    *out = static_cast<int>(tenths ? value * 10 + 0.5 : value);
    return true;
  };
  if (!read(text.substr(0, dash), low)) return false;
  if (dash == std::string::npos) {
    *high = *low;
    return true;
  }
  return read(text.substr(dash + 1), high) && *low <= *high;
}

int MakeFilter(const Arguments& args, Filter* f) {
  std::string bad;
  if (!args.pop.empty() && !Range(args.pop, false, &f->minpop, &f->maxpop)) {
    return Fail("--pop wants favourites such as 1-3, not '" + args.pop + "'");
  }
  if (!args.odds.empty() && !Range(args.odds, true, &f->minodds, &f->maxodds)) {
    return Fail("--odds wants win odds such as 1.5-9.9, not '" + args.odds + "'");
  }
  // Ages as counted today: 2 is bit 0 of the older way of counting.
  if (!args.ages.empty() &&
      !Mask(args.ages, {"2", "3", "4", "5", "6", "7", "8", "9+"}, &f->agemask, &bad,
            EmptyItems::kLeftOut)) {
    return Fail("--filter-age wants 2 to 8 or 9+, not '" + bad + "'");
  }
  if (!args.classes.empty() &&
      !Mask(args.classes, {"新馬", "未勝利", "500万", "900万", "1600万", "OP", "G3", "G2", "G1"},
            &f->classmask, &bad, EmptyItems::kLeftOut)) {
    return Fail("--filter-class wants 新馬, 未勝利, 500万, 900万, 1600万, OP, G3, G2 or G1, not '" +
                bad + "'");
  }
  if (!args.tracks.empty() &&
      !Mask(args.tracks, {"turf", "dirt", "jump"}, &f->trackmask, &bad, EmptyItems::kLeftOut)) {
    return Fail("--track wants turf, dirt or jump, not '" + bad + "'");
  }
  return 0;
}

// The category of --by: its number, or its name.
int Category(YResultTotal& total, const std::string& by) {
  for (int i = 0; i < total.getcategorycount(); ++i) {
    std::string name, title;
    total.getcategoryname(i, name, title);
    if (by == std::to_string(i) || by == Text(name)) return i;
  }
  return -1;
}

int ListCategories(const Options& options) {
  YResultTotal total(nullptr);
  Json out = Json::array();
  for (int i = 0; i < total.getcategorycount(); ++i) {
    std::string name, title;
    total.getcategoryname(i, name, title);
    const char* rows = total.iscountfilter(i) ? "entities" : "bands";
    if (options.json) {
      out.push_back({{"category", i}, {"name", Text(name)}, {"title", Text(title)},
                     {"rows", rows}});
    } else {
      char number[16];
      std::snprintf(number, sizeof number, "%3d  ", i);
      std::cout << number << Column(name, 10) << Column(title, 12) << rows << "\n";
    }
  }
  if (options.json) std::cout << out.dump(2) << "\n";
  return kExitDone;
}

CountsRow RowOf(const YResultTotalRec& r) {
  return {r.first, r.second, r.third, r.unplaced, r.winrate, r.renrate, r.fukurate};
}

// The runs to total, read from the arguments before the data set opens:
// the race search's records, or the search of --runs-of.
struct RunSource {
  RaceSearchParams races;
  SearchRequest related;  // with --runs-of
};

int ReadRunSource(const Arguments& args, RunSource* out) {
  if (args.runs_of.empty()) return MakeRaceSearch(args.search, &out->races);
  for (const CLI::Option* option : args.search_options) {
    if (option->count() > 0) {
      return Fail("--runs-of takes the runs of what its search finds; " + option->get_name() +
                  " chooses races, which it does not combine with");
    }
  }
  if (args.first > 0) return Fail("--first goes with the race search, not with --runs-of");
  return ReadSearchWords(args.runs_of, &out->related);
}

// Loads the source's runs into `total` with the conditions shown: 0, or
// the exit code after one line.
int LoadRuns(YHorseDB& db, const Arguments& args, RunSource& source, YResultTotal& total) {
  if (!args.runs_of.empty()) {
    AnySearch found;
    if (const int refused = source.related.make(db, &found)) return refused;
    if (RunSearch(found) < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);
    db.clearerror();
    YSearchDown down(&db);
    YSearchRaceHorse any(&db);  // no results: any run
    std::unique_ptr<YSearchRaceHorse> runs(
        std::visit([&](auto& s) { return down.exec(&any, s.get()); }, found));
    // Nothing related (no runs and no error) is an empty total, not a failure.
    const bool failed =
        runs == nullptr ? db.geterrstatus() != 0 : total.setcondition(runs.get()) != 0;
    if (failed) return Fail(std::string("the runs cannot be read: ") + get_db_error(), 1);
    total.setcondstring(ytext::to_sjis_lossy("runs of: " + args.runs_of));
    return 0;
  }
  YSearchDetailRace search(&db);
  if (const int refused = SetRaceSearch(db, source.races, search)) return refused;
  int loaded = 0;
  if (args.first > 0) {
    YSearchRaceHorse runs(&db);
    runs.addparam(search.getparam());
    loaded = runs.search(args.first + 1) < 0 ? -1 : total.setcondition(&runs);
  } else {
    loaded = total.setcondition(&search);
  }
  if (loaded != 0) return Fail(std::string("the runs cannot be read: ") + get_db_error(), 1);
  total.setcondstring(&search);
  return 0;
}

int ShowTotals(const Options& options, const Arguments& args) {
  if (args.list) return ListCategories(options);
  YResultTotal probe(nullptr);
  const int category = Category(probe, args.by);
  if (category < 0) return Fail("--by wants a category (totals --list), not '" + args.by + "'");
  if (args.first < 0 || args.first > 18) return Fail("--first wants 1 to 18");
  Filter f;
  if (const int refused = MakeFilter(args, &f)) return refused;
  RunSource source;
  if (const int refused = ReadRunSource(args, &source)) return refused;

  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  YResultTotal total(&db);
  total.setfilter(f.minpop, f.maxpop, f.agemask, f.minodds, f.maxodds, f.classmask, f.trackmask);
  if (const int failed = LoadRuns(db, args, source, total)) return failed;
  if (total.exec(category) < 0) return Fail("the total failed", 1);

  std::string name, title;
  total.getcategoryname(category, name, title);
  if (options.json) {
    Json rows = Json::array();
    for (int i = 0; i < total.getresultcount(); ++i) {
      const YResultTotalRec& r = *total.getresult(i);
      Json row = {{"name", Text(r.name)}, {"key", Text(r.key)}};
      row.update(CountsJson(RowOf(r)));
      row["return_rate"] = RateText(r.returnrate);
      rows.push_back(row);
    }
    Json conditions = Json::array();
    for (const std::string& text : total.getcondstring()) conditions.push_back(Text(text));
    Json out = {{"category", category}, {"name", Text(name)}, {"conditions", conditions},
                {"runs", total.getracehorsecount()}, {"horses", total.gethorsecount()},
                {"rows", rows}};
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  std::cout << "Totals by " << Text(name) << " of " << total.getracehorsecount() << " runs, "
            << total.gethorsecount() << " horses\n";
  // The conditions that narrow the search, on one line; "all" ones are left out.
  std::string narrowing;
  for (const std::string& text : total.getcondstring()) {
    const std::string shown = Text(text);
    if (shown == "すべて" || shown == "全レース" || shown == "-") continue;
    narrowing += (narrowing.empty() ? "  " : " / ") + shown;
  }
  if (!narrowing.empty()) std::cout << narrowing << "\n";
  std::cout << Column(title, 20) << "  1st-2nd-3rd-out   runs     win    top2    top3  return\n";
  for (int i = 0; i < total.getresultcount(); ++i) {
    const YResultTotalRec& r = *total.getresult(i);
    std::cout << Column(r.name, 20) << "  " << CountsLine(RowOf(r)) << " "
              << RightColumn(ytext::to_sjis_lossy(RateText(r.returnrate)), 7) << "\n";
  }
  return kExitDone;
}

}  // namespace

void RegisterTotals(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("totals", "Result totals of the runs of a race search");
  auto args = std::make_shared<Arguments>();
  cmd->add_option("--by", args->by, "The category: its number or name (totals --list)");
  cmd->add_flag("--list", args->list, "List the categories");
  args->search_options = AddRaceSearchOptions(cmd, &args->search);
  cmd->add_option("--runs-of", args->runs_of,
                  "Instead of races: the runs of what a search finds, in one argument, "
                  "such as \"horses --sire キング --wins >=3\" or \"jockeys --wins >=100\"");
  cmd->add_option("--first", args->first, "Only the runs that finished 1st to this place");
  cmd->add_option("--pop", args->pop, "Only favourites in this range, such as 1-3");
  cmd->add_option("--odds", args->odds, "Only win odds in this range, such as 1.5-9.9");
  cmd->add_option("--filter-age", args->ages, "Only these ages: 2 to 8, 9+ (a list)");
  cmd->add_option("--filter-class", args->classes,
                  "Only these classes: 新馬, 未勝利, 500万, 900万, 1600万, OP, G3, G2, G1");
  cmd->add_option("--track", args->tracks, "Only these tracks: turf, dirt, jump (a list)");
  cmd->callback([&options, exit_code, args] {
    if (!args->list && args->by.empty()) {
      *exit_code = Fail("totals wants --by CATEGORY or --list");
      return;
    }
    *exit_code = ShowTotals(options, *args);
  });
}

}  // namespace tool
