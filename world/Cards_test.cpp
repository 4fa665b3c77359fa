// The cards of the generated season: who may run in what, riders,
// careers moving up the classes, body weights and course records (the
// weights' rules are the race rules' tests).
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "world/GeneratedSeason_test.h"

namespace world {
namespace {

using season_test::GeneratedSeason;

TEST_F(GeneratedSeason, RunnersMeetTheConditionsOfTheirRaces) {
  // Ages as the race kind says: 1 two-year-olds, 2 three-year-olds, 3 three
  // and up, 4 four and up; jump races for three-year-olds and up.
  EXPECT_EQ(Number("SELECT count(*) FROM runner JOIN race USING (race_date, place, race_no) "
                   "WHERE (race_kind = '1' AND age <> 2) OR (race_kind = '2' AND age <> 3) OR "
                   "(race_kind = '3' AND age < 3) OR (race_kind = '4' AND age < 4) OR "
                   "(race_kind = '0' AND age < 3)"),
            0);
  // Fillies-and-mares races (symbols 3, 4, 5 in the tens) take no colts.
  EXPECT_EQ(Number("SELECT count(*) FROM runner JOIN race USING (race_date, place, race_no) "
                   "WHERE substr(weight_rule1, 1, 1) IN ('3', '4', '5') AND sex <> '1'"),
            0);
  EXPECT_GT(Number("SELECT count(*) FROM race WHERE substr(weight_rule1, 1, 1) IN ('3', '4', '5')"), 100);
  // A newcomers' race is a horse's first run (a scratching does not count).
  EXPECT_EQ(Number("SELECT count(*) FROM runner r JOIN race c USING (race_date, place, race_no) "
                   "WHERE c.class_code = '00001' AND EXISTS (SELECT 1 FROM runner p WHERE "
                   "p.horse_code = r.horse_code AND p.race_date < r.race_date AND "
                   "ifnull(p.accident_code, '') NOT IN ('34', '35'))"),
            0);
  // Jump races are race kind 0, about one a Saturday at each course with hurdles.
  EXPECT_EQ(Number("SELECT count(*) FROM race WHERE (race_kind = '0') <> (surface = '2')"), 0);
  EXPECT_GE(Number("SELECT avg(strftime('%w', substr(race_date, 1, 4) || '-' || substr(race_date, 5, 2) "
                   "|| '-' || substr(race_date, 7, 2)) = '6') FROM race WHERE surface = '2'"),
            0.9);
  // The day's card runs up the classes: maidens early, the main race late.
  EXPECT_GE(Number("SELECT avg(class_code IN ('00001', '00003') OR surface = '2') FROM race WHERE race_no <= 3"), 0.9);
  EXPECT_GE(Number("SELECT avg(class_code NOT IN ('00001', '00003')) FROM race WHERE race_no = 11"), 0.95);
  // Named races have nominations that include their runners; others none.
  EXPECT_EQ(Number("SELECT count(*) FROM nomination n JOIN race c USING (race_date, place, race_no) "
                   "WHERE c.name = ''"),
            0);
  EXPECT_EQ(Number("SELECT count(*) FROM runner r JOIN race c USING (race_date, place, race_no) "
                   "WHERE c.name <> '' AND NOT EXISTS (SELECT 1 FROM nomination n WHERE "
                   "n.race_date = r.race_date AND n.place = r.place AND n.race_no = r.race_no AND "
                   "n.horse_code = r.horse_code)"),
            0);
}

TEST_F(GeneratedSeason, JockeysRideAtOneCourseADay) {
  EXPECT_EQ(Number("SELECT count(*) FROM (SELECT 1 FROM runner WHERE jockey_code IS NOT NULL "
                   "GROUP BY jockey_code, race_date HAVING count(DISTINCT place) > 1)"),
            0);
  EXPECT_EQ(Number("SELECT count(*) FROM (SELECT 1 FROM runner WHERE jockey_code IS NOT NULL "
                   "GROUP BY race_date, place, race_no, jockey_code HAVING count(*) > 1)"),
            0);
  EXPECT_EQ(Number("SELECT count(*) FROM runner WHERE jockey_code IS NULL"), 0);
  // Only apprentices claim (in which races is the weights' own test).
  EXPECT_GT(Number("SELECT count(*) FROM runner WHERE apprentice_code IS NOT NULL"), 500);
  EXPECT_EQ(Number("SELECT count(*) FROM runner r JOIN jockey j ON j.code = r.jockey_code "
                   "WHERE r.apprentice_code IS NOT NULL AND j.first_year < 2014"),
            0);
  // Jump races are ridden by jump jockeys.
  EXPECT_EQ(Number("SELECT count(*) FROM runner r JOIN race c USING (race_date, place, race_no) "
                   "JOIN jockey j ON j.code = r.jockey_code WHERE c.surface = '2' AND "
                   "j.qualification NOT IN ('1', '3')"),
            0);
  // About 150 jockeys ride; the best of them win far more than the rest.
  const double riders = Number("SELECT count(DISTINCT jockey_code) FROM runner");
  EXPECT_GE(riders, 120);
  EXPECT_LE(riders, 190);
  EXPECT_GT(Number("SELECT max(w) FROM (SELECT count(*) AS w FROM runner WHERE finish_pos = 1 "
                   "GROUP BY jockey_code)"),
            100);
  EXPECT_GE(Number("SELECT count(*) FROM trainer WHERE retired_date IS NULL"), 190);
}

TEST_F(GeneratedSeason, WinnersMoveUpAndNeverComeBackDown) {
  // A horse that has won a race of a class never runs in that class again:
  // newcomers' and maiden winners never again in those, 1-win winners (a
  // maiden that wins above its class included) not in the 1-win class
  // (500万下) again.
  EXPECT_EQ(Number("SELECT count(*) FROM runner w JOIN race cw USING (race_date, place, race_no) "
                   "JOIN runner l ON l.horse_code = w.horse_code AND l.race_date > w.race_date "
                   "JOIN race cl ON cl.race_date = l.race_date AND cl.place = l.place AND cl.race_no = l.race_no "
                   "WHERE w.finish_pos = 1 AND cw.surface <> '2' AND cl.surface <> '2' AND ("
                   "(cw.class_code IN ('00001', '00003') AND cl.class_code IN ('00001', '00003')) OR "
                   "(cw.class_code IN ('05000', '-0005') AND cl.class_code IN ('00001', '00003', '05000', '-0005')) OR "
                   "(cw.class_code IN ('10000', '-0010') AND cl.class_code IN ('00001', '00003', '05000', '-0005', '10000', '-0010')))"),
            0);
  // Two-year-olds debut from June.
  EXPECT_EQ(Number("SELECT count(*) FROM runner WHERE age = 2 AND race_date < 20190601"), 0);
  EXPECT_GT(Number("SELECT count(DISTINCT horse_code) FROM runner WHERE age = 2"), 2000);
}

TEST_F(GeneratedSeason, BodyWeightsChangeFromRunToRun) {
  ydb::Statement& st = db().statement(
      "SELECT horse_code, body_weight, weight_change FROM runner WHERE body_weight IS NOT NULL "
      "ORDER BY horse_code, race_date");
  std::string horse;
  int last = 0, checked = 0;
  while (st.step()) {
    const std::string code(st.column_text(0));
    const int weight = static_cast<int>(st.column_int(1));
    ASSERT_GE(weight, 360);
    ASSERT_LE(weight, 600);
    if (code == horse && !st.column_is_null(2)) {
      EXPECT_EQ(st.column_int(2), weight - last) << code;
      ++checked;
    }
    horse = code;
    last = weight;
  }
  EXPECT_GT(checked, 20000);
}

TEST_F(GeneratedSeason, CourseRecordsStandUntilBroken) {
  // The record on a card is never slower than a winning time already run
  // over the course and distance that season.
  EXPECT_EQ(Number("SELECT count(*) FROM race c JOIN race_reference_time t USING (race_date, place, race_no) "
                   "WHERE t.slot = 1 AND t.kind = '1' AND t.time > (SELECT min(r.time) FROM runner r "
                   "JOIN race p ON p.race_date = r.race_date AND p.place = r.place AND p.race_no = r.race_no "
                   "WHERE p.place = c.place AND p.surface = c.surface AND p.distance = c.distance AND "
                   "p.race_date < c.race_date AND r.arrival_order = 1)"),
            0);
  EXPECT_GE(Number("SELECT count(*) FROM race_reference_time WHERE slot = 1"), 3300);
}

}  // namespace
}  // namespace world
