// The detailed race search's options: reading and checking them into the
// search's parameter records.
#include "RaceSearchArgs.h"


#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Display.h"

namespace tool {
namespace {

bool Date(const std::string& text, int* date) {
  if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *date = std::stoi(text);
  return true;
}

// The racecourse bits in the order 札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉.
const std::vector<std::string> kPlaces = {"札幌", "函館", "福島", "新潟", "東京",
                                          "中山", "中京", "京都", "阪神", "小倉"};

}  // namespace

void AddRaceSearchOptions(CLI::App* cmd, RaceSearchArgs* args) {
  cmd->add_option("--from", args->from, "First day YYYYMMDD");
  cmd->add_option("--to", args->to, "Last day YYYYMMDD");
  CLI::Option* name =
      cmd->add_option("--name", args->name, "A race name, or part of one (* and ? wildcards)");
  // A search by period has no grade of its own: it takes --class.
  cmd->add_option("--grade", args->grade, "With --name: G1, G2 or G3 (by period: --class)")
      ->needs(name);
  cmd->add_option("--place", args->places, "Racecourses, such as 東京,中山");
  cmd->add_option("--race", args->race, "A race number, main or last");
  cmd->add_option("--distance", args->distance, "Metres, or a range such as 1600-2000");
  cmd->add_option("--surface", args->surfaces, "turf, dirt, jump (a list)");
  cmd->add_option("--going", args->goings, "良, 稍重, 重, 不良 (a list)");
  cmd->add_option("--age", args->ages, "Age conditions: 2, 3, 3+, 4+ (a list)");
  cmd->add_option("--class", args->classes, "新馬, 未勝利, 1勝, 2勝, 3勝, OP, G3, G2, G1 (a list)");
  cmd->add_option("--runners", args->runners, "Exactly this many runners");
}

int MakeRaceSearch(const RaceSearchArgs& args, RaceSearchParams* out) {
  std::string bad;
  RaceSearchParams& p = *out;
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
  if (!args.name.empty()) {
    p.mode = 2;
    p.sjis_name = ytext::to_sjis_lossy(args.name);
    p.info.racename.name = p.sjis_name.c_str();
    p.info.racename.grade = args.grade == "G1" ? 256 : args.grade == "G2" ? 128
                          : args.grade == "G3" ? 64 : 0;
    if (!args.grade.empty() && p.info.racename.grade == 0) {
      return Fail("--grade wants G1, G2 or G3, not '" + args.grade + "'");
    }
  } else {
    int from = 0, to = 0;  // open: the data set's years, once it is open
    if ((!args.from.empty() && !Date(args.from, &from)) || (!args.to.empty() && !Date(args.to, &to))) {
      return Fail("--from and --to want dates YYYYMMDD");
    }
    int places = 1023;
    if (!args.places.empty() &&
        !Mask(args.places, kPlaces, &places, &bad, EmptyItems::kLeftOut)) {
      return Fail("--place: no racecourse " + bad);
    }
    p.info.period = {from, to, places, race};
  }
  if (!args.distance.empty()) {
    const std::size_t dash = args.distance.find('-');
    try {
      p.dist.from = std::stoi(args.distance.substr(0, dash));
      p.dist.to = dash == std::string::npos ? p.dist.from : std::stoi(args.distance.substr(dash + 1));
    } catch (const std::exception&) {
      return Fail("--distance wants metres or a range such as 1600-2000");
    }
  }
  if (!args.surfaces.empty() &&
      !Mask(args.surfaces, {"turf", "dirt", "jump"}, &p.dist.surface, &bad,
            EmptyItems::kLeftOut)) {
    return Fail("--surface wants turf, dirt or jump, not '" + bad + "'");
  }
  if (!args.goings.empty() &&
      !Mask(args.goings, {"良", "稍重", "重", "不良"}, &p.pace.going, &bad,
            EmptyItems::kLeftOut)) {
    return Fail("--going wants 良, 稍重, 重 or 不良, not '" + bad + "'");
  }
  if (!args.ages.empty() &&
      !Mask(args.ages, {"2", "3", "3+", "4+"}, &p.age.age, &bad, EmptyItems::kLeftOut)) {
    return Fail("--age wants 2, 3, 3+ or 4+, not '" + bad + "'");
  }
  if (!args.classes.empty() &&
      !Mask(args.classes, {"新馬", "未勝利", "1勝", "2勝", "3勝", "OP", "G3", "G2", "G1"},
            &p.age.klass, &bad, EmptyItems::kLeftOut)) {
    return Fail("--class wants 新馬, 未勝利, 1勝, 2勝, 3勝, OP, G3, G2 or G1, not '" + bad + "'");
  }
  p.runners = args.runners;
  return 0;
}

int SetRaceSearch(YHorseDB& db, RaceSearchParams& p, YSearchDetailRace& search) {
  if (p.mode == 0 && (p.info.period.from == 0 || p.info.period.to == 0)) {
    int first = 0, last = 0;
    db.getyear(first, last);
    // A data set without results: any date, and nothing is found.
    if (p.info.period.from == 0) p.info.period.from = first > 0 ? first * 10000 + 101 : 19000101;
    if (p.info.period.to == 0) p.info.period.to = last > 0 ? last * 10000 + 1231 : 29991231;
  }
  if (search.setparam(p.mode, &p.info, &p.dist, &p.age, nullptr, &p.pace, p.runners, 0) != 0) {
    return Fail(std::string("the search refused its condition: ") + get_db_error());
  }
  return 0;
}

}  // namespace tool
