// Tests of the factor catalogue's defaults and ends, and of the validation
// of theory records.
#include <gtest/gtest.h>

#include <string>

#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheory.h"

namespace {

// Every default is a value its parameter type accepts, and codes and
// indexes past the table's ends give nothing.
TEST(CatalogueTest, DefaultsAreValidAndTheTableEndsAtFactor78) {
  for (int no = 1; no <= 78; ++no) {
    int t1 = -9, t2 = -9, d1 = -9, d2 = -9;
    YTheories::getparams(no, t1, t2);
    YTheories::getdefault(no, d1, d2);
    EXPECT_TRUE(YTheories::isvalidparam(t1, d1)) << no;
    EXPECT_TRUE(YTheories::isvalidparam(t2, d2)) << no;
  }
  // The accessors by index read the factor of index + 1.
  EXPECT_EQ(YTheories::getitemname(77), YTheories::getitemname_no(78));
  EXPECT_EQ(YTheories::getcategory(29), YTheories::getcategory_no(30));
  EXPECT_EQ(YTheories::getitemname(78), "");
  EXPECT_EQ(YTheories::getitemname_no(79), "");
  EXPECT_EQ(YTheories::getdesc(79), nullptr);
  EXPECT_EQ(YTheories::getitemno(78), -1);
}

// A record of one item of factor `no` with weight 50 and parameters p0, p1.
_tagTHEORYREC OneItem(int no, int p0, int p1) {
  YTheory theory(nullptr);
  theory.additem(no, 50, p0, p1);
  return *theory.record();
}

bool Accepts(int no, int p0, int p1) {
  _tagTHEORYREC record = OneItem(no, p0, p1);
  return YTheories::check(&record);
}

TEST(CheckTest, EachParameterKindAtItsValuesAndJustOutside) {
  // Factor 5 has a distance range then a number of runs; 19 a distance
  // range then months; 2 no parameters at all.
  for (int metres : {0, 600}) EXPECT_TRUE(Accepts(5, metres, 3)) << metres;
  for (int metres : {-1, 199, 800}) EXPECT_FALSE(Accepts(5, metres, 3)) << metres;
  for (int runs : {1, 10, 999}) EXPECT_TRUE(Accepts(5, 200, runs)) << runs;
  for (int runs : {0, 11, 998}) EXPECT_FALSE(Accepts(5, 200, runs)) << runs;
  for (int months : {1, 24}) EXPECT_TRUE(Accepts(19, 200, months)) << months;
  for (int months : {0, 2, 25}) EXPECT_FALSE(Accepts(19, 200, months)) << months;
  EXPECT_FALSE(Accepts(19, 999, 12)) << "999 only for a number of runs";
  EXPECT_TRUE(Accepts(11, 0, 3)) << "0 for a distance range";
}

TEST(CheckTest, ATypeZeroParameterIsResetToZeroAndTheThirdIsNotRead) {
  _tagTHEORYREC record = OneItem(2, 5, -7);
  record.item[0].param[2] = 12345;
  ASSERT_TRUE(YTheories::check(&record));
  EXPECT_EQ(record.item[0].param[0], 0);
  EXPECT_EQ(record.item[0].param[1], 0);
  EXPECT_EQ(record.item[0].param[2], 12345);
  // Factor 1 has no first parameter but a number of runs second.
  record = OneItem(1, 600, 3);
  ASSERT_TRUE(YTheories::check(&record));
  EXPECT_EQ(record.item[0].param[0], 0);
  EXPECT_EQ(record.item[0].param[1], 3);
}

TEST(CheckTest, CountFactorAndWeightRulesAndTheFaultNamed) {
  YTheory theory(nullptr);
  EXPECT_FALSE(YTheories::check(theory.record())) << "no items";
  EXPECT_FALSE(YTheories::check(nullptr));
  EXPECT_EQ(YTheories::findfault(nullptr, nullptr), YTheories::kNoRecord);
  for (int i = 0; i < 8; ++i) theory.additem(1 + i, 10, 0, 3);
  EXPECT_TRUE(YTheories::check(theory.record())) << "eight items";
  _tagTHEORYREC record = *theory.record();
  record.count = 9;
  EXPECT_EQ(YTheories::findfault(&record, nullptr), YTheories::kItemCount);
  record.count = -1;
  EXPECT_FALSE(YTheories::check(&record));

  struct Case {
    int no, value, p0, p1;
    YTheories::CheckFault fault;
  };
  const Case cases[] = {
      {0, 50, 0, 3, YTheories::kFactor},   {79, 50, 0, 3, YTheories::kFactor},
      {78, 50, 0, 0, YTheories::kValid},   {1, 0, 0, 3, YTheories::kWeight},
      {1, 101, 0, 3, YTheories::kWeight},  {1, 100, 0, 3, YTheories::kValid},
      {3, 50, 100, 3, YTheories::kParam1},
      {3, 50, 200, 12, YTheories::kParam2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.no);
    YTheory two(nullptr);
    two.additem(1, 50, 0, 3);
    two.additem(c.no, c.value, c.p0, c.p1);
    int item = -1;
    EXPECT_EQ(YTheories::findfault(two.record(), &item), c.fault);
    if (c.fault != YTheories::kValid) {
      EXPECT_EQ(item, 1);
    }
  }
}

}  // namespace
