// Race codes and calendar dates: what the one parser takes and refuses.
#include "db/base/RaceKey.h"

#include <gtest/gtest.h>

#include "db/base/Date.h"

namespace ydb {
namespace {

TEST(DateTest, LeapDaysFollowTheGregorianRule) {
  EXPECT_TRUE(IsCalendarDate(20240229));
  EXPECT_TRUE(IsCalendarDate(20000229));   // a fourth century
  EXPECT_FALSE(IsCalendarDate(19000229));  // a century
  EXPECT_FALSE(IsCalendarDate(20230229));
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 12), 31);
  EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

TEST(DateTest, DatesOutsideTheCalendarOrItsYearsAreRefused) {
  for (int date : {20240100, 20240132, 20240431, 20241301, 20240001, 18991231, 21000101, 0}) {
    EXPECT_FALSE(IsCalendarDate(date)) << date;
  }
  EXPECT_TRUE(IsCalendarDate(19000101));
  EXPECT_TRUE(IsCalendarDate(20991231));
}

TEST(RaceKeyTest, ParsesARaceAndWritesItsCodeBack) {
  RaceKey key;
  ASSERT_TRUE(RaceKey::Parse("052024010611", &key).ok());
  EXPECT_EQ(key, (RaceKey{"05", 20240106, 11}));
  EXPECT_EQ(key.code(), "052024010611");
  ASSERT_TRUE(RaceKey::Parse("092024022912", &key).ok());
  EXPECT_EQ(key.number, 12);
}

TEST(RaceKeyTest, RefusesCodesOfNoRaceAndLeavesTheKey) {
  const RaceKey before{"01", 20200101, 1};
  for (const char* code : {"", "05202401061", "0520240106111", "05202401061x", "052024010600",
                           "052024010613", "052023022901", "052024013201", "0520240106"}) {
    RaceKey key = before;
    const Status s = RaceKey::Parse(code, &key);
    EXPECT_TRUE(s.IsInvalidArgument()) << code;
    EXPECT_NE(s.message().find(code), std::string::npos) << s.message();
    EXPECT_EQ(key, before) << code;
  }
}

TEST(RaceKeyTest, ARacecourseDayIsTenDigitsOrRaceNumberZero) {
  RaceKey day;
  ASSERT_TRUE(RaceKey::ParseRaceOrDay("0520240106", &day).ok());
  EXPECT_EQ(day, (RaceKey{"05", 20240106, 0}));
  ASSERT_TRUE(RaceKey::ParseRaceOrDay("052024010600", &day).ok());
  EXPECT_EQ(day.number, 0);
  ASSERT_TRUE(RaceKey::ParseRaceOrDay("052024010603", &day).ok());
  EXPECT_EQ(day.number, 3);
  EXPECT_FALSE(RaceKey::ParseRaceOrDay("0520240230", &day).ok());
  EXPECT_FALSE(RaceKey::ParseRaceOrDay("052024010613", &day).ok());
  EXPECT_FALSE(RaceKey::ParseRaceOrDay("05202401", &day).ok());
}

}  // namespace
}  // namespace ydb
