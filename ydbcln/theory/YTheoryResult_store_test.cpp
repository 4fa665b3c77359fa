// The theory result on races written to a store: the race from its card
// or its results (its nominations are the engine's test), the hits of a
// dead heat and of a pool nothing was paid on, and the forecast win odds
// the tie-break reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/Sjis.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/TheoryResult_test.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

using O = YTheoryOption;
using V = std::vector<int>;

const ydb::RaceKey kDeadHeat{"05", 20240106, 1};
const std::string kSmallWorldRace = "052024010611";

using ytest::Sjis;

class TheoryResultStore : public racetest::RaceStore {
 protected:
  // The small world with an edition and two marks (◎ on horse 1, 消 on
  // horse 3), and a race where horses 1 and 2 dead-heat for first and no
  // ワイド is paid.
  void WriteRaces() {
    ydb::Batch batch = ytest::MakeWorld();
    ydb::Race& small = batch.races[0];
    small.edition = 64;
    small.runners[0].prediction_mark = "0";
    small.runners[2].prediction_mark = "9";
    ydb::Race& heat = racetest::AddRace(&batch, kDeadHeat, "20211");
    heat.result->payouts = {{ydb::Pool::kWin, 1, 0, 240, 1},   {ydb::Pool::kWin, 2, 0, 310, 2},
                            {ydb::Pool::kPlace, 1, 0, 110, 1}, {ydb::Pool::kPlace, 2, 0, 120, 2},
                            {ydb::Pool::kPlace, 3, 0, 150, 3}, {ydb::Pool::kQuinella, 1, 2, 720, 1}};
    Write(batch);
  }

  // The result of the race `code` from its results record (card false) or
  // its card.
  void Load(const std::string& code, bool card, YTheoryResult* r, tagYCalcInfo* info = nullptr) {
    if (card) {
      yrace::OwnedBuffer buffer(get_denma2code(code.c_str()));
      ASSERT_EQ(yrace::record_count(buffer.get(), racedrec::kSize), 1);
      r->set(static_cast<_tagRACEDREC*>(buffer.get()), info, 0);
    } else {
      yrace::OwnedBuffer buffer(get_race2code_1_ex(code.c_str(), 1));
      ASSERT_EQ(yrace::record_count(buffer.get(), racermrec::kSize), 1);
      r->set(static_cast<_tagRACERMREC*>(buffer.get()), info);
    }
  }

  // Ranks the loaded runners by horse number (one factor) and buys by
  // `option`.
  static void Buy(YTheoryResult* r, int bettype, YTheoryOption option) {
    YTheory theory(nullptr);
    theory.additem(1, 100, 0, 3);
    for (int i = 0; i < r->runnercount; ++i) r->rank[0][i] = i + 1;
    r->setth(&theory, nullptr);
    r->setkaime(bettype, &option);
  }

  static YTheoryOption Singles(int maxrank) {
    YTheoryOption option = {};
    option.block[O::kSingleBlock][O::kBoxFirst] = maxrank;
    return option;
  }
  static YTheoryOption PairBox(int count) {
    YTheoryOption option = {};
    option.block[O::kPairBlock][O::kBoxFirst] = 1;
    option.block[O::kPairBlock][O::kBoxCount] = count;
    return option;
  }

  static V Hits(const YTheoryResult& r) { return V(r.hitamount, r.hitamount + r.hitcount); }
};

