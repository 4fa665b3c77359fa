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

// The card's own texts.
constexpr int kDay = 18;              // day within the meeting, 2
constexpr int kSupplementary = 75;    // supplementary condition text, 18
constexpr int kSupplementaryWidth = 18;
constexpr int kCourse = 107;          // rail position code
constexpr int kPrize = 276;           // places 1 to 5, 9 digits each
constexpr int kPrizeWidth = 9;
constexpr int kPrizes = 5;
constexpr int kCodeText = 331;        // 5
constexpr int kTime1 = 340;           // minutes 1, seconds 2, tenths 1
constexpr int kTime2 = 344;
constexpr int kNominationCount = 349; // 3: horses nominated for the race

// Reference times: the first (course record or standard time) with its
// kind, the second and third kRefStride apart, each with the place run.
constexpr int kRef1Kind = 112;        // blank none, '0' standard, '1' record, other reference
constexpr int kRef1Date = 113;        // YYYYMMDD
constexpr int kRef1Time = 121;        // minutes 1, seconds 2, tenths 1
constexpr int kRef1Horse = 125;       // 30
constexpr int kRef1Weight = 155;      // kilograms 2, then the tenths 1
constexpr int kRef1Jockey = 158;      // 8
constexpr int kRef2Date = 166;        // a blank or '0' first byte: no such time
constexpr int kRef2Time = 174;
constexpr int kRef2Horse = 178;
constexpr int kRef2Weight = 208;      // kilograms 2, then the tenths 1
constexpr int kRef2Jockey = 211;
constexpr int kRef2Place = 219;
constexpr int kRefStride = 55;

}  // namespace racedrec

static_assert(sizeof(_tagRACEDREC) == racedrec::kSize, "race-card record size");

#endif  // YDBCLN_RACE_RACECARDREC_H_
