// The code-to-text lookups of the C-style boundary: a code, given as its
// record field or as its value, is found in the code table of its kind and
// its Shift_JIS text copied out, cut on a character boundary to fit. Each
// call records its outcome for get_db_error().
#include <cstring>
#include <string>

#include "db/api/SessionState.h"
#include "db/api/ydbbsn.h"
#include "db/codes/CodeTables.h"
#include "text/sjis.h"

namespace {

using ydb::CodeEntry;
using ydb::CodeTable;
using ydb::Status;

// Whether a lookup has a table to look in and somewhere to write.
Status CheckCall(const CodeTable* table, int kind, const char* dst, int size) {
  if (dst == nullptr || size <= 0) return Status::InvalidArgument("code lookup: no room for the text");
  if (table == nullptr) return Status::NotFound("code lookup: there is no code table " + std::to_string(kind));
  return Status::Ok();
}

// Finishes a lookup begun with `s`: finds `value`, writes its text (or an
// empty text when there is none) into `dst` when `dst` has room, and
// records the outcome.
int Answer(const CodeTable* table, int kind, int value, Status s, char* dst, int size) {
  const CodeEntry* entry = nullptr;
  if (s.ok()) {
    entry = table->Find(value);
    if (entry == nullptr) {
      s = Status::NotFound("code table " + std::to_string(kind) + " has no code " + std::to_string(value));
    }
  }
  if (dst != nullptr && size > 0) {
    const std::size_t length =
        entry != nullptr ? ytext::cut_length(entry->sjis, static_cast<std::size_t>(size - 1)) : 0;
    if (length > 0) std::memcpy(dst, entry->sjis.data(), length);
    dst[length] = '\0';
  }
  ydb::SessionState::Get().Report(s);
  return s.ok() ? 0 : 1;
}

}  // namespace

extern "C" {

int get_ccode2val(int kind, const void* code, char* dst, int size) {
  const CodeTable* table = ydb::GetCodeTable(kind);
  Status s = CheckCall(table, kind, dst, size);
  int value = 0;
  if (s.ok() && !table->ParseField(static_cast<const char*>(code), &value)) {
    s = Status::InvalidArgument("code table " + std::to_string(kind) + ": the field is not a code of " +
                      std::to_string(table->width()) + " characters");
  }
  return Answer(table, kind, value, s, dst, size);
}

int get_ncode2val(int kind, int code, char* dst, int size) {
  const CodeTable* table = ydb::GetCodeTable(kind);
  return Answer(table, kind, code, CheckCall(table, kind, dst, size), dst, size);
}

}  // extern "C"
