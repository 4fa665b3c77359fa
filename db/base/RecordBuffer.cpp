// Record buffers: a header and the records after it.
#include "db/base/RecordBuffer.h"

#include <cstddef>
#include <cstdlib>

namespace ydb {
namespace {

struct alignas(16) BufferHeader {
  int count;
  int record_size;
};

const BufferHeader* HeaderOf(const void* buffer) {
  return static_cast<const BufferHeader*>(buffer) - 1;
}

// The bytes of a block of `count` records of `record_size`, header
// included; false when the sizes are refused or the product overflows.
bool BlockSize(int record_size, int count, std::size_t* bytes) {
  if (record_size <= 0 || count < 0) return false;
  const std::size_t records = static_cast<std::size_t>(record_size) * static_cast<std::size_t>(count);
  if (count != 0 && records / static_cast<std::size_t>(count) != static_cast<std::size_t>(record_size)) {
    return false;
  }
  *bytes = sizeof(BufferHeader) + records;
  return true;
}

void* Headed(void* block, int record_size, int count) {
  if (block == nullptr) return nullptr;
  BufferHeader* header = static_cast<BufferHeader*>(block);
  header->count = count;
  header->record_size = record_size;
  return header + 1;
}

}  // namespace

void* AllocateRecords(int record_size, int count) {
  std::size_t bytes = 0;
  if (!BlockSize(record_size, count, &bytes)) return nullptr;
  return Headed(std::calloc(1, bytes), record_size, count);
}

void* ResizeRecords(void* buffer, int record_size, int count) {
  std::size_t bytes = 0;
  if (!BlockSize(record_size, count, &bytes)) return nullptr;
  void* block = buffer != nullptr ? static_cast<BufferHeader*>(buffer) - 1 : nullptr;
  return Headed(std::realloc(block, bytes), record_size, count);
}

void ReleaseRecords(void* buffer) {
  if (buffer != nullptr) std::free(static_cast<BufferHeader*>(buffer) - 1);
}

int RecordCount(const void* buffer) { return buffer != nullptr ? HeaderOf(buffer)->count : 0; }

int RecordSize(const void* buffer) {
  return buffer != nullptr ? HeaderOf(buffer)->record_size : 0;
}

}  // namespace ydb
