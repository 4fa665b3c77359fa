// The factors of jockeys, trainers and sires, and the course draw, each on
// a hand-built race: exact ranks, columns, headings and texts, with decoy
// runs that change the ranks when a condition is dropped or off by one.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "db/api/ydbtest.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/theory/EngineWorld_test.h"

namespace {

using enginetest::Entry;
using enginetest::PastRun;
using enginetest::Today;
using V = std::vector<int>;
using S = std::vector<std::string>;

constexpr int kToday = 20240601;  // the fixture's race day: 中山, meeting 3, turf 1600 m

// Whose runs a factor reads.
enum class Who { kJockey, kTrainer, kSire };

// The conditions a factor puts on a run besides its period; each brings
// its decoy runs.
enum Cond : unsigned {
  kNone = 0,
  kSurface = 1u << 0,
  kRange = 1u << 1,     // distance within ± P1
  kCourse = 1u << 2,    // the racecourse
  kGoing = 1u << 3,
  kMeeting = 1u << 4,   // racecourse and meeting number
  kSeason = 1u << 5,
  kField = 1u << 6,     // field-size class
  kTrainer = 1u << 7,   // the ride's trainer is the runner's
};
constexpr unsigned kNear = kSurface | kRange;
constexpr unsigned kCourseNear = kSurface | kRange | kCourse;

// One factor of the shared shape. Runners 1 to 8 have the subjects A, B,
// C, D, B, E, G, F; their qualifying runs (finishing positions) are
//   A 1 1 4, B 2 3, C 1 0 (0: did not finish), D 3 6 7,
//   E 2 on the period's first day at today's distance - P1,
//   G 3 in the last days of summer at today's distance + P1,
// and F has only decoys, one for each condition broken (or off by one),
// plus a win the day before the period and one on the race day.
struct PeopleCase {
  int code, p1, p2;
  Who who;
  unsigned conds;
  V ranks;
  S headings;
  S text;  // runner 1's
};

void PrintTo(const PeopleCase& c, std::ostream* os) { *os << "factor " << c.code; }

// The ranks the shape gives under each rule ("placed": a run not finished
// is no start).
const V kWins = {1, 3, 2, 3, 3, 3, 3, 0};              // 勝率 and the win count
const V kTopTwo = {2, 3, 3, 6, 3, 1, 6, 0};            // 連対率
const V kTopThree = {5, 1, 6, 7, 1, 1, 1, 0};          // ３着内率
const V kScore = {1, 2, 4, 7, 2, 4, 6, 0};             // 3 × 1st + 2 × 2nd + 3rd − others
const V kAverage = {2, 4, 1, 7, 4, 2, 6, 0};           // average position, smaller first
const V kWinsPlaced = {2, 3, 1, 3, 3, 3, 3, 0};
const V kTopTwoPlaced = {3, 4, 1, 6, 4, 1, 6, 0};
const V kTopThreePlaced = {6, 1, 1, 7, 1, 1, 1, 0};

const S kCounts = {"１着", "２着", "３着", "着外"};
const S kCountsA = {"   2", "   0", "   0", "   1"};  // A: two wins and a 4th

// Headings and texts behind the trainer's or sire's name column.
S Named(const std::string& first, S rest) {
  rest.insert(rest.begin(), first);
  return rest;
}
const std::string kTrainerA = "T2011";  // the 8-byte name of trainer 02011
const std::string kSireA = "サイアーA";

// One row for each rule, display and condition a jockey's factor can take,
// and for trainers and sires one row of each rule and display, with the
// conditions their fetches change (the conditions themselves filter runs
// alike for all three).
const PeopleCase kCases[] = {
    // Jockeys: one row per runner.
    {22, 0, 12, Who::kJockey, kNone, kWins, kCounts, kCountsA},
    {25, 0, 12, Who::kJockey, kNear, kTopTwo, {"連対率"}, {"0.666"}},
    {26, 200, 12, Who::kJockey, kNear, kWins, {"勝率"}, {"0.666"}},
    {27, 0, 12, Who::kJockey, kCourseNear, kWins, kCounts, kCountsA},
    {42, 0, 12, Who::kJockey, kNear, kTopThree, {"３着内率"}, {"0.666"}},
    {46, 0, 24, Who::kJockey, kSeason, kScore, kCounts, kCountsA},
    {50, 0, 24, Who::kJockey, kMeeting, kScore, kCounts, kCountsA},
    {58, 0, 12, Who::kJockey, kField, kScore, kCounts, kCountsA},
    {59, 0, 12, Who::kJockey, kCourse, kAverage, {"着順平均"}, {" 2.0"}},
    {62, 0, 12, Who::kJockey, kGoing, kScore, kCounts, kCountsA},
    {67, 0, 12, Who::kJockey, kTrainer, kScore, Named("厩舎名", kCounts),
     Named("T2001", kCountsA)},
    {69, 200, 24, Who::kJockey, kCourseNear, kWins, {"勝率"}, {" 0.666"}},
    {71, 0, 24, Who::kJockey, kSurface, kWins, kCounts, kCountsA},
    {73, 200, 24, Who::kJockey, kNear, kWinsPlaced, {"勝率"}, {"0.666"}},
    {75, 200, 24, Who::kJockey, kNear, kTopTwoPlaced, {"連対率"}, {"0.666"}},
    {77, 200, 24, Who::kJockey, kNear, kTopThreePlaced, {"３着内率"}, {"0.666"}},
    // Trainers: one table per trainer, shared by its runners.
    {28, 0, 12, Who::kTrainer, kNone, kTopTwo, {"厩舎名", "連対率"}, {kTrainerA, " 0.666"}},
    {29, 0, 12, Who::kTrainer, kNone, kWins, Named("厩舎名", kCounts), Named(kTrainerA, kCountsA)},
    {51, 0, 24, Who::kTrainer, kMeeting, kScore, Named("厩舎名", kCounts), Named(kTrainerA, kCountsA)},
    {56, 200, 24, Who::kTrainer, kNear, kWins, {"厩舎名", "勝率"}, {kTrainerA, " 0.666"}},
    {60, 0, 12, Who::kTrainer, kCourse, kAverage, {"厩舎名", "着順平均"}, {kTrainerA, " 2.0"}},
    {70, 200, 24, Who::kTrainer, kCourseNear, kWins, {"厩舎名", "勝率"}, {kTrainerA, " 0.666"}},
    // Sires: one table per sire, shared by its offspring in the race.
    {19, 200, 24, Who::kSire, kNear, kWins, {"父馬", "勝率"}, {kSireA, " 0.666"}},
    {48, 0, 24, Who::kSire, kSeason, kScore, Named("父馬", kCounts), Named(kSireA, kCountsA)},
    {55, 0, 24, Who::kSire, kCourseNear, kWins, Named("父馬", kCounts), Named(kSireA, kCountsA)},
    {61, 0, 12, Who::kSire, kCourse, kAverage, {"父馬", "着順平均"}, {kSireA, " 2.0"}},
};

class PeopleWorld : public enginetest::EngineWorld {
 protected:
  // The code of subject k (0 A ... 6 F as below) of `who`.
  static std::string Subject(Who who, int k) {
    const std::string n = std::to_string(11 + k);
    switch (who) {
      case Who::kJockey: return "010" + n;
      case Who::kTrainer: return "020" + n;
      case Who::kSire: return "12000" + n;
    }
    return "";
  }

