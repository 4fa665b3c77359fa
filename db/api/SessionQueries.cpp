// The session family's questions to the store. Failures are kept for
// get_db_error and answered as "none".
#include "db/api/SessionQueries.h"

namespace ydb {
namespace {

// Runs a one-value query on the ready store; 0 when there is no store, no
// row, a NULL, or a failure (which is reported).
int QueryInt(SessionState& state, const char* sql) {
  Database* db = state.ready_database();
  if (db == nullptr) {
    state.Report(Status::InvalidArgument("no data set is open"));
    return 0;
  }
  Statement& st = db->statement(sql);
  const int value = st.step() && !st.column_is_null(0) ? static_cast<int>(st.column_int(0)) : 0;
  state.Report(st.status());
  return value;
}

}  // namespace

int YearOfResults(SessionState& state, YearEnd end) {
  return QueryInt(state, end == YearEnd::kFirst
                             ? "SELECT MIN(race_date) / 10000 FROM race WHERE has_result"
                             : "SELECT MAX(race_date) / 10000 FROM race WHERE has_result");
}

int YearOfCards(SessionState& state, YearEnd end) {
  return QueryInt(state, end == YearEnd::kFirst
                             ? "SELECT MIN(race_date) / 10000 FROM race WHERE runner_count > 0"
                             : "SELECT MAX(race_date) / 10000 FROM race WHERE runner_count > 0");
}

bool HasBoughtTickets(SessionState& state) {
  return QueryInt(state, "SELECT EXISTS (SELECT 1 FROM ticket WHERE state <> 2)") != 0;
}

}  // namespace ydb
