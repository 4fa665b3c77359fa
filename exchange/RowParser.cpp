// Reading and checking the fields of one row.
#include "exchange/RowParser.h"

#include "exchange/Fields.h"

namespace exchange {
namespace {

std::string Quoted(const std::string& value) { return "'" + value + "'"; }

// What a code table holds, for messages.
const char* TableName(ydb::CodeKind kind) {
  static const char* const kNames[ydb::kCodeKindCount] = {
      "breed", "weight rule", "coat colour", "horse mark", "race class", "place", "birthplace"};
  return kNames[kind];
}

bool AllDigits(const std::string& value) {
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

void RowParser::fail(const char* name, const std::string& reason) {
  if (ok()) fault_ = std::string(name) + " " + reason;
}

const std::string* RowParser::take(const char* name, Need need, bool* empty) {
  *empty = false;
  if (!ok() || next_ >= fields_.size()) return nullptr;
  const std::string& field = fields_[next_++];
  if (!empty_reason_.empty()) {
    if (!field.empty()) fail(name, "must be empty: " + empty_reason_);
    return nullptr;
  }
  if (!field.empty()) return &field;
  if (need == kRequired) {
    fail(name, "is empty");
  } else {
    *empty = true;
  }
  return nullptr;
}

void RowParser::text(const char* name, std::string& value, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (field != nullptr) value = *field;
  if (empty) value.clear();
}

void RowParser::digits(const char* name, std::string& value, int width, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value.clear();
  if (field == nullptr) return;
  if (field->size() != static_cast<std::size_t>(width) || !AllDigits(*field)) {
    fail(name, "must be " + std::to_string(width) + " digits, not " + Quoted(*field));
    return;
  }
  value = *field;
}

void RowParser::choice(const char* name, std::string& value, const char* allowed, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value.clear();
  if (field == nullptr) return;
  const std::string choices(allowed);
  if (field->size() != 1 || choices.find((*field)[0]) == std::string::npos) {
    std::string list;
    for (char c : choices) list += (list.empty() ? "" : ", ") + std::string(1, c);
    fail(name, "must be one of " + list + ", not " + Quoted(*field));
    return;
  }
  value = *field;
}

void RowParser::tableCode(const char* name, std::string& value, ydb::CodeKind kind, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value.clear();
  if (field == nullptr) return;
  const ydb::CodeTable* table = ydb::GetCodeTable(kind);
  int code = 0;
  if (field->size() != static_cast<std::size_t>(table->width()) ||
      !table->ParseField(field->c_str(), &code)) {
    fail(name, "must be a " + std::string(TableName(kind)) + " code of " +
                   std::to_string(table->width()) + " characters, not " + Quoted(*field));
    return;
  }
  // A race class of 100 or more is a money class in thousands of yen, which
  // the table does not list.
  const bool money_class = kind == ydb::kRaceClassCode && code >= 100;
  if (!money_class && table->Find(code) == nullptr) {
    fail(name, Quoted(*field) + " is not in the " + TableName(kind) + " code table");
    return;
  }
  value = *field;
}

void RowParser::word(const char* name, int& index, const std::vector<std::string>& words) {
  bool empty = false;
  const std::string* field = take(name, kRequired, &empty);
  if (field == nullptr) return;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == *field) {
      index = static_cast<int>(i);
      return;
    }
  }
  std::string list;
  for (const std::string& w : words) list += (list.empty() ? "" : ", ") + w;
  fail(name, "must be one of " + list + ", not " + Quoted(*field));
}

bool RowParser::parseInteger(const char* name, const std::string& field, int lo, int hi,
                             int* value) {
  std::int64_t v = 0;
  if (!ParseInteger(field, &v)) {
    fail(name, "must be a whole number, not " + Quoted(field));
  } else if (v < lo || v > hi) {
    fail(name, std::to_string(v) + " is outside " + std::to_string(lo) + " to " +
                   std::to_string(hi));
  } else {
    *value = static_cast<int>(v);
  }
  return ok();
}

bool RowParser::parseTenths(const char* name, const std::string& field, int lo, int hi,
                            int* value) {
  std::int64_t v = 0;
  if (!ParseTenths(field, &v)) {
    fail(name, "must be a number with at most one digit after the point, not " + Quoted(field));
  } else if (v < lo || v > hi) {
    fail(name, field + " is outside " + FormatTenths(lo) + " to " + FormatTenths(hi));
  } else {
    *value = static_cast<int>(v);
  }
  return ok();
}

void RowParser::integer(const char* name, int& value, int lo, int hi, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value = 0;
  if (field != nullptr) parseInteger(name, *field, lo, hi, &value);
}

void RowParser::optionalInteger(const char* name, std::optional<int>& value, int lo, int hi) {
  bool empty = false;
  const std::string* field = take(name, kOptional, &empty);
  if (empty) value.reset();
  int v = 0;
  if (field != nullptr && parseInteger(name, *field, lo, hi, &v)) value = v;
}

void RowParser::money(const char* name, std::int64_t& value) {
  bool empty = false;
  const std::string* field = take(name, kOptional, &empty);
  if (empty) value = 0;
  if (field == nullptr) return;
  std::int64_t v = 0;
  if (!ParseInteger(*field, &v) || v < 0) {
    fail(name, "must be a whole number of yen, not " + Quoted(*field));
  } else {
    value = v;
  }
}

void RowParser::tenths(const char* name, int& value, int lo, int hi, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value = 0;
  if (field != nullptr) parseTenths(name, *field, lo, hi, &value);
}

void RowParser::optionalTenths(const char* name, std::optional<int>& value, int lo, int hi) {
  bool empty = false;
  const std::string* field = take(name, kOptional, &empty);
  if (empty) value.reset();
  int v = 0;
  if (field != nullptr && parseTenths(name, *field, lo, hi, &v)) value = v;
}

void RowParser::date(const char* name, int& value, Need need) {
  bool empty = false;
  const std::string* field = take(name, need, &empty);
  if (empty) value = 0;
  if (field == nullptr) return;
  if (!ParseDate(*field, &value)) {
    fail(name, Quoted(*field) + " is not a date of the calendar written YYYY-MM-DD");
  }
}

void RowParser::clock(const char* name, int& value) {
  bool empty = false;
  const std::string* field = take(name, kOptional, &empty);
  if (empty) value = 0;
  if (field == nullptr) return;
  int clock = 0;
  if (!ParseClock(*field, &clock)) {
    fail(name, Quoted(*field) + " is not a time HH:MM");
  } else if (clock == 0) {
    fail(name, "00:00 cannot be told from no time: leave the field empty");
  } else {
    value = clock;
  }
}

void RowParser::flag(const char* name, bool& value) {
  bool empty = false;
  const std::string* field = take(name, kRequired, &empty);
  if (field == nullptr) return;
  if (*field != "0" && *field != "1") {
    fail(name, "must be 0 or 1, not " + Quoted(*field));
  } else {
    value = *field == "1";
  }
}

}  // namespace exchange
