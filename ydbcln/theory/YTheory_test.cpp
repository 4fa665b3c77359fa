// Tests of the theory object and the factor item wrapper: the null record,
// the item limit, index checks, titles, and the 100-point split of weights.
#include "ydbcln/theory/YTheory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/Sjis.h"
#include "ydbcln/theory/YThItem.h"

namespace {

using ytest::Sjis;

TEST(YTheoryTest, NullRecordClearAndTheEightItemLimit) {
  YTheory theory(nullptr);
  EXPECT_EQ(theory.getcode(), -1);
  theory.clear();
  EXPECT_EQ(theory.getcode(), 0);

  for (int i = 1; i <= 9; ++i) theory.additem(i, i * 10, 200, i);
  EXPECT_EQ(theory.getitemcount(), 8) << "a ninth item is ignored";
  EXPECT_EQ(theory.getitemno(7), 8);
  EXPECT_EQ(theory.getitemparam(7, 1), 8);
  EXPECT_EQ(theory.getitemno(8), -1);
  EXPECT_EQ(theory.getitemvalue(-1), -1);
  EXPECT_EQ(theory.getitemparam(0, 3), -1);

  // A record whose count is beyond the slots reads only the slots there are.
  _tagTHEORYREC record = *theory.record();
  record.count = 200;
  YTheory broken(&record);
  EXPECT_EQ(broken.getitemno(8), -1);
  broken.additem(1, 1, 0, 3);
  EXPECT_EQ(broken.getitemcount(), 200);
}

TEST(YTheoryTest, TitlesArePaddedTrimmedAndCutOnACharacterBoundary) {
  YTheory theory(nullptr);
  theory.settitle(Sjis("堅実重視  ").c_str());
  EXPECT_EQ(theory.getname(), Sjis("堅実重視"));
  EXPECT_EQ(std::string(theory.record()->title + 8, 52), std::string(52, ' '));

  // 59 single bytes and a double-byte character: the character is left out.
  const std::string long_title = std::string(59, 'a') + Sjis("穴");
  theory.settitle(long_title.c_str());
  EXPECT_EQ(theory.getname(), std::string(59, 'a'));
  theory.settitle(nullptr);
  EXPECT_EQ(theory.getname(), "");
}

TEST(YTheoryTest, WeightsAreSplitIntoOneHundredPoints) {
  auto shares = [](std::vector<int> weights) {
    YTheory theory(nullptr);
    for (int w : weights) theory.additem(1, w, 0, 3);
    return theory.shares();
  };
  EXPECT_EQ(shares({1, 1, 1, 1, 1, 1, 1}), (std::vector<int>{15, 15, 14, 14, 14, 14, 14}));
  EXPECT_EQ(shares({0, 0}), (std::vector<int>{0, 0})) << "no weight to divide by";
}

TEST(YThItemTest, TheExtraIsKeptByItemAssignmentAndCopiedWithTheItem) {
  const _tagTHITEM a{5, 40, {200, 3, 0}};
  const _tagTHITEM b{24, 60, {0, 12, 0}};
  YThItem item(&a, 17);
  item = b;
  EXPECT_EQ(item.item.no, 24);
  EXPECT_EQ(item.extra, 17);
  YThItem other(&a, 3);
  other = item;
  EXPECT_EQ(other.extra, 17);
  EXPECT_FALSE(item < other);
  EXPECT_FALSE(other < item);
  EXPECT_TRUE(item == YThItem(&a));
}

}  // namespace
