// `ydbcln money --year Y [--month M]`: the year's betting money from the
// tickets held: staked, returned, balance, hit and return rates in all and
// by bet type; the twelve months with their running balance; with
// --month, each day of that month and its tickets; --chart FILE.svg draws
// the year (cmd_money_chart.h). Tickets of races without results are left
// out.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "BetTicket.h"
#include "Command.h"
#include "Display.h"
#include "RaceSource.h"
#include "Session.h"
#include "cmd_money_chart.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

struct MoneyRequest {
  int year = 0;
  int month = 0;
  std::string chart;  // an SVG file to draw the year into
};

// Tens of yen as whole yen.
long long Yen(double tens) { return static_cast<long long>(tens * 10 + (tens < 0 ? -0.5 : 0.5)); }

// A rate in tenths of a percent as "33.3%".
std::string Percent(int tenths) {
  char text[24];
  std::snprintf(text, sizeof text, "%d.%d%%", tenths / 10, tenths % 10);
  return text;
}

Json RecordJson(const YMoneyRecord& r) {
  return {{"tickets", r.tickets},          {"hits", r.hits},
          {"staked", Yen(r.staked)},       {"returned", Yen(r.returned)},
          {"balance", Yen(r.balance)},     {"hit_rate", Percent(r.hitrate)},
          {"return_rate", Percent(r.returnrate)}};
}

std::string RecordLine(const YMoneyRecord& r) {
  char text[160];
  std::snprintf(text, sizeof text, "%6d %5d %12lld %12lld %+12lld %8s %8s", r.tickets, r.hits,
                Yen(r.staked), Yen(r.returned), Yen(r.balance), Percent(r.hitrate).c_str(),
                Percent(r.returnrate).c_str());
  return text;
}

std::string Combo(const YMoneyRecord& r) {
  const std::string first = std::to_string(r.first);
  return r.type >= 3 ? first + "-" + std::to_string(r.second) : first;
}

// The days of the month and their tickets.
void ShowMonth(YMoney& money, int month, Json* out) {
  const int group = 0, by_ticket = 0, by_day = 2;
  for (int d = 0; d < money.getrecordcount(group, by_day); ++d) {
    const YMoneyRecord& day = *money.getrecord(group, by_day, d);
    if (day.date / 100 % 100 != month) continue;
    Json tickets = Json::array();
    if (out == nullptr) std::cout << day.date << "  " << RecordLine(day) << "\n";
    for (int t = 0; t < money.getrecordcount(group, by_ticket); ++t) {
      const YMoneyRecord& r = *money.getrecord(group, by_ticket, t);
      if (r.date != day.date) continue;
      if (out == nullptr) {
        std::cout << "    " << r.racecode << "  " << Text(r.kaisai) << "  " << BetTypeName(r.type)
                  << " " << Combo(r) << "  staked ¥" << Yen(r.staked) << "  returned ¥"
                  << Yen(r.returned) << "\n";
      } else {
        tickets.push_back({{"race", r.racecode}, {"type", BetTypeWord(r.type)},
                           {"combo", Combo(r)}, {"staked", Yen(r.staked)},
                           {"returned", Yen(r.returned)}});
      }
    }
    if (out != nullptr) {
      Json row = RecordJson(day);
      row["date"] = day.date;
      row["tickets"] = tickets;
      out->push_back(row);
    }
  }
}

int ShowMoney(const Options& options, const MoneyRequest& q) {
  if (q.year < 1000 || q.year > 9999) return Fail("--year is a year of four digits");
  if (q.month < 0 || q.month > 12) return Fail("--month is 1 to 12");
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  YMoney money(&db);
  if (money.exec(q.year) != 0) return StoreFailure();
  if (!q.chart.empty() && !WriteMoneyChart(money, q.year, q.chart)) {
    return Fail("cannot write the chart " + q.chart, kExitNotFound);
  }
  const int kYear = 5;
  YMoneyRecord all;
  if (money.getrecordcount(0, kYear) == 1) all = *money.getrecord(0, kYear, 0);

  Json out = {{"year", q.year}};
  if (options.json) {
    out.update(RecordJson(all));
  } else {
    std::cout << "Money " << q.year << ": staked ¥" << Yen(all.staked) << "  returned ¥"
              << Yen(all.returned) << "  balance " << (all.balance >= 0 ? "+" : "-") << "¥"
              << std::llabs(Yen(all.balance)) << "\n"
              << "             tickets  hits       staked     returned      balance hit rate"
                 " return\n"
              << "all       " << RecordLine(all) << "\n";
  }
  Json types = Json::array();
  for (int type = 1; type <= 5; ++type) {
    if (money.getrecordcount(type, kYear) != 1) continue;
    const YMoneyRecord& r = *money.getrecord(type, kYear, 0);
    if (options.json) {
      Json row = {{"type", BetTypeWord(type)}};
      row.update(RecordJson(r));
      types.push_back(row);
    } else {
      std::cout << Pad(BetTypeName(type), 10) << RecordLine(r) << "\n";
    }
  }
  Json months = Json::array();
  const int kByMonth = 1;
  if (!options.json && money.getgraphcount(kByMonth, 0) > 0) std::cout << "Month     balance      running\n";
  for (int m = 0; m < money.getgraphcount(kByMonth, 0); ++m) {
    const YMoneyGraph& point = *money.getgraphdata(kByMonth, 0, m);
    if (options.json) {
      months.push_back({{"month", point.key / 100}, {"balance", Yen(point.value)},
                        {"running", Yen(point.total)}});
    } else {
      char line[80];
      std::snprintf(line, sizeof line, "%5d %+12lld %+12lld", point.key / 100, Yen(point.value),
                    Yen(point.total));
      std::cout << line << "\n";
    }
  }
  Json days = Json::array();
  if (q.month != 0) {
    if (!options.json) std::cout << "Days of month " << q.month << "\n";
    ShowMonth(money, q.month, options.json ? &days : nullptr);
  }
  if (options.json) {
    out["by_type"] = types;
    out["months"] = months;
    if (q.month != 0) out["days"] = days;
    std::cout << out.dump(2) << "\n";
  }
  return kExitDone;
}

}  // namespace

void RegisterMoney(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("money", "The year's betting money from the tickets held");
  auto q = std::make_shared<MoneyRequest>();
  cmd->add_option("--year", q->year, "The year")->required();
  cmd->add_option("--month", q->month, "Also each day of this month, 1 to 12, and its tickets");
  cmd->add_option("--chart", q->chart,
                  "Also draw the running balance by day and the months' stakes and returns "
                  "into this SVG file");
  cmd->callback([&options, exit_code, q] { *exit_code = ShowMoney(options, *q); });
}

}  // namespace tool
