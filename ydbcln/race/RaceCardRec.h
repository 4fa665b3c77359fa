// The race-card record: one race before it is run, as the race list and the
// runner lines of a card read it.
#ifndef YDBCLN_RACE_RACECARDREC_H_
#define YDBCLN_RACE_RACECARDREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). The first reference
// time (course record or standard time) has a kind byte; the second and
// third are the two occurrences of the later_ref fields, each with the place
// where it was run.
#define YDBCLN_RACEDREC_FIELDS(X)                                               \
  X(kSize, 360)                                                                 \
  X(kRaceCode, 0) /* place 2, date YYYYMMDD 8, race number 2 */                 \
  X(kRaceCodeWidth, 12)                                                         \
  X(kYear, 12)                                                                  \
  X(kKai, 16) /* kai 2, then day 2 */                                           \
  X(kDay, 18)                                                                   \
  X(kEdition, 25) /* 3 digits; 0 none */                                        \
  X(kRaceName, 28)                                                              \
  X(kRaceNameWidth, 30)                                                         \
  X(kGrade, 72) /* also the class code of the race list */                      \
  X(kSupplementaryConditions, 75)                                               \
  X(kSupplementaryConditionsWidth, 18)                                          \
  X(kWeightRule1, 93)                                                           \
  X(kWeightRule2, 95)                                                           \
  X(kRaceKind, 97) /* age condition; '0' a jump race */                         \
  X(kConditions, 99) /* class field */                                          \
  X(kConditionsWidth, 5)                                                        \
  X(kTrack, 104)                                                                \
  X(kDirection, 105)                                                            \
  X(kInnerOuter, 106)                                                           \
  X(kCourse, 107) /* rail position */                                           \
  X(kDistance, 108)                                                             \
  X(kDistanceWidth, 4)                                                          \
  X(kFirstRefKind, 112) /* blank none, '0' standard, '1' record, other */       \
  X(kFirstRefDate, 113)                                                         \
  X(kFirstRefTime, 121) /* minutes 1, seconds 2, tenths 1 */                    \
  X(kFirstRefHorseName, 125)                                                    \
  X(kFirstRefWeightKg, 155)                                                     \
  X(kFirstRefWeightTenths, 157)                                                 \
  X(kFirstRefJockeyName, 158)                                                   \
  X(kLaterRefDate, 166) /* a blank or '0' first byte: no such time */          \
  X(kLaterRefDateStride, 55)                                                    \
  X(kLaterRefTime, 174)                                                         \
  X(kLaterRefHorseName, 178)                                                    \
  X(kLaterRefWeightKg, 208)                                                     \
  X(kLaterRefWeightTenths, 210)                                                 \
  X(kLaterRefJockeyName, 211)                                                   \
  X(kLaterRefPlaceCode, 219)                                                    \
  X(kPrize, 276) /* places 1 to 5 */                                            \
  X(kPrizeWidth, 9)                                                             \
  X(kPrizeCount, 5)                                                             \
  X(kCodeText, 331)                                                             \
  X(kCodeTextWidth, 5)                                                          \
  X(kRunnerCount, 336)                                                          \
  X(kTime1, 340) /* minutes 1, seconds 2, tenths 1 */                           \
  X(kTime2, 344)                                                                \
  X(kPace, 348)                                                                 \
  X(kNominationCount, 349)                                                      \
  X(kNominationCountWidth, 3)

struct _tagRACEDREC {
  unsigned char bytes[360];
};

namespace racedrec {
YDBCLN_RACEDREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace racedrec

static_assert(sizeof(_tagRACEDREC) == racedrec::kSize, "race-card record size");

#endif  // YDBCLN_RACE_RACECARDREC_H_
