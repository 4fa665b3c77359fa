// Staking the pools, the odds board and the settlement.
#include "world/Pools.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "db/write/Validation.h"

namespace world {
namespace {

constexpr int kWinRate = 80;       // per 100: win and place
constexpr int kPlaceRate = 80;
constexpr int kExoticRate = 775;   // per 1000: bracket quinella, quinella, wide
constexpr std::int64_t kMaxSingleOdds = 99999;
constexpr std::int64_t kMaxPairOdds = 9999999;

// Spreads `pool` units over `shares` (scaled by log-normal noise), no
// combination below `floor` units.
std::vector<std::int64_t> Spread(const std::vector<double>& shares, std::int64_t pool,
                                 std::int64_t floor, double noise, Random& random) {
  std::vector<double> w(shares.size(), 0.0);
  double total = 0.0;
  for (std::size_t i = 0; i < shares.size(); ++i) {
    if (shares[i] <= 0.0) continue;
    w[i] = shares[i] * std::exp(noise * random.Normal());
    total += w[i];
  }
  std::vector<std::int64_t> units(shares.size(), 0);
  for (std::size_t i = 0; i < shares.size(); ++i) {
    if (w[i] <= 0.0) continue;
    units[i] = std::max(floor, static_cast<std::int64_t>(std::llround(static_cast<double>(pool) * w[i] / total)));
  }
  return units;
}

std::int64_t Sum(const std::vector<std::int64_t>& v) {
  std::int64_t s = 0;
  for (std::int64_t x : v) s += x;
  return s;
}

int Clamp(std::int64_t odds, std::int64_t most) {
  return static_cast<int>(std::min(most, std::max<std::int64_t>(10, odds)));
}

// Ranks of `stakes` (1 = most staked), ties by position; 0 for no stake.
std::vector<int> Ranks(const std::vector<std::int64_t>& stakes) {
  std::vector<int> order;
  for (std::size_t i = 0; i < stakes.size(); ++i) {
    if (stakes[i] > 0) order.push_back(static_cast<int>(i));
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return stakes[static_cast<std::size_t>(a)] > stakes[static_cast<std::size_t>(b)];
  });
  std::vector<int> rank(stakes.size(), 0);
  for (std::size_t r = 0; r < order.size(); ++r) rank[static_cast<std::size_t>(order[r])] = static_cast<int>(r) + 1;
  return rank;
}

// Whether two placings make a winning pair of a pool paying the first
// `places` places: both inside them, and a dead heat for the last place
// paid does not pair the tied horses with each other.
bool PairWins(int pa, int pb, int places) {
  if (pa < 1 || pb < 1) return false;
  const int lo = std::min(pa, pb);
  const int hi = std::max(pa, pb);
  return hi <= places && (lo < hi || lo + 1 <= places);
}

}  // namespace

std::int64_t PayoutPer100(std::int64_t stake, std::int64_t pool, std::int64_t winning,
                          int combinations, int rate_num, int rate_den) {
  const std::int64_t losing = pool - winning;
  const std::int64_t k = combinations;
  const std::int64_t tens = 10 * rate_num * (k * stake + losing) / (rate_den * k * stake);
  return std::max<std::int64_t>(100, tens * 10);
}

PoolBook::PoolBook(std::vector<int> frames, std::vector<bool> running)
    : frames_(std::move(frames)), running_(std::move(running)) {
  const std::size_t n = frames_.size();
  win_.assign(n, 0);
  win_rank_.assign(n, 0);
  place_.assign(n, 0);
  quinella_.assign(n * n, 0);
  wide_.assign(n * n, 0);
}

int PoolBook::starters() const {
  int s = 0;
  for (bool r : running_) s += r ? 1 : 0;
  return s;
}

int PoolBook::places_paid() const {
  const int s = starters();
  return s >= 8 ? 3 : (s >= 5 ? 2 : 0);
}

