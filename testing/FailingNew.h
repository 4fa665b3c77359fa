// Test support: a program linked with FailingNew.cpp allocates through its
// own global operator new, which a test can make fail with std::bad_alloc
// (or, for the nothrow forms, a null pointer) as a machine short of memory
// would: the n-th allocation from now fails, and the ones after it succeed,
// so that what handles the failure may allocate.
// Only a test program of its own links it: it replaces operator new for
// the whole program, and the sanitizers' own checks of new and delete with
// it.
#ifndef YDB_TESTING_FAILINGNEW_H_
#define YDB_TESTING_FAILINGNEW_H_

namespace ytest {

// Lets `allocations` more allocations through, then fails one.
void FailAllocationAfter(long allocations);
// Every allocation succeeds again. Returns whether the failure was reached
// since FailAllocationAfter.
bool AllowAllocations();

}  // namespace ytest

#endif  // YDB_TESTING_FAILINGNEW_H_
