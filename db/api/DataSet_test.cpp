// Tests of the data-set administration: which directories open in which
// mode, the counts of a data set holding the small world, and the
// generated world a data set records, from a new store or one of schema 3;
// a store of schema 4 gains the index of the runners' entries; a damaged
// page refuses the opening that fills a data set.
#include "db/api/DataSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "db/api/DataSetStore.h"
#include "db/store/Schema.h"
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

TEST(DataSetTest, AStoreOfSchemaThreeOpensWithItsDataAndNoWorldThenTakesOne) {
  ytest::TempDir dir;
  std::unique_ptr<DataSet> data;
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  ASSERT_TRUE(Writer(StoreOf(*data)).write(ytest::MakeWorld()).ok());
  DataSetCounts before;
  ASSERT_TRUE(data->count(&before).ok());
  ASSERT_TRUE(StoreOf(*data).exec("DROP TABLE generated_world; DROP TABLE entity_total; "
                                  "PRAGMA user_version = 3").ok());
  data.reset();

  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenExisting, &data).ok());
  Statement& version = StoreOf(*data).statement("PRAGMA user_version");
  ASSERT_TRUE(version.step());
  EXPECT_EQ(version.column_int(0), kSchemaVersion);
  version.reset();
  DataSetCounts after;
  ASSERT_TRUE(data->count(&after).ok());
  EXPECT_EQ(after.races, before.races);
  EXPECT_EQ(after.jockeys, before.jockeys);
  EXPECT_EQ(WorldOf(*data), (GeneratedWorld{0, 0}));
  // Its next generation records the world it continues with.
  ASSERT_TRUE(Writer(StoreOf(*data)).claimWorld({3, 2015}).ok());
  EXPECT_EQ(WorldOf(*data), (GeneratedWorld{3, 2015}));
}

// The definition of the index `name` as the store keeps it; empty when
// it has none.
std::string IndexSql(DataSet& data, const std::string& name) {
  Statement& st = StoreOf(data).statement("SELECT sql FROM sqlite_master WHERE name = ?1");
  st.bind(1, name);
  std::string sql = st.step() ? std::string(st.column_text(0)) : std::string();
  st.reset();
  return sql;
}

TEST(DataSetTest, AStoreOfSchemaFiveGainsTheIndexOfTheEntriesThatANewStoreHas) {
  ytest::TempDir fresh_dir;
  std::unique_ptr<DataSet> fresh;
  ASSERT_TRUE(DataSet::Open(fresh_dir.str(), DataSet::Mode::kOpenOrCreate, &fresh).ok());
  const std::string created = IndexSql(*fresh, "runner_entry_by_race");
  ASSERT_FALSE(created.empty());

  ytest::TempDir dir;
  std::unique_ptr<DataSet> data;
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenOrCreate, &data).ok());
  ASSERT_TRUE(Writer(StoreOf(*data)).write(ytest::MakeWorld()).ok());
  ASSERT_TRUE(
      StoreOf(*data).exec("DROP INDEX runner_entry_by_race; PRAGMA user_version = 5").ok());
  data.reset();
  ASSERT_TRUE(DataSet::Open(dir.str(), DataSet::Mode::kOpenExisting, &data).ok());
  // Whitespace aside, the index is the new store's.
  auto squeezed = [](std::string sql) {
    std::string out;
    for (char c : sql) {
      if (c != ' ' && c != '\n') out += c;
    }
    return out;
  };
  EXPECT_EQ(squeezed(IndexSql(*data, "runner_entry_by_race")), squeezed(created));
  Statement& plan = StoreOf(*data).statement(
      "EXPLAIN QUERY PLAN SELECT horse_no, jockey_code, accident_code FROM runner "
      "WHERE race_date BETWEEN 20240101 AND 20240131 AND horse_no > 0 "
      "ORDER BY race_date, place, race_no, horse_no");
  std::string steps;
  while (plan.step()) steps += std::string(plan.column_text(3)) + "; ";
  plan.reset();
  EXPECT_NE(steps.find("COVERING INDEX runner_entry_by_race"), std::string::npos) << steps;
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
