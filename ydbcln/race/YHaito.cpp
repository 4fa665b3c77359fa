// The settlement record of one race, ordered by its race code.
#include "ydbcln/race/YHaito.h"

#include <cstring>

YHaito::YHaito() { std::memset(key, ' ', sizeof key); }

YHaito::YHaito(const std::string& code) : YHaito() {
  std::memcpy(key, code.data(), code.size() < sizeof key ? code.size() : sizeof key);
}

// memcmp compares bytes as unsigned char, so a key byte above 0x7F sorts
// after the digits.
bool YHaito::operator<(const YHaito& other) const {
  return std::memcmp(key, other.key, sizeof key) < 0;
}

bool YHaito::operator==(const YHaito& other) const {
  return std::memcmp(key, other.key, sizeof key) == 0;
}
