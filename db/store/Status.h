// The outcome of an operation inside the database component: ok, or a
// failure with a message for the developer. Nothing in the component throws;
// every failure travels as a Status until the C-style boundary, which keeps
// its message for get_db_error().
#ifndef YDB_STORE_STATUS_H_
#define YDB_STORE_STATUS_H_

#include <string>
#include <utility>

namespace ydb {

class Status {
 public:
  Status() = default;  // ok

  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  explicit Status(std::string message)
      : failed_(true), message_(std::move(message)) {}

  bool failed_ = false;
  std::string message_;
};

}  // namespace ydb

#endif  // YDB_STORE_STATUS_H_
