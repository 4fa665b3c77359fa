// Race days and race rows read from a store: the venues of a date, a row
// from its race code, and the codes and dates that name nothing.
#include <gtest/gtest.h>

#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceList.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;
using racetest::TwoVenues;

TEST_F(RaceStore, TheVenuesOfARaceDayFromTheResultsAndFromTheCards) {
  Write(TwoVenues());
  for (int results : {1, 0}) {
    YMainraceList day(&db_, 20240106, results);
    ASSERT_EQ(day.getplacecount(), 2) << results;
    const int kyoto = day.getcode(0) == "0020240106" ? 0 : 1;
    EXPECT_EQ(day.getcode(1 - kyoto), "0520240106") << results;
    EXPECT_EQ(day.getplace(kyoto), Sjis("京都"));
    EXPECT_EQ(day.getoldcode(kyoto), "0020240203");
    EXPECT_EQ(day.getname(kyoto), "") << "a day read by date carries no names";
  }
  // A day without racing, and a date that is none.
  for (int date : {20240107, -5}) {
    YMainraceList day(&db_, date, 1);
    EXPECT_EQ(day.getplacecount(), 0) << date;
    EXPECT_EQ(day.getcode(0), "") << date;
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(RaceStore, ARaceRowFromItsCode) {
  Write(TwoVenues());
  YRaceList row(&db_, "052024010611", true);
  EXPECT_EQ(row.getname(), Sjis("ニューイヤOPEN"));
  EXPECT_EQ(row.getlongkaisai(), Sjis(" 1中山 2"));
  EXPECT_EQ(row.gettan() + row.getwide3h() + row.getwide3n(), "   350    520  7");

  // Too short, a letter, no such race, a whole venue-day.
  for (const char* code : {"05202401061", "05202401061a", "052024010612", "052024010600"}) {
    EXPECT_EQ(YRaceList(&db_, code, true).getcode(), "") << code;
  }
  EXPECT_EQ(db_.geterrstatus(), 0) << "a race row never sets the session's error";
  EXPECT_EQ(YRaceList(nullptr, "052024010611", true).getno(), 0);
}

TEST_F(RaceStore, AFailingStoreGivesAnEmptyRowAndDayWithoutError) {
  Write();
  ydb_test_fail("get_race2code_1_ex");
  ydb_test_fail("get_racelist2date_ex");
  EXPECT_EQ(YRaceList(&db_, "052024010611", false).getno(), 0);
  EXPECT_EQ(YMainraceList(&db_, 20240106, 1).getplacecount(), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);
  ydb_test_fail(nullptr);
  EXPECT_EQ(YMainraceList(&db_, 20240106, 1).getplacecount(), 1);
}

}  // namespace
