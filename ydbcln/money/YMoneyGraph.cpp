// Ordering the points of a balance series.
#include "ydbcln/money/YMoneyGraph.h"

#include <tuple>

bool YMoneyGraph::operator<(const YMoneyGraph& other) const {
  return std::tie(key, value, total) < std::tie(other.key, other.value, other.total);
}

bool YMoneyGraph::operator==(const YMoneyGraph& other) const {
  return key == other.key && value == other.value && total == other.total;
}
