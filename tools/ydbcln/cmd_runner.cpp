// `ydbcln runner RACECODE NUMBER [--card]`: one horse in one race. From
// the result: finishing order, remarks, margin, corners, weights, odds and
// popularity, the opponent, and the run comment and memo; with --card, its
// entry on the race card.
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "RaceSource.h"
#include "Session.h"

namespace tool {
namespace {

struct Arguments {
  std::string code;
  int number = 0;
  bool card = false;
};

// "1:47.1" from tenths of a second; "-" for none.
std::string RaceTime(int tenths) {
  if (tenths == 0) return "-";
  const int rest = tenths % 600;
  return std::to_string(tenths / 600) + ":" + (rest < 100 ? "0" : "") + Tenths(rest);
}

// The positions at the corners run, as 3-3-2-1.
std::string Corners(const YRaceHorse& h) {
  std::string out;
  for (unsigned char at : h.corners) {
    if (at == 0) continue;
    if (!out.empty()) out += "-";
    out += std::to_string(at);
  }
  return out;
}

// The race both kinds of entry start with.
std::string RaceLine(const YRaceHorse& h, const std::string& code) {
  return code + "  " + Text(h.kaisai) + " " + std::to_string(h.raceno) + "R  " +
         Text(h.racename) + " " + Text(h.raceclass) + "  " + Text(h.track) +
         std::to_string(h.distance) + " " + Text(h.direction) + Text(h.innerouter) + " " +
         Text(h.going);
}

void Line(const char* label, const std::string& value) {
  std::cout << "  " << std::left << std::setw(12) << label << std::right << value << "\n";
}

std::string Person(const std::string& name, const std::string& code) {
  return Text(name) + " (" + code + ")";
}

void PrintResult(YRaceHorse& h, const std::string& code) {
  std::cout << RaceLine(h, code) << "\n"
            << std::setw(2) << int(h.horseno) << " " << Text(h.horsename) << " (" << h.horsecode
            << ")  " << Text(h.sexage) << "  bracket " << int(h.bracketno) << "\n";
  Line("Order", Text(h.ordertext));
  Line("Remarks", Text(h.remarks));
  Line("Margin", Text(h.margintext) + (h.margin != 0 ? "  (" + Tenths(h.margin) + " s)" : ""));
  Line("Time", RaceTime(h.racetime) + "  last 600 m " + Tenths(h.last600));
  Line("Corners", Corners(h));
  Line("Carried", Tenths(h.weightcarried) + " kg");
  std::string body = h.bodyweight != 0 ? std::to_string(h.bodyweight) + " kg" : "-";
  if (h.weightchange != 999) body += " (" + std::string(h.weightchange > 0 ? "+" : "") +
                                     std::to_string(h.weightchange) + ")";
  Line("Body weight", body);
  Line("Odds", h.winodds != 0 ? Tenths(h.winodds) + "  popularity " + std::to_string(h.popularity)
                              : "-");
  Line("Jockey", Person(h.jockeyname, h.jockeycode));
  Line("Trainer", Person(h.trainername, h.trainercode) + "  " + Text(h.stable));
  const std::string opponent = h.geth1code();
  Line("Opponent", opponent.empty() ? "-"
                                    : Person(h.geth1name(), opponent) + "  jockey " +
                                          Person(h.getj1name(), h.getj1code()) + "  trainer " +
                                          Person(h.gets1name(), h.gets1code()));
  Line("Comment", Text(h.get_rcomment()));
  Line("Memo", Text(h.get_rmemo()));
}

nlohmann::json ResultJson(YRaceHorse& h, const std::string& code) {
  nlohmann::json corners = nlohmann::json::array();
  for (unsigned char at : h.corners) corners.push_back(at);
  return {
      {"race", code},
      {"race_name", Text(h.racename)},
      {"class", Text(h.raceclass)},
      {"number", h.horseno},
      {"bracket", h.bracketno},
      {"horse", {{"code", h.horsecode}, {"name", Text(h.horsename)}}},
      {"sex_age", Text(h.sexage)},
      {"order", h.order},
      {"order_text", Text(h.ordertext)},
      {"remarks", Text(h.remarks)},
      {"margin_text", Text(h.margintext)},
      {"margin_tenths", h.margin},
      {"time_tenths", h.racetime},
      {"last_600_tenths", h.last600},
      {"corners", corners},
      {"weight_carried_tenths", h.weightcarried},
      {"body_weight", h.bodyweight},
      {"body_weight_change", h.weightchange == 999 ? nlohmann::json() : nlohmann::json(h.weightchange)},
      {"win_odds_tenths", h.winodds},
      {"popularity", h.popularity},
      {"jockey", {{"code", h.jockeycode}, {"name", Text(h.jockeyname)}}},
      {"trainer", {{"code", h.trainercode}, {"name", Text(h.trainername)}, {"stable", Text(h.stable)}}},
      {"opponent",
       {{"horse", {{"code", h.geth1code()}, {"name", Text(h.geth1name())}}},
        {"jockey", {{"code", h.getj1code()}, {"name", Text(h.getj1name())}}},
        {"trainer", {{"code", h.gets1code()}, {"name", Text(h.gets1name())}}}}},
      {"comment", Text(h.get_rcomment())},
      {"memo", Text(h.get_rmemo())},
  };
}

void PrintCard(YRaceHorse& h, const std::string& code) {
  std::cout << RaceLine(h, code) << "  " << h.horsecount << " runners\n"
            << std::setw(2) << int(h.horseno) << " " << Text(h.horsename) << " (" << h.horsecode
            << ")  " << Text(h.sexage) << "  bracket " << int(h.bracketno) << "\n";
  Line("Carried", Tenths(h.weightcarried) + " kg");
  Line("Jockey", Person(h.jockeyname, h.jockeycode) + "  " + Text(h.jockeytext));
  Line("Trainer", Person(h.trainername, h.trainercode) + "  " + Text(h.stable));
  Line("Value", Text(h.value));
}

nlohmann::json CardJson(YRaceHorse& h, const std::string& code) {
  return {
      {"race", code},
      {"race_name", Text(h.racename)},
      {"class", Text(h.raceclass)},
      {"runners", h.horsecount},
      {"number", h.horseno},
      {"bracket", h.bracketno},
      {"horse", {{"code", h.horsecode}, {"name", Text(h.horsename)}}},
      {"sex_age", Text(h.sexage)},
      {"weight_carried_tenths", h.weightcarried},
      {"jockey", {{"code", h.jockeycode}, {"name", Text(h.jockeyname)}, {"text", Text(h.jockeytext)}}},
      {"trainer", {{"code", h.trainercode}, {"name", Text(h.trainername)}, {"stable", Text(h.stable)}}},
      {"value", Text(h.value)},
  };
}

int ShowRunner(const Options& options, const Arguments& args) {
  if (!IsRaceCode(args.code)) {
    return Fail("RACECODE wants 12 digits: place, YYYYMMDD and race number, not '" + args.code +
                "'");
  }
  if (args.number < 1 || args.number > 18) {
    return Fail("NUMBER wants a horse number from 1 to 18, not " + std::to_string(args.number));
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  std::vector<YRaceHorse> runners;
  if (!(args.card ? CardRunners(db, args.code, &runners) : ResultRunners(db, args.code, &runners))) {
    return StoreFailure();
  }
  if (runners.empty()) {
    return Fail("race " + args.code + " has no " + (args.card ? "race card" : "result"), 1);
  }
  for (YRaceHorse& h : runners) {
    if (h.horseno != args.number) continue;
    if (options.json) {
      std::cout << (args.card ? CardJson(h, args.code) : ResultJson(h, args.code)).dump(2) << "\n";
    } else if (args.card) {
      PrintCard(h, args.code);
    } else {
      PrintResult(h, args.code);
    }
    return 0;
  }
  return Fail("race " + args.code + " has no horse number " + std::to_string(args.number), 1);
}

}  // namespace

void RegisterRunner(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("runner", "Show one horse's run in a race, or its card entry");
  auto args = std::make_shared<Arguments>();
  cmd->add_option("RACECODE", args->code, "The race: place, YYYYMMDD, race number")->required();
  cmd->add_option("NUMBER", args->number, "The horse number")->required();
  cmd->add_flag("--card", args->card, "Show the entry on the race card");
  cmd->fallthrough();
  cmd->callback([&options, exit_code, args] { *exit_code = ShowRunner(options, *args); });
}

}  // namespace tool
