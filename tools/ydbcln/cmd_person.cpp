// `ydbcln jockey CODE`, `ydbcln trainer CODE` and `ydbcln sire CODE`, each
// with [--year Y | --months N] [--runs N] [--by GROUPS] [--all-rows]: the
// profile and figures of the jockey's, trainer's or sire's record with its
// check mark (a sire also whether it is some horse's dam's sire), the runs
// of the period latest first (a jockey's rides, a trainer's runners, a
// sire's offspring), and their totals as tables; with --json the same as
// one object. The period is a year (by default the last year of results
// in the data set) or the N months up to today.
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CareerShow.h"
#include "Command.h"
#include "Session.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

// A profile field: its name (a JSON member, and the label of a text line)
// and its value.
using Fields = std::vector<std::pair<const char*, Json>>;

struct PeriodArgs {
  int year = 0;     // 0: the last year of results
  int months = -1;  // the months up to today instead of a year, when >= 0
  int runs = -1;    // runs listed; -1 every run
  TotalsChoice choice;
};

Fields ProfileOf(YJockey& j, YHorseDB&) {
  return {{"kana", Utf8(j.kana)},
          {"age", Utf8(j.age)},
          {"birthday", Utf8(j.birthday)},
          {"affiliation", Utf8(j.shozoku)},
          {"qualification", Utf8(j.qualify)},
          {"allowance", Utf8(j.minarai)},
          {"stable", Utf8(j.stableplace + j.stablename)},
          {"first_year", Utf8(j.firstyear)},
          {"year_flat", j.hnh},
          {"year_jump", j.hns},
          {"year_rates", Utf8(j.win1ph + " " + j.win2ph + " " + j.win3ph)},
          {"year_prize_flat", Utf8(j.hhrplize)},
          {"year_prize_jump", Utf8(j.hsrplize)},
          {"career_flat", j.rnh},
          {"career_jump", j.rns},
          {"career_rates", Utf8(j.win1pr + " " + j.win2pr + " " + j.win3pr)}};
}

Fields ProfileOf(YStable& s, YHorseDB&) {
  return {{"kana", Utf8(s.kana)},
          {"age", Utf8(s.age)},
          {"birthday", Utf8(s.birthday)},
          {"centre", Utf8(s.stableplace)},
          {"first_year", Utf8(s.firstyear)},
          {"year_flat", s.hnh},
          {"year_jump", s.hns},
          {"year_rates", Utf8(s.win1ph + " " + s.win2ph + " " + s.win3ph)},
          {"year_prize_flat", Utf8(s.hhrplize)},
          {"year_prize_jump", Utf8(s.hsrplize)},
          {"career_flat", s.rnh},
          {"career_jump", s.rns},
          {"career_rates", Utf8(s.win1pr + " " + s.win2pr + " " + s.win3pr)}};
}

Fields ProfileOf(YSire& s, YHorseDB& db) {
  std::string code = s.code;
  const YDimSire dams_sire(&db, code);
  return {{"born", Utf8(s.birthyear)},
          {"age", Utf8(s.age)},
          {"colour", Utf8(s.color)},
          {"birthplace", Utf8(s.sanchi)},
          {"sire", Utf8(s.father)},
          {"dam", Utf8(s.mother)},
          {"distance", Utf8(s.distprop)},
          {"heavy_going", Utf8(s.skill_omo)},
          {"dirt", Utf8(s.skill_dirt)},
          {"died", Utf8(s.deathyear)},
          {"dams_sire", !dams_sire.code.empty()}};
}

// The period's runs: searchrace's answer, and the period in *period.
template <typename Entity>
int LoadRuns(YHorseDB& db, Entity& entity, const PeriodArgs& args, Json* period) {
  if (args.months >= 0) {
    *period = {{"months", args.months}, {"until", YUtil::gettoday()}};
    return entity.searchrace(1, args.months);
  }
  int year = args.year;
  if (year == 0) {
    int first = 0;
    db.getyear(first, year);
  }
  *period = {{"year", year}};
  return entity.searchrace(2, year);
}

std::string PeriodText(const Json& period) {
  if (period.contains("year")) return "of " + std::to_string(period["year"].get<int>());
  return "of the " + std::to_string(period["months"].get<int>()) + " months to " +
         std::to_string(period["until"].get<int>());
}

