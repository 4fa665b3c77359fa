// An offspring's run read from its 94-byte past-run record.
#include "ydbcln/theory/YTheorySireRaceHorse.h"

YTheorySireRaceHorse::YTheorySireRaceHorse(const unsigned char* r) : YTheoryRaceRow(r) {
  using namespace pastrunrec;
  const unsigned char g = r[kGrade];
  if (g >= '0' && g <= '2') {
    grade = static_cast<std::int8_t>(g - '0' + 1);
  } else if (g == ' ') {
    grade = static_cast<std::int8_t>(r[kConditions] != '-' && number(r + kConditions, 5) == 4 ? 4 : 0);
  } else {
    grade = 4;
  }
}
