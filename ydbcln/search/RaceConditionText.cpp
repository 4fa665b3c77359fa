// Making the detailed race search's condition text and its display texts.
#include "ydbcln/search/RaceConditionText.h"

#include <cstdio>
#include <string>

#include "text/sjis.h"

namespace ysearch {
namespace {

// The racecourse bits in the order of their codes 00 to 09 (京都, 阪神,
// 中京, 小倉, 東京, 中山, 福島, 新潟, 札幌, 函館).
constexpr int kPlaceBits[10] = {128, 256, 64, 512, 16, 32, 4, 8, 1, 2};
const char* const kPlaceNames[10] = {"京都", "阪神", "中京", "小倉", "東京",
                                     "中山", "福島", "新潟", "札幌", "函館"};

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0, int e = 0,
                   int f = 0) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b, c, d, e, f);
  return text;
}

std::string TwoDigits(int n) { return Format("%02d", n); }

bool Bit(int mask, int i) { return ((mask >> i) & 1) != 0; }

// "&KEY=v" for each set bit i of `mask` below `bits`, v from `value(i)`.
template <typename Value>
void MaskKeys(std::string* text, const char* key, int mask, int bits, Value value) {
  for (int i = 0; i < bits; ++i) {
    if (Bit(mask, i)) *text += std::string("&") + key + "=" + value(i);
  }
}

std::string RaceSelector(int race) {
  if (race == 100) return "&R=13";
  if (race == 101) return "&R=14";
  if (race >= 1 && race <= 99) return "&R=" + TwoDigits(race);
  return "";
}

void PayoutKeys(std::string* text, const char* from_key, const char* to_key, int from, int to) {
  if (from == 0 || to == 0) return;
  *text += std::string("&") + from_key + "=" + std::to_string(from) + "&" + to_key + "=" +
           std::to_string(to);
}

// The names of the set bits of `mask` (each followed by a blank), or
// "すべて" when `all` are set or the group was not given.
std::string Choices(bool given, int mask, int all, const char* const* names, int count) {
  if (!given || (mask & all) == all) return "すべて";
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (Bit(mask, i)) out += std::string(names[i]) + " ";
  }
  return out;
}

}  // namespace

void RaceConditions::set(int m, _tagYDetailRaceInfo* i, _tagYDetailRaceDistEtc* d,
                         _tagYDetailRaceAgeEtc* a, _tagYDetailRaceBetEtc* b,
                         _tagYDetailRacePaceEtc* p, int t, int k) {
  *this = RaceConditions();
  mode = m;
  has_info = i != nullptr;
  if (has_info) {
    info = *i;
    if (mode == 2 && info.racename.name != nullptr) name = info.racename.name;
    if (mode == 2) info.racename.name = nullptr;  // the copy in `name` is used
  }
  has_dist = d != nullptr;
  if (has_dist) dist = *d;
  has_age = a != nullptr;
  if (has_age) age = *a;
  has_bet = b != nullptr;
  if (has_bet) bet = *b;
  has_pace = p != nullptr;
  if (has_pace) pace = *p;
  ts = t;
  tk = k;
}

std::string PlaceCode(int bit) {
  for (int i = 0; i < 10; ++i) {
    if (kPlaceBits[i] == bit) return TwoDigits(i);
  }
  return "";
}

