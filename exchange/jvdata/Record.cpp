// Cutting a JV-Data record's fields by offset and decoding them.
#include "exchange/jvdata/Record.h"

#include "text/sjis.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr std::string_view kFullWidthBlank = "\x81\x40";

// `sjis` without the ASCII and full-width blanks at its ends. A full-width
// blank is taken only where it starts a character, so that a character
// whose trail byte is 0x81 is never split.
std::string_view Trimmed(std::string_view sjis) {
  std::size_t begin = 0;
  while (begin < sjis.size()) {
    if (sjis[begin] == ' ') {
      ++begin;
    } else if (sjis.substr(begin, 2) == kFullWidthBlank) {
      begin += 2;
    } else {
      break;
    }
  }
  sjis.remove_prefix(begin);
  // The end: walk the characters, remembering where the last one that is
  // not a blank ends.
  std::size_t end = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    const std::size_t size = ytext::is_lead_byte(c) && i + 1 < sjis.size() ? 2 : 1;
    const std::string_view character = sjis.substr(i, size);
    i += size;
    if (character != " " && character != kFullWidthBlank) end = i;
  }
  return sjis.substr(0, end);
}

}  // namespace

int Record::created() const {
  const std::string_view digits = field(3, 8);
  if (digits.size() != 8) return 0;
  int date = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    date = date * 10 + (c - '0');
  }
  return date;
}

std::string_view Record::field(int offset, int width) const {
  if (offset < 0 || width <= 0 || static_cast<std::size_t>(offset) >= bytes_.size()) return {};
  return bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(width));
}

bool Record::text(int offset, int width, std::string* utf8) const {
  utf8->clear();
  if (ytext::to_utf8(Trimmed(field(offset, width)), utf8)) return true;
  utf8->clear();
  return false;
}

Record::Number Record::number(int offset, int width, std::int64_t* value) const {
  *value = 0;
  const std::string_view digits = field(offset, width);
  std::size_t i = 0;
  while (i < digits.size() && digits[i] == ' ') ++i;
  if (i == digits.size()) return Number::kBlank;
  // Eighteen digits always fit in 64 bits.
  if (digits.size() - i > 18) return Number::kBad;
  std::int64_t n = 0;
  for (; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return Number::kBad;
    n = n * 10 + (digits[i] - '0');
  }
  *value = n;
  return Number::kValue;
}

}  // namespace jvdata
}  // namespace exchange
