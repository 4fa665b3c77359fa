// The sire record (SIREREC): the sire's names, birth and death, its own
// parents, aptitude and skills, and its offspring's finishing counts; and
// the code-and-name record of a dam-sire (UMADIMSIRE).
#ifndef YDBCLN_ENTITY_SIREREC_H_
#define YDBCLN_ENTITY_SIREREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_SIREREC_FIELDS(X) \
  X(kSize, 196)                 \
  X(kCode, 0)                   \
  X(kCodeWidth, 7)              \
  X(kName, 7)                   \
  X(kNameWidth, 34)             \
  X(kBirthYear, 41)             \
  X(kBirthYearWidth, 4)         \
  X(kColor, 45)                 \
  X(kBirthplace, 47)            \
  X(kSireName, 58)              \
  X(kDamName, 99)               \
  X(kDistanceAptitude, 133)     \
  X(kSkillOmo, 134)             \
  X(kSkillDirt, 135)            \
  X(kDeathYear, 136)             \
  X(kOffspringCounts, 140)      \
  X(kOffspringCountsWidth, 4)   \
  X(kOffspringCountsCount, 12)

#define YDBCLN_UMADIMSIRE_FIELDS(X) \
  X(kSize, 41)                     \
  X(kCode, 0)                      \
  X(kName, 7)                      \
  X(kNameWidth, 34)

namespace sirerec {
YDBCLN_SIREREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace sirerec

namespace umadimsire {
YDBCLN_UMADIMSIRE_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace umadimsire

struct _tagSIREREC {
  unsigned char bytes[196];
};
struct _tagUMADIMSIRE {
  unsigned char bytes[41];
};
static_assert(sizeof(_tagSIREREC) == sirerec::kSize, "sire record size");
static_assert(sizeof(_tagUMADIMSIRE) == umadimsire::kSize, "dam-sire record size");

#endif  // YDBCLN_ENTITY_SIREREC_H_
