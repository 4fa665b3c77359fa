// Ownership of a record buffer returned by the database library, so that
// every path out of a fetch releases it, and the count of records of the
// expected size that it holds.
#ifndef YDBCLN_RACE_RECORDBUFFER_H_
#define YDBCLN_RACE_RECORDBUFFER_H_

#include <memory>

#include "ydbcln/session/ydblib.h"

namespace yrace {

struct ReleaseData {
  void operator()(void* buffer) const { release_data(buffer); }
};

// A fetched buffer, released when it goes out of scope.
using OwnedBuffer = std::unique_ptr<void, ReleaseData>;

// The number of records in `buffer` when its records are `record_size`
// bytes long; 0 for a null buffer or records of another size, so that a
// caller stepping by its own record size never reads past the buffer.
inline int record_count(const void* buffer, int record_size) {
  return get_rec_width(buffer) == record_size ? get_rec_size(buffer) : 0;
}

// The record `index` of a buffer of `record_size`-byte records.
inline unsigned char* record_at(void* buffer, int record_size, int index) {
  return static_cast<unsigned char*>(buffer) + static_cast<long>(record_size) * index;
}

}  // namespace yrace

#endif  // YDBCLN_RACE_RECORDBUFFER_H_
