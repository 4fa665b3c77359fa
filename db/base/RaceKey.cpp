// Race keys and their 12-digit race codes.
#include "db/base/RaceKey.h"

#include <cstdio>

#include "db/base/Date.h"

namespace ydb {
namespace {

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return !text.empty();
}

int DigitsValue(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// Reads "PPYYYYMMDD" and, when `code` is longer, the race number after it;
// `number_required` refuses a racecourse day.
Status ReadCode(std::string_view code, bool number_required, RaceKey* key) {
  const std::string quoted = "'" + std::string(code) + "'";
  const bool day_only = !number_required && code.size() == 10;
  if ((code.size() != 12 && !day_only) || !AllDigits(code)) {
    return Status::InvalidArgument(
        "a race code is 12 digits (place, date, race number from 01, as 052024010611), not " +
        quoted);
  }
  const int date = DigitsValue(code.substr(2, 8));
  if (!IsCalendarDate(date)) {
    return Status::InvalidArgument("race code " + quoted + ": " + std::to_string(date) +
                                   " is not a date");
  }
  const int number = day_only ? 0 : DigitsValue(code.substr(10, 2));
  if (number > kMaxRaceNumber || (number == 0 && number_required)) {
    return Status::InvalidArgument("race code " + quoted + ": the race number is 01 to " +
                                   std::to_string(kMaxRaceNumber));
  }
  key->place = std::string(code.substr(0, 2));
  key->date = date;
  key->number = number;
  return Status::Ok();
}

}  // namespace

std::string RaceKey::code() const {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08d%02d", date, number);
  return place + digits;
}

Status RaceKey::Parse(std::string_view code, RaceKey* key) {
  return ReadCode(code, true, key);
}

Status RaceKey::ParseRaceOrDay(std::string_view code, RaceKey* key) {
  return ReadCode(code, false, key);
}

bool operator==(const RaceKey& a, const RaceKey& b) {
  return a.place == b.place && a.date == b.date && a.number == b.number;
}

}  // namespace ydb
