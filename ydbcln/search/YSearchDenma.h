// YSearchDenma: the race days with race cards of the month holding a date
// (YSearchRace tells the rows and the failures).
#ifndef YDBCLN_SEARCH_YSEARCHDENMA_H_
#define YDBCLN_SEARCH_YSEARCHDENMA_H_

#include "ydbcln/search/YSearchRace.h"

class YSearchDenma : public YSearchRace {
 public:
  explicit YSearchDenma(YHorseDB* db);
  ~YSearchDenma() override;

 protected:
  void* searchrace(int date) override;
};

#endif  // YDBCLN_SEARCH_YSEARCHDENMA_H_
