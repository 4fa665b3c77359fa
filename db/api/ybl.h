// Record buffers and fixed-width fields.
//
// A record buffer is a contiguous run of fixed-size records of one record
// type. The pointer a fetch returns addresses the first record; a small
// hidden header in front of it holds the record count and size, so callers
// step through the run by the record size they know. A null buffer means
// "failure or nothing found" to the client library; the fetches of the
// database component return an empty (count 0) buffer for "nothing found"
// and null only when the store failed.
//
// Every buffer belongs to the caller until it is passed to release_data.
#ifndef YDB_API_YBL_H_
#define YDB_API_YBL_H_

#ifdef __cplusplus
extern "C" {
#endif

// Number of records in the buffer; 0 for a null buffer.
int get_rec_size(const void* buffer);

// Size in bytes of one record of the buffer; 0 for a null buffer.
int get_rec_width(const void* buffer);

// Frees a buffer; a null buffer is ignored.
void release_data(void* buffer);

// An independent copy of the buffer (null for a null buffer or when memory
// runs out), itself released with release_data.
void* dup_data(const void* buffer);

// A new buffer of `count` records of `record_size` bytes each, every byte
// zero, for the caller to fill. Null when either number is negative, the
// size is 0, or memory runs out.
void* alloc_data(int record_size, int count);

// The unsigned value of a digit field of `width` bytes: leading blanks are
// skipped, then digits are read up to the first byte that is not a digit.
// A blank or null field, or a width below 1, reads 0.
unsigned int mui(const void* field, int width);

// Copies the `width` bytes of a fixed-width field into `dst` and terminates
// it with a NUL; `dst` must hold width + 1 bytes. Returns `dst`.
char* buf2str(char* dst, const void* field, int width);

// Removes trailing blanks (0x20) from a NUL-terminated string in place and
// returns it. A null pointer is returned unchanged.
char* del_tspace(char* str);

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YBL_H_
