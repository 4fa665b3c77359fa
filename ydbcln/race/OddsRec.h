// The odds record of one race: win, bracket-quinella and quinella odds in
// tenths. An odds field whose first byte is not a digit has no value; the
// byte says why: '*' (shown ☆), '-' (shown empty), '/' (a scratched horse).
#ifndef YDBCLN_RACE_ODDSREC_H_
#define YDBCLN_RACE_ODDSREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h). Horse n's win odds
// are occurrence n - 1; frame and horse pairs are numbered as below.
#define YDBCLN_ODDSREC_FIELDS(X)                                  \
  X(kSize, 1462)                                                  \
  X(kKind, 104) /* '0' forecast odds, '1' advance-sale odds */    \
  X(kAnnounced, 105) /* HHMM */                                   \
  X(kWinOdds, 113)                                                \
  X(kWinOddsWidth, 5)                                             \
  X(kWinOddsCount, 18)                                            \
  X(kBracketOdds, 203)                                            \
  X(kBracketOddsWidth, 5)                                         \
  X(kQuinellaOdds, 383)                                           \
  X(kQuinellaOddsWidth, 7)

namespace oddsrec {
YDBCLN_ODDSREC_FIELDS(YDBCLN_RECORD_CONSTANT)

constexpr int kFrames = 8;
// Frame pairs 1 <= a <= b <= 8 in lexical order: (1,1) is 0, (8,8) is 35.
constexpr int bracket_index(int a, int b) { return b - (10 - a) * (9 - a) / 2 - a + 36; }
// Horse pairs 1 <= a < b <= 18 in lexical order: (1,2) is 0, (17,18) is 152.
constexpr int quinella_index(int a, int b) { return b - (19 - a) * (18 - a) / 2 - a + 152; }
}  // namespace oddsrec

#endif  // YDBCLN_RACE_ODDSREC_H_
