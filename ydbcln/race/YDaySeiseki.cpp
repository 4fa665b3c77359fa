// A race day's result rows.
#include "ydbcln/race/YDaySeiseki.h"

#include <string>

#include "ydbcln/race/DayRows.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

YDaySeiseki::YDaySeiseki(YHorseDB* db, YMainraceList* day, bool shortkey) : YDayRace(db, day) {
  if (shortkey) {
    setracelist_min();
  } else {
    setracelist();
  }
}

void YDaySeiseki::setracelist() { fill("00"); }

void YDaySeiseki::setracelist_min() { fill(""); }

void YDaySeiseki::fill(const char* suffix) {
  deletevector();
  YHorseDB* db = getdb();
  if (db == nullptr) return;
  db->clearerror();
  if (!ysession::ready(db)) return;
  const int status = yrace::fill_day_rows(
      placecount_, racelist_, racermrec::kSize,
      [this, suffix](int i) { return get_race2code_1_ex((code_[i] + suffix).c_str(), 1); },
      [db](unsigned char* record) {
        return new YRaceList(db, reinterpret_cast<_tagRACERMREC*>(record), false);
      });
  if (status != 0) {
    deletevector();
    db->seterror(status, "", 0);
  }
}
