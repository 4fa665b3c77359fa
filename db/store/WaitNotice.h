// The notice of a long wait for another process's write. A transaction
// (db/store/Database.h) that has waited kWaitNoticeMilliseconds for another
// process writing to its store tells the notice once, with the store's
// path, and goes on waiting up to Database::kBusyTimeoutMilliseconds in
// all. One notice for the whole process, none by default: a program sets it
// to tell its user why nothing happens. It is called on the waiting thread.
#ifndef YDB_STORE_WAITNOTICE_H_
#define YDB_STORE_WAITNOTICE_H_

#include <string>

namespace ydb {

using WaitNotice = void (*)(const std::string& path);

constexpr int kWaitNoticeMilliseconds = 500;

// Sets the process's notice; null for none.
void SetWaitNotice(WaitNotice notice);

}  // namespace ydb

#endif  // YDB_STORE_WAITNOTICE_H_
