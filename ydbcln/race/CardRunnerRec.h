// The race-card runner record: one horse entered for a race. It opens with
// the race key in the old form (place, year, kai, day, race number).
// Nominations use the same record with the bracket and horse number blank.
#ifndef YDBCLN_RACE_CARDRUNNERREC_H_
#define YDBCLN_RACE_CARDRUNNERREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_RACEDHREC_FIELDS(X)                                            \
  X(kSize, 688)                                                               \
  X(kRaceKey, 0) /* old-form race key */                                      \
  X(kRaceKeyWidth, 12)                                                        \
  X(kRaceNumber, 10)                                                          \
  X(kBracketNumber, 22) /* one digit */                                       \
  X(kHorseNumber, 23)                                                         \
  X(kHorseCode, 25)                                                           \
  X(kHorseCodeWidth, 7)                                                       \
  X(kHorseName, 32)                                                           \
  X(kHorseNameWidth, 30)                                                      \
  X(kSex, 64)                                                                 \
  X(kAge, 65) /* 2 digits */                                                  \
  X(kEntryCode, 127)                                                          \
  X(kWeightCarried, 128) /* tenths of a kilogram, 3 */                        \
  X(kJockeyCode, 131)                                                         \
  X(kJockeyCodeWidth, 5)                                                      \
  X(kJockeyText, 136)                                                         \
  X(kJockeyTextWidth, 32)                                                     \
  X(kJockeyName, 168)                                                         \
  X(kJockeyNameWidth, 8)                                                      \
  X(kJockeyCodeByte, 176)                                                     \
  X(kTwoCharCode, 177)                                                        \
  X(kFiveCharCode, 179)                                                       \
  X(kCodeByte, 184)                                                           \
  X(kDigit, 185)                                                              \
  X(kTrainerCode, 186)                                                        \
  X(kTrainerCodeWidth, 5)                                                     \
  X(kTrainerName, 223)                                                        \
  X(kTrainerNameWidth, 8)                                                     \
  X(kStableLocation, 231) /* place code of the stable, 2 */                   \
  X(kStableAffiliation, 233) /* training-centre code */                       \
  /* Digit d is mark d + 1 (◎ ○ ▲ △ ×), '9' struck out (消), blank none. */   \
  X(kPredictionMark, 234)                                                     \
  X(kTrainingMarks, 235) /* first of the bytes a card line carries whole */  \
  X(kValueTenths, 677)                                                        \
  X(kCardLinePredictionMark, 680) /* the mark again, at card line byte 488 */

struct _tagRACEDHREC {
  unsigned char bytes[688];
};

namespace racedhrec {
YDBCLN_RACEDHREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace racedhrec

static_assert(sizeof(_tagRACEDHREC) == racedhrec::kSize, "race-card runner record size");

#endif  // YDBCLN_RACE_CARDRUNNERREC_H_
