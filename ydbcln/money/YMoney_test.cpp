// YMoney on hand-made races (each ticket's settlement, each day's and
// month's point are checked against a season's tickets by the money season
// test): a dead heat paying both winners, a ticket of a race without
// results left out, the extremes of the balance series and the series of
// one bet type, the record lists and their rates, one race fetch per race,
// and out-of-range indices.
#include "ydbcln/money/YMoney.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ydbcln/money/YBet.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

using racetest::RaceStore;

class MoneyTest : public RaceStore {
 protected:
  // The small world's race A (20240106, 単勝 1 350, 複勝 1 2 3, 枠連 1-2 620,
  // 馬連 1-2 880, ワイド 1-3 410), race B (20240203) whose win was a dead
  // heat of horses 1 and 2 paying 1230 each, and race C (20240210) with a
  // card only.
  void SetUp() override {
    RaceStore::SetUp();
    ydb::Batch batch = ytest::MakeWorld();
    ydb::Race& b = racetest::AddRace(&batch, {"05", 20240203, 11}, "20211");
    b.kai_day = 3;
    b.result->payouts = {{ydb::Pool::kWin, 1, 0, 1230, 1}, {ydb::Pool::kWin, 2, 0, 1230, 2}};
    ydb::Race& c = racetest::AddRace(&batch, {"05", 20240210, 11}, "20212");
    c.kai_day = 4;
    c.result.reset();
    for (ydb::Runner& runner : c.runners) runner.result.reset();
    Write(batch);
    Buy("20240106052024010611", {"001000001", "104000002", "201020001", "301020003",
                                 "401030001"});
    Buy("20240203052024020311", {"002000001", "003000001"});
    Buy("20240210052024021011", {"001000001"});
    ASSERT_EQ(wf_buy_ticket(), 0);
    ydb_test_reset_counts();
  }

  // Adds tickets on one race: the date and code, then for each the type
  // digit, numbers and count.
  void Buy(const std::string& race, const std::vector<std::string>& tickets) {
    for (const std::string& t : tickets) {
      const std::string record = race + t;
      ASSERT_EQ(add_buy_ticket(record.c_str()), 0) << record << ": " << get_db_error();
    }
  }

  std::vector<double> Totals(YMoney& money, int set, int series) {
    std::vector<double> out;
    for (int i = 0; i < money.getgraphcount(set, series); ++i) {
      out.push_back(money.getgraphdata(set, series, i)->total);
    }
    return out;
  }
};

TEST_F(MoneyTest, EachTicketIsSettledByThePayoutsOfItsRace) {
  YMoney money(&db_);
  ASSERT_EQ(money.exec(2024), 0);
  ASSERT_EQ(money.getrecordcount(0, 0), 7) << "the ticket of a race without results left out";
  // The money season test settles a season of tickets; here the dead heat,
  // where both winners pay.
  const YMoneyRecord* heat = money.getrecord(0, 0, 5);
  EXPECT_EQ(heat->racecode, "052024020311");
  EXPECT_DOUBLE_EQ(heat->returned, 123);
  EXPECT_EQ(heat->hits, 1);

  // The rates of a race and of the venues (the year's and each bet type's
  // are the command line's money page).
  const YMoneyRecord* a = money.getrecord(0, 1, 0);
  EXPECT_EQ(a->hitrate, 800);
  EXPECT_EQ(a->returnrate, 5025);
  EXPECT_EQ(money.getrecordcount(0, 4), 1) << "every race at one racecourse";
  EXPECT_EQ(money.getrecord(0, 4, 0)->racecode, "05");
  EXPECT_EQ(money.getrecord(0, 5, 0)->hitrate, 714) << "5 of 7";
  EXPECT_EQ(money.getstakedtext(), YUtil::getyen(100u, 10));
  EXPECT_EQ(money.getreturnedtext(), YUtil::getyen(525u, 10));

  EXPECT_EQ(ydb_test_call_count("get_race2code_1_ex"), 3) << "each race fetched once";
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(MoneyTest, TheBalanceSeriesRunByDayAndByMonth) {
  YMoney money(&db_);
  ASSERT_EQ(money.exec(2024), 0);
  ASSERT_EQ(money.getgraphcount(0, 0), 2);
  EXPECT_DOUBLE_EQ(money.getgraphmax(0, 0), 425);
  EXPECT_DOUBLE_EQ(money.getgraphmin(0, 0), 103) << "the balance of the second day";
  EXPECT_EQ(Totals(money, 0, 1), (std::vector<double>{25, 128})) << "the win tickets";
  EXPECT_DOUBLE_EQ(money.getgraphmin(0, 2), -20);
  EXPECT_DOUBLE_EQ(money.getgraphmin(1, 0), 0) << "the months without tickets";
  EXPECT_EQ(money.getgraphcount(0, 3), 1);
}

TEST_F(MoneyTest, OutOfRangeAndAFailingStoreGiveNoResults) {
  YMoney money(&db_);
  ASSERT_EQ(money.exec(2024), 0);
  EXPECT_EQ(money.getgraphcount(2, 0), -1);
  EXPECT_EQ(money.getgraphdata(0, 0, 2), nullptr);
  EXPECT_DOUBLE_EQ(money.getgraphmax(-1, 0), -1.0);
  EXPECT_EQ(money.getrecordcount(6, 0), -1);
  EXPECT_EQ(money.getrecord(0, 0, 7), nullptr);

  ASSERT_EQ(money.exec(2023), 0) << "a year without tickets";
  EXPECT_EQ(money.getgraphcount(1, 0), 0);
  EXPECT_EQ(money.getrecordcount(0, 5), 0);
  EXPECT_DOUBLE_EQ(money.getgraphmax(0, 0), -1e35);

  ydb_test_fail("get_buy_ticket2year");
  EXPECT_EQ(money.exec(2024), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(money.getrecordcount(0, 0), 0);
}

}  // namespace
