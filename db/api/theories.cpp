// The theory operations of the C boundary: the stored theories of the open
// data set, and theory files.
#include <cstdint>
#include <cstring>
#include <string>

#include "db/api/Fetch.h"
#include "db/api/TheoryFile.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "db/render/TheoryRecords.h"
#include "db/write/Writer.h"

namespace {

using ydb::Database;
using ydb::Status;

// Writes `code` into the code field of a theory record, little-endian,
// leaving the rest of the record as the caller has it.
void PutCode(void* record, int code) {
  static const std::size_t offset = ydb::FieldOf(ydb::TheoryLayout(), "code").offset;
  const std::uint32_t v = static_cast<std::uint32_t>(code);
  unsigned char* at = static_cast<unsigned char*>(record) + offset;
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFFu);
}

// A theory file is never much larger than its record; this bounds what a
// reader takes in from a file that is something else.
constexpr std::size_t kTheoryFileReadLimit = 64 * 1024;

}  // namespace

extern "C" {

void* get_theory_all(void) {
  return ydb::Fetch("get_theory_all",
                    [](Database& db, void** out) { return ydb::RenderTheoryList(db, out); });
}

void* get_theory(int code) {
  return ydb::Fetch("get_theory",
                    [code](Database& db, void** out) { return ydb::RenderTheory(db, code, out); });
}

int set_theory(void* record, int /*reserved*/) {
  const Status s = ydb::ChangeCall("set_theory", [record](Database& db) {
    if (record == nullptr) return Status::InvalidArgument("no theory record");
    ydb::Theory theory;
    Status read = ydb::ReadTheoryRecord(record, &theory);
    if (!read.ok()) return read.Within("theory record");
    ydb::Writer writer(db);
    Status stored = writer.storeTheory(&theory);
    if (stored.ok()) PutCode(record, theory.code);
    return stored;
  });
  return s.ok() ? 0 : -1;
}

int del_theory(int code) {
  const Status s = ydb::ChangeCall(
      "del_theory", [code](Database& db) { return ydb::Writer(db).deleteTheory(code); });
  return s.ok() ? 0 : -1;
}

int write_theory(const char* path, const void* record) {
  const Status s = ydb::RunCall("write_theory", [&] {
    if (path == nullptr || *path == '\0') return Status::InvalidArgument("no file name");
    if (record == nullptr) return Status::InvalidArgument("no theory record");
    const std::string image = ydb::EncodeTheoryFile(record);
    return ydb::WriteFileWhole(path, {image});
  });
  return s.ok() ? 0 : -1;
}

void* read_theory(const char* path) {
  return ydb::RunOperation("read_theory", [&](void** out) {
    if (path == nullptr || *path == '\0') return Status::InvalidArgument("no file name");
    std::string image;
    Status s = ydb::ReadFileWhole(path, kTheoryFileReadLimit, &image);
    if (!s.ok()) return s;
    std::string record;
    s = ydb::DecodeTheoryFile(image, &record);
    if (!s.ok()) return s.Within(path);
    ydb::RenderedRecords records(ydb::TheoryLayout());
    std::memcpy(records.Add(), record.data(), record.size());
    return records.Finish(out);
  });
}

}  // extern "C"
