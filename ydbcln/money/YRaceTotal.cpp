// YRaceTotal: counting runs into their category rows.
#include "ydbcln/money/YRaceTotal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

enum Finish { kFirst = 0, kSecond, kThird, kUnplaced, kNotRun };

// Texts the runs carry, in Shift_JIS.
struct Texts {
  std::array<std::string, 2> not_started = yutil::sjis_table({"消", "外"});
  std::array<std::string, 3> tracks = yutil::sjis_table({"芝", "ダ", "障"});
  std::array<std::string, 2> directions = yutil::sjis_table({"右", "左"});
  std::array<std::string, 3> paces = yutil::sjis_table({"Ｈ", "Ｍ", "Ｓ"});
};

const Texts& texts() {
  static const Texts t;
  return t;
}

// The index of `text` in `table`, or `none`.
template <std::size_t N>
int index_of(const std::array<std::string, N>& table, const std::string& text, int none) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i] == text) return static_cast<int>(i);
  }
  return none;
}

Finish finish_of(const YRaceHorse& run) {
  if (run.order >= 1 && run.order <= 3) return static_cast<Finish>(run.order - 1);
  if (index_of(texts().not_started, run.ordertext, -1) >= 0) return kNotRun;
  return kUnplaced;
}

// Racecourse codes 00 to 09 (京都 阪神 中京 小倉 東京 中山 福島 新潟 札幌
// 函館) in the order of the rows, north to south; other places last.
constexpr int kPlaceRow[10] = {7, 8, 6, 9, 4, 5, 2, 3, 0, 1};

int place_row(const std::string& racecode) {
  if (racecode.size() < 2 || racecode[0] != '0' || racecode[1] < '0' || racecode[1] > '9') {
    return 10;
  }
  return kPlaceRow[racecode[1] - '0'];
}

int month_row(const std::string& racecode) {
  if (racecode.size() < 8) return -1;
  const int month = (racecode[6] - '0') * 10 + (racecode[7] - '0');
  return month >= 1 && month <= 12 ? month - 1 : -1;
}

int body_weight_row(int kg) {
  if (kg == 0 || kg == 999) return -1;
  if (kg <= 400) return 0;
  if (kg <= 600) return (kg - 401) / 10 + 1;
  return 21;
}

int weight_carried_row(int tenths) {
  if (tenths < 500) return 0;
  if (tenths < 600) return (tenths - 500) / 10 + 1;
  return 11;
}

int weight_change_row(int kg) {
  if (kg == 999) return 7;
  if (kg >= 10) return 0;
  if (kg >= 5) return 1;
  if (kg >= 1) return 2;
  if (kg == 0) return 3;
  if (kg >= -4) return 4;
  if (kg >= -9) return 5;
  return 6;
}

int odds_row(int tenths) {
  static constexpr int kBounds[] = {15, 20, 30, 50, 70, 100, 200, 400, 600, 1000};
  if (tenths < 10) return -1;
  int row = 0;
  for (int bound : kBounds) {
    if (tenths >= bound) ++row;
  }
  return row;
}

// 1000 m and up to 1200 m row 0, then 200 m bands, 2401 m and longer row 7;
// below 1000 m none.
int distance_band(int metres) {
  if (metres < 1000) return -1;
  if (metres == 1000) return 0;
  const int band = (metres - 1001) / 200;
  return band > 7 ? 7 : band;
}

void count_in(int* row, Finish finish) { ++row[finish]; }

void count_in(int (*rows)[YRaceTotal::kRowSize], int row, int rows_in_group, Finish finish) {
  if (row >= 0 && row < rows_in_group) count_in(rows[row], finish);
}

// A person's code as a number: its length and its first seven bytes, so
// that codes of up to seven bytes (they are five) are equal exactly when
// their keys are.
std::uint64_t key_of(const std::string& code) {
  std::uint64_t key = code.size();
  std::memcpy(reinterpret_cast<char*>(&key) + 1, code.data(), std::min<std::size_t>(code.size(), 7));
  return key;
}

// The entry of `code` among the people met, a new one while fewer than 20
// are in use, else the last (everyone else). keys[i] is key_of the code of
// people[i].
void count_person(YJSTotal* people, std::uint64_t* keys, int* used, const std::string& code,
                  const std::string& name, Finish finish) {
  constexpr int kNamed = YRaceTotal::kPeople - 1;
  const std::uint64_t key = key_of(code);
  const int met = std::min(*used, kNamed);
  int at = -1;
  for (int i = 0; i < met; ++i) {
    if (keys[i] == key && (code.size() <= 7 || people[i].code == code)) {
      at = i;
      break;
    }
  }
  if (at < 0) {
    if (*used < kNamed) {
      at = (*used)++;
      people[at].code = code;
      people[at].name = name;
      keys[at] = key;
    } else {
      at = kNamed;
      if (*used == kNamed) ++*used;
    }
  }
  count_in(people[at].total, finish);
}

}  // namespace

