// Reading a record's fields with the first fault kept.
#include "exchange/jvdata/FieldReader.h"

#include <string_view>

namespace exchange {
namespace jvdata {

std::string FieldReader::text(const Field& f) {
  std::string utf8;
  if (!record_.text(f.offset, f.width, &utf8)) fail(f, "is not Shift_JIS");
  return utf8;
}

std::string FieldReader::code(const Field& f) {
  const std::string_view raw = record_.field(f.offset, f.width);
  if (raw.find_first_not_of(" 0") == std::string_view::npos) return "";
  if (raw.size() != static_cast<std::size_t>(f.width) ||
      raw.find_first_not_of("0123456789") != std::string_view::npos) {
    fail(f, "'" + std::string(raw) + "' is not a code of digits");
    return "";
  }
  return std::string(raw);
}

std::int64_t FieldReader::number(const Field& f) {
  std::int64_t value = 0;
  if (record_.number(f.offset, f.width, &value) == Record::Number::kBad) {
    fail(f, "'" + std::string(record_.field(f.offset, f.width)) + "' is not digits");
  }
  return value;
}

bool FieldReader::present(const Field& f) const {
  std::int64_t value = 0;
  return record_.number(f.offset, f.width, &value) != Record::Number::kBlank;
}

char FieldReader::choice(const Field& f, const char* choices) {
  const std::string_view raw = record_.field(f.offset, 1);
  const char c = raw.empty() ? ' ' : raw[0];
  if (c != ' ' && std::string_view(choices).find(c) == std::string_view::npos) {
    fail(f, "'" + std::string(1, c) + "' is not one of " + choices);
    return ' ';
  }
  return c;
}

void FieldReader::fail(const Field& f, const std::string& what) {
  if (status_.ok()) status_ = ydb::Status::InvalidArgument(std::string(type_) + " " + f.name + " " + what);
}

}  // namespace jvdata
}  // namespace exchange
