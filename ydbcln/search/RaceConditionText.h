// The detailed race search's conditions as the user gave them, and what is
// made of them: the condition text the database library compiles, and the
// display texts of the conditions.
#ifndef YDBCLN_SEARCH_RACECONDITIONTEXT_H_
#define YDBCLN_SEARCH_RACECONDITIONTEXT_H_

#include <string>

#include "ydbcln/search/SearchRecords.h"

namespace ysearch {

// Copies of the parameter records given to setparam; a record not given is
// left out of the text. The race name of mode 2 is copied too.
struct RaceConditions {
  int mode = -1;
  bool has_info = false, has_dist = false, has_age = false, has_bet = false, has_pace = false;
  _tagYDetailRaceInfo info{};
  std::string name;  // mode 2 (Shift_JIS)
  _tagYDetailRaceDistEtc dist{};
  _tagYDetailRaceAgeEtc age{};
  _tagYDetailRaceBetEtc bet{};
  _tagYDetailRacePaceEtc pace{};
  int ts = 0;
  int tk = 0;

  // Copies what is given; mode must be 0 to 2.
  void set(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
           _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet, _tagYDetailRacePaceEtc* pace,
           int ts, int tk);
};

// The condition text; `with_tk` adds the TK keys.
std::string RaceConditionText(const RaceConditions& c, bool with_tk);

// Whether `tk` asks for runner conditions (anything but 0 and -1).
inline bool HasRunnerConditions(int tk) { return tk != 0 && tk != -1; }

// "P=04&P=05" for a racecourse mask, in the order of the codes; empty for
// 1023 (every racecourse).
std::string PlaceKeys(int mask);

// The two-digit code of one racecourse bit; empty for any other value.
std::string PlaceCode(int bit);

// The display texts (Shift_JIS) of the conditions, kRaceSearchStrings of
// them: grade, period or meeting, racecourses, race selector, distance,
// surfaces, courses, age conditions, classes, payouts, pace, weather, going.
constexpr int kRaceSearchStrings = 13;
void RaceSearchStrings(const RaceConditions& c, std::string* out);

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_RACECONDITIONTEXT_H_
