// A race's key: racecourse, date and race number of the day, and its
// 12-digit race code, place + date + number ("052024010611"). The one
// parser of race codes: the writer, the fetch functions, the importers, the
// library and the command line all read codes with it.
#ifndef YDB_BASE_RACEKEY_H_
#define YDB_BASE_RACEKEY_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"

namespace ydb {

// The highest race number of a racecourse day.
constexpr int kMaxRaceNumber = 12;

struct RaceKey {
  std::string place;  // racecourse code, two digits ("00" 京都 ... "09" 函館)
  int date = 0;       // YYYYMMDD
  int number = 0;     // 1-12; 0 in a key naming a whole racecourse day

  // The 12-digit race code; a racecourse day's key ends in "00".
  std::string code() const;

  // Reads the race code of one race: 12 digits whose date is a calendar
  // date (see Date.h) and whose race number is 1 to 12. Anything else is
  // an invalid argument saying what is wrong, and `*key` is left untouched.
  static Status Parse(std::string_view code, RaceKey* key);

  // Reads the code of one race, as Parse does, or of a whole racecourse
  // day: place and date (10 digits), or those with race number "00"; the
  // day's key has number 0.
  static Status ParseRaceOrDay(std::string_view code, RaceKey* key);
};

bool operator==(const RaceKey& a, const RaceKey& b);
inline bool operator!=(const RaceKey& a, const RaceKey& b) { return !(a == b); }

}  // namespace ydb

#endif  // YDB_BASE_RACEKEY_H_
