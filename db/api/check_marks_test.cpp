// A check mark is stored when set_checkhj returns: a process killed right
// after it leaves the mark, and the store whole; a later process clears it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "db/api/SessionState.h"
#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace {

bool Open(const std::string& dir) {
  return init_db(dir.c_str(), 0) == 0 && YDB_start(get_mdb_path()) != 0 &&
         init_db(dir.c_str(), 1) == 0;
}

void Close() {
  term_db_ex();
  YDB_end();
}

TEST(CheckMarkDurabilityTest, AMarkSurvivesAProcessKilledRightAfterSettingIt) {
  ytest::TempDir dir;
  ASSERT_TRUE(Open(dir.str())) << get_db_error();
  ASSERT_TRUE(ydb::Writer(*ydb::SessionState::Get().database()).write(ytest::MakeWorld()).ok());
  Close();

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The child sets the mark and dies at once, without closing anything.
    if (!Open(dir.str()) || set_checkhj("2020011", 1) != 0) _exit(1);
    kill(getpid(), SIGKILL);
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child exited " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  ASSERT_TRUE(Open(dir.str())) << get_db_error();
  EXPECT_EQ(is_code2checkhj("2020011", 1), 1);
  ydb::Statement& check = ydb::SessionState::Get().database()->statement("PRAGMA integrity_check");
  ASSERT_TRUE(check.step());
  EXPECT_EQ(check.column_text(0), "ok");
  check.reset();
  EXPECT_EQ(del_checkhj("2020011", 1), 0);
  Close();
  ASSERT_TRUE(Open(dir.str()));
  EXPECT_EQ(is_code2checkhj("2020011", 1), 0);
  Close();
}

}  // namespace
