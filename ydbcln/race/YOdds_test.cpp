// The odds of a race read from a store: each pool by combination and in
// popularity order, the pair numbering at both ends, races and sessions
// without odds, a failing store, and copies.
#include "ydbcln/race/YOdds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;

constexpr int kNoValue = YOdds::kNoValue;
const std::string kCode = "052024010611";  // the small world's race: 9 runners

// Each pool's odds of one combination, in number and in text form.
int Win(YOdds& o, int n) { int x = 0; o.tansho(n, x); return x; }
std::string WinText(YOdds& o, int n) { std::string x = "?"; o.tansho(n, x); return x; }
int Bracket(YOdds& o, int a, int b) { int x = 0; o.wakuren(a, b, x); return x; }
std::string BracketText(YOdds& o, int a, int b) { std::string x = "?"; o.wakuren(a, b, x); return x; }
int Quinella(YOdds& o, int a, int b) { int x = 0; o.umaren(a, b, x); return x; }
std::string QuinellaText(YOdds& o, int a, int b) { std::string x = "?"; o.umaren(a, b, x); return x; }

// Odds that hold nothing: no value in any pool, nor in popularity order,
// whose lookups leave the numbers they would set alone.
void ExpectNoOdds(YOdds& odds) {
  EXPECT_FALSE(odds.isexist());
  EXPECT_EQ(odds.desc(), "");
  EXPECT_EQ(Win(odds, 1), kNoValue);
  EXPECT_EQ(WinText(odds, 1), "");
  EXPECT_EQ(Quinella(odds, 1, 2), kNoValue);
  EXPECT_EQ(Bracket(odds, 1, 1), kNoValue);
  EXPECT_EQ(odds.ninki_tancnt() + odds.ninki_wakcnt() + odds.ninki_umacnt(), 0);
  int horse = -7, x = 0;
  odds.ninki_tansho(0, horse, x);
  EXPECT_EQ(x, kNoValue);
  EXPECT_EQ(horse, -7);
}

TEST_F(RaceStore, ForecastOddsOfEachPool) {
  Write();
  YOdds odds(&db_, kCode, 9, false);
  ASSERT_TRUE(odds.isexist());
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(odds.desc(), Sjis("前売りオッズ 10:30発表"));
  EXPECT_TRUE(odds.is_umaren());

  EXPECT_EQ(WinText(odds, 1), "   3.5");
  EXPECT_EQ(Win(odds, 9), kNoValue) << "scratched";
  EXPECT_EQ(WinText(odds, 9), Sjis("ﾄﾘｹｼ"));
  EXPECT_EQ(WinText(odds, 2), "") << "no odds ('-')";
  EXPECT_EQ(Win(odds, 0), kNoValue);
  EXPECT_EQ(Win(odds, 10), kNoValue) << "outside the field";

  EXPECT_EQ(BracketText(odds, 8, 8), " 123.4") << "a pair of the same frame";
  EXPECT_EQ(Bracket(odds, 5, 2), kNoValue) << "a pair is not reordered";
  EXPECT_EQ(Bracket(odds, 0, 1), kNoValue);
  EXPECT_EQ(Bracket(odds, 8, 9), kNoValue);

  EXPECT_EQ(QuinellaText(odds, 1, 2), "     8.8");
  EXPECT_EQ(QuinellaText(odds, 1, 9), Sjis("ﾄﾘｹｼ"));
  // The same horse twice, a pair out of order, a horse outside the field.
  const int refused[][2] = {{2, 2}, {3, 1}, {2, 10}};
  for (const auto& p : refused) EXPECT_EQ(Quinella(odds, p[0], p[1]), kNoValue) << p[0] << "-" << p[1];
}

TEST_F(RaceStore, PopularityOrders) {
  Write();
  YOdds odds(&db_, kCode, 9, false);
  ASSERT_EQ(odds.ninki_tancnt(), 2);
  int horse = 0, x = 0;
  std::string text;
  odds.ninki_tansho(0, horse, text);
  EXPECT_EQ(horse, 1);
  EXPECT_EQ(text, "     3.5");
  odds.ninki_tansho(1, horse, x);
  EXPECT_EQ(horse, 9) << "an entry without a value still names its horse";
  EXPECT_EQ(x, kNoValue);
  for (int rank : {2, -1}) {
    horse = -7;
    odds.ninki_tansho(rank, horse, text);
    EXPECT_EQ(text, "") << rank;
    EXPECT_EQ(horse, -7) << rank;
  }

  ASSERT_EQ(odds.ninki_wakcnt(), 1);
  int first = 0, second = 0;
  odds.ninki_wakuren(0, first, second, text);
  EXPECT_EQ(first * 10 + second, 88);
  EXPECT_EQ(text, "   123.4");
  odds.ninki_wakuren(0, first, second, x);
  EXPECT_EQ(x, 1234);

  ASSERT_EQ(odds.ninki_umacnt(), 9);
  odds.ninki_umaren(0, first, second, text);
  EXPECT_EQ(first * 10 + second, 12);
  EXPECT_EQ(text, "     8.8");
  odds.ninki_umaren(8, first, second, x);
  EXPECT_EQ(first * 10 + second, 89);
  EXPECT_EQ(x, kNoValue);
}

