// Reading fetch arguments.
#include "db/api/FetchArguments.h"

#include <cstring>
#include <string>

namespace ydb {
namespace {

int DigitsValue(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::string_view TextArgument(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view();
}

std::string_view FieldArgument(const void* field, std::size_t width) {
  if (field == nullptr) return std::string_view();
  const char* p = static_cast<const char*>(field);
  const char* nul = static_cast<const char*>(std::memchr(p, '\0', width));
  return std::string_view(p, nul != nullptr ? static_cast<std::size_t>(nul - p) : width);
}

bool IsDigits(std::string_view text, std::size_t width) {
  if (text.size() != width) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool ParseRaceArgument(std::string_view code, bool every_race_of_day, RaceKey* key) {
  const Status s = every_race_of_day ? RaceKey::ParseRaceOrDay(code, key) : RaceKey::Parse(code, key);
  return s.ok();
}

bool ParseDateArgument(std::string_view text, int* date) {
  if (!IsDigits(text, 8)) return false;
  *date = DigitsValue(text);
  return true;
}

bool ParseRaceDaysArgument(std::string_view date, int* from, int* to) {
  if (IsDigits(date, 8)) {
    const int month = DigitsValue(date.substr(0, 6));
    *from = month * 100 + 1;
    *to = month * 100 + 31;
    return true;
  }
  if (IsDigits(date, 4)) {
    const int year = DigitsValue(date);
    *from = year * 10000 + 101;
    *to = year * 10000 + 1231;
    return true;
  }
  return false;
}

}  // namespace ydb
