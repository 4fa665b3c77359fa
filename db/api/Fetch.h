// The frame of every database operation at the C boundary that answers a
// record buffer: the guard (count, test-made failure), the ready store for
// a fetch, the report for get_db_error, and no exception escaping.
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

// Runs `body(void** out)` for the C function `operation` and returns the
// buffer it made. The body answers a Status and sets *out only when it
// succeeds. Null, with the reason reported, when a test made the
// operation fail, when the body fails or when anything throws.
template <typename Body>
void* RunOperation(const char* operation, Body&& body) {
  SessionState& state = SessionState::Get();
  Status s;
  void* out = nullptr;
  if (!EnterOperation(operation)) {
    s = Status::Error("made to fail by a test");
  } else {
    try {
      s = body(&out);
    } catch (const std::exception& e) {
      s = Status::Error(e.what());
    } catch (...) {
      s = Status::Error("unknown failure");
    }
  }
  if (!s.ok()) {
    state.Report(Status::Error(std::string(operation) + ": " + s.message()));
    return nullptr;
  }
  state.Report(s);
  return out;
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

}  // namespace ydb

#endif  // YDB_API_FETCH_H_
