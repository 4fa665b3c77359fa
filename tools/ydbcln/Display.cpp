// Text helpers shared by the race subcommands.
#include "Display.h"

#include <text/sjis.h>

#include <iostream>

#include "Printable.h"
#include "Session.h"

namespace tool {

std::string Column(const std::string& sjis, std::size_t width) {
  return Utf8(ytext::fit_field(sjis, width));
}

std::string RightColumn(const std::string& sjis, std::size_t width) {
  if (sjis.size() >= width) return Column(sjis, width);
  return std::string(width - sjis.size(), ' ') + Utf8(sjis);
}

std::string Trim(const std::string& sjis) {
  const std::size_t first = sjis.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return sjis.substr(first, sjis.find_last_not_of(' ') - first + 1);
}

std::string Text(const std::string& sjis) { return Utf8(Trim(sjis)); }

nlohmann::json Number(const std::string& sjis) {
  const std::string text = Text(sjis);
  if (text.empty()) return nullptr;
  try {
    return std::stol(text);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::string Tenths(int tenths) {
  if (tenths < 0) return "-" + Tenths(-tenths);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

int Fail(const std::string& message, int code) {
  std::cerr << "ydbcln: " << Reason(message) << "\n";
  return code;
}

}  // namespace tool
