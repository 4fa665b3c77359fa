// A runner's past run read from its 94-byte past-run record.
#include "ydbcln/theory/YTheoryHorseRaceHorse.h"

#include <cstring>

namespace {

using pastrunrec::number;

// The class field: digits, or a minus sign and digits for the win classes.
int class_field(const unsigned char* p) {
  const int v = number(p + 1, 4);
  return p[0] == '-' ? -v : number(p, 5);
}

}  // namespace

std::int8_t YTheoryHorseRaceHorse::classof(const unsigned char* r) {
  const unsigned char grade = r[pastrunrec::kGrade];
  if (grade >= '0' && grade <= '2') return static_cast<std::int8_t>(grade - '0' + 1);
  if (grade != ' ') return 4;
  switch (class_field(r + pastrunrec::kConditions)) {
    case 4: return 4;
    case 15000: case 16000: case -16: return 5;
    case 9000: case 10000: case -10: return 6;
    case 4000: case 5000: case -5: return 7;
    default: return 0;
  }
}

YTheoryHorseRaceHorse::YTheoryHorseRaceHorse(const unsigned char* r) : YTheoryRaceRow(r) {
  using namespace pastrunrec;
  const unsigned char* t = r + kTime;
  time = static_cast<std::int16_t>(number(t, 1) * 600 + number(t + 1, 3));
  first3f = static_cast<std::int16_t>(number(r + kFirst3f, 3));
  last3f = static_cast<std::int16_t>(number(r + kLast3f, 3));
  const int m = number(r + kMargin, 3);
  margin = static_cast<std::int16_t>(number(r + kArrivalOrder, 2) == 1 || m == 998 ? 0 : m);
  weight = static_cast<std::int16_t>(number(r + kWeightCarried, 3));
  popularity = static_cast<std::int8_t>(number(r + kPopularity, 2));
  odds = number(r + kWinOdds, 5);
  index = static_cast<std::int8_t>(number(r + kIndex, 3));
  klass = classof(r);
  if (r[kJockeyCode] != ' ') std::memcpy(jockey, r + kJockeyCode, kJockeyCodeWidth);
}
