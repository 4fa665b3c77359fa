// YDayDenma: one race day's race-card rows, one list per venue.
//
//   YMainraceList day(&db, 20240106, 0);   // the day's venues with cards
//   YDayDenma cards(&db, &day);
//   cards.list(0, 10)->getname();          // race 11 of the first venue
//
// A database failure leaves status 1002 and no rows at all.
#ifndef YDBCLN_RACE_YDAYDENMA_H_
#define YDBCLN_RACE_YDAYDENMA_H_

#include "ydbcln/race/YDayRace.h"

class YHorseDB;
class YMainraceList;

class YDayDenma : public YDayRace {
 public:
  YDayDenma(YHorseDB* db, YMainraceList* day);

 protected:
  // Fills each venue's list with the race-card rows of its races, in race
  // order.
  virtual void setracelist();
};

#endif  // YDBCLN_RACE_YDAYDENMA_H_
