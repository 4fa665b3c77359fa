// The past-run and sire-code records against a written store: a horse's
// runs with every field at the offset its readers use, the scratched rule,
// the date order, the inclusive ranges of the jockey, sire and course
// fetches, a race's entries, and the query plans that keep each
// fetch one range of the filed records and each filing one index range.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/PastRunRenderer.h"
#include "db/render/RenderWorld_test.h"
#include "db/render/SireCodeRenderer.h"
#include "db/render/StoredPastRuns.h"

namespace ydb {
namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;
using ytest::Sjis;

// The horse whose runs are followed: runner 1 of the small world's race.
constexpr char kHorse[] = "2020011";

const RaceKey kScratchRace{"05", 20231203, 2};   // the horse withdrawn, another excluded
const RaceKey kFallRace{"06", 20231210, 4};      // a jump race: the horse falls
const RaceKey kOtherCourseRace{"06", 20231210, 5};  // dirt 1700 at another racecourse
const RaceKey kCourseRace{"05", 20231217, 3};    // dirt 1700, as the small world's race
const RaceKey kLongerRace{"05", 20231217, 4};    // dirt 1800
const RaceKey kTurfCourseRace{"05", 20231217, 5};  // turf 1700
const RaceKey kTurfRace{"05", 20231224, 11};     // the horse second, every field set
const RaceKey kCardRace{"05", 20240113, 11};     // not yet run

// A run race of `horses` in number order, all ridden by jockey 01002.
Race TestRace(const RaceKey& key, int kai, int kai_day, const std::vector<std::string>& horses) {
  Race race = ytest::PlainRace(key, kai, kai_day, horses, true);
  for (Runner& r : race.runners) r.jockey_code = "01002";
  return race;
}

RunnerResult Accident(const std::string& code) {
  RunnerResult x;
  x.accident_code = code;
  return x;
}

Race DirtRace(const RaceKey& key, int kai, int kai_day, const std::vector<std::string>& horses,
              int distance) {
  Race race = TestRace(key, kai, kai_day, horses);
  race.track_code = "0";
  race.distance = distance;
  return race;
}

Batch PastRunWorld() {
  Batch b = ytest::MakeWorld();
  for (int i = 1; i <= 4; ++i) {
    Horse h = ytest::MakeHorse(ytest::ExtraHorse(i), "ホカノウマ" + std::to_string(i), "1");
    b.horses.push_back(h);
  }
  // A sire known by its code only: the name comes from its own horse row.
  b.horses.back().pedigree[kSire] = {"1990002", "", "", true, "", 0};

  Race scratch = TestRace(kScratchRace, 5, 1, {kHorse, "2020015", "2020016"});
  scratch.runners[0].jockey_code = "01001";
  scratch.runners[0].result = Accident("34");
  scratch.runners[1].result = Accident("35");
  scratch.runners[2].result->finish_pos = 1;
  scratch.runners[2].result->arrival_order = 1;

  Race fall = TestRace(kFallRace, 4, 2, {kHorse, "2020014"});
  fall.race_kind = "0";
  fall.class_code = "-0005";
  fall.distance = 3000;
  RunnerResult fell = Accident("31");
  fell.popularity = 2;
  fell.win_odds = 55;
  fall.runners[0].result = fell;
  fall.runners[1].result->finish_pos = 1;
  fall.runners[1].result->arrival_order = 1;

  Race course = DirtRace(kCourseRace, 5, 5, {"2020017", "2020018", "2020019"}, 1700);
  course.runners[2].result = Accident("35");

  Race turf = TestRace(kTurfRace, 5, 8, {"2020012", kHorse, "2020013", "2020015", "2020016"});
  turf.grade = "2";
  turf.class_code = "00004";
  turf.distance = 2000;
  turf.going = "2";
  Runner& run = turf.runners[1];
  run.jockey_code = "01001";
  run.weight_carried = 545;
  run.prediction_mark = "2";
  RunnerResult& x = *run.result;
  x.time = 1234;
  x.margin_time = 3;
  x.first_600 = 352;
  x.last_600 = 341;
  x.popularity = 4;
  x.win_odds = 123;
  x.speed_index = 87;

  // Races by date out of order, so that the order is the fetch's.
  b.races.push_back(turf);
  b.races.push_back(ytest::PlainRace(kCardRace, 1, 3, {kHorse, "2020012"}, false));
  b.races.push_back(course);
  b.races.push_back(DirtRace(kLongerRace, 5, 5, {ytest::ExtraHorse(1)}, 1800));
  Race turf_course = TestRace(kTurfCourseRace, 5, 5, {ytest::ExtraHorse(2)});
  turf_course.distance = 1700;
  b.races.push_back(turf_course);
  b.races.push_back(DirtRace(kOtherCourseRace, 4, 2, {ytest::ExtraHorse(3)}, 1700));
  b.races.push_back(fall);
  b.races.push_back(scratch);
  return b;
}

class PastRunRecordsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ytest::TempDir();
    Status s = Database::Open(dir_->str() + "/runs.db", Database::Mode::kOpenOrCreate, &db_);
    if (s.ok()) s = Writer(*db_).write(PastRunWorld());
    failure_ = s.ok() ? "" : s.message();
  }
  static void TearDownTestSuite() {
    db_.reset();
    delete dir_;
  }
  void SetUp() override { ASSERT_TRUE(failure_.empty()) << failure_; }

  void HorseRuns(const std::string& horse, Records* out) {
    const Status s = RenderHorseRuns(*db_, horse, out->out());
    ASSERT_TRUE(s.ok()) << s.message();
  }
  void RunsOf(ydb::RunsOf who, const std::string& code, int from, int to, Records* out) {
    const Status s = RenderRunsOf(*db_, who, code, from, to, out->out());
    ASSERT_TRUE(s.ok()) << s.message();
  }
  void CourseRuns(const std::string& surface, int distance, int from, int to, Records* out) {
    const Status s = RenderCourseRuns(*db_, "05", surface, distance, from, to, out->out());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // Racecourse and date, then horse number, of each record.
  static std::vector<std::string> Keys(const Records& records) {
    std::vector<std::string> keys;
    for (int i = 0; i < records.count(); ++i) {
      const std::string r = records[i];
      keys.push_back(At(r, 0, 10) + "/" + At(r, 39, 2));
    }
    return keys;
  }

  static ytest::TempDir* dir_;
  static std::unique_ptr<Database> db_;
  static std::string failure_;
};

