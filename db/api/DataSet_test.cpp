// Tests of the data-set administration: a missing data set opened only to
// be created, the generated world a data set records, and a damaged page
// refusing the opening that fills a data set. (The counts of a data set:
// the reader's summary tests; upgrades from older schemas: the derived
// rows' tests.)
#include "db/api/DataSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "db/api/DataSetStore.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

// Opening a data set that is not there makes nothing, not even its
// directory (the command line checks before it opens; this is the library's
// own promise).
TEST(DataSetTest, AMissingDataSetOpensOnlyToBeCreated) {
  ytest::TempDir dir;
  const std::string missing = (dir.path() / "a" / "b").string();
  std::unique_ptr<DataSet> data;
  EXPECT_FALSE(DataSet::Open(missing, DataSet::Mode::kOpenExisting, &data).ok());
  EXPECT_EQ(data, nullptr);
  EXPECT_FALSE(std::filesystem::exists(missing));
  ASSERT_TRUE(DataSet::Open(missing, DataSet::Mode::kOpenOrCreate, &data).ok());
  data.reset();
  EXPECT_TRUE(DataSet::Open(missing, DataSet::Mode::kOpenExisting, &data).ok());
}

GeneratedWorld WorldOf(DataSet& data) {
  GeneratedWorld world;
  bool found = false;
  const Status s = data.world(&world, &found);
  EXPECT_TRUE(s.ok()) << s.message();
  return found ? world : GeneratedWorld{0, 0};
}

TEST(DataSetTest, AGeneratedWorldIsRecordedOnceAndAnotherIsRefusedChangingNothing) {
  ytest::TempDir dir;
  std::unique_ptr<DataSet> data;
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  EXPECT_EQ(WorldOf(*data), (GeneratedWorld{0, 0}));
  Writer writer(StoreOf(*data));
  ASSERT_TRUE(writer.claimWorld({kLargestSeed, 2015}).ok());
  EXPECT_EQ(WorldOf(*data), (GeneratedWorld{kLargestSeed, 2015}));
  EXPECT_TRUE(writer.claimWorld({kLargestSeed, 2015}).ok());  // the same world continues

  for (const GeneratedWorld& other : {GeneratedWorld{2, 2015}, GeneratedWorld{kLargestSeed, 2016}}) {
    const Status s = writer.claimWorld(other);
    EXPECT_TRUE(s.IsInvalidArgument()) << s.message();
    EXPECT_NE(s.message().find("seed 9223372036854775807, origin 2015"), std::string::npos)
        << s.message();
  }
  EXPECT_TRUE(writer.claimWorld({kLargestSeed + 1, 2015}).IsInvalidArgument());
  data.reset();
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenExisting, &data).ok());
  EXPECT_EQ(WorldOf(*data), (GeneratedWorld{kLargestSeed, 2015}));
}

TEST(DataSetTest, ADamagedPageIsRefusedToAWriterAndLeftAsItWas) {
  ytest::TempDir dir;
  std::unique_ptr<DataSet> data;
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  ASSERT_TRUE(Writer(StoreOf(*data)).write(ytest::MakeWorld()).ok());
  Statement& root = StoreOf(*data).statement(
      "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_schema "
      "WHERE name = 'horse'");
  ASSERT_TRUE(root.step());
  const std::int64_t at = (root.column_int(0) - 1) * root.column_int(1);
  root.reset();
  data.reset();
  {
    // The horse table's root page: its header, then its cells.
    std::fstream file(dir.path() / DataSet::kStoreFile, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(at);
    file.write(std::string(100, '\xA5').data(), 100);
  }
  const std::string damaged = dir.str() + "/" + DataSet::kStoreFile;
  std::ifstream in(damaged, std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const Status s = DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data);
  EXPECT_TRUE(s.IsCorruption()) << s.ToString();
  EXPECT_NE(s.message().find("is damaged"), std::string::npos) << s.message();
  EXPECT_EQ(data, nullptr);
  std::ifstream again(damaged, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), std::istreambuf_iterator<char>()),
            before);
}

}  // namespace
}  // namespace ydb
