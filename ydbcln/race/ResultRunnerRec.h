// The runner result record: one horse's run in one race. Its race part
// repeats fields of the race result record at other offsets; the race code
// starts at byte 1.
#ifndef YDBCLN_RACE_RESULTRUNNERREC_H_
#define YDBCLN_RACE_RESULTRUNNERREC_H_

struct _tagRACERHREC {
  unsigned char bytes[659];
};

namespace racerhrec {

constexpr int kSize = 659;
constexpr int kRaceCode = 1;          // place 2, date YYYYMMDD 8, race number 2
constexpr int kRaceCodeWidth = 12;
constexpr int kYear = 3;              // the year inside the race code, 4
constexpr int kRaceNumber = 11;       // 2
constexpr int kKai = 17;              // kai 2, then day 2
constexpr int kGrade = 73;
constexpr int kRaceKind = 98;
constexpr int kConditions = 100;      // 5
constexpr int kConditionsWidth = 5;
constexpr int kTrack = 115;
constexpr int kDirection = 116;
constexpr int kInnerOuter = 117;
constexpr int kDistance = 119;        // metres, 4
constexpr int kRunnerCount = 123;     // 2
constexpr int kPace = 129;
constexpr int kGoing = 131;
constexpr int kBracket = 153;         // one digit
constexpr int kHorseNumber = 154;     // 2
constexpr int kPostNumber = 156;      // the stall it started from, 2
constexpr int kHorseCode = 158;       // 7
constexpr int kHorseName = 165;       // 30
constexpr int kHorseNameWidth = 30;
constexpr int kSex = 197;
constexpr int kAge = 198;             // 2 digits
constexpr int kPredictionMark = 200;  // the entry's prediction mark digit; blank none
constexpr int kTrainingMark = 201;    // the entry's first training mark digit; blank none
constexpr int kWeightCarried = 261;   // tenths of a kilogram, 3
constexpr int kBodyWeight = 264;      // kg, 3
constexpr int kWeightChange = 267;    // sign and two digits; blank when unknown
constexpr int kLast600 = 270;         // last 600 m, tenths of a second, 3
constexpr int kJockeyCode = 273;      // 5
constexpr int kJockeyName = 310;      // 8
constexpr int kDigit = 327;
constexpr int kTrainerCode = 328;     // 5
constexpr int kTrainerName = 365;     // 8
constexpr int kStablePlace = 373;     // 2
constexpr int kStableCode = 375;
constexpr int kPopularity = 378;      // 2
constexpr int kWinOdds = 380;         // tenths, 5
constexpr int kFinishingOrder = 385;  // 2
constexpr int kAccident = 387;        // 2: 31 to 36
constexpr int kArrivalOrder = 389;    // 2
constexpr int kTime = 393;            // race time, tenths of a second, 4
constexpr int kMarginLengths = 397;   // 2
constexpr int kMarginCode = 399;
constexpr int kMargin = 400;          // 3; 998 none
constexpr int kResultNumber = 403;    // two 3-digit fields, 3 apart
constexpr int kCorner = 409;          // four 2-digit positions, 2 apart
constexpr int kPositionCode = 417;
constexpr int kResultBlock = 418;     // 116, kept whole
constexpr int kResultBlockWidth = 116;
constexpr int kStableText = 535;      // 30
constexpr int kStableTextWidth = 30;

constexpr int kHorseCodeWidth = 7;
constexpr int kPersonCodeWidth = 5;
constexpr int kPersonNameWidth = 8;

}  // namespace racerhrec

static_assert(sizeof(_tagRACERHREC) == racerhrec::kSize, "runner result record size");

#endif  // YDBCLN_RACE_RESULTRUNNERREC_H_
