// A race day's race-card rows.
#include "ydbcln/race/YDayDenma.h"

#include "ydbcln/race/DayRows.h"
#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

YDayDenma::YDayDenma(YHorseDB* db, YMainraceList* day) : YDayRace(db, day) { setracelist(); }

void YDayDenma::setracelist() {
  deletevector();
  YHorseDB* db = getdb();
  if (db == nullptr) return;
  db->clearerror();
  if (!ysession::ready(db)) return;
  const int status = yrace::fill_day_rows(
      placecount_, racelist_, racedrec::kSize,
      [this](int i) { return get_denma2code((code_[i] + "00").c_str()); },
      [db](unsigned char* record) {
        return new YRaceList(db, reinterpret_cast<_tagRACEDREC*>(record));
      });
  if (status != 0) {
    deletevector();
    db->seterror(status, "", 0);
  }
}
