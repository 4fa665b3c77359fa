// Ordering and summing settled tickets.
#include "ydbcln/money/YMoneyRecord.h"

#include <cstring>
#include <tuple>

namespace {

int Rate(double x, double y) { return y > 0 ? static_cast<int>(x / y * 1000 + 0.5) : 0; }

// The race codes byte by byte, each byte taken as unsigned.
int CompareCodes(const std::string& a, const std::string& b) {
  const int common = std::memcmp(a.data(), b.data(), a.size() < b.size() ? a.size() : b.size());
  if (common != 0) return common;
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

bool YMoneyRecord::operator<(const YMoneyRecord& other) const {
  if (date != other.date) return date < other.date;
  const int codes = CompareCodes(racecode, other.racecode);
  if (codes != 0) return codes < 0;
  return std::tie(type, staked) < std::tie(other.type, other.staked);
}

bool YMoneyRecord::operator==(const YMoneyRecord& other) const {
  return date == other.date && racecode == other.racecode && type == other.type &&
         staked == other.staked;
}

void YMoneyRecord::add(const YMoneyRecord& other) {
  staked += other.staked;
  returned += other.returned;
  balance += other.balance;
  tickets += other.tickets;
  hits += other.hits;
  setrates();
}

void YMoneyRecord::setrates() {
  returnrate = Rate(returned, staked);
  hitrate = Rate(hits, tickets);
}
