// Collecting rendered records and handing them over as a record buffer.
#include "db/render/RenderedRecords.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "db/base/RecordBuffer.h"

namespace ydb {

RenderedRecords::~RenderedRecords() { ReleaseRecords(records_); }

void RenderedRecords::Reserve(std::size_t records) {
  if (records <= capacity_) return;
  if (records > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  void* grown = ResizeRecords(records_, static_cast<int>(layout_.size()), static_cast<int>(records));
  if (grown == nullptr) throw std::bad_alloc();
  records_ = static_cast<unsigned char*>(grown);
  capacity_ = records;
}

unsigned char* RenderedRecords::Extend(std::size_t more) {
  if (count_ + more > capacity_) Reserve(std::max(count_ + more, capacity_ + capacity_ / 2 + 16));
  unsigned char* end = records_ + count_ * layout_.size();
  count_ += more;
  return end;
}

void* RenderedRecords::Add() {
  unsigned char* record = Extend(1);
  std::memcpy(record, layout_.empty_image().data(), layout_.size());
  return record;
}

void RenderedRecords::AddRendered(const void* records, std::size_t count) {
  if (count == 0) return;
  std::memcpy(Extend(count), records, count * layout_.size());
}

void RenderedRecords::AddAllAndRelease(void* buffer) {
  const std::unique_ptr<void, void (*)(void*)> owned(buffer, ReleaseRecords);
  AddRendered(buffer, static_cast<std::size_t>(RecordCount(buffer)));
}

Status RenderedRecords::Finish(void** buffer) {
  const int size = static_cast<int>(layout_.size());
  const int n = static_cast<int>(count_);
  // Shrunk to the records added, which hands back the space unused.
  void* made = records_ != nullptr ? ResizeRecords(records_, size, n) : AllocateRecords(size, 0);
  if (made == nullptr) {
    return Status::IOError("no memory for " + std::to_string(n) + " records of " +
                           std::string(layout_.name()));
  }
  records_ = nullptr;
  count_ = capacity_ = 0;
  *buffer = made;
  return Status::Ok();
}

}  // namespace ydb
