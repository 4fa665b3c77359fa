// Bought tickets through the C boundary: what is refused, what reads see of
// pending changes, that pending changes belong to the data set (another
// process sees them, only a commit or a rollback ends them), the test
// switches, and commits that survive a process killed at any point.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "db/api/DataSetSession_test.h"
#include "db/api/ybl.h"
#include "testing/SmallWorld.h"

namespace {

using ytest::CloseDataSet;
using ytest::OpenDataSet;

// A ticket record on race `code` (its date taken from the code unless
// given): bet-type digit, numbers and count as their digits.
std::string Ticket(char digit, int first, int second, int count,
                   const std::string& code = "052024010611", const std::string& date = "") {
  char tail[10];
  std::snprintf(tail, sizeof tail, "%02d%02d%04d", first, second, count);
  return (date.empty() ? code.substr(2, 8) : date) + code + digit + tail;
}

// The records of a buffer as strings, the buffer released; "null" for none.
std::vector<std::string> Records(void* buffer) {
  if (buffer == nullptr) return {"null"};
  std::vector<std::string> out;
  const char* at = static_cast<const char*>(buffer);
  for (int i = 0; i < get_rec_size(buffer); ++i) out.emplace_back(at + 29 * i, 29);
  release_data(buffer);
  return out;
}

std::int64_t Count(const char* sql) {
  ydb::Statement& st = ydb::SessionState::Get().database()->statement(sql);
  const std::int64_t n = st.step() ? st.column_int(0) : -1;
  st.reset();
  return n;
}

class TicketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
    ASSERT_TRUE(ydb::Writer(*ydb::SessionState::Get().database()).write(ytest::MakeWorld()).ok());
  }
  void TearDown() override {
    ydb_test_fail(nullptr);
    CloseDataSet();
  }

  std::vector<std::string> Held() { return Records(get_buy_ticket2code("052024010611")); }
  std::vector<std::string> Pending(int change) { return Records(get_buy_ticket_pending(change)); }

  ytest::TempDir dir_;
};

TEST_F(TicketTest, RefusedTicketsStoreNothing) {
  const std::string good = Ticket('0', 3, 0, 1);
  std::string letters = good;
  letters[22] = 'x';
  EXPECT_EQ(add_buy_ticket(letters.c_str()), -1) << "a letter in the first number";
  EXPECT_EQ(add_buy_ticket(Ticket('5', 3, 0, 1).c_str()), -1) << "bet-type digit 5";
  EXPECT_EQ(add_buy_ticket(Ticket('0', 3, 0, 1, "052024010611", "20240107").c_str()), -1)
      << "a date that is not the code's";
  EXPECT_NE(std::string(get_db_error()).find("not the date"), std::string::npos);
  EXPECT_EQ(add_buy_ticket(Ticket('0', 3, 0, 1, "052024010612").c_str()), -1)
      << "a race the data set does not hold";
  EXPECT_EQ(add_buy_ticket(Ticket('2', 7, 7, 1).c_str()), -1) << "frame 7 holds one of nine";
  EXPECT_EQ(add_buy_ticket(Ticket('0', 10, 0, 1).c_str()), -1) << "nine runners";
  EXPECT_EQ(add_buy_ticket(Ticket('0', 3, 0, 0).c_str()), -1);
  EXPECT_EQ(add_buy_ticket(nullptr), -1);
  EXPECT_EQ(del_buy_ticket(letters.c_str()), -1) << "a record not well formed is no ticket";
  EXPECT_TRUE(Held().empty());
  EXPECT_EQ(is_buy_data(), 0);
  EXPECT_EQ(add_buy_ticket(Ticket('2', 8, 8, 1).c_str()), 0) << "frame 8 holds two of nine";
  EXPECT_EQ(is_buy_data(), 1);
}

TEST_F(TicketTest, ReadsSeeCommittedTicketsAndPendingAdditionsNotPendingDeletions) {
  const std::string win = Ticket('0', 3, 0, 2);
  const std::string wide = Ticket('4', 1, 9, 5);
  ASSERT_EQ(add_buy_ticket(win.c_str()), 0);
  ASSERT_EQ(add_buy_ticket(win.c_str()), 0) << "the same ticket twice is held twice";
  ASSERT_EQ(add_buy_ticket(wide.c_str()), 0);
  EXPECT_EQ(Held(), (std::vector<std::string>{win, win, wide}));
  EXPECT_EQ(Records(get_buy_ticket2year("2024")), (std::vector<std::string>{win, win, wide}));
  EXPECT_TRUE(Records(get_buy_ticket2year("24")).empty());
  EXPECT_EQ(Pending(1).size(), 3u);
  EXPECT_EQ(Records(get_buy_ticket_pending(3)), std::vector<std::string>{"null"});

  ASSERT_EQ(wf_buy_ticket(), 0);
  EXPECT_TRUE(Pending(1).empty());
  EXPECT_EQ(del_buy_ticket(win.c_str()), 0) << "deletes one of the two";
  EXPECT_EQ(Held(), (std::vector<std::string>{win, wide}));
  EXPECT_EQ(Pending(2), std::vector<std::string>{win});
  EXPECT_EQ(del_buy_ticket(Ticket('0', 4, 0, 2).c_str()), 1) << "not held";
  EXPECT_STREQ(get_db_error(), "") << "not holding a ticket is no failure";

  ASSERT_EQ(reinit_buy_ticket(), 0);
  EXPECT_EQ(Held(), (std::vector<std::string>{win, win, wide})) << "a deletion rolled back";
  ASSERT_EQ(del_buy_ticket(win.c_str()), 0);
  ASSERT_EQ(del_buy_ticket(win.c_str()), 0);
  ASSERT_EQ(del_buy_ticket(wide.c_str()), 0);
  EXPECT_EQ(is_buy_data(), 0) << "every ticket deleted, though not yet committed";
  ASSERT_EQ(wf_buy_ticket(), 0);
  EXPECT_EQ(Count("SELECT count(*) FROM ticket"), 0);
}

