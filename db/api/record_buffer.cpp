// Record buffers and fixed-width field helpers.
//
// A buffer is one allocation: a header (record count and size) followed by
// the records. Callers hold a pointer to the first record; the header sits
// just before it, aligned so that the records start on a 16-byte boundary.
#include "db/api/ybl.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

struct alignas(16) BufferHeader {
  int count;
  int record_size;
};

const BufferHeader* HeaderOf(const void* buffer) {
  return static_cast<const BufferHeader*>(buffer) - 1;
}

}  // namespace

extern "C" {

int get_rec_size(const void* buffer) { return buffer != nullptr ? HeaderOf(buffer)->count : 0; }

int get_rec_width(const void* buffer) {
  return buffer != nullptr ? HeaderOf(buffer)->record_size : 0;
}

void* alloc_data(int record_size, int count) {
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

void release_data(void* buffer) {
  if (buffer != nullptr) std::free(static_cast<BufferHeader*>(buffer) - 1);
}

void* dup_data(const void* buffer) {
  if (buffer == nullptr) return nullptr;
  const BufferHeader* header = HeaderOf(buffer);
  void* copy = alloc_data(header->record_size, header->count);
  if (copy != nullptr) {
    std::memcpy(copy, buffer,
                static_cast<std::size_t>(header->record_size) * static_cast<std::size_t>(header->count));
  }
  return copy;
}

unsigned int mui(const void* field, int width) {
  if (field == nullptr || width < 1) return 0;
  const unsigned char* p = static_cast<const unsigned char*>(field);
  int i = 0;
  while (i < width && p[i] == ' ') ++i;
  unsigned int value = 0;
  for (; i < width && std::isdigit(p[i]); ++i) {
    value = value * 10u + static_cast<unsigned int>(p[i] - '0');
  }
  return value;
}

char* buf2str(char* dst, const void* field, int width) {
  if (dst == nullptr) return nullptr;
  if (field == nullptr || width < 1) {
    dst[0] = '\0';
    return dst;
  }
  std::memcpy(dst, field, static_cast<std::size_t>(width));
  dst[width] = '\0';
  return dst;
}

char* del_tspace(char* str) {
  if (str == nullptr) return nullptr;
  std::size_t n = std::strlen(str);
  while (n > 0 && str[n - 1] == ' ') --n;
  str[n] = '\0';
  return str;
}

}  // extern "C"
