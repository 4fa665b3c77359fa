// YResultTotalRec: one row of a result total: its name and key, the
// firsts, seconds, thirds and unplaced runs, the runs, and the win,
// top-two and top-three rates with the row's win return rate, each in
// tenths of a percent (333 is 33.3 %).
//
// The win return rate is what 100 yen on every counted run of the row at
// its final win odds would have returned, per 100 yen staked.
#ifndef YDBCLN_MONEY_YRESULTTOTALREC_H_
#define YDBCLN_MONEY_YRESULTTOTALREC_H_

#include <string>

class YResultTotalRec {
 public:
  YResultTotalRec() = default;
  YResultTotalRec(std::string rowname, std::string rowkey);
  YResultTotalRec(const YResultTotalRec&) = default;
  YResultTotalRec& operator=(const YResultTotalRec&) = default;
  virtual ~YResultTotalRec();

  // Counts one run by its finishing position (1, 2, 3; anything else
  // unplaced) and its win odds in tenths.
  void add(int finish, int odds);
  // Sets the runs and the four rates from the counts (all 0 without runs).
  void setratio();

  // x out of runs in tenths of a percent, rounded half up at the tenth, in
  // integers: (x * 10000 / runs + 5) / 10; 0 without runs.
  static int ratio(long long x, int runs);

  std::string name;
  int first = 0;
  int second = 0;
  int third = 0;
  int unplaced = 0;
  int runs = 0;
  int winrate = 0;
  int renrate = 0;   // top two
  int fukurate = 0;  // top three
  int returnrate = 0;  // win return
  std::string key;
  long long winodds = 0;  // the sum of the winners' odds, tenths
};

#endif  // YDBCLN_MONEY_YRESULTTOTALREC_H_
