// YDaySeiseki: one race day's result rows, one list per venue.
//
//   YMainraceList day(&db, 20240106, 1);   // the day's venues with results
//   YDaySeiseki results(&db, &day, false);
//   results.list(0, 10)->gettan();         // the win payout of race 11
//
// A database failure leaves status 1002 and no rows at all.
#ifndef YDBCLN_RACE_YDAYSEISEKI_H_
#define YDBCLN_RACE_YDAYSEISEKI_H_

#include "ydbcln/race/YDayRace.h"

class YHorseDB;
class YMainraceList;

class YDaySeiseki : public YDayRace {
 public:
  // With `shortkey` the venues' races are asked for by the bare venue key
  // (place and date), else by the venue key with race number 00; both give
  // the same rows.
  YDaySeiseki(YHorseDB* db, YMainraceList* day, bool shortkey);

  // Fill each venue's list with the result rows of its run races, in race
  // order.
  virtual void setracelist();
  virtual void setracelist_min();

 private:
  void fill(const char* suffix);
};

#endif  // YDBCLN_RACE_YDAYSEISEKI_H_
