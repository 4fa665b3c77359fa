// The guard every database operation of the C boundary passes: it counts
// the call and says whether the operation may run, or must fail because a
// test asked for it, and it cuts the buffer the operation made when a test
// asked for fewer records (ydbtest.h).
#ifndef YDB_API_OPERATIONGUARD_H_
#define YDB_API_OPERATIONGUARD_H_

namespace ydb {

// Counts a call of `operation` (the function's own name). True when it
// may go on; false when a test has made it fail.
bool EnterOperation(const char* operation);

// The buffer `operation` made, as its caller gets it: the buffer itself,
// or, when a test keeps fewer records of this operation, a buffer of the
// first records only (the given buffer is then released).
void* LeaveOperation(const char* operation, void* buffer);

}  // namespace ydb

#endif  // YDB_API_OPERATIONGUARD_H_
