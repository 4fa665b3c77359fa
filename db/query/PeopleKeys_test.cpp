// The people's searches read each figure a condition asks for from the
// kept figures of that person alone (entity_total by its key), after the
// conditions before it: never the figures of every person first.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/query/Parser.h"
#include "db/query/SqlAssembly.h"
#include "db/store/Database.h"
#include "testing/QueryPlan.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

TEST(PeopleKeys, FiguresAreReadByThePersonsKeyNeverAllAtOnce) {
  ytest::TempDir dir;
  std::unique_ptr<Database> db;
  ASSERT_TRUE(Database::Open(dir.str() + "/s.db", Database::Mode::kOpenOrCreate, &db).ok());
  const std::pair<SearchKind, const char*> kSearches[] = {
      {SearchKind::kJockey, "T=3&P=1&WNR>=300"},
      {SearchKind::kStable, "P=1&1R>=100&H=5000>"},
      {SearchKind::kSire, "T=3&1>=200"},
      {SearchKind::kDamSire, "T=2"},
  };
  for (const auto& [kind, text] : kSearches) {
    Condition c;
    ASSERT_TRUE(ParseCondition(kind, text, &c).ok()) << text;
    const std::string steps = ytest::PlanOf(*db, AssembleQuery(c).sql);
    for (const char* whole : {"MATERIALIZE", "AUTOMATIC", "SCAN entity_total"}) {
      EXPECT_EQ(steps.find(whole), std::string::npos) << text << ": " << steps;
    }
    EXPECT_NE(steps.find("SEARCH e USING PRIMARY KEY (kind=? AND code=?)"), std::string::npos)
        << text << ": " << steps;
  }
}

}  // namespace
}  // namespace ydb
