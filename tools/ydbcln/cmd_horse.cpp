// `ydbcln horse HORSECODE [--runs N] [--by GROUPS] [--all-rows]`: a horse's
// profile, its check mark and career line, its runs latest first as
// past-performance lines, its parents and grandparents, and the totals of
// its runs by racecourse (or the groups --by names); with --json the same
// as one object.
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CareerShow.h"
#include "Command.h"
#include "Session.h"
#include "WholeNames.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

int ShowHorse(const Options& options, const std::string& code, int runs,
              const TotalsChoice& choice) {
  if (!IsEntityCode(code, 7)) {
    std::cerr << "ydbcln: not a horse code (7 digits): " << code << "\n";
    return kExitBadArguments;
  }
  std::vector<int> groups;
  std::string bad;
  if (!TotalsGroups(choice, &groups, &bad)) {
    std::cerr << "ydbcln: --by takes the groups of the totals or all: " << bad << "\n";
    return kExitBadArguments;
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  std::string key = code;
  YHorse horse(&db, key);
  if (db.geterrstatus() != 0) {
    std::cerr << "ydbcln: cannot read horse " << code << ": " << Utf8(db.geterrmessage()) << "\n";
    return kExitNotFound;
  }
  if (!horse.notfound()) {
    std::cerr << "ydbcln: no horse " << code << " in the data set\n";
    return kExitNotFound;
  }
  if (horse.searchrace() < 0) {
    std::cerr << "ydbcln: cannot read the runs of horse " << code << ": "
              << Utf8(db.geterrmessage()) << "\n";
    return kExitNotFound;
  }
  const int shown = runs < 0 || runs > horse.getracecount() ? horse.getracecount() : runs;
  YRaceTotal* total = horse.total();
  const YBlood* blood = horse.pedigree();
  WholeNames whole(options.data_dir);
  const std::string name = whole.of(ydb::DataSet::Name::kHorse, horse.code, Utf8(horse.name));
  const std::string owner =
      whole.of(ydb::DataSet::Name::kHorseOwner, horse.code, Utf8(horse.owner));
  const std::string breeder =
      whole.of(ydb::DataSet::Name::kHorseBreeder, horse.code, Utf8(horse.seisansya));
  if (options.json) {
    Json out = {{"code", horse.code},
                {"name", name},
                {"sex_age", Utf8(horse.seibetu + horse.age)},
                {"birthday", Utf8(horse.birthday)},
                {"colour", Utf8(horse.color)},
                {"trainer", Utf8(horse.stablename)},
                {"owner", owner},
                {"breeder", breeder},
                {"checked", horse.is_check()},
                {"career", horse.chakudosu},
                {"prize", Utf8(horse.addplize)},
                {"sire", Utf8(horse.father)},
                {"dam", Utf8(horse.mother)},
                {"dams_sire", Utf8(horse.mothers_father)},
                {"dams_dam", Utf8(horse.mothers_mother)}};
    if (blood != nullptr) {
      out["sires_sire"] = Utf8(blood->ancestor[0]);
      out["sires_dam"] = Utf8(blood->ancestor[1]);
    }
    Json list = Json::array();
    for (int i = 0; i < shown; ++i) list.push_back(RunJson(*horse.race(i), false));
    out["runs"] = list;
    TotalsJson(*total, groups, &out);
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  std::cout << name << "  " << horse.code << (horse.is_check() ? "  ✔ checked" : "")
            << "\n"
            << Utf8(horse.seibetu + horse.age) << "  " << Utf8(horse.birthday) << "  "
            << Utf8(horse.color) << "  " << Utf8(horse.stableplace + horse.stablename) << "\n"
            << "owner " << owner << "  breeder " << breeder << "\n"
            << "career " << horse.chakudosu << "  win " << Utf8(horse.win1p) << "  top2 "
            << Utf8(horse.win2p) << "  top3 " << Utf8(horse.win3p) << "  prize "
            << Utf8(horse.addplize) << "\n\n";
  std::cout << "sire " << Utf8(horse.father);
  if (blood != nullptr) {
    std::cout << "  (" << Utf8(blood->ancestor[0]) << " x " << Utf8(blood->ancestor[1]) << ")";
  }
  std::cout << "\ndam  " << Utf8(horse.mother) << "  (" << Utf8(horse.mothers_father) << " x "
            << Utf8(horse.mothers_mother) << ")\n\n";
  std::cout << "runs, latest first (" << shown << " of " << horse.getracecount() << ")\n";
  for (int i = 0; i < shown; ++i) std::cout << RunLine(*horse.race(i), false) << "\n";
  PrintTotals(*total, groups, choice.all_rows);
  return kExitDone;
}

}  // namespace

void RegisterHorse(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("horse", "Show a horse: profile, runs, pedigree, totals");
  auto code = std::make_shared<std::string>();
  auto runs = std::make_shared<int>(-1);
  auto choice = std::make_shared<TotalsChoice>();
  cmd->add_option("HORSECODE", *code, "The horse's 7-digit code")->required();
  cmd->add_option("--runs", *runs, "Show the latest N runs (default all)")
      ->check(CLI::NonNegativeNumber);
  AddTotalsOptions(cmd, choice.get());
  cmd->callback([&options, exit_code, code, runs, choice] {
    *exit_code = ShowHorse(options, *code, *runs, *choice);
  });
}

}  // namespace tool
