// The runner result record: one horse's run in one race. Its race part
// repeats fields of the race result record at other offsets; the race code
// starts at byte 1.
#ifndef YDBCLN_RACE_RESULTRUNNERREC_H_
#define YDBCLN_RACE_RESULTRUNNERREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_RACERHREC_FIELDS(X)                                             \
  X(kSize, 659)                                                                \
  X(kRaceCode, 1) /* place 2, date YYYYMMDD 8, race number 2 */                \
  X(kRaceCodeWidth, 12)                                                        \
  X(kDate, 3) /* the date inside the race code */                             \
  X(kRaceNumber, 11)                                                           \
  X(kKai, 17) /* kai 2, then day 2 */                                          \
  X(kGrade, 73)                                                                \
  X(kRaceKind, 98)                                                             \
  X(kConditions, 100)                                                          \
  X(kConditionsWidth, 5)                                                       \
  X(kTrack, 115)                                                               \
  X(kDirection, 116)                                                           \
  X(kInnerOuter, 117)                                                          \
  X(kDistance, 119)                                                            \
  X(kRunnerCount, 123)                                                         \
  X(kPace, 129)                                                                \
  X(kGoing, 131)                                                               \
  X(kBracketNumber, 153)                                                       \
  X(kHorseNumber, 154)                                                         \
  X(kPostNumber, 156) /* the stall it started from */                          \
  X(kHorseCode, 158)                                                           \
  X(kHorseCodeWidth, 7)                                                        \
  X(kHorseName, 165)                                                           \
  X(kHorseNameWidth, 30)                                                       \
  X(kSex, 197)                                                                 \
  X(kAge, 198)                                                                 \
  X(kPredictionMark, 200) /* the entry's prediction mark digit; blank none */  \
  X(kTrainingMark, 201) /* the entry's first training mark digit */           \
  X(kWeightCarried, 261) /* tenths of a kilogram */                            \
  X(kBodyWeight, 264)                                                          \
  X(kBodyWeightChange, 267) /* sign and two digits; blank when unknown */      \
  X(kResultNumber4, 270) /* last 600 m, tenths of a second */                 \
  X(kJockeyCode, 273)                                                          \
  X(kJockeyCodeWidth, 5)                                                       \
  X(kJockeyName, 310)                                                          \
  X(kJockeyNameWidth, 8)                                                       \
  X(kDigit, 327)                                                               \
  X(kTrainerCode, 328)                                                         \
  X(kTrainerCodeWidth, 5)                                                      \
  X(kTrainerName, 365)                                                         \
  X(kTrainerNameWidth, 8)                                                      \
  X(kStableLocation, 373)                                                      \
  X(kStableAffiliation, 375)                                                   \
  X(kPopularity, 378)                                                          \
  X(kWinOdds, 380) /* tenths */                                                \
  X(kFinishingOrder, 385)                                                      \
  X(kAccident, 387) /* 31 to 36 */                                             \
  X(kArrivalOrder, 389)                                                        \
  X(kResultNumber3, 393) /* race time, tenths of a second */                   \
  X(kMarginLengths, 397)                                                       \
  X(kMarginCode, 399)                                                          \
  X(kMargin, 400) /* 998 none */                                               \
  X(kResultNumberA, 403) /* first 600 m, tenths of a second */                 \
  X(kResultNumberB, 406) /* last 600 m, tenths of a second */                  \
  X(kCornerPosition, 409) /* at corners 1 to 4 */                              \
  X(kCornerPositionStride, 2)                                                  \
  X(kPositionCode, 417)                                                        \
  X(kResultBlock, 418) /* kept whole */                                        \
  X(kResultBlockWidth, 116)                                                    \
  X(kStableText, 535)                                                          \
  X(kStableTextWidth, 30)                                                      \
  X(kSireCode, 577)                                                            \
  X(kSireCodeWidth, 7)                                                         \
  X(kSireName, 584)                                                            \
  X(kSireNameWidth, 34)                                                        \
  X(kDamsSireCode, 618)                                                        \
  X(kDamsSireCodeWidth, 7)                                                     \
  X(kDamsSireName, 625)                                                        \
  X(kDamsSireNameWidth, 34)

struct _tagRACERHREC {
  unsigned char bytes[659];
};

namespace racerhrec {
YDBCLN_RACERHREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace racerhrec

static_assert(sizeof(_tagRACERHREC) == racerhrec::kSize, "runner result record size");

#endif  // YDBCLN_RACE_RESULTRUNNERREC_H_
