// Result totals: the small three-race world totalled by every category
// against counts worked out by hand; the bands' bounds, the class of a run,
// the result codes and the filter on hand-made runner records; the rates
// against the race totals'; the callback; the run as a horse-in-race; bad
// indices and a failing fetch.
#include "ydbcln/money/YResultTotal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/Sjis.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchRaceHorse.h"

namespace {

using ytest::Sjis;

// The small world's three races at 中山 (20231228, 20240106, 20240120):
// horses 1 to 8 finish in number order in each, at popularity = place and
// win odds 2.0 + 1.5 × place; horse 9 was scratched from the first two
// (result code 34). Odd numbers ride with 01002 (高橋三郎), even with
// 01001 (鈴木次郎). 1700 m of dirt, 稍重, pace M, an open race.
class ResultTotalWorld : public racetest::RaceStore {
 protected:
  void SetUp() override {
    RaceStore::SetUp();
    Write(ytest::MakeThreeRaceWorld());
    _tagYDetailRaceInfo info{};
    info.period = {20231201, 20240131, 1023, 0};
    ASSERT_EQ(races_.setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
  }

  YSearchDetailRace races_{&db_};
};

struct Row {
  int category;
  int index;      // -1: the category's last row
  const char* name;  // UTF-8
  int first, second, third, unplaced;
};

TEST_F(ResultTotalWorld, EveryCategoryCountsTheRunsThatStarted) {
  YResultTotal total(&db_);
  ASSERT_EQ(total.setcondition(&races_), 0);
  EXPECT_EQ(total.getracehorsecount(), 26) << "9 + 9 + 8 runs, the scratched ones too";
  ASSERT_EQ(total.gethorsecount(), 9);
  EXPECT_EQ(total.gethorse(0)->key, "2020011");
  EXPECT_EQ(total.gethorse(8)->name, Sjis("ランナー9"));

  // category, row, name, then firsts, seconds, thirds, unplaced: the rows
  // keyed by a horse, a person, a month, a track and distance and the pace
  // (the bands' rows are checked bound by bound on hand-made runs below).
  const std::vector<Row> rows = {
      {0, 7, "ランナー8", 0, 0, 0, 3},
      {1, 0, "オールドキング", 3, 3, 3, 15},  {2, 0, "ノーザンスター", 3, 3, 3, 15},
      {3, 0, "高橋三郎", 3, 0, 3, 6},  {3, 1, "鈴木次郎", 0, 3, 0, 9},
      {4, 0, "佐藤一郎", 3, 3, 3, 15},
      {11, 0, "1月", 2, 2, 2, 10},     {11, 11, "12月", 1, 1, 1, 5},
      {12, 16, "中山ダ", 3, 3, 3, 15},
      {13, 0, "ダ1700m", 3, 3, 3, 15}, {14, 0, "中山ダ1700m", 3, 3, 3, 15},
      {16, 1, "Ｍ", 3, 3, 3, 15},
  };
  const int row_counts[YResultTotal::kCategories] = {8, 1, 1, 2, 1, 18, 13, 4, 9, 19, 12,
                                                     12, 33, 1, 1, 9, 3, 12, 22, 10, 13};
  for (int category = 0; category < YResultTotal::kCategories; ++category) {
    ASSERT_EQ(total.exec(category), 0) << category;
    EXPECT_EQ(total.getresultcount(), row_counts[category]) << category;
    int runs = 0;
    for (int i = 0; i < total.getresultcount(); ++i) runs += total.getresult(i)->runs;
    if (category != 7) {
      EXPECT_EQ(runs, 24) << category << ": every run that started, once";
    }
  }
  for (const Row& r : rows) {
    ASSERT_EQ(total.exec(r.category), 0);
    const YResultTotalRec* got = total.getresult(r.index);
    ASSERT_NE(got, nullptr) << r.name;
    EXPECT_EQ(got->name, Sjis(r.name)) << r.category << "/" << r.index;
    EXPECT_EQ(got->first, r.first) << r.name;
    EXPECT_EQ(got->second, r.second) << r.name;
    EXPECT_EQ(got->third, r.third) << r.name;
    EXPECT_EQ(got->unplaced, r.unplaced) << r.name;
    EXPECT_EQ(got->runs, r.first + r.second + r.third + r.unplaced) << r.name;
  }
  // Keys: the track and distance, the course and distance.
  total.exec(13);
  EXPECT_EQ(total.getresult(0)->key, "11700");
  total.exec(14);
  EXPECT_EQ(total.getresult(0)->key, "0511700");
}

TEST_F(ResultTotalWorld, RatesAndTheWinReturnOfARow) {
  YResultTotal total(&db_);
  ASSERT_EQ(total.setcondition(&races_), 0);
  ASSERT_EQ(total.exec(3), 0);  // 高橋三郎: 3 wins at 3.5, 3 thirds, 6 unplaced
  const YResultTotalRec* odd = total.getresult(0);
  EXPECT_EQ(odd->winrate, 250);
  EXPECT_EQ(odd->renrate, 250);
  EXPECT_EQ(odd->fukurate, 500);
  EXPECT_EQ(odd->returnrate, 875) << "3 × 350 yen back on 1,200 staked";
  EXPECT_EQ(total.getresult(1)->returnrate, 0);
  // The filter (tested field by field on hand-made runs below): turf only.
  total.setfilter(0, 0, -1, 0, 0, YResultTotal::kEveryClass, 0x1);
  total.exec(11);
  EXPECT_EQ(total.getresult(0)->runs, 0);
  // The filter stays for the next set of runs.
  ASSERT_EQ(total.setcondition(&races_), 0);
  total.exec(11);
  EXPECT_EQ(total.getresult(0)->runs, 0);
}

TEST_F(ResultTotalWorld, TheRunsOfAHorseRunSearchAndARunAsAHorseInRace) {
  YSearchRaceHorse runs(&db_);
  runs.addparam(races_.getparam());
  ASSERT_EQ(runs.search(3), 6) << "the first two of each race";
  YResultTotal total(&db_);
  ASSERT_EQ(total.setcondition(&runs), 0);
  ASSERT_EQ(total.exec(9), 0);
  EXPECT_EQ(total.getresult(1)->second, 3);
  EXPECT_EQ(total.getresult(2)->runs, 0);

  YRaceHorse run(&db_);
  ASSERT_TRUE(total.race(1, run));
  EXPECT_EQ(run.racecode, "052023122811");
  EXPECT_EQ(run.horseno, 2);
  EXPECT_FALSE(total.race(6, run));
}

TEST_F(ResultTotalWorld, BadInputAndAFailingFetch) {
  YResultTotal total(&db_);
  std::string name = "x", title = "x";
  total.getcategoryname(-1, name, title);
  EXPECT_TRUE(name.empty() && title.empty());
  ASSERT_EQ(total.setcondition(&races_), 0);
  ASSERT_EQ(total.exec(5), 0);
  EXPECT_EQ(total.exec(21), -1);
  EXPECT_EQ(total.getresultcount(), 0);
  EXPECT_EQ(total.getresult(0), nullptr);
  EXPECT_EQ(total.getracehorse(26), nullptr);
  YSearchDetailRace none(&db_);
  EXPECT_EQ(total.setcondition(&none), -1) << "a search without a command";
  EXPECT_EQ(total.getracehorsecount(), 26) << "changes nothing";
  EXPECT_EQ(total.setcondition(static_cast<YSearchRaceHorse*>(nullptr)), -1);

  ydb_test_fail("get_race2cmd_sp2");
  db_.clearerror();
  EXPECT_EQ(total.setcondition(&races_), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(total.getracehorsecount(), 0);
  EXPECT_FALSE(db_.is_resulttotal()) << "the bracket is closed after a failure";
}

// Runner result records made by hand, each field set where the record
// holds it; the rest blank.
class Runs : public ::testing::Test {
 protected:
  struct Fields {
    int popularity = 1, odds = 35, finish = 1, code = 0, frame = 1, number = 1;
    const char* age = "04";
    char sex = '0';
    int date = 20240106;
    const char* conditions = "00004";
    char grade = ' ';
    char kind = '4';
    char track = '1';
    const char* bodyweight = "480";
    const char* change = "+02";
    int carried = 570;
    char going = '0';
  };

  static _tagRACERHREC Record(const Fields& f) {
    _tagRACERHREC r;
    std::memset(r.bytes, ' ', sizeof r.bytes);
    auto put = [&](int at, const std::string& text) {
      std::memcpy(r.bytes + at, text.data(), text.size());
    };
    auto num = [&](int at, int width, int value) {
      std::string text = std::to_string(value);
      put(at, std::string(static_cast<std::size_t>(width) - text.size(), '0') + text);
    };
    using namespace racerhrec;
    put(kRaceCode, "05");
    num(kRaceCode + 2, 8, f.date);
    put(kRaceCode + 10, "11");
    r.bytes[kGrade] = static_cast<unsigned char>(f.grade);
    r.bytes[kRaceKind] = static_cast<unsigned char>(f.kind);
    put(kConditions, f.conditions);
    r.bytes[kTrack] = static_cast<unsigned char>(f.track);
    num(kDistance, 4, 1600);
    num(kRunnerCount, 2, 16);
    r.bytes[kGoing] = static_cast<unsigned char>(f.going);
    if (f.frame > 0) r.bytes[kBracketNumber] = static_cast<unsigned char>('0' + f.frame);
    num(kHorseNumber, 2, f.number);
    put(kHorseCode, "2020011");
    r.bytes[kSex] = static_cast<unsigned char>(f.sex);
    put(kAge, f.age);
    num(kWeightCarried, 3, f.carried);
    put(kBodyWeight, f.bodyweight);
    put(kBodyWeightChange, f.change);
    num(kPopularity, 2, f.popularity);
    num(kWinOdds, 5, f.odds);
    num(kFinishingOrder, 2, f.finish);
    if (f.code != 0) num(kAccident, 2, f.code);
    return r;
  }

  // The row of `category` that the one run of `f` counts in; -1 for none.
  static int RowOf(int category, const Fields& f) {
    struct One : YResultTotal {
      explicit One(_tagRACERHREC record) : YResultTotal(nullptr) { setracehorse(&record, 1); }
    } total(Record(f));
    total.exec(category);
    for (int i = 0; i < total.getresultcount(); ++i) {
      if (total.getresult(i)->runs > 0) return i;
    }
    return -1;
  }
};

TEST_F(Runs, EachBandBoundFallsInItsRow) {
  struct Case {
    int category;
    Fields f;
    int row;
  };
  auto with = [](auto change) {
    Fields f;
    change(f);
    return f;
  };
  const std::vector<Case> cases = {
      {6, with([](Fields& f) { f.odds = 14; }), 0},
      {6, with([](Fields& f) { f.odds = 15; }), 1},
      {6, with([](Fields& f) { f.odds = 999; }), 11},
      {6, with([](Fields& f) { f.odds = 1000; }), 12},
      {5, with([](Fields& f) { f.popularity = 18; }), 17},
      {5, with([](Fields& f) { f.popularity = 19; }), -1},
      {5, with([](Fields& f) { f.popularity = 0; }), -1},
      {19, with([](Fields& f) { f.change = "+03"; }), 4},
      {19, with([](Fields& f) { f.change = "+04"; }), 3},
      {19, with([](Fields& f) { f.change = "-04"; }), 5},
      {19, with([](Fields& f) { f.change = "-19"; }), 7},
      {19, with([](Fields& f) { f.change = "-20"; }), 8},
      {19, with([](Fields& f) { f.change = "   "; }), 9},
      {18, with([](Fields& f) { f.bodyweight = "399"; }), 0},
      {18, with([](Fields& f) { f.bodyweight = "400"; }), 1},
      {18, with([](Fields& f) { f.bodyweight = "599"; }), 20},
      {18, with([](Fields& f) { f.bodyweight = "600"; }), 21},
      {20, with([](Fields& f) { f.carried = 600; }), 12},
      {20, with([](Fields& f) { f.carried = 475; }), -1},
      {20, with([](Fields& f) { f.carried = 480; }), 0},
      // A two-year-old filly of 2002 (three the older way), and one of 2000.
      {10, with([](Fields& f) { f.age = "02"; f.sex = '1'; f.date = 20020601; }), 1},
      {10, with([](Fields& f) { f.age = "03"; f.sex = '1'; f.date = 20000601; }), 1},
      {10, with([](Fields& f) { f.age = "09"; f.sex = '2'; }), 10},
      {8, with([](Fields& f) { f.frame = 0; }), 8},
      {9, with([](Fields& f) { f.number = 0; }), 18},
      {17, with([](Fields& f) { f.going = ' '; }), -1},
      {17, with([](Fields& f) { f.kind = '0'; f.going = '3'; }), 11},
      {12, with([](Fields& f) { f.kind = '0'; }), 17},
      // Classes: a win class by the prize limit it replaced; grades first.
      {15, with([](Fields& f) { f.conditions = "-0005"; }), 6},
      {15, with([](Fields& f) { f.conditions = "-0010"; }), 4},
      {15, with([](Fields& f) { f.conditions = "09000"; }), 5},
      {15, with([](Fields& f) { f.conditions = "00001"; }), 8},
      {15, with([](Fields& f) { f.conditions = "00003"; }), 7},
      {15, with([](Fields& f) { f.conditions = "00999"; }), -1},
      {15, with([](Fields& f) { f.grade = '4'; }), 1},
      {15, with([](Fields& f) { f.grade = '2'; }), 2},
      // Result codes: 34 and 35 nowhere; 32 and 33 unplaced; 36 as placed.
      {5, with([](Fields& f) { f.code = 34; }), -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RowOf(c.category, c.f), c.row)
        << "category " << c.category << ", case " << (&c - cases.data());
  }
}

TEST_F(Runs, ResultCodesAndTheFilter) {
  struct Many : YResultTotal {
    explicit Many(std::vector<_tagRACERHREC> records) : YResultTotal(nullptr) {
      setracehorse(records.data(), static_cast<int>(records.size()));
    }
  };
  Fields stopped, pulled, demoted, young, old, g1;
  stopped.finish = 0; stopped.code = 33;
  pulled.finish = 0; pulled.code = 32;
  demoted.finish = 3; demoted.code = 36;
  young.age = "02"; young.popularity = 2; young.odds = 50;
  old.age = "11"; old.popularity = 12; old.odds = 900;
  g1.grade = '3'; g1.track = '0';
  Many total({Record(stopped), Record(pulled), Record(demoted), Record(young), Record(old),
              Record(g1)});
  ASSERT_EQ(total.exec(16), 0);  // one pace row holds them all
  const YResultTotalRec* all = total.getresult(0);
  EXPECT_EQ(all->first, 3);
  EXPECT_EQ(all->third, 1);
  EXPECT_EQ(all->unplaced, 2);

  struct Filter {
    int minpop, maxpop, agemask, minodds, maxodds, classmask, trackmask;
    int runs;
  };
  const Filter filters[] = {
      {0, 0, -1, 0, 0, 0x1FF, 0x7, 6},
      {2, 12, -1, 0, 0, 0x1FF, 0x7, 2},   // young and old
      {0, 0, 1 << 0, 0, 0, 0x1FF, 0x7, 1},  // three the older way
      {0, 0, 1 << 7, 0, 0, 0x1FF, 0x7, 1},  // above nine
      {0, 0, -1, 40, 900, 0x1FF, 0x7, 2},
      {0, 0, -1, 0, 0, 0x0FF, 0x7, 5},    // not G1
      {0, 0, -1, 0, 0, 1 << 8, 0x7, 1},   // G1 only
      {0, 0, -1, 0, 0, 0x1FF, 0x2, 1},    // dirt only
  };
  for (const Filter& f : filters) {
    total.setfilter(f.minpop, f.maxpop, f.agemask, f.minodds, f.maxodds, f.classmask,
                    f.trackmask);
    total.exec(16);
    EXPECT_EQ(total.getresult(0)->runs, f.runs) << "filter " << (&f - filters);
  }
}

TEST(ResultTotalRates, EqualTheRaceTotalsRatesForEveryCountUpTo2000) {
  int mismatches = 0;
  for (int runs = 1; runs <= 2000; ++runs) {
    for (int x = 0; x <= runs; ++x) {
      int row[4] = {x, 0, 0, runs - x};
      if (YResultTotalRec::ratio(x, runs) != YRaceTotal::calc_win(row)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(YResultTotalRec::ratio(1, 3), 333);
  EXPECT_EQ(YResultTotalRec::ratio(2, 3), 667);
}

int stop_after_three(int i, int, const char*) { return i < 3 ? 1 : 0; }

TEST_F(ResultTotalWorld, ACallbackAnswering0StopsWithTheRowsCountedSoFar) {
  YResultTotal total(&db_);
  ASSERT_EQ(total.setcondition(&races_), 0);
  total.setcallback(stop_after_three);
  EXPECT_EQ(total.exec(0), 1);
  ASSERT_EQ(total.getresultcount(), 3);
  EXPECT_EQ(total.getresult(0)->winrate, 1000) << "the rows counted are rated";
  EXPECT_EQ(total.exec(5), 1);
  EXPECT_EQ(total.getresult(2)->runs, 1);
  EXPECT_EQ(total.getresult(3)->runs, 0);
  total.setcallback(nullptr);
  EXPECT_EQ(total.exec(0), 0);
}

}  // namespace
