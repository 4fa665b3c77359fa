// A subject's runs split by what a factor compares with today's race: the
// surface, the racecourse, the meeting, the going, the season, draw or
// field-size class, and the distance. Each part keeps its runs in date
// order with running sums, so the runs of a period that match a race are
// a few binary searches instead of a walk over every run of the period (a
// sire's offspring run some thirty times a week).
//
// Range evaluation keeps a RunSplits per jockey, trainer and sire and
// makes each split the first time a factor of its kind asks for it:
//
//   const Split& split = splits->Get(id, [&](Split* s) {
//     for (const Row& r : runs) if (counts(r)) s->Add(keyof(r), r.date, sumsof(r));
//   });
//   RunSums sums = split.Sum(keyof(today), lo, hi, from, date);
#ifndef YDBCLN_THEORY_ENGINE_RUNSPLITS_H_
#define YDBCLN_THEORY_ENGINE_RUNSPLITS_H_

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "ydbcln/theory/engine/FactorDefinition.h"

namespace ytheory {

// What qualifying runs add up to: their places (1st, 2nd, 3rd, other; the
// runs are their total) and a sum of whole numbers (non-zero positions,
// class or grade points) with how many were summed. Kept small: a split
// holds one per run.
struct RunSums {
  int places[4] = {0, 0, 0, 0};
  int sum = 0;
  int summed = 0;

  int runs() const { return places[0] + places[1] + places[2] + places[3]; }

  void Add(const RunSums& o);
  void Subtract(const RunSums& o);
};

// The values of a run (or of today's race) that a split compares: those of
// the conditions a factor has, 0 for the others. A split keeps fields from
// -512 to 511 and distances from 0 to 16383 (a run's are digits of its
// record); the distance comes last in key order, so the parts of a
// distance range are one stretch.
struct SplitKey {
  static constexpr int kFields = 5;
  int field[kFields] = {};
  int distance = 0;
};

class Split {
 public:
  // Adds a run; runs come in date order.
  void Add(const SplitKey& key, int date, const RunSums& run);
  // Makes the parts and their running sums; no Add after it.
  void Finish();
  // False when a run added had a value a split does not keep: walk the
  // runs instead.
  bool whole() const { return whole_; }
  // The sums of the runs whose fields are `key`'s and whose distance is
  // from `low` to `high`, dated from `from` to the day before `date`.
  RunSums Sum(const SplitKey& key, int low, int high, int from, int date) const;

 private:
  struct Entry {
    std::uint64_t key;  // packed: the fields, then the distance
    int date;
    RunSums run;
  };
  struct Part {
    std::uint64_t key;
    int first;  // into dates_; the running sums of the part start at sums_[first + index]
    int last;
  };

  bool whole_ = true;
  std::vector<Entry> entries_;  // until Finish
  std::vector<Part> parts_;
  std::vector<int> dates_;
  std::vector<RunSums> sums_;  // per part: 0, then after each of its runs
};

// The splits of one subject's runs, each made once, by an id that tells
// which conditions and sums it is made for.
class RunSplits {
 public:
  // The split `id`, made with `make(Split*)` the first time it is asked for.
  template <class Make>
  const Split& Get(unsigned id, const Make& make) {
    for (const auto& [have, split] : splits_) {
      if (have == id) return *split;
    }
    auto split = std::make_unique<Split>();
    make(split.get());
    split->Finish();
    splits_.emplace_back(id, std::move(split));
    return *splits_.back().second;
  }

 private:
  std::vector<std::pair<unsigned, std::unique_ptr<Split>>> splits_;
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_RUNSPLITS_H_
