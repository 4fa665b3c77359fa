// The ticket record: one bought ticket as the database keeps it, 29 ASCII
// digits. The race date, the race code, the bet-type digit ('0' win, '1'
// place, '2' bracket quinella, '3' quinella, '4' wide: the type number 1
// to 5 plus the character code of '/'), the two numbers (the second "00"
// for win and place) and the count of 100-yen tickets.
#ifndef YDBCLN_MONEY__TAGBUYTICKETREC_H_
#define YDBCLN_MONEY__TAGBUYTICKETREC_H_

#include "ydbcln/race/RecordConstants.h"

#define YDBCLN_BUYTICKETREC_FIELDS(X) \
  X(kSize, 29)                        \
  X(kRaceDate, 0) /* YYYYMMDD */      \
  X(kRaceDateWidth, 8)                \
  X(kRaceCode, 8)                     \
  X(kRaceCodeWidth, 12)               \
  X(kBetType, 20)                     \
  X(kFirstNumber, 21)                 \
  X(kFirstNumberWidth, 2)             \
  X(kSecondNumber, 23)                \
  X(kSecondNumberWidth, 2)            \
  X(kCount, 25)                       \
  X(kCountWidth, 4)

struct _tagBUYTICKETREC {
  unsigned char bytes[29];
};

namespace buyticketrec {
YDBCLN_BUYTICKETREC_FIELDS(YDBCLN_RECORD_CONSTANT)

// The bet-type digit is the type number plus the code of this character.
constexpr char kTypeDigitBase = '/';
}  // namespace buyticketrec

static_assert(sizeof(_tagBUYTICKETREC) == buyticketrec::kSize, "ticket record size");

#endif  // YDBCLN_MONEY__TAGBUYTICKETREC_H_