bool PoolBook::BracketOpen(int f, int g) const {
  int in_f = 0, in_g = 0;
  for (int i = 0; i < runners(); ++i) {
    if (!running_[static_cast<std::size_t>(i)]) continue;
    in_f += frames_[static_cast<std::size_t>(i)] == f ? 1 : 0;
    in_g += frames_[static_cast<std::size_t>(i)] == g ? 1 : 0;
  }
  return f == g ? in_f >= 2 : in_f >= 1 && in_g >= 1;
}

std::int64_t PoolBook::total(ydb::Pool pool) const {
  switch (pool) {
    case ydb::Pool::kWin: return Sum(win_);
    case ydb::Pool::kPlace: return Sum(place_);
    case ydb::Pool::kQuinella: return Sum(quinella_);
    case ydb::Pool::kWide: return Sum(wide_);
    case ydb::Pool::kBracketQuinella: {
      std::int64_t s = 0;
      for (std::int64_t x : bracket_) s += x;
      return s;
    }
  }
  return 0;
}

void PoolBook::Stake(const std::vector<double>& chances, std::int64_t win_pool, double noise,
                     Random& random) {
  const int n = runners();
  std::vector<double> q(static_cast<std::size_t>(n), 0.0);
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    if (running_[static_cast<std::size_t>(i)]) sum += chances[static_cast<std::size_t>(i)];
  }
  for (int i = 0; i < n; ++i) {
    if (running_[static_cast<std::size_t>(i)]) q[static_cast<std::size_t>(i)] = chances[static_cast<std::size_t>(i)] / sum;
  }
  // Chances of the first two and first three (Harville's formulas).
  std::vector<double> top2(static_cast<std::size_t>(n), 0.0), top3(static_cast<std::size_t>(n), 0.0);
  std::vector<double> pair2(static_cast<std::size_t>(n * n), 0.0), pair3(static_cast<std::size_t>(n * n), 0.0);
  auto at = [n](int a, int b) { return static_cast<std::size_t>(std::min(a, b) * n + std::max(a, b)); };
  for (int a = 0; a < n; ++a) {
    const double qa = q[static_cast<std::size_t>(a)];
    if (qa <= 0.0) continue;
    for (int b = 0; b < n; ++b) {
      const double qb = q[static_cast<std::size_t>(b)];
      if (b == a || qb <= 0.0) continue;
      const double pab = qa * qb / std::max(1e-12, 1.0 - qa);
      top2[static_cast<std::size_t>(a)] += pab;
      top2[static_cast<std::size_t>(b)] += pab;
      pair2[at(a, b)] += pab;
      for (int c = 0; c < n; ++c) {
        const double qc = q[static_cast<std::size_t>(c)];
        if (c == a || c == b || qc <= 0.0) continue;
        const double pabc = pab * qc / std::max(1e-12, 1.0 - qa - qb);
        top3[static_cast<std::size_t>(a)] += pabc;
        top3[static_cast<std::size_t>(b)] += pabc;
        top3[static_cast<std::size_t>(c)] += pabc;
        pair3[at(a, b)] += pabc;
        pair3[at(a, c)] += pabc;
        pair3[at(b, c)] += pabc;
      }
    }
  }
  const std::int64_t place_pool = win_pool * 3 / 4;
  const std::int64_t quinella_pool = win_pool * 11 / 5;
  const std::int64_t wide_pool = win_pool * 9 / 10;
  const std::int64_t bracket_pool = win_pool * 2 / 5;
  // Even the rank outsider is backed by somebody: each pool's least-backed
  // combination holds a share of the pool that keeps its payout under the
  // pool's all-time record (win ¥56,940, place ¥18,020, bracket ¥149,110,
  // quinella ¥615,560, wide ¥160,770), and wide under ¥100,000 as good as always.
  const int k = std::max(2, places_paid());
  win_ = Spread(q, win_pool, std::max<std::int64_t>(1, win_pool / 690), noise, random);
  // Place backers crowd onto the horses most likely to place a little more
  // than their chances say.
  std::vector<double> placing = places_paid() == 2 ? top2 : top3;
  for (double& p : placing) p = std::pow(p, 1.08);
  place_ = Spread(placing, place_pool,
                  std::max<std::int64_t>(1, place_pool / (205 * k)), noise, random);
  quinella_ = Spread(pair2, quinella_pool, std::max<std::int64_t>(1, quinella_pool / 7600), noise, random);
  wide_ = Spread(pair3, wide_pool, std::max<std::int64_t>(1, wide_pool / 3700), noise, random);
  if (bracket_sold()) {
    std::vector<double> frame_pairs(64, 0.0);
    for (int a = 0; a < n; ++a) {
      for (int b = a + 1; b < n; ++b) {
        const int f = std::min(frames_[static_cast<std::size_t>(a)], frames_[static_cast<std::size_t>(b)]);
        const int g = std::max(frames_[static_cast<std::size_t>(a)], frames_[static_cast<std::size_t>(b)]);
        frame_pairs[static_cast<std::size_t>((f - 1) * 8 + g - 1)] += pair2[at(a, b)];
      }
    }
    for (int f = 1; f <= 8; ++f) {
      for (int g = f; g <= 8; ++g) {
        if (!BracketOpen(f, g)) frame_pairs[static_cast<std::size_t>((f - 1) * 8 + g - 1)] = 0.0;
      }
    }
    const std::vector<std::int64_t> units =
        Spread(frame_pairs, bracket_pool, std::max<std::int64_t>(1, bracket_pool / 1850), noise, random);
    std::copy(units.begin(), units.end(), bracket_.begin());
  }
  RankWinPool();
}

