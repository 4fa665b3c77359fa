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

// The venues of the day `date` with their main races, from the days with
// results, or from the days with race cards when `cards`; a day without
// racing has no venues.
bool ReadVenues(YHorseDB& db, int date, bool cards, YMainraceList* venues);

// The latest day with results (with race cards when `cards`); 0 when the
// data set holds none.
bool LatestRaceDay(YHorseDB& db, bool cards, int* date);

// The codes of the races with results from `from` to `to`, in date order,
// then by venue and race number.
bool RaceCodes(YHorseDB& db, int from, int to, std::vector<std::string>* codes);

// Whether the race `code` has results (has been run).
bool HasResults(const std::string& code, bool* run);

// The runners of the result, or of the race card, of `code` in
// horse-number order; none when the race has no result (no card).
bool ResultRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners);
bool CardRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners);

// Prints why the data set could not be read, on one line of standard
// error; returns the exit code.
int StoreFailure();

}  // namespace tool

#endif  // YDBCLN_TOOL_RACESOURCE_H_
