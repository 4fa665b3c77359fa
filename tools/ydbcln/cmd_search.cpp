// `ydbcln search races [options]`: the detailed race search. The options
// fill the search's parameter records; the conditions are printed as the
// search describes them, then the races found (date, meeting, name,
// distance, runners, win and quinella payouts). --text also prints the
// condition text the search compiled. A condition the search refuses exits
// 2 with the reason.
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Command.h"
#include "Display.h"
#include "RaceShow.h"
#include "Session.h"

namespace tool {
namespace {

struct Arguments {
  std::string from, to;     // YYYYMMDD
  std::string name;         // race name (UTF-8)
  std::string grade;        // G1, G2, G3
  std::string places;       // 東京,中山
  std::string race;         // N, main, last
  std::string distance;     // 1600-2000 or 1600
  std::string surfaces;     // turf,dirt,jump
  std::string goings;       // 良,稍重,重,不良
  std::string classes;      // 1-9 list: 新馬 ... G1
  std::string ages;         // 2,3,3+,4+
  int runners = 0;          // at least this many (the ts key)
  bool text = false;
};

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> out;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    if (!item.empty()) out.push_back(item);
  }
  return out;
}

// The mask of the items of `list` among `names` (bit i for names[i]);
// false, with `bad` the item, for one that is none of them.
bool Mask(const std::string& list, const std::vector<std::string>& names, int* mask,
          std::string* bad) {
  *mask = 0;
  for (const std::string& item : Split(list)) {
    std::size_t i = 0;
    while (i < names.size() && names[i] != item) ++i;
    if (i == names.size()) {
      *bad = item;
      return false;
    }
    *mask |= 1 << i;
  }
  return true;
}

bool Date(const std::string& text, int* date) {
  if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *date = std::stoi(text);
  return true;
}

// The racecourse bits in the order 札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉.
const std::vector<std::string> kPlaces = {"札幌", "函館", "福島", "新潟", "東京",
                                          "中山", "中京", "京都", "阪神", "小倉"};

