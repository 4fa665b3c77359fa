// Ordering bought tickets: win and place tickets differ by their one number.
#include "ydbcln/money/YBetRec.h"

#include <tuple>

bool YBetRec::operator<(const YBetRec& other) const {
  const int mine = ispair() ? second : 0;
  const int theirs = other.ispair() ? other.second : 0;
  return std::tie(type, first, mine, count) <
         std::tie(other.type, other.first, theirs, other.count);
}

bool YBetRec::operator==(const YBetRec& other) const {
  return type == other.type && first == other.first && second == other.second &&
         count == other.count;
}
