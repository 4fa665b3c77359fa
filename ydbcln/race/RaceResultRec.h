// The race result record: one run race with its payouts, as the race list,
// the runner lines and the payout fill read it.
#ifndef YDBCLN_RACE_RACERESULTREC_H_
#define YDBCLN_RACE_RACERESULTREC_H_

struct _tagRACERMREC {
  unsigned char bytes[2326];
};

namespace racermrec {

constexpr int kSize = 2326;
constexpr int kRaceCode = 0;      // place 2, date YYYYMMDD 8, race number 2
constexpr int kRaceCodeWidth = 12;
constexpr int kDate = 12;         // YYYYMMDD, 8
constexpr int kKai = 20;          // kai 2, then day 2
constexpr int kEdition = 30;      // edition number of the race, 3; 0 none
constexpr int kName = 33;         // race name, 30
constexpr int kNameWidth = 30;
constexpr int kGrade = 77;        // grade code
constexpr int kWeightRule1 = 98;  // weight-rule codes, 2 each
constexpr int kWeightRule2 = 100;
constexpr int kRaceKind = 102;    // age condition; '0' a jump race
constexpr int kConditions = 104;  // condition codes (class field), 5
constexpr int kConditionsWidth = 5;
constexpr int kTrack = 119;       // track code
constexpr int kDirection = 120;   // direction code
constexpr int kCourse = 122;      // rail position code '0'-'5'
constexpr int kDistance = 123;    // metres, 4
constexpr int kDistanceWidth = 4;
constexpr int kRunnerCount = 369; // 2
constexpr int kPace = 381;        // pace code
constexpr int kGoing = 383;       // going code

// The race's texts, as on the card at other offsets.
constexpr int kYear = 12;             // 4
constexpr int kSupplementary = 80;    // 18
constexpr int kInnerOuter = 121;
constexpr int kPrize = 291;           // one 9-digit amount per place
constexpr int kPrizeWidth = 9;
constexpr int kPrizes = 6;
constexpr int kSharedAmount = 354;    // first place's share of the added money, 9
constexpr int kCodeText = 364;        // 5
constexpr int kWeather = 382;

// Reference times: the first without a kind, the second with seconds and
// tenths only (3 digits) and no tenths of the weight, the third in full.
constexpr int kRef1Date = 128;
constexpr int kRef1Time = 136;        // minutes 1, seconds 2, tenths 1
constexpr int kRef1Horse = 140;
constexpr int kRef1Weight = 170;      // kilograms 2, then the tenths 1
constexpr int kRef1Jockey = 173;
constexpr int kRef2Date = 181;
constexpr int kRef2Time = 190;        // seconds 2, tenths 1
constexpr int kRef2Horse = 193;
constexpr int kRef2Weight = 223;      // kilograms 2
constexpr int kRef2Jockey = 226;
constexpr int kRef2Place = 234;
constexpr int kRef3Date = 236;
constexpr int kRef3Time = 244;        // minutes 1, seconds 2, tenths 1
constexpr int kRef3Horse = 248;
constexpr int kRef3Weight = 278;      // kilograms 2
constexpr int kRef3Jockey = 281;
constexpr int kRef3Place = 289;

// The run: laps, sectional times, passing orders and comments.
constexpr int kMileLine = 747;        // shown for a jump race instead of the laps, 20
constexpr int kMileLineWidth = 20;
constexpr int kLap = 767;             // each 200 m in tenths, 3 digits; blank when none
constexpr int kLaps = 13;
constexpr int kEarlyTime = 806;       // first 600, 800 and 1000 m, 3 digits each
constexpr int kLast800 = 815;         // 3
constexpr int kLast600 = 818;         // 3
constexpr int kCorner = 821;          // kind byte 1, position 2, passing order 110
constexpr int kCornerStride = 113;
constexpr int kCorners = 9;
constexpr int kCornerOrderWidth = 110;
constexpr int kComment = 1838;        // lines of 80
constexpr int kCommentWidth = 80;
constexpr int kComments = 6;

// Win entries: horse number 2 and payout 6, kWinStride apart. The horse
// number of the second entry is also the win popularity: it names a second
// winner only in a dead heat for first.
constexpr int kWinHorse = 385;
constexpr int kWinPayout = 387;
constexpr int kWinStride = 8;
constexpr int kWinPopularity = 393;

// Place entries: horse number 2 (blank when none) and payout 6.
constexpr int kPlaceHorse = 409;
constexpr int kPlacePayout = 411;
constexpr int kPlaceStride = 8;
constexpr int kPlaceEntries = 5;

// Bracket quinella entries: the frame pair as one 2-digit number, payout 6.
constexpr int kBracketPair = 449;
constexpr int kBracketPayout = 451;
constexpr int kBracketStride = 10;

// Quinella and wide entries: the horse pair as one 4-digit number (blank
// when none), payout 7, popularity 3.
constexpr int kQuinellaPair = 479;
constexpr int kQuinellaPayout = 483;
constexpr int kQuinellaPopularity = 490;
constexpr int kWidePair = 521;
constexpr int kWidePayout = 525;
constexpr int kWidePopularity = 532;
constexpr int kPairStride = 14;

constexpr int kHorseWidth = 2;
constexpr int kBracketWidth = 2;
constexpr int kPairWidth = 4;
constexpr int kShortPayoutWidth = 6;  // win, place, bracket quinella
constexpr int kLongPayoutWidth = 7;   // quinella, wide
constexpr int kPopularityWidth = 3;

}  // namespace racermrec

static_assert(sizeof(_tagRACERMREC) == racermrec::kSize, "race result record size");

#endif  // YDBCLN_RACE_RACERESULTREC_H_
