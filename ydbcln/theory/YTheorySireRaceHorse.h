// YTheorySireRaceHorse: one run of an offspring of a runner's sire, as the
// sire factors of the theory engine read it: the race's fields, the
// position and the race's grade.
#ifndef YDBCLN_THEORY_YTHEORYSIRERACEHORSE_H_
#define YDBCLN_THEORY_YTHEORYSIRERACEHORSE_H_

#include <cstdint>

#include "ydbcln/theory/YTheoryRaceRow.h"

class YTheorySireRaceHorse : public YTheoryRaceRow {
 public:
  YTheorySireRaceHorse() = default;
  // The run in the 94-byte past-run record at `r`.
  explicit YTheorySireRaceHorse(const unsigned char* r);

  // 1 to 3 for the graded races (G1, G2, G3), 4 for open races, 0 for
  // every other class.
  std::int8_t grade = 0;
};

#endif  // YDBCLN_THEORY_YTHEORYSIRERACEHORSE_H_
