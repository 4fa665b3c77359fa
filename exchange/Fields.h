// The written forms of single values in the exchange files: dates as
// 2024-01-06, clock times as 15:45, quantities the store keeps in tenths
// (seconds, kilograms, odds) as decimals with one digit after the point,
// and plain integers.
#ifndef YDB_EXCHANGE_FIELDS_H_
#define YDB_EXCHANGE_FIELDS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace exchange {

// YYYYMMDD as YYYY-MM-DD.
std::string FormatDate(int date);
// YYYY-MM-DD that is a date of the calendar (1900 to 2099) into YYYYMMDD.
bool ParseDate(std::string_view text, int* date);

// HHMM as HH:MM.
std::string FormatClock(int clock);
// HH:MM, 00:00 to 23:59, into HHMM.
bool ParseClock(std::string_view text, int* clock);

// Tenths as a decimal with one digit after the point: 570 is "57.0".
std::string FormatTenths(std::int64_t tenths);
// "57", "57.0" or "-0.3" into tenths; at most one digit after the point.
bool ParseTenths(std::string_view text, std::int64_t* tenths);

// Decimal digits with an optional leading minus, at most 15 digits.
bool ParseInteger(std::string_view text, std::int64_t* value);

}  // namespace exchange

#endif  // YDB_EXCHANGE_FIELDS_H_
