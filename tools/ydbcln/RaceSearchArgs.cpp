// The detailed race search's options: reading and checking them into the
// search's parameter records.
#include "RaceSearchArgs.h"

#include <cstring>

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

// A whole number of at most `digits` digits in [low, high].
bool Number(const std::string& text, std::size_t digits, int low, int high, int* out) {
  if (text.empty() || text.size() > digits ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *out = std::stoi(text);
  return *out >= low && *out <= high;
}

// A meeting and its day, "5:3"; a meeting alone ("5") stands for its first
// day at the start of a span and its last at the end.
constexpr int kLastDayOfAMeeting = 12;
bool MeetingDay(const std::string& text, bool end, int* kai, int* day) {
  const std::size_t colon = text.find(':');
  if (!Number(text.substr(0, colon), 2, 1, 12, kai)) return false;
  if (colon == std::string::npos) {
    *day = end ? kLastDayOfAMeeting : 1;
    return true;
  }
  return Number(text.substr(colon + 1), 2, 1, kLastDayOfAMeeting, day);
}

// "--meeting 5", "5:3" or "1:1-2:8" of --year in one racecourse (`places`
// a single bit): the meeting record, or false.
bool Meeting(const RaceSearchArgs& args, int places, int race, _tagYDetailRaceInfo* info) {
  int year = 0;
  if (!Number(args.year, 4, 1900, 2999, &year) || (places & (places - 1)) != 0 ||
      places == 1023) {
    return false;
  }
  const std::size_t dash = args.meeting.find('-');
  const std::string from = args.meeting.substr(0, dash);
  const std::string to = dash == std::string::npos ? from : args.meeting.substr(dash + 1);
  auto& m = info->meeting;
  m = {year, places, 0, 0, 0, 0, race};
  return MeetingDay(from, false, &m.from_kai, &m.from_day) &&
         MeetingDay(to, true, &m.to_kai, &m.to_day) &&
         m.from_kai * 100 + m.from_day <= m.to_kai * 100 + m.to_day;
}

// "quinella=10000-50000" into its pool's pair of `bet`; either bound may be
// left open ("win=-300", "wide=10000-").
bool Payout(const std::string& text, _tagYDetailRaceBetEtc* bet) {
  static const char* const kPools[] = {"win", "place", "bracket", "quinella", "wide"};
  int* const pairs[] = {&bet->win_from, &bet->place_from, &bet->bracket_from,
                        &bet->quinella_from, &bet->wide_from};
  const std::size_t equals = text.find('=');
  const std::size_t dash = text.find('-', equals);
  if (equals == std::string::npos || dash == std::string::npos) return false;
  const std::string low = text.substr(equals + 1, dash - equals - 1);
  const std::string high = text.substr(dash + 1);
  constexpr int kMost = 9999999;  // the largest bound a condition takes
  int from = 100, to = kMost;     // a payout is 100 yen at least
  if ((low.empty() && high.empty()) || (!low.empty() && !Number(low, 7, 1, kMost, &from)) ||
      (!high.empty() && !Number(high, 7, 1, kMost, &to)) || from > to) {
    return false;
  }
  for (int i = 0; i < 5; ++i) {
    if (text.compare(0, equals, kPools[i]) == 0) {
      pairs[i][0] = from;
      pairs[i][1] = to;
      return true;
    }
  }
  return false;
}

// A comma-list option and the mask it fills: bit i for names[i].
struct ListOption {
  const char* option;
  const std::string& given;
  std::vector<std::string> names;
  int* mask;
};

// "a, b or c".
std::string Choices(const std::vector<std::string>& names) {
  std::string out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += i + 1 == names.size() ? " or " : ", ";
    out += names[i];
  }
  return out;
}

// What befell a runner, as the race search's runner conditions number them
// (bits 2 to 5, 8 and 9).
const std::vector<std::string> kIncidents = {"失格", "降着", "中止", "落馬", "取消", "除外"};
constexpr int kIncidentBits[] = {2, 3, 4, 5, 8, 9};

}  // namespace

