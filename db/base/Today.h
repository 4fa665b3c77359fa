// Today's date as the component and the library see it: the local clock,
// unless a fixed day has been set. One switch serves both, so that the
// current year of the people's records and the ages the library shows
// agree; tests fix it, and the command line's --today sets it.
#ifndef YDB_BASE_TODAY_H_
#define YDB_BASE_TODAY_H_

namespace ydb {

// Today as YYYYMMDD: the fixed day when one is set, else the local clock's
// date (0 if the clock cannot be read).
int Today();

// Fixes today at `date` (a calendar date, IsCalendarDate) and returns
// true; 0 returns to the clock and returns true; anything else is refused
// (false) and leaves the switch as it was. Safe to call from any thread.
bool SetToday(int date);

}  // namespace ydb

#endif  // YDB_BASE_TODAY_H_
