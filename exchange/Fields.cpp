// The written forms of dates, clock times, tenths and integers.
#include "exchange/Fields.h"

#include <cstdio>

#include "db/base/Date.h"

namespace exchange {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exactly `width` digits at `text[at]`, read into `*value`.
bool Digits(std::string_view text, std::size_t at, std::size_t width, int* value) {
  if (at + width > text.size()) return false;
  int v = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (!IsDigit(text[i])) return false;
    v = v * 10 + (text[i] - '0');
  }
  *value = v;
  return true;
}

}  // namespace

std::string FormatDate(int date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
  return text;
}

bool ParseDate(std::string_view text, int* date) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, &year) ||
      !Digits(text, 5, 2, &month) || !Digits(text, 8, 2, &day)) {
    return false;
  }
  const int value = year * 10000 + month * 100 + day;
  if (!ydb::IsCalendarDate(value)) return false;
  *date = value;
  return true;
}

std::string FormatClock(int clock) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", clock / 100 % 100, clock % 100);
  return text;
}

bool ParseClock(std::string_view text, int* clock) {
  int hours = 0, minutes = 0;
  if (text.size() != 5 || text[2] != ':' || !Digits(text, 0, 2, &hours) ||
      !Digits(text, 3, 2, &minutes) || hours > 23 || minutes > 59) {
    return false;
  }
  *clock = hours * 100 + minutes;
  return true;
}

std::string FormatTenths(std::int64_t tenths) {
  const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
  return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
         std::to_string(magnitude % 10);
}

bool ParseTenths(std::string_view text, std::int64_t* tenths) {
  const std::size_t point = text.find('.');
  std::int64_t whole = 0;
  if (!ParseInteger(text.substr(0, point), &whole)) return false;
  std::int64_t fraction = 0;
  if (point != std::string_view::npos) {
    if (point + 2 != text.size() || !IsDigit(text[point + 1])) return false;
    fraction = text[point + 1] - '0';
  }
  const bool negative = !text.empty() && text[0] == '-';
  *tenths = whole * 10 + (negative ? -fraction : fraction);
  return true;
}

bool ParseInteger(std::string_view text, std::int64_t* value) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.size() > 15) return false;
  std::int64_t v = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  *value = negative ? -v : v;
  return true;
}

}  // namespace exchange
