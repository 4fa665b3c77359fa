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

// A race of the factor ranks (per item, per runner; 0 no data), the items'
// weights (100 each when empty), forecast odds and marks.
Race RaceOf(std::vector<V> ranks, V weights = {}, V odds = {}, V marks = {}) {
  Race race;
  race.ranks = std::move(ranks);
  race.weights = std::move(weights);
  race.odds = std::move(odds);
  race.marks = std::move(marks);
  return race;
}

TEST(TheoryScore, ScoresAndTheTieBreaksGiveTheFinalOrder) {
  struct Row {
    Race race;
    std::vector<double> scores;
    V final_ranks;
    const char* why;
  };
  const Row rows[] = {
      // Each runner is first on one item only, so its score shows that
      // item's weight w: (w + 100) × 8 points × 0.01 / 16 × 100. The two at
      // 66.5 are split by item 1, where runner 2 has no data (0), which
      // counts ahead of runner 1's first place.
      {RaceOf({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {1, 1, 1}), {67.0, 66.5, 66.5}, {1, 3, 2},
       "weights 1, 1, 1 split 100 points as 34, 33, 33"},
      {RaceOf({{1, 12, 0, 2}, {1, 9, 0, 2}, {1, 18, 0, 2}}, {60, 30, 10}), {100.0, 6.25, 0.0, 87.5},
       {1, 3, 4, 2}, "first everywhere scores 100, past 8th half a point, no data nothing"},
      {RaceOf({{1, 2}}, {0}), {50.0, 43.75}, {1, 2}, "no weight: the base weight of 100 alone"},
      {RaceOf({{8, 9}}, {0}), {6.25, 3.125}, {1, 2}, "the eighth has a point, the ninth half of one"},
      // Weights 20, 30, 30, 20: the runners score alike, the heavy item B
      // has runner 0 ahead, the first item A runner 1.
      {RaceOf({{2, 1}, {1, 2}, {2, 1}, {1, 2}}, {2, 3, 3, 2}), {93.75, 93.75}, {1, 2},
       "the heaviest factor breaks a tie first"},
      {RaceOf({{0, 1}, {1, 0}}), {75.0, 75.0}, {1, 2},
       "equal weights: item order, and no data is ahead of any rank"},
      {RaceOf({{3, 3, 1}}, {}, {50, 30, 10}), {}, {3, 2, 1}, "forecast odds break what is left"},
      {RaceOf({{2, 2, 2}}, {}, {40, 40, 40}, {0, 1, 10}), {}, {2, 1, 3},
       "alike on ranks and odds: ◎ first, then no mark, then 消"},
      {RaceOf({{1, 1, 1, 1}}, {}, {10, 20, 20, 20}, {0, 10, 1, 0}), {}, {1, 2, 2, 2},
       "the marks only reach the runners the odds left sharing a rank"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    auto r = Evaluate(row.race);
    for (std::size_t i = 0; i < row.scores.size(); ++i) EXPECT_DOUBLE_EQ(r->score[i], row.scores[i]) << i;
    EXPECT_EQ(FinalRanks(*r), row.final_ranks);
  }
}

TEST(TheoryScore, NoItemsDivideByNothing) {
  std::string code = "052024010611";
  int marks[3] = {0, 2, 10};
  int frames[3] = {1, 2, 3};
  YHaitoInfo payouts;
  YTheoryResult r(nullptr);
  ASSERT_TRUE(r.setth_ex(code, nullptr, 0, 3, nullptr, marks, frames, nullptr, payouts));
  EXPECT_EQ(FinalRanks(r), (V{2, 1, 3}));  // only the marks tell them apart
  EXPECT_DOUBLE_EQ(r.score[1], 0.0);
  r.setth(nullptr, nullptr);
  EXPECT_EQ(r.itemcount, 0);
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
