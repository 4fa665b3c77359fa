// YMoneyGraph: one point of a balance series of YMoney: a day (key
// YYYYMMDD) or a month (key month × 100), the balance of that day or month
// and the running balance up to and including it, in tens of yen.
#ifndef YDBCLN_MONEY_YMONEYGRAPH_H_
#define YDBCLN_MONEY_YMONEYGRAPH_H_

class YMoneyGraph {
 public:
  YMoneyGraph() = default;
  YMoneyGraph(int point_key, double point_value) : key(point_key), value(point_value) {}

  // By key, then value, then running total; equal in all three.
  bool operator<(const YMoneyGraph& other) const;
  bool operator==(const YMoneyGraph& other) const;
  bool operator!=(const YMoneyGraph& other) const { return !(*this == other); }

  int key = 0;
  double value = 0;
  double total = 0;
};

#endif  // YDBCLN_MONEY_YMONEYGRAPH_H_
