// Ordering the race days of YBet's list.
#include "ydbcln/money/YBetDate.h"

#include "ydbcln/race/YMainraceList.h"

int YBetDate::getdate() const { return day != nullptr ? day->getdate() : 0; }

bool YBetDate::operator<(const YBetDate& other) const {
  if (kind != other.kind) return kind < other.kind;
  return getdate() < other.getdate();
}

bool YBetDate::operator==(const YBetDate& other) const {
  return kind == other.kind && getdate() == other.getdate();
}
