// The race-list record: one race day with up to three venues, each with its
// place, meeting (kai and day) and main race. A venue is an occurrence of
// the venue fields; one whose first byte is NUL is absent.
#ifndef YDBCLN_RACE_RACELISTREC_H_
#define YDBCLN_RACE_RACELISTREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_RACELISTREC_FIELDS(X)        \
  X(kSize, 158)                             \
  X(kDate, 0) /* YYYYMMDD */                \
  X(kDateWidth, 8)                          \
  X(kVenuePlaceCode, 8)                     \
  X(kVenuePlaceCodeWidth, 2)                \
  X(kVenuePlaceCodeStride, 50)              \
  X(kVenuePlaceCodeCount, 3)                \
  X(kVenueDate, 10)                         \
  X(kVenueDateWidth, 8)                     \
  X(kVenueKai, 18) /* kai 2, then day 2 */  \
  X(kVenueMainRaceName, 22)                 \
  X(kVenueMainRaceNameWidth, 30)            \
  X(kVenueMainRaceGrade, 52)                \
  X(kVenueMainRaceConditions, 53)           \
  X(kVenueMainRaceConditionsWidth, 5)

struct _tagRACELISTREC {
  unsigned char bytes[158];
};

namespace racelistrec {
YDBCLN_RACELISTREC_FIELDS(YDBCLN_RECORD_CONSTANT)

// The venue-day key: a venue's place code and date, as the race fetches
// take it.
constexpr int kVenueKeyWidth = kVenuePlaceCodeWidth + kVenueDateWidth;
static_assert(kVenueDate == kVenuePlaceCode + kVenuePlaceCodeWidth, "the date follows the place");
}  // namespace racelistrec

static_assert(sizeof(_tagRACELISTREC) == racelistrec::kSize, "race-list record size");

#endif  // YDBCLN_RACE_RACELISTREC_H_