// An 18-runner race before it is run, with odds at both ends of each
// pool's numbering.
ydb::Batch WithEighteenRunners() {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race race = ytest::MakeRace({"05", 20240107, 11});
  race.kai_day = 3;
  race.result.reset();
  race.runners.clear();
  for (int n = 1; n <= 18; ++n) {
    ydb::Runner r = ytest::MakeRunner(n, 18, std::to_string(2040000 + n), n);
    r.result.reset();
    race.runners.push_back(r);
    ydb::Horse h = ytest::MakeHorse(r.horse_code, "ホース" + std::to_string(n), "0");
    h.owner_code = "100001";
    world.horses.push_back(h);
  }
  race.forecast_odds = ydb::OddsSet{
      "0", 0, {{ydb::Pool::kWin, 18, 0, 1800, 0, ""},           {ydb::Pool::kBracketQuinella, 1, 1, 101, 0, ""},
               {ydb::Pool::kBracketQuinella, 1, 8, 108, 0, ""}, {ydb::Pool::kBracketQuinella, 2, 2, 202, 0, ""},
               {ydb::Pool::kBracketQuinella, 8, 8, 808, 0, ""}, {ydb::Pool::kQuinella, 1, 18, 1018, 0, ""},
               {ydb::Pool::kQuinella, 2, 3, 2003, 0, ""},       {ydb::Pool::kQuinella, 17, 18, 17018, 0, ""},
               {ydb::Pool::kQuinella, 3, 4, 0, 0, "*"}}};
  world.races.push_back(race);
  return world;
}

TEST_F(RaceStore, PairNumberingAtBothEnds) {
  Write(WithEighteenRunners());
  YOdds odds(&db_, "052024010711", 18, false);
  ASSERT_TRUE(odds.isexist());
  EXPECT_EQ(odds.desc(), Sjis("予想オッズ"));
  EXPECT_EQ(Bracket(odds, 1, 8), 108);
  EXPECT_EQ(Bracket(odds, 2, 2), 202);
  EXPECT_EQ(Bracket(odds, 8, 8), 808);
  EXPECT_EQ(Quinella(odds, 1, 18), 1018);
  EXPECT_EQ(Quinella(odds, 2, 3), 2003);
  EXPECT_EQ(QuinellaText(odds, 17, 18), "  1701.8");
  EXPECT_EQ(QuinellaText(odds, 3, 4), Sjis("☆"));

  // Told of more runners than the record holds: nothing past it is read.
  YOdds twenty(&db_, "052024010711", 20, false);
  EXPECT_EQ(Win(twenty, 18), 1800);
  EXPECT_EQ(Win(twenty, 19), kNoValue);
  EXPECT_EQ(Quinella(twenty, 18, 19), kNoValue);

  // Told of 17 runners: horse 18 is outside the field, though the record
  // holds its odds; of 8, there is no quinella.
  YOdds seventeen(&db_, "052024010711", 17, false);
  EXPECT_EQ(Win(seventeen, 18), kNoValue);
  EXPECT_EQ(Quinella(seventeen, 17, 18), kNoValue);
  EXPECT_FALSE(YOdds(&db_, "052024010711", 8, false).is_umaren());
}

TEST_F(RaceStore, NoOddsWithoutARaceOrASession) {
  Write();
  YOdds unknown(&db_, "052024010612", 9, false);
  ExpectNoOdds(unknown);
  EXPECT_EQ(db_.geterrstatus(), 0) << "a race without odds is no error";
  YOdds without_session(nullptr, kCode, 9, false);
  ExpectNoOdds(without_session);

  YHorseDB closed;
  YOdds not_initialised(&closed, kCode, 9, false);
  ExpectNoOdds(not_initialised);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

TEST_F(RaceStore, AFailingStoreGives1002) {
  Write();
  ydb_test_fail("get_odds2code_ex");
  YOdds odds(&db_, kCode, 9, false);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  ExpectNoOdds(odds);
  ydb_test_fail(nullptr);

  // The popularity order fails for the first, second or third pool: what
  // was made is released (the sanitizer build sees any leak).
  for (int made = 0; made < 3; ++made) {
    ydb_test_reset_counts();
    ydb_test_fail_after("make_sorted_odds", made);
    YOdds partial(&db_, kCode, 9, false);
    EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError) << made;
    EXPECT_EQ(ydb_test_call_count("make_sorted_odds"), made + 1) << "stops at the failure";
    ExpectNoOdds(partial);
    ydb_test_fail(nullptr);
  }
  YOdds again(&db_, kCode, 9, false);
  EXPECT_TRUE(again.isexist());
  EXPECT_EQ(db_.geterrstatus(), 0) << "building an odds object clears the status";
}

TEST_F(RaceStore, CopiesShareNothing) {
  Write();
  auto original = std::make_unique<YOdds>(&db_, kCode, 9, false);
  YOdds copy(*original);
  YOdds assigned(&db_, "052024010612", 9, false);
  assigned = *original;
  YOdds self(*original);
  self = self;
  original.reset();
  for (YOdds* odds : {&copy, &assigned, &self}) {
    EXPECT_EQ(Win(*odds, 1), 35);
    EXPECT_EQ(odds->ninki_umacnt(), 9);
  }
  copy = YOdds(nullptr, kCode, 9, false);
  ExpectNoOdds(copy);
  EXPECT_EQ(Win(assigned, 1), 35);
}

}  // namespace
