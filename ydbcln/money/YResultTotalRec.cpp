// YResultTotalRec: counting runs into a row and its rates.
#include "ydbcln/money/YResultTotalRec.h"

#include <utility>

YResultTotalRec::YResultTotalRec(std::string rowname, std::string rowkey)
    : name(std::move(rowname)), key(std::move(rowkey)) {}

YResultTotalRec::~YResultTotalRec() = default;

void YResultTotalRec::add(int finish, int odds) {
  switch (finish) {
    case 1: ++first; winodds += odds; break;
    case 2: ++second; break;
    case 3: ++third; break;
    default: ++unplaced; break;
  }
}

int YResultTotalRec::ratio(long long x, int runs) {
  return runs == 0 ? 0 : static_cast<int>((x * 10000 / runs + 5) / 10);
}

void YResultTotalRec::setratio() {
  runs = first + second + third + unplaced;
  winrate = ratio(first, runs);
  renrate = ratio(first + second, runs);
  fukurate = ratio(first + second + third, runs);
  // 100 yen at odds o (tenths) returns 10·o yen: per 100 yen, o / 10.
  returnrate = ratio(winodds, runs * 10);
}
