// The final order of a theory result: weights, scores and every stage of
// the tie-breaks, on hand-built factor ranks.
#include <gtest/gtest.h>

#include <vector>

#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/TheoryResult_test.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

using theorytest::Evaluate;
using theorytest::FinalRanks;
using theorytest::Race;
using V = std::vector<int>;

TEST(TheoryScore, WeightsSplitAHundredPointsWithTheRemainderToTheFirstItems) {
  // Each runner is first on one item only, so its score shows that item's
  // weight w: (w + 100) × 8 points × 0.01 / 16 × 100.
  Race race;
  race.ranks = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  race.weights = {1, 1, 1};  // 34, 33, 33
  auto r = Evaluate(race);
  EXPECT_DOUBLE_EQ(r->score[0], 67.0);
  EXPECT_DOUBLE_EQ(r->score[1], 66.5);
  EXPECT_DOUBLE_EQ(r->score[2], 66.5);
  // The two at 66.5 are split by item 1, where runner 2 has no data (0),
  // which counts ahead of runner 1's first place.
  EXPECT_EQ(FinalRanks(*r), (V{1, 3, 2}));
}

TEST(TheoryScore, FirstEverywhereScoresAHundredAndNoDataScoresNothing) {
  Race race;
  // Runner 0 first on every item, runner 1 ranked past 8 (half a point),
  // runner 2 without data, runner 3 second everywhere.
  race.ranks = {{1, 12, 0, 2}, {1, 9, 0, 2}, {1, 18, 0, 2}};
  race.weights = {60, 30, 10};
  auto r = Evaluate(race);
  EXPECT_DOUBLE_EQ(r->score[0], 100.0);
  EXPECT_DOUBLE_EQ(r->score[1], 6.25);
  EXPECT_DOUBLE_EQ(r->score[2], 0.0);
  EXPECT_EQ(FinalRanks(*r), (V{1, 3, 4, 2}));
}

TEST(TheoryScore, NoItemsOrNoWeightsDivideByNothing) {
  std::string code = "052024010611";
  int marks[3] = {0, 2, 10};
  int frames[3] = {1, 2, 3};
  YHaitoInfo payouts;
  YTheoryResult r(nullptr);
  ASSERT_TRUE(r.setth_ex(code, nullptr, 0, 3, nullptr, marks, frames, nullptr, payouts));
  EXPECT_EQ(FinalRanks(r), (V{2, 1, 3}));  // only the marks tell them apart
  EXPECT_DOUBLE_EQ(r.score[1], 0.0);

  Race zero;
  zero.ranks = {{1, 2}};
  zero.weights = {0};
  auto z = Evaluate(zero);
  EXPECT_DOUBLE_EQ(z->score[0], 50.0);  // the base weight of 100 alone
  EXPECT_DOUBLE_EQ(z->score[1], 43.75);
  r.setth(nullptr, nullptr);
  EXPECT_EQ(r.itemcount, 0);
}

TEST(TheoryTieBreak, HeaviestFactorFirstThenItemOrder) {
  // Weights 20, 30, 30, 20: the runners score alike, the heavy item B has
  // runner 0 ahead, the first item A runner 1.
  Race race;
  race.ranks = {{2, 1}, {1, 2}, {2, 1}, {1, 2}};
  race.weights = {2, 3, 3, 2};
  auto r = Evaluate(race);
  ASSERT_DOUBLE_EQ(r->score[0], r->score[1]);
  EXPECT_EQ(FinalRanks(*r), (V{1, 2}));

  // Equal weights: item order, and a runner without data on the item (0)
  // is ahead of any ranked runner.
  Race nodata;
  nodata.ranks = {{0, 1}, {1, 0}};
  auto n = Evaluate(nodata);
  ASSERT_DOUBLE_EQ(n->score[0], n->score[1]);
  EXPECT_EQ(FinalRanks(*n), (V{1, 2}));
}

TEST(TheoryTieBreak, ForecastOddsThenMarksOnTheTiesLeftByTheFactors) {
  Race odds;
  odds.ranks = {{3, 3, 1}};
  odds.odds = {50, 30, 10};
  EXPECT_EQ(FinalRanks(*Evaluate(odds)), (V{3, 2, 1}));

  // Alike on ranks and odds: ◎ first, then no mark, then 消.
  Race marks;
  marks.ranks = {{2, 2, 2}};
  marks.odds = {40, 40, 40};
  marks.marks = {0, 1, 10};
  EXPECT_EQ(FinalRanks(*Evaluate(marks)), (V{2, 1, 3}));

  // The marks only reach the runners still on the rank the factors left
  // shared: the three the odds pushed back stay equal.
  Race split;
  split.ranks = {{1, 1, 1, 1}};
  split.odds = {10, 20, 20, 20};
  split.marks = {0, 10, 1, 0};
  EXPECT_EQ(FinalRanks(*Evaluate(split)), (V{1, 2, 2, 2}));
}

TEST(TheoryTieBreak, ScorecheckCountsEveryRankFromZero) {
  YTheoryResult r(nullptr);
  int ranks[5] = {1, 2, 2, 4, 0};
  int counts[6];
  EXPECT_TRUE(r.scorecheck(ranks, 5, counts));
  EXPECT_EQ(V(counts, counts + 6), (V{1, 1, 2, 0, 1, 0}));
  int distinct[3] = {3, 1, 2};
  EXPECT_FALSE(r.scorecheck(distinct, 3, counts));
}

TEST(TheorySetthEx, RefusesWhatItCannotHoldWithoutChangingAnything) {
  YHorseDB db;
  YTheoryResult r(&db);
  r.racekey = "before";
  std::string code = "052024010611";
  _tagTHITEM item{1, 100, {0, 0, 0}};
  unsigned char row[129] = {};
  unsigned char* rows[1] = {row};
  int marks[129] = {};
  int frames[129] = {};
  YHaitoInfo payouts;
  EXPECT_FALSE(r.setth_ex(code, &item, 1, 129, rows, marks, frames, nullptr, payouts));
  EXPECT_FALSE(r.setth_ex(code, &item, 1, 5, rows, nullptr, frames, nullptr, payouts));
  EXPECT_FALSE(r.setth_ex(code, &item, 9, 5, rows, marks, frames, nullptr, payouts));
  EXPECT_EQ(db.geterrstatus(), YHorseDB::kBadParameter);
  EXPECT_EQ(r.racekey, "before");
  EXPECT_TRUE(r.setth_ex(code, &item, 1, 128, rows, marks, frames, nullptr, payouts));
  EXPECT_EQ(r.racekey, code);
}

}  // namespace
