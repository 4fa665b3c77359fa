// The realism report over the generated season: the coarse figures an
// analyst checks first lie in JRA's bands, widened for one season's scatter;
// and the turf share the race office holds in a world's first season.
#include "world/WorldTally.h"

#include <gtest/gtest.h>

#include "world/GeneratedSeason_test.h"

namespace world {
namespace {

using season_test::GeneratedSeason;

// The season's figures, measured once for the suite's shared season.
const Report& Measured(ydb::Database& db) {
  static ydb::Database* measured = nullptr;
  static Report report;
  if (measured != &db) {
    measured = &db;
    const ydb::Status s = MeasureWorld(db, &report);
    EXPECT_TRUE(s.ok()) << s.message();
  }
  return report;
}

const Figure& Of(const Report& report, const std::string& name) {
  for (const Figure& f : report.figures) {
    if (f.name == name) return f;
  }
  ADD_FAILURE() << "no figure " << name;
  static const Figure none;
  return none;
}

// Every figure, for the message of a failure.
std::string Table(const Report& report) {
  std::string text = "\n";
  for (const Figure& f : report.figures) {
    text += f.name + " " + std::to_string(f.value) + " [" + std::to_string(f.low) + ", " +
            std::to_string(f.high) + "]\n";
  }
  return text;
}

// No payout beyond its pool's all-time record, and what backing every
// favourite and the outsiders returns as the public's money makes it.
TEST_F(GeneratedSeason, PayoutsAndThePublicsMoney) {
  const Report& report = Measured(db());
  EXPECT_EQ(report.races, summary_.races) << "the report reads the whole season";
  for (const char* pool : {"largest_win", "largest_place", "largest_bracket", "largest_quinella",
                           "largest_wide"}) {
    const Figure& f = Of(report, pool);
    EXPECT_TRUE(f.measured) << pool << Table(report);
    EXPECT_LE(f.value, f.high) << pool << Table(report);
  }
  EXPECT_LE(Of(report, "wide_over_100k").value, 2) << Table(report);
  EXPECT_NEAR(Of(report, "favourite_win_return").value, 78, 7) << Table(report);
  EXPECT_NEAR(Of(report, "favourite_place_return").value, 82.5, 6) << Table(report);
  EXPECT_NEAR(Of(report, "outsider_win_return").value, 62.5, 20) << Table(report);
  EXPECT_NEAR(Of(report, "favourite_win_rate").value, 32.5, 3) << Table(report);
  EXPECT_NEAR(Of(report, "favourite_top3_rate").value, 64, 3.5) << Table(report);
}

// Margins only from the judges' set, dead heats for first a few a season,
// and the fastest finisher over the last 600 m near the front.
TEST_F(GeneratedSeason, MarginsDeadHeatsAndTheFastestFinisher) {
  const Report& report = Measured(db());
  EXPECT_EQ(Of(report, "margins_outside_set").value, 0) << Table(report);
  EXPECT_TRUE(Of(report, "margins_outside_set").measured);
  // About four a season, each race's by its own luck: a season of more
  // than twelve comes once in thousands.
  EXPECT_LE(Of(report, "dead_heats_for_first").value, 12) << Table(report);
  EXPECT_GE(Of(report, "fastest_closer_place").value, 1.8) << Table(report);
  EXPECT_LE(Of(report, "fastest_closer_place").value, 4.0) << Table(report);
}

// Races are run at every pace, each mark on a good share of them.
TEST_F(GeneratedSeason, RacesRunAtEveryPace) {
  const Report& report = Measured(db());
  double total = 0.0;
  for (const char* pace : {"pace_fast_share", "pace_even_share", "pace_slow_share"}) {
    const Figure& f = Of(report, pace);
    EXPECT_GE(f.value, 15) << pace << Table(report);
    total += f.value;
  }
  EXPECT_NEAR(total, 100, 0.5) << "every flat race has its pace mark" << Table(report);
}

// Two newcomers' races in three on the turf, most maiden races on the dirt:
// the trainers start their young horses on the turf and try their beaten
// maidens on the dirt.
TEST_F(GeneratedSeason, NewcomersRaceOnTheTurfAndMaidensOnTheDirt) {
  const Report& report = Measured(db());
  EXPECT_GE(Of(report, "newcomers_on_turf").value, 58) << Table(report);
  EXPECT_LE(Of(report, "maidens_on_turf").value, 53) << Table(report);
}

// The race office holds about half its flat races on the turf from a
// world's first season on, whatever its horses lean to: the first season of
// a world of the default origin ran 44 % turf before the office steered
// its programme by its recent share.
TEST(Programme, AWorldsFirstSeasonRunsHalfItsFlatRacesOnTheTurf) {
  ytest::TempDir dir;
  std::unique_ptr<ydb::Database> db;
  ASSERT_TRUE(ydb::Database::Open(dir.str() + "/w.db", ydb::Database::Mode::kOpenOrCreate, &db).ok());
  Options options;
  options.first_season = options.last_season = kDefaultOrigin;
  ASSERT_TRUE(Generate(*db, options, {}, nullptr).ok());
  Report report;
  ASSERT_TRUE(MeasureWorld(*db, &report).ok());
  const Figure& turf = Of(report, "turf_share");
  EXPECT_GE(turf.value, turf.low) << Table(report);
  EXPECT_LE(turf.value, turf.high) << Table(report);
}

}  // namespace
}  // namespace world
