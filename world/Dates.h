// Calendar arithmetic on YYYYMMDD dates: a serial day number to count days
// between dates, the weekday, and stepping by days.
#ifndef YDB_WORLD_DATES_H_
#define YDB_WORLD_DATES_H_

namespace world {

enum Weekday { kSunday = 0, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday };

// Days since 1 January 1970 of a YYYYMMDD date (proleptic Gregorian).
int DayNumber(int date);

// The YYYYMMDD date of a day number.
int DateOf(int day_number);

inline int AddDays(int date, int days) { return DateOf(DayNumber(date) + days); }
inline int DaysBetween(int from, int to) { return DayNumber(to) - DayNumber(from); }

Weekday WeekdayOf(int date);

inline int YearOf(int date) { return date / 10000; }
inline int MonthOf(int date) { return date / 100 % 100; }
inline int DayOf(int date) { return date % 100; }
inline int MakeDate(int year, int month, int day) { return year * 10000 + month * 100 + day; }

// The n-th (1-based) given weekday of a month: NthWeekday(2024, 1, kMonday, 2)
// is the second Monday of January 2024.
int NthWeekday(int year, int month, Weekday weekday, int n);

}  // namespace world

#endif  // YDB_WORLD_DATES_H_
