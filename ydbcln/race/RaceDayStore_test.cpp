// Race days and race rows read from a store: the venues of a date, a row
// from its race code, and every code or date that names nothing.
#include <gtest/gtest.h>

#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YDayRace.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceList.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;
using racetest::TwoVenues;

TEST_F(RaceStore, TheVenuesOfARaceDay) {
  Write(TwoVenues());
  for (int results : {1, 0}) {
    YMainraceList day(&db_, 20240106, results);
    EXPECT_EQ(day.getdate(), 20240106);
    ASSERT_EQ(day.getplacecount(), 2) << results;
    std::string codes = day.getcode(0) + " " + day.getcode(1);
    EXPECT_NE(codes.find("0520240106"), std::string::npos) << codes;
    EXPECT_NE(codes.find("0020240106"), std::string::npos) << codes;
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(day.getname(i), "") << "a day read by date carries no names";
      if (day.getcode(i) == "0520240106") {
        EXPECT_EQ(day.getplace(i), Sjis("中山"));
        EXPECT_EQ(day.getoldcode(i), "0520240102");
      } else {
        EXPECT_EQ(day.getplace(i), Sjis("京都"));
        EXPECT_EQ(day.getoldcode(i), "0020240203");
      }
    }
    YDayRace rows(&db_, &day);
    EXPECT_EQ(rows.getdate(), Sjis("2024年 1月 6日"));
    EXPECT_EQ(rows.getracecount(0), 0) << "the derivations fill the rows";
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(RaceStore, DatesWithoutRacingGiveAnEmptyDay) {
  Write();
  for (int date : {0, 20240230, 20240107, 20240131, 19991231, -5}) {
    for (int results : {1, 0}) {
      YMainraceList day(&db_, date, results);
      EXPECT_EQ(day.getplacecount(), 0) << date;
      for (int i : {-1, 0, 3}) {
        EXPECT_EQ(day.getplace(i), "");
        EXPECT_EQ(day.getname(i), "");
        EXPECT_EQ(day.getcode(i), "");
        EXPECT_EQ(day.getoldcode(i), "");
      }
      YDayRace rows(&db_, &day);
      EXPECT_EQ(rows.getplacecount(), 0);
      for (int i : {-1, 0, 3}) {
        EXPECT_EQ(rows.list(i, 0), nullptr);
        EXPECT_EQ(rows.getracecount(i), 0);
        EXPECT_EQ(rows.getplace(i), "");
        EXPECT_EQ(rows.getkaisai(i), "");
      }
    }
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(RaceStore, ARaceRowFromItsCode) {
  Write();
  YRaceList row(&db_, "052024010611", true);
  EXPECT_EQ(row.getno(), 11);
  EXPECT_EQ(row.getname(), Sjis("ニューイヤOPEN"));
  EXPECT_EQ(row.getlongkaisai(), Sjis(" 1中山 2"));
  EXPECT_EQ(row.getdistance(), Sjis("ダ1700"));
  EXPECT_EQ(row.gethorsecount(), 9);
  EXPECT_EQ(row.getcourse(), Sjis("Ａ"));
  EXPECT_EQ(row.gettan(), "   350");
  EXPECT_EQ(row.getfuku3(), "   210");
  EXPECT_EQ(row.getwakuren(), "   620");
  EXPECT_EQ(row.getumaren() + row.getumanin(), "    880  3");
  EXPECT_EQ(row.getwide3h() + row.getwide3n(), "    520  7");
}

TEST_F(RaceStore, CodesThatNameNoSingleRaceGiveRaceNumberZero) {
  Write(TwoVenues());
  for (const char* code : {"05202401061", "0520240106111", "05202401061a", "0520240106AB",
                           "052024010612", "052024010600", "0520240106", ""}) {
    YRaceList row(&db_, code, true);
    EXPECT_EQ(row.getno(), 0) << code;
    EXPECT_EQ(row.getcode(), "") << code;
  }
  EXPECT_EQ(db_.geterrstatus(), 0) << "a race row never sets the session's error";
  YRaceList without_session(nullptr, "052024010611", true);
  EXPECT_EQ(without_session.getno(), 0);
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