  // A run by subject `code` of `who` on `date` that meets every condition
  // of the shape: 中山 meeting 3, turf 1600 m, good going, eight runners
  // (and a jockey's ride is for 02001, today's trainer of every runner).
  static PastRun Ride(Who who, const std::string& code, int date, int position) {
    PastRun run;
    run.On(date).Kai(3);
    run.Field(8).Position(position);
    switch (who) {
      case Who::kJockey: run.Jockey(code).Trainer("02001"); break;
      case Who::kTrainer: run.Trainer(code); break;
      case Who::kSire: run.Sire(code); break;
    }
    return run;
  }

  // Today's eight runners with the subjects A, B, C, D, B, E, G, F, and the
  // runs of the shape for the case's parameters and conditions.
  void Lay(const PeopleCase& c) {
    enum { A, B, C, D, E, G, F };
    const Who who = c.who;
    auto s = [&](int k) { return Subject(who, k); };
    if (who == Who::kSire) {
      const char* names[] = {"サイアーA", "サイアーB", "サイアーC", "サイアーD",
                             "サイアーE", "サイアーG", "サイアーF"};
      for (int k = A; k <= F; ++k) Sire(s(k), names[k]);
    }
    const int from = YUtil::beforemonth(kToday, c.p2);
    AddRun(Ride(who, s(A), 20230610, 1));
    AddRun(Ride(who, s(A), 20230620, 1));
    AddRun(Ride(who, s(A), 20230701, 4));
    AddRun(Ride(who, s(B), 20230611, 2));
    AddRun(Ride(who, s(B), 20230712, 3));
    AddRun(Ride(who, s(C), 20230615, 1));
    AddRun(Ride(who, s(C), 20230715, 0));
    AddRun(Ride(who, s(D), 20230705, 3));
    AddRun(Ride(who, s(D), 20230720, 6));
    AddRun(Ride(who, s(D), 20230801, 7));
    AddRun(Ride(who, s(E), from, 2).Distance(1600 - c.p1));
    AddRun(Ride(who, s(G), 20230831, 3).Distance(1600 + c.p1));
    // F's decoys: each a win that fails one condition only.
    AddRun(Ride(who, s(F), YUtil::before1day(from), 1));
    AddRun(Ride(who, s(F), kToday, 1));
    if (c.conds & kSurface) {
      AddRun(Ride(who, s(F), 20230625, 1).Surface(enginetest::kDirt));
      AddRun(Ride(who, s(F), 20230624, 1).Surface(enginetest::kJump));  // a surface of its own
    }
    if (c.conds & kRange) {
      AddRun(Ride(who, s(F), 20230626, 1).Distance(1600 - c.p1 - 1));
      AddRun(Ride(who, s(F), 20230627, 1).Distance(1600 + c.p1 + 1));
    }
    if (c.conds & (kCourse | kMeeting)) AddRun(Ride(who, s(F), 20230628, 1).Place("06"));
    if (c.conds & kGoing) AddRun(Ride(who, s(F), 20230629, 1).Going("1"));
    if (c.conds & kMeeting) AddRun(Ride(who, s(F), 20230630, 1).Kai(2));
    if (c.conds & kSeason) {
      AddRun(Ride(who, s(F), 20230531, 1));  // spring
      AddRun(Ride(who, s(F), 20230901, 1));  // autumn
    }
    if (c.conds & kField) AddRun(Ride(who, s(F), 20230702, 1).Field(9));
    if (c.conds & kTrainer) AddRun(Ride(who, s(F), 20230703, 1).Trainer("02099"));

    Today today;
    const int subjects[] = {A, B, C, D, B, E, G, F};
    for (int i = 0; i < 8; ++i) {
      const std::string horse = "500000" + std::to_string(i + 1);
      Entry e(horse);
      const std::string code = s(subjects[i]);
      if (who == Who::kJockey) e.Jockey(code);
      if (who == Who::kTrainer) e.Trainer(code);
      if (who == Who::kSire) Horse(horse, code);
      today.entries.push_back(e);
    }
    SetToday(today);
  }
};

class PeopleFactor : public PeopleWorld, public ::testing::WithParamInterface<PeopleCase> {};

TEST_P(PeopleFactor, RanksTheRunnersOnTheQualifyingRunsOnly) {
  const PeopleCase& c = GetParam();
  Lay(c);
  Flush();
  ydb_test_reset_counts();
  const YTheoryResult& r = Evaluate(c.code, c.p1, c.p2);
  EXPECT_EQ(Ranks(r), c.ranks);
  EXPECT_EQ(r.columncount[0], static_cast<int>(c.headings.size()));
  EXPECT_EQ(Headings(r), c.headings);
  EXPECT_EQ(Texts(r, 0), c.text);
  EXPECT_EQ(Texts(r, 7), S(c.headings.size(), "")) << "no data, no texts";
  // A jockey's rides are fetched per runner; a trainer's or sire's runs
  // once for all its runners.
  switch (c.who) {
    case Who::kJockey:
      EXPECT_EQ(ydb_test_call_count("get_jockey_racey2code"), 8);
      break;
    case Who::kTrainer:
      EXPECT_EQ(ydb_test_call_count("get_stable_racey2code"), 7);
      break;
    case Who::kSire:
      EXPECT_EQ(ydb_test_call_count("get_sirecode_uma2code"), 8);
      EXPECT_EQ(ydb_test_call_count("get_sire_racey2code"), 7);
      break;
  }
  EXPECT_EQ(Texts(r, 1), Texts(r, 4)) << "runners 2 and 5 share their subject";
}

INSTANTIATE_TEST_SUITE_P(Factors, PeopleFactor, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PeopleCase>& p) {
                           return "Code" + std::to_string(p.param.code);
                         });