ytest::TempDir* PastRunRecordsTest::dir_ = nullptr;
std::unique_ptr<Database> PastRunRecordsTest::db_;
std::string PastRunRecordsTest::failure_;

// --- A horse's runs ------------------------------------------------------------

TEST_F(PastRunRecordsTest, EveryFieldOfARunAtTheOffsetItsReadersUse) {
  Records runs;
  HorseRuns(kHorse, &runs);
  ASSERT_EQ(runs.count(), 3);
  const std::string r = runs[1];
  ASSERT_EQ(r.size(), 94u);
  ASSERT_EQ(PastRunLayout().size(), kPastRunBytes);  // the size the buckets file
  EXPECT_EQ(At(r, 0, 2), "05");
  EXPECT_EQ(At(r, 2, 8), "20231224");
  EXPECT_EQ(At(r, 16, 2), "05");      // meeting
  EXPECT_EQ(r[20], '0');              // flat
  EXPECT_EQ(r[21], '2');              // grade
  EXPECT_EQ(At(r, 22, 5), "00004");   // class
  EXPECT_EQ(r[27], '1');              // turf
  EXPECT_EQ(At(r, 31, 4), "2000");
  EXPECT_EQ(At(r, 35, 2), "05");      // runners
  EXPECT_EQ(r[37], '2');              // going
  EXPECT_EQ(r[38], '2');              // frame
  EXPECT_EQ(At(r, 39, 2), "02");      // horse number, course-draw reader
  EXPECT_EQ(At(r, 41, 2), "02");      // horse number, run rows
  EXPECT_EQ(At(r, 50, 3), "545");
  EXPECT_EQ(At(r, 53, 3), "087");     // index
  EXPECT_EQ(At(r, 56, 5), "01001");
  EXPECT_EQ(At(r, 61, 5), "02001");
  EXPECT_EQ(r[66], '2');              // prediction mark
  EXPECT_EQ(At(r, 67, 2), "04");
  EXPECT_EQ(At(r, 69, 5), "00123");
  EXPECT_EQ(At(r, 74, 2), "02");      // position
  EXPECT_EQ(At(r, 78, 2), "02");      // arrival order
  EXPECT_EQ(At(r, 80, 4), "2034");    // 2:03.4
  EXPECT_EQ(At(r, 84, 3), "003");
  EXPECT_EQ(At(r, 87, 3), "352");
  EXPECT_EQ(At(r, 90, 3), "341");
  for (const ByteRange& gap : PastRunLayout().gaps()) {
    EXPECT_EQ(At(r, gap.offset, gap.width), Blanks(gap.width)) << "gap at " << gap.offset;
  }
}