TEST_F(TheoryResultStore, TheCardGivesTheRaceItsRunnersAndTheirMarks) {
  WriteRaces();
  YTheoryResult r(&db_);
  Load(kSmallWorldRace, true, &r);
  EXPECT_EQ(r.racename, Sjis("第64回 ニューイヤーステークス"));
  EXPECT_EQ(r.coursetext, Sjis("ダ右 1700m"));
  EXPECT_EQ(r.placeindex, 5);  // 中山
  EXPECT_EQ(r.agekind, 3);     // 4歳上
  EXPECT_EQ(r.classindex, 7);  // open: by the age condition 4 (4歳上), not the grade
  ASSERT_EQ(r.runnercount, 9);
  EXPECT_EQ((V{r.frame[0], r.frame[7], r.frame[8]}), (V{1, 8, 8}));
  EXPECT_EQ((V{r.markcode[0], r.markcode[1], r.markcode[2]}), (V{1, 0, 10}));
  EXPECT_TRUE(r.excluded[2]);
  EXPECT_EQ(r.tansho[0].key, 0);  // a card has no payouts

  tagYCalcInfo info{1, 2000, 2, {}, 0, {}};
  Load(kSmallWorldRace, true, &r, &info);
  EXPECT_EQ((V{r.surface, r.distance, r.going}), (V{1, 2000, 2}));
  EXPECT_EQ(r.goingtext, Sjis("重"));
}

TEST_F(TheoryResultStore, TheResultsGiveTheRaceThePayoutsAndTheCardsMarks) {
  WriteRaces();
  YTheoryResult r(&db_);
  Load(kSmallWorldRace, false, &r);
  EXPECT_EQ(r.goingtext, Sjis("稍"));
  EXPECT_EQ(r.going, 1);
  ASSERT_EQ(r.runnercount, 9);
  EXPECT_EQ((V{r.markcode[0], r.markcode[2]}), (V{1, 10}));
  // (Each pool's payouts are the tickets command's hits on this race.)

  // The classification and payouts alone.
  YTheoryResult bare(&db_);
  yrace::OwnedBuffer buffer(get_race2code_1_ex(kSmallWorldRace.c_str(), 1));
  bare.setresult(static_cast<_tagRACERMREC*>(buffer.get()), nullptr);
  EXPECT_EQ((V{bare.runnercount, bare.placeindex, bare.umaren[0].amount}), (V{9, 5, 880}));
  EXPECT_TRUE(bare.racename.empty());
}

TEST_F(TheoryResultStore, HitsOnADeadHeatAndAPoolWithoutPayouts) {
  WriteRaces();
  // Both winners of a dead heat pay on 単勝.
  YTheoryResult heat(&db_);
  Load(kDeadHeat.code(), false, &heat);
  Buy(&heat, YTheoryResult::kWin, Singles(3));
  ASSERT_TRUE(heat.settekichu(YTheoryResult::kWin));
  EXPECT_EQ(Hits(heat), (V{240, 310}));
  EXPECT_EQ((V{heat.maxhit, heat.maxhitrank, heat.minhit, heat.minhitrank}),
            (V{310, 10002, 240, 10001}));
  // No ワイド was paid: the check says so.
  YTheoryOption box = PairBox(3);
  heat.setkaime(YTheoryResult::kWide, &box);
  EXPECT_EQ(heat.ticketcount, 3);
  EXPECT_FALSE(heat.settekichu(YTheoryResult::kWide));
  EXPECT_EQ(heat.hitcount, 0);
  // (The hits of every pool on a run race are the tickets command's.)
}

TEST_F(TheoryResultStore, ForecastOddsFromTheCallerOrFromTheStore) {
  WriteRaces();
  // Horses 1 and 2 alike on the factor; the store's forecast has odds for
  // horse 1 only, the caller's favours horse 2.
  theorytest::Race race;
  race.code = kSmallWorldRace;
  race.ranks = {{1, 1, 3, 4, 5, 6, 7, 8, 9}};
  EXPECT_EQ(theorytest::FinalRanks(*theorytest::Evaluate(race, &db_)),
            (V{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  race.odds = {60, 20, 30, 40, 50, 60, 70, 80, 90};
  EXPECT_EQ(theorytest::FinalRanks(*theorytest::Evaluate(race, &db_)),
            (V{2, 1, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(ydb_test_call_count("get_yodds_tan2code"), 1);
}

}  // namespace
