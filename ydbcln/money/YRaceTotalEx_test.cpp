// Search race totals on the small three-race world: the payouts of each
// pool worked out by hand; the frame, number and popularity rows equal to
// the result totals' rows (themselves checked by hand); the two ways in
// agreeing with each other, races without results left out, and failing
// fetches.
#include "ydbcln/money/YRaceTotalEx.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ydbcln/money/YResultTotal.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/search/YSearchDetailRace.h"

namespace {

// The small world's three races, each paying 単勝 350, 複勝 130 160 210,
// 枠連 620, 馬連 880 and ワイド 300 410 520; horses 1 to 8 finish in number
// order at popularity = place, frame = number, horse 9 scratched.
class RaceTotalExWorld : public racetest::RaceStore {
 protected:
  void SetUp() override {
    RaceStore::SetUp();
    Write(ytest::MakeThreeRaceWorld());
    _tagYDetailRaceInfo info{};
    info.period = {20231201, 20240131, 1023, 0};
    ASSERT_EQ(search_.setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
    ASSERT_EQ(search_.search(), 3);
  }

  _tagRACERMREC* Races() { return static_cast<_tagRACERMREC*>(search_.getorgdata(0)); }

  YSearchDetailRace search_{&db_};
};

TEST_F(RaceTotalExWorld, PayoutsAndRowsOfTheRacesFound) {
  YRaceTotalEx totals(&db_);
  ASSERT_EQ(totals.exec(Races(), search_.getparam()), 0);
  ASSERT_EQ(totals.getracecnt(), 3);
  EXPECT_EQ(totals.getracecode(0), "052023122811");
  EXPECT_EQ(totals.getracecode(3), "");
  ASSERT_NE(totals.getdata(), nullptr);
  const int expected[5][4] = {{3, 350, 350, 350},  {9, 130, 210, 167}, {3, 620, 620, 620},
                              {3, 880, 880, 880},  {9, 300, 520, 410}};
  for (int pool = 0; pool < YRaceTotalEx::kPools; ++pool) {
    for (int field = 0; field < 4; ++field) {
      EXPECT_EQ(totals.pay[pool][field], expected[pool][field]) << pool << "/" << field;
    }
  }
  totals.release();
  EXPECT_EQ(totals.getdata(), nullptr);

  // The codes one by one, with one naming no run race: the same totals.
  std::string codes = std::string(search_.getcodelistptr(), 36) + "052024013011";
  YRaceTotalEx bycode(&db_);
  ASSERT_EQ(bycode.exec(4, codes.data()), 0);
  EXPECT_EQ(bycode.getracecnt(), 3);
  EXPECT_EQ(std::memcmp(bycode.pay, totals.pay, sizeof totals.pay), 0);
  EXPECT_EQ(std::memcmp(bycode.ninki, totals.ninki, sizeof totals.ninki), 0);
}

TEST_F(RaceTotalExWorld, RowsEqualTheResultTotalsOfTheSameSearch) {
  YRaceTotalEx totals(&db_);
  ASSERT_EQ(totals.exec(Races(), search_.getparam()), 0);
  YResultTotal result(&db_);
  ASSERT_EQ(result.setcondition(&search_), 0);
  const struct {
    int category;
    int (*rows)[YRaceTotalEx::kRowSize];
    int count;
  } groups[] = {{8, totals.waku, 8}, {9, totals.umaban, 18}, {5, totals.ninki, 18}};
  for (const auto& g : groups) {
    ASSERT_EQ(result.exec(g.category), 0);
    for (int i = 0; i < g.count; ++i) {
      const YResultTotalRec* r = result.getresult(i);
      const int want[7] = {r->first, r->second, r->third, r->unplaced,
                           r->winrate, r->renrate, r->fukurate};
      for (int k = 0; k < 7; ++k) EXPECT_EQ(g.rows[i][k], want[k]) << g.category << "/" << i;
    }
  }
}

TEST_F(RaceTotalExWorld, FailingFetchesEndWithTheUnitAndLine) {
  YRaceTotalEx totals(&db_);
  EXPECT_EQ(totals.exec(nullptr, search_.getparam()), -1);
  EXPECT_EQ(db_.geterrstatus(), 0) << "no race records: the session is not touched";
  ydb_test_fail("get_race2cmd_sp2");
  EXPECT_EQ(totals.exec(Races(), search_.getparam()), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(db_.geterrdetail(), "ydbcln/YRaceTotalEx");
  const int line = db_.geterrdetailnumber();
  EXPECT_GT(line, 0);
  ydb_test_fail("get_race2code_2");
  db_.clearerror();
  EXPECT_EQ(totals.exec(3, search_.getcodelistptr()), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_NE(db_.geterrdetailnumber(), line) << "each failing step has its own line";
}

}  // namespace
