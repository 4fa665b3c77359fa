// The frame of every database operation at the C boundary: the guard
// (count, test-made failure), the ready store for a fetch, the report for
// get_db_error, and no exception escaping.
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
#include "db/store/Database.h"
#include "db/store/Status.h"

namespace ydb {

// Runs `body()`, which answers a Status, for the C function `operation` and
// reports the outcome. The failure, when a test made the operation fail,
// when the body fails or when anything throws.
template <typename Body>
Status RunGuarded(const char* operation, Body&& body) {
  Status s;
  if (!EnterOperation(operation)) {
    s = Status::Error("made to fail by a test");
  } else {
    try {
      s = body();
    } catch (const std::exception& e) {
      s = Status::Error(e.what());
    } catch (...) {
      s = Status::Error("unknown failure");
    }
  }
  if (!s.ok()) s = Status::Error(std::string(operation) + ": " + s.message());
  SessionState::Get().Report(s);
  return s;
}

// Runs `body(void** out)` for the C function `operation` and returns the
// buffer it made. The body sets *out only when it succeeds. Null, with the
// reason reported, when RunGuarded fails.
template <typename Body>
void* RunOperation(const char* operation, Body&& body) {
  void* out = nullptr;
  const Status s = RunGuarded(operation, [&] { return body(&out); });
  return s.ok() ? LeaveOperation(operation, out) : nullptr;
}

// RunOperation for a fetch from the store: `render(Database&, void** out)`
// runs on the ready store; with none, the fetch fails.
template <typename Render>
void* Fetch(const char* operation, Render&& render) {
  return RunOperation(operation, [&](void** out) {
    Database* db = SessionState::Get().ready_database();
    if (db == nullptr) return Status::Error("no data set is open");
    return render(*db, out);
  });
}

// The form of an operation that fills the caller's record instead of
// making a buffer: `fill(Database&)` runs on the ready store. 0 when it
// succeeds, -1 when RunGuarded fails or no data set is open.
template <typename Fill>
int FillFromStore(const char* operation, Fill&& fill) {
  const Status s = RunGuarded(operation, [&] {
    Database* db = SessionState::Get().ready_database();
    if (db == nullptr) return Status::Error("no data set is open");
    return fill(*db);
  });
  return s.ok() ? 0 : -1;
}

}  // namespace ydb

#endif  // YDB_API_FETCH_H_
