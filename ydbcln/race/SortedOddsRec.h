// The popularity record: one entry of a pool in order of popularity,
// favourite first, as make_sorted_odds returns them.
#ifndef YDBCLN_RACE_SORTEDODDSREC_H_
#define YDBCLN_RACE_SORTEDODDSREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). A win entry reads
// its horse number as one 4-digit number; bracket quinella and quinella
// entries read two 2-digit numbers in the same bytes.
#define YDBCLN_SORTEDODDSREC_FIELDS(X)                                        \
  X(kSize, 11)                                                                \
  X(kWinHorseNumber, 0)                                                       \
  X(kWinHorseNumberWidth, 4)                                                  \
  X(kFirstNumber, 0)                                                          \
  X(kFirstNumberWidth, 2)                                                     \
  X(kSecondNumber, 2)                                                         \
  X(kSecondNumberWidth, 2)                                                    \
  X(kOdds, 4) /* tenths; a first byte that is not a digit is no value */     \
  X(kOddsWidth, 7)

namespace sortedoddsrec {
YDBCLN_SORTEDODDSREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace sortedoddsrec

#endif  // YDBCLN_RACE_SORTEDODDSREC_H_
