// Hooks for tests of code that calls the database operations: make a chosen
// operation fail as a broken store would, make it answer fewer records, and
// count the calls made. Not for production use.
//
// Every fetch and make_sorted_odds pass through these hooks; operations are
// named as their functions are ("get_odds2code_ex"). So do the record
// allocations of ybl.h, alloc_data and dup_data: making them fail is
// memory running out for the code that allocates record copies.
#ifndef YDB_API_YDBTEST_H_
#define YDB_API_YDBTEST_H_

#ifdef __cplusplus
extern "C" {
#endif

// From now on, the operation named fails as if the store had failed: it
// returns null and get_db_error() says it was made to fail. Several
// operations may be made to fail at once. A null name makes every
// operation work again.
void ydb_test_fail(const char* operation);

// The operation named works `calls` more times, then fails as above (so
// ydb_test_fail_after("make_sorted_odds", 1) lets the first popularity
// order be made and fails the second). A negative count is taken as 0.
void ydb_test_fail_after(const char* operation, int calls);

// How many times the operation named was called since the last reset,
// failed calls included; ydb_test_reset_counts() sets every count to 0.
int ydb_test_call_count(const char* operation);
void ydb_test_reset_counts(void);

// From now on, the buffers the operation named returns hold at most
// `count` records, the first ones, as if the store had no more (a race
// card whose runner records fall short of its runner count). A negative
// count ends the cut of that operation; a null name ends every cut.
void ydb_test_keep_records(const char* operation, int count);

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YDBTEST_H_
