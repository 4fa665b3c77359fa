// The combination order of packed odds and the packing itself.
#include "db/store/OddsBlob.h"

#include <gtest/gtest.h>

namespace ydb {
namespace odds_blob {
namespace {

TEST(OddsBlob, PairIndexesAtBothEnds) {
  EXPECT_EQ(IndexOf(kBracketQuinella, 18, 1, 1), 0);
  EXPECT_EQ(IndexOf(kBracketQuinella, 18, 1, 8), 7);
  EXPECT_EQ(IndexOf(kBracketQuinella, 18, 2, 2), 8);
  EXPECT_EQ(IndexOf(kBracketQuinella, 18, 8, 8), 35);
  EXPECT_EQ(IndexOf(kQuinella, 18, 1, 2), 0);
  EXPECT_EQ(IndexOf(kQuinella, 18, 1, 18), 16);
  EXPECT_EQ(IndexOf(kQuinella, 18, 2, 3), 17);
  EXPECT_EQ(IndexOf(kQuinella, 18, 17, 18), 152);
  EXPECT_EQ(IndexOf(kWide, 5, 4, 5), 9);
  EXPECT_EQ(CombinationCount(kWide, 5), 10);
}

TEST(OddsBlob, CombinationsOutsideTheFieldHaveNoIndex) {
  EXPECT_EQ(IndexOf(kWin, 9, 10, 0), -1);
  EXPECT_EQ(IndexOf(kWin, 9, 0, 0), -1);
  EXPECT_EQ(IndexOf(kWin, 9, 1, 2), -1);
  EXPECT_EQ(IndexOf(kQuinella, 9, 2, 2), -1);
  EXPECT_EQ(IndexOf(kQuinella, 9, 3, 1), -1);
  EXPECT_EQ(IndexOf(kQuinella, 9, 8, 10), -1);
  EXPECT_EQ(IndexOf(kBracketQuinella, 9, 5, 2), -1);
  EXPECT_EQ(IndexOf(kBracketQuinella, 9, 8, 9), -1);
  EXPECT_EQ(IndexOf(6, 9, 1, 0), -1);
  EXPECT_EQ(IndexOf(kWin, 0, 1, 0), -1);
}

TEST(OddsBlob, EveryIndexNamesItsCombination) {
  for (int pool = kWin; pool <= kWide; ++pool) {
    for (int runners : {1, 2, 9, 18, 28}) {
      const int count = CombinationCount(pool, runners);
      for (int index = 0; index < count; ++index) {
        int first = 0, second = 0;
        CombinationAt(pool, runners, index, &first, &second);
        ASSERT_EQ(IndexOf(pool, runners, first, second), index)
            << "pool " << pool << " runners " << runners << " pair " << first << "-" << second;
      }
    }
  }
}

TEST(OddsBlob, PackAndUnpack) {
  const std::vector<std::int32_t> values = {35, kNone, kStar, kScratched, 9999999};
  const std::string blob = Pack(values);
  EXPECT_EQ(blob.size(), 20u);
  EXPECT_EQ(blob.substr(0, 4), std::string("\x23\0\0\0", 4)) << "little-endian";
  std::vector<std::int32_t> back;
  ASSERT_TRUE(Unpack(blob, kWin, 5, &back));
  EXPECT_EQ(back, values);
  EXPECT_FALSE(Unpack(blob, kWin, 6, &back)) << "a blob of another field's size";
  EXPECT_FALSE(Unpack(blob, kPlace, 5, &back)) << "place keeps two values a horse";
}

}  // namespace
}  // namespace odds_blob
}  // namespace ydb
