// `ydbcln odds RACECODE [--forecast] [--top N]`: the odds of a race as an
// odds board shows them: when they were published, the win odds with the
// horses' names, the bracket-quinella and quinella tables, and the N most
// popular entries of each pool. Final odds by default; --forecast the odds
// published before the race.
#include <algorithm>
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
  bool forecast = false;
  int top = 5;
};

constexpr int kFrames = 8;
constexpr std::size_t kCell = 8;  // one odds cell of a table

// One combination's odds read in both forms: `read(x)` is an odds call
// with the combination's arguments, for an int and for a text.
template <typename Read>
nlohmann::json Both(Read read) {
  int tenths = 0;
  std::string text;
  read(tenths);
  read(text);
  return {{"odds_tenths", tenths == YOdds::kNoValue ? nlohmann::json() : nlohmann::json(tenths)},
          {"text", Text(text)}};
}

std::string Pair(int first, int second) {
  return std::to_string(first) + "-" + std::to_string(second);
}

// The table of a pair pool: a row per first number, a column per second,
// `cell(a, b)` the odds text of a pair or empty where there is none.
template <typename Cell>
void PrintTable(const char* title, int first_max, int second_min, int second_max, Cell cell) {
  std::cout << "\n" << title << "\n    ";
  for (int b = second_min; b <= second_max; ++b) std::cout << std::setw(kCell) << b;
  std::cout << "\n";
  for (int a = 1; a <= first_max; ++a) {
    std::cout << std::setw(3) << a << " ";
    for (int b = second_min; b <= second_max; ++b) std::cout << RightColumn(Trim(cell(a, b)), kCell);
    std::cout << "\n";
  }
}

// The horse names by number of a race's runners.
using Names = std::vector<std::string>;

nlohmann::json OddsJson(YOdds& odds, const Names& names, int top) {
  const int field = odds.gettosu();
  nlohmann::json out = {{"win", nlohmann::json::array()},
                        {"bracket_quinella", nlohmann::json::array()},
                        {"quinella", nlohmann::json::array()}};
  for (int n = 1; n <= field; ++n) {
    nlohmann::json entry = Both([&](auto& x) { odds.tansho(n, x); });
    entry["number"] = n;
    entry["name"] = Text(names[static_cast<std::size_t>(n)]);
    out["win"].push_back(entry);
  }
  for (int a = 1; a <= kFrames; ++a) {
    for (int b = a; b <= kFrames; ++b) {
      nlohmann::json entry = Both([&](auto& x) { odds.wakuren(a, b, x); });
      entry["pair"] = {a, b};
      out["bracket_quinella"].push_back(entry);
    }
  }
  for (int a = 1; odds.is_umaren() && a < field; ++a) {
    for (int b = a + 1; b <= field; ++b) {
      nlohmann::json entry = Both([&](auto& x) { odds.umaren(a, b, x); });
      entry["pair"] = {a, b};
      out["quinella"].push_back(entry);
    }
  }
  nlohmann::json& popular = out["popular"] = {{"win", nlohmann::json::array()},
                                              {"bracket_quinella", nlohmann::json::array()},
                                              {"quinella", nlohmann::json::array()}};
  int first = 0, second = 0;
  for (int r = 0; r < std::min(top, odds.ninki_tancnt()); ++r) {
    nlohmann::json entry = Both([&](auto& x) { odds.ninki_tansho(r, first, x); });
    entry["number"] = first;
    popular["win"].push_back(entry);
  }
  for (int r = 0; r < std::min(top, odds.ninki_wakcnt()); ++r) {
    nlohmann::json entry = Both([&](auto& x) { odds.ninki_wakuren(r, first, second, x); });
    entry["pair"] = {first, second};
    popular["bracket_quinella"].push_back(entry);
  }
  for (int r = 0; r < std::min(top, odds.ninki_umacnt()); ++r) {
    nlohmann::json entry = Both([&](auto& x) { odds.ninki_umaren(r, first, second, x); });
    entry["pair"] = {first, second};
    popular["quinella"].push_back(entry);
  }
  return out;
}

