// What the race subcommands share: reading the race code argument, the
// one-line report of a failed read, and the forms of times, weights and
// past runs.
#ifndef YDBCLN_TOOL_RACESHOW_H_
#define YDBCLN_TOOL_RACESHOW_H_

#include <ydbcln/ydbcln.h>

#include <nlohmann/json.hpp>

#include <string>

namespace tool {

// True for a code naming one race (ydb::RaceKey::Parse: 12 digits, place,
// a calendar date and a race number 01 to 12). Otherwise prints why on
// stderr.
bool CheckRaceCode(const std::string& code);

// Prints on stderr that `what` could not be read, with the session's
// message and the database component's reason.
void ReportReadFailure(YHorseDB& db, const std::string& what);

// After the theory engine could not load `what` (a race, its card): the
// failed read when the store failed, else that there is no such race, on
// one line of stderr; returns exit code 1.
int ReportNotLoaded(YHorseDB& db, const std::string& what);

// A race time in tenths of a second as 1:47.1 (or 58.3); empty for 0.
std::string RaceTime(int tenths);

// A weight in tenths of a kilogram as 57.0; empty for 0.
std::string Weight(int tenths);

// A past run as a race card shows it: date, place, race name, distance,
// going, order, time and the comment on the run.
nlohmann::json PastRunJson(YRaceHorse& run);

// A race a search found, on one line: code, meeting, name with class,
// distance, runners, win and quinella payouts; and the same as JSON.
std::string FoundRaceLine(YRaceList& race);
nlohmann::json FoundRaceJson(YRaceList& race);

}  // namespace tool

#endif  // YDBCLN_TOOL_RACESHOW_H_