std::string PlaceKeys(int mask) {
  if ((mask & 1023) == 1023) return "";
  std::string out;
  for (int i = 0; i < 10; ++i) {
    if ((mask & kPlaceBits[i]) != 0) out += "P=" + TwoDigits(i) + "&";
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string RaceConditionText(const RaceConditions& c, bool with_tk) {
  std::string text;
  if (c.has_info) {
    if (c.mode == 0) {
      text += "TF=" + std::to_string(c.info.period.from) + "&TT=" +
              std::to_string(c.info.period.to);
      const std::string places = PlaceKeys(c.info.period.places);
      if (!places.empty()) text += "&" + places;
      text += RaceSelector(c.info.period.race);
    } else if (c.mode == 1) {
      const std::string place = PlaceCode(c.info.meeting.place);
      const std::string year = std::to_string(c.info.meeting.year);
      text += "KF=" + place + year + TwoDigits(c.info.meeting.from_kai) +
              TwoDigits(c.info.meeting.from_day) + "&KT=" + place + year +
              TwoDigits(c.info.meeting.to_kai) + TwoDigits(c.info.meeting.to_day);
      text += RaceSelector(c.info.meeting.race);
    } else if (c.mode == 2) {
      text += "N=" + c.name;
      if (c.info.racename.grade == 64) text += "&G=2";
      if (c.info.racename.grade == 128) text += "&G=1";
      if (c.info.racename.grade == 256) text += "&G=0";
    }
  }
  if (c.has_dist) {
    const _tagYDetailRaceDistEtc& d = c.dist;
    if (d.from != 0 && d.to != 0 && d.from <= d.to) {
      text += "&DF=" + std::to_string(d.from) + "&DT=" + std::to_string(d.to);
    }
    if (d.surface != 7) {
      if (Bit(d.surface, 1)) text += "&B=0";
      if (Bit(d.surface, 0)) text += "&B=1";
      if (Bit(d.surface, 2)) text += "&B=2";
    }
    if (d.course != 63) MaskKeys(&text, "C", d.course, 6, [](int i) { return std::to_string(i); });
    if (d.us != -1) MaskKeys(&text, "US", d.us, 2, [](int i) { return std::to_string(i); });
    if (d.mw != -1) MaskKeys(&text, "MW", d.mw, 3, [](int i) { return std::to_string(i); });
  }
  if (c.has_age) {
    if (c.age.age != 15) MaskKeys(&text, "A", c.age.age, 4, [](int i) { return std::to_string(i + 1); });
    if (c.age.klass != 511) {
      MaskKeys(&text, "L", c.age.klass, 9, [](int i) { return std::to_string(i + 1); });
    }
  }
  if (c.has_bet) {
    const _tagYDetailRaceBetEtc& b = c.bet;
    PayoutKeys(&text, "WF", "WT", b.win_from, b.win_to);
    PayoutKeys(&text, "PF", "PT", b.place_from, b.place_to);
    PayoutKeys(&text, "BF", "BT", b.bracket_from, b.bracket_to);
    PayoutKeys(&text, "QF", "QT", b.quinella_from, b.quinella_to);
    PayoutKeys(&text, "IF", "IT", b.wide_from, b.wide_to);
  }
  if (c.has_pace) {
    auto digit = [](int i) { return std::to_string(i); };
    if (c.pace.pace != 7) MaskKeys(&text, "H", c.pace.pace, 3, digit);
    if (c.pace.weather != 63) MaskKeys(&text, "Z", c.pace.weather, 6, digit);
    if (c.pace.going != 15) MaskKeys(&text, "J", c.pace.going, 4, digit);
  }
  if (c.ts > 0) text += "&ts=" + TwoDigits(c.ts);
  if (with_tk && HasRunnerConditions(c.tk)) {
    MaskKeys(&text, "TK", c.tk, 6, [](int i) { return std::to_string(i + 1); });
    if (Bit(c.tk, 8)) text += "&TK=7";
    if (Bit(c.tk, 9)) text += "&TK=8";
  }
  if (!text.empty() && text[0] == '&') text.erase(0, 1);
  return text;
}

void RaceSearchStrings(const RaceConditions& c, std::string* out) {
  static const char* const kSurfaces[] = {"芝", "ダ", "障"};
  static const char* const kCourses[] = {"A", "B", "C", "D", "A1", "A2"};
  static const char* const kAges[] = {"2歳", "3歳", "3歳以上", "4歳以上"};
  static const char* const kClasses[] = {"新馬・未出走", "未勝利", "500万下", "900万下",
                                         "1600万下", "オープン", "Ｇ３", "Ｇ２", "Ｇ１"};
  static const char* const kPaces[] = {"Ｈ", "Ｍ", "Ｓ"};
  static const char* const kWeathers[] = {"晴", "曇", "雨", "小雨", "雪", "風"};
  static const char* const kGoings[] = {"良", "稍重", "重", "不良"};
  std::string s[kRaceSearchStrings];

  s[0] = " - ";
  if (c.has_info && c.mode == 2) {
    if (c.info.racename.grade == 256) s[0] = "Ｇ１";
    if (c.info.racename.grade == 128) s[0] = "Ｇ２";
    if (c.info.racename.grade == 64) s[0] = "Ｇ３";
  }
  int places = 1023;
  int race = 0;
  if (c.has_info && c.mode == 0) {
    const int f = c.info.period.from;
    const int t = c.info.period.to;
    s[1] = Format("%4d年%2d月%2d日～%4d年%2d月%2d日", f / 10000, f / 100 % 100, f % 100,
                  t / 10000, t / 100 % 100, t % 100);
    places = c.info.period.places;
    race = c.info.period.race;
  } else if (c.has_info && c.mode == 1) {
    s[1] = Format("%d回%d日～%d回%d日", c.info.meeting.from_kai, c.info.meeting.from_day,
                  c.info.meeting.to_kai, c.info.meeting.to_day);
    places = c.info.meeting.place;
    race = c.info.meeting.race;
  } else if (c.has_info && c.mode == 2) {
    s[1] = ytext::to_utf8_lossy(c.name);
  }
  if ((places & 1023) == 1023) {
    s[2] = "すべて";
  } else {
    for (int i = 0; i < 10; ++i) {
      if ((places & kPlaceBits[i]) != 0) s[2] += std::string(kPlaceNames[i]) + " ";
    }
  }
  s[3] = race == 100 ? "メインレース" : race == 101 ? "最終レース"
       : race >= 1 && race <= 99 ? Format("%dR", race) : "全レース";
  s[4] = "すべて";
  if (c.has_dist && c.dist.from != 0 && c.dist.to != 0 && c.dist.from <= c.dist.to) {
    s[4] = c.dist.from == c.dist.to ? Format("%dｍ", c.dist.from)
                                    : Format("%dｍ～%dｍ", c.dist.from, c.dist.to);
  }
  s[5] = Choices(c.has_dist, c.dist.surface, 7, kSurfaces, 3);
  s[6] = Choices(c.has_dist, c.dist.course, 63, kCourses, 6);
  s[7] = Choices(c.has_age, c.age.age, 15, kAges, 4);
  s[8] = Choices(c.has_age, c.age.klass, 511, kClasses, 9);
  if (c.has_bet) {
    const _tagYDetailRaceBetEtc& b = c.bet;
    const int bounds[10] = {b.win_from,      b.win_to,      b.place_from, b.place_to,
                            b.bracket_from,  b.bracket_to,  b.quinella_from,
                            b.quinella_to,   b.wide_from,   b.wide_to};
    static const char* const kPools[] = {"単勝", "複勝", "枠連", "馬連", "ワイド"};
    for (int i = 0; i < 5; ++i) {
      if (bounds[2 * i] != 0 && bounds[2 * i + 1] != 0) {
        s[9] += std::string(kPools[i]) + Format(" %d円～%d円 ", bounds[2 * i], bounds[2 * i + 1]);
      }
    }
  }
  if (s[9].empty()) s[9] = "すべて";
  s[10] = Choices(c.has_pace, c.pace.pace, 7, kPaces, 3);
  s[11] = Choices(c.has_pace, c.pace.weather, 63, kWeathers, 6);
  s[12] = Choices(c.has_pace, c.pace.going, 15, kGoings, 4);
  for (int i = 0; i < kRaceSearchStrings; ++i) out[i] = ytext::to_sjis_lossy(s[i]);
}

}  // namespace ysearch
