// The special card: a card the user makes for a race, naming the horses,
// their brackets and numbers, their jockeys and weights. The database
// library turns it into a race-card record and runner records, looking the
// horses, jockeys and trainers up in its store.
//
// The race part is a whole race-card record (_tagRACEDREC) as the user
// fills it or takes it from a real card; its runner count is not read.
// Digit fields are ASCII digits, codes blank-padded; a blank field is
// absent.
#ifndef YDBCLN_RACE_SPECIALCARDREC_H_
#define YDBCLN_RACE_SPECIALCARDREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields a user fills (see RecordConstants.h). Entry j is occurrence j
// of the entry fields, kEntryHorseCodeStride bytes apart.
#define YDBCLN_SPDENMA_FIELDS(X)                                       \
  X(kSize, 686)                                                        \
  X(kRaceCard, 0) /* _tagRACEDREC */                                   \
  X(kRaceCardWidth, 360)                                               \
  X(kEntryCount, 360) /* 2 digits, 0 to kEntryHorseCodeCount */        \
  X(kEntryHorseCode, 362)                                              \
  X(kEntryHorseCodeStride, 18)                                         \
  X(kEntryHorseCodeCount, 18)                                          \
  X(kEntryBracketNumber, 369) /* 1 digit */                            \
  X(kEntryHorseNumber, 370) /* 2 digits */                             \
  X(kEntryJockeyCode, 372) /* blank when none */                       \
  X(kEntryWeightCarried, 377) /* 3 digits, tenths of a kilogram */

struct _tagSPDENMA {
  unsigned char bytes[686];
};

namespace spdenma {
YDBCLN_SPDENMA_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace spdenma

static_assert(sizeof(_tagSPDENMA) == spdenma::kSize, "special card size");

#endif  // YDBCLN_RACE_SPECIALCARDREC_H_