int RunSearch(const Options& options, const Arguments& args) {
  std::string bad;
  _tagYDetailRaceInfo info{};
  _tagYDetailRaceDistEtc dist{0, 0, 7, 63, -1, -1};
  _tagYDetailRaceAgeEtc age{15, 511};
  _tagYDetailRacePaceEtc pace{7, 63, 15};
  int mode = 0;
  int race = 0;
  if (args.race == "main") {
    race = 100;
  } else if (args.race == "last") {
    race = 101;
  } else if (!args.race.empty()) {
    if (args.race.find_first_not_of("0123456789") != std::string::npos || args.race.size() > 2 ||
        std::stoi(args.race) < 1 || std::stoi(args.race) > 12) {
      return Fail("--race wants a race number 1-12, main or last, not '" + args.race + "'");
    }
    race = std::stoi(args.race);
  }
  std::string sjis_name;
  if (!args.name.empty()) {
    mode = 2;
    sjis_name = ytext::to_sjis_lossy(args.name);
    info.racename.name = sjis_name.c_str();
    info.racename.grade = args.grade == "G1" ? 256 : args.grade == "G2" ? 128
                        : args.grade == "G3" ? 64 : 0;
    if (!args.grade.empty() && info.racename.grade == 0) {
      return Fail("--grade wants G1, G2 or G3, not '" + args.grade + "'");
    }
  } else {
    int from = 19000101, to = 29991231;
    if ((!args.from.empty() && !Date(args.from, &from)) || (!args.to.empty() && !Date(args.to, &to))) {
      return Fail("--from and --to want dates YYYYMMDD");
    }
    int places = 1023;
    if (!args.places.empty()) {
      std::vector<std::string> names = kPlaces;
      if (!Mask(args.places, names, &places, &bad)) return Fail("--place: no racecourse " + bad);
    }
    info.period = {from, to, places, race};
  }
  if (!args.distance.empty()) {
    const std::size_t dash = args.distance.find('-');
    try {
      dist.from = std::stoi(args.distance.substr(0, dash));
      dist.to = dash == std::string::npos ? dist.from : std::stoi(args.distance.substr(dash + 1));
    } catch (const std::exception&) {
      return Fail("--distance wants metres or a range such as 1600-2000");
    }
  }
  if (!args.surfaces.empty() && !Mask(args.surfaces, {"turf", "dirt", "jump"}, &dist.surface, &bad)) {
    return Fail("--surface wants turf, dirt or jump, not '" + bad + "'");
  }
  if (!args.goings.empty() && !Mask(args.goings, {"良", "稍重", "重", "不良"}, &pace.going, &bad)) {
    return Fail("--going wants 良, 稍重, 重 or 不良, not '" + bad + "'");
  }
  if (!args.ages.empty() && !Mask(args.ages, {"2", "3", "3+", "4+"}, &age.age, &bad)) {
    return Fail("--age wants 2, 3, 3+ or 4+, not '" + bad + "'");
  }
  if (!args.classes.empty() &&
      !Mask(args.classes, {"新馬", "未勝利", "1勝", "2勝", "3勝", "OP", "G3", "G2", "G1"},
            &age.klass, &bad)) {
    return Fail("--class wants 新馬, 未勝利, 1勝, 2勝, 3勝, OP, G3, G2 or G1, not '" + bad + "'");
  }

  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  YSearchDetailRace search(&db);
  if (search.setparam(mode, &info, &dist, &age, nullptr, &pace, args.runners, 0) != 0) {
    return Fail(std::string("the search refused its condition: ") + get_db_error());
  }
  const int found = search.search();
  if (found < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);

  // The second text is the period, or in a search by name the name.
  const char* const kLabels[] = {"grade", mode == 2 ? "name" : "period", "racecourses", "races",
                                 "distance", "surfaces", "courses", "ages", "classes", "payouts",
                                 "pace", "weather", "going"};
  std::string texts[13];
  search.getsearchstring(texts);
  if (options.json) {
    nlohmann::json out = {{"conditions", nlohmann::json::object()},
                          {"races", nlohmann::json::array()}};
    for (int i = 0; i < 13; ++i) out["conditions"][kLabels[i]] = Text(texts[i]);
    if (args.text) out["text"] = Text(search.getconditiontext());
    for (int i = 0; i < found; ++i) out["races"].push_back(FoundRaceJson(*search.result(i)));
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  for (int i = 0; i < 13; ++i) std::cout << Column(kLabels[i], 12) << Text(texts[i]) << "\n";
  if (args.text) std::cout << Column("text", 12) << Text(search.getconditiontext()) << "\n";
  std::cout << found << (found == 1 ? " race\n" : " races\n");
  for (int i = 0; i < found; ++i) std::cout << FoundRaceLine(*search.result(i)) << "\n";
  return 0;
}

}  // namespace

void RegisterSearch(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* search = app.add_subcommand("search", "Condition searches");
  search->require_subcommand(1);
  search->fallthrough();
  CLI::App* races = search->add_subcommand("races", "Find run races by their conditions");
  auto args = std::make_shared<Arguments>();
  races->add_option("--from", args->from, "First day YYYYMMDD");
  races->add_option("--to", args->to, "Last day YYYYMMDD");
  races->add_option("--name", args->name, "A race name, or part of one (* and ? wildcards)");
  races->add_option("--grade", args->grade, "With --name: G1, G2 or G3");
  races->add_option("--place", args->places, "Racecourses, such as 東京,中山");
  races->add_option("--race", args->race, "A race number, main or last");
  races->add_option("--distance", args->distance, "Metres, or a range such as 1600-2000");
  races->add_option("--surface", args->surfaces, "turf, dirt, jump (a list)");
  races->add_option("--going", args->goings, "良, 稍重, 重, 不良 (a list)");
  races->add_option("--age", args->ages, "Age conditions: 2, 3, 3+, 4+ (a list)");
  races->add_option("--class", args->classes, "新馬, 未勝利, 1勝, 2勝, 3勝, OP, G3, G2, G1 (a list)");
  races->add_option("--runners", args->runners, "Exactly this many runners");
  races->add_flag("--text", args->text, "Also print the condition text");
  races->fallthrough();
  races->callback([&options, exit_code, args] { *exit_code = RunSearch(options, *args); });
  RegisterSearchHorses(search, options, exit_code);
  RegisterSearchPeople(search, options, exit_code);
}

}  // namespace tool
