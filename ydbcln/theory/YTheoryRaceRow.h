// YTheoryRaceRow: what every past-run row of the theory engine knows about
// the race it comes from: the racecourse, date, meeting, surface, distance,
// field size, going, the horse's number and its finishing position.
//
// The four kinds of row (a horse's own runs, a jockey's rides, a trainer's
// runners, a sire's offspring's runs) add what their factors read. Rows are
// read from the 94-byte past-run records of the database library; numbers
// in the record are ASCII digits, a blank counting as 0.
#ifndef YDBCLN_THEORY_YTHEORYRACEROW_H_
#define YDBCLN_THEORY_YTHEORYRACEROW_H_

#include <cstdint>

#include "ydbcln/theory/PastRunRec.h"

namespace pastrunrec {

// The unsigned decimal of the n bytes at p; a blank or any other byte
// counts as a 0 digit.
inline int number(const unsigned char* p, int n) {
  int v = 0;
  for (int i = 0; i < n; ++i) v = v * 10 + (p[i] >= '0' && p[i] <= '9' ? p[i] - '0' : 0);
  return v;
}

}  // namespace pastrunrec

class YTheoryRaceRow {
 public:
  YTheoryRaceRow() = default;
  // The race's fields of the 94-byte record at `r`.
  explicit YTheoryRaceRow(const unsigned char* r);
  virtual ~YTheoryRaceRow() = default;

  std::int16_t racecourse = 0;
  std::int32_t date = 0;      // YYYYMMDD
  std::int32_t meeting = 0;   // kai
  char surface = 0;           // the track code character, '2' for a jump race
  std::int16_t distance = 0;  // metres
  std::int8_t runners = 0;    // field size of that race
  std::int8_t going = 0;      // going digit
  std::int8_t horseno = 0;    // the horse's number in that race
  std::int8_t position = 0;   // finishing position; 0 not placed

  // The month of the row's date, 1 to 12.
  int month() const { return date / 100 % 100; }
};

inline YTheoryRaceRow::YTheoryRaceRow(const unsigned char* r)
    : racecourse(static_cast<std::int16_t>(pastrunrec::number(r + pastrunrec::kPlaceCode, 2))),
      date(pastrunrec::number(r + pastrunrec::kDate, 8)),
      meeting(pastrunrec::number(r + pastrunrec::kKai, 2)),
      surface(static_cast<char>(r[pastrunrec::kJump] == '1' ? '2' : r[pastrunrec::kTrack])),
      distance(static_cast<std::int16_t>(pastrunrec::number(r + pastrunrec::kDistance, 4))),
      runners(static_cast<std::int8_t>(pastrunrec::number(r + pastrunrec::kRunnerCount, 2))),
      going(static_cast<std::int8_t>(pastrunrec::number(r + pastrunrec::kGoing, 1))),
      horseno(static_cast<std::int8_t>(pastrunrec::number(r + pastrunrec::kRunHorseNumber, 2))),
      position(static_cast<std::int8_t>(pastrunrec::number(r + pastrunrec::kFinishingOrder, 2))) {}

#endif  // YDBCLN_THEORY_YTHEORYRACEROW_H_
