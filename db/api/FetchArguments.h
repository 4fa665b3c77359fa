// Reading the arguments of the fetches: race codes, venue-day keys, dates
// and the fixed-width codes taken from records. An argument that is not
// well formed fetches nothing; it is no failure.
#ifndef YDB_API_FETCHARGUMENTS_H_
#define YDB_API_FETCHARGUMENTS_H_

#include <cstddef>
#include <string_view>

#include "db/base/RaceKey.h"

namespace ydb {

// The text of a NUL-terminated argument; empty for a null pointer.
std::string_view TextArgument(const char* text);

// The first `width` bytes at `field` (a field of a record, or a shorter
// NUL-terminated text, which ends at its NUL); empty for a null pointer.
std::string_view FieldArgument(const void* field, std::size_t width);

// True when `text` is `width` ASCII digits.
bool IsDigits(std::string_view text, std::size_t width);

// A race code into `*key` (RaceKey::Parse). With `every_race_of_day`, race
// number 00, or the 10-digit venue-day key (place and date) alone, selects
// every race of that racecourse and day: race number 0. False for anything
// else, a date that is no calendar date included (no race is stored there).
bool ParseRaceArgument(std::string_view code, bool every_race_of_day, RaceKey* key);

// An 8-digit date argument YYYYMMDD into *date. False for anything else.
bool ParseDateArgument(std::string_view text, int* date);

// A date argument of the race lists into the dates it covers: YYYYMMDD the
// month holding the day, YYYY the year. False for anything else.
bool ParseRaceDaysArgument(std::string_view date, int* from, int* to);

}  // namespace ydb

#endif  // YDB_API_FETCHARGUMENTS_H_
