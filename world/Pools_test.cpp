// The pools' settlement rules and the odds board.
#include "world/Pools.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "db/write/Validation.h"

namespace world {
namespace {

std::vector<int> Frames(int n) {
  std::vector<int> f;
  for (int i = 1; i <= n; ++i) f.push_back(ydb::DrawFrame(i, n));
  return f;
}

// A race of `n` runners staked from chances falling with the horse number.
PoolBook Book(int n, std::vector<bool> running = {}) {
  if (running.empty()) running.assign(static_cast<std::size_t>(n), true);
  PoolBook book(Frames(n), running);
  std::vector<double> chances;
  for (int i = 0; i < n; ++i) chances.push_back(1.0 / (i + 1.5));
  Random random(5, "pools-test", {static_cast<std::uint64_t>(n)});
  book.Stake(chances, 300000, 0.05, random);
  return book;
}

std::vector<ydb::Payout> Of(const std::vector<ydb::Payout>& payouts, ydb::Pool pool) {
  std::vector<ydb::Payout> out;
  for (const ydb::Payout& p : payouts) {
    if (p.pool == pool) out.push_back(p);
  }
  return out;
}

TEST(PayoutRuleTest, StakePlusShareOfLosingStakesLessTakeoutInTenYenUnits) {
  // 1,000 units staked, 250 on the winner: 80 % of 1,000 / 250 = 3.2 -> 320 yen.
  EXPECT_EQ(PayoutPer100(250, 1000, 250, 1, 80, 100), 320);
  // 3.333... times: rounded down to 10 yen.
  EXPECT_EQ(PayoutPer100(300, 1250, 300, 1, 80, 100), 330);
  // A heavily backed winner still pays 100 yen per 100.
  EXPECT_EQ(PayoutPer100(950, 1000, 950, 1, 80, 100), 100);
  // Two winning combinations share the losing stakes equally:
  // (100 + (1000 - 300) / 2) * 0.775 / 100 = 3.4875 -> 340 yen;
  // (200 + 350) * 0.775 / 200 = 2.13125 -> 210 yen.
  EXPECT_EQ(PayoutPer100(100, 1000, 300, 2, 775, 1000), 340);
  EXPECT_EQ(PayoutPer100(200, 1000, 300, 2, 775, 1000), 210);
}

TEST(SettleTest, PlacePaysTwoWithFiveToSevenStartersAndThreeFromEight) {
  for (int n = 5; n <= 12; ++n) {
    const PoolBook book = Book(n);
    std::vector<int> finish;
    for (int i = 0; i < n; ++i) finish.push_back(n - i);
    const auto places = Of(book.Settle(finish, nullptr), ydb::Pool::kPlace);
    EXPECT_EQ(static_cast<int>(places.size()), n <= 7 ? 2 : 3) << n << " starters";
    // A scratching that leaves seven starters pays two places.
    if (n == 8) {
      std::vector<bool> running(8, true);
      running[0] = false;
      const PoolBook seven = Book(8, running);
      finish[0] = 0;
      EXPECT_EQ(Of(seven.Settle(finish, nullptr), ydb::Pool::kPlace).size(), 2u);
    }
  }
}

TEST(SettleTest, BracketQuinellaIsSoldFromNineRunners) {
  std::vector<int> finish8 = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_TRUE(Of(Book(8).Settle(finish8, nullptr), ydb::Pool::kBracketQuinella).empty());
  for (const ydb::OddsEntry& e : Book(8).Odds().entries) EXPECT_NE(e.pool, ydb::Pool::kBracketQuinella);
  std::vector<int> finish9 = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const auto bracket = Of(Book(9).Settle(finish9, nullptr), ydb::Pool::kBracketQuinella);
  ASSERT_EQ(bracket.size(), 1u);
  EXPECT_EQ(bracket[0].first, 1);
  EXPECT_EQ(bracket[0].second, 2);
}

TEST(SettleTest, DeadHeatsPayEveryWinningCombination) {
  // Two horses dead-heat for first: two win payouts, one quinella (the
  // tied pair), three place payouts, three wide pairs.
  const PoolBook book = Book(10);
  std::vector<int> finish = {1, 1, 3, 4, 5, 6, 7, 8, 9, 10};
  const auto payouts = book.Settle(finish, nullptr);
  EXPECT_EQ(Of(payouts, ydb::Pool::kWin).size(), 2u);
  const auto quinella = Of(payouts, ydb::Pool::kQuinella);
  ASSERT_EQ(quinella.size(), 1u);
  EXPECT_EQ(quinella[0].first, 1);
  EXPECT_EQ(quinella[0].second, 2);
  EXPECT_EQ(Of(payouts, ydb::Pool::kPlace).size(), 3u);
  EXPECT_EQ(Of(payouts, ydb::Pool::kWide).size(), 3u);

  // A dead heat for third: four placed horses, five wide pairs (the two
  // tied horses do not pair with each other), one quinella.
  finish = {1, 2, 3, 3, 5, 6, 7, 8, 9, 10};
  const auto third = book.Settle(finish, nullptr);
  EXPECT_EQ(Of(third, ydb::Pool::kPlace).size(), 4u);
  EXPECT_EQ(Of(third, ydb::Pool::kWide).size(), 5u);
  for (const ydb::Payout& p : Of(third, ydb::Pool::kWide)) {
    EXPECT_FALSE(p.first == 3 && p.second == 4);
  }
  EXPECT_EQ(Of(third, ydb::Pool::kQuinella).size(), 1u);
}

TEST(SettleTest, PayoutsAgreeWithTheOddsBoard) {
  for (int n : {6, 9, 14, 16, 18}) {
    const PoolBook book = Book(n);
    const ydb::OddsSet odds = book.Odds();
    std::map<std::pair<int, std::pair<int, int>>, ydb::OddsEntry> board;
    for (const ydb::OddsEntry& e : odds.entries) board[{static_cast<int>(e.pool), {e.first, e.second}}] = e;
    std::vector<int> finish;
    for (int i = 0; i < n; ++i) finish.push_back((i * 5) % n + 1);  // upsets, no dead heats
    for (const ydb::Payout& p : book.Settle(finish, nullptr)) {
      EXPECT_EQ(p.amount % 10, 0);
      EXPECT_GE(p.amount, 100);
      const ydb::OddsEntry& e = board.at({static_cast<int>(p.pool), {p.first, p.second}});
      if (p.pool == ydb::Pool::kPlace || p.pool == ydb::Pool::kWide) {
        EXPECT_GE(p.amount, e.odds * 10) << n << " runners, pool " << static_cast<int>(p.pool);
        EXPECT_LE(p.amount, e.odds_max * 10);
      } else {
        EXPECT_EQ(p.amount, e.odds * 10) << n << " runners, pool " << static_cast<int>(p.pool);
      }
    }
  }
}

TEST(SettleTest, ScratchedHorsesAreOutOfEveryPool) {
  std::vector<bool> running(12, true);
  running[3] = false;
  const PoolBook book = Book(12, running);
  EXPECT_EQ(book.win(3), 0);
  EXPECT_EQ(book.WinOdds(3), 0);
  EXPECT_EQ(book.Popularity(3), 0);
  int marked = 0;
  for (const ydb::OddsEntry& e : book.Odds().entries) {
    const bool involves = e.pool != ydb::Pool::kBracketQuinella && (e.first == 4 || e.second == 4);
    if (involves) {
      EXPECT_EQ(e.mark, "/");
      EXPECT_EQ(e.odds, 0);
      ++marked;
    }
  }
  EXPECT_EQ(marked, 2 + 2 * 11);  // win, place, and eleven pairs in each of two pools
}

TEST(SettleTest, LedgerReturnsThePoolLessTakeoutAndRounding) {
  Ledger ledger{};
  for (int race = 0; race < 300; ++race) {
    const int n = 8 + race % 11;
    PoolBook book(Frames(n), std::vector<bool>(static_cast<std::size_t>(n), true));
    std::vector<double> chances;
    Random random(9, "ledger", {static_cast<std::uint64_t>(race)});
    for (int i = 0; i < n; ++i) chances.push_back(std::exp(random.Normal(0.0, 1.0)));
    book.Stake(chances, 200000, 0.05, random);
    std::vector<int> finish;
    for (int i = 0; i < n; ++i) finish.push_back(i + 1);
    random.Shuffle(finish);
    book.Settle(finish, &ledger);
  }
  // Whichever horse wins, its backers share 80 % of the win pool (77.5 %
  // of the bracket, quinella and wide pools); rounding down to 10 yen
  // keeps a little more.
  const double win = static_cast<double>(ledger[0].paid) / static_cast<double>(ledger[0].staked);
  EXPECT_GT(win, 0.77);
  EXPECT_LE(win, 0.80);
  for (std::size_t pool = 2; pool < 5; ++pool) {
    const double rate = static_cast<double>(ledger[pool].paid) / static_cast<double>(ledger[pool].staked);
    EXPECT_GT(rate, 0.74) << "pool " << pool + 1;
    EXPECT_LE(rate, 0.775) << "pool " << pool + 1;
  }
}

}  // namespace
}  // namespace world

