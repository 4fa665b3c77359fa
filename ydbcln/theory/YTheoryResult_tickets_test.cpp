// Tickets bought from a theory result's final order: box, nagashi, single
// horses, the leader and top-two rules, the cut-downs, and option values
// that must not trap the buying in a loop.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/TheoryResult_test.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

using theorytest::Evaluate;
using theorytest::Race;
using theorytest::Tickets;
using O = YTheoryOption;
using V = std::vector<int>;

// One factor ranking the runners as given (so the final order follows it):
// with one factor of weight 100, rank r scores 12.5 × (9 - r).
Race Ranked(const V& ranks) {
  Race race;
  race.ranks = {ranks};
  return race;
}

V Ordered(int n) {
  V ranks;
  for (int i = 1; i <= n; ++i) ranks.push_back(i);
  return ranks;
}

YTheoryOption Box(int block, int first, int count, int order = O::kByRank) {
  YTheoryOption option = {};
  option.block[block][O::kMethod] = O::kBox;
  option.block[block][O::kBoxFirst] = first;
  option.block[block][O::kBoxCount] = count;
  option.block[block][O::kBoxOrder] = order;
  return option;
}

YTheoryOption Nagashi(int axisrank, int first, int count, int axisorder = O::kByRank,
                      int partnerorder = O::kByRank) {
  YTheoryOption option = {};
  int* f = option.block[O::kPairBlock];
  f[O::kMethod] = O::kNagashi;
  f[O::kAxisRank] = axisrank;
  f[O::kPartnerFirst] = first;
  f[O::kPartnerCount] = count;
  f[O::kAxisOrder] = axisorder;
  f[O::kPartnerOrder] = partnerorder;
  return option;
}

TEST(TheoryBox, FourRanksBuySixPairsAndATieAtTheLastIsCutDown) {
  auto r = Evaluate(Ranked(Ordered(10)));
  YTheoryOption option = Box(O::kPairBlock, 1, 4);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{102, 103, 104, 203, 204, 304}));
  EXPECT_FALSE(r->cutdown);

  // Horses 4 and 5 share rank 4: five runners make ten pairs, more than
  // six, so the box is bought again with three ranks.
  auto tied = Evaluate(Ranked({1, 2, 3, 4, 4, 6, 7, 8, 9, 10}));
  tied->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*tied), (V{102, 103, 203}));
  EXPECT_TRUE(tied->cutdown);
}

TEST(TheoryBox, FramePairsAreBoughtOnceAndSmallFieldsBuyFramesForHorsePairs) {
  Race race = Ranked(Ordered(12));
  race.frames = {1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8};
  auto r = Evaluate(race);
  YTheoryOption option = Box(O::kFrameBlock, 1, 4);
  r->setkaime(YTheoryResult::kBracketQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{11, 12, 22}));

  // Eight runners: 馬連 and ワイド read the frame block and buy frame pairs.
  auto eight = Evaluate(Ranked(Ordered(8)));
  YTheoryOption both = Box(O::kFrameBlock, 1, 3);
  both.block[O::kPairBlock][O::kBoxFirst] = 1;
  both.block[O::kPairBlock][O::kBoxCount] = 4;
  eight->setkaime(YTheoryResult::kWide, &both);
  EXPECT_EQ(Tickets(*eight), (V{12, 13, 23}));
}

TEST(TheoryBox, ReverseRanksCountFromTheLastAndEqualRanksAreAllFirstAndLast) {
  auto r = Evaluate(Ranked(Ordered(10)));
  YTheoryOption option = Box(O::kPairBlock, 1, 2, O::kByReverseRank);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{910}));

  auto equal = Evaluate(Ranked(V(10, 3)));
  equal->setkaime(YTheoryResult::kQuinella, &option);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(equal->reverserank[i], 1);
  // Every runner shares rank 1: no smaller box keeps to one ticket.
  option = Box(O::kPairBlock, 1, 2);
  equal->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(equal->ticketcount, 0);
  EXPECT_TRUE(equal->cutdown);
}

TEST(TheoryNagashi, AxisAndPartnersByEitherOrderAndNoAxisBuysNothing) {
  auto r = Evaluate(Ranked(Ordered(10)));
  YTheoryOption option = Nagashi(1, 2, 3);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{102, 103, 104}));

  // The axis by reverse rank is the last runner; the partners by rank.
  option = Nagashi(1, 1, 2, O::kByReverseRank, O::kByRank);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{110, 210}));

  option = Nagashi(0, 1, 3);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(r->ticketcount, 0);

  // Two partners share rank 3: three tickets for two partner ranks, so
  // the partners are cut to rank 2.
  auto tied = Evaluate(Ranked({1, 2, 3, 3, 5, 6, 7, 8, 9, 10}));
  option = Nagashi(1, 2, 2);
  tied->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*tied), (V{102}));
  EXPECT_TRUE(tied->cutdown);
}

