// Tests of the data-set administration: which directories open in which
// mode, and the counts of a data set holding the small world.
#include "db/api/DataSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "db/api/DataSetStore.h"
#include "db/read/Reader.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

TEST(DataSetTest, AMissingDataSetOpensOnlyToBeCreated) {
  ytest::TempDir dir;
  const std::string missing = (dir.path() / "a" / "b").string();
  std::unique_ptr<DataSet> data;
  EXPECT_FALSE(DataSet::Open(missing, DataSet::Mode::kOpenExisting, &data).ok());
  EXPECT_EQ(data, nullptr);
  EXPECT_FALSE(std::filesystem::exists(missing));

  ASSERT_TRUE(DataSet::Open(missing, DataSet::Mode::kOpenOrCreate, &data).ok());
  EXPECT_EQ(data->path(), (std::filesystem::path(missing) / DataSet::kStoreFile).string());
  DataSetCounts counts;
  counts.races = -1;
  ASSERT_TRUE(data->count(&counts).ok());
  EXPECT_EQ(counts.races, 0);
  EXPECT_EQ(counts.first_year, 0);
  data.reset();

  EXPECT_TRUE(DataSet::Open(missing, DataSet::Mode::kOpenExisting, &data).ok());
}

TEST(DataSetTest, AFileThatIsNoDataSetIsRefused) {
  ytest::TempDir dir;
  std::filesystem::create_directories(dir.path() / DataSet::kStoreFile);  // a directory, not a store
  std::unique_ptr<DataSet> data;
  EXPECT_FALSE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  EXPECT_EQ(data, nullptr);
}

TEST(DataSetTest, CountsAreTheStoresSummary) {
  ytest::TempDir dir;
  std::unique_ptr<DataSet> data;
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  ASSERT_TRUE(Writer(StoreOf(*data)).write(ytest::MakeWorld()).ok());

  DataSetCounts counts;
  StoreSummary summary;
  ASSERT_TRUE(data->count(&counts).ok());
  ASSERT_TRUE(Reader(StoreOf(*data)).summary(&summary).ok());
  ASSERT_GT(summary.runs, 0);
  EXPECT_EQ(counts.first_year, summary.first_year);
  EXPECT_EQ(counts.last_year, summary.last_year);
  EXPECT_EQ(counts.race_days, summary.race_days);
  EXPECT_EQ(counts.races, summary.races);
  EXPECT_EQ(counts.runs, summary.runs);
  EXPECT_EQ(counts.horses, summary.horses);
  EXPECT_EQ(counts.jockeys, summary.jockeys);
  EXPECT_EQ(counts.trainers, summary.trainers);
  EXPECT_EQ(counts.sires, summary.sires);
}

}  // namespace
}  // namespace ydb
