// The user's check marks at the C boundary: set, clear, ask and list. Each
// change is one durable transaction (DurableChange.h).
#include <cstddef>
#include <string>
#include <string_view>

#include "db/api/DurableChange.h"
#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/base/model.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/write/Writer.h"

namespace {

using ydb::Database;
using ydb::Status;

// The code length of a check-mark kind: 7 for horses (1) and sires (3),
// 5 for jockeys (2) and stables (4); 0 for any other kind.
std::size_t CodeWidth(int kind) {
  switch (kind) {
    case 1: case 3: return 7;
    case 2: case 4: return 5;
    default: return 0;
  }
}

// The code of kind `kind` at `code`, exactly its width, or an argument
// failure.
Status MarkCode(const char* code, int kind, std::string* out) {
  const std::size_t width = CodeWidth(kind);
  if (width == 0) return Status::InvalidArgument("check kind " + std::to_string(kind));
  const std::string_view text = ydb::TextArgument(code);
  if (!ydb::IsDigits(text, width)) {
    return Status::InvalidArgument("a code of kind " + std::to_string(kind) + " is " +
                                   std::to_string(width) + " digits");
  }
  *out = std::string(text);
  return Status::Ok();
}

}  // namespace

extern "C" {

int set_checkhj(const char* code, int kind) {
  const Status s = ydb::ChangeCall("set_checkhj", [&](Database& db) {
    std::string key;
    Status arg = MarkCode(code, kind, &key);
    if (!arg.ok()) return arg;
    return ydb::Durably(db, [&](ydb::Writer& w) {
      return w.setCheckMark(static_cast<ydb::CheckKind>(kind), key);
    });
  });
  return s.ok() ? 0 : -1;
}

int del_checkhj(const char* code, int kind) {
  bool removed = false;
  const Status s = ydb::ChangeCall("del_checkhj", [&](Database& db) {
    std::string key;
    Status arg = MarkCode(code, kind, &key);
    if (!arg.ok()) return arg;
    return ydb::Durably(db, [&](ydb::Writer& w) {
      return w.clearCheckMark(static_cast<ydb::CheckKind>(kind), key, &removed);
    });
  });
  if (!s.ok()) return -1;
  return removed ? 0 : 1;
}

int is_code2checkhj(const void* code, int kind) {
  bool marked = false;
  const Status s = ydb::StoreCall("is_code2checkhj", [&](Database& db) {
    const std::size_t width = CodeWidth(kind);
    if (width == 0) return Status::InvalidArgument("check kind " + std::to_string(kind));
    if (code == nullptr) return Status::InvalidArgument("no code");
    // Exactly the kind's width: the code may be the first bytes of a record.
    const std::string_view key(static_cast<const char*>(code), width);
    if (!ydb::IsDigits(key, width)) return Status::InvalidArgument("a code is digits");
    return ydb::IsCheckMarked(db, kind, key, &marked);
  });
  if (!s.ok()) return -1;
  return marked ? 1 : 0;
}

void* get_checkhj_list(int kind) {
  return ydb::Fetch("get_checkhj_list", [&](Database& db, void** out) {
    if (CodeWidth(kind) == 0) return Status::InvalidArgument("check kind " + std::to_string(kind));
    return ydb::RenderCheckMarks(db, kind, out);
  });
}

}  // extern "C"
