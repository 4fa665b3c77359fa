// Day numbers by the civil-from-days algorithm (Howard Hinnant's).
#include "world/Dates.h"

namespace world {

int DayNumber(int date) {
  int y = YearOf(date);
  const int m = MonthOf(date);
  const int d = DayOf(date);
  y -= m <= 2 ? 1 : 0;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DateOf(int day_number) {
  const int z = day_number + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp < 10 ? mp + 3 : mp - 9;
  const int y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return MakeDate(y, m, d);
}

Weekday WeekdayOf(int date) {
  const int n = DayNumber(date);  // day 0 was a Thursday
  return static_cast<Weekday>(((n % 7) + 7 + 4) % 7);
}

int NthWeekday(int year, int month, Weekday weekday, int n) {
  const int first = MakeDate(year, month, 1);
  const int shift = (static_cast<int>(weekday) - static_cast<int>(WeekdayOf(first)) + 7) % 7;
  return AddDays(first, shift + 7 * (n - 1));
}

}  // namespace world
