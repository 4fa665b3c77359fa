// Race totals: which run counts in which row, each band bound on both
// sides, the distance groups, the people's entries and the rates.
#include "ydbcln/money/YRaceTotal.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testing/Sjis.h"
#include "ydbcln/race/YRaceHorse.h"

namespace {

using ytest::Sjis;

// A plain run on turf, right-handed, 1600 m, that every group has a row
// for; a win unless its position (0: none) and the position's text say
// otherwise.
std::unique_ptr<YRaceHorse> PlainRun(int order = 1, const char* ordertext = "１") {
  auto r = std::make_unique<YRaceHorse>(nullptr);
  r->racecode = "052024010611";
  r->order = static_cast<unsigned char>(order);
  r->ordertext = Sjis(ordertext);
  r->runnercount = 16;
  r->corners[0] = 1; r->corners[1] = 1; r->corners[2] = 1; r->corners[3] = 1;
  r->jockeycode = "01001";
  r->trainercode = "02001";
  r->popularity = 1;
  r->bodyweight = 480;
  r->track = Sjis("芝");
  r->direction = Sjis("右");
  r->distance = 1600;
  r->weightcarried = 560;
  r->classrank = 4;
  r->goingcode = 0;
  r->weightchange = 0;
  r->bracketno = 1;
  r->horseno = 1;
  r->winodds = 25;
  r->pace = Sjis("Ｍ");
  return r;
}

// Totals of the runs.
YRaceTotal Total(const std::vector<std::unique_ptr<YRaceHorse>>& runs) {
  std::vector<YRaceHorse*> raw;
  for (const auto& r : runs) raw.push_back(r.get());
  YRaceTotal t;
  t.calctotal(raw);
  return t;
}

// The rows of a group that hold a run (their four counts summed).
std::vector<int> RowsWithRuns(const int* rows, int count) {
  std::vector<int> found;
  for (int i = 0; i < count; ++i) {
    const int* row = rows + i * YRaceTotal::kRowSize;
    if (row[0] + row[1] + row[2] + row[3] > 0) found.push_back(i);
  }
  return found;
}

TEST(YRaceTotalTest, ARunCountsByItsPositionAndOneThatDidNotStartInNoRow) {
  std::vector<std::unique_ptr<YRaceHorse>> runs;
  for (int order : {1, 2, 3, 4, 12}) runs.push_back(PlainRun(order));
  runs.push_back(PlainRun(0, "止"));  // pulled up: no position, unplaced
  runs.push_back(PlainRun(0, "消"));  // never started
  runs.push_back(PlainRun(0, "外"));  // never started
  runs.push_back(PlainRun(3, "③"));   // crossed the line first, demoted to third
  const YRaceTotal t = Total(runs);
  EXPECT_EQ(std::vector<int>(t.place[5], t.place[5] + 4), (std::vector<int>{1, 1, 2, 3}));
  EXPECT_EQ(t.jockey[0].total[3], 3);
  EXPECT_EQ(t.odds[2][0] + t.odds[2][1] + t.odds[2][2] + t.odds[2][3], 7);
  // 1 of 7 wins: 142.857 -> 143; 2 of 7: 285.7 -> 286; 4 of 7: 571.4 -> 571.
  EXPECT_EQ(t.place[5][4], 143);
  EXPECT_EQ(t.place[5][5], 286);
  EXPECT_EQ(t.place[5][6], 571);
}

TEST(YRaceTotalTest, EachBandBoundFallsOnItsSide) {
  struct Case {
    const char* what;
    std::function<void(YRaceHorse&)> set;
    std::function<std::vector<int>(const YRaceTotal&)> rows;
    std::vector<int> expected;
  };
  auto group = [](auto member, int count) {
    return [member, count](const YRaceTotal& t) { return RowsWithRuns(&(t.*member)[0][0], count); };
  };
  const auto bw = group(&YRaceTotal::bataiju, 22);
  const auto wc = group(&YRaceTotal::futan, 12);
  const auto ch = group(&YRaceTotal::zogen, 8);
  const auto od = group(&YRaceTotal::odds, 11);
  const auto pop = group(&YRaceTotal::ninki, 11);
  const auto turf_all = [](const YRaceTotal& t) { return RowsWithRuns(&t.distance[3][0][0], 8); };
  const std::vector<Case> cases = {
      {"body weight 400", [](YRaceHorse& r) { r.bodyweight = 400; }, bw, {0}},
      {"body weight 401", [](YRaceHorse& r) { r.bodyweight = 401; }, bw, {1}},
      {"body weight 600", [](YRaceHorse& r) { r.bodyweight = 600; }, bw, {20}},
      {"body weight 601", [](YRaceHorse& r) { r.bodyweight = 601; }, bw, {21}},
      {"body weight 0", [](YRaceHorse& r) { r.bodyweight = 0; }, bw, {}},
      {"carried 49.9", [](YRaceHorse& r) { r.weightcarried = 499; }, wc, {0}},
      {"carried 50.0", [](YRaceHorse& r) { r.weightcarried = 500; }, wc, {1}},
      {"carried 60.0", [](YRaceHorse& r) { r.weightcarried = 600; }, wc, {11}},
      {"change +10", [](YRaceHorse& r) { r.weightchange = 10; }, ch, {0}},
      {"change +9", [](YRaceHorse& r) { r.weightchange = 9; }, ch, {1}},
      {"change +5", [](YRaceHorse& r) { r.weightchange = 5; }, ch, {1}},
      {"change +4", [](YRaceHorse& r) { r.weightchange = 4; }, ch, {2}},
      {"change -4", [](YRaceHorse& r) { r.weightchange = -4; }, ch, {4}},
      {"change -5", [](YRaceHorse& r) { r.weightchange = -5; }, ch, {5}},
      {"change -10", [](YRaceHorse& r) { r.weightchange = -10; }, ch, {6}},
      {"change unknown", [](YRaceHorse& r) { r.weightchange = 999; }, ch, {7}},
      {"distance 999", [](YRaceHorse& r) { r.distance = 999; }, turf_all, {}},
      {"distance 1000", [](YRaceHorse& r) { r.distance = 1000; }, turf_all, {0}},
      {"distance 1200", [](YRaceHorse& r) { r.distance = 1200; }, turf_all, {0}},
      {"distance 1201", [](YRaceHorse& r) { r.distance = 1201; }, turf_all, {1}},
      {"distance 2400", [](YRaceHorse& r) { r.distance = 2400; }, turf_all, {6}},
      {"distance 2401", [](YRaceHorse& r) { r.distance = 2401; }, turf_all, {7}},
      {"popularity 0", [](YRaceHorse& r) { r.popularity = 0; }, pop, {}},
      {"popularity 10", [](YRaceHorse& r) { r.popularity = 10; }, pop, {9}},
      {"popularity 11", [](YRaceHorse& r) { r.popularity = 11; }, pop, {10}},
      {"odds 0.9", [](YRaceHorse& r) { r.winodds = 9; }, od, {}},
      {"odds 1.4", [](YRaceHorse& r) { r.winodds = 14; }, od, {0}},
      {"odds 1.5", [](YRaceHorse& r) { r.winodds = 15; }, od, {1}},
      {"odds 99.9", [](YRaceHorse& r) { r.winodds = 999; }, od, {9}},
      {"odds 100.0", [](YRaceHorse& r) { r.winodds = 1000; }, od, {10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::unique_ptr<YRaceHorse>> runs;
    runs.push_back(PlainRun());
    c.set(*runs.back());
    EXPECT_EQ(c.rows(Total(runs)), c.expected);
  }
}

// The racecourse rows are checked against a season's results by the entity
// season test; here the groups the track and direction choose.
TEST(YRaceTotalTest, TheTrackDecidesTheDistanceGroup) {
  std::vector<std::unique_ptr<YRaceHorse>> runs;
  runs.push_back(PlainRun());  // turf right
  runs.push_back(PlainRun());
  runs.back()->track = Sjis("ダ");
  runs.back()->direction = Sjis("直");  // dirt, other
  runs.back()->goingcode = 3;
  runs.push_back(PlainRun());
  runs.back()->track = Sjis("障");
  runs.back()->goingcode = -1;  // a going not known counts in no going row
  const YRaceTotal t = Total(runs);
  // 1600 m is the band 1401-1600 m.
  EXPECT_EQ(t.distance[0][2][0] + t.distance[0][8][0] + t.distance[3][2][0], 3);
  EXPECT_EQ(t.distance[6][2][0] + t.distance[7][8][0], 2);
  EXPECT_EQ(t.distance[3][8][0], 1);
  EXPECT_EQ(t.jump[0], 1);
  EXPECT_EQ(RowsWithRuns(&t.trackgoing[0][0], 12), (std::vector<int>{0, 7}));

  std::vector<std::unique_ptr<YRaceHorse>> abroad;
  abroad.push_back(PlainRun());
  abroad.back()->racecode = "302024010611";
  const YRaceTotal other = Total(abroad);
  EXPECT_EQ(RowsWithRuns(&other.place[0][0], 11), std::vector<int>{10}) << "not a JRA course";
}

TEST(YRaceTotalTest, TwentyPeopleHaveEntriesAndTheRestShareTheLast) {
  std::vector<std::unique_ptr<YRaceHorse>> runs;
  for (int i = 0; i < 22; ++i) {
    runs.push_back(PlainRun());
    runs.back()->jockeycode = "01" + std::to_string(100 + i);
    if (i == 3) {
      runs.push_back(PlainRun());
      runs.back()->jockeycode = "01100";  // met again
    }
  }
  const YRaceTotal t = Total(runs);
  EXPECT_EQ(t.jockeycount, 21);
  EXPECT_EQ(t.jockey[0].total[0], 2);
  EXPECT_EQ(t.jockey[19].code, "01119");
  EXPECT_EQ(t.jockey[20].total[0], 2);  // the 21st and 22nd
  EXPECT_EQ(t.stablecount, 1);
}

TEST(YRaceTotalTest, RatesRoundAnExactHalfUpAndNothingRatesZero) {
  int row[YRaceTotal::kRowSize] = {1, 0, 0, 15, 0, 0, 0};
  EXPECT_EQ(YRaceTotal::calc_win(row), 63);  // 62.5
  EXPECT_EQ(YRaceTotal::calc_3chak(row), 63);
  int empty[YRaceTotal::kRowSize] = {0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(YRaceTotal::calc_win(empty), 0);
  std::vector<std::unique_ptr<YRaceHorse>> none;
  const YRaceTotal t = Total(none);
  EXPECT_TRUE(RowsWithRuns(&t.place[0][0], 11).empty());
  EXPECT_EQ(t.jockeycount, 0);
}

}  // namespace