// What differs between the three commands.
struct Kind {
  const char* word;  // the command, and the entity in messages
  const char* help;
  std::size_t width;  // code length
  const char* runs;   // what the runs are, in text
  int (*show)(const Options&, const Kind&, const std::string&, const PeriodArgs&);
};

template <typename Entity>
int ShowPerson(const Options& options, const Kind& kind, const std::string& code,
               const PeriodArgs& args) {
  if (!IsEntityCode(code, kind.width)) {
    std::cerr << "ydbcln: not a " << kind.word << " code (" << kind.width << " digits): " << code
              << "\n";
    return kExitBadArguments;
  }
  std::vector<int> groups;
  std::string bad;
  if (!TotalsGroups(args.choice, &groups, &bad)) {
    std::cerr << "ydbcln: --by takes the groups of the totals or all: " << bad << "\n";
    return kExitBadArguments;
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  std::string key = code;
  Entity entity(&db, key);
  if (db.geterrstatus() != 0) {
    std::cerr << "ydbcln: cannot read " << kind.word << " " << code << ": "
              << Utf8(db.geterrmessage()) << "\n";
    return kExitNotFound;
  }
  if (entity.code.empty()) {
    std::cerr << "ydbcln: no " << kind.word << " " << code << " in the data set\n";
    return kExitNotFound;
  }
  Json period;
  if (LoadRuns(db, entity, args, &period) < 0) {
    std::cerr << "ydbcln: cannot read the runs of " << kind.word << " " << code << ": "
              << Utf8(db.geterrmessage()) << "\n";
    return kExitNotFound;
  }
  const Fields fields = ProfileOf(entity, db);
  const int count = entity.getracecount();
  const int shown = args.runs < 0 || args.runs > count ? count : args.runs;
  if (options.json) {
    Json out = {{"code", entity.code}, {"name", Utf8(entity.name)}, {"checked", entity.is_check()}};
    for (const auto& field : fields) out[field.first] = field.second;
    out["period"] = period;
    out["run_count"] = count;
    Json list = Json::array();
    for (int i = 0; i < shown; ++i) list.push_back(RunJson(*entity.race(i), true));
    out["runs"] = list;
    TotalsJson(*entity.total(), groups, &out);
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  std::cout << Utf8(entity.name) << "  " << entity.code
            << (entity.is_check() ? "  ✔ checked" : "") << "\n";
  for (const auto& field : fields) {
    const Json& value = field.second;
    std::cout << Pad(field.first, 16)
              << (value.is_boolean() ? (value.get<bool>() ? "yes" : "no")
                                     : value.get<std::string>())
              << "\n";
  }
  std::cout << "\n" << kind.runs << " " << PeriodText(period) << ", latest first (" << shown
            << " of " << count << ")\n";
  for (int i = 0; i < shown; ++i) std::cout << RunLine(*entity.race(i), true) << "\n";
  PrintTotals(*entity.total(), groups, args.choice.all_rows);
  return kExitDone;
}

const Kind kKinds[] = {
    {"jockey", "Show a jockey: profile, rides of a period, totals", 5, "rides",
     ShowPerson<YJockey>},
    {"trainer", "Show a trainer: profile, runners of a period, totals", 5, "runners",
     ShowPerson<YStable>},
    {"sire", "Show a sire: profile, offspring's runs of a period, totals", 7, "offspring's runs",
     ShowPerson<YSire>},
};

}  // namespace

void RegisterPeople(CLI::App& app, const Options& options, int* exit_code) {
  for (const Kind& kind : kKinds) {
    CLI::App* cmd = app.add_subcommand(kind.word, kind.help);
    auto code = std::make_shared<std::string>();
    auto args = std::make_shared<PeriodArgs>();
    cmd->add_option("CODE", *code, std::string("The ") + kind.word + "'s " +
                                       std::to_string(kind.width) + "-digit code")
        ->required();
    CLI::Option* year = cmd->add_option(
        "--year", args->year, "The runs of this year (default the last year of results)")
        ->check(CLI::Range(1, 9999));
    cmd->add_option("--months", args->months, "The runs of the N months up to today instead")
        ->check(CLI::NonNegativeNumber)
        ->excludes(year);
    cmd->add_option("--runs", args->runs, "List the latest N runs (default all)")
        ->check(CLI::NonNegativeNumber);
    AddTotalsOptions(cmd, &args->choice);
    cmd->callback([&options, exit_code, &kind, code, args] {
      *exit_code = kind.show(options, kind, *code, *args);
    });
  }
}

}  // namespace tool
