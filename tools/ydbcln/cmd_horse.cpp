// `ydbcln horse HORSECODE [--runs N]`: a horse's profile, its check mark
// and career line, its runs latest first as past-performance lines, its
// parents and grandparents, and the totals of its runs by racecourse; with
// --json the same as one object.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Session.h"
#include "WholeNames.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

// Racecourses in the order of YRaceTotal's rows.
const char* const kCourses[11] = {"札幌", "函館", "福島", "新潟", "東京", "中山",
                                  "中京", "京都", "阪神", "小倉", "その他"};

bool IsHorseCode(const std::string& code) {
  if (code.size() != 7) return false;
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

Json RunJson(const YRaceHorse& run) {
  return {{"race", run.racecode},
          {"meeting", Utf8(run.kaisai)},
          {"race_name", Utf8(run.racename)},
          {"course", Utf8(run.track) + std::to_string(run.distance)},
          {"going", Utf8(run.going)},
          {"horse_number", run.horseno},
          {"popularity", run.popularity},
          {"order", Utf8(run.ordertext)},
          {"jockey", Utf8(run.jockeyname)},
          {"weight_carried", run.weightcarried / 10.0},
          {"time", run.racetime},
          {"remarks", Utf8(run.remarks)}};
}

// One past-performance line: date and meeting, race, course and going,
// number, popularity, finish, jockey, weight, time.
std::string RunLine(const YRaceHorse& run) {
  char time[16] = "";
  if (run.racetime != 0) {
    std::snprintf(time, sizeof time, "%d:%04.1f", run.racetime / 600, run.racetime % 600 / 10.0);
  }
  std::string line = run.racecode.substr(2, 8) + " " + Pad(Utf8(run.kaisai), 10) + " " +
                     Pad(Utf8(run.racename), 22) + " " + Pad(Utf8(run.track) +
                     std::to_string(run.distance), 7) + " " + Pad(Utf8(run.going), 3) + " " +
                     Pad(std::to_string(run.horseno) + "番", 5) + " " +
                     Pad(std::to_string(run.popularity) + "人", 5) + " " +
                     Pad(Utf8(run.ordertext), 3) + " " + Pad(Utf8(run.jockeyname), 10) + " " +
                     time;
  if (!run.remarks.empty()) line += "  " + Utf8(run.remarks);
  return line;
}

int ShowHorse(const Options& options, const std::string& code, int runs) {
  if (!IsHorseCode(code)) {
    std::cerr << "ydbcln: not a horse code (7 digits): " << code << "\n";
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
    for (int i = 0; i < shown; ++i) list.push_back(RunJson(*horse.race(i)));
    out["runs"] = list;
    Json courses = Json::array();
    for (int row = 0; row < 11; ++row) {
      const int* r = total->place[row];
      courses.push_back({{"label", kCourses[row]}, {"first", r[0]}, {"second", r[1]},
                         {"third", r[2]}, {"unplaced", r[3]}, {"runs", r[0] + r[1] + r[2] + r[3]},
                         {"win_rate", r[4] / 10.0}, {"top2_rate", r[5] / 10.0},
                         {"top3_rate", r[6] / 10.0}});
    }
    out["by_course"] = courses;
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
  for (int i = 0; i < shown; ++i) std::cout << RunLine(*horse.race(i)) << "\n";
  std::cout << "\nby racecourse      1st 2nd 3rd out  runs   win  top2  top3\n";
  for (int row = 0; row < 11; ++row) {
    const int* r = total->place[row];
    const int starts = r[0] + r[1] + r[2] + r[3];
    if (starts == 0) continue;
    char line[96];
    std::snprintf(line, sizeof line, " %3d %3d %3d %3d  %4d %5.1f %5.1f %5.1f", r[0], r[1], r[2],
                  r[3], starts, r[4] / 10.0, r[5] / 10.0, r[6] / 10.0);
    std::cout << Pad(kCourses[row], 16) << line << "\n";
  }
  return kExitDone;
}

}  // namespace

void RegisterHorse(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("horse", "Show a horse: profile, runs, pedigree, totals");
  auto code = std::make_shared<std::string>();
  auto runs = std::make_shared<int>(-1);
  cmd->add_option("HORSECODE", *code, "The horse's 7-digit code")->required();
  cmd->add_option("--runs", *runs, "Show the latest N runs (default all)")
      ->check(CLI::NonNegativeNumber);
  cmd->callback(
      [&options, exit_code, code, runs] { *exit_code = ShowHorse(options, *code, *runs); });
}

}  // namespace tool
