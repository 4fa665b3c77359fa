// YSearchSeiseki: the race days with results of the month holding a date
// (YSearchRace tells the rows and the failures).
#ifndef YDBCLN_SEARCH_YSEARCHSEISEKI_H_
#define YDBCLN_SEARCH_YSEARCHSEISEKI_H_

#include "ydbcln/search/YSearchRace.h"

class YSearchSeiseki : public YSearchRace {
 public:
  explicit YSearchSeiseki(YHorseDB* db);
  ~YSearchSeiseki() override;

 protected:
  void* searchrace(int date) override;
};

#endif  // YDBCLN_SEARCH_YSEARCHSEISEKI_H_
