// The race result record: one run race with its payouts, as the race list,
// the runner lines and the payout fill read it.
#ifndef YDBCLN_RACE_RACERESULTREC_H_
#define YDBCLN_RACE_RACERESULTREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
//
// Reference times: the first without a kind; the second and third are the
// two occurrences of the later_ref fields, but for their times: the second
// has seconds and tenths only (3 digits), the third minutes too.
//
// Payouts: each pool's entries are a number (horse, frame pair or horse
// pair) followed by its payout. The horse number of the second win entry is
// also the win popularity: it names a second winner only in a dead heat.
#define YDBCLN_RACERMREC_FIELDS(X)                                             \
  X(kSize, 2326)                                                               \
  X(kRaceCode, 0)                                                              \
  X(kRaceCodeWidth, 12)                                                        \
  X(kDate, 12)                                                                 \
  X(kYear, 12)                                                                 \
  X(kKai, 20) /* kai 2, then day 2 */                                          \
  X(kEdition, 30)                                                              \
  X(kRaceName, 33)                                                             \
  X(kRaceNameWidth, 30)                                                        \
  X(kGrade, 77)                                                                \
  X(kSupplementaryConditions, 80)                                              \
  X(kWeightRule1, 98)                                                          \
  X(kWeightRule2, 100)                                                         \
  X(kRaceKind, 102)                                                            \
  X(kConditions, 104)                                                          \
  X(kConditionsWidth, 5)                                                       \
  X(kTrack, 119)                                                               \
  X(kDirection, 120)                                                           \
  X(kInnerOuter, 121)                                                          \
  X(kCourse, 122) /* rail position '0'-'5' */                                  \
  X(kDistance, 123)                                                            \
  X(kDistanceWidth, 4)                                                         \
  X(kFirstRefDate, 128)                                                        \
  X(kFirstRefTime, 136)                                                        \
  X(kFirstRefHorseName, 140)                                                   \
  X(kFirstRefWeightKg, 170)                                                    \
  X(kFirstRefWeightTenths, 172)                                                \
  X(kFirstRefJockeyName, 173)                                                  \
  X(kLaterRefDate, 181)                                                        \
  X(kLaterRefDateStride, 55)                                                   \
  X(kSecondRefTime, 190)                                                       \
  X(kLaterRefHorseName, 193)                                                   \
  X(kLaterRefWeightKg, 223)                                                    \
  X(kLaterRefJockeyName, 226)                                                  \
  X(kLaterRefPlaceCode, 234)                                                   \
  X(kThirdRefTime, 244)                                                        \
  X(kPrize, 291) /* places 1 to 6 */                                           \
  X(kPrizeWidth, 9)                                                            \
  X(kPrizeCount, 6)                                                            \
  X(kSharedAmount, 354) /* first place's share of the added money */          \
  X(kSharedAmountWidth, 9)                                                     \
  X(kCodeText, 364)                                                            \
  X(kCodeTextWidth, 5)                                                         \
  X(kRunnerCount, 369)                                                         \
  X(kPace, 381)                                                                \
  X(kWeather, 382)                                                             \
  X(kGoing, 383)                                                               \
  X(kWinHorseNumber, 385)                                                      \
  X(kWinHorseNumberWidth, 2)                                                   \
  X(kWinHorseNumberStride, 8)                                                  \
  X(kWinHorseNumberCount, 3)                                                   \
  X(kWinPayout, 387)                                                           \
  X(kWinPayoutWidth, 6)                                                        \
  X(kWinPopularity, 393)                                                       \
  X(kPlaceHorseNumber, 409)                                                    \
  X(kPlaceHorseNumberWidth, 2)                                                 \
  X(kPlaceHorseNumberStride, 8)                                                \
  X(kPlaceHorseNumberCount, 5)                                                 \
  X(kPlacePayout, 411)                                                         \
  X(kPlacePayoutWidth, 6)                                                      \
  X(kBracketPair, 449)                                                         \
  X(kBracketPairWidth, 2)                                                      \
  X(kBracketPairStride, 10)                                                    \
  X(kBracketPairCount, 3)                                                      \
  X(kBracketPayout, 451)                                                       \
  X(kBracketPayoutWidth, 6)                                                    \
  X(kQuinellaPair, 479)                                                        \
  X(kQuinellaPairWidth, 4)                                                     \
  X(kQuinellaPairStride, 14)                                                   \
  X(kQuinellaPairCount, 3)                                                     \
  X(kQuinellaPayout, 483)                                                      \
  X(kQuinellaPayoutWidth, 7)                                                   \
  X(kQuinellaPopularity, 490)                                                  \
  X(kQuinellaPopularityWidth, 3)                                               \
  X(kWidePair, 521)                                                            \
  X(kWidePairWidth, 4)                                                         \
  X(kWidePairStride, 14)                                                       \
  X(kWidePairCount, 7)                                                         \
  X(kWidePayout, 525)                                                          \
  X(kWidePayoutWidth, 7)                                                       \
  X(kWidePopularity, 532)                                                      \
  X(kWidePopularityWidth, 3)                                                   \
  X(kMileLine, 747) /* shown for a jump race instead of the laps */            \
  X(kMileLineWidth, 20)                                                        \
  X(kLap, 767) /* each 200 m in tenths; blank when none */                     \
  X(kLapWidth, 3)                                                              \
  X(kLapCount, 13)                                                             \
  X(kEarlyTime, 806) /* first 600, 800 and 1000 m */                           \
  X(kEarlyTimeWidth, 3)                                                        \
  X(kLast800, 815)                                                             \
  X(kLast600, 818)                                                             \
  X(kCornerKind, 821)                                                          \
  X(kCornerKindStride, 113)                                                    \
  X(kCornerKindCount, 9)                                                       \
  X(kCornerPosition, 822)                                                      \
  X(kCornerOrder, 824)                                                         \
  X(kCornerOrderWidth, 110)                                                    \
  X(kComment, 1838)                                                            \
  X(kCommentWidth, 80)                                                         \
  X(kCommentCount, 6)

struct _tagRACERMREC {
  unsigned char bytes[2326];
};

namespace racermrec {
YDBCLN_RACERMREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace racermrec

static_assert(sizeof(_tagRACERMREC) == racermrec::kSize, "race result record size");

#endif  // YDBCLN_RACE_RACERESULTREC_H_
