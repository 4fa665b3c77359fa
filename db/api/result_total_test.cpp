// The result-total bracket: its reads see one snapshot of the data set
// while another connection commits, and every change of the user's data
// is refused inside it, leaving the data set as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/api/SessionState.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace {

class ResultTotalBracket : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(init_db(dir_.str().c_str(), 0), 0);
    ASSERT_NE(YDB_start(get_mdb_path()), 0);
    ASSERT_EQ(init_db(dir_.str().c_str(), 1), 0);
    ydb::Database* db = ydb::SessionState::Get().ready_database();
    ASSERT_TRUE(ydb::Writer(*db).write(ytest::MakeWorld()).ok());
  }
  void TearDown() override {
    end_result_total();
    term_db_ex();
    YDB_end();
  }

  // The number of records a fetch answers, the buffer released; -1 for null.
  static int Count(void* buffer) {
    if (buffer == nullptr) return -1;
    const int n = get_rec_size(buffer);
    release_data(buffer);
    return n;
  }

  ytest::TempDir dir_;
};

TEST_F(ResultTotalBracket, ReadsSeeTheSnapshotTakenWhenItOpened) {
  std::unique_ptr<ydb::Database> other;
  ASSERT_TRUE(ydb::Database::Open(get_mdb_path(), ydb::Database::Mode::kOpenExisting, &other).ok());
  const ydb::RaceKey later{"05", 20240113, 11};
  EXPECT_EQ(is_result_total(0), 0);
  begin_result_total();
  EXPECT_NE(is_result_total(0), 0);
  ydb::Race race = ytest::MakeRace(later);
  race.kai_day = 4;
  const ydb::Status written = ydb::Writer(*other).write(race);
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_EQ(Count(get_race2code_1_ex(later.code().c_str(), 1)), 0) << "committed after it opened";
  EXPECT_EQ(Count(get_race2code_1_ex("052024010611", 1)), 1);
  begin_result_total();  // a second begin changes nothing
  end_result_total();
  EXPECT_EQ(is_result_total(0), 0);
  EXPECT_EQ(Count(get_race2code_1_ex(later.code().c_str(), 1)), 1);
}

TEST_F(ResultTotalBracket, ChangesAreRefusedInsideAndAllowedAfter) {
  const std::string ticket = "20240106052024010611" "001000001";
  ASSERT_EQ(add_buy_ticket(ticket.c_str()), 0);
  begin_result_total();
  EXPECT_EQ(add_buy_ticket(ticket.c_str()), -1);
  EXPECT_NE(std::string(get_db_error()).find("result totals"), std::string::npos)
      << get_db_error();
  EXPECT_EQ(wf_buy_ticket(), -1);
  EXPECT_EQ(set_checkhj("2020011", 1), -1);
  EXPECT_EQ(del_theory(1), -1);
  EXPECT_EQ(Count(get_buy_ticket2year("2024")), 1) << "reads go on";
  end_result_total();
  EXPECT_EQ(Count(get_checkhj_list(1)), 0) << "no mark was stored";
  EXPECT_EQ(wf_buy_ticket(), 0) << get_db_error();
  EXPECT_EQ(Count(get_buy_ticket2year("2024")), 1) << "the refused changes left one ticket";
  EXPECT_EQ(set_checkhj("2020011", 1), 0) << get_db_error();
}

}  // namespace
