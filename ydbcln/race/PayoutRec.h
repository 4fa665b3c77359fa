// The payout record of a run race (EXPRIZEREC), with every dead-heat entry.
// Each entry is a horse number, frame pair or horse pair followed by its
// payout in yen per 100 yen; an unused entry reads 0.
#ifndef YDBCLN_RACE_PAYOUTREC_H_
#define YDBCLN_RACE_PAYOUTREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_EXPRIZEREC_FIELDS(X)   \
  X(kSize, 254)                      \
  X(kWinHorseNumber, 20)             \
  X(kWinHorseNumberWidth, 2)         \
  X(kWinHorseNumberStride, 8)        \
  X(kWinHorseNumberCount, 3)         \
  X(kWinPayoutWidth, 6)              \
  X(kPlaceHorseNumber, 44)           \
  X(kPlaceHorseNumberWidth, 2)       \
  X(kPlaceHorseNumberStride, 8)      \
  X(kPlaceHorseNumberCount, 5)       \
  X(kPlacePayoutWidth, 6)            \
  X(kBracketPair, 84)                \
  X(kBracketPairWidth, 2)            \
  X(kBracketPairStride, 10)          \
  X(kBracketPairCount, 3)            \
  X(kBracketPayoutWidth, 6)          \
  X(kQuinellaPair, 114)              \
  X(kQuinellaPairWidth, 4)           \
  X(kQuinellaPairStride, 14)         \
  X(kQuinellaPairCount, 3)           \
  X(kQuinellaPayoutWidth, 7)         \
  X(kWidePair, 156)                  \
  X(kWidePairWidth, 4)               \
  X(kWidePairStride, 14)             \
  X(kWidePairCount, 7)               \
  X(kWidePayoutWidth, 7)

namespace exprizerec {
YDBCLN_EXPRIZEREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace exprizerec

#endif  // YDBCLN_RACE_PAYOUTREC_H_
