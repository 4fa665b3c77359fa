// `ydbcln find names KEYWORD [--kind K]`: the horse, sire, dam, owner,
// breeder and birthplace names that answer to a keyword (all kinds by
// default, grouped by kind); and `ydbcln find races` with one of
//   --horses A B                                 the races two horses met in
//   --sire CODE --year Y [--popularity C] [--finish C]
//   --horse NAME --jockey CODE [--year Y] [--popularity C] [--finish C]
//   --weight-change C --year Y [--popularity C] [--finish C]
// where C is a comparison such as '<=3' or '>=10' ('=2' for --finish with
// --weight-change). A keyword is matched as the searches match names:
// hiragana, katakana and half-width kana alike, '*' and '?' wildcards.
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <db/api/ydbbsn.h>

#include "Command.h"
#include "Display.h"
#include "RaceShow.h"
#include "Session.h"

namespace tool {
namespace {

// The kinds of names, in the order of the name search's kinds 1 to 6.
const char* const kNameKinds[] = {"horse", "sire", "dam", "owner", "breeder", "birthplace"};

int FindNames(const Options& options, const std::string& keyword, const std::string& kind) {
  int only = 0;
  for (int k = 1; k <= 6; ++k) {
    if (kind == kNameKinds[k - 1]) only = k;
  }
  if (!kind.empty() && only == 0) {
    return Fail("--kind wants horse, sire, dam, owner, breeder or birthplace, not '" + kind + "'");
  }
  std::string word;
  if (!Sjis(keyword, &word)) return Fail("the keyword holds a character Shift_JIS has not");
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  std::vector<std::pair<std::string, nlohmann::json>> groups;
  for (int k = 1; k <= 6; ++k) {
    if (only != 0 && k != only) continue;
    YSearchEtcNames names(&db);
    const int n = names.exec(k, word.data());
    if (n < 0) return Fail(std::string("the name search failed: ") + get_db_error(), 1);
    nlohmann::json rows = nlohmann::json::array();
    for (int i = 0; i < n; ++i) {
      YEtcNamesList* row = names.result(i);
      nlohmann::json entry = {{"name", Text(row->getname())}};
      if (row->iscode()) entry["code"] = Text(row->getcode());
      rows.push_back(entry);
    }
    groups.emplace_back(kNameKinds[k - 1], rows);
  }
  if (options.json) {
    nlohmann::json out = nlohmann::json::object();
    for (const auto& [group, rows] : groups) out[group] = rows;
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  for (const auto& [group, rows] : groups) {
    std::cout << group << ": " << rows.size() << "\n";
    for (const auto& row : rows) {
      std::cout << "  " << (row.contains("code") ? Pad(row["code"].get<std::string>(), 9) : Pad("", 9))
                << row["name"].get<std::string>() << "\n";
    }
  }
  return 0;
}

// A comparison: "<=N" (mode 0), ">=N" (mode 1) or, with `exact`, "=N"
// (mode 2). False for anything else.
bool Comparison(const std::string& text, bool exact, int* limit, int* mode) {
  std::size_t digits = 0;
  if (text.rfind("<=", 0) == 0 || text.rfind(">=", 0) == 0) {
    *mode = text[0] == '<' ? 0 : 1;
    digits = 2;
  } else if (exact && text.rfind("=", 0) == 0) {
    *mode = 2;
    digits = 1;
  } else {
    return false;
  }
  const std::string number = text.substr(digits);
  const std::size_t sign = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
  if (number.size() <= sign || number.size() > sign + 3 ||
      number.find_first_not_of("0123456789", sign) != std::string::npos) {
    return false;
  }
  *limit = std::stoi(number);
  return true;
}

struct RaceArguments {
  std::vector<std::string> horses;
  std::string sire, horse, jockey;
  std::string popularity, finish, weight_change;
  int year = 0;
};

int FindRaces(const Options& options, const RaceArguments& args) {
  const int ways = !args.horses.empty() + !args.sire.empty() + !args.horse.empty() +
                   !args.weight_change.empty();
  if (ways != 1) return Fail("find races wants one of --horses, --sire, --horse or --weight-change");
  int popularity = 1, popularity_mode = 1, finish = 1, finish_mode = 1, change = 0, change_mode = 0;
  if (!args.popularity.empty() &&
      !Comparison(args.popularity, false, &popularity, &popularity_mode)) {
    return Fail("--popularity wants '<=N' or '>=N', not '" + args.popularity + "'");
  }
  const bool exact = !args.weight_change.empty();
  if (!args.finish.empty() && !Comparison(args.finish, exact, &finish, &finish_mode)) {
    return Fail("--finish wants '<=N' or '>=N'" + std::string(exact ? " or '=N'" : "") + ", not '" +
                args.finish + "'");
  }
  if (exact && !Comparison(args.weight_change, false, &change, &change_mode)) {
    return Fail("--weight-change wants '>=N' or '<=N' in kilograms, not '" + args.weight_change + "'");
  }
  if ((!args.sire.empty() || exact) && args.year == 0) return Fail("--sire and --weight-change want --year");
  if (!args.horse.empty() && args.jockey.empty()) return Fail("--horse wants --jockey CODE");
  std::string name;
  if (!Sjis(args.horse, &name)) return Fail("the horse name holds a character Shift_JIS has not");

  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  YSearchKeywordRace search(&db);
  int found = 0;
  if (!args.horses.empty()) {
    found = search.exec_2horse(args.horses[0], args.horses[1]);
  } else if (!args.sire.empty()) {
    found = search.exec_sire(args.year, args.sire, popularity, popularity_mode, finish, finish_mode);
  } else if (!args.horse.empty()) {
    // A limit not given asks nothing: every ride counts.
    found = search.exec_horsejockey(name, 1, args.jockey, args.year,
                                    args.popularity.empty() ? 0 : popularity, popularity_mode,
                                    args.finish.empty() ? 0 : finish, finish_mode);
  } else {
    found = search.exec_weight(args.year, change, change_mode, popularity, popularity_mode, finish,
                               finish_mode);
  }
  if (found < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);
  if (options.json) {
    nlohmann::json out = {{"races", nlohmann::json::array()}};
    for (int i = 0; i < found; ++i) out["races"].push_back(FoundRaceJson(*search.result(i)));
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  std::cout << found << (found == 1 ? " race\n" : " races\n");
  for (int i = 0; i < found; ++i) std::cout << FoundRaceLine(*search.result(i)) << "\n";
  return 0;
}

}  // namespace

void RegisterFind(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* find = app.add_subcommand("find", "Keyword searches: names, and races from runs");
  find->require_subcommand(1);
  find->fallthrough();

  CLI::App* names = find->add_subcommand("names", "Names that answer to a keyword");
  auto keyword = std::make_shared<std::string>();
  auto kind = std::make_shared<std::string>();
  names->add_option("KEYWORD", *keyword, "Part of a name, or a pattern with * and ?")->required();
  names->add_option("--kind", *kind, "horse, sire, dam, owner, breeder or birthplace (default: all)");
  names->fallthrough();
  names->callback([&options, exit_code, keyword, kind] {
    *exit_code = FindNames(options, *keyword, *kind);
  });

  CLI::App* races = find->add_subcommand("races", "Races gathered from runs");
  auto args = std::make_shared<RaceArguments>();
  races->add_option("--horses", args->horses, "Two horse codes: the races both ran in")->expected(2);
  races->add_option("--sire", args->sire, "A sire's code: races its offspring ran in");
  races->add_option("--horse", args->horse, "A horse's name, or part of one (with --jockey)");
  races->add_option("--jockey", args->jockey, "A jockey's code (with --horse)");
  races->add_option("--weight-change", args->weight_change, "A body weight change, such as '>=10'");
  races->add_option("--year", args->year, "The year (with --sire, --weight-change; may limit --horse)");
  races->add_option("--popularity", args->popularity, "The runner's popularity, such as '<=3'");
  races->add_option("--finish", args->finish, "The runner's finishing position, such as '<=3'");
  races->fallthrough();
  races->callback([&options, exit_code, args] { *exit_code = FindRaces(options, *args); });
}

}  // namespace tool