YRaceTotal::YRaceTotal() { clear(); }

YRaceTotal::~YRaceTotal() = default;

void YRaceTotal::print(std::ostream&) {}

void YRaceTotal::clear() {
  std::memset(kyakushitsu, 0, sizeof kyakushitsu);
  std::memset(place, 0, sizeof place);
  std::memset(month, 0, sizeof month);
  jockeycount = 0;
  stablecount = 0;
  for (int i = 0; i < kPeople; ++i) {
    jockey[i] = YJSTotal();
    stable[i] = YJSTotal();
  }
  std::memset(ninki, 0, sizeof ninki);
  std::memset(bataiju, 0, sizeof bataiju);
  std::memset(distance, 0, sizeof distance);
  std::memset(jump, 0, sizeof jump);
  std::memset(futan, 0, sizeof futan);
  std::memset(classrank, 0, sizeof classrank);
  std::memset(trackgoing, 0, sizeof trackgoing);
  std::memset(zogen, 0, sizeof zogen);
  std::memset(waku, 0, sizeof waku);
  std::memset(umaban, 0, sizeof umaban);
  std::memset(odds, 0, sizeof odds);
  std::memset(pace, 0, sizeof pace);
}

namespace {

double starts_of(const int* row) { return row[0] + row[1] + row[2] + row[3]; }

int rate(int part, const int* row) {
  const double starts = starts_of(row);
  if (starts == 0) return 0;
  return static_cast<int>(part * 1000 / starts + 0.5);
}

}  // namespace

int YRaceTotal::calc_win(int* row) { return rate(row[0], row); }

int YRaceTotal::calc_ren(int* row) { return rate(row[0] + row[1], row); }

int YRaceTotal::calc_3chak(int* row) { return rate(row[0] + row[1] + row[2], row); }

void YRaceTotal::calctotal(std::vector<YRaceHorse*>& runs) {
  clear();
  const Texts& t = texts();
  std::uint64_t jockey_keys[kPeople - 1];
  std::uint64_t trainer_keys[kPeople - 1];
  for (YRaceHorse* run : runs) {
    if (run == nullptr) continue;
    const Finish f = finish_of(*run);
    if (f == kNotRun) continue;
    count_in(kyakushitsu, YUtil::getkyakushitsu(run->runnercount, run->corners) - 1, 4, f);
    count_in(place[place_row(run->racecode)], f);
    count_in(month, month_row(run->racecode), 12, f);
    count_person(jockey, jockey_keys, &jockeycount, run->jockeycode, run->jockeyname, f);
    count_person(stable, trainer_keys, &stablecount, run->trainercode, run->trainername, f);
    count_in(ninki, run->popularity >= 11 ? 10 : run->popularity - 1, 11, f);
    count_in(bataiju, body_weight_row(run->bodyweight), 22, f);
    const int track = index_of(t.tracks, run->track, -1);
    if (track == 2) {
      count_in(jump, f);
    } else if (track >= 0) {
      const int band = distance_band(run->distance);
      if (band >= 0) {
        const int group = track * 4 + index_of(t.directions, run->direction, 2);
        count_in(distance[group][band], f);
        count_in(distance[group][8], f);
        count_in(distance[track * 4 + 3][band], f);
        count_in(distance[track * 4 + 3][8], f);
      }
    }
    count_in(futan, weight_carried_row(run->weightcarried), 12, f);
    count_in(classrank, run->classrank, 8, f);
    if (track >= 0 && run->goingcode >= 0 && run->goingcode <= 3) {
      count_in(trackgoing[track * 4 + run->goingcode], f);
    }
    count_in(zogen[weight_change_row(run->weightchange)], f);
    count_in(waku, run->bracketno - 1, 8, f);
    count_in(umaban, run->horseno - 1, 28, f);
    count_in(odds, odds_row(run->winodds), 11, f);
    count_in(pace[index_of(t.paces, run->pace, 3)], f);
  }
  // Every row's rates from its counts.
  auto rates = [this](int* row) {
    row[4] = calc_win(row);
    row[5] = calc_ren(row);
    row[6] = calc_3chak(row);
  };
  auto each = [&](int* first, int rows) {
    for (int i = 0; i < rows; ++i) rates(first + i * kRowSize);
  };
  each(&kyakushitsu[0][0], 4);
  each(&place[0][0], 11);
  each(&month[0][0], 12);
  for (int i = 0; i < kPeople; ++i) {
    rates(jockey[i].total);
    rates(stable[i].total);
  }
  each(&ninki[0][0], 11);
  each(&bataiju[0][0], 22);
  each(&distance[0][0][0], 8 * 9);
  rates(jump);
  each(&futan[0][0], 12);
  each(&classrank[0][0], 8);
  each(&trackgoing[0][0], 12);
  each(&zogen[0][0], 8);
  each(&waku[0][0], 8);
  each(&umaban[0][0], 28);
  each(&odds[0][0], 11);
  each(&pace[0][0], 4);
}
