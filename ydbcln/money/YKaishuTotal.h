// YKaishuTotal: what betting a theory on a list of races came to. The
// optimiser totals each individual's bets in one, the return analysis each
// of its rows.
#ifndef YDBCLN_MONEY_YKAISHUTOTAL_H_
#define YDBCLN_MONEY_YKAISHUTOTAL_H_

struct YKaishuTotal {
  int races = 0;     // races counted
  int hitraces = 0;  // races with at least one hit
  int staked = 0;    // yen
  int returned = 0;  // yen
  int largest = 0;   // largest single payout, yen
};

#endif  // YDBCLN_MONEY_YKAISHUTOTAL_H_
