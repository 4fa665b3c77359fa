// The result-total bracket at the C boundary: one read transaction on the
// store for the run's reads, so that a total counts one state of the data
// set; changes are refused meanwhile (ChangeCall, Fetch.h).
#include "db/api/SessionState.h"
#include "db/api/ydbbsn.h"

using ydb::Database;
using ydb::SessionState;

extern "C" {

void begin_result_total(void) {
  SessionState& state = SessionState::Get();
  if (state.result_total) return;
  state.result_total = true;
  Database* db = state.ready_database();
  if (db == nullptr || !db->exec("BEGIN").ok()) return;
  state.result_total_snapshot = true;
  // A deferred transaction takes its snapshot at its first read.
  db->exec("SELECT count(*) FROM sqlite_master");
}

void end_result_total(void) {
  SessionState& state = SessionState::Get();
  if (!state.result_total) return;
  state.result_total = false;
  Database* db = state.database();
  if (state.result_total_snapshot && db != nullptr) db->exec("COMMIT");
  state.result_total_snapshot = false;
}

int is_result_total(int /*reserved*/) { return SessionState::Get().result_total ? 1 : 0; }

}  // extern "C"
