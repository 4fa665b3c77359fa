// A split of a subject's runs: the runs ordered by key, then date, each
// part with its running sums.
#include "ydbcln/theory/engine/RunSplits.h"

#include <algorithm>

namespace ytheory {
namespace {

// Key order: the fields, then the distance.
bool fieldsless(const SplitKey& a, const SplitKey& b) {
  return std::lexicographical_compare(a.field, a.field + SplitKey::kFields, b.field,
                                      b.field + SplitKey::kFields);
}

bool keyless(const SplitKey& a, const SplitKey& b) {
  if (fieldsless(a, b)) return true;
  if (fieldsless(b, a)) return false;
  return a.distance < b.distance;
}

}  // namespace

void RunSums::Add(const RunSums& o) {
  runs += o.runs;
  for (int k = 0; k < 4; ++k) places[k] += o.places[k];
  sum += o.sum;
  summed += o.summed;
}

void RunSums::Subtract(const RunSums& o) {
  runs -= o.runs;
  for (int k = 0; k < 4; ++k) places[k] -= o.places[k];
  sum -= o.sum;
  summed -= o.summed;
}

void Split::Add(const SplitKey& key, int date, const RunSums& run) {
  entries_.push_back({key, date, run});
}

void Split::Finish() {
  // Stable: each part keeps its runs in date order.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return keyless(a.key, b.key); });
  dates_.reserve(entries_.size());
  sums_.reserve(entries_.size() + entries_.size() / 4 + 1);
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const Entry& e = entries_[k];
    if (k == 0 || keyless(entries_[k - 1].key, e.key)) {
      parts_.push_back({e.key, static_cast<int>(k), static_cast<int>(k)});
      sums_.emplace_back();
    }
    ++parts_.back().last;
    dates_.push_back(e.date);
    RunSums running = sums_.back();
    running.Add(e.run);
    sums_.push_back(running);
  }
  entries_.clear();
  entries_.shrink_to_fit();
}

RunSums Split::Sum(const SplitKey& key, int low, int high, int from, int date) const {
  RunSums total;
  if (low > high) return total;
  SplitKey start = key;
  start.distance = low;
  auto part = std::lower_bound(parts_.begin(), parts_.end(), start,
                               [](const Part& p, const SplitKey& k) { return keyless(p.key, k); });
  for (; part != parts_.end() && !fieldsless(key, part->key) && part->key.distance <= high;
       ++part) {
    const int* first = dates_.data() + part->first;
    const int* last = dates_.data() + part->last;
    const int* begin = std::lower_bound(first, last, from);
    const int* end = std::lower_bound(begin, last, date);
    // The part's running sums begin one entry later for each earlier part.
    const RunSums* sums = sums_.data() + part->first + (part - parts_.begin());
    RunSums s = sums[end - first];
    s.Subtract(sums[begin - first]);
    total.Add(s);
  }
  return total;
}

}  // namespace ytheory
