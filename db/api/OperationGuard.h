// The guard every database operation of the C boundary passes first: it
// counts the call and says whether the operation may run, or must fail
// because a test asked for it (ydbtest.h).
#ifndef YDB_API_OPERATIONGUARD_H_
#define YDB_API_OPERATIONGUARD_H_

namespace ydb {

// Counts a call of `operation` (the function's own name). True when it
// may go on; false when a test has made it fail.
bool EnterOperation(const char* operation);

}  // namespace ydb

#endif  // YDB_API_OPERATIONGUARD_H_