void PrintOdds(YOdds& odds, const Names& names, int top) {
  const int field = odds.gettosu();
  std::string text;
  std::cout << Text(odds.desc()) << "\n\n単勝\n";
  for (int n = 1; n <= field; ++n) {
    odds.tansho(n, text);
    std::cout << std::setw(4) << n << " " << Column(names[static_cast<std::size_t>(n)], 20)
              << RightColumn(Trim(text), kCell) << "\n";
  }
  PrintTable("枠連", kFrames, 1, kFrames, [&](int a, int b) {
    odds.wakuren(a, b, text);
    return text;
  });
  if (odds.is_umaren()) {
    PrintTable("馬連", field - 1, 2, field, [&](int a, int b) {
      odds.umaren(a, b, text);
      return text;
    });
  }
  int first = 0, second = 0;
  std::cout << "\nMost popular\n  単勝 ";
  for (int r = 0; r < std::min(top, odds.ninki_tancnt()); ++r) {
    odds.ninki_tansho(r, first, text);
    std::cout << "  " << first << " " << Text(text);
  }
  std::cout << "\n  枠連 ";
  for (int r = 0; r < std::min(top, odds.ninki_wakcnt()); ++r) {
    odds.ninki_wakuren(r, first, second, text);
    std::cout << "  " << Pair(first, second) << " " << Text(text);
  }
  std::cout << "\n  馬連 ";
  for (int r = 0; r < std::min(top, odds.ninki_umacnt()); ++r) {
    odds.ninki_umaren(r, first, second, text);
    std::cout << "  " << Pair(first, second) << " " << Text(text);
  }
  std::cout << "\n";
}

int ShowOdds(const Options& options, const Arguments& args) {
  if (!IsRaceCode(args.code)) {
    return Fail("RACECODE wants 12 digits: place, YYYYMMDD and race number, not '" + args.code +
                "'");
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  std::vector<YRaceHorse> runners;
  if (!ResultRunners(db, args.code, &runners)) return StoreFailure();
  if (runners.empty() && !CardRunners(db, args.code, &runners)) return StoreFailure();
  if (runners.empty()) return Fail("no race " + args.code, 1);
  Names names(runners.size() + 1);
  for (const YRaceHorse& h : runners) {
    if (h.horseno < names.size()) names[h.horseno] = h.horsename;
  }

  YOdds odds(&db, args.code, static_cast<int>(runners.size()), !args.forecast);
  if (db.geterrstatus() == YHorseDB::kDatabaseError) return StoreFailure();
  if (options.json) {
    nlohmann::json out = {{"race", args.code},
                          {"race_name", Text(runners.front().racename)},
                          {"final", !args.forecast},
                          {"exists", odds.isexist()},
                          {"description", Text(odds.desc())},
                          {"runners", runners.size()}};
    if (odds.isexist()) out.update(OddsJson(odds, names, args.top));
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  std::cout << args.code << "  " << Text(runners.front().racename) << "  ";
  if (!odds.isexist()) {
    std::cout << (args.forecast ? "no odds published before the race" : "no final odds") << "\n";
    return 0;
  }
  PrintOdds(odds, names, args.top);
  return 0;
}

}  // namespace

void RegisterOdds(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("odds", "Show a race's odds and popularity orders");
  auto args = std::make_shared<Arguments>();
  cmd->add_option("RACECODE", args->code, "The race: place, YYYYMMDD, race number")->required();
  cmd->add_flag("--forecast", args->forecast, "The odds published before the race");
  cmd->add_option("--top", args->top, "How many of each pool's most popular entries to show")
      ->check(CLI::Range(1, 153))
      ->capture_default_str();
  cmd->fallthrough();
  cmd->callback([&options, exit_code, args] { *exit_code = ShowOdds(options, *args); });
}

}  // namespace tool