TEST_F(PastRunRecordsTest, RunsAscendByDateWithoutScratchedOrUnrunEntries) {
  Records runs;
  HorseRuns(kHorse, &runs);
  // Withdrawn on 20231203 and on the card of 20240113: not runs.
  EXPECT_EQ(Keys(runs), (std::vector<std::string>{"0620231210/01", "0520231224/02",
                                                  "0520240106/01"}));
  // The fall in the jump race: position 0, no time, margin none.
  const std::string fall = runs[0];
  EXPECT_EQ(At(fall, 20, 7), "1 -0005");  // a jump race, its class
  EXPECT_EQ(At(fall, 74, 2), "00");
  EXPECT_EQ(At(fall, 67, 7), "0200055");
  EXPECT_EQ(At(fall, 80, 4), Blanks(4));
  EXPECT_EQ(At(fall, 84, 3), "998");

  Records none;
  HorseRuns(ytest::ExtraHorse(4), &none);  // a horse that never ran
  EXPECT_EQ(none.count(), 0);
}

// --- Runs of a jockey, a trainer, a sire ---------------------------------------------

TEST_F(PastRunRecordsTest, JockeyRidesOfAnInclusiveRangeInDateAndRaceOrder) {
  Records rides;
  RunsOf(RunsOf::kJockey, "01001", 20231224, 20240106, &rides);
  // The small world's race rides the even numbers with 01001.
  EXPECT_EQ(Keys(rides), (std::vector<std::string>{"0520231224/02", "0520240106/02",
                                                   "0520240106/04", "0520240106/06",
                                                   "0520240106/08"}));
  // The withdrawn ride of 20231203 is no ride.
  RunsOf(RunsOf::kJockey, "01001", 20231201, 20231223, &rides);
  EXPECT_EQ(rides.count(), 0);
}

TEST_F(PastRunRecordsTest, EntityRecordsFillTheFieldsTheirBucketsKeep) {
  Records rides;
  RunsOf(RunsOf::kJockey, "01001", 20231224, 20231224, &rides);
  ASSERT_EQ(rides.count(), 1);
  const std::string r = rides[0];
  EXPECT_EQ(At(r, 16, 2), "05");
  EXPECT_EQ(At(r, 20, 8), "0200004" "1");
  EXPECT_EQ(At(r, 31, 7), "2000" "05" "2");
  EXPECT_EQ(At(r, 39, 4), "0202");
  EXPECT_EQ(At(r, 56, 10), "01001" "02001");
  EXPECT_EQ(At(r, 67, 9), "04" "00123" "02");
  // Not kept for a jockey, so blank: frame, weight, index, mark, arrival, times.
  EXPECT_EQ(r[38], ' ');
  EXPECT_EQ(At(r, 50, 6), Blanks(6));
  EXPECT_EQ(r[66], ' ');
  EXPECT_EQ(At(r, 78, 15), Blanks(15));

  Records offspring;
  RunsOf(RunsOf::kSire, "1990001", 20231224, 20231224, &offspring);
  ASSERT_EQ(offspring.count(), 5);  // every runner of the turf race
  const std::string o = offspring[1];
  EXPECT_EQ(At(o, 21, 6), "200004");
  EXPECT_EQ(At(o, 74, 2), "02");
  EXPECT_EQ(At(o, 56, 10), Blanks(10));  // a sire's runs have no jockey or trainer
  // 20231217: the course race's two starters; the decoys' horses have no sire.
  RunsOf(RunsOf::kSire, "1990001", 20231217, 20231217, &offspring);
  EXPECT_EQ(Keys(offspring), (std::vector<std::string>{"0520231217/01", "0520231217/02"}));
}

// --- Course runs and a race's entries ---------------------------------------------------

