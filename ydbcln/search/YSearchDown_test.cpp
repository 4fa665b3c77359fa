// The drill-down on the shared search season, by rule: which cross search
// each exec calls and with whose results first, a's results limiting the
// answer, nothing related leaving both searches as they were, the combined
// search (b's command alone when a holds none), the same records from exec
// and search of two searches of one kind, and the statuses 1001 and 1002.
// Memory running short is in testing/AllocationFailure_test; what each
// cross search answers, in YSearchDownRelation_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "testing/FixedToday.h"
#include "ydbcln/search/SearchSeason_test.h"
#include "ydbcln/search/YSearchDown.h"

namespace {

template <typename Search>
std::vector<std::string> Codes(Search* s) {
  std::vector<std::string> codes;
  for (int i = 0; s != nullptr && i < s->get_list_cnt(); ++i) codes.push_back(s->result(i)->getcode());
  return codes;
}

class DrillDown : public searchtest::SearchSeason {
 protected:
  void SetUp() override {
    SearchSeason::SetUp();
    ydb_test_reset_counts();
  }

  // The season's races at one racecourse in one month, as a race search holds them.
  void FindRaces(YSearchDetailRace* races, int month, int places) {
    _tagYDetailRaceInfo info{};
    info.period = {searchtest::kSeason * 10000 + month * 100 + 1,
                   searchtest::kSeason * 10000 + month * 100 + 31, places, 0};
    ASSERT_EQ(races->setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
    ASSERT_GT(races->search(), 0);
  }

  // Horses with at least `wins` flat wins, and of `sex` (a mask; -1 any).
  void FindHorses(YSearchHorse* horses, int wins, int sex) {
    ysearch::HorseConditions c;
    c.t = 1;
    c.sex = sex;
    c.value[0] = wins;
    c.op[0] = 2;
    ASSERT_EQ(horses->setparam(c), 0);
    ASSERT_GT(horses->search(), 0);
  }

  // search(a, b) and exec(a, b) find the same records, some; their codes.
  template <typename Search>
  std::vector<std::string> ExpectTheSameRecords(Search* a, Search* b) {
    const std::unique_ptr<Search> combined(down_.search(a, b));
    const std::unique_ptr<Search> related(down_.exec(a, b));
    EXPECT_GT(Codes(combined.get()).size(), 0u);
    EXPECT_EQ(Codes(combined.get()), Codes(related.get()));
    return Codes(combined.get());
  }

  const ytest::FixedToday today_{searchtest::kSeason * 10000 + 1231};
  YSearchDown down_{&db_};
};

TEST_F(DrillDown, ExecCallsTheCrossSearchOfItsPairWithTheFirstSearchsResultsFirst) {
  YSearchDetailRace races(&db_);
  FindRaces(&races, 5, 16);  // 東京 in May
  YSearchHorse any(&db_);
  std::unique_ptr<YSearchHorse> ran(down_.exec(&any, &races));
  ASSERT_NE(ran, nullptr);
  EXPECT_EQ(ydb_test_call_count("sc_uma_race"), 1);
  // The runners of those races, each once.
  std::set<std::string> runners;
  for (int i = 0; i < races.get_list_cnt(); ++i) {
    yrace::OwnedBuffer field(get_race2code_2(races.result(i)->getcode().c_str(), 0));
    for (int r = 0; r < yrace::record_count(field.get(), 659); ++r) {
      runners.insert(searchtest::Bytes(yrace::record_at(field.get(), 659, r), 158, 7));
    }
  }
  EXPECT_EQ(Codes(ran.get()), std::vector<std::string>(runners.begin(), runners.end()));

  // Back from those horses to races: every race of theirs; limited to the
  // races found first, all of those.
  YSearchDetailRace all_races(&db_);
  std::unique_ptr<YSearchDetailRace> theirs(down_.exec(&all_races, ran.get()));
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(ydb_test_call_count("sc_racem_uma"), 1);
  EXPECT_GT(theirs->get_list_cnt(), races.get_list_cnt());
  std::unique_ptr<YSearchDetailRace> again(down_.exec(&races, ran.get()));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Codes(again.get()), Codes(&races));

