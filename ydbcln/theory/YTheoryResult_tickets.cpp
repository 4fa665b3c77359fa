// The theory result's tickets: bought from the final order by box,
// nagashi, single horses, or the leader and top-two rules, and checked
// against the race's payouts.
#include <algorithm>

#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

// Ranks an excluded runner sorts by: after every runner that may be bought.
constexpr int kExcludedSortRank = 999;

// The slots 0..n-1 in ascending `ranks`, excluded runners last, equal ranks
// in slot order.
// Each slot's place is counted without a branch (the slots ahead of it by
// rank, then the earlier ones of its rank): a race's ranks come in any
// order, and the optimiser sorts every race once an individual.
void sort_by(const int* ranks, const bool* excluded, int n, int* order) {
  int key[YTheoryResult::kMaxRunners];
  for (int s = 0; s < n; ++s) key[s] = excluded[s] ? kExcludedSortRank : ranks[s];
  for (int s = 0; s < n; ++s) {
    int place = 0;
    for (int t = 0; t < n; ++t) place += key[t] < key[s] ? 1 : 0;
    for (int t = 0; t < s; ++t) place += key[t] == key[s] ? 1 : 0;
    order[place] = s;
  }
}

// The last rank of `count` ranks from `first`, without overflow.
long long last_rank(int first, int count) { return static_cast<long long>(first) + count - 1; }

// Two numbers as one key: the smaller × scale + the larger.
int pair_key(int a, int b, int scale) { return std::min(a, b) * scale + std::max(a, b); }

}  // namespace

void YTheoryResult::clearhits() {
  hitbettype = 0;
  hitcount = 0;
  std::fill(std::begin(hitamount), std::end(hitamount), 0);
  std::fill(std::begin(hitkey), std::end(hitkey), static_cast<short>(0));
  maxhit = 0;
  maxhitrank = 0;
  minhit = 0;
  minhitrank = 0;
}

bool YTheoryResult::addkaime(int a, int b, int kind, int ra, int rb) {
  if (ticketcount >= kMaxTickets) return false;
  int key = a;
  int ranks = a;
  switch (kind) {
    case kHorsePair:
      key = pair_key(a, b, 100);
      ranks = pair_key(ra, rb, 100);
      break;
    case kFramePair:
      key = pair_key(frameof(a), frameof(b), 10);
      ranks = pair_key(ra, rb, 100);
      for (int t = 0; t < ticketcount; ++t) {
        if (ticketkey[t] == key) return false;
      }
      break;
    case kSingleHorse:
      key = a + 10000;
      ranks = ra + 10000;
      break;
    default:
      break;
  }
  ticketkey[ticketcount] = static_cast<short>(key);
  ticketrank[ticketcount] = static_cast<short>(ranks);
  ++ticketcount;
  return true;
}

void YTheoryResult::setkaime(int bettype, YTheoryOption* option) {
  ticketcount = 0;
  cutdown = false;
  if (option == nullptr || bettype < kQuinella || bettype > kPlace) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return;
  }
  const int n = std::clamp(runnercount, 0, kMaxRunners);
  int block = YTheoryOption::kPairBlock;
  int kind = kHorsePair;
  if (bettype == kBracketQuinella || ((bettype == kQuinella || bettype == kWide) && n < 9)) {
    block = YTheoryOption::kFrameBlock;
    kind = kFramePair;
  } else if (bettype == kWin || bettype == kPlace) {
    block = YTheoryOption::kSingleBlock;
    kind = kSingleHorse;
  }

  int last = 0;
  for (int r = 0; r < n; ++r) last = std::max(last, finalrank[r]);
  for (int r = 0; r < n; ++r) reverserank[r] = excluded[r] ? last : last - finalrank[r] + 1;
  int order[kMaxRunners];
  int rorder[kMaxRunners];
  sort_by(finalrank, excluded, n, order);
  sort_by(reverserank, excluded, n, rorder);

  using O = YTheoryOption;
  const std::int32_t* f = option->block[block];
  if (kind == kSingleHorse) {
    setkaime_tansho(order, rorder, f[O::kBoxOrder], f[O::kBoxFirst]);
    return;
  }
  double top[3] = {0, 0, 0};
  for (int k = 0; k < 3 && k < n; ++k) top[k] = score[order[k]];

  // Each rule buys, then buys with one rank fewer while it holds more
  // tickets than its limit; a count of 0 buys nothing and ends it.
  auto cut_down = [this](long long limit, int count, auto buy) {
    buy(count);
    while (ticketcount > limit && count > 0) {
      --count;
      cutdown = true;
      ticketcount = 0;
      buy(count);
    }
  };
  if (f[O::kLeaderOn] != 0 && top[0] - top[1] >= f[O::kLeaderMargin]) {
    // The leader as the axis and the rule's count of partners from rank 2,
    // cut down while more tickets than one fewer than that count are bought.
    const int partners = std::max(f[O::kLeaderCount], 0);
    cut_down(partners - 1, partners, [&](int count) {
      setkaime_nagashi(order, rorder, O::kByRank, 1, O::kByRank, 2, count, kind);
    });
  } else if (f[O::kTopTwoOn] != 0 && top[1] - top[2] >= f[O::kTopTwoMargin]) {
    // The leader with the second: one ticket for each runner sharing rank 2.
    setkaime_nagashi(order, rorder, O::kByRank, 1, O::kByRank, 2, 1, kind);
  } else if (f[O::kMethod] == O::kBox) {
    const long long count = f[O::kBoxCount];
    cut_down(count * (count - 1) / 2, f[O::kBoxCount], [&](int c) {
      setkaime_box(order, rorder, f[O::kBoxOrder], f[O::kBoxFirst], c, kind);
    });
  } else if (f[O::kMethod] == O::kNagashi) {
    cut_down(f[O::kPartnerCount], f[O::kPartnerCount], [&](int count) {
      setkaime_nagashi(order, rorder, f[O::kAxisOrder], f[O::kAxisRank], f[O::kPartnerOrder],
                       f[O::kPartnerFirst], count, kind);
    });
  }
}

