// The popularity record: one entry of a pool in order of popularity,
// favourite first, as make_sorted_odds returns them.
#ifndef YDBCLN_RACE_SORTEDODDSREC_H_
#define YDBCLN_RACE_SORTEDODDSREC_H_

namespace sortedoddsrec {

constexpr int kSize = 11;
constexpr int kWinHorse = 0;    // win: the horse number, read as one 4-digit number
constexpr int kWinHorseWidth = 4;
constexpr int kFirst = 0;       // bracket quinella and quinella: first number, 2
constexpr int kSecond = 2;      // second number, 2
constexpr int kNumberWidth = 2;
constexpr int kOdds = 4;        // tenths, 7; a first byte that is not a digit is no value
constexpr int kOddsWidth = 7;

}  // namespace sortedoddsrec

#endif  // YDBCLN_RACE_SORTEDODDSREC_H_
