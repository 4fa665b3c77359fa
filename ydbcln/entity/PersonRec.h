// The jockey (JOCKEYREC) and trainer (STABLEREC) records: code, names,
// birth and licence, affiliation, then four groups of four finishing counts
// (career flat rh and jump rs; the year's hh and hs), the year's prize money
// and the year those belong to.
#ifndef YDBCLN_ENTITY_PERSONREC_H_
#define YDBCLN_ENTITY_PERSONREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). The second prize
// figures (hhrplize2, hsrplize2) follow the first ones directly, 6 digits.
#define YDBCLN_JOCKEYREC_FIELDS(X) \
  X(kSize, 257)                   \
  X(kCode, 0)                     \
  X(kCodeWidth, 5)                \
  X(kName, 5)                     \
  X(kNameWidth, 32)               \
  X(kKana, 37)                    \
  X(kKanaWidth, 48)               \
  X(kBirthDate, 93)               \
  X(kBirthDateWidth, 8)           \
  X(kFirstYear, 101)              \
  X(kFirstYearWidth, 4)           \
  X(kAffiliation, 105)            \
  X(kQualification, 108)          \
  X(kApprentice, 109)             \
  X(kStableCode, 110)             \
  X(kStableName, 115)             \
  X(kStableNameWidth, 32)         \
  X(kStableShort, 147)            \
  X(kStableShortWidth, 8)         \
  X(kStableLocation, 155)         \
  X(kStableAffiliation, 157)      \
  X(kRhCounts, 159)               \
  X(kRhCountsWidth, 5)            \
  X(kRsCounts, 179)               \
  X(kHhrplize, 199)               \
  X(kHhrplizeWidth, 7)            \
  X(kHsrplize, 212)               \
  X(kHhCounts, 225)               \
  X(kHhCountsWidth, 3)            \
  X(kHsCounts, 237)               \
  X(kYear, 249)                   \
  X(kYearWidth, 4)

#define YDBCLN_STABLEREC_FIELDS(X) \
  X(kSize, 208)                   \
  X(kCode, 0)                     \
  X(kFirstYear, 101)              \
  X(kLocation, 106)               \
  X(kAffiliation, 108)            \
  X(kRhCounts, 110)               \
  X(kRsCounts, 130)               \
  X(kHhrplize, 150)               \
  X(kHsrplize, 163)               \
  X(kHhCounts, 176)               \
  X(kHsCounts, 188)               \
  X(kYear, 200)

namespace jockeyrec {
YDBCLN_JOCKEYREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace jockeyrec

namespace stablerec {
YDBCLN_STABLEREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace stablerec

struct _tagJOCKEYREC {
  unsigned char bytes[257];
};
struct _tagSTABLEREC {
  unsigned char bytes[208];
};
static_assert(sizeof(_tagJOCKEYREC) == jockeyrec::kSize, "jockey record size");
static_assert(sizeof(_tagSTABLEREC) == stablerec::kSize, "stable record size");

#endif  // YDBCLN_ENTITY_PERSONREC_H_
