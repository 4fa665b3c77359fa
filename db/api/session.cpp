// The session family of the database operations and the engine start and
// stop: the C-style boundary over SessionState. Each call records its
// outcome for get_db_error().
#include "db/api/SessionQueries.h"
#include "db/api/SessionState.h"
#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"
#include "db/base/Today.h"
#include "db/store/WaitNotice.h"

#include <string>

using ydb::SessionState;
using ydb::Status;

namespace {

// The program's notice of a long wait for another process's write.
void (*wait_notice)(const char* path) = nullptr;

void TellWaiting(const std::string& path) { wait_notice(path.c_str()); }

}  // namespace

extern "C" {

int init_db(const char* dir, int phase) {
  SessionState& state = SessionState::Get();
  Status s;
  if (phase == 0) {
    s = state.ChooseDirectory(dir);
  } else if (phase == 1) {
    s = state.Ready();
  } else {
    s = Status::InvalidArgument("init_db: unknown phase " + std::to_string(phase));
  }
  state.Report(s);
  return s.ok() ? 0 : 1;
}

const char* get_mdb_path(void) { return SessionState::Get().store_path().c_str(); }

void term_db_ex(void) { SessionState::Get().Unready(); }

int YDB_start(const char* path) {
  SessionState& state = SessionState::Get();
  Status s = state.Start(path);
  state.Report(s);
  return s.ok() ? 1 : 0;
}

void YDB_end(void) { SessionState::Get().Stop(); }

void YDB_set_wait_notice(void (*notice)(const char* path)) {
  wait_notice = notice;
  ydb::SetWaitNotice(notice != nullptr ? TellWaiting : nullptr);
}

int get_1st_year(void) { return ydb::YearOfResults(SessionState::Get(), ydb::YearEnd::kFirst); }
int get_last_year(void) { return ydb::YearOfResults(SessionState::Get(), ydb::YearEnd::kLast); }
int get_1st_year_den(void) { return ydb::YearOfCards(SessionState::Get(), ydb::YearEnd::kFirst); }
int get_last_year_den(void) { return ydb::YearOfCards(SessionState::Get(), ydb::YearEnd::kLast); }

int is_1stinstance(void) {
  SessionState& state = SessionState::Get();
  if (state.database() == nullptr) {
    state.Report(Status::InvalidArgument("is_1stinstance: no data set is open"));
    return 0;
  }
  state.Report(Status::Ok());
  return state.OtherProcessHasOpen() ? 0 : 1;
}

int is_buy_data(void) { return ydb::HasBoughtTickets(SessionState::Get()) ? 1 : 0; }

int get_today(void) { return ydb::Today(); }

int set_today(int date) { return ydb::SetToday(date) ? 0 : -1; }

void set_SCP_callback(SCP_CALLBACK fn) { SessionState::Get().SetProgressCallback(fn); }

int get_SCP_interruptions(void) { return SessionState::Get().interruptions(); }

const char* get_db_error(void) { return SessionState::Get().last_error().c_str(); }

}  // extern "C"