class PeopleShapes : public PeopleWorld {};

// 57 騎手枠順実績: rides from the runner's draw class today: numbers 1 and 2
// inner, the last two of that field outer, the rest middle.
TEST_F(PeopleShapes, JockeyDrawCountsRidesFromTodaysDrawClass) {
  struct Ride {
    int jockey, number, field, position;
  };
  // Runners 1 and 2 draw inner, 3 to 6 middle, 7 and 8 outer.
  const Ride rides[] = {
      {1, 1, 10, 1}, {1, 2, 10, 2}, {1, 3, 10, 1},   // the last a decoy: middle
      {2, 2, 8, 3},  {2, 5, 8, 1},                   // decoy: middle
      {3, 3, 10, 1}, {3, 8, 10, 2}, {3, 2, 10, 1}, {3, 9, 10, 1},  // decoys: inner, outer
      {4, 5, 10, 5},
      {6, 4, 10, 3},
      {7, 9, 10, 1}, {7, 8, 10, 1},                  // decoy: middle
      {8, 10, 10, 2}, {8, 1, 10, 1},                 // decoy: inner
  };
  int date = 20230610;
  for (const Ride& ride : rides) {
    AddRun(PastRun().Jockey("0102" + std::to_string(ride.jockey)).On(date++)
               .Field(ride.field).Number(ride.number).Position(ride.position));
  }
  // Runner 5's jockey won from its class only outside the period.
  AddRun(PastRun().Jockey("01025").On(20230531).Number(4));
  AddRun(PastRun().Jockey("01025").On(kToday).Kai(3).Number(4));
  Today today;
  for (int i = 1; i <= 8; ++i) {
    today.entries.push_back(Entry("510000" + std::to_string(i)).Jockey("0102" + std::to_string(i)));
  }
  SetToday(today);
  const YTheoryResult& r = Evaluate(57, 0, 12);
  EXPECT_EQ(Ranks(r), (V{1, 5, 1, 7, 0, 5, 3, 4}));
  EXPECT_EQ(Headings(r), kCounts);
  EXPECT_EQ(Texts(r, 0), (S{"   1", "   1", "   0", "   0"}));
}

