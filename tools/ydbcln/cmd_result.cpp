// `ydbcln result RACECODE`: the result of one run race: heading, going,
// weather and pace; the runners in finishing order with order, margin,
// time, last 600 m, corners, weights, final odds, popularity and remarks;
// the laps, early and final times, passing orders, comments, prize money
// with the shares of the added money, and the payouts.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "Command.h"
#include "Printable.h"
#include "RaceShow.h"
#include "Session.h"
#include "WholeNames.h"

namespace tool {
namespace {

// The runners' indexes in finishing order; those not placed last, by
// horse number.
std::vector<int> FinishingOrder(YSeiseki& result) {
  std::vector<int> order(static_cast<std::size_t>(result.gethorsecount()));
  std::iota(order.begin(), order.end(), 0);
  auto key = [&result](int i) {
    const YRaceHorse* h = result.horse(i);
    return std::make_pair(h->order == 0 ? 99 : h->order, static_cast<int>(h->horseno));
  };
  std::stable_sort(order.begin(), order.end(), [&key](int a, int b) { return key(a) < key(b); });
  return order;
}

std::string FinalOdds(YOdds* odds, const YRaceHorse& h) {
  if (odds == nullptr) return h.winodds > 0 ? Weight(h.winodds) : "";
  std::string text;
  odds->tansho(h.horseno, text);
  text = Utf8(text);
  return text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
}

std::string Corners(const YRaceHorse& h) {
  std::string text;
  for (unsigned char at : h.corners) {
    if (at == 0) continue;
    if (!text.empty()) text += "-";
    text += std::to_string(at);
  }
  return text;
}

std::string BodyWeight(const YRaceHorse& h) {
  if (h.bodyweight == 0) return "";
  std::string text = std::to_string(h.bodyweight);
  if (h.weightchange != 999) {
    text += "(" + std::string(h.weightchange > 0 ? "+" : "") + std::to_string(h.weightchange) + ")";
  }
  return text;
}

// A pair as the payouts number it: 12 frames 1 and 2, 102 horses 1 and 2.
std::string Pair(int kumi, int base) { return std::to_string(kumi / base) + "-" + std::to_string(kumi % base); }

nlohmann::json Payouts(const YSeiseki& r) {
  const YHaitoInfo& p = r.haito;
  nlohmann::json out = nlohmann::json::array();
  auto add = [&out](const char* pool, const std::string& what, int amount, int popularity) {
    if (amount == 0) return;
    out.push_back({{"pool", pool}, {"combination", what}, {"payout", amount}, {"popularity", popularity}});
  };
  for (int i = 0; i < 3; ++i) add("単勝", std::to_string(p.tansho_uma[i]), p.tansho_haito[i], i == 0 ? r.tanshoninki : 0);
  for (int i = 0; i < 5; ++i) add("複勝", std::to_string(p.fukusho_uma[i]), p.fukusho_haito[i], 0);
  for (int i = 0; i < 3; ++i) add("枠連", Pair(p.wakuren_kumi[i], 10), p.wakuren_haito[i], 0);
  for (int i = 0; i < 3; ++i) add("馬連", Pair(p.umaren_kumi[i], 100), p.umaren_haito[i], r.umarenninki[i]);
  for (int i = 0; i < 7; ++i) add("ワイド", Pair(p.wide_kumi[i], 100), p.wide_haito[i], r.wideninki[i]);
  return out;
}

int ShowResult(const Options& options, const std::string& code) {
  if (!CheckRaceCode(code)) return 2;
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  YSeiseki result(&db, code);
  if (db.geterrstatus() != 0) {
    ReportReadFailure(db, "the result of " + code);
    return 1;
  }
  if (result.code.empty()) {
    std::cerr << "ydbcln: no result for " << Quoted(code) << "\n";
    return 1;
  }
  YOdds* odds = result.odds();

  nlohmann::json out = {
      {"code", result.code},
      {"heading", Utf8(result.heading)},
      {"name", WholeNames(options.data_dir)
                   .of(ydb::DataSet::Name::kRace, result.code, Utf8(result.racename))},
      {"date", Utf8(result.datetext)},
      {"conditions", Utf8(result.conditions)},
      {"course", Utf8(result.course)},
      {"going", Utf8(result.going)},
      {"weather", Utf8(result.weather)},
      {"pace", Utf8(result.pace)},
      {"runners", nlohmann::json::array()},
      {"lap_heading", Utf8(result.lapheading)},
      {"laps", Utf8(result.lapline)},
      {"early_times", nlohmann::json::array()},
      {"final_time", result.finaltime},
      {"corners", nlohmann::json::array()},
      {"comments", nlohmann::json::array()},
      {"prize", nlohmann::json::array()},
      {"added_money", nlohmann::json::array()},
      {"payouts", Payouts(result)},
  };
  for (int i : FinishingOrder(result)) {
    const YRaceHorse& h = *result.horse(i);
    out["runners"].push_back({
        {"order", Utf8(h.ordertext)},       {"bracket", h.bracketno},
        {"number", h.horseno},              {"horse_code", h.horsecode},
        {"name", Utf8(h.horsename)},        {"sex_age", Utf8(h.sexage)},
        {"weight", Weight(h.weightcarried)}, {"jockey", Utf8(h.jockeyname)},
        {"time", RaceTime(h.racetime)},     {"margin", Utf8(h.margintext)},
        {"last_600", RaceTime(h.last600)},  {"corners", Corners(h)},
        {"body_weight", BodyWeight(h)},     {"odds", FinalOdds(odds, h)},
        {"popularity", h.popularity},       {"remarks", Utf8(h.remarks)},
    });
  }
  for (const std::string& t : result.earlytime) {
    if (!t.empty()) out["early_times"].push_back(t);
  }
  for (int j = 0; j < result.cornercount; ++j) {
    out["corners"].push_back({{"corner", Utf8(result.cornerheading[j])}, {"order", Utf8(result.cornerorder[j])}});
  }
  for (int j = 0; j < result.commentcount; ++j) out["comments"].push_back(Utf8(result.comment[j]));
  for (const std::string& prize : result.prize) out["prize"].push_back(Utf8(prize));
  for (const std::string& share : result.sharedprize) out["added_money"].push_back(Utf8(share));

  if (options.json) {
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  auto text = [&out](const char* key) { return out[key].get<std::string>(); };
  std::cout << result.code << "  " << text("heading") << "  " << text("name") << "\n"
            << text("date") << "  " << text("conditions") << "\n"
            << text("course") << "  " << text("going") << "  " << text("weather") << "  pace "
            << text("pace") << "\n\n";
  for (const auto& r : out["runners"]) {
    std::cout << r["order"].get<std::string>() << "  " << r["bracket"].get<int>() << " "
              << r["number"].get<int>() << "  " << r["name"].get<std::string>() << "  "
              << r["sex_age"].get<std::string>() << "  " << r["weight"].get<std::string>() << "  "
              << r["jockey"].get<std::string>() << "  " << r["time"].get<std::string>() << "  "
              << r["margin"].get<std::string>() << "  " << r["last_600"].get<std::string>() << "  "
              << r["corners"].get<std::string>() << "  " << r["body_weight"].get<std::string>()
              << "  " << r["odds"].get<std::string>() << " (" << r["popularity"].get<int>() << ")  "
              << r["remarks"].get<std::string>() << "\n";
  }
  std::cout << "\n" << text("lap_heading") << ": " << text("laps") << "\n";
  if (!out["early_times"].empty()) {
    std::cout << "Early:";
    for (const auto& t : out["early_times"]) std::cout << "  " << t.get<std::string>();
    std::cout << "\n";
  }
  if (!result.finaltime.empty()) std::cout << "Final 800-600: " << result.finaltime << "\n";
  for (const auto& c : out["corners"]) {
    std::cout << c["corner"].get<std::string>() << ": " << c["order"].get<std::string>() << "\n";
  }
  for (const auto& c : out["comments"]) std::cout << c.get<std::string>() << "\n";
  std::cout << "Prize:";
  for (const auto& prize : out["prize"]) std::cout << " " << prize.get<std::string>();
  std::cout << "\nAdded money:";
  for (const auto& share : out["added_money"]) {
    if (!share.get<std::string>().empty()) std::cout << " " << share.get<std::string>();
  }
  std::cout << "\n";
  for (const auto& p : out["payouts"]) {
    std::cout << p["pool"].get<std::string>() << " " << p["combination"].get<std::string>() << "  "
              << p["payout"].get<int>() << "円";
    if (p["popularity"].get<int>() > 0) std::cout << " (" << p["popularity"].get<int>() << "番人気)";
    std::cout << "\n";
  }
  return 0;
}

}  // namespace

void RegisterResult(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("result", "Show the result of a run race");
  auto code = std::make_shared<std::string>();
  cmd->add_option("RACECODE", *code, "Race code: place, date, race number (052024010611)")
      ->required();
  cmd->callback([&options, exit_code, code] { *exit_code = ShowResult(options, *code); });
}

}  // namespace tool
