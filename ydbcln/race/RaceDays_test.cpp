// Race days read from a store: the venues of a date from the results and
// from the cards, the day's card rows and result rows per venue in race
// order (the two keys of the results giving the same rows), a race row from
// its code, the codes and dates that name nothing, and a failing store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceList.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;

using RaceDays = RaceStore;

// Venue by venue, the codes of a day's rows.
std::vector<std::string> Codes(YDayRace& day) {
  std::vector<std::string> codes;
  for (int i = 0; i < day.getplacecount(); ++i) {
    std::string venue;
    for (int j = 0; j < day.getracecount(i); ++j) venue += day.list(i, j)->getcode() + " ";
    codes.push_back(venue);
  }
  return codes;
}

// The small world's day with race 10 at 中山 before race 11, and race 1 at
// 京都; race 12 at 中山 has its card but is not yet run.
ydb::Batch TwoVenuesAndACard() {
  ydb::Batch world = racetest::TwoVenues();
  ydb::Race& card_only = racetest::AddRace(&world, {"05", 20240106, 12}, "20230");
  card_only.result.reset();
  for (ydb::Runner& r : card_only.runners) r.result.reset();
  return world;
}

TEST_F(RaceDays, CardsAndResultsListTheDaysRacesInRaceOrder) {
  Write(TwoVenuesAndACard());
  YMainraceList day(&db_, 20240106, 1);
  ASSERT_EQ(day.getplacecount(), 2);
  YDaySeiseki results(&db_, &day, false);
  YDaySeiseki bare_key(&db_, &day, true);
  YDayDenma cards(&db_, &day);
  EXPECT_EQ(db_.geterrstatus(), 0);

  const std::vector<std::string> run = Codes(results);
  ASSERT_EQ(run.size(), 2u);
  EXPECT_EQ(run[0] + run[1], "002024010601 052024010610 052024010611 ");
  EXPECT_EQ(Codes(bare_key), run);
  const std::vector<std::string> carded = Codes(cards);
  EXPECT_EQ(carded[0] + carded[1], "002024010601 052024010610 052024010611 052024010612 ");

  const int venue = day.getcode(0) == "0520240106" ? 0 : 1;
  EXPECT_EQ(results.list(venue, 1)->getname(), cards.list(venue, 1)->getname());
  EXPECT_EQ(results.list(venue, 1)->gettan(), "   350") << "a result row has its payouts";
  EXPECT_EQ(cards.list(venue, 1)->gettan(), "") << "a card row has none";
  EXPECT_EQ(results.getkaisai(venue), Sjis("１回中山２日目"));

  // The venues of the day as the cards give them; the names come with a
  // day's record, not with a date.
  YMainraceList card_venues(&db_, 20240106, 0);
  ASSERT_EQ(card_venues.getplacecount(), 2);
  const int kyoto = card_venues.getcode(0) == "0020240106" ? 0 : 1;
  EXPECT_EQ(card_venues.getplace(kyoto), Sjis("京都"));
  EXPECT_EQ(card_venues.getoldcode(kyoto), "0020240203");
  EXPECT_EQ(card_venues.getname(kyoto), "");
}

TEST_F(RaceDays, ARaceRowFromItsCodeAndCodesAndDatesThatNameNothing) {
  Write(TwoVenuesAndACard());
  YRaceList row(&db_, "052024010611", true);
  EXPECT_EQ(row.getname(), Sjis("ニューイヤOPEN"));
  EXPECT_EQ(row.gettan() + row.getwide3h() + row.getwide3n(), "   350    520  7");
  // Too short, a letter, no such race, a whole venue-day.
  for (const char* code : {"05202401061", "05202401061a", "052024010613", "052024010600"}) {
    EXPECT_EQ(YRaceList(&db_, code, true).getcode(), "") << code;
  }
  EXPECT_EQ(YRaceList(nullptr, "052024010611", true).getno(), 0);
  // A day without racing, and a date that is none.
  for (int date : {20240107, -5}) {
    YMainraceList day(&db_, date, 1);
    EXPECT_EQ(day.getplacecount(), 0) << date;
    EXPECT_EQ(day.getcode(0), "") << date;
  }
  EXPECT_EQ(db_.geterrstatus(), 0) << "a race row or day never sets the session's error";
}

TEST_F(RaceDays, AFailingStoreLeavesNoRowsAtAll) {
  Write(TwoVenuesAndACard());
  YMainraceList day(&db_, 20240106, 1);
  ASSERT_EQ(day.getplacecount(), 2);
  // The second venue fails: the first venue's rows go too.
  ydb_test_fail_after("get_race2code_1_ex", 1);
  YDaySeiseki results(&db_, &day, false);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(results.getracecount(0) + results.getracecount(1), 0);
  ydb_test_fail("get_denma2code");
  YDayDenma cards(&db_, &day);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(cards.getracecount(0) + cards.getracecount(1), 0);

  // A race row or a day whose fetch fails is empty, without an error.
  db_.clearerror();
  ydb_test_fail("get_race2code_1_ex");
  ydb_test_fail("get_racelist2date_ex");
  EXPECT_EQ(YRaceList(&db_, "052024010611", false).getno(), 0);
  EXPECT_EQ(YMainraceList(&db_, 20240106, 1).getplacecount(), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);
}

}  // namespace
