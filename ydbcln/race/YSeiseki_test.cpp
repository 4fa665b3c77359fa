// Race results read from a store: texts, laps and sectional times, corners
// and comments, payouts, the shares of the added money over dead heats, the
// final odds, copies, and the codes and failures that give an empty
// result. Races the world lacks are made through the writer.
#include "ydbcln/race/YSeiseki.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YDenma.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;

constexpr const char* kCode = "052024010611";

using Results = RaceStore;

// The texts a card shares with the result are compared over a whole
// season elsewhere; these are the result's own.
TEST_F(Results, TheSmallWorldsResult) {
  Write();
  YSeiseki result(&db_, kCode);
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(result.going + result.weather, Sjis("稍晴"));
  EXPECT_EQ(result.reftime[0].title, "") << "a result's first time has no kind";
  EXPECT_EQ(result.reftime[0].time, "1.43.7");

  // 1700 m: nine laps, the first of 100 m, so each early time takes half
  // of the lap after it, rounded up.
  EXPECT_EQ(result.lapline, "7.0-11.0-11.8-12.4-12.5-12.3-12.0-12.1-12.4");
  EXPECT_EQ(result.earlytime[1], "800m 48.5");   // 42.2 + 6.3
  EXPECT_EQ(result.finaltime, "48.8-36.5");

  EXPECT_EQ(result.cornercount, 2);
  EXPECT_EQ(result.cornerorder[0], "1,2-(3,4)-5,6,7,8");
  EXPECT_EQ(result.commentcount, 2);
  EXPECT_EQ(result.comment[1], Sjis("直線で内から伸びる"));

  EXPECT_EQ(result.tanshoninki, 1);
  EXPECT_EQ(result.wideninki[2], 7);
  for (const std::string& share : result.sharedprize) EXPECT_EQ(share, "") << "no added money";

  ASSERT_EQ(result.gethorsecount(), 9);
  EXPECT_EQ(result.horse(9), nullptr);
  EXPECT_EQ(result.horse(-1), nullptr);
}

TEST_F(Results, AJumpRaceShowsItsLastMileInsteadOfLaps) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& jump = racetest::AddRace(&world, {"05", 20240106, 4}, "20210");
  jump.race_kind = "0";
  jump.distance = 3000;
  jump.track_code = "1";
  jump.result->laps.clear();
  jump.result->time_last_mile = 1053;
  jump.result->time_last_600 = 382;
  Write(world);
  YSeiseki result(&db_, "052024010604");
  EXPECT_EQ(result.lapheading, Sjis("上り１哩"));
  EXPECT_EQ(result.lapline, "1:45.3-38.2");
  EXPECT_EQ(result.course, Sjis("障右A 3000m"));
}

TEST_F(Results, ARaceWithoutLapsShowsItsStoredSectionalsAndFiveCorners) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& race = racetest::AddRace(&world, {"05", 20240106, 4}, "20210");
  ydb::RaceResult& x = *race.result;
  x.laps.clear();
  x.time_first_600 = 355;
  x.time_first_800 = 478;
  x.time_first_1000 = 601;
  x.time_last_800 = 490;
  x.time_last_600 = 362;
  x.corners.clear();
  for (int j = 1; j <= 5; ++j) x.corners.push_back({"", j, std::to_string(j) + "-2-3"});
  Write(world);
  YSeiseki result(&db_, "052024010604");
  EXPECT_EQ(result.lapline, "");
  EXPECT_EQ(result.earlytime[0] + " " + result.earlytime[2], "600m 35.5 1000m 60.1");
  EXPECT_EQ(result.finaltime, "49.0-36.2");
  EXPECT_EQ(result.cornerorder[4], "5-2-3");
  EXPECT_EQ(result.cornerorder[5], "");
}

