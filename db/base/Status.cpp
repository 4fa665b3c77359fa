// A status as text, and a status with its context.
#include "db/base/Status.h"

namespace ydb {

std::string Status::ToString() const {
  switch (code_) {
    case Code::kOk: return "OK";
    case Code::kNotFound: return "Not found: " + message_;
    case Code::kInvalidArgument: return "Invalid argument: " + message_;
    case Code::kCorruption: return "Corruption: " + message_;
    case Code::kNotSupported: return "Not supported: " + message_;
    case Code::kIOError: return "I/O error: " + message_;
    case Code::kBusy: return "Busy: " + message_;
    case Code::kAborted: return "Aborted: " + message_;
  }
  return message_;
}

Status Status::Within(std::string_view context) const {
  if (ok()) return *this;
  return Status(code_, std::string(context) + ": " + message_);
}

}  // namespace ydb