TEST_F(TicketTest, OnlyACommitOrARollbackEndsPendingChanges) {
  const std::string first = Ticket('1', 2, 0, 1);
  const std::string second = Ticket('3', 1, 2, 1);
  ASSERT_EQ(add_buy_ticket(first.c_str()), 0);
  ASSERT_EQ(wf_buy_ticket(), 0);
  ASSERT_EQ(add_buy_ticket(second.c_str()), 0);
  // Neither a theory nor a check mark stored meanwhile commits the ticket.
  ydb::Theory theory;
  theory.title = "test";
  theory.items = {{1, 100, 0, 0, 0}};
  ASSERT_TRUE(ydb::Writer(*ydb::SessionState::Get().database()).storeTheory(&theory).ok());
  ASSERT_EQ(set_checkhj("2020011", 1), 0);
  ASSERT_EQ(reinit_buy_ticket(), 0);
  EXPECT_EQ(Held(), std::vector<std::string>{first});

  // A pending addition made by another process is seen here and stays
  // after that process ends, until this one commits it.
  CloseDataSet();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool added = OpenDataSet(dir_.str()) && add_buy_ticket(second.c_str()) == 0;
    CloseDataSet();
    _exit(added ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(OpenDataSet(dir_.str())) << get_db_error();
  EXPECT_EQ(Pending(1), std::vector<std::string>{second});
  EXPECT_EQ(Held(), (std::vector<std::string>{first, second}));
  ASSERT_EQ(wf_buy_ticket(), 0);
  ASSERT_EQ(reinit_buy_ticket(), 0);
  EXPECT_EQ(Held(), (std::vector<std::string>{first, second}));
}

TEST_F(TicketTest, AFailingStoreLeavesThePendingChangesAsTheyWere) {
  const std::string held = Ticket('0', 1, 0, 1);
  ASSERT_EQ(add_buy_ticket(held.c_str()), 0);
  const std::string other = Ticket('0', 2, 0, 1);
  const std::pair<const char*, std::function<int()>> calls[] = {
      {"add_buy_ticket", [&] { return add_buy_ticket(other.c_str()); }},
      {"del_buy_ticket", [&] { return del_buy_ticket(held.c_str()); }},
      {"wf_buy_ticket", [] { return wf_buy_ticket(); }},
      {"reinit_buy_ticket", [] { return reinit_buy_ticket(); }},
  };
  for (const auto& [operation, call] : calls) {
    ydb_test_fail(operation);
    EXPECT_EQ(call(), -1) << operation;
    EXPECT_NE(std::string(get_db_error()).find(operation), std::string::npos);
    ydb_test_fail(nullptr);
    EXPECT_EQ(Pending(1), std::vector<std::string>{held}) << operation;
  }
  EXPECT_EQ(Count("SELECT count(*) FROM ticket WHERE state <> 1"), 0);
}

// A child adds three tickets and commits, again and again, reporting each
// commit through a pipe; it is killed at seeded random points. Every
// reported commit is whole in the data set afterwards, at most one more,
// never part of one, and the store passes SQLite's integrity check.
TEST(TicketCrashTest, ACommitKilledAnywhereIsWholeOrAbsent) {
  ytest::TempDir dir;
  ASSERT_TRUE(OpenDataSet(dir.str())) << get_db_error();
  ASSERT_TRUE(ydb::Writer(*ydb::SessionState::Get().database()).write(ytest::MakeWorld()).ok());
  CloseDataSet();
  const std::string tickets[3] = {Ticket('0', 1, 0, 1), Ticket('3', 1, 2, 2), Ticket('2', 8, 8, 3)};

  std::mt19937 random(18);
  std::int64_t committed = 0;
  for (int round = 0; round < 20; ++round) {
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipe_ends[0]);
      // What a killed child left pending is no commit of its own.
      if (!OpenDataSet(dir.str()) || reinit_buy_ticket() != 0) _exit(1);
      for (int i = 0; i < 1000; ++i) {
        for (const std::string& t : tickets) {
          if (add_buy_ticket(t.c_str()) != 0) _exit(1);
        }
        if (wf_buy_ticket() != 0) _exit(1);
        if (write(pipe_ends[1], "c", 1) != 1) _exit(1);
      }
      _exit(0);
    }
    close(pipe_ends[1]);
    const int wait_for = std::uniform_int_distribution<int>(0, 5)(random);
    char report = 0;
    int reported = 0;
    while (reported < wait_for && read(pipe_ends[0], &report, 1) == 1) ++reported;
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
    kill(child, SIGKILL);
    while (read(pipe_ends[0], &report, 1) == 1) ++reported;
    close(pipe_ends[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the child exited";

    ASSERT_TRUE(OpenDataSet(dir.str())) << "round " << round << ": " << get_db_error();
    EXPECT_EQ(ytest::StoreIntegrity(), "ok") << "round " << round;
    const std::int64_t now = Count("SELECT count(*) FROM ticket WHERE state = 0");
    const std::int64_t gained = now - committed;
    EXPECT_TRUE(gained == 3 * reported || gained == 3 * reported + 3)
        << "round " << round << ": " << reported << " commits reported, " << gained
        << " tickets committed";
    EXPECT_LE(Count("SELECT count(*) FROM ticket WHERE state = 1"), 3);
    committed = now;
    CloseDataSet();
  }
}

}  // namespace
