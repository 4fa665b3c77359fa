// Collecting rendered records and handing them over as a record buffer.
#include "db/render/RenderedRecords.h"

#include <cstring>
#include <memory>
#include <string>

#include "db/base/RecordBuffer.h"

namespace ydb {

void* RenderedRecords::Add() {
  const std::size_t at = bytes_.size();
  const std::string& empty = layout_.empty_image();
  bytes_.insert(bytes_.end(), empty.begin(), empty.end());
  return bytes_.data() + at;
}

void RenderedRecords::AddRendered(const void* records, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(records);
  bytes_.insert(bytes_.end(), bytes, bytes + count * layout_.size());
}

void RenderedRecords::AddAllAndRelease(void* buffer) {
  const std::unique_ptr<void, void (*)(void*)> owned(buffer, ReleaseRecords);
  AddRendered(buffer, static_cast<std::size_t>(RecordCount(buffer)));
}

Status RenderedRecords::Finish(void** buffer) const {
  const std::size_t n = count();
  void* made = AllocateRecords(static_cast<int>(layout_.size()), static_cast<int>(n));
  if (made == nullptr) {
    return Status::IOError("no memory for " + std::to_string(n) + " records of " +
                         std::string(layout_.name()));
  }
  if (!bytes_.empty()) std::memcpy(made, bytes_.data(), bytes_.size());
  *buffer = made;
  return Status::Ok();
}

}  // namespace ydb
