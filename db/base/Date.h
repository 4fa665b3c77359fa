// Calendar dates as the component keeps them: YYYYMMDD integers. One check
// decides what a date is, for the writer, the fetch arguments, the
// importers and the library's date arithmetic alike.
#ifndef YDB_BASE_DATE_H_
#define YDB_BASE_DATE_H_

namespace ydb {

// The first and last years a date may fall in.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2099;

// Gregorian leap years: every fourth year, but not the centuries other
// than every fourth.
constexpr bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days in `month` (1 to 12) of `year`; 0 for a month out of range.
int DaysInMonth(int year, int month);

// True when `date` (YYYYMMDD) is a day of the calendar between
// kFirstYear and kLastYear: 20240229 yes, 20230229 and 20240100 no.
bool IsCalendarDate(int date);

}  // namespace ydb

#endif  // YDB_BASE_DATE_H_
