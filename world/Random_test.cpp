// The world's random streams: reproducible, independent by key, and the
// distributions the races are drawn from.
#include "world/Random.h"

#include <vector>

#include <gtest/gtest.h>

namespace world {
namespace {

TEST(RandomTest, StreamsAreReproducibleAndKeyed) {
  Random a(7, "race", {20190526, 4, 10});
  Random b(7, "race", {20190526, 4, 10});
  Random other_key(7, "race", {20190526, 4, 11});
  Random other_tag(7, "fate", {20190526, 4, 10});
  Random other_seed(8, "race", {20190526, 4, 10});
  int same_key = 0, same_tag = 0, same_seed = 0;
  for (int i = 0; i < 100; ++i) {
    const std::uint64_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    same_key += x == other_key.Next();
    same_tag += x == other_tag.Next();
    same_seed += x == other_seed.Next();
  }
  EXPECT_EQ(same_key, 0);
  EXPECT_EQ(same_tag, 0);
  EXPECT_EQ(same_seed, 0);
}

TEST(RandomTest, DistributionsHaveTheirMoments) {
  Random r(1, "moments");
  const int n = 200000;
  double sum = 0, sum2 = 0, usum = 0;
  int below[5] = {0, 0, 0, 0, 0};
  for (int i = 0; i < n; ++i) {
    const double z = r.Normal();
    sum += z;
    sum2 += z * z;
    const double u = r.Uniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    usum += u;
    const int k = r.Below(5);
    ASSERT_GE(k, 0);
    ASSERT_LT(k, 5);
    ++below[k];
  }
  EXPECT_NEAR(sum / n, 0.0, 0.01);
  EXPECT_NEAR(sum2 / n, 1.0, 0.02);
  EXPECT_NEAR(usum / n, 0.5, 0.005);
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(below[k] / static_cast<double>(n), 0.2, 0.005);
}

TEST(RandomTest, PickFollowsWeightsAndSkipsZeros) {
  Random r(2, "pick");
  const std::vector<double> weights = {1.0, 0.0, 3.0, 6.0};
  std::vector<int> counts(4, 0);
  for (int i = 0; i < 100000; ++i) ++counts[static_cast<std::size_t>(r.Pick(weights))];
  EXPECT_EQ(counts[1], 0);
  EXPECT_NEAR(counts[0] / 1e5, 0.1, 0.005);
  EXPECT_NEAR(counts[2] / 1e5, 0.3, 0.006);
  EXPECT_NEAR(counts[3] / 1e5, 0.6, 0.006);
}

}  // namespace
}  // namespace world
