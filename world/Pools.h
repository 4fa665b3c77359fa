// The betting pools of a race and what they pay. The public stakes each
// pool from its own view of the runners' chances (the win pool directly,
// the others from the chances of finishing in the first two or three that
// view implies); odds are what the pools would pay, and payouts follow the
// racing authority's rules: each winning combination receives its own
// stakes plus an equal share of the losing stakes, less the takeout (win
// and place keep 80 %, bracket quinella, quinella and wide 77.5 %), paid
// per 100 yen in 10-yen units rounded down and never below 100 yen. Place
// pays two horses with five to seven starters and three with eight or
// more; bracket quinella is sold with nine runners or more; scratched
// horses are taken out of every pool.
#ifndef YDB_WORLD_POOLS_H_
#define YDB_WORLD_POOLS_H_

#include <array>
#include <cstdint>
#include <vector>

#include "db/base/model.h"
#include "world/Random.h"

namespace world {

// Money staked and paid back in one pool over many races, yen.
struct PoolTotals {
  std::int64_t staked = 0;
  std::int64_t paid = 0;
};
using Ledger = std::array<PoolTotals, 5>;  // indexed by ydb::Pool - 1

// The stakes of one race's five pools in 100-yen units. Horses are indexed
// from 0 (horse number - 1); pairs of horses and of frames are n x n and
// 8 x 8 tables used above the diagonal (frame pairs on it too).
class PoolBook {
 public:
  // A race of `frames.size()` runners; `running[i]` false for a scratched horse.
  PoolBook(std::vector<int> frames, std::vector<bool> running);

  int runners() const { return static_cast<int>(frames_.size()); }
  int starters() const;
  bool bracket_sold() const { return runners() >= 9; }
  // Places paid: 3 with eight starters or more, 2 with five to seven, else 0.
  int places_paid() const;

  // Stakes the pools from the public's win chances `chances` (one per
  // horse, 0 for a scratched one), the win pool holding `win_pool` units.
  // `noise` scatters the stakes around the public's view.
  void Stake(const std::vector<double>& chances, std::int64_t win_pool, double noise, Random& random);

  // Final odds of every pool as the odds board shows them.
  ydb::OddsSet Odds() const;
  // Forecast odds: win and place only, marked as forecast.
  ydb::OddsSet ForecastOdds() const;

  // The payouts of the race for the official placings (`finish[i]`, 0 for
  // a horse not placed), with the popularity of each winning combination.
  // Adds what was staked and paid to `ledger` when given.
  std::vector<ydb::Payout> Settle(const std::vector<int>& finish, Ledger* ledger) const;

  // Win odds in tenths of horse i (0 for a scratched horse) and its rank
  // in the win pool (1 the favourite; 0 scratched). The rank follows the
  // odds as the board shows them, the lower horse number first on equal
  // odds, as every list of the odds by popularity orders them.
  int WinOdds(int i) const;
  int Popularity(int i) const;

  std::int64_t win(int i) const { return win_[static_cast<std::size_t>(i)]; }
  std::int64_t total(ydb::Pool pool) const;

 private:
  std::int64_t& pair(std::vector<std::int64_t>& table, int a, int b) const {
    return table[static_cast<std::size_t>(a * runners() + b)];
  }
  std::int64_t pair(const std::vector<std::int64_t>& table, int a, int b) const {
    return table[static_cast<std::size_t>(a * runners() + b)];
  }
  bool BracketOpen(int f, int g) const;
  void RankWinPool();  // fills win_rank_ once the pools are staked

  std::vector<int> frames_;
  std::vector<bool> running_;
  std::vector<std::int64_t> win_, place_;
  std::vector<int> win_rank_;                  // Popularity of every horse
  std::vector<std::int64_t> quinella_, wide_;  // [a * n + b], a < b
  std::array<std::int64_t, 64> bracket_{};     // [(f - 1) * 8 + (g - 1)], f <= g
};

// Payout per 100 yen of a winning combination staked `stake` units in a
// pool of `pool` units of which `winning` units were on the `combinations`
// winning combinations, at a payout rate of `rate_num` / `rate_den`.
std::int64_t PayoutPer100(std::int64_t stake, std::int64_t pool, std::int64_t winning,
                          int combinations, int rate_num, int rate_den);

}  // namespace world

#endif  // YDB_WORLD_POOLS_H_
