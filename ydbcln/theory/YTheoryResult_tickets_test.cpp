// Tickets bought from a theory result's final order: box, nagashi, single
// horses, the leader and top-two rules, the cut-downs, and option values
// that must not trap the buying in a loop.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <utility>
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
Race Ranked(const V& ranks, V frames = {}, V marks = {}) {
  Race race;
  race.ranks = {ranks};
  race.frames = std::move(frames);
  race.marks = std::move(marks);
  return race;
}

V Ordered(int n) {
  V ranks;
  for (int i = 1; i <= n; ++i) ranks.push_back(i);
  return ranks;
}

// An option of `block` with the fields given as (field, value).
YTheoryOption Option(int block, std::initializer_list<std::pair<int, int>> fields) {
  YTheoryOption option = {};
  for (const auto& [field, value] : fields) option.block[block][field] = value;
  return option;
}

YTheoryOption Box(int block, int first, int count, int order = O::kByRank) {
  return Option(block, {{O::kMethod, O::kBox}, {O::kBoxFirst, first}, {O::kBoxCount, count},
                        {O::kBoxOrder, order}});
}

YTheoryOption Nagashi(int axisrank, int first, int count, int axisorder = O::kByRank,
                      int partnerorder = O::kByRank) {
  return Option(O::kPairBlock, {{O::kMethod, O::kNagashi}, {O::kAxisRank, axisrank},
                                {O::kPartnerFirst, first}, {O::kPartnerCount, count},
                                {O::kAxisOrder, axisorder}, {O::kPartnerOrder, partnerorder}});
}

// The pair box of ranks 5 and 6 (ticket 506 when no rule applies), with the
// leader rule (four partners) and the top-two rule at the margins given;
// -1 leaves a rule off.
YTheoryOption Rules(int leader_margin, int top_two_margin) {
  YTheoryOption option = Box(O::kPairBlock, 5, 2);
  int* f = option.block[O::kPairBlock];
  f[O::kLeaderOn] = leader_margin >= 0;
  f[O::kLeaderCount] = 4;
  f[O::kLeaderMargin] = leader_margin;
  f[O::kTopTwoOn] = top_two_margin >= 0;
  f[O::kTopTwoMargin] = top_two_margin;
  return option;
}

// Eight runners: 馬連 and ワイド read the frame block and buy frame pairs.
YTheoryOption FramesForEight() {
  YTheoryOption both = Box(O::kFrameBlock, 1, 3);
  both.block[O::kPairBlock][O::kBoxFirst] = 1;
  both.block[O::kPairBlock][O::kBoxCount] = 4;
  return both;
}