// 66 騎手着順評価: the latest P2 rides of the last P2 months, by position ÷
// field; five columns.
TEST_F(PeopleShapes, JockeyRelativePositionTakesTheLatestRidesOfThePeriod) {
  struct Ride {
    int jockey, date, position, field;
  };
  const Ride rides[] = {
      {1, 20240501, 1, 10}, {1, 20240420, 2, 10}, {1, 20240410, 3, 10},
      {1, 20240405, 10, 10},                       // a fourth ride: past the limit of three
      {2, 20240301, 2, 10},                        // the period's first day
      {2, 20240229, 1, 10},                        // the day before
      {3, 20240515, 5, 10}, {3, 20240516, 0, 10},  // not finished: no position
      {3, kToday, 1, 10},                          // the race day (meeting 3)
      {4, 20240510, 3, 5},
      {6, 20240520, 1, 4},
  };
  for (const Ride& ride : rides) {
    AddRun(PastRun().Jockey("0103" + std::to_string(ride.jockey)).On(ride.date).Kai(3)
               .Field(ride.field).Position(ride.position));
  }
  Today today;
  for (int i = 1; i <= 6; ++i) {
    today.entries.push_back(Entry("520000" + std::to_string(i)).Jockey("0103" + std::to_string(i)));
  }
  SetToday(today);
  const YTheoryResult& r = Evaluate(66, 0, 3);
  // 0.2, 0.2, 0.5, 0.6, none, 0.25
  EXPECT_EQ(Ranks(r), (V{1, 1, 4, 5, 0, 3}));
  EXPECT_EQ(Headings(r), (S{"着順/頭数平均", "1走前", "2走前", "3走前", "4走前"}));
  EXPECT_EQ(Texts(r, 0), (S{" 0.20", " 1/10", " 2/10", " 3/10", ""}));
  EXPECT_EQ(Texts(r, 3), (S{" 0.60", " 3/ 5", "", "", ""}));
}