namespace world {
namespace {

// Popularity follows the odds board: on equal odds the lower horse number
// ranks first, whatever the stakes behind the rounded odds, and the win
// payout names the same popularity as the runner's.
TEST(PopularityTest, EqualOddsRankByHorseNumber) {
  PoolBook book(Frames(8), std::vector<bool>(8, true));
  const std::vector<double> chances = {0.45, 1.0, 1.0005, 0.5, 0.3, 0.3, 0.2, 0.2};
  Random random(1, "popularity-test", {});
  book.Stake(chances, 300000, 0.0, random);
  ASSERT_LT(book.win(1), book.win(2)) << "horse 3 carries more money";
  ASSERT_EQ(book.WinOdds(1), book.WinOdds(2)) << "at the same odds";
  EXPECT_EQ(book.Popularity(1), 1);
  EXPECT_EQ(book.Popularity(2), 2);
  std::vector<int> finish(8, 0);
  finish[2] = 1;
  finish[1] = 2;
  finish[0] = 3;
  const auto wins = Of(book.Settle(finish, nullptr), ydb::Pool::kWin);
  ASSERT_EQ(wins.size(), 1u);
  EXPECT_EQ(wins[0].popularity, book.Popularity(2));

  for (int n = 5; n <= 18; ++n) {
    const PoolBook b = Book(n, {});
    std::vector<int> by_rank(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) by_rank[static_cast<std::size_t>(b.Popularity(i) - 1)] = i;
    for (int r = 1; r < n; ++r) {
      const int a = by_rank[static_cast<std::size_t>(r - 1)], c = by_rank[static_cast<std::size_t>(r)];
      EXPECT_TRUE(b.WinOdds(a) < b.WinOdds(c) || (b.WinOdds(a) == b.WinOdds(c) && a < c))
          << n << " runners, popularity " << r;
    }
  }
}

}  // namespace
}  // namespace world
