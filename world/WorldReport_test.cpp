// The realism report over the generated season: the coarse figures an
// analyst checks first lie in JRA's bands, widened for one season's scatter.
#include "world/WorldTally.h"

#include <gtest/gtest.h>

#include "world/GeneratedSeason_test.h"

namespace world {
namespace {

using season_test::GeneratedSeason;

class WorldReportTest : public GeneratedSeason {
 protected:
  static void SetUpTestSuite() {
    GeneratedSeason::SetUpTestSuite();
    if (db_ != nullptr) status_ = MeasureWorld(*db_, &report_);
  }

  static const Figure& Of(const std::string& name) {
    for (const Figure& f : report_.figures) {
      if (f.name == name) return f;
    }
    ADD_FAILURE() << "no figure " << name;
    static const Figure none;
    return none;
  }

  // Every figure, for the message of a failure.
  static std::string Table() {
    std::string text = "\n";
    for (const Figure& f : report_.figures) {
      text += f.name + " " + std::to_string(f.value) + " [" + std::to_string(f.low) + ", " +
              std::to_string(f.high) + "]\n";
    }
    return text;
  }

  inline static ydb::Status status_;
  inline static Report report_;
};

TEST_F(WorldReportTest, ReadsTheWholeSeason) {
  ASSERT_TRUE(status_.ok()) << status_.message();
  EXPECT_EQ(report_.seasons, 1);
  EXPECT_EQ(report_.races, summary_.races);
  for (const Figure& f : report_.figures) {
    EXPECT_FALSE(f.source.empty()) << f.name;
    EXPECT_LE(f.low, f.high) << f.name;
  }
}

// No payout beyond its pool's all-time record, and what backing every
// favourite and the outsiders returns as the public's money makes it.
TEST_F(WorldReportTest, PayoutsAndThePublicsMoney) {
  for (const char* pool : {"largest_win", "largest_place", "largest_bracket", "largest_quinella",
                           "largest_wide"}) {
    const Figure& f = Of(pool);
    EXPECT_TRUE(f.measured) << pool << Table();
    EXPECT_LE(f.value, f.high) << pool << Table();
  }
  EXPECT_LE(Of("wide_over_100k").value, 2) << Table();
  EXPECT_NEAR(Of("favourite_win_return").value, 78, 7) << Table();
  EXPECT_NEAR(Of("favourite_place_return").value, 82.5, 6) << Table();
  EXPECT_NEAR(Of("outsider_win_return").value, 62.5, 20) << Table();
  EXPECT_NEAR(Of("favourite_win_rate").value, 32.5, 3) << Table();
  EXPECT_NEAR(Of("favourite_top3_rate").value, 64, 3.5) << Table();
}

// Margins only from the judges' set, dead heats for first a few a season,
// and the fastest finisher over the last 600 m near the front.
TEST_F(WorldReportTest, MarginsDeadHeatsAndTheFastestFinisher) {
  EXPECT_EQ(Of("margins_outside_set").value, 0) << Table();
  EXPECT_TRUE(Of("margins_outside_set").measured);
  EXPECT_LE(Of("dead_heats_for_first").value, 10) << Table();
  EXPECT_GE(Of("fastest_closer_place").value, 1.8) << Table();
  EXPECT_LE(Of("fastest_closer_place").value, 4.0) << Table();
}

}  // namespace
}  // namespace world