TEST(TheoryTickets, EachMethodAndRuleBuysItsTicketsAndCutsTiesDown) {
  const V tied4 = {1, 2, 3, 4, 4, 6, 7, 8, 9, 10};  // horses 4 and 5 share rank 4
  const V tied3 = {1, 2, 3, 3, 5, 6, 7, 8, 9, 10};
  const V tied2 = {1, 2, 2, 4, 5, 6, 7, 8, 9, 10};
  const V frames12 = {1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8};
  struct Row {
    Race race;
    YTheoryOption option;
    int kind;
    V tickets;
    bool cutdown;
    const char* why;
  };
  const Row rows[] = {
      {Ranked(Ordered(10)), Box(O::kPairBlock, 1, 4), YTheoryResult::kQuinella,
       {102, 103, 104, 203, 204, 304}, false, "four ranks buy six pairs"},
      {Ranked(tied4), Box(O::kPairBlock, 1, 4), YTheoryResult::kQuinella, {102, 103, 203}, true,
       "five runners on four ranks make ten pairs: bought again with three ranks"},
      {Ranked(Ordered(12), frames12), Box(O::kFrameBlock, 1, 4), YTheoryResult::kBracketQuinella,
       {11, 12, 22}, false, "each frame pair once"},
      {Ranked({1, 2, 3, 3, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 3, 4, 5, 6, 7, 8, 8}), Box(O::kFrameBlock, 1, 3),
       YTheoryResult::kBracketQuinella, {12}, true,
       "three ranks in four runners make four frame pairs, over a box of three's three"},
      {Ranked(Ordered(8)), FramesForEight(), YTheoryResult::kWide, {12, 13, 23}, false,
       "a field of eight buys frames for horse pairs"},
      {Ranked(Ordered(10)), Box(O::kPairBlock, 1, 2, O::kByReverseRank), YTheoryResult::kQuinella,
       {910}, false, "reverse ranks count from the last"},
      {Ranked(V(10, 3)), Box(O::kPairBlock, 1, 2), YTheoryResult::kQuinella, {}, true,
       "every runner shares rank 1: no smaller box keeps to one ticket"},
      {Ranked(Ordered(10)), Nagashi(1, 2, 3), YTheoryResult::kQuinella, {102, 103, 104}, false,
       "axis and partners by rank"},
      {Ranked(Ordered(10)), Nagashi(1, 1, 2, O::kByReverseRank, O::kByRank),
       YTheoryResult::kQuinella, {110, 210}, false, "the axis by reverse rank is the last runner"},
      {Ranked(Ordered(10)), Nagashi(0, 1, 3), YTheoryResult::kQuinella, {}, false,
       "no axis buys nothing"},
      {Ranked(tied3), Nagashi(1, 2, 2), YTheoryResult::kQuinella, {102}, true,
       "three partners for two ranks: cut to rank 2"},
      // Ranks 1, 2, 3 score 100, 87.5 and 75: each lead is 12.5.
      {Ranked(Ordered(10)), Rules(12, -1), YTheoryResult::kQuinella, {102, 103, 104}, true,
       "the leader at its margin: four partners, cut to three"},
      {Ranked(Ordered(10)), Rules(13, -1), YTheoryResult::kQuinella, {506}, false,
       "the leader below its margin"},
      {Ranked(Ordered(10)), Rules(13, 12), YTheoryResult::kQuinella, {102}, false,
       "the top two at their margin"},
      {Ranked(Ordered(10)), Rules(13, 13), YTheoryResult::kQuinella, {506}, false,
       "the top two below their margin"},
      {Ranked(tied4), Rules(12, 13), YTheoryResult::kQuinella, {102, 103}, true,
       "the leader's partners tie at rank 4: cut to ranks 2 and 3"},
      {Ranked(tied2), Rules(-1, 0), YTheoryResult::kQuinella, {102, 103}, false,
       "two share rank 2: the top-two rule buys the leader with each"},
      {Ranked(Ordered(10), {}, {0, 10}), Option(O::kSingleBlock, {{O::kBoxFirst, 3}}),
       YTheoryResult::kWin, {10001, 10003}, false, "horse 2, ranked second, is 消: not bought"},
      {Ranked(Ordered(10), {}, {0, 10}), Box(O::kPairBlock, 1, 3), YTheoryResult::kQuinella,
       {103}, false, "nor paired"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    auto r = Evaluate(row.race);
    YTheoryOption option = row.option;
    r->setkaime(row.kind, &option);
    EXPECT_EQ(Tickets(*r), row.tickets);
    EXPECT_EQ(r->cutdown, row.cutdown);
    if (row.kind == YTheoryResult::kWin) {  // horses 1 and 3 finish 1st and 3rd
      EXPECT_EQ(V(r->ticketrank, r->ticketrank + r->ticketcount), row.tickets);
    }
  }

  auto equal = Evaluate(Ranked(V(10, 3)));
  YTheoryOption reverse = Box(O::kPairBlock, 1, 2, O::kByReverseRank);
  equal->setkaime(YTheoryResult::kQuinella, &reverse);
  EXPECT_EQ(V(equal->reverserank, equal->reverserank + 10), V(10, 1)) << "equal ranks are all last";
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
