// A bulk load's indexes: set aside only in a store without races, built
// again at the load's end or, after a load killed part-way, when the store
// is next opened for writing, without waiting for a load under way.
#include "db/write/BulkLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "db/store/SchemaIndexes.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

class BulkLoadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(open(&db_).ok()); }

  Status open(std::unique_ptr<Database>* db) {
    return Database::Open(dir_.str() + "/store.db", Database::Mode::kOpenOrCreate, db);
  }

  std::vector<std::string> missing(Database& db) {
    std::vector<std::string> names;
    EXPECT_TRUE(MissingIndexes(db, &names).ok());
    return names;
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(BulkLoadTest, AnEmptyStoreLoadsWithoutItsSecondaryIndexesAndGetsThemBackAtTheEnd) {
  BulkLoad load(*db_);
  ASSERT_TRUE(load.begin().ok());
  const std::vector<std::string> set_aside = missing(*db_);
  EXPECT_NE(std::find(set_aside.begin(), set_aside.end(), "runner_by_jockey"), set_aside.end());
  // Constraints stay: the unique indexes are never set aside.
  for (const IndexDefinition& index : SchemaIndexes()) {
    if (index.unique) {
      EXPECT_EQ(std::find(set_aside.begin(), set_aside.end(), index.name), set_aside.end()) << index.name;
    }
  }

  // The writer's rules hold while they are away: a horse runs once a day.
  Writer writer(*db_);
  ASSERT_TRUE(writer.write(ytest::MakeWorld()).ok());
  Race again = ytest::MakeRace();
  again.key.number += 1;
  EXPECT_FALSE(writer.write(again).ok());

  ASSERT_TRUE(load.finish().ok());
  EXPECT_TRUE(missing(*db_).empty());
  Statement& plan = db_->statement("EXPLAIN QUERY PLAN SELECT 1 FROM runner WHERE jockey_code = '00001'");
  ASSERT_TRUE(plan.step());
  EXPECT_NE(std::string(plan.column_text(3)).find("runner_by_jockey"), std::string::npos);
}

TEST_F(BulkLoadTest, AStoreWithRacesKeepsItsIndexes) {
  ASSERT_TRUE(Writer(*db_).write(ytest::MakeWorld()).ok());
  BulkLoad load(*db_);
  ASSERT_TRUE(load.begin().ok());
  EXPECT_TRUE(missing(*db_).empty());
}

TEST_F(BulkLoadTest, ALoadKilledPartWayLeavesTheIndexesToTheNextOpening) {
  ASSERT_TRUE(DropSecondaryIndexes(*db_).ok());
  ASSERT_TRUE(Writer(*db_).write(ytest::MakeWorld()).ok());
  ASSERT_FALSE(missing(*db_).empty());

  // While another connection writes (a load under way), opening neither
  // waits nor fails: the load builds them at its end.
  std::unique_ptr<Database> other;
  ASSERT_TRUE(db_->exec("BEGIN IMMEDIATE").ok());
  ASSERT_TRUE(open(&other).ok());
  EXPECT_FALSE(missing(*other).empty());
  other.reset();
  ASSERT_TRUE(db_->exec("COMMIT").ok());

  db_.reset();  // the process dies; its last commit stands
  ASSERT_TRUE(open(&db_).ok());
  EXPECT_TRUE(missing(*db_).empty());
}

}  // namespace
}  // namespace ydb