TEST(TheoryRules, LeaderAndTopTwoApplyAtTheirMarginsAndNotBelow) {
  // Ranks 1, 2, 3 score 100, 87.5 and 75: each lead is 12.5.
  auto r = Evaluate(Ranked(Ordered(10)));
  YTheoryOption option = Box(O::kPairBlock, 5, 2);  // 5-6 when no rule applies
  int* f = option.block[O::kPairBlock];
  f[O::kLeaderOn] = 1;
  f[O::kLeaderCount] = 4;
  f[O::kLeaderMargin] = 12;
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{102, 103, 104}));
  EXPECT_TRUE(r->cutdown) << "four partners bought, then cut to three";
  f[O::kLeaderMargin] = 13;
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{506}));

  f[O::kTopTwoOn] = 1;
  f[O::kTopTwoMargin] = 12;
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{102}));
  f[O::kTopTwoMargin] = 13;
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{506}));

  // The leader's partners tie at rank 4: cut to ranks 2 and 3.
  auto tied = Evaluate(Ranked({1, 2, 3, 4, 4, 6, 7, 8, 9, 10}));
  f[O::kLeaderMargin] = 12;
  tied->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*tied), (V{102, 103}));
  EXPECT_TRUE(tied->cutdown);

  // Two runners share rank 2: the top-two rule buys the leader with each.
  auto second = Evaluate(Ranked({1, 2, 2, 4, 5, 6, 7, 8, 9, 10}));
  f[O::kLeaderOn] = 0;
  f[O::kTopTwoMargin] = 0;
  second->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*second), (V{102, 103}));
  EXPECT_FALSE(second->cutdown);
}

TEST(TheoryRules, NoOptionValueKeepsTheBuyingGoing) {
  auto r = Evaluate(Ranked({1, 1, 3, 3, 3, 6, 6, 8, 9, 9}));
  const int values[] = {0, -1, 1, 2, INT_MAX, INT_MIN};
  for (int method : {O::kBox, O::kNagashi}) {
    for (int a : values) {
      for (int b : values) {
        YTheoryOption option = {};
        int* f = option.block[O::kPairBlock];
        f[O::kMethod] = method;
        f[O::kBoxFirst] = f[O::kAxisRank] = f[O::kPartnerFirst] = a;
        f[O::kBoxCount] = f[O::kPartnerCount] = f[O::kLeaderCount] = b;
        f[O::kLeaderOn] = a & 1;
        f[O::kLeaderMargin] = a;
        r->setkaime(YTheoryResult::kQuinella, &option);
        ASSERT_LE(r->ticketcount, 45) << method << " " << a << " " << b;
      }
    }
  }
}

TEST(TheorySingleHorses, ExcludedRunnersAreNeverBought) {
  Race race = Ranked(Ordered(10));
  race.marks = {0, 10};  // horse 2, ranked second, is 消
  auto r = Evaluate(race);
  EXPECT_TRUE(r->excluded[1]);
  YTheoryOption option = {};
  option.block[O::kSingleBlock][O::kBoxFirst] = 3;
  r->setkaime(YTheoryResult::kWin, &option);
  EXPECT_EQ(Tickets(*r), (V{10001, 10003}));
  EXPECT_EQ(r->ticketrank[1], 10003);
  option = Box(O::kPairBlock, 1, 3);
  r->setkaime(YTheoryResult::kQuinella, &option);
  EXPECT_EQ(Tickets(*r), (V{103}));
}

TEST(TheoryTickets, ListsStopAtTheirLimitsAndBadArgumentsBuyNothing) {
  YHorseDB db;
  auto r = Evaluate(Ranked(Ordered(10)), &db);
  for (int i = 0; i < YTheoryResult::kMaxTickets; ++i) {
    ASSERT_TRUE(r->addkaime(1, 2, YTheoryResult::kHorsePair, 1, 2));
  }
  EXPECT_FALSE(r->addkaime(1, 3, YTheoryResult::kHorsePair, 1, 3));
  EXPECT_EQ(r->ticketcount, YTheoryResult::kMaxTickets);

  // Duplicate single-horse tickets match the one 単勝 payout each time;
  // seven hits are kept.
  r->ticketcount = 0;
  r->tansho[0] = {4, 560};
  for (int i = 0; i < 9; ++i) r->addkaime(4, 0, YTheoryResult::kSingleHorse, 4, 0);
  EXPECT_TRUE(r->settekichu(YTheoryResult::kWin));
  EXPECT_EQ(r->hitcount, YTheoryResult::kMaxHits);
  // An unknown bet type is no failure: single horses are checked as 複勝.
  r->fukusho[0] = {4, 150};
  EXPECT_TRUE(r->settekichu(7));
  EXPECT_EQ(r->hitcount, YTheoryResult::kMaxHits);
  EXPECT_EQ(r->hitamount[0], 150);

  YTheoryOption option = Box(O::kPairBlock, 1, 4);
  r->setkaime(YTheoryResult::kQuinella, &option);
  ASSERT_EQ(r->ticketcount, 6);
  db.clearerror();
  r->setkaime(5, &option);
  EXPECT_EQ(r->ticketcount, 0);
  EXPECT_EQ(db.geterrstatus(), YHorseDB::kBadParameter);
  db.clearerror();
  r->setkaime(YTheoryResult::kQuinella, nullptr);
  EXPECT_EQ(r->ticketcount, 0);
  EXPECT_EQ(db.geterrstatus(), YHorseDB::kBadParameter);
}

}  // namespace