  // Two horse searches: the records of the first that the second holds.
  YSearchHorse winners(&db_), fillies(&db_);
  FindHorses(&winners, 3, -1);
  FindHorses(&fillies, 2, 2);
  ydb_test_reset_counts();
  std::unique_ptr<YSearchHorse> both(down_.exec(&winners, &fillies));
  EXPECT_EQ(ydb_test_call_count("sc_uma_uma"), 1);
  ASSERT_NE(both, nullptr);
  const std::vector<std::string> w = Codes(&winners), f = Codes(&fillies);
  std::vector<std::string> common;
  std::set_intersection(w.begin(), w.end(), f.begin(), f.end(), std::back_inserter(common));
  EXPECT_EQ(Codes(both.get()), common);
}

TEST_F(DrillDown, NothingRelatedAnswersNullAndLeavesBothSearchesAsTheyWere) {
  YSearchJockey none(&db_);  // never run: no results to start from
  YSearchHorse horses(&db_);
  FindHorses(&horses, 2, -1);
  void* held = horses.getorgdata();
  const int count = horses.get_list_cnt();
  db_.clearerror();
  EXPECT_EQ(down_.exec(&horses, &none), nullptr);
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(horses.getorgdata(), held);
  EXPECT_EQ(horses.get_list_cnt(), count);
  EXPECT_EQ(none.get_list_cnt(), 0);
}

TEST_F(DrillDown, ACombinedSearchHoldsBothCommandsOrBsAloneAndRuns) {
  YSearchHorse winners(&db_), fillies(&db_), empty(&db_);
  FindHorses(&winners, 3, -1);
  FindHorses(&fillies, 2, 2);
  std::unique_ptr<YSearchHorse> alone(down_.search(&empty, &fillies));
  ASSERT_NE(alone, nullptr);
  EXPECT_EQ(Codes(alone.get()), Codes(&fillies));

  // On plain conditions exec and search of a like pair find the same records.
  ExpectTheSameRecords(&winners, &fillies);
  YSearchDetailRace may(&db_), tokyo(&db_);
  FindRaces(&may, 5, 1023);
  FindRaces(&tokyo, 5, 16);
  EXPECT_EQ(ExpectTheSameRecords(&may, &tokyo), Codes(&tokyo));

  ysearch::JockeyConditions many, few;
  many.t = few.t = 1;
  many.wins = {20, 2, 0};
  few.wins = {60, 4, 0};
  YSearchJockey a(&db_), b(&db_);
  ASSERT_EQ(a.setparam(many), 0);
  ASSERT_EQ(b.setparam(few), 0);
  ASSERT_GT(a.search(), 0);
  ASSERT_GT(b.search(), 0);
  ExpectTheSameRecords(&a, &b);

  // The runs of the races both hold: every runner of Tokyo's May races.
  YSearchRaceHorse runs(&db_);
  std::unique_ptr<YSearchRaceHorse> field(down_.search(&runs, &tokyo));
  ASSERT_NE(field, nullptr);
  YSearchRaceHorse direct(&db_);
  direct.addparam(tokyo.getparam());
  EXPECT_EQ(field->get_list_cnt(), direct.search(1));
}

TEST_F(DrillDown, WithoutASessionOrWithAFailingStoreNothingIsMade) {
  YSearchDetailRace races(&db_);
  FindRaces(&races, 5, 16);
  YSearchHorse horses(&db_);
  ydb_test_fail("sc_uma_race");
  EXPECT_EQ(down_.exec(&horses, &races), nullptr);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  ydb_test_fail(nullptr);

  YHorseDB closed;
  YSearchDown down(&closed);
  YSearchHorse a(&closed), b(&closed);
  EXPECT_EQ(down.exec(&a, &b), nullptr);
  EXPECT_EQ(closed.geterrstatus(), 1001);
  closed.clearerror();
  EXPECT_EQ(down.search(&a, &b), nullptr);
  EXPECT_EQ(closed.geterrstatus(), 1001);
}

}  // namespace
