// The frame of every database operation at the C boundary: the guard
// (count, test-made failure), the ready store for a fetch or a change, the
// report for get_db_error, and no exception escaping.
//
//   void* get_exprize2code(const char* code) {
//     return ydb::Fetch("get_exprize2code", [&](ydb::Database& db, void** out) {
//       ...
//       return ydb::RenderPayouts(db, key, out);
//     });
//   }
#ifndef YDB_API_FETCH_H_
#define YDB_API_FETCH_H_

#include <exception>
#include <string>

#include "db/api/OperationGuard.h"
#include "db/api/SessionState.h"
#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// Runs `body()` for the C function `operation` and answers its Status: the
// guard first (a test may make the operation fail), no exception escaping,
// and the outcome reported for get_db_error. For operations that answer a
// number rather than a buffer.
template <typename Body>
Status RunCall(const char* operation, Body&& body) {
  Status s;
  if (!EnterOperation(operation)) {
    s = Status::IOError("made to fail by a test");
  } else {
    try {
      s = body();
    } catch (const std::exception& e) {
      s = Status::IOError(e.what());
    } catch (...) {
      s = Status::IOError("unknown failure");
    }
  }
  if (!s.ok()) s = s.Within(operation);
  SessionState::Get().Report(s);
  return s;
}

// Runs `body(void** out)` for the C function `operation` and returns the
// buffer it made. The body answers a Status and sets *out only when it
// succeeds. Null, with the reason reported, when a test made the
// operation fail, when the body fails or when anything throws.
template <typename Body>
void* RunOperation(const char* operation, Body&& body) {
  void* out = nullptr;
  const Status s = RunCall(operation, [&] { return body(&out); });
  return s.ok() ? LeaveOperation(operation, out) : nullptr;
}

// RunOperation for a fetch from the store: `render(Database&, void** out)`
// runs on the ready store, all its statements reading one snapshot; with
// no store, the fetch fails.
template <typename Render>
void* Fetch(const char* operation, Render&& render) {
  return RunOperation(operation, [&](void** out) {
    Database* db = SessionState::Get().ready_database();
    if (db == nullptr) return Status::InvalidArgument("no data set is open");
    const ReadSnapshot snapshot(*db);
    return render(*db, out);
  });
}

// RunCall for an operation on the store: `body(Database&)` runs on the
// ready store; with none, the operation fails.
template <typename Body>
Status StoreCall(const char* operation, Body&& body) {
  return RunCall(operation, [&] {
    Database* db = SessionState::Get().ready_database();
    if (db == nullptr) return Status::InvalidArgument("no data set is open");
    return body(*db);
  });
}

// StoreCall for an operation that changes the data set (a ticket, a
// theory, a check mark). Refused, with nothing changed, while a run of
// result totals reads its one snapshot (begin_result_total): a total is
// never read half before and half after a change.
template <typename Body>
Status ChangeCall(const char* operation, Body&& body) {
  return StoreCall(operation, [&](Database& db) {
    if (SessionState::Get().result_total) {
      return Status::Aborted("refused: a run of result totals is reading the data set; "
                             "change it once the run has ended");
    }
    return body(db);
  });
}

}  // namespace ydb

#endif  // YDB_API_FETCH_H_