int PoolBook::WinOdds(int i) const {
  const std::int64_t u = win_[static_cast<std::size_t>(i)];
  if (u == 0) return 0;
  const std::int64_t pool = Sum(win_);
  return Clamp(PayoutPer100(u, pool, u, 1, kWinRate, 100) / 10, kMaxSingleOdds);
}

void PoolBook::RankWinPool() {
  std::vector<int> order, odds;
  for (int i = 0; i < runners(); ++i) {
    odds.push_back(WinOdds(i));
    if (win_[static_cast<std::size_t>(i)] > 0) order.push_back(i);
  }
  // Horse numbers increase along `order`, so a stable sort keeps the lower
  // number first among equal odds.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return odds[static_cast<std::size_t>(a)] < odds[static_cast<std::size_t>(b)];
  });
  win_rank_.assign(static_cast<std::size_t>(runners()), 0);
  for (std::size_t r = 0; r < order.size(); ++r) win_rank_[static_cast<std::size_t>(order[r])] = static_cast<int>(r) + 1;
}

int PoolBook::Popularity(int i) const { return win_rank_[static_cast<std::size_t>(i)]; }

ydb::OddsSet PoolBook::Odds() const {
  ydb::OddsSet set;
  const int n = runners();
  auto scratched = [](ydb::Pool pool, int a, int b) {
    ydb::OddsEntry e;
    e.pool = pool;
    e.first = a;
    e.second = b;
    e.mark = "/";
    return e;
  };
  for (int i = 0; i < n; ++i) {
    if (win_[static_cast<std::size_t>(i)] == 0) {
      set.entries.push_back(scratched(ydb::Pool::kWin, i + 1, 0));
      continue;
    }
    set.entries.push_back({ydb::Pool::kWin, i + 1, 0, WinOdds(i), 0, ""});
  }
  // Place odds run from the payout with the most-backed horses placing
  // alongside to the payout with the least-backed.
  const int k = places_paid();
  const std::int64_t place_pool = Sum(place_);
  for (int i = 0; i < n && k > 0; ++i) {
    const std::int64_t u = place_[static_cast<std::size_t>(i)];
    if (u == 0) {
      set.entries.push_back(scratched(ydb::Pool::kPlace, i + 1, 0));
      continue;
    }
    std::vector<std::int64_t> others;
    for (int j = 0; j < n; ++j) {
      if (j != i && place_[static_cast<std::size_t>(j)] > 0) others.push_back(place_[static_cast<std::size_t>(j)]);
    }
    std::sort(others.begin(), others.end());
    std::int64_t most = u, least = u;
    for (int t = 0; t < k - 1 && t < static_cast<int>(others.size()); ++t) {
      most += others[others.size() - 1 - static_cast<std::size_t>(t)];
      least += others[static_cast<std::size_t>(t)];
    }
    const int low = Clamp(PayoutPer100(u, place_pool, most, k, kPlaceRate, 100) / 10, kMaxSingleOdds);
    const int high = Clamp(PayoutPer100(u, place_pool, least, k, kPlaceRate, 100) / 10, kMaxSingleOdds);
    set.entries.push_back({ydb::Pool::kPlace, i + 1, 0, std::min(low, high), std::max(low, high), ""});
  }
  if (bracket_sold()) {
    std::int64_t pool = 0;
    for (std::int64_t x : bracket_) pool += x;
    const int frames = ydb::DrawFrame(n, n);
    for (int f = 1; f <= frames; ++f) {
      for (int g = f; g <= frames; ++g) {
        if (f == g && ydb::FrameSize(f, n) < 2) continue;
        const std::int64_t u = bracket_[static_cast<std::size_t>((f - 1) * 8 + g - 1)];
        if (u == 0) {
          set.entries.push_back(scratched(ydb::Pool::kBracketQuinella, f, g));
          continue;
        }
        const int odds = Clamp(PayoutPer100(u, pool, u, 1, kExoticRate, 1000) / 10, kMaxSingleOdds);
        set.entries.push_back({ydb::Pool::kBracketQuinella, f, g, odds, 0, ""});
      }
    }
  }
  const std::int64_t quinella_pool = Sum(quinella_);
  const std::int64_t wide_pool = Sum(wide_);
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) {
      const std::int64_t u = pair(quinella_, a, b);
      if (u == 0) {
        set.entries.push_back(scratched(ydb::Pool::kQuinella, a + 1, b + 1));
        continue;
      }
      const int odds = Clamp(PayoutPer100(u, quinella_pool, u, 1, kExoticRate, 1000) / 10, kMaxPairOdds);
      set.entries.push_back({ydb::Pool::kQuinella, a + 1, b + 1, odds, 0, ""});
    }
  }
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) {
      const std::int64_t u = pair(wide_, a, b);
      if (u == 0) {
        set.entries.push_back(scratched(ydb::Pool::kWide, a + 1, b + 1));
        continue;
      }
      // The range over the horse that would make the third of the pairs.
      std::int64_t low = 0, high = 0;
      for (int c = 0; c < n; ++c) {
        if (c == a || c == b || !running_[static_cast<std::size_t>(c)]) continue;
        const std::int64_t winning = u + pair(wide_, std::min(a, c), std::max(a, c)) +
                                     pair(wide_, std::min(b, c), std::max(b, c));
        const std::int64_t p = PayoutPer100(u, wide_pool, winning, 3, kExoticRate, 1000);
        low = low == 0 ? p : std::min(low, p);
        high = std::max(high, p);
      }
      if (low == 0) low = high = PayoutPer100(u, wide_pool, u, 1, kExoticRate, 1000);
      set.entries.push_back({ydb::Pool::kWide, a + 1, b + 1, Clamp(low / 10, kMaxPairOdds),
                             Clamp(high / 10, kMaxPairOdds), ""});
    }
  }
  return set;
}

