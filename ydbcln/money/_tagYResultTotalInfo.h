// _tagYResultTotalInfo: one entry of the result totals' category table
// (YResultTotal::totalinfo): the category's name and column title (written
// in UTF-8 here; YResultTotal::getcategoryname gives them in Shift_JIS),
// the operation that totals it, and whether its rows are entities met
// among the runs (horses, people, distances, courses) rather than fixed
// bands.
#ifndef YDBCLN_MONEY_TAGYRESULTTOTALINFO_H_
#define YDBCLN_MONEY_TAGYRESULTTOTALINFO_H_

class YResultTotal;

struct _tagYResultTotalInfo {
  const char* name;
  const char* title;
  int (YResultTotal::*total)();
  bool countfilter;
};

#endif  // YDBCLN_MONEY_TAGYRESULTTOTALINFO_H_