// The winner's share of 1,234,000 yen gives the second 352,570 and the
// third 176,285, each rounded up to a thousand.
TEST_F(Results, AddedMoneyIsSharedOverADeadHeatForFirst) {
  ydb::Batch world = ytest::MakeWorld();
  world.races[0].added_money = 1234000;
  ydb::Race& dead_heat = racetest::AddRace(&world, {"05", 20240106, 4}, "20210");
  dead_heat.added_money = 1234000;
  ydb::RunnerResult& second = *dead_heat.runners[1].result;
  second.finish_pos = 1;
  second.margin_code = "8";
  second.margin_lengths = 0;
  dead_heat.result->payouts.push_back({ydb::Pool::kWin, 2, 0, 410, 2});
  Write(world);

  YSeiseki plain(&db_, kCode);
  EXPECT_EQ(plain.sharedprize[0], Sjis("123万4000円"));
  EXPECT_EQ(plain.sharedprize[1], Sjis("35万3000円"));
  EXPECT_EQ(plain.sharedprize[2], Sjis("17万7000円"));

  YSeiseki shared(&db_, "052024010604");
  ASSERT_EQ(shared.gethorsecount(), 9);
  EXPECT_EQ(shared.horse(1)->order, 1);
  EXPECT_EQ(shared.sharedprize[1], Sjis("79万4000円")) << "the mean of 1,234,000 and 352,570";
  EXPECT_EQ(shared.haito.tansho_haito[1], 410) << "two winners";
  EXPECT_EQ(shared.tanshoninki, 0);
}

TEST_F(Results, FinalOddsAreBuiltOnceOrFoundMissingOnceAndCopiesBuildTheirOwn) {
  ydb::Batch world = ytest::MakeWorld();
  racetest::AddRace(&world, {"05", 20240106, 4}, "20210").result->final_odds.reset();
  Write(world);
  auto result = std::make_unique<YSeiseki>(&db_, kCode);
  YOdds* odds = result->odds();
  ASSERT_NE(odds, nullptr);
  EXPECT_EQ(result->odds(), odds);

  YSeiseki none(&db_, "052024010604");
  EXPECT_EQ(none.odds(), nullptr);
  EXPECT_EQ(none.odds(), nullptr);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 2) << "asked once for each race";

  YSeiseki copy(*result);
  YSeiseki assigned(&db_, "052024010612");
  assigned = *result;
  result.reset();
  for (YSeiseki* c : {&copy, &assigned}) {
    ASSERT_EQ(c->gethorsecount(), 9);
    EXPECT_EQ(c->lapline, "7.0-11.0-11.8-12.4-12.5-12.3-12.0-12.1-12.4");
    EXPECT_EQ(c->yodds, nullptr);
    ASSERT_NE(c->odds(), nullptr);
  }
  EXPECT_NE(copy.horse(0), assigned.horse(0));
}

TEST_F(Results, CodesThatNameNoRunRaceGiveAnEmptyResultWithoutAnError) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& card_only = racetest::AddRace(&world, {"05", 20240106, 4}, "20210");
  card_only.result.reset();
  for (ydb::Runner& r : card_only.runners) r.result.reset();
  Write(world);
  // No such race, too short, a letter, a whole venue-day, a card not yet run.
  for (const char* code :
       {"052024010612", "05202401061", "05202401061A", "052024010600", "052024010604"}) {
    YSeiseki result(&db_, code);
    EXPECT_EQ(result.code + result.heading + result.lapline, "") << code;
    EXPECT_EQ(result.gethorsecount(), 0) << code;
    EXPECT_EQ(db_.geterrstatus(), 0) << code;
  }
  // A race record without runner records: no runners, no error.
  ydb_test_keep_records("get_race2code_2", 0);
  YSeiseki alone(&db_, kCode);
  EXPECT_EQ(alone.gethorsecount(), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);
  ydb_test_keep_records(nullptr, 0);

  for (const char* operation : {"get_race2code_1_ex", "get_race2code_2"}) {
    ydb_test_fail(operation);
    YSeiseki failed(&db_, kCode);
    EXPECT_EQ(db_.geterrstatus(), 1002) << operation;
    EXPECT_EQ(failed.gethorsecount(), 0) << operation;
    ydb_test_fail(nullptr);
  }
}

}  // namespace
