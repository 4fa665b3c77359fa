// RowRecord: a list row's record, borrowed or privately copied.
#include "ydbcln/entity/RowRecord.h"

#include <cstring>

#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

RowRecord::RowRecord(const void* record, int size)
    : bytes_(static_cast<const unsigned char*>(record)), size_(record != nullptr ? size : 0) {}

RowRecord::~RowRecord() { release(); }

void RowRecord::release() {
  if (owned_) release_data(const_cast<unsigned char*>(bytes_));
  bytes_ = nullptr;
  owned_ = false;
}

std::string RowRecord::raw(int offset, int width) const {
  if (bytes_ == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(bytes_) + offset, static_cast<std::size_t>(width));
}

void RowRecord::copy_from(YHorseDB* db, const RowRecord& other) {
  if (&other == this) return;
  release();
  size_ = other.size_;
  if (other.bytes_ == nullptr) return;
  void* copy = alloc_data(size_, 1);
  if (copy == nullptr) {
    if (db != nullptr) db->seterror(YHorseDB::kOutOfMemory, "", 0);
    size_ = 0;
    return;
  }
  std::memcpy(copy, other.bytes_, static_cast<std::size_t>(size_));
  bytes_ = static_cast<const unsigned char*>(copy);
  owned_ = true;
}
