// The race data the race subcommands show, read through the library: the
// days with results, a day's venues and race rows, the runners of a result
// or of a race card, and the checks of dates and race codes typed by the
// user.
//
// Each reader answers false when the database failed; the caller then
// reports StoreFailure(). Nothing found is not a failure.
#ifndef YDBCLN_TOOL_RACESOURCE_H_
#define YDBCLN_TOOL_RACESOURCE_H_

#include <ydbcln/ydbcln.h>

#include <string>
#include <vector>

namespace tool {

// A date typed as YYYYMMDD that names a day of the calendar.
bool ParseDate(const std::string& text, int* date);

// A race code typed by the user: 12 digits, place, date of the calendar
// and race number 01 to 12.
bool IsRaceCode(const std::string& text);

// One race day: its venues with their main races, and each venue's rows in
// race order.
struct RaceDay {
  RaceDay() : venues(nullptr, static_cast<_tagRACELISTREC*>(nullptr), true) {}
  YMainraceList venues;
  std::vector<YRaceList> rows[3];
};

// The day `date` with results; a day without racing has no venues.
bool ReadRaceDay(YHorseDB& db, int date, RaceDay* day);

// The latest day with results; 0 when the data set holds none.
bool LatestRaceDay(YHorseDB& db, int* date);

// The codes of the races with results from `from` to `to`, in date order,
// then by venue and race number.
bool RaceCodes(YHorseDB& db, int from, int to, std::vector<std::string>* codes);

// The runners of the result, or of the race card, of `code` in
// horse-number order; none when the race has no result (no card).
bool ResultRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners);
bool CardRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners);

// Prints why the data set could not be read, on one line of standard
// error; returns the exit code.
int StoreFailure();

}  // namespace tool

#endif  // YDBCLN_TOOL_RACESOURCE_H_
