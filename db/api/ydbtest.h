// Hooks for tests of code that calls the database operations: make a chosen
// operation fail as a broken store would, and count the calls made. Not for
// production use.
#ifndef YDB_API_YDBTEST_H_
#define YDB_API_YDBTEST_H_

#ifdef __cplusplus
extern "C" {
#endif

// From now on, the operation named (e.g. "get_odds2code_ex") fails as if
// the store had failed: a fetch returns null. Several operations may be
// made to fail at once. A null name makes every operation work again.
void ydb_test_fail(const char* operation);

// How many times the operation named was called since the last reset;
// ydb_test_reset_counts() sets every count to 0.
int ydb_test_call_count(const char* operation);
void ydb_test_reset_counts(void);

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YDBTEST_H_