std::vector<CLI::Option*> AddRaceSearchOptions(CLI::App* cmd, RaceSearchArgs* args) {
  const std::size_t before = cmd->get_options().size();
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
  cmd->add_option("--year", args->year, "With --meeting: the year YYYY");
  cmd->add_option("--meeting", args->meeting,
                  "Meetings of --year at one --place: 5 (the whole 5th), 5:3 (its 3rd day) "
                  "or 1:1-2:8");
  cmd->add_option("--course", args->courses, "Rail positions: A, B, C, D, A1, A2 (a list)");
  cmd->add_option("--circuit", args->circuits, "inner, outer (a list)");
  cmd->add_option("--direction", args->directions, "right, left, straight (a list)");
  cmd->add_option("--payout", args->payouts,
                  "A pool's payout in yen: win, place, bracket, quinella or wide, such as "
                  "quinella=10000-50000 or win=-300 (repeatable)");
  cmd->add_option("--pace", args->paces, "H, M, S (a list)");
  cmd->add_option("--weather", args->weathers, "晴, 曇, 雨, 小雨, 雪, 風 (a list)");
  cmd->add_option("--incident", args->incidents,
                  "A runner that 失格, 降着, 中止, 落馬, 取消 or 除外 (a list: any of them)");
  const std::vector<CLI::Option*> all = cmd->get_options();
  return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
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
    if (!args.meeting.empty() || !args.year.empty()) return Fail("--name and --meeting: choose one");
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
    if (!args.meeting.empty()) {
      p.mode = 1;
      if (!Meeting(args, places, race, &p.info)) {
        return Fail("--meeting wants 5, 5:3 or 1:1-2:8 (meeting:day), with --year YYYY and "
                    "one --place, not '" + args.meeting + "'");
      }
      if (!args.from.empty() || !args.to.empty()) {
        return Fail("--meeting and --from/--to: choose one");
      }
    } else {
      if (!args.year.empty()) return Fail("--year goes with --meeting (by days: --from, --to)");
      p.info.period = {from, to, places, race};
    }
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
  int incidents = 0;
  const ListOption lists[] = {
      {"--surface", args.surfaces, {"turf", "dirt", "jump"}, &p.dist.surface},
      {"--going", args.goings, {"良", "稍重", "重", "不良"}, &p.pace.going},
      {"--age", args.ages, {"2", "3", "3+", "4+"}, &p.age.age},
      {"--class", args.classes, {"新馬", "未勝利", "1勝", "2勝", "3勝", "OP", "G3", "G2", "G1"},
       &p.age.klass},
      {"--course", args.courses, {"A", "B", "C", "D", "A1", "A2"}, &p.dist.course},
      {"--circuit", args.circuits, {"inner", "outer"}, &p.dist.us},
      {"--direction", args.directions, {"right", "left", "straight"}, &p.dist.mw},
      {"--pace", args.paces, {"H", "M", "S"}, &p.pace.pace},
      {"--weather", args.weathers, {"晴", "曇", "雨", "小雨", "雪", "風"}, &p.pace.weather},
      {"--incident", args.incidents, kIncidents, &incidents},
  };
  for (const ListOption& list : lists) {
    if (!list.given.empty() &&
        !Mask(list.given, list.names, list.mask, &bad, EmptyItems::kLeftOut)) {
      return Fail(std::string(list.option) + " wants " + Choices(list.names) + ", not '" + bad +
                  "'");
    }
  }
  for (const std::string& payout : args.payouts) {
    if (!Payout(payout, &p.bet)) {
      return Fail("--payout wants win, place, bracket, quinella or wide with yen, such as "
                  "quinella=10000-50000, not '" + payout + "'");
    }
  }
  for (int i = 0; i < static_cast<int>(kIncidents.size()); ++i) {
    if ((incidents >> i & 1) != 0) p.incidents |= 1 << kIncidentBits[i];
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
  const _tagYDetailRaceBetEtc none{};
  const bool payouts = std::memcmp(&p.bet, &none, sizeof none) != 0;
  if (search.setparam(p.mode, &p.info, &p.dist, &p.age, payouts ? &p.bet : nullptr, &p.pace,
                      p.runners, p.incidents) != 0) {
    return Fail(std::string("the search refused its condition: ") + get_db_error());
  }
  return 0;
}

}  // namespace tool
