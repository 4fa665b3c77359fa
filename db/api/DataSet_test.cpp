// Tests of the data-set administration: which directories open in which
// mode, and the counts of a data set holding the small world.
#include "db/api/DataSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

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

}  // namespace
}  // namespace ydb
