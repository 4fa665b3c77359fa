// Field checks that remember the first fault of one record. Every check
// after a fault does nothing, so a validation reads as a list of checks and
// ends with status().
//
//   Checker c("owner 012345");
//   c.digits("code", owner.code, 6);
//   c.text("name", owner.name, 40, kRequired);
//   return c.status();  // "owner 012345: name is empty"
#ifndef YDB_WRITE_CHECKER_H_
#define YDB_WRITE_CHECKER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "db/base/Columns.h"  // Presence
#include "db/base/Status.h"

namespace ydb {

class Checker {
 public:
  explicit Checker(std::string subject) : subject_(std::move(subject)) {}

  // Exactly `width` ASCII digits; with kOptional an empty value passes too.
  void digits(std::string_view field, const std::string& value, std::size_t width,
              Presence presence = kRequired);

  // A one-character code out of `allowed`; with kOptional also empty.
  void code(std::string_view field, const std::string& value, std::string_view allowed,
            Presence presence = kOptional);

  // lo <= value <= hi.
  void range(std::string_view field, std::int64_t value, std::int64_t lo, std::int64_t hi);

  // As range, with the field's name made by `name_of()` only when the value
  // is out of range: for the hundreds of odds of a race.
  template <typename NameOf>
  void rangeNamed(const NameOf& name_of, std::int64_t value, std::int64_t lo, std::int64_t hi) {
    if (ok() && (value < lo || value > hi)) range(name_of(), value, lo, hi);
  }

  // 0 (not known), or lo <= value <= hi.
  void rangeOrZero(std::string_view field, std::int64_t value, std::int64_t lo, std::int64_t hi);

  // A calendar date YYYYMMDD from 1900 to 2099; with kOptional also 0.
  void date(std::string_view field, int value, Presence presence = kRequired);

  // A clock time HHMM; 0 passes as "not known".
  void clock(std::string_view field, int value);

  // A text that converts to Shift_JIS in at most `width` bytes; with
  // kRequired it must not be empty.
  void text(std::string_view field, const std::string& value, std::size_t width,
            Presence presence = kOptional);

  // Records a fault found by the caller.
  void fail(const std::string& message);

  bool ok() const { return message_.empty(); }
  const std::string& subject() const { return subject_; }

  // Ok, or the first fault prefixed with the subject.
  Status status() const;

 private:
  std::string subject_;
  std::string message_;
};

}  // namespace ydb

#endif  // YDB_WRITE_CHECKER_H_
