// The outcome of an operation inside the database component: ok, or a
// failure with a code saying what kind of failure and a message saying why.
// Nothing in the component throws; every failure travels as a Status until
// the C-style boundary, which keeps its message for get_db_error().
//
// Callers tell outcomes apart by code, never by message:
//
//   ydb::Status s = writer.deleteTicket(ticket);
//   if (s.IsNotFound()) ...       // nothing to delete
//   else if (!s.ok()) ...         // the store failed
//
// The codes:
//   not found         what was asked for is not in the store or on disk
//   invalid argument  the caller's value breaks a rule (a bad code, a date
//                     that is no calendar date, a buffer of the wrong size)
//   corruption        what the store or a file holds breaks a rule
//   not supported     a store this build cannot read (another program's, a
//                     newer schema)
//   I/O error         the file system or SQLite failed
//   busy              another process holds the store
//   aborted           the caller asked a long operation to stop
#ifndef YDB_BASE_STATUS_H_
#define YDB_BASE_STATUS_H_

#include <string>
#include <string_view>
#include <utility>

namespace ydb {

class Status {
 public:
  enum class Code {
    kOk = 0,
    kNotFound,
    kInvalidArgument,
    kCorruption,
    kNotSupported,
    kIOError,
    kBusy,
    kAborted,
  };

  Status() = default;  // ok

  static Status Ok() { return Status(); }
  static Status NotFound(std::string message) { return {Code::kNotFound, std::move(message)}; }
  static Status InvalidArgument(std::string message) {
    return {Code::kInvalidArgument, std::move(message)};
  }
  static Status Corruption(std::string message) {
    return {Code::kCorruption, std::move(message)};
  }
  static Status NotSupported(std::string message) {
    return {Code::kNotSupported, std::move(message)};
  }
  static Status IOError(std::string message) { return {Code::kIOError, std::move(message)}; }
  static Status Busy(std::string message) { return {Code::kBusy, std::move(message)}; }
  static Status Aborted(std::string message) { return {Code::kAborted, std::move(message)}; }

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  bool IsInvalidArgument() const { return code_ == Code::kInvalidArgument; }
  bool IsCorruption() const { return code_ == Code::kCorruption; }
  bool IsNotSupported() const { return code_ == Code::kNotSupported; }
  bool IsIOError() const { return code_ == Code::kIOError; }
  bool IsBusy() const { return code_ == Code::kBusy; }
  bool IsAborted() const { return code_ == Code::kAborted; }

  Code code() const { return code_; }
  // The reason alone ("horse 2020011 is not stored"); empty when ok.
  const std::string& message() const { return message_; }
  // The kind and the reason ("Not found: horse 2020011 is not stored"); "OK".
  std::string ToString() const;

  // The same failure with `context` put before its reason
  // ("import: horse ..."); ok stays ok.
  Status Within(std::string_view context) const;

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = Code::kOk;
  std::string message_;
};

}  // namespace ydb

#endif  // YDB_BASE_STATUS_H_
