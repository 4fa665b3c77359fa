// A split's sums against the runs counted one by one: the ends of a
// distance range and of a period (the first day in, the race day out), runs
// sharing a day, parts of one key among many, values a split cannot keep.
#include "ydbcln/theory/engine/RunSplits.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace {

using ytheory::RunSums;
using ytheory::Split;
using ytheory::SplitKey;

struct KeptRun {
  SplitKey key;
  int date;
  RunSums sums;
};

SplitKey Key(int surface, int racecourse, int distance) {
  SplitKey k;
  k.field[0] = surface;
  k.field[1] = racecourse;
  k.distance = distance;
  return k;
}

auto Fields(const RunSums& s) {
  return std::make_tuple(s.places[0], s.places[1], s.places[2], s.places[3], s.sum,
                         s.summed);
}

TEST(Split, SumsEqualTheRunsCountedOneByOne) {
  std::mt19937 random(7);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  // Three years of runs, several a day, on two surfaces, three courses and
  // six distances.
  std::vector<KeptRun> runs;
  Split split;
  for (int day = 0; day < 1000; ++day) {
    const int date = 20210101 + day / 28 % 12 * 100 + day / 336 * 10000 + day % 28;
    for (int n = pick(0, 3); n > 0; --n) {
      KeptRun r{Key(pick('0', '1'), pick(1, 3), 1000 + 200 * pick(0, 5)), date, {}};
      ++r.sums.places[pick(0, 3)];
      r.sums.sum = pick(0, 30);
      r.sums.summed = pick(0, 1);
      split.Add(r.key, r.date, r.sums);
      runs.push_back(r);
    }
  }
  split.Finish();
  ASSERT_TRUE(split.whole());

  int nonempty = 0;
  for (int q = 0; q < 3000; ++q) {
    const SplitKey today = Key(pick('0', '1'), pick(1, 3), 0);
    const int low = 1000 + 200 * pick(-1, 5);
    const int high = low + 200 * pick(-1, 3);
    const KeptRun& a = runs[pick(0, static_cast<int>(runs.size()) - 1)];
    const KeptRun& b = runs[pick(0, static_cast<int>(runs.size()) - 1)];
    const int from = std::min(a.date, b.date);
    const int date = std::max(a.date, b.date);
    RunSums expected;
    for (const KeptRun& r : runs) {
      if (r.key.field[0] != today.field[0] || r.key.field[1] != today.field[1]) continue;
      if (r.key.distance < low || r.key.distance > high) continue;
      if (r.date < from || r.date >= date) continue;
      expected.Add(r.sums);
    }
    nonempty += expected.runs() > 0;
    ASSERT_EQ(Fields(split.Sum(today, low, high, from, date)), Fields(expected))
        << "surface " << today.field[0] << " course " << today.field[1] << " " << low << "-"
        << high << " m, " << from << " to before " << date;
  }
  EXPECT_GT(nonempty, 1000);
}

TEST(Split, ValuesOutOfItsRangeAreNotKeptAndMatchNothing) {
  RunSums one;
  one.places[0] = 1;
  Split kept;
  kept.Add(Key('1', 5, 1600), 20240105, one);
  kept.Finish();
  EXPECT_TRUE(kept.whole());
  EXPECT_EQ(kept.Sum(Key('1', 5, 0), 1600, 1600, 0, 20240106).runs(), 1);
  // Today's course out of the range, or a distance range below 0: no run.
  EXPECT_EQ(kept.Sum(Key('1', 5000, 0), 0, 4000, 0, 20240106).runs(), 0);
  EXPECT_EQ(kept.Sum(Key('1', 5, 0), -400, -200, 0, 20240106).runs(), 0);
  // A range reaching below 0 and above the longest distance kept.
  EXPECT_EQ(kept.Sum(Key('1', 5, 0), -400, 100000, 0, 20240106).runs(), 1);

  for (const SplitKey& bad : {Key('1', 600, 1600), Key(-600, 5, 1600), Key('1', 5, 20000)}) {
    Split split;
    split.Add(Key('1', 5, 1600), 20240105, one);
    split.Add(bad, 20240106, one);
    split.Finish();
    EXPECT_FALSE(split.whole()) << bad.field[0] << " " << bad.field[1] << " " << bad.distance;
  }
}

}  // namespace