ydb::OddsSet PoolBook::ForecastOdds() const {
  ydb::OddsSet set = Odds();
  set.kind = "0";
  set.entries.erase(std::remove_if(set.entries.begin(), set.entries.end(),
                                   [](const ydb::OddsEntry& e) {
                                     return e.pool != ydb::Pool::kWin && e.pool != ydb::Pool::kPlace;
                                   }),
                    set.entries.end());
  return set;
}

std::vector<ydb::Payout> PoolBook::Settle(const std::vector<int>& finish, Ledger* ledger) const {
  const int n = runners();
  std::vector<ydb::Payout> out;
  auto pos = [&](int i) { return finish[static_cast<std::size_t>(i)]; };

  // One pool: the winning combinations given by their stakes, each paid
  // its share; with no winning combination every stake is returned.
  struct Winner {
    int first;
    int second;
    std::int64_t stake;
    int popularity;
  };
  auto settle = [&](ydb::Pool pool, const std::vector<Winner>& winners, std::int64_t pool_units,
                    int rate_num, int rate_den, std::size_t most) {
    std::int64_t winning = 0;
    for (const Winner& w : winners) winning += w.stake;
    std::int64_t paid = 0;
    const int k = static_cast<int>(winners.size());
    for (std::size_t i = 0; i < winners.size() && i < most; ++i) {
      const Winner& w = winners[i];
      const std::int64_t per100 = PayoutPer100(w.stake, pool_units, winning, k, rate_num, rate_den);
      out.push_back({pool, w.first, w.second, per100, w.popularity});
      paid += per100 * w.stake;
    }
    if (ledger != nullptr) {
      PoolTotals& t = (*ledger)[static_cast<std::size_t>(static_cast<int>(pool) - 1)];
      t.staked += pool_units * 100;
      t.paid += winners.empty() ? pool_units * 100 : paid;
    }
  };

  // Horses in the order of their placings, for the order of the entries.
  std::vector<int> placed;
  for (int i = 0; i < n; ++i) {
    if (pos(i) > 0) placed.push_back(i);
  }
  std::stable_sort(placed.begin(), placed.end(), [&](int a, int b) { return pos(a) < pos(b); });

  const std::vector<int>& win_rank = win_rank_;
  std::vector<Winner> winners;
  for (int i : placed) {
    if (pos(i) == 1) winners.push_back({i + 1, 0, win_[static_cast<std::size_t>(i)], win_rank[static_cast<std::size_t>(i)]});
  }
  settle(ydb::Pool::kWin, winners, Sum(win_), kWinRate, 100, 3);

  const int k = places_paid();
  if (k > 0) {
    const std::vector<int> place_rank = Ranks(place_);
    winners.clear();
    for (int i : placed) {
      if (pos(i) <= k) winners.push_back({i + 1, 0, place_[static_cast<std::size_t>(i)], place_rank[static_cast<std::size_t>(i)]});
    }
    settle(ydb::Pool::kPlace, winners, Sum(place_), kPlaceRate, 100, 5);
  }

  if (bracket_sold()) {
    std::vector<std::int64_t> stakes(bracket_.begin(), bracket_.end());
    const std::vector<int> rank = Ranks(stakes);
    std::vector<int> seen;
    winners.clear();
    for (std::size_t x = 0; x < placed.size(); ++x) {
      for (std::size_t y = x + 1; y < placed.size(); ++y) {
        const int a = placed[x], b = placed[y];
        if (!PairWins(pos(a), pos(b), 2)) continue;
        const int f = std::min(frames_[static_cast<std::size_t>(a)], frames_[static_cast<std::size_t>(b)]);
        const int g = std::max(frames_[static_cast<std::size_t>(a)], frames_[static_cast<std::size_t>(b)]);
        const int key = (f - 1) * 8 + g - 1;
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        winners.push_back({f, g, bracket_[static_cast<std::size_t>(key)], rank[static_cast<std::size_t>(key)]});
      }
    }
    settle(ydb::Pool::kBracketQuinella, winners, total(ydb::Pool::kBracketQuinella), kExoticRate, 1000, 3);
  }

  for (ydb::Pool pool : {ydb::Pool::kQuinella, ydb::Pool::kWide}) {
    const std::vector<std::int64_t>& table = pool == ydb::Pool::kQuinella ? quinella_ : wide_;
    const int places = pool == ydb::Pool::kQuinella ? 2 : 3;
    const std::vector<int> rank = Ranks(table);
    winners.clear();
    for (std::size_t x = 0; x < placed.size(); ++x) {
      for (std::size_t y = x + 1; y < placed.size(); ++y) {
        const int a = std::min(placed[x], placed[y]), b = std::max(placed[x], placed[y]);
        if (!PairWins(pos(a), pos(b), places)) continue;
        const std::size_t key = static_cast<std::size_t>(a * n + b);
        winners.push_back({a + 1, b + 1, table[key], rank[key]});
      }
    }
    settle(pool, winners, Sum(table), kExoticRate, 1000, pool == ydb::Pool::kQuinella ? 3 : 7);
  }
  return out;
}

}  // namespace world
