// Race keys and their 12-digit race codes.
#include "db/write/model.h"

#include <cstdio>

namespace ydb {

std::string RaceKey::code() const {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08d%02d", date, number);
  return place + digits;
}

bool RaceKey::Parse(std::string_view code, RaceKey* key) {
  if (code.size() != 12) return false;
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  int date = 0;
  for (std::size_t i = 2; i < 10; ++i) date = date * 10 + (code[i] - '0');
  const int number = (code[10] - '0') * 10 + (code[11] - '0');
  if (number == 0) return false;
  key->place = std::string(code.substr(0, 2));
  key->date = date;
  key->number = number;
  return true;
}

bool operator==(const RaceKey& a, const RaceKey& b) {
  return a.place == b.place && a.date == b.date && a.number == b.number;
}

}  // namespace ydb
