// The race days with results of a month.
#include "ydbcln/search/YSearchSeiseki.h"

#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

YSearchSeiseki::YSearchSeiseki(YHorseDB* db) : YSearchRace(db) {}

YSearchSeiseki::~YSearchSeiseki() = default;

void* YSearchSeiseki::searchrace(int date) {
  return get_racelist2date_ex(YUtil::getnumstr(date).c_str(), 0);
}
