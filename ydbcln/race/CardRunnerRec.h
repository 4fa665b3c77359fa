// The race-card runner record: one horse entered for a race. It opens with
// the race key in the old form (place, year, kai, day, race number).
#ifndef YDBCLN_RACE_CARDRUNNERREC_H_
#define YDBCLN_RACE_CARDRUNNERREC_H_

struct _tagRACEDHREC {
  unsigned char bytes[688];
};

namespace racedhrec {

constexpr int kSize = 688;
constexpr int kRaceKey = 0;         // old-form race key, 12
constexpr int kRaceKeyWidth = 12;
constexpr int kRaceNumber = 10;     // 2
constexpr int kBracket = 22;        // one digit
constexpr int kHorseNumber = 23;    // 2
constexpr int kHorseCode = 25;      // 7
constexpr int kHorseName = 32;      // 30
constexpr int kHorseNameWidth = 30;
constexpr int kSex = 64;            // sex code
constexpr int kAge = 65;            // 2 digits
constexpr int kEntryCode = 127;     // a code byte kept with the entry
constexpr int kWeightCarried = 128; // tenths of a kilogram, 3
constexpr int kJockeyCode = 131;    // 5
constexpr int kJockeyText = 136;    // 32
constexpr int kJockeyTextWidth = 32;
constexpr int kJockeyName = 168;    // 8
constexpr int kJockeyCodeByte = 176;
constexpr int kTwoCharCode = 177;   // 2
constexpr int kFiveCharCode = 179;  // 5
constexpr int kCodeByte = 184;
constexpr int kDigit = 185;
constexpr int kTrainerCode = 186;   // 5
constexpr int kTrainerName = 223;   // 8
constexpr int kStablePlace = 231;   // place code of the stable, 2
constexpr int kStableCode = 233;    // training-centre code
constexpr int kSmallNumber = 234;   // a digit kept as a small number
// The same byte read by the theory classes: the prediction mark character,
// digit d mark d + 1 (◎ ○ ▲ △ ×), '9' struck out (消), blank none.
constexpr int kPredictionMark = 234;
constexpr int kValue = 677;         // tenths, 3

constexpr int kHorseCodeWidth = 7;
constexpr int kPersonCodeWidth = 5;
constexpr int kPersonNameWidth = 8;

}  // namespace racedhrec

static_assert(sizeof(_tagRACEDHREC) == racedhrec::kSize, "race-card runner record size");

#endif  // YDBCLN_RACE_CARDRUNNERREC_H_
