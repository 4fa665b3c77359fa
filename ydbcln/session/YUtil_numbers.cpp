// YUtil: digit fields read as numbers, numbers shown as full-width and
// circled digits, records of placings, ages, and money in yen.
#include "ydbcln/session/YUtil.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ydbcln/session/YUtil_tables.h"

using yutil::is_digit;
using yutil::sjis_table;

namespace {

// Whole yen written from the 10^19 position down, with 京, 兆, 億 and 万
// after their positions. Leading zeros are skipped; once a digit is written
// every lower position writes its digit, 0 included, except that the digits
// stop after a group word when nothing remains below it: 1億5000万円,
// 1億0000万0005円. The divisors are exact powers of ten, and every amount
// below 2^53 yen is divided exactly.
std::string yen_text(double yen) {
  static const auto kWords = sjis_table({"京", "兆", "億", "万", "円"});
  const int kHighestPower = 19;
  std::string text;
  double rest = yen;
  for (int power = kHighestPower; power >= 0; --power) {
    const double divisor = std::pow(10.0, power);
    const double digit = std::floor(rest / divisor);
    rest = std::fmod(rest, divisor);
    if (text.empty() && digit == 0) continue;
    // Above 10^20 the first "digit" is the whole number of its position.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.0f", digit);
    text += digits;
    if (power > 0 && power % 4 == 0) {
      text += kWords[static_cast<std::size_t>(4 - power / 4)];
      if (rest == 0) break;
    }
  }
  if (text.empty()) text = "0";
  return text + kWords[4];
}

}  // namespace

// --- Digit fields ------------------------------------------------------------------

int YUtil::getnum(unsigned char c) { return c == ' ' ? 0 : c - '0'; }

int YUtil::getnum(unsigned char* p, int n) {
  if (p == nullptr) return 0;
  unsigned int value = 0;  // wraps instead of overflowing on absurd widths
  for (int i = 0; i < n; ++i) {
    if (is_digit(p[i])) {
      value = value * 10 + static_cast<unsigned int>(p[i] - '0');
    } else if (p[i] == ' ') {
      value *= 10;
    }
  }
  return static_cast<int>(value);
}

int YUtil::getnumpm(unsigned char* p, int n) {
  if (p == nullptr) return 0;
  if (p[0] != '+' && p[0] != '-') return getnum(p, n);
  if (n < 2) return 0;
  unsigned int value = 0;
  for (int i = 1; i < n; ++i) {
    const unsigned char c = p[i] == ' ' ? '0' : p[i];
    value = value * 10 + static_cast<unsigned int>(c - '0');
  }
  const int magnitude = static_cast<int>(value);
  return p[0] == '-' ? -magnitude : magnitude;
}

std::string YUtil::getnumstr(int n) { return std::to_string(n); }

std::string YUtil::delendspc(unsigned char* p, int n) {
  if (p == nullptr || n <= 0) return std::string();
  while (n > 0 && p[n - 1] == ' ') --n;
  return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(n));
}

// --- Full-width and circled numbers ----------------------------------------------------

std::string YUtil::getzennum(unsigned char* p) {
  if (p == nullptr || !is_digit(p[0])) return std::string();
  if (p[0] == '0') return is_digit(p[1]) ? getzennum(p[1] - '0') : std::string();
  return std::string(reinterpret_cast<const char*>(p), 2);
}

std::string YUtil::getzennum(int n) {
  static const auto kDigits =
      sjis_table({"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"});
  if (n >= 0 && n <= 9) return kDigits[static_cast<std::size_t>(n)];
  if (n >= 10 && n <= 99) return getnumstr(n);
  return std::string();
}

std::string YUtil::getage(unsigned char* p) { return getzennum(p); }

std::string YUtil::getage(int n) { return getzennum(n); }

std::string YUtil::getmarunum(unsigned char* p) {
  if (p == nullptr || !is_digit(p[1])) return std::string();
  if (p[0] < '1') return getmarunum(p[1] - '0');
  if (!is_digit(p[0])) return std::string();
  return getmarunum((p[0] - '0') * 10 + (p[1] - '0'));
}

std::string YUtil::getmarunum(int n) {
  static const auto kCircled =
      sjis_table({"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩",
                  "⑪", "⑫", "⑬", "⑭", "⑮", "⑯", "⑰", "⑱", "⑲", "⑳"});
  if (n < 1 || n > 20) return std::string();
  return kCircled[static_cast<std::size_t>(n - 1)];
}

// --- Placings and ages --------------------------------------------------------------

std::string YUtil::getseisekistring(unsigned char* p, int len) {
  if (p == nullptr) return std::string();
  const int part = len / 4;
  char text[64];
  std::snprintf(text, sizeof text, "%4d-%4d-%4d-%4d", getnum(p, part), getnum(p + part, part),
                getnum(p + 2 * part, part), getnum(p + 3 * part, part));
  return text;
}

int YUtil::gethumanage_int(unsigned char* birth, int len) {
  const int born = getnum(birth, len);
  if (born == 0) return 0;
  const int today = gettoday();
  int age = today / 10000 - born / 10000;
  if (today % 10000 < born % 10000) --age;  // birthday not yet reached this year
  return age;
}

std::string YUtil::gethumanage(unsigned char* birth, int len) {
  const int age = gethumanage_int(birth, len);
  return age == 0 ? std::string() : getnumstr(age);
}

// --- Money --------------------------------------------------------------------------

std::string YUtil::getyen(unsigned int value, int unit) {
  if (unit != 1 && unit != 10 && unit != 1000) return std::string();
  return yen_text(static_cast<double>(value) * unit);
}

std::string YUtil::getyen(unsigned char* p, int len, int unit) {
  if (p == nullptr || len <= 0) return std::string();
  const std::string field(reinterpret_cast<const char*>(p), static_cast<std::size_t>(len));
  const int value = std::atoi(field.c_str());
  if (value < 0) return std::string();
  return getyen(static_cast<unsigned int>(value), unit);
}

std::string YUtil::getyen(double value) {
  if (!std::isfinite(value) || value < 0) return std::string();
  return yen_text(std::floor(value));
}
