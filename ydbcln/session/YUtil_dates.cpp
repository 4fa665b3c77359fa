// YUtil: today's date, dates as display text, and day and month arithmetic
// on YYYYMMDD dates.
#include "ydbcln/session/YUtil.h"

#include <string>

#include "db/api/ydbbsn.h"
#include "db/base/Date.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

int make_date(int year, int month, int day) { return year * 10000 + month * 100 + day; }

}  // namespace

// The component's switch: the clock, or the day a test or the command line
// fixed.
int YUtil::gettoday() { return get_today(); }

int YUtil::getcurrentyear() { return gettoday() / 10000; }

std::string YUtil::getdate(unsigned char* p) {
  static const auto kWords = yutil::sjis_table({"年", "月", "日"});
  if (p == nullptr) return std::string();
  const auto two_digits = [](const unsigned char* field) {
    std::string text(reinterpret_cast<const char*>(field), 2);
    if (text[0] == '0') text[0] = ' ';
    return text;
  };
  return std::string(reinterpret_cast<const char*>(p), 4) + kWords[0] + two_digits(p + 4) +
         kWords[1] + two_digits(p + 6) + kWords[2];
}

std::string YUtil::getdate(int d) {
  if (d < 10000000 || d > 99999999) return std::string();
  std::string digits = std::to_string(d);
  return getdate(reinterpret_cast<unsigned char*>(digits.data()));
}

int YUtil::J_day(int d) {
  const int y = d / 10000;
  const int m = d / 100 % 100;
  const int day = d % 100;
  const int a = (m - 14) / 12;  // -1 for January and February, else 0
  return 1461 * (y + 4800 + a) / 4 + 367 * (m - 2 - 12 * a) / 12 -
         3 * ((y + 4900 + a) / 100) / 4 + day - 32075;
}

int YUtil::getdiffday(int a, int b) { return J_day(a) - J_day(b); }

int YUtil::before1day(int d) {
  const int year = d / 10000;
  const int month = d / 100 % 100;
  const int day = d % 100;
  // Within a month, and for dates whose month is not 1 to 12, the number
  // just steps down by one.
  if (day > 1 || month < 1 || month > 12) return d - 1;
  if (month == 1) return make_date(year - 1, 12, 31);
  return make_date(year, month - 1, ydb::DaysInMonth(year, month - 1));
}

int YUtil::beforemonth(int d, int n) {
  const int day = d % 100;
  // Months counted from January of year 0, floored so that a count before
  // it still splits into a year and a month of 1 to 12.
  const int months = d / 10000 * 12 + (d / 100 % 100 - 1) - n;
  int year = months >= 0 ? months / 12 : -((-months + 11) / 12);
  int month = months - year * 12 + 1;
  if (day <= ydb::DaysInMonth(year, month)) return make_date(year, month, day);
  // The day does not exist in that month: the first of the month after.
  if (++month > 12) {
    month = 1;
    ++year;
  }
  return make_date(year, month, 1);
}
