// The horse record (YDBUMAREC): a horse's names, birth and marks, parents
// and dam's parents, owner, breeder and trainer, prize money, aptitudes and
// skills, and six groups of four finishing counts that are always summed.
#ifndef YDBCLN_ENTITY_HORSEREC_H_
#define YDBCLN_ENTITY_HORSEREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_YDBUMAREC_FIELDS(X)                    \
  X(kSize, 593)                                      \
  X(kCode, 0)                                        \
  X(kCodeWidth, 7)                                   \
  X(kName, 7)                                        \
  X(kNameWidth, 30)                                  \
  X(kBirthDate, 77)                                  \
  X(kColor, 85)                                      \
  X(kBreed, 87)                                      \
  X(kBirthplace, 89)                                 \
  X(kMark, 92)                                       \
  X(kSex, 94)                                        \
  X(kAge, 95)                                        \
  X(kSireCode, 97)                                   \
  X(kSireName, 104)                                  \
  X(kSireNameWidth, 34)                              \
  X(kDamCode, 138)                                   \
  X(kDamName, 145)                                   \
  X(kDamsSireName, 186)                              \
  X(kDamsDamName, 227)                               \
  X(kOwner, 261)                                     \
  X(kOwnerWidth, 40)                                 \
  X(kOwnerShort, 301)                                \
  X(kOwnerShortWidth, 20)                            \
  X(kBreeder, 321)                                   \
  X(kBreederShort, 361)                              \
  X(kTrainerCode, 381)                               \
  X(kTrainerCodeWidth, 5)                            \
  X(kTrainerName, 386)                               \
  X(kTrainerNameWidth, 32)                           \
  X(kTrainerShort, 418)                              \
  X(kTrainerShortWidth, 8)                           \
  X(kStableLocation, 426)                            \
  X(kStableAffiliation, 428)                         \
  X(kRplize, 462)                                    \
  X(kRplizeWidth, 10)                                \
  X(kAplize, 472)                                    \
  X(kSrplize, 482)                                   \
  X(kSaplize, 492)                                   \
  X(kAddplize, 502)                                  \
  X(kDistanceAptitude, 512)                          \
  X(kSkillHo, 513)                                   \
  X(kSkillHd, 514)                                   \
  X(kSkillSo, 515)                                   \
  X(kSkillSd, 516)                                   \
  X(kFinishCounts, 537)                              \
  X(kFinishCountsWidth, 2)                           \
  X(kFinishCountsCount, 24)

namespace ydbumarec {
YDBCLN_YDBUMAREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace ydbumarec

struct _tagYDBUMAREC {
  unsigned char bytes[593];
};
static_assert(sizeof(_tagYDBUMAREC) == ydbumarec::kSize, "horse record size");

#endif  // YDBCLN_ENTITY_HORSEREC_H_
