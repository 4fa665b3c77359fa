// The horse search and the runs search on the small world: the condition
// texts the classes write in both forms, the command held, combined and
// recompiled, its code list read back, parameters refused (1004) and a name
// holding wildcards of the store. What a condition finds is checked by
// HorseSearchOracle_test; copies, taken buffers, a failing store and an
// unopened session, which the horse search shares with the people's
// searches, by PeopleSearches_test.
#include "ydbcln/search/YSearchHorse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/FixedToday.h"
#include "testing/Sjis.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/search/YSearchRaceHorse.h"

namespace {

using ytest::Sjis;

// Only `t` given.
ysearch::HorseConditions Only(int t) {
  ysearch::HorseConditions c;
  c.t = t;
  return c;
}

class YSearchHorseTest : public racetest::RaceStore {
 protected:
  void SetUp() override {
    racetest::RaceStore::SetUp();
    Write();
  }
  const ytest::FixedToday today_{20240301};
};

TEST_F(YSearchHorseTest, TheTextsOfBothFormsFindTheSameHorses) {
  YSearchHorse search(&db_);
  ASSERT_EQ(search.setparam(Only(2)), 0);
  EXPECT_EQ(search.getconditiontext(), "T=2");
  ASSERT_EQ(search.search(), 9);  // the nine runners have a trainer
  EXPECT_EQ(search.result(0)->getname(), Sjis("ランナー1"));
  EXPECT_EQ(search.result(9), nullptr);

  ysearch::HorseConditions ages = Only(1);
  ages.age = 1 | 128;
  ages.color = 255;  // every coat: no condition
  EXPECT_EQ(search.exec(ages), 0);
  EXPECT_EQ(search.getconditiontext(), "T=1&A=3&A=10+");

  // The 31 arguments write the same text: HH >= 3 in both forms.
  const std::string none;
  ASSERT_EQ(search.setparam(none, 1, -1, -1, -1, -1, -1, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, Sjis("オールド"), none, none, none, none, none), 0);
  EXPECT_EQ(search.getconditiontext(), "T=1&HH=3>&FN=" + Sjis("オールド"));
  EXPECT_EQ(search.exec(none, 1, -1, -1, -1, -1, -1, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0, 0, 0, none, none, none, none, none, none), 0);
  EXPECT_EQ(search.getconditiontext(), "T=1&HH>=3");
}

TEST_F(YSearchHorseTest, TheHeldCommandIsCombinedAndRecompiled) {
  YSearchHorse search(&db_);
  ASSERT_EQ(search.setparam(Only(1)), 0);
  ASSERT_EQ(search.search(), 11);
  EXPECT_EQ(search.remake_param(1), 0);
  EXPECT_EQ(search.getconditiontext(), "T=1&UDS=1");
  EXPECT_EQ(search.search(), 8);  // 2020019 was scratched, so never started

  YSearchHorse trained(&db_);
  ASSERT_EQ(trained.setparam(Only(3)), 0);
  trained.addparam(search.getparam());  // no trainer and started: none
  EXPECT_EQ(trained.search(), 0);
  EXPECT_EQ(trained.getorgdata(), nullptr);
  EXPECT_EQ(trained.getothercode(), nullptr);

  void* list = search.getothercode();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(search.getothercode(), list);  // made once per result set
  // The store reads a horses' code list its own way, not as the people's.
  YSearchHorse crossed(&db_);
  EXPECT_EQ(crossed.execcd(list), 8);
  EXPECT_EQ(crossed.result(7)->getcode(), search.result(7)->getcode());
  EXPECT_EQ(search.exec2mothercode("2099999"), 0);
  EXPECT_EQ(search.get_list_cnt(), 0);
}

TEST_F(YSearchHorseTest, FailuresAndAHostileName) {
  YSearchHorse search(&db_);
  EXPECT_EQ(search.setparam(Only(5)), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kBadParameter);
  ysearch::HorseConditions bad_operator = Only(1);
  bad_operator.op[0] = 6;
  EXPECT_EQ(search.exec(bad_operator), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kBadParameter);
  EXPECT_EQ(search.search(), -1);  // no command

  ysearch::HorseConditions hostile = Only(1);
  hostile.name = "100%_";
  EXPECT_EQ(search.exec(hostile), 0);
  EXPECT_EQ(search.exec(Only(1)), 11);
}

TEST_F(YSearchHorseTest, TheRunsOfARaceCommandAreItsRunnersOrItsFirstPlaces) {
  YSearchRaceHorse runs(&db_);
  EXPECT_EQ(runs.search(1), -1);  // no command
  yrace::OwnedBuffer races(conv_racecmd("P=05"));
  runs.addparam(static_cast<_tagSCMD*>(races.get()));
  ASSERT_EQ(runs.search(2), 1);
  EXPECT_EQ(runs.result(0)->horsecode, "2020011");
  EXPECT_EQ(runs.result(1), nullptr);
  YSearchRaceHorse copy = runs;
  runs.search(1);
  EXPECT_EQ(copy.get_list_cnt(), 1);
  ydb_test_fail("get_race2cmd_sp2");
  EXPECT_EQ(runs.search(1), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(runs.get_list_cnt(), 0);
}

}  // namespace
