// The race-card record: one race before it is run, as the race list and the
// runner lines of a card read it.
#ifndef YDBCLN_RACE_RACECARDREC_H_
#define YDBCLN_RACE_RACECARDREC_H_

struct _tagRACEDREC {
  unsigned char bytes[360];
};

namespace racedrec {

constexpr int kSize = 360;
constexpr int kRaceCode = 0;      // place 2, date YYYYMMDD 8, race number 2
constexpr int kRaceCodeWidth = 12;
constexpr int kDate = 2;          // the date inside the race code, 8
constexpr int kYear = 12;         // 4
constexpr int kKai = 16;          // kai 2, then day 2
constexpr int kEdition = 25;      // edition number of the race, 3; 0 none
constexpr int kName = 28;         // race name, 30
constexpr int kNameWidth = 30;
constexpr int kGrade = 72;        // grade code, also the class code of the race list
constexpr int kWeightRule1 = 93;  // weight-rule codes, 2 each
constexpr int kWeightRule2 = 95;
constexpr int kRaceKind = 97;     // age condition; '0' a jump race
constexpr int kConditions = 99;   // condition codes (class field), 5
constexpr int kConditionsWidth = 5;
constexpr int kTrack = 104;       // track code
constexpr int kDirection = 105;   // direction code
constexpr int kInnerOuter = 106;  // inner/outer course code
constexpr int kDistance = 108;    // metres, 4
constexpr int kDistanceWidth = 4;
constexpr int kRunnerCount = 336; // 2
constexpr int kPace = 348;        // pace code

}  // namespace racedrec

static_assert(sizeof(_tagRACEDREC) == racedrec::kSize, "race-card record size");

#endif  // YDBCLN_RACE_RACECARDREC_H_
