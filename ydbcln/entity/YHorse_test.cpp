// YHorse against a store: the profile and career of a horse with two runs,
// its runs and totals, the bad inputs (a code of another length, an unknown
// code, a failing database), copies that share runs, and the check mark.
#include "ydbcln/entity/YHorse.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/FixedToday.h"
#include "text/sjis.h"
#include "ydbcln/entity/YDimSire.h"
#include "ydbcln/entity/YJockey.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/race/YRaceHorse.h"

namespace {

std::string Utf8(const std::string& sjis) {
  std::string out;
  EXPECT_TRUE(ytext::to_utf8(sjis, &out));
  return out;
}

class YHorseTest : public racetest::RaceStore {
 protected:
  // The small world, and its race run a second time two weeks earlier by
  // the same horses: horse 2020011 won both, horse 2020019 was scratched.
  void WriteTwoRaces() {
    ydb::Batch batch = ytest::MakeWorld();
    batch.races.push_back(ytest::MakeRace({"05", 20231223, 11}));
    Write(batch);
  }

  std::string winner_ = "2020011";
};

TEST_F(YHorseTest, ProfileCareerRunsAndTotalsAgree) {
  const ytest::FixedToday today(20240301);
  WriteTwoRaces();
  YHorse horse(&db_, winner_);
  ASSERT_TRUE(horse.notfound());
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(Utf8(horse.name), "ランナー1");
  EXPECT_EQ(Utf8(horse.father), "オールドキング");
  EXPECT_EQ(Utf8(horse.mothers_father), "ノーザンスター");
  EXPECT_EQ(horse.chakudosu, " 2- 0- 0- 0/  2");
  EXPECT_EQ(Utf8(horse.win1p), "100.0％");
  ASSERT_NE(horse.pedigree(), nullptr);
  EXPECT_EQ(horse.getracecount(), 0);

  ASSERT_EQ(horse.searchrace(), 2);
  EXPECT_EQ(horse.race(0)->racecode, "052024010611");  // latest first
  EXPECT_EQ(horse.race(1)->racecode, "052023122311");
  EXPECT_EQ(horse.race(-1), nullptr);
  EXPECT_EQ(horse.race(2), nullptr);
  // 中山 is row 5 of the courses; both runs are January and December.
  EXPECT_EQ(horse.total()->place[5][0], 2);
  EXPECT_EQ(horse.total()->place[5][4], 1000);
  EXPECT_EQ(horse.total()->month[0][0] + horse.total()->month[11][0], 2);

  // The scratched horse: no runs counted, its one entry listed.
  std::string scratched = "2020019";
  YHorse other(&db_, scratched);
  EXPECT_EQ(other.chakudosu, " 0- 0- 0- 0/  0");
  EXPECT_EQ(Utf8(other.win3p), "  0.0％");
  EXPECT_EQ(other.searchrace(), 2);
  EXPECT_EQ(other.total()->place[5][3], 0);
}

TEST_F(YHorseTest, BadCodesAndAFailingDatabaseLeaveItEmpty) {
  WriteTwoRaces();
  std::string six = "202001";
  YHorse short_code(&db_, six);
  EXPECT_EQ(ydb_test_call_count("get_uma2code"), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_FALSE(short_code.notfound());

  std::string unknown = "2099999";
  YHorse nobody(&db_, unknown);
  EXPECT_EQ(ydb_test_call_count("get_uma2code"), 1);
  EXPECT_FALSE(nobody.notfound());
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(nobody.searchrace(), 0);
  EXPECT_EQ(ydb_test_call_count("get_uma_race2code"), 0);

  ydb_test_fail("get_uma2code");
  YHorse failed(&db_, winner_);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_FALSE(failed.notfound());
  ydb_test_fail(nullptr);

  YHorse horse(&db_, winner_);
  ASSERT_EQ(horse.searchrace(), 2);
  ydb_test_fail("get_uma_race2code");
  EXPECT_EQ(horse.searchrace(), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(horse.getracecount(), 0);
  EXPECT_EQ(horse.total()->place[5][0], 2);  // as the last load left them
}

TEST_F(YHorseTest, EveryRecordObjectOnASessionNotInitialisedLeaves1001AndReadsNothing) {
  WriteTwoRaces();
  YHorseDB closed;
  std::string person = "01001";
  ydb_test_reset_counts();
  auto expect_1001 = [&](const char* what) {
    EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised) << what;
    closed.clearerror();
  };
  YHorse horse(&closed, winner_);
  expect_1001("horse");
  YJockey jockey(&closed, person);
  expect_1001("jockey");
  YStable stable(&closed, person);
  expect_1001("trainer");
  YSire sire(&closed, winner_);
  expect_1001("sire");
  YDimSire dimsire(&closed, winner_);
  expect_1001("dam-sire");
  for (const char* fetch : {"get_uma2code", "get_jockey2code", "get_stable2code", "get_sire2code",
                            "get_umadimsire2code"}) {
    EXPECT_EQ(ydb_test_call_count(fetch), 0) << fetch;
  }
}

TEST_F(YHorseTest, CopiesShareRunsAndALoadOnACopyLeavesTheOriginals) {
  WriteTwoRaces();
  auto horse = std::make_unique<YHorse>(&db_, winner_);
  ASSERT_EQ(horse->searchrace(), 2);
  YRaceHorse* first = horse->race(0);
  YHorse copy(*horse);
  EXPECT_EQ(copy.race(0), first);
  EXPECT_EQ(copy.pedigree(), horse->pedigree());
  ASSERT_EQ(copy.searchrace(), 2);
  EXPECT_NE(copy.race(0), first);
  EXPECT_EQ(horse->race(0)->racecode, "052024010611");  // still the original's
  YHorse assigned = copy;
  assigned = assigned;
  assigned = *horse;
  horse.reset();
  EXPECT_EQ(assigned.race(0), first);  // the last holder keeps them alive
  EXPECT_EQ(assigned.race(0)->horsecode, winner_);
}

TEST_F(YHorseTest, TheCheckMarkIsStoredAndReadBackOnlyChangingWhenItMust) {
  WriteTwoRaces();
  YHorse horse(&db_, winner_);
  EXPECT_FALSE(horse.is_check());
  ASSERT_EQ(horse.set_check(), 0);
  ASSERT_EQ(horse.set_check(), 0);
  EXPECT_EQ(ydb_test_call_count("set_checkhj"), 1);
  EXPECT_TRUE(YHorse(&db_, winner_).is_check());

  ydb_test_fail("del_checkhj");
  EXPECT_EQ(horse.reset_check(), -1);
  EXPECT_TRUE(horse.is_check());
  ydb_test_fail(nullptr);
  ASSERT_EQ(horse.reset_check(), 0);
  EXPECT_FALSE(YHorse(&db_, winner_).is_check());

  std::string unknown = "2099999";
  YHorse nobody(&db_, unknown);
  EXPECT_EQ(nobody.set_check(), -1);
  EXPECT_FALSE(nobody.is_check());
}

}  // namespace