// 21 血統: points of the offspring's places in graded and open races.
TEST_F(PeopleShapes, SireGradePointsCountPlacesInGradedAndOpenRaces) {
  enum { A, B, C, D, E, F, G };
  const char* names[] = {"サイアーA", "サイアーB", "サイアーC", "サイアーD",
                         "サイアーE", "サイアーF", "サイアーG"};
  auto sire = [](int k) { return "13000" + std::to_string(11 + k); };
  for (int k = A; k <= G; ++k) Sire(sire(k), names[k]);
  auto run = [&](int k, int date, int position) {
    return PastRun().Sire(sire(k)).On(date).Position(position);
  };
  AddRun(run(A, 20230610, 1).Grade("0"));                  // G1 1st: 10
  AddRun(run(B, 20230611, 1).Grade("2"));                  // G3 1st: 4
  AddRun(run(B, 20230612, 3).Class("00004"));              // open 3rd: 0
  AddRun(run(B, 20230613, 3).Grade("1"));                  // G2 3rd: 2
  AddRun(run(C, 20230614, 1).Grade("1"));                  // G2 1st: 6
  AddRun(run(D, 20230615, 2).Class("00004"));              // open 2nd: 1
  AddRun(run(D, 20230616, 4).Grade("0"));                  // G1 4th: nothing
  AddRun(run(E, 20220531, 1).Grade("0"));                  // the day before the period
  AddRun(run(E, kToday, 1).Grade("0").Kai(3));             // the race day
  AddRun(run(F, 20230617, 1));                             // no grade, no open class
  AddRun(run(G, 20220601, 1).Grade("0"));                  // the period's first day: 10
  Today today;
  const int sires[] = {A, B, C, D, B, E, F, G};
  for (int i = 0; i < 8; ++i) {
    const std::string horse = "530000" + std::to_string(i + 1);
    Horse(horse, sire(sires[i]));
    today.entries.push_back(Entry(horse));
  }
  SetToday(today);
  const YTheoryResult& r = Evaluate(21, 0, 24);
  EXPECT_EQ(Ranks(r), (V{1, 3, 3, 6, 3, 0, 0, 1}));
  EXPECT_EQ(Headings(r), (S{"父馬"}));
  EXPECT_EQ(Texts(r, 0), (S{"サイアーA"}));
  EXPECT_EQ(Texts(r, 5), (S{""}));
}

// 30 コース出目: places by horse number over today's course in the period.
TEST_F(PeopleShapes, CourseDrawCountsPlacesByHorseNumberOverTheCourse) {
  // A run's horse finishes at its number; the fillers take the other places
  // in number order.
  auto race = [](int date, int number, int position) {
    return PastRun().On(date).Field(8).Number(number).Position(position);
  };
  AddRun(race(20230610, 3, 1));             // 3, 1, 2
  AddRun(race(20220601, 5, 1));             // the period's first day: 5, 1, 2
  AddRun(race(20230810, 10, 4).Field(10));  // 1, 2, 3; number 10 is beyond the field
  // Decoys, each won by number 6 (then 1, 2).
  AddRun(race(20220531, 6, 1));             // the day before the period
  AddRun(race(kToday, 6, 1).Kai(3));        // the race day
  AddRun(race(20230620, 6, 1).Surface(enginetest::kDirt));
  AddRun(race(20230621, 6, 1).Distance(1800));
  AddRun(race(20230622, 6, 1).Place("06"));
  Today today;
  for (int i = 1; i <= 8; ++i) {
    Entry e("540000" + std::to_string(i));
    if (i == 8) e.Mark("9");  // 消
    today.entries.push_back(e);
  }
  SetToday(today);
  const YTheoryResult& r = Evaluate(30, 0, 24);
  // Scores 7, 4, 4, 0, 3, 0, 0 and 消.
  EXPECT_EQ(Ranks(r), (V{1, 2, 2, 5, 4, 5, 5, 0}));
  EXPECT_EQ(Headings(r), (S{"１着", "２着", "３着"}));
  EXPECT_EQ(Texts(r, 0), (S{"  1", "  2", "  0"}));
  EXPECT_EQ(Texts(r, 5), (S{"  0", "  0", "  0"}));
}

}  // namespace
