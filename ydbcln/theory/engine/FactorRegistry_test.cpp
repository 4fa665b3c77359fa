// Tests of the factor registry's rows as the engine relies on them: a row
// whose parameters, table and category disagree would rank on the wrong
// table or period, or share a table fetched for another category.
#include "ydbcln/theory/engine/FactorRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "ydbcln/theory/engine/Evaluator.h"

namespace {

using ytheory::Category;
using ytheory::Factor;
using ytheory::ParamKind;
using ytheory::Table;

// The category whose items share a table of `table`.
Category CategoryOf(Table table) {
  switch (table) {
    case Table::kHorse: return Category::kHorse;
    case Table::kJockey: return Category::kJockey;
    case Table::kStable: return Category::kTrainer;
    case Table::kSire: return Category::kSire;
  }
  return Category::kCourse;
}

TEST(FactorRegistry, EveryCodeHasOneRowThatTheEngineCanCompute) {
  EXPECT_EQ(ytheory::FindFactor(0), nullptr);
  EXPECT_EQ(ytheory::FindFactor(ytheory::kFactorCount + 1), nullptr);
  std::set<std::string> names;
  for (int code = 1; code <= ytheory::kFactorCount; ++code) {
    SCOPED_TRACE(code);
    const Factor* f = ytheory::FindFactor(code);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->code, code);
    EXPECT_NE(f->compute, nullptr);
    EXPECT_TRUE(names.insert(f->name).second) << "a second factor named " << f->name;
    for (const ytheory::Param& p : f->param) {
      const std::vector<int>& values = ytheory::ParamValues(p.kind);
      EXPECT_NE(std::find(values.begin(), values.end(), p.fallback), values.end())
          << "default " << p.fallback << " is not a value of its kind";
    }
  }
}

TEST(FactorRegistry, PastRunRulesAgreeWithTheirCategoryAndParameters) {
  int counted = 0;
  for (int code = 1; code <= ytheory::kFactorCount; ++code) {
    SCOPED_TRACE(code);
    const Factor& f = *ytheory::FindFactor(code);
    if (f.compute != &ytheory::Evaluator::RankByRule) continue;
    ++counted;
    const ytheory::FactorDefinition& rule = f.rule;
    // Items of one category are evaluated together and share its table.
    EXPECT_EQ(f.category, CategoryOf(rule.table));
    // A distance range reads P1; a horse's latest runs are counted by P2.
    EXPECT_EQ(rule.range, f.param[0].kind == ParamKind::kDistanceRange);
    if (rule.limited && rule.table == Table::kHorse) {
      EXPECT_EQ(f.param[1].kind, ParamKind::kRecentRuns);
    }
    // The tables of people and sires are fetched for a period of P2 months.
    if (rule.table != Table::kHorse) {
      EXPECT_EQ(f.param[1].kind, ParamKind::kMonthsBack);
    }
  }
  EXPECT_EQ(counted, 74);  // all but the course draw, the two marks and the forecast odds
}

TEST(FactorRegistry, CandidateItemsAreEveryFactorAtEveryParameterPair) {
  const std::vector<_tagTHITEM> items = ytheory::CandidateItems();
  ASSERT_EQ(items.size(), 790u);
  // Codes ascending, the first parameter outermost: 騎手コース実績 (69) has
  // 4 ranges × 5 periods.
  auto first = std::find_if(items.begin(), items.end(), [](const _tagTHITEM& i) { return i.no == 69; });
  ASSERT_NE(first, items.end());
  const std::vector<std::pair<int, int>> expected = {{0, 1}, {0, 3}, {0, 6}, {0, 12}, {0, 24}, {200, 1}};
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(first[k].no, 69);
    EXPECT_EQ(first[k].param[0], expected[k].first);
    EXPECT_EQ(first[k].param[1], expected[k].second);
    EXPECT_EQ(first[k].value, 0);
  }
  for (std::size_t k = 1; k < items.size(); ++k) EXPECT_LE(items[k - 1].no, items[k].no);
}

}  // namespace
