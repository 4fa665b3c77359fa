// Record buffers and fixed-width field helpers.
//
// The buffers themselves are the component's vocabulary (db/base/RecordBuffer.h).
#include "db/api/ybl.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "db/api/OperationGuard.h"
#include "db/base/RecordBuffer.h"

extern "C" {

int get_rec_size(const void* buffer) { return ydb::RecordCount(buffer); }

int get_rec_width(const void* buffer) { return ydb::RecordSize(buffer); }

// Allocations pass the operation guard so that a test can make them fail
// as if memory had run out (ydbtest.h).
void* alloc_data(int record_size, int count) {
  if (!ydb::EnterOperation("alloc_data")) return nullptr;
  return ydb::AllocateRecords(record_size, count);
}

void release_data(void* buffer) { ydb::ReleaseRecords(buffer); }

void* dup_data(const void* buffer) {
  if (buffer == nullptr || !ydb::EnterOperation("dup_data")) return nullptr;
  const int size = ydb::RecordSize(buffer), count = ydb::RecordCount(buffer);
  void* copy = ydb::AllocateRecords(size, count);
  if (copy != nullptr) {
    std::memcpy(copy, buffer, static_cast<std::size_t>(size) * static_cast<std::size_t>(count));
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
