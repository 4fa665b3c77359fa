// Laps and margins of a result.
#include "world/RaceDetail.h"

#include <numeric>

#include <gtest/gtest.h>

namespace world {
namespace {

TEST(LapsTest, LapsAddUpToTheTimeWithAHundredMetreFirstLapOnOddHundreds) {
  Random random(4, "laps");
  for (int distance : {1000, 1150, 1200, 1400, 1700, 1800, 2000, 2400, 2600, 3000, 3600}) {
    for (double pace : {-1.5, 0.0, 1.5}) {
      const int time = static_cast<int>(distance * 0.06);  // tenths, about 16.7 m/s
      const std::vector<int> laps = Laps(distance, time, pace, random);
      ASSERT_EQ(static_cast<int>(laps.size()), (distance + 100) / 200) << distance;
      EXPECT_EQ(std::accumulate(laps.begin(), laps.end(), 0), time) << distance;
      for (int lap : laps) EXPECT_GT(lap, 0);
      const bool short_first = (distance / 100) % 2 == 1;
      // A 100 m first lap takes about half of a 200 m lap.
      if (short_first) {
        EXPECT_LT(laps[0], laps[1] * 0.75) << distance;
      }
    }
  }
  // A fast early pace makes the first half quicker than the second.
  Random a(5, "pace"), b(5, "pace");
  const std::vector<int> fast = Laps(2000, 1200, 2.0, a);
  const std::vector<int> slow = Laps(2000, 1200, -2.0, b);
  const int fast_early = std::accumulate(fast.begin() + 1, fast.begin() + 5, 0);
  const int slow_early = std::accumulate(slow.begin() + 1, slow.begin() + 5, 0);
  EXPECT_LT(fast_early, slow_early);
}

TEST(MarginTest, LengthsReadAsTheRacingTerms) {
  struct Case {
    double lengths;
    int whole;
    const char* code;
  };
  const Case cases[] = {
      {0.05, 0, "0"},  // ハナ
      {0.2, 0, "1"},   // アタマ
      {0.3, 0, "2"},   // クビ
      {0.5, 0, "3"},   // 1/2
      {0.8, 0, "5"},   // 3/4
      {1.0, 1, ""},    // 1
      {1.26, 1, "4"},  // 1 1/4
      {1.5, 1, "3"},   // 1 1/2
      {1.74, 1, "5"},  // 1 3/4
      {2.2, 2, ""},    // 2: no quarters beyond two lengths
      {2.6, 2, "3"},   // 2 1/2
      {3.2, 3, ""},    // 3
      {3.7, 3, "3"},   // 3 1/2
      {4.4, 4, ""},    // 4: no halves beyond
      {6.4, 6, ""},    // 6
      {12.0, 0, "7"},  // 大差
  };
  for (const Case& c : cases) {
    int whole = -1;
    std::string code = "?";
    MarginOf(c.lengths, &whole, &code);
    EXPECT_EQ(whole, c.whole) << c.lengths;
    EXPECT_EQ(code, c.code) << c.lengths;
  }
}

}  // namespace
}  // namespace world
