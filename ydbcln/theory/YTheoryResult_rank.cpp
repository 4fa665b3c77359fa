// The theory result's final order: the factor ranks weighed into scores,
// the scores into final ranks, and the ties broken by the factors in order
// of weight, the forecast win odds and the prediction marks.
#include <algorithm>
#include <vector>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

// Points of a factor rank in half points: 8 points for the first down to 1
// for the eighth, half a point below that.
long long half_points(int rank) { return rank <= 8 ? 2 * (9 - rank) : 1; }

// Raises the final ranks of the runners tied at each rank value v that
// `counts` shows shared: within the runners now ranked v, a member is
// raised by one for every member `worse(member, other)` ranks it behind.
// The raises stay within the ranks the tie leaves free (v to v + size - 1),
// so no group reaches another.
template <typename Worse>
void break_ties(const int* counts, int n, int* finalrank, Worse worse) {
  int members[YTheoryResult::kMaxRunners];
  int raise[YTheoryResult::kMaxRunners];
  for (int v = 1; v <= n; ++v) {
    if (counts[v] < 2) continue;
    int size = 0;
    for (int r = 0; r < n; ++r) {
      if (finalrank[r] == v) members[size++] = r;
    }
    for (int m = 0; m < size; ++m) {
      raise[m] = 0;
      for (int o = 0; o < size; ++o) {
        if (worse(members[m], members[o])) ++raise[m];
      }
    }
    for (int m = 0; m < size; ++m) finalrank[members[m]] += raise[m];
  }
}

// The prediction mark code as the tie-break orders it: no mark counts as 9,
// after × and before 消.
int mark_order(int code) { return code == 0 ? 9 : code; }

}  // namespace

bool YTheoryResult::scorecheck(int* ranks, int n, int* counts) {
  if (counts == nullptr || n < 0) return false;
  std::fill(counts, counts + n + 1, 0);
  if (ranks == nullptr) return false;
  bool tied = false;
  for (int i = 0; i < n; ++i) {
    const int v = ranks[i];
    if (v >= 0 && v <= n && ++counts[v] > 1) tied = true;
  }
  return tied;
}

void YTheoryResult::setth(YTheory* theory, int* extra) {
  ticketcount = 0;
  cutdown = false;
  clearhits();
  const int n = std::clamp(runnercount, 0, kMaxRunners);
  const int items = theory == nullptr ? 0 : std::clamp(theory->getitemcount(), 0, kMaxItems);
  title = theory == nullptr ? std::string() : theory->getname();
  itemcount = items;
  long long value[kMaxItems];
  for (int i = 0; i < kMaxItems; ++i) {
    value[i] = i < items ? theory->getitemvalue(i) : 0;
    itemname[i] = i < items ? YTheories::getitemname_no(theory->getitemno(i)) : std::string();
  }

  // Weights out of 100 (the theory's shares). Without any weight every
  // factor counts with the base alone.
  long long weight[kMaxItems] = {};
  if (items > 0) {
    const std::vector<int> shares = theory->shares();
    for (int i = 0; i < items; ++i) weight[i] = shares[static_cast<std::size_t>(i)];
  }

  // Score: the sum over the items with data of (weight + 100) % of the
  // points, over 8 × (items with data + 1), in percent. The sum is kept in
  // whole half-point percents so that runners with equal sums score
  // exactly alike, whatever their items' order.
  for (int r = 0; r < n; ++r) {
    long long sum = 0;
    int counted = 0;
    for (int i = 0; i < items; ++i) {
      if (rank[i][r] == 0) continue;
      ++counted;
      sum += (weight[i] + 100) * half_points(rank[i][r]);
    }
    score[r] = counted == 0 ? 0.0 : static_cast<double>(sum) / (16.0 * (counted + 1));
  }
  // A runner's final rank is one more than the runners scoring above it.
  // Counted without a branch: the comparisons of a race's scores are as
  // good as random, and the optimiser ranks every race once an individual.
  for (int r = 0; r < n; ++r) {
    int above = 0;
    for (int s = 0; s < n; ++s) above += score[s] > score[r] ? 1 : 0;
    finalrank[r] = 1 + above;
  }

  int counts[kMaxRunners + 1];
  bool tied = scorecheck(finalrank, n, counts);
  if (!tied) return;

  // a. The factors, heaviest first (equal weights in item order). A rank 0
  //    (no data) compares as stored, ahead of every rank.
  int byweight[kMaxItems];
  for (int i = 0; i < items; ++i) {
    int at = i;
    while (at > 0 && value[byweight[at - 1]] < value[i]) {
      byweight[at] = byweight[at - 1];
      --at;
    }
    byweight[at] = i;
  }
  for (int k = 0; k < items && tied; ++k) {
    const int* ranks = rank[byweight[k]];
    break_ties(counts, n, finalrank, [ranks](int a, int b) { return ranks[a] > ranks[b]; });
    tied = scorecheck(finalrank, n, counts);
  }
  if (!tied) return;

  // b. The forecast win odds, lower first: the caller's, or the store's.
  //    c. The prediction marks, ◎ first. Both work on the ties of the last
  //    check.
  yrace::OwnedBuffer stored;
  const int* odds = extra;
  int oddscount = n;
  if (odds == nullptr && db_ != nullptr && db_->isinit()) {
    stored.reset(get_yodds_tan2code(racekey.c_str()));
    oddscount = yrace::record_count(stored.get(), 4);
    if (oddscount > 0) odds = static_cast<const int*>(stored.get());
  }
  if (odds != nullptr) {
    auto odds_of = [odds, oddscount](int r) { return r < oddscount ? odds[r] : kNoOdds; };
    break_ties(counts, n, finalrank, [odds_of](int a, int b) { return odds_of(a) > odds_of(b); });
  }
  const int* marks = markcode;
  break_ties(counts, n, finalrank,
             [marks](int a, int b) { return mark_order(marks[a]) > mark_order(marks[b]); });
}

bool YTheoryResult::setth_ex(std::string& racecode, _tagTHITEM* items, int count, int runners,
                             unsigned char** ranks, int* marks, int* frames, int* extra,
                             YHaitoInfo& payouts) {
  bool usable = runners >= 0 && runners <= kMaxRunners && count >= 0 && count <= kMaxItems &&
                marks != nullptr && frames != nullptr &&
                (count == 0 || (items != nullptr && ranks != nullptr));
  for (int i = 0; usable && i < count; ++i) usable = ranks[i] != nullptr;
  if (!usable) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return false;
  }

  YTheory theory(nullptr);
  for (int i = 0; i < count; ++i) {
    theory.additem(items[i].no, items[i].value, items[i].param[0], items[i].param[1]);
  }
  racekey = racecode;
  runnercount = runners;
  for (int r = 0; r < runners; ++r) {
    horseno[r] = r + 1;
    frame[r] = frames[r];
    markcode[r] = marks[r];
    excluded[r] = marks[r] == kExcludedMark;
  }
  for (int i = 0; i < count; ++i) {
    for (int r = 0; r < runners; ++r) rank[i][r] = ranks[i][r];
  }
  setpayouts(payouts);
  setth(&theory, extra);
  return true;
}
