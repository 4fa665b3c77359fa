// Tests of the cross searches' statements on a store: every statement of
// every pair reaches the store through indexes only, the people's through
// the runner indexes by jockey and by trainer. What the searches answer is
// checked against the runs of a generated season in
// ydbcln/search/YSearchDownRelation_test.
#include "db/api/CrossSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/api/DataSet.h"
#include "db/api/DataSetStore.h"
#include "db/write/Writer.h"
#include "testing/QueryPlan.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

using ytest::PlanOf;

class CrossSearchPlan : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DataSet::Open(dir_.str(), DataSet::Mode::kOpenOrCreate, &data_).ok());
    ASSERT_TRUE(Writer(StoreOf(*data_)).write(ytest::MakeWorld()).ok());
  }

  ytest::TempDir dir_;
  std::unique_ptr<DataSet> data_;
};

TEST_F(CrossSearchPlan, EveryStatementStartsFromTheGivenCodesAndScansNoTable) {
  Database& db = StoreOf(*data_);
  for (int a = 0; a < kCrossKinds; ++a) {
    for (int b = 0; b < kCrossKinds; ++b) {
      for (const bool limited : {false, true}) {
        const std::string sql = CrossSql(static_cast<CrossKind>(a), static_cast<CrossKind>(b), limited);
        const std::string plan = PlanOf(db, sql);
        SCOPED_TRACE(std::to_string(a) + " from " + std::to_string(b) + (limited ? " limited" : ""));
        // The codes bound, then every table by a key or an index.
        EXPECT_EQ(plan.rfind("SCAN k VIRTUAL TABLE", 0), 0u) << plan;
        std::size_t scans = 0;
        for (std::size_t at = plan.find("SCAN "); at != std::string::npos;
             at = plan.find("SCAN ", at + 1)) {
          const std::size_t end = plan.find(';', at);
          const std::string step = plan.substr(at, end - at);
          EXPECT_NE(step.find("VIRTUAL TABLE"), std::string::npos) << step << "\n" << plan;
          ++scans;
        }
        EXPECT_EQ(scans, limited ? 2u : 1u) << plan;
      }
    }
  }
  // From people: the new indexes; from a sire: its offspring by horse_by_sire.
  const auto plan = [&](CrossKind b) { return PlanOf(db, CrossSql(CrossKind::kHorse, b, false)); };
  EXPECT_NE(plan(CrossKind::kJockey).find("INDEX runner_by_jockey"), std::string::npos);
  EXPECT_NE(plan(CrossKind::kStable).find("INDEX runner_by_trainer"), std::string::npos);
  EXPECT_NE(PlanOf(db, CrossSql(CrossKind::kJockey, CrossKind::kSire, false))
                .find("INDEX horse_by_sire"),
            std::string::npos);
}

}  // namespace
}  // namespace ydb
