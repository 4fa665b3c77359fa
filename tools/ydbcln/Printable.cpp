// Making outside text printable.
#include "Printable.h"

namespace tool {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 character at the start of `text`, or
// 0 when it begins with no such character.
std::size_t CharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsControl(std::string_view character) {
  const auto first = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return first < 0x20 || first == 0x7F;
  // U+0080 to U+009F.
  return first == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

}  // namespace

std::string Printable(std::string_view utf8, std::size_t limit) {
  std::string out;
  out.reserve(utf8.size() < limit ? utf8.size() : limit);
  std::size_t at = 0;
  while (at < utf8.size()) {
    const std::size_t length = CharacterLength(utf8.substr(at));
    if (at + (length == 0 ? 1 : length) > limit) {
      return out + "… (" + std::to_string(utf8.size()) + " bytes)";
    }
    const std::string_view character = utf8.substr(at, length == 0 ? 1 : length);
    if (length == 0 || IsControl(character)) {
      out += kReplacement;
    } else {
      out += character;
    }
    at += character.size();
  }
  return out;
}

}  // namespace tool
