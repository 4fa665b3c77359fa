// The people's and sires' figures through the writer beyond what the
// past-run tests see (those compare entity_total with a count from nothing
// after every kind of race rewrite): a horse moving to another dam's sire
// takes its runs' figures along, and a store of schema 4 opens with every
// run counted.
#include "db/derived/EntityTotals.h"

#include <gtest/gtest.h>

#include <string>

#include "db/derived/PastRunBuckets_test.h"
#include "db/derived/RenderWorldStore_test.h"
#include "db/store/Schema.h"

namespace ydb {
namespace {

using ytest::CountedTotals;
using ytest::RecountedTotals;

class EntityTotalsTest : public ytest::RenderWorldStoreTest {
 protected:
  // The runs entity_total counts for `kind` and `code`, all years.
  int RunsOf(int kind, const std::string& code) {
    Statement& st = db_->statement(
        "SELECT ifnull(sum(firsts + seconds + thirds + unplaced), 0) FROM entity_total "
        "WHERE kind = ?1 AND code = ?2");
    st.bind(1, kind).bind(2, code);
    const int runs = st.step() ? static_cast<int>(st.column_int(0)) : -1;
    st.reset();
    return runs;
  }
};

TEST_F(EntityTotalsTest, AHorseOfAnotherDamsSireMovesItsRunsFigures) {
  const int before = RunsOf(6, "1990002");
  const int sires = RunsOf(4, "1990001");
  ASSERT_GT(before, 0);
  ASSERT_EQ(RunsOf(6, "1990001"), 0);
  Horse moved = WorldHorse("2020011");
  moved.pedigree[kDamsSire] = {"1990001", "", "", true, "", 0};
  Batch batch;
  batch.horses = {moved};
  ASSERT_TRUE(Writer(*db_).write(batch).ok());
  EXPECT_EQ(CountedTotals(*db_), RecountedTotals(*db_));
  EXPECT_GT(RunsOf(6, "1990001"), 0);
  EXPECT_EQ(RunsOf(6, "1990002") + RunsOf(6, "1990001"), before);
  EXPECT_EQ(RunsOf(4, "1990001"), sires) << "the sire stays";
}

TEST_F(EntityTotalsTest, AStoreOfSchemaFourOpensWithEveryRunCounted) {
  const auto counted = CountedTotals(*db_);
  ASSERT_FALSE(counted.empty());
  ASSERT_TRUE(db_->exec("DROP TABLE entity_total; PRAGMA user_version = 4").ok());
  db_.reset();
  ASSERT_TRUE(Open().ok());
  Statement& version = db_->statement("PRAGMA user_version");
  ASSERT_TRUE(version.step());
  EXPECT_EQ(version.column_int(0), kSchemaVersion);
  version.reset();
  EXPECT_EQ(CountedTotals(*db_), counted);
}

}  // namespace
}  // namespace ydb
