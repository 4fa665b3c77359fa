// Worlds of many seeds generate whole. Each seed draws other fields, falls,
// dead heats and demotions, so a fault that one seed never reaches shows
// under another; the sanitizer pass runs this with a set of seeds that
// changes from commit to commit, beside the seeds that once crashed.
//
// YDBCLN_SEEDS: a comma-separated list of seeds (default "10,12");
// YDBCLN_SEED_SEASON: the season generated for each (default 2023).
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testing/TempDir.h"
#include "world/Generator.h"

namespace world {
namespace {

std::vector<std::uint64_t> SeedsToTry() {
  const char* env = std::getenv("YDBCLN_SEEDS");
  std::istringstream list(env != nullptr && *env != '\0' ? env : "10,12");
  std::vector<std::uint64_t> seeds;
  std::string item;
  while (std::getline(list, item, ',')) seeds.push_back(std::stoull(item));
  return seeds;
}

int SeasonToTry() {
  const char* env = std::getenv("YDBCLN_SEED_SEASON");
  return env != nullptr && *env != '\0' ? std::atoi(env) : 2023;
}

// Disabled in the generated-season suite, which generates its own season:
// the ydbworld_seeds test entry runs it alone.
TEST(SeedsTest, DISABLED_EverySeedGeneratesItsSeasonWhole) {
  const int season = SeasonToTry();
  for (std::uint64_t seed : SeedsToTry()) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", season " + std::to_string(season));
    ytest::TempDir dir;
    std::unique_ptr<ydb::Database> db;
    ASSERT_TRUE(ydb::Database::Open(dir.str() + "/w.db", ydb::Database::Mode::kOpenOrCreate, &db).ok());
    Options options;
    options.first_season = options.last_season = season;
    options.seed = seed;
    Summary summary;
    const ydb::Status s = Generate(*db, options, {}, &summary);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(summary.seasons, 1);
    EXPECT_GT(summary.races, 3000);  // a season of JRA racing holds about 3,450
  }
}

}  // namespace
}  // namespace world
