// YTheoryHorseRaceHorse: one of a runner's own past runs, as the horse
// factors of the theory engine read it: times, margin, weight carried,
// popularity, odds, index, class and jockey besides the race's fields.
#ifndef YDBCLN_THEORY_YTHEORYHORSERACEHORSE_H_
#define YDBCLN_THEORY_YTHEORYHORSERACEHORSE_H_

#include <cstdint>

#include "ydbcln/theory/YTheoryRaceRow.h"

class YTheoryHorseRaceHorse : public YTheoryRaceRow {
 public:
  YTheoryHorseRaceHorse() = default;
  // The run in the 94-byte past-run record at `r`.
  explicit YTheoryHorseRaceHorse(const unsigned char* r);

  // The class of a race for the class points: 1 to 3 for the graded races
  // (G1, G2, G3), 4 open and listed, 5 to 7 the 3-win, 2-win and 1-win
  // classes (1600万下, 1000万下, 500万下 before them), 0 for the rest.
  static std::int8_t classof(const unsigned char* r);

  std::int16_t time = 0;       // tenths of a second
  std::int16_t first3f = 0;    // tenths of a second
  std::int16_t last3f = 0;     // tenths of a second
  std::int16_t margin = 0;     // tenths of a second behind the winner; 0 for the winner
  std::int16_t weight = 0;     // weight carried, tenths of a kilogram
  std::int8_t popularity = 0;  // betting rank
  std::int32_t odds = 0;       // win odds x 10
  std::int8_t index = 0;       // record index of the run
  std::int8_t klass = 0;       // see classof
  char jockey[5] = {0, 0, 0, 0, 0};  // zeroed when the record has none
};

#endif  // YDBCLN_THEORY_YTHEORYHORSERACEHORSE_H_
