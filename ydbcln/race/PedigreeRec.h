// The pedigree record of one horse (PEDREC): its sire and dam with two
// names, a four-character text (the year of birth) and a coat colour each,
// then the twelve further ancestors with one name each, sire's side first in
// every generation: the sire's sire, sire's dam, dam's sire, dam's dam, then
// their sires and dams in the same order. An origin flag '1' is a horse
// foaled in Japan; anything else marks an imported one.
#ifndef YDBCLN_RACE_PEDIGREEREC_H_
#define YDBCLN_RACE_PEDIGREEREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). The sire is
// occurrence 0 of the parent fields, the dam occurrence 1.
#define YDBCLN_PEDREC_FIELDS(X)                               \
  X(kSize, 709)                                              \
  X(kHorseName, 7)                                           \
  X(kHorseNameWidth, 30)                                     \
  X(kParentOrigin, 37) /* origin flag */                     \
  X(kParentOriginStride, 84)                                 \
  X(kParentOriginCount, 2)                                   \
  X(kParentName, 45) /* katakana */                          \
  X(kParentNameWidth, 34)                                    \
  X(kParentLatinName, 79)                                    \
  X(kParentLatinNameWidth, 34)                               \
  X(kParentBirthYear, 113) /* copied as it is */             \
  X(kParentBirthYearWidth, 4)                                \
  X(kParentColor, 117) /* coat-colour code, 2 digits */      \
  X(kAncestorOrigin, 205) /* origin flag */                  \
  X(kAncestorOriginStride, 42)                               \
  X(kAncestorOriginCount, 12)                                \
  X(kAncestorName, 213)                                      \
  X(kAncestorNameWidth, 34)

namespace pedrec {
YDBCLN_PEDREC_FIELDS(YDBCLN_RECORD_CONSTANT)

constexpr unsigned char kFoaledInJapan = '1';  // the origin flag's value
}  // namespace pedrec

#endif  // YDBCLN_RACE_PEDIGREEREC_H_
