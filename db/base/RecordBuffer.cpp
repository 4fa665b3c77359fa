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

}  // namespace

void* AllocateRecords(int record_size, int count) {
  if (record_size <= 0 || count < 0) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(record_size) * static_cast<std::size_t>(count);
  if (count != 0 && bytes / static_cast<std::size_t>(count) != static_cast<std::size_t>(record_size)) {
    return nullptr;
  }
  void* block = std::calloc(1, sizeof(BufferHeader) + bytes);
  if (block == nullptr) return nullptr;
  BufferHeader* header = static_cast<BufferHeader*>(block);
  header->count = count;
  header->record_size = record_size;
  return header + 1;
}

void ReleaseRecords(void* buffer) {
  if (buffer != nullptr) std::free(static_cast<BufferHeader*>(buffer) - 1);
}

int RecordCount(const void* buffer) { return buffer != nullptr ? HeaderOf(buffer)->count : 0; }

int RecordSize(const void* buffer) {
  return buffer != nullptr ? HeaderOf(buffer)->record_size : 0;
}

}  // namespace ydb
