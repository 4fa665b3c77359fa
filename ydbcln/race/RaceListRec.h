// The race-list record: one race day with up to three venues, each with its
// place, meeting (kai and day) and main race. Offsets are from the start of
// the record; the venue fields are offsets within a venue entry.
#ifndef YDBCLN_RACE_RACELISTREC_H_
#define YDBCLN_RACE_RACELISTREC_H_

struct _tagRACELISTREC {
  unsigned char bytes[158];
};

namespace racelistrec {

constexpr int kSize = 158;
constexpr int kDate = 0;  // YYYYMMDD, 8
constexpr int kDateWidth = 8;

// Venue entry k (0 to 2) starts at kVenue + kVenueStride * k. An entry whose
// first byte is NUL is absent.
constexpr int kVenue = 8;
constexpr int kVenueStride = 50;
constexpr int kVenueCount = 3;

// Within a venue entry.
constexpr int kPlace = 0;          // place code, 2; with the date the venue-day key
constexpr int kVenueKeyWidth = 10; // place code and date YYYYMMDD
constexpr int kKai = 10;           // meeting number of the course in the year, 2
constexpr int kDay = 12;           // day within the meeting, 2
constexpr int kMainName = 14;      // main race name, 30
constexpr int kMainNameWidth = 30;
constexpr int kMainGrade = 44;     // class (grade) code of the main race, 1
constexpr int kMainConditions = 45;  // condition codes of the main race, 5
constexpr int kConditionsWidth = 5;

}  // namespace racelistrec

static_assert(sizeof(_tagRACELISTREC) == racelistrec::kSize, "race-list record size");

#endif  // YDBCLN_RACE_RACELISTREC_H_
