// The people and sires against the small world: a jockey's profile and
// the figures of the current year, the periods of searchrace and their
// edges, a failing database, and what the trainer, the sire and the
// dam-sire show differently.
#include "ydbcln/entity/YJockey.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/FixedToday.h"
#include "text/sjis.h"
#include "ydbcln/entity/YDimSire.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YRaceHorse.h"

namespace {

std::string Utf8(const std::string& sjis) {
  std::string out;
  EXPECT_TRUE(ytext::to_utf8(sjis, &out));
  return out;
}

// The small world's one race (2024-01-06): jockey 01001 rides the even
// numbers (2nd, 4th, 6th, 8th), 01002 the odd ones (horse 9 scratched).
class PeopleTest : public racetest::RaceStore {
 protected:
  void SetUp() override {
    racetest::RaceStore::SetUp();
    Write();
  }
  std::string jockey_ = "01001";
};

TEST_F(PeopleTest, AJockeysYearFiguresCountOnlyInTheCurrentYear) {
  {
    const ytest::FixedToday today(20240301);
    YJockey jockey(&db_, jockey_);
    EXPECT_EQ(Utf8(jockey.name), "鈴木次郎");
    EXPECT_EQ(jockey.stablecode, "02001");
    EXPECT_EQ(Utf8(jockey.stablename), "佐藤一郎");
    EXPECT_EQ(jockey.rnh, "    0-    1-    0-    3/     4");
    EXPECT_EQ(jockey.hnh, "  0-  1-  0-  3/   4");
    EXPECT_EQ(Utf8(jockey.win2ph), " 25.0％");
    EXPECT_EQ(Utf8(jockey.win2pr), " 25.0％");
  }
  // A year later the record is of 2025, in which the jockey has not ridden.
  const ytest::FixedToday next_year(20250101);
  YJockey jockey(&db_, jockey_);
  EXPECT_EQ(jockey.hnh, "  0-  0-  0-  0/   0");
  EXPECT_EQ(Utf8(jockey.hhrplize), "0円");
  EXPECT_EQ(Utf8(jockey.win2ph), "  0.0％");
  EXPECT_EQ(jockey.rnh, "    0-    1-    0-    3/     4");
  std::string freelance = "01002";
  EXPECT_EQ(Utf8(YJockey(&db_, freelance).stablename), "フリー");
  EXPECT_EQ(YJockey(&db_, freelance).stableplace, "");
}

TEST_F(PeopleTest, SearchraceTakesAYearOrTheMonthsUpToToday) {
  const ytest::FixedToday today(20240301);
  YJockey jockey(&db_, jockey_);
  EXPECT_EQ(jockey.searchrace(2, 2024), 4);
  EXPECT_EQ(jockey.total()->place[5][1], 1);  // second at 中山
  EXPECT_EQ(jockey.searchrace(2, 2023), 0);
  EXPECT_EQ(jockey.searchrace(1, 1), 0);      // from 2024-02-01
  EXPECT_EQ(jockey.searchrace(1, 2), 4);      // from 2024-01-01
  EXPECT_EQ(jockey.searchrace(1, -2), 0);
  EXPECT_EQ(jockey.searchrace(2, 0), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);

  ASSERT_EQ(jockey.searchrace(2, 2024), 4);
  YJockey copy(jockey);
  YRaceHorse* first = jockey.race(0);
  EXPECT_EQ(copy.race(0), first);
  ydb_test_fail("get_jockey_race2code");
  EXPECT_EQ(copy.searchrace(2, 2024), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(copy.getracecount(), 0);
  EXPECT_EQ(copy.total()->place[5][1], 1);  // as the last load left them
  EXPECT_EQ(jockey.race(0), first);

  std::string four = "0100";
  ydb_test_reset_counts();
  YJockey short_code(&db_, four);
  EXPECT_EQ(ydb_test_call_count("get_jockey2code"), 0);
  EXPECT_EQ(short_code.searchrace(2, 2024), 0);
}

TEST_F(PeopleTest, TrainerSireAndDamSireShowTheirOwnFields) {
  const ytest::FixedToday today(20240301);
  std::string trainer = "02001";
  YStable stable(&db_, trainer);
  EXPECT_EQ(Utf8(stable.name), "佐藤一郎");
  EXPECT_EQ(Utf8(stable.stableplace), "美浦南");
  EXPECT_EQ(stable.searchrace(2, 2024), 8);  // the scratched horse is no runner
  EXPECT_EQ(stable.rnh, "    1-    1-    1-    5/     8");

  std::string sire_code = "1990001";
  YSire sire(&db_, sire_code);
  EXPECT_EQ(Utf8(sire.name), "オールドキング");
  EXPECT_EQ(sire.birthyear, "");  // not known
  EXPECT_EQ(sire.age, "");
  EXPECT_EQ(sire.searchrace(2, 2024), 8);
  EXPECT_EQ(sire.total()->place[5][0], 1);
  ASSERT_EQ(sire.set_check(), 0);
  EXPECT_TRUE(YSire(&db_, sire_code).is_check());
  ASSERT_EQ(sire.reset_check(), 0);

  std::string dams_sire = "1990002";
  EXPECT_EQ(Utf8(YDimSire(&db_, dams_sire).name), "ノーザンスター");
  EXPECT_EQ(YDimSire(&db_, sire_code).code, "");
  EXPECT_EQ(YSire(&db_, dams_sire).code, "");  // no sire record
  EXPECT_EQ(db_.geterrstatus(), 0);
}

}  // namespace
