// Ownership of a record buffer returned by a fetch (ybl.h), so that every
// path out of the caller releases it, and the count of records of the
// expected size that it holds.
//
//   ydb::OwnedBuffer days(get_racelist2date_ex("2024", 0));
//   if (days == nullptr) ...  // the store failed
//   for (int n = 0; n < ydb::record_count(days.get(), racelistrec::kSize); ++n) {
//     unsigned char* day = ydb::record_at(days.get(), racelistrec::kSize, n);
//   }
#ifndef YDB_API_RECORDBUFFER_H_
#define YDB_API_RECORDBUFFER_H_

#include <memory>

#include "db/api/ybl.h"

namespace ydb {

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

}  // namespace ydb

#endif  // YDB_API_RECORDBUFFER_H_
