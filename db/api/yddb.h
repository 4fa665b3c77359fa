// Starts and stops the database engine: opens the data set's store file and
// closes it again.
#ifndef YDB_API_YDDB_H_
#define YDB_API_YDDB_H_

#ifdef __cplusplus
extern "C" {
#endif

// Opens the store at `path` (as get_mdb_path answers it). Non-zero on
// success; zero when the file cannot be opened, is not a data set of this
// component, or was written by a newer schema version. A failed start
// leaves the file untouched.
int YDB_start(const char* path);

// Closes the store. Harmless when nothing is open.
void YDB_end(void);

// Sets what is called once, with the store file's path, when a write of
// this process (a session's, or a whole data set's) has waited half a
// second for another process writing to the same store; the write goes on
// waiting up to 10 s in all, and then fails. Null, the default, tells
// nothing. For every store the process opens, before or after.
void YDB_set_wait_notice(void (*notice)(const char* path));

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YDDB_H_