void YTheoryResult::setkaime_nagashi(int* order, int* rorder, int axisrev, int axisrank,
                                     int partnerrev, int first, int count, int kind) {
  if (order == nullptr || rorder == nullptr) return;
  const int n = std::clamp(runnercount, 0, kMaxRunners);
  const int* axisorder = axisrev != 0 ? rorder : order;
  const int* axisranks = axisrev != 0 ? reverserank : finalrank;
  int axis = -1;
  for (int p = 0; p < n; ++p) {
    const int s = axisorder[p];
    if (!excluded[s] && axisranks[s] <= axisrank) axis = s;
  }
  if (axis < 0) return;

  const int* partners = partnerrev != 0 ? rorder : order;
  const int* ranks = partnerrev != 0 ? reverserank : finalrank;
  const long long last = last_rank(first, count);
  for (int p = 0; p < n - 1; ++p) {
    const int s = partners[p];
    if (s == axis || excluded[s] || ranks[s] < first) continue;
    if (ranks[s] > last) break;
    addkaime(horseno[axis], horseno[s], kind, finalrank[axis], finalrank[s]);
  }
}

void YTheoryResult::setkaime_box(int* order, int* rorder, int rev, int first, int count,
                                 int kind) {
  if (order == nullptr || rorder == nullptr) return;
  const int n = std::clamp(runnercount, 0, kMaxRunners);
  const int* walk = rev != 0 ? rorder : order;
  const int* ranks = rev != 0 ? reverserank : finalrank;
  const long long last = last_rank(first, count);
  for (int p = 0; p < n; ++p) {
    const int s = walk[p];
    if (excluded[s] || ranks[s] < first) continue;
    if (ranks[s] > last) break;
    for (int q = p + 1; q < n; ++q) {
      const int t = walk[q];
      if (excluded[t]) continue;
      if (ranks[t] > last) break;
      addkaime(horseno[s], horseno[t], kind, finalrank[s], finalrank[t]);
    }
  }
}

void YTheoryResult::setkaime_tansho(int* order, int* rorder, int rev, int maxrank) {
  if (order == nullptr || rorder == nullptr) return;
  const int n = std::clamp(runnercount, 0, kMaxRunners);
  const int* walk = rev != 0 ? rorder : order;
  const int* ranks = rev != 0 ? reverserank : finalrank;
  for (int p = 0; p < n; ++p) {
    const int s = walk[p];
    if (excluded[s]) continue;
    if (ranks[s] > maxrank) break;
    addkaime(horseno[s], 0, kSingleHorse, finalrank[s], 0);
  }
}

bool YTheoryResult::settekichu(int bettype) {
  clearhits();
  if (bettype == kWide && wide[0].key == 0) return false;
  for (int t = 0; t < ticketcount; ++t) {
    int key = ticketkey[t];
    const Payout* table = umaren;
    int size = 3;
    if (key > 10000) {
      key -= 10000;
      table = bettype == kWin ? tansho : fukusho;
      size = bettype == kWin ? 3 : 5;
    } else if (key < 100) {
      table = wakuren;
    } else if (bettype == kWide) {
      table = wide;
      size = 7;
    }
    for (int e = 0; e < size && table[e].key != 0; ++e) {
      if (table[e].key != key || hitcount >= kMaxHits) continue;
      const int amount = table[e].amount;
      hitamount[hitcount] = amount;
      hitkey[hitcount] = ticketkey[t];
      if (hitcount == 0 || amount > maxhit) {
        maxhit = amount;
        maxhitrank = ticketrank[t];
      }
      if (hitcount == 0 || amount < minhit) {
        minhit = amount;
        minhitrank = ticketrank[t];
      }
      ++hitcount;
    }
  }
  hitbettype = bettype;
  return true;
}
