// `ydbcln card RACECODE [--runs N] [--nominations]`: the race card of one
// race: heading, name, conditions, course, prize money, reference times and
// the odds published before the race, then each runner's entry with its
// odds and its last runs (date, place, distance, going, order, time and the
// comment on the run). With --nominations, the horses nominated for the
// race instead of the runners drawn.
#include <db/api/ybl.h>
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Printable.h"
#include "RaceShow.h"
#include "Session.h"
#include "WholeNames.h"

namespace tool {
namespace {

struct CardArguments {
  std::string code;
  int runs = 5;
  bool nominations = false;
};

// The card of the race, or of its nominations; null, with a line on stderr,
// when there is none or it cannot be read.
std::unique_ptr<YDenma> ReadCard(YHorseDB& db, const CardArguments& args) {
  const std::string what = (args.nominations ? "the nominations for " : "the race card of ") + args.code;
  std::unique_ptr<YDenma> card;
  if (args.nominations) {
    void* record = get_tok2code(args.code.c_str());
    if (record == nullptr) db.seterror(YHorseDB::kDatabaseError, "", 0);
    if (get_rec_size(record) == 1) {
      card = std::make_unique<YDenma>(&db, static_cast<_tagRACEDREC*>(record), 1);
    }
    release_data(record);
  } else {
    card = std::make_unique<YDenma>(&db, args.code);
  }
  if (db.geterrstatus() != 0) {
    ReportReadFailure(db, what);
    return nullptr;
  }
  if (card == nullptr || card->code.empty()) {
    std::cerr << "ydbcln: no " << Quoted(what.substr(4)) << "\n";
    return nullptr;
  }
  return card;
}

std::string Odds(YOdds* odds, int horse) {
  if (odds == nullptr) return "";
  std::string text;
  odds->tansho(horse, text);
  text = Utf8(text);
  return text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
}

nlohmann::json RefTimeJson(const YRefTime& t) {
  return {{"title", Utf8(t.title)}, {"time", t.time},           {"horse", Utf8(t.horse)},
          {"weight", t.weight},     {"jockey", Utf8(t.jockey)}, {"place", Utf8(t.place)},
          {"date", Utf8(t.date)}};
}

int ShowCard(const Options& options, const CardArguments& args) {
  if (!CheckRaceCode(args.code)) return 2;
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  std::unique_ptr<YDenma> card = ReadCard(db, args);
  if (card == nullptr) return 1;
  YOdds* odds = args.nominations ? nullptr : card->odds();

  nlohmann::json out = {
      {"code", card->code},
      {"heading", Utf8(card->heading)},
      {"name", WholeNames(options.data_dir)
                   .of(ydb::DataSet::Name::kRace, card->code, Utf8(card->racename))},
      {"date", Utf8(card->datetext)},
      {"kaisai", Utf8(card->kaisai)},
      {"conditions", Utf8(card->conditions)},
      {"course", Utf8(card->course)},
      {"prize", nlohmann::json::array()},
      {"reference_times", nlohmann::json::array()},
      {"expected", {{"time_1", card->time1}, {"time_2", card->time2}, {"pace", Utf8(card->pace)}}},
      {"odds", odds != nullptr ? Utf8(odds->desc()) : ""},
      {"nominations", args.nominations},
      {"runners", nlohmann::json::array()},
  };
  for (const std::string& prize : card->prize) out["prize"].push_back(Utf8(prize));
  for (const YRefTime& t : card->reftime) {
    if (t.exist) out["reference_times"].push_back(RefTimeJson(t));
  }
  for (int i = 0; i < card->gethorsecount(); ++i) {
    YRaceHorse& h = *card->horse(i);
    nlohmann::json runner = {
        {"bracket", h.bracketno},          {"number", h.horseno},
        {"horse_code", h.horsecode},       {"name", Utf8(h.horsename)},
        {"sex_age", Utf8(h.sexage)},       {"weight", Weight(h.weightcarried)},
        {"jockey", Utf8(h.jockeyname)},    {"trainer", Utf8(h.trainername)},
        {"odds", Odds(odds, h.horseno)},   {"last_runs", nlohmann::json::array()},
    };
    _tagRACERHREC* runs = nullptr;
    const int n = card->zen5(i, runs);
    if (n < 0) {
      ReportReadFailure(db, "the last runs of " + Utf8(h.horsename));
      return 1;
    }
    for (int k = 0; k < std::min(n, args.runs); ++k) {
      YRaceHorse run(&db, &runs[k]);
      runner["last_runs"].push_back(PastRunJson(run));
    }
    out["runners"].push_back(runner);
  }

  if (options.json) {
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  std::cout << card->code << "  " << out["heading"].get<std::string>() << "  "
            << out["name"].get<std::string>() << (args.nominations ? "  (nominations)" : "")
            << "\n"
            << out["date"].get<std::string>() << "  " << out["kaisai"].get<std::string>() << "\n"
            << "Conditions: " << out["conditions"].get<std::string>() << "\n"
            << "Course:     " << out["course"].get<std::string>() << "\n"
            << "Prize:     ";
  for (const auto& prize : out["prize"]) std::cout << " " << prize.get<std::string>();
  std::cout << "\n";
  for (const auto& t : out["reference_times"]) {
    std::cout << (t["title"].get<std::string>().empty() ? "参考タイム" : t["title"].get<std::string>())
              << ": " << t["time"].get<std::string>() << "  " << t["horse"].get<std::string>()
              << " " << t["weight"].get<std::string>() << "kg " << t["jockey"].get<std::string>()
              << "  " << t["place"].get<std::string>() << t["date"].get<std::string>() << "\n";
  }
  if (!card->time1.empty()) {
    std::cout << "Expected:   " << card->time1 << "  " << card->time2 << "  pace "
              << Utf8(card->pace) << "\n";
  }
  if (odds != nullptr) std::cout << "Odds:       " << Utf8(odds->desc()) << "\n";
  for (const auto& r : out["runners"]) {
    std::cout << "\n"
              << r["bracket"].get<int>() << " " << r["number"].get<int>() << "  "
              << r["name"].get<std::string>() << "  " << r["sex_age"].get<std::string>() << "  "
              << r["weight"].get<std::string>() << "  " << r["jockey"].get<std::string>() << "  "
              << r["trainer"].get<std::string>() << "  " << r["odds"].get<std::string>() << "\n";
    for (const auto& run : r["last_runs"]) {
      std::cout << "      " << run["date"].get<std::string>() << " " << run["place"].get<std::string>()
                << " " << run["distance"].get<std::string>() << " " << run["going"].get<std::string>()
                << " " << run["order"].get<std::string>() << "着 " << run["time"].get<std::string>();
      if (!run["comment"].get<std::string>().empty()) std::cout << "  " << run["comment"].get<std::string>();
      std::cout << "\n";
    }
  }
  return 0;
}

}  // namespace

void RegisterCard(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("card", "Show the race card of a race");
  auto args = std::make_shared<CardArguments>();
  cmd->add_option("RACECODE", args->code, "Race code: place, date, race number (052024010611)")
      ->required();
  cmd->add_option("--runs", args->runs, "Last runs shown per runner")
      ->check(CLI::Range(0, YDenma::kLastRuns))
      ->capture_default_str();
  cmd->add_flag("--nominations", args->nominations, "The horses nominated, before the draw");
  cmd->callback([&options, exit_code, args] { *exit_code = ShowCard(options, *args); });
}

}  // namespace tool
