// The past-run record: one run of a horse (or one ride of a jockey, one
// runner of a trainer, one offspring run of a sire) as the theory engine and
// the course-draw statistics read it. Numbers are ASCII digits.
#ifndef YDBCLN_THEORY_PASTRUNREC_H_
#define YDBCLN_THEORY_PASTRUNREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). The horse number is
// in the record twice: the course-draw statistics read one copy, the
// engine's run rows the other.
#define YDBCLN_PASTRUNREC_FIELDS(X)                                      \
  X(kSize, 94)                                                           \
  X(kPlaceCode, 0)                                                       \
  X(kDate, 2) /* YYYYMMDD */                                             \
  X(kKai, 16)                                                            \
  X(kJump, 20) /* '1' for a jump race */                                 \
  X(kGrade, 21) /* blank none */                                         \
  X(kConditions, 22) /* class field, 5 ("00004", "-0005") */             \
  X(kTrack, 27) /* surface code */                                       \
  X(kDistance, 31)                                                       \
  X(kRunnerCount, 35)                                                    \
  X(kGoing, 37) /* one digit */                                          \
  X(kBracketNumber, 38)                                                  \
  X(kHorseNumber, 39) /* as the course-draw statistics read it */        \
  X(kRunHorseNumber, 41) /* as the run rows read it */                   \
  X(kWeightCarried, 50) /* tenths of a kilogram */                       \
  X(kIndex, 53)                                                          \
  X(kJockeyCode, 56)                                                     \
  X(kJockeyCodeWidth, 5)                                                 \
  X(kTrainerCode, 61)                                                    \
  X(kTrainerCodeWidth, 5)                                                \
  X(kPredictionMark, 66)                                                 \
  X(kPopularity, 67)                                                     \
  X(kWinOdds, 69) /* tenths */                                           \
  X(kFinishingOrder, 74) /* 0 not placed */                              \
  X(kArrivalOrder, 78)                                                   \
  X(kTime, 80) /* minutes 1, seconds 2, tenths 1 */                      \
  X(kMargin, 84) /* tenths of a second; 998 none */                      \
  X(kFirst3f, 87) /* tenths of a second */                               \
  X(kLast3f, 90) /* tenths of a second */

namespace pastrunrec {
YDBCLN_PASTRUNREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace pastrunrec

#endif  // YDBCLN_THEORY_PASTRUNREC_H_
