// YTheoryStableRaceHorse: one run of a horse of a runner's trainer, as the
// trainer factors of the theory engine read it: the race's fields and the
// position.
#ifndef YDBCLN_THEORY_YTHEORYSTABLERACEHORSE_H_
#define YDBCLN_THEORY_YTHEORYSTABLERACEHORSE_H_

#include "ydbcln/theory/YTheoryRaceRow.h"

class YTheoryStableRaceHorse : public YTheoryRaceRow {
 public:
  YTheoryStableRaceHorse() = default;
  // The run in the 94-byte past-run record at `r`.
  explicit YTheoryStableRaceHorse(const unsigned char* r) : YTheoryRaceRow(r) {}
};

#endif  // YDBCLN_THEORY_YTHEORYSTABLERACEHORSE_H_
