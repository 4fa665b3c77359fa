// Field checks that remember the first fault of one record.
#include "db/write/Checker.h"

#include <string>

#include "db/base/Date.h"
#include "text/sjis.h"

namespace ydb {
namespace {

bool AllDigits(const std::string& value) {
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string Quoted(const std::string& value) { return "'" + value + "'"; }

}  // namespace

void Checker::digits(std::string_view field, const std::string& value, std::size_t width,
                     Presence presence) {
  if (!ok() || (value.empty() && presence == kOptional)) return;
  if (value.size() != width || !AllDigits(value)) {
    fail(std::string(field) + " must be " + std::to_string(width) + " digits, not " +
         Quoted(value));
  }
}

void Checker::code(std::string_view field, const std::string& value, std::string_view allowed,
                   Presence presence) {
  if (!ok() || (value.empty() && presence == kOptional)) return;
  if (value.size() != 1 || allowed.find(value[0]) == std::string_view::npos) {
    std::string choices;
    for (char c : allowed) {
      if (!choices.empty()) choices += ", ";
      choices += c;
    }
    fail(std::string(field) + " must be one of " + choices + ", not " + Quoted(value));
  }
}

void Checker::range(std::string_view field, std::int64_t value, std::int64_t lo,
                    std::int64_t hi) {
  if (!ok()) return;
  if (value < lo || value > hi) {
    fail(std::string(field) + " " + std::to_string(value) + " is outside " +
         std::to_string(lo) + "-" + std::to_string(hi));
  }
}

void Checker::rangeOrZero(std::string_view field, std::int64_t value, std::int64_t lo,
                          std::int64_t hi) {
  if (value != 0) range(field, value, lo, hi);
}

void Checker::date(std::string_view field, int value, Presence presence) {
  if (!ok() || (value == 0 && presence == kOptional)) return;
  if (!IsCalendarDate(value)) {
    fail(std::string(field) + " " + std::to_string(value) + " is not a date YYYYMMDD");
  }
}

void Checker::clock(std::string_view field, int value) {
  if (!ok() || value == 0) return;
  if (value < 0 || value / 100 > 23 || value % 100 > 59) {
    fail(std::string(field) + " " + std::to_string(value) + " is not a time HHMM");
  }
}

void Checker::text(std::string_view field, const std::string& value, std::size_t width,
                   Presence presence) {
  if (!ok()) return;
  if (value.empty()) {
    if (presence == kRequired) fail(std::string(field) + " is empty");
    return;
  }
  std::string sjis;
  if (!ytext::to_sjis(value, &sjis)) {
    fail(std::string(field) + " " + Quoted(value) + " cannot be written in Shift_JIS");
  } else if (sjis.size() > width) {
    fail(std::string(field) + " " + Quoted(value) + " takes " + std::to_string(sjis.size()) +
         " bytes in Shift_JIS, more than " + std::to_string(width));
  }
}

void Checker::fail(const std::string& message) {
  if (ok()) message_ = message;
}

Status Checker::status() const {
  return ok() ? Status::Ok() : Status::InvalidArgument(subject_ + ": " + message_);
}

}  // namespace ydb
