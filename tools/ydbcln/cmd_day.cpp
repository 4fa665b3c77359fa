// `ydbcln day [DATE] [--card] [--short]`: a race day (by default the
// latest) from its results, or from its race cards with --card: each venue
// with its meeting and main race, then each race's row: number, name with
// class, distance, rail, runners and, for a run race, the first three horse
// numbers and the payouts of the five pools. With --month, the race days
// of the month holding the day instead, each with its venues and their
// main races.
#include <initializer_list>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Display.h"
#include "RaceSource.h"
#include "Session.h"

namespace tool {
namespace {

// A payout with its popularity, as "880 (3)"; empty without a payout.
std::string WithPopularity(const std::string& payout, const std::string& popularity) {
  if (Text(payout).empty()) return "";
  return Text(payout) + " (" + Text(popularity) + ")";
}

// The texts of a pool's entries joined by " / ", empty ones left out, and
// "-" for a pool without any: not sold (the bracket quinella of a field of
// eight or fewer) or nothing paid, which the record holds as 0.
std::string Joined(std::initializer_list<std::string> texts) {
  std::string out;
  for (const std::string& t : texts) {
    if (t.empty() || t == "0") continue;
    if (!out.empty()) out += " / ";
    out += t;
  }
  return out.empty() ? "-" : out;
}

void PrintRow(YRaceList& row) {
  std::cout << std::setw(4) << int(row.getno()) << "R " << Column(row.getname(), 22) << " "
            << Column(row.getdistance(), 6) << " " << Column(row.getcourse(), 2) << " "
            << std::setw(2) << int(row.gethorsecount()) << "頭";
  if (Text(row.getw1uno()).empty()) {
    std::cout << "\n";
    return;
  }
  std::cout << "  着順 " << Text(row.getw1uno()) << "-" << Text(row.getw2uno()) << "-"
            << Text(row.getw3uno()) << "  単勝 " << Text(row.gettan()) << "  複勝 "
            << Joined({Text(row.getfuku1()), Text(row.getfuku2()), Text(row.getfuku3())})
            << "  枠連 " << Joined({Text(row.getwakuren())}) << "  馬連 "
            << Joined({WithPopularity(row.getumaren(), row.getumanin())}) << "  ワイド "
            << Joined({WithPopularity(row.getwide1h(), row.getwide1n()),
                       WithPopularity(row.getwide2h(), row.getwide2n()),
                       WithPopularity(row.getwide3h(), row.getwide3n())})
            << "\n";
}

nlohmann::json RowJson(YRaceList& row) {
  nlohmann::json race = {
      {"number", row.getno()},
      {"code", row.getcode()},
      {"name", Text(row.getname())},
      {"long_name", Text(row.getlongracename())},
      {"class", Text(row.getlongraceclass())},
      {"distance", Text(row.getdistance())},
      {"course", Text(row.getcourse())},
      {"runners", row.gethorsecount()},
  };
  if (Text(row.getw1uno()).empty()) return race;
  race["places"] = {Number(row.getw1uno()), Number(row.getw2uno()), Number(row.getw3uno())};
  auto popular = [](const std::string& payout, const std::string& popularity) {
    return nlohmann::json{{"payout", Number(payout)}, {"popularity", Number(popularity)}};
  };
  race["payouts"] = {
      {"win", Number(row.gettan())},
      {"place", {Number(row.getfuku1()), Number(row.getfuku2()), Number(row.getfuku3())}},
      {"bracket_quinella", Number(row.getwakuren())},
      {"quinella", popular(row.getumaren(), row.getumanin())},
      {"wide",
       {popular(row.getwide1h(), row.getwide1n()), popular(row.getwide2h(), row.getwide2n()),
        popular(row.getwide3h(), row.getwide3n())}},
  };
  return race;
}

// The race days of the month holding `date`, from the results or the race
// cards.
int ShowMonth(const Options& options, YHorseDB& db, int date, bool cards) {
  std::unique_ptr<YSearchRace> days;
  if (cards) {
    days = std::make_unique<YSearchDenma>(&db);
  } else {
    days = std::make_unique<YSearchSeiseki>(&db);
  }
  const int n = days->exec(date);
  if (n < 0) return StoreFailure();
  if (options.json) {
    nlohmann::json out = {{"month", date / 100},
                          {"kind", cards ? "cards" : "results"},
                          {"days", nlohmann::json::array()}};
    for (int i = 0; i < n; ++i) {
      YMainraceList* day = days->result(i);
      nlohmann::json venues = nlohmann::json::array();
      for (int v = 0; v < day->getplacecount(); ++v) {
        venues.push_back({{"place", Text(day->getplace(v))},
                          {"code", day->getcode(v)},
                          {"main_race", Text(Trim(day->getname(v)))}});
      }
      out["days"].push_back({{"date", day->getdate()}, {"venues", venues}});
    }
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  std::cout << date / 10000 << "年" << date / 100 % 100 << "月: " << n
            << (cards ? " race days with race cards\n" : " race days with results\n");
  for (int i = 0; i < n; ++i) {
    YMainraceList* day = days->result(i);
    std::cout << Text(YUtil::getdate(day->getdate()));
    for (int v = 0; v < day->getplacecount(); ++v) {
      std::cout << "  " << Text(day->getplace(v)) << " " << Text(Trim(day->getname(v)));
    }
    std::cout << "\n";
  }
  return 0;
}

}  // namespace

int ShowDay(const Options& options, const std::string& date_text, bool cards, bool shortkey,
            bool month) {
  int date = 0;
  if (!date_text.empty() && !ParseDate(date_text, &date)) {
    return Fail("DATE wants a day as YYYYMMDD, such as 20240106, not '" + date_text + "'");
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  if (date_text.empty() && !LatestRaceDay(db, cards, &date)) return StoreFailure();
  if (month) return ShowMonth(options, db, date, cards);
  YMainraceList venues(&db, static_cast<_tagRACELISTREC*>(nullptr), true);
  if (date != 0 && !ReadVenues(db, date, cards, &venues)) return StoreFailure();
  std::unique_ptr<YDayRace> day;
  if (cards) {
    day = std::make_unique<YDayDenma>(&db, &venues);
  } else {
    day = std::make_unique<YDaySeiseki>(&db, &venues, shortkey);
  }
  if (db.geterrstatus() == YHorseDB::kDatabaseError) return StoreFailure();

  if (options.json) {
    nlohmann::json out = {{"date", date == 0 ? nlohmann::json() : nlohmann::json(date)},
                          {"kind", cards ? "cards" : "results"},
                          {"venues", nlohmann::json::array()}};
    for (int i = 0; i < day->getplacecount(); ++i) {
      nlohmann::json venue = {{"place", Text(day->getplace(i))},
                              {"code", venues.getcode(i)},
                              {"meeting", Text(day->getkaisai(i))},
                              {"main_race", Text(venues.getname(i))},
                              {"races", nlohmann::json::array()}};
      for (int j = 0; j < day->getracecount(i); ++j) venue["races"].push_back(RowJson(*day->list(i, j)));
      out["venues"].push_back(venue);
    }
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  const char* what = cards ? "race cards" : "results";
  if (date == 0) {
    std::cout << "No race day with " << what << " in the data set.\n";
    return 0;
  }
  std::cout << Text(YUtil::getdate(date)) << "\n";
  if (day->getplacecount() == 0) std::cout << "No racing with " << what << " on this day.\n";
  for (int i = 0; i < day->getplacecount(); ++i) {
    std::cout << "\n"
              << Text(day->getplace(i)) << "  " << Text(day->getkaisai(i)) << "  メイン "
              << Text(venues.getname(i)) << "\n";
    for (int j = 0; j < day->getracecount(i); ++j) PrintRow(*day->list(i, j));
  }
  return 0;
}

void RegisterDay(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("day", "Show a race day: venues, races and payouts");
  auto date = std::make_shared<std::string>();
  auto cards = std::make_shared<bool>(false);
  auto shortkey = std::make_shared<bool>(false);
  auto month = std::make_shared<bool>(false);
  cmd->add_option("DATE", *date, "The day as YYYYMMDD (default: the latest race day)");
  cmd->add_flag("--card", *cards, "The day's race cards instead of its results");
  cmd->add_flag("--short", *shortkey, "Ask for each venue's results by the bare venue key");
  cmd->add_flag("--month", *month, "The race days of the month holding the day");
  cmd->fallthrough();
  cmd->callback([&options, exit_code, date, cards, shortkey, month] {
    *exit_code = ShowDay(options, *date, *cards, *shortkey, *month);
  });
}

}  // namespace tool
