// Record buffers: what every fetch hands out. A buffer is one allocation, a
// header (record count and record size) followed by the records; its owner
// holds a pointer to the first record, the header sits just before it,
// aligned so that the records start on a 16-byte boundary. The C boundary
// publishes these as alloc_data, release_data, get_rec_size and
// get_rec_width (db/api/ybl.h); renderers fill them.
#ifndef YDB_BASE_RECORDBUFFER_H_
#define YDB_BASE_RECORDBUFFER_H_

namespace ydb {

// A zeroed buffer of `count` records of `record_size` bytes; null when the
// size is not positive, the count negative or the memory short. Zero records
// is a buffer too (not null).
void* AllocateRecords(int record_size, int count);

// Gives `buffer` (a buffer of `record_size` records, or null for a new
// one) room for `count` records and that count: the records it had up to
// `count` are kept, any beyond them are not initialised. Returns the
// buffer, perhaps moved; null when the memory is short, `buffer` then
// left as it was.
void* ResizeRecords(void* buffer, int record_size, int count);

// Frees a buffer; null is ignored.
void ReleaseRecords(void* buffer);

// The number of records, and the size of one; 0 for null.
int RecordCount(const void* buffer);
int RecordSize(const void* buffer);

}  // namespace ydb

#endif  // YDB_BASE_RECORDBUFFER_H_
