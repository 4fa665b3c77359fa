// The calendar check.
#include "db/base/Date.h"

namespace ydb {

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsCalendarDate(int date) {
  const int year = date / 10000, month = date / 100 % 100, day = date % 100;
  if (year < kFirstYear || year > kLastYear) return false;
  return day >= 1 && day <= DaysInMonth(year, month);
}

}  // namespace ydb
