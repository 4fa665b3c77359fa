// Small readers of fixed-width record fields shared by the race classes.
#ifndef YDBCLN_RACE_RECORDFIELDS_H_
#define YDBCLN_RACE_RECORDFIELDS_H_

#include <string>

namespace yrace {

// The `width` bytes at `field` as they are, blanks included.
inline std::string raw(const unsigned char* field, int width) {
  return std::string(reinterpret_cast<const char*>(field), static_cast<std::size_t>(width));
}

inline bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// A code naming one race: 12 digits (place, date, race number) with a race
// number from 01. The number 00 would name every race of a venue-day.
inline bool is_race_code(const std::string& code) {
  if (code.size() != 12) return false;
  for (char c : code) {
    if (!is_digit(static_cast<unsigned char>(c))) return false;
  }
  return code.compare(10, 2, "00") != 0;
}

// The value of a one-digit code byte; `otherwise` for a blank or any byte
// that is not a digit.
inline int digit_value(unsigned char c, int otherwise) { return is_digit(c) ? c - '0' : otherwise; }

}  // namespace yrace

#endif  // YDBCLN_RACE_RECORDFIELDS_H_
