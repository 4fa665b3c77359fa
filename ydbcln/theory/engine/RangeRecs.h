// The records of the range fetches (ydbrange.h) that no race-by-race fetch
// gives: a runner's entry, and those that gather many horses' records in
// one buffer, each beginning with the code of the horse it belongs to,
// followed by the record the horse's own fetch gives.
#ifndef YDBCLN_THEORY_ENGINE_RANGERECS_H_
#define YDBCLN_THEORY_ENGINE_RANGERECS_H_

#include "ydbcln/race/RecordConstants.h"

// A runner's entry (get_raceh2date_range).
#define YDBCLN_RUNNERENTRYREC_FIELDS(X) \
  X(kSize, 37)                          \
  X(kRaceCode, 0)                       \
  X(kBracketNumber, 12)                 \
  X(kHorseNumber, 13)                   \
  X(kHorseCode, 15)                     \
  X(kWeightCarried, 22)                 \
  X(kJockeyCode, 25)                    \
  X(kTrainerCode, 30)                   \
  X(kPredictionMark, 35)                \
  X(kTrainingMark, 36)

// One run of a horse (get_uma_racey2date_range): the past-run record at kRun.
#define YDBCLN_HORSERUNREC_FIELDS(X) \
  X(kSize, 101)                      \
  X(kHorseCode, 0)                   \
  X(kHorseCodeWidth, 7)              \
  X(kRun, 7)

// A horse's sire (get_sirecode2date_range).
#define YDBCLN_HORSESIREREC_FIELDS(X) \
  X(kSize, 48)                        \
  X(kHorseCode, 0)                    \
  X(kHorseCodeWidth, 7)               \
  X(kSireCode, 7)                     \
  X(kSireCodeWidth, 7)                \
  X(kSireName, 14)                    \
  X(kSireNameWidth, 34)

namespace runnerentryrec {
YDBCLN_RUNNERENTRYREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace runnerentryrec

namespace horserunrec {
YDBCLN_HORSERUNREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace horserunrec

namespace horsesirerec {
YDBCLN_HORSESIREREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace horsesirerec

#endif  // YDBCLN_THEORY_ENGINE_RANGERECS_H_
