// The race days with race cards of a month.
#include "ydbcln/search/YSearchDenma.h"

#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

YSearchDenma::YSearchDenma(YHorseDB* db) : YSearchRace(db) {}

YSearchDenma::~YSearchDenma() = default;

void* YSearchDenma::searchrace(int date) {
  return get_denmalist2date_ex(YUtil::getnumstr(date).c_str(), 0);
}
