// A split of a subject's runs: the runs ordered by key, then date, each
// part with its running sums.
#include "ydbcln/theory/engine/RunSplits.h"

#include <algorithm>

namespace ytheory {
namespace {

constexpr int kFieldBits = 10;
constexpr int kFieldOffset = 1 << (kFieldBits - 1);
constexpr int kDistanceBits = 14;
constexpr int kMaxDistance = (1 << kDistanceBits) - 1;

// The fields of `key` packed above a distance of 0, in key order; false
// when one is out of the split's range.
bool packfields(const SplitKey& key, std::uint64_t* packed) {
  std::uint64_t v = 0;
  for (int f : key.field) {
    if (f < -kFieldOffset || f >= kFieldOffset) return false;
    v = v << kFieldBits | static_cast<std::uint64_t>(f + kFieldOffset);
  }
  *packed = v << kDistanceBits;
  return true;
}

}  // namespace

void RunSums::Add(const RunSums& o) {
  for (int k = 0; k < 4; ++k) places[k] += o.places[k];
  sum += o.sum;
  summed += o.summed;
}

void RunSums::Subtract(const RunSums& o) {
  for (int k = 0; k < 4; ++k) places[k] -= o.places[k];
  sum -= o.sum;
  summed -= o.summed;
}

void Split::Add(const SplitKey& key, int date, const RunSums& run) {
  std::uint64_t packed = 0;
  if (!packfields(key, &packed) || key.distance < 0 || key.distance > kMaxDistance) {
    whole_ = false;
    return;
  }
  entries_.push_back({packed | static_cast<std::uint64_t>(key.distance), date, run});
}

void Split::Finish() {
  // Stable: each part keeps its runs in date order.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
  std::size_t parts = 0;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    parts += k == 0 || entries_[k - 1].key != entries_[k].key;
  }
  parts_.reserve(parts);
  dates_.reserve(entries_.size());
  sums_.reserve(entries_.size() + parts);
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const Entry& e = entries_[k];
    if (k == 0 || entries_[k - 1].key != e.key) {
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
  std::uint64_t fields = 0;
  // Today's values out of the split's range match no run.
  low = std::max(low, 0);
  high = std::min(high, kMaxDistance);
  if (low > high || !packfields(key, &fields)) return total;
  const std::uint64_t lastkey = fields | static_cast<std::uint64_t>(high);
  auto part = std::lower_bound(
      parts_.begin(), parts_.end(), fields | static_cast<std::uint64_t>(low),
      [](const Part& p, std::uint64_t k) { return p.key < k; });
  for (; part != parts_.end() && part->key <= lastkey; ++part) {
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
