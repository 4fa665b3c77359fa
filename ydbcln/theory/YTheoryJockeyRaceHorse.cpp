// A jockey's ride read from its 94-byte past-run record.
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"

#include <cstring>

YTheoryJockeyRaceHorse::YTheoryJockeyRaceHorse(const unsigned char* r) : YTheoryRaceRow(r) {
  if (r[pastrunrec::kTrainerCode] != ' ') {
    std::memcpy(trainer, r + pastrunrec::kTrainerCode, pastrunrec::kTrainerCodeWidth);
  }
}
