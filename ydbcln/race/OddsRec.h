// The odds record of one race: win, bracket-quinella and quinella odds in
// tenths. An odds field whose first byte is not a digit has no value; the
// byte says why: '*' (shown ☆), '-' (shown empty), '/' (a scratched horse).
#ifndef YDBCLN_RACE_ODDSREC_H_
#define YDBCLN_RACE_ODDSREC_H_

namespace oddsrec {

constexpr int kSize = 1462;
constexpr int kKind = 104;       // '0' forecast odds, '1' advance-sale odds
constexpr int kAnnounced = 105;  // HHMM
constexpr int kWin = 113;        // horse n at kWin + 5 (n - 1), n = 1 to 18
constexpr int kWinHorses = 18;
constexpr int kBracket = 203;    // frame pair k at kBracket + 5 k, k = 0 to 35
constexpr int kQuinella = 383;   // horse pair k at kQuinella + 7 k, k = 0 to 152
constexpr int kShortWidth = 5;   // win and bracket quinella
constexpr int kLongWidth = 7;    // quinella

constexpr int kFrames = 8;

// Frame pairs 1 <= a <= b <= 8 in lexical order: (1,1) is 0, (8,8) is 35.
constexpr int bracket_index(int a, int b) { return b - (10 - a) * (9 - a) / 2 - a + 36; }

// Horse pairs 1 <= a < b <= 18 in lexical order: (1,2) is 0, (17,18) is 152.
constexpr int quinella_index(int a, int b) { return b - (19 - a) * (18 - a) / 2 - a + 152; }

}  // namespace oddsrec

#endif  // YDBCLN_RACE_ODDSREC_H_
