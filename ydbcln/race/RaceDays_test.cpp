// A race day's card rows and result rows read from a store: both list the
// day's races per venue in race order, the two keys of the results give
// the same rows, and a failing store leaves no rows.
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
}

}  // namespace
