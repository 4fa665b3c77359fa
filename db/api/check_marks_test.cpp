// A check mark is stored when set_checkhj returns: a process killed right
// after it leaves the mark, and the store whole; a later process clears it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "db/api/DataSetSession_test.h"
#include "testing/SmallWorld.h"

namespace {

using ytest::CloseDataSet;
using ytest::OpenDataSet;

TEST(CheckMarkDurabilityTest, AMarkSurvivesAProcessKilledRightAfterSettingIt) {
  ytest::TempDir dir;
  ASSERT_TRUE(OpenDataSet(dir.str())) << get_db_error();
  ASSERT_TRUE(ydb::Writer(*ydb::SessionState::Get().database()).write(ytest::MakeWorld()).ok());
  CloseDataSet();

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The child sets the mark and dies at once, without closing anything.
    if (!OpenDataSet(dir.str()) || set_checkhj("2020011", 1) != 0) _exit(1);
    kill(getpid(), SIGKILL);
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child exited " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  ASSERT_TRUE(OpenDataSet(dir.str())) << get_db_error();
  EXPECT_EQ(is_code2checkhj("2020011", 1), 1);
  EXPECT_EQ(ytest::StoreIntegrity(), "ok");
  EXPECT_EQ(del_checkhj("2020011", 1), 0);
  CloseDataSet();
  ASSERT_TRUE(OpenDataSet(dir.str()));
  EXPECT_EQ(is_code2checkhj("2020011", 1), 0);
  CloseDataSet();
}

}  // namespace