TEST_F(PastRunRecordsTest, CourseRunsMatchRacecourseSurfaceDistanceAndBothEnds) {
  Records runs;
  CourseRuns("0", 1700, 20231217, 20240106, &runs);
  // Two starters on 20231217 (one excluded), eight of nine on 20240106.
  ASSERT_EQ(runs.count(), 10);
  const std::vector<std::string> keys = Keys(runs);
  EXPECT_EQ(keys[0], "0520231217/01");
  EXPECT_EQ(keys[1], "0520231217/02");
  for (std::size_t n = 1; n <= 8; ++n) {
    EXPECT_EQ(keys[n + 1], "0520240106/0" + std::to_string(n));
  }
  for (int i = 0; i < runs.count(); ++i) {
    const std::string r = runs[i];
    EXPECT_EQ(At(r, 39, 2), At(r, 41, 2));  // both readers see the same number
    EXPECT_EQ(At(r, 31, 4), "1700");
    EXPECT_EQ(r[27], '0');
  }
  // The draw reader's position for horse 3 of the small world's race.
  EXPECT_EQ(At(runs[4], 74, 2), "03");
  CourseRuns("2", 3000, 20231201, 20231231, &runs);  // the jump race is at 06
  EXPECT_EQ(runs.count(), 0);
}

TEST_F(PastRunRecordsTest, RaceEntriesAreEveryHorseInNumberOrderWithFrameAndMark) {
  Records entries;
  Status s = RenderRaceEntries(*db_, kTurfRace, entries.out());
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(entries.count(), 5);
  EXPECT_EQ(entries[1][38], '2');
  EXPECT_EQ(entries[1][66], '2');
  EXPECT_EQ(entries[0][66], ' ');

  s = RenderRaceEntries(*db_, ytest::kKey, entries.out());
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(entries.count(), 9);  // the scratched horse 9 too
  for (int i = 0; i < 9; ++i) EXPECT_EQ(At(entries[i], 39, 2), "0" + std::to_string(i + 1));
  EXPECT_EQ(entries[8][38], '8');  // horses 8 and 9 share frame 8

  s = RenderRaceEntries(*db_, kCardRace, entries.out());
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(entries.count(), 2);
  EXPECT_EQ(At(entries[0], 74, 2), Blanks(2));  // not run yet
}

// --- A horse's sire ---------------------------------------------------------------

TEST_F(PastRunRecordsTest, SireCodeRecordNamesTheSireFromItsCodeOrItsOwnRow) {
  Records sire;
  ASSERT_TRUE(RenderSireCode(*db_, kHorse, sire.out()).ok());
  ASSERT_EQ(sire.count(), 1);
  EXPECT_EQ(sire[0], "1990001" + Sjis("オールドキング", 34));

  ASSERT_TRUE(RenderSireCode(*db_, ytest::ExtraHorse(4), sire.out()).ok());
  ASSERT_EQ(sire.count(), 1);
  EXPECT_EQ(sire[0], "1990002" + Sjis("ノーザンスター", 34));
  // A horse without a sire, or no horse: the fetch tests.
}

// --- Query plans ---------------------------------------------------------------------

TEST_F(PastRunRecordsTest, EachFetchIsOneRangeOfBucketsAndEachFilingOneIndexRange) {
  struct Case {
    std::string sql;
    const char* range;  // the one step that reads a range
  };
  const Case cases[] = {
      {BucketRangeQuery(),
       "SEARCH past_run_bucket USING PRIMARY KEY (kind=? AND code=? AND month>? AND month<?)"},
      {RaceRunsQuery(), "SEARCH ru USING INDEX runner_by_race (race_date=? AND place=? AND race_no=?)"},
      {HorseRunsNotBySireQuery(), "SEARCH ru USING PRIMARY KEY (horse_code=?)"},
  };
  for (const Case& c : cases) {
    Statement& st = db_->statement("EXPLAIN QUERY PLAN " + c.sql);
    std::vector<std::string> steps;
    while (st.step()) steps.emplace_back(st.column_text(3));
    st.reset();
    std::string plan;
    for (const std::string& step : steps) plan += step + "; ";
    ASSERT_FALSE(steps.empty()) << c.sql;
    // One range; everything joined to it is found by key.
    EXPECT_NE(plan.find(c.range), std::string::npos) << plan;
    for (const std::string& step : steps) {
      EXPECT_EQ(step.rfind("SEARCH ", 0), 0u) << plan;
      EXPECT_NE(step.find("=?"), std::string::npos) << plan;
    }
    EXPECT_EQ(plan.find("SCAN"), std::string::npos) << plan;
    EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;
  }
}

}  // namespace
}  // namespace ydb
