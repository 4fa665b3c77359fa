// YTheoryJockeyRaceHorse: one ride of a runner's jockey, as the jockey
// factors of the theory engine read it: the race's fields and the trainer
// of the horse ridden.
#ifndef YDBCLN_THEORY_YTHEORYJOCKEYRACEHORSE_H_
#define YDBCLN_THEORY_YTHEORYJOCKEYRACEHORSE_H_

#include "ydbcln/theory/YTheoryRaceRow.h"

class YTheoryJockeyRaceHorse : public YTheoryRaceRow {
 public:
  YTheoryJockeyRaceHorse() = default;
  // The ride in the 94-byte past-run record at `r`.
  explicit YTheoryJockeyRaceHorse(const unsigned char* r);

  char trainer[5] = {0, 0, 0, 0, 0};  // zeroed when the record has none
};

#endif  // YDBCLN_THEORY_YTHEORYJOCKEYRACEHORSE_H_
