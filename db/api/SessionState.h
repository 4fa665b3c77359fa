// The process-wide state behind the C-style session functions: the data
// directory, the open store, the instance lock and the last failure. The
// fetch functions of the component reach the open store through here.
#ifndef YDB_API_SESSIONSTATE_H_
#define YDB_API_SESSIONSTATE_H_

#include <memory>
#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

class SessionState {
 public:
  static SessionState& Get();

  // The store opened by YDB_start; null when none is open.
  Database* database() { return database_.get(); }

  // The store, only once init_db phase 1 has readied it; null otherwise.
  Database* ready_database() { return ready_ ? database_.get() : nullptr; }

  // Records the outcome of a C-style call for get_db_error.
  void Report(const Status& status) { last_error_ = status.ok() ? "" : status.message(); }
  const std::string& last_error() const { return last_error_; }

  Status ChooseDirectory(const char* dir);
  Status Start(const char* path);
  Status Ready();
  void Unready() { ready_ = false; }
  void Stop();

  const std::string& store_path() const { return store_path_; }
  bool OtherProcessHasOpen() const;

  // A run of result totals is in progress (begin_result_total), and
  // whether it holds a read transaction on the store for its snapshot.
  bool result_total = false;
  bool result_total_snapshot = false;

  // The caller's progress callback (set_SCP_callback), on the open store
  // and on any store opened later; null for none. Setting one starts the
  // count of interruptions again.
  using ProgressCallback = int (*)(int, int, const char*, int, double, double);
  void SetProgressCallback(ProgressCallback callback);
  int interruptions() const { return interruptions_; }

 private:
  void InstallProgressHook();

  SessionState() = default;

  std::string store_path_;
  std::unique_ptr<Database> database_;
  int lock_fd_ = -1;
  bool ready_ = false;
  std::string last_error_;
  ProgressCallback progress_ = nullptr;
  int interruptions_ = 0;
};

// The file name of the store inside a data directory.
constexpr const char* kStoreFileName = "ydbcln.db";

// A data directory as the application passes it, made a path: a final
// backslash (the application's separator) or slash is dropped, backslashes
// become slashes, and an empty text is the current directory.
std::string NormaliseDirectory(const std::string& dir);

}  // namespace ydb

#endif  // YDB_API_SESSIONSTATE_H_
