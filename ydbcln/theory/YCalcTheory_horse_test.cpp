// The horse factors of the theory engine on hand-built races: the rules,
// figures and matches only a horse's runs have (the rates, counts and
// conditions a horse shares with jockeys, trainers and sires are tested on
// theirs): each factor's ranks, columns, headings and texts, and a decoy
// run for each of its conditions that would change the ranks if the
// condition were dropped or off by one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ydbcln/theory/EngineWorld_test.h"

namespace {

using enginetest::EngineWorld;
using enginetest::Entry;
using enginetest::PastRun;
using enginetest::Today;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

// What one factor should show on the race of a test.
struct Expect {
  int code, p1, p2;
  Ints ranks;
  Strings headings;
  int slot;       // the runner whose texts are checked
  Strings texts;
};

class HorseFactors : public EngineWorld {
 protected:
  // The horse of runner slot i.
  static std::string H(int i) { return "30000" + std::to_string(10 + i); }

  // Today's race of `n` runners (horses H(0) ...), run, each finishing in
  // its horse-number order unless `ran` gives its figures of today.
  void Race(int n, const std::vector<std::pair<int, PastRun>>& ran = {}) {
    Today today;
    today.run = true;
    for (int i = 0; i < n; ++i) today.entries.push_back(Entry(H(i)));
    for (const auto& r : ran) today.entries[static_cast<std::size_t>(r.first)].Ran(r.second);
    SetToday(today);
  }
  // Past runs of runner slot i.
  void Runs(int i, std::vector<PastRun> runs) {
    for (PastRun& r : runs) {
      r.horse = H(i);
      AddRun(r);
    }
  }
  void Check(const Expect& e) {
    SCOPED_TRACE("factor " + std::to_string(e.code));
    const YTheoryResult& r = Evaluate(e.code, e.p1, e.p2);
    EXPECT_EQ(Ranks(r), e.ranks);
    EXPECT_EQ(r.columncount[0], static_cast<int>(e.headings.size()));
    EXPECT_EQ(Headings(r), e.headings);
    EXPECT_EQ(Texts(r, e.slot), e.texts) << "runner " << e.slot;
  }
};

// A run of the past on `date` finishing `position`.
PastRun At(int date, int position = 1) { return PastRun("", date).Position(position); }

const Strings kCounts = {"１着", "２着", "３着", "着外"};

// Mean and best times over the same surface and distance: the latest P2
// timed runs for the mean (a run without a time does not use up P2), every
// run for the best, and the best of the latest P2 with 0.2 s per kilogram
// carried today above that run for 斤量指数. Today's weights are read from
// the results of a run race and from the card of a race to come.
class TimesAtTodaysDistance : public HorseFactors, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(RunAndCard, TimesAtTodaysDistance, ::testing::Bool());

TEST_P(TimesAtTodaysDistance, MeanBestAndWeightAdjusted) {
  Today today;
  today.run = GetParam();
  for (int i = 0; i < 6; ++i) today.entries.push_back(Entry(H(i)));
  today.entries[0].Weight(570);  // 2 kg above its best run
  today.entries[4].Ran(PastRun().Position(1).Time(900));
  SetToday(today);
  Runs(0, {At(20240105).Time(950), At(20240205).Time(940), At(20240305).Time(930)});
  Runs(1, {At(20240105).Time(930), At(20240205).Time(900).Surface(enginetest::kDirt),
           At(20240305, 0), At(20240405).Time(940)});
  Runs(2, {At(20240105).Time(950), At(20240205).Time(945), At(20240305).Time(900).Distance(1601)});
  Runs(3, {At(20240105).Time(920), At(20240205).Time(965), At(20240305).Time(955)});
  Runs(4, {At(20240105).Time(900).Surface(enginetest::kDirt)});
  Runs(5, {At(20240105).Time(934), At(20240205).Time(900).Distance(1599)});
  for (const Expect& e : std::vector<Expect>{
           {1, 0, 2, {2, 2, 4, 5, 0, 1}, {"平均ﾀｲﾑ"}, 2, {"1347.5"}},
           {2, 0, 0, {2, 2, 5, 1, 0, 4}, {"最高ﾀｲﾑ"}, 3, {"1320"}},
           {6, 0, 2, {2, 1, 4, 5, 0, 2}, {"斤量指数"}, 0, {"1334"}},
       }) {
    Check(e);
  }
}

// Means of the latest P2 runs over the same surface and a distance within
// ±P1: first and last 3F and odds where known, the margin (0 counts: a
// winner's lead and the margin of a run not finished read as 0), and the
// average position of runs finished.
TEST_F(HorseFactors, MeansNearTodaysDistance) {
  Race(6, {{4, PastRun().Position(1).ThreeF(300, 300).Odds(10).Margin(0)}});
  const char d = enginetest::kDirt;
  Runs(0, {At(20240105, 2).Distance(1400).ThreeF(350, 340).Margin(5).Odds(50),
           At(20240205, 1).Distance(1800).ThreeF(360, 350).Margin(7).Odds(30)});
  Runs(1, {At(20240105, 5).ThreeF(340, 330).Margin(10).Odds(100),
           At(20240205, 2).ThreeF(350, 340).Margin(3).Odds(40),
           At(20240305, 2).ThreeF(360, 350).Margin(2).Odds(40)});
  Runs(2, {At(20240105, 4).ThreeF(345, 335).Margin(4).Odds(60),
           At(20240205, 10).Surface(d).ThreeF(400, 400).Margin(20).Odds(500),
           At(20240305, 10).Distance(1801).ThreeF(400, 400).Margin(20).Odds(500)});
  Runs(3, {At(20240105, 6).ThreeF(370, 360).Margin(8).Odds(150),
           At(20240205, 5).ThreeF(365, 355).Margin(6).Odds(120),
           At(20240305, 1).Distance(1399).ThreeF(300, 300).Odds(10)});
  Runs(4, {At(20240105, 1).Surface(d).ThreeF(300, 300).Odds(10)});
  Runs(5, {At(20240105, 1).ThreeF(340, 330).Margin(1).Odds(20),
           At(20240205, 3).ThreeF(355, 345).Margin(3).Odds(50), At(20240305, 0)});
  for (const Expect& e : std::vector<Expect>{
           {3, 200, 2, {3, 3, 1, 5, 0, 2}, {"前3F"}, 5, {"34.75"}},
           {4, 200, 2, {3, 3, 1, 5, 0, 2}, {"後3F"}, 3, {"35.75"}},
           {5, 200, 2, {2, 2, 4, 5, 0, 1}, {"着差ﾀｲﾑ"}, 0, {" 0.25"}},
           {9, 200, 2, {2, 2, 4, 5, 0, 1}, {"平均ｵｯｽﾞ"}, 3, {" 13.50"}},
           {11, 200, 2, {1, 2, 4, 5, 0, 2}, {"着順平均"}, 5, {" 2.0"}},
       }) {
    Check(e);
  }
}

// The mean speed index of the latest P2 runs with an index, on any surface
// and distance; larger is better.
TEST_F(HorseFactors, SpeedIndex) {
  Race(6, {{4, PastRun().Position(1).Index(120)}});
  Runs(0, {At(20240105).Index(80), At(20240205).Index(90)});
  Runs(1, {At(20240105).Index(100), At(20240205).Index(80), At(20240305).Index(90)});
  Runs(2, {At(20240105).Index(60), At(20240205).Index(95), At(20240305)});
  Runs(3, {At(20240105).Index(70)});
  Runs(5, {At(20240105).Index(110).Surface(enginetest::kDirt).Distance(2400)});
  Check({16, 0, 2, {2, 2, 4, 5, 0, 1}, {"指数平均"}, 2, {" 77.50"}});
}

// Popularity and position over the field, as the mean of the latest P2 runs
// with a figure, and the latest runs shown as figure/field. A run not
// finished has a popularity but no position.
class RelativeFactors : public HorseFactors {
 protected:
  void SetUp() override {
    HorseFactors::SetUp();
    Race(6, {{4, PastRun().Position(1).Popularity(1)}});
    auto run = [](int date, int position, int popularity, int field) {
      return At(date, position).Popularity(popularity).Field(field);
    };
    Runs(0, {run(20240105, 3, 3, 8), run(20240205, 1, 2, 8), run(20240305, 2, 1, 8),
             run(20240405, 0, 5, 8)});
    Runs(1, {run(20240105, 1, 1, 8), run(20240205, 2, 2, 8), run(20240305, 2, 2, 8),
             run(20240405, 2, 2, 8)});
    Runs(2, {run(20240105, 4, 4, 16), run(20240205, 2, 2, 16)});
    Runs(3, {run(20240105, 4, 2, 8)});
    Runs(5, {run(20240105, 6, 6, 8), run(20240205, 3, 7, 8)});
  }
};

TEST_F(RelativeFactors, LatestRunsOverTheField) {
  const Strings head = {"1走前", "2走前", "3走前", "4走前"};
  auto headings = [&](const char* first) {
    Strings h = {first};
    h.insert(h.end(), head.begin(), head.end());
    return h;
  };
  Check({7, 0, 3, {4, 2, 1, 2, 0, 5}, headings("人気/頭数平均"), 0,
         {" 0.33", " 5/ 8", " 1/ 8", " 2/ 8", ""}});
  Check({8, 0, 3, {2, 2, 1, 4, 0, 5}, headings("着順/頭数平均"), 0,
         {" 0.25", " 2/ 8", " 1/ 8", " 3/ 8", ""}});
}

// P2 999 takes every run, P2 1 the latest only, and P2 0 none.
TEST_F(RelativeFactors, CountLimitAtItsEnds) {
  EXPECT_EQ(Ranks(Evaluate(8, 0, 999)), (Ints{3, 2, 1, 4, 0, 5}));
  EXPECT_EQ(Ranks(Evaluate(8, 0, 1)), (Ints{2, 2, 1, 5, 0, 4}));
  EXPECT_EQ(Ranks(Evaluate(8, 0, 0)), Ints(6, 0));
}

// Placing scores over the runs in fields of the same size class as today's
// ten: 9 to 13 runners.
TEST_F(HorseFactors, PlacingInFieldsOfTheSameSize) {
  Race(10, {{4, PastRun().Position(1)}, {0, PastRun().Position(5)}});
  Runs(0, {At(20240105, 1).Field(9), At(20240205, 1).Field(8)});
  Runs(1, {At(20240105, 2).Field(13), At(20240205, 1).Field(14)});
  Runs(2, {At(20240105, 1).Field(10), At(20240205, 2).Field(12)});
  Runs(3, {At(20240105, 3).Field(11), At(20240205, 3).Field(9)});
  Runs(4, {At(20240105, 1).Field(16)});
  Runs(5, {At(20240105, 5).Field(10)});
  Check({33, 0, 0, {2, 3, 1, 3, 0, 5, 0, 0, 0, 0}, kCounts, 1, {"  0", "  1", "  0", "  0"}});
}

// Placing scores over the runs ridden by today's jockey.
TEST_F(HorseFactors, PlacingWithTodaysJockey) {
  Today today;
  today.run = true;
  for (int i = 0; i < 6; ++i) today.entries.push_back(Entry(H(i)).Jockey("0100" + std::to_string(i + 1)));
  today.entries[4].Ran(PastRun().Position(1));
  today.entries[0].Ran(PastRun().Position(5));
  SetToday(today);
  Runs(0, {At(20240105, 1).Jockey("01001"), At(20240205, 1).Jockey("01002")});
  Runs(1, {At(20240105, 2).Jockey("01002"), At(20240205, 2).Jockey("01002"), At(20240305, 1)});
  Runs(2, {At(20240105, 1).Jockey("01003"), At(20240205, 3).Jockey("01003")});
  Runs(3, {At(20240105, 3).Jockey("01004")});
  Runs(4, {At(20240105, 1).Jockey("01001")});
  Runs(5, {At(20240105, 0).Jockey("01006")});
  Check({36, 0, 0, {3, 1, 1, 4, 0, 5}, kCounts, 5, {"  0", "  0", "  0", "  1"}});
}

// Class points of the runs placed 1st to 3rd: by grade, then by the class
// field (open, and the money and win classes).
TEST_F(HorseFactors, ClassPoints) {
  Race(6, {{4, PastRun().Position(1)}, {0, PastRun().Position(5)}});
  Runs(0, {At(20240105, 2).Grade("0"), At(20240205, 1).Grade("2")});
  Runs(1, {At(20240105, 1).Grade("1"), At(20240205, 2).Class("00004")});
  Runs(2, {At(20240105, 1).Class("-0016"), At(20240205, 2).Class("10000"),
           At(20240305, 1).Class("-0005")});
  Runs(3, {At(20240105, 3).Class("16000"), At(20240205, 1), At(20240305, 4).Grade("0"),
           At(20240405, 1).Grade("3").Surface(enginetest::kJump)});
  Runs(4, {At(20240105, 5).Grade("0")});
  Runs(5, {At(20240105, 1)});
  Check({34, 0, 0, {1, 1, 4, 3, 0, 5}, kCounts, 2, {"  2", "  1", "  0", "  0"}});
}

// 穴馬期待度: per run q / (m × p), and 1 / (m − q + 1) for a win or half of
// it for a second, over every run, a run not finished included in the count.
TEST_F(HorseFactors, Longshot) {
  Race(6, {{4, PastRun().Position(1).Popularity(3)}});
  Runs(0, {At(20240105, 1).Popularity(5)});
  Runs(1, {At(20240105, 1).Popularity(5), At(20240205, 0).Popularity(3)});
  Runs(2, {At(20240105, 2).Popularity(4)});
  Runs(3, {At(20240105, 3).Popularity(9).Field(12)});
  Runs(5, {At(20240105, 1).Popularity(5), At(20240205, 1).Popularity(5)});
  Check({78, 0, 0, {1, 3, 4, 5, 0, 1}, {"穴馬期待度"}, 3, {"25.00"}});
}

// The card's marks (a run race keeps them on its card) and forecast odds:
// 消 ranks no runner on any factor.
TEST_F(HorseFactors, MarksAndForecastOdds) {
  Today today;
  today.run = true;
  const char* marks[6] = {"0", "1", "1", "", "9", "4"};
  const char* training[6] = {"1  ", " 4 ", "  4", "2  ", "", "3  "};
  const int odds[6] = {25, 40, 40, 100, 0, 55};
  for (int i = 0; i < 6; ++i) {
    today.entries.push_back(Entry(H(i)).Mark(marks[i]).Training(training[i]).Odds(odds[i]));
  }
  SetToday(today);
  Check({31, 0, 0, {1, 2, 2, 5, 0, 4}, {"予想印"}, 4, {"消"}});
  Check({38, 0, 0, {1, 2, 2, 4, 0, 5}, {"調教印"}, 1, {"$4"}});
  Check({37, 0, 0, {1, 2, 2, 5, 0, 4}, {"予想オッズ"}, 3, {"10.0"}});
}

}  // namespace
