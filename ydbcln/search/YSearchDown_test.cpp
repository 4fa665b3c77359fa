// The drill-down on the shared search season, by rule: nothing related
// leaving both searches as they were, the combined search (b's command
// alone when a holds none), the same records from exec and search of two
// searches of two kinds (the sire search remade first), and the statuses
// 1001 and 1002.
// Memory running short is in testing/AllocationFailure_test; what each
// cross search answers, in YSearchDownRelation_test; the walks of the
// command line's drill (each kind's step, narrowing with `and`), in its
// own tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "testing/FixedToday.h"
#include "ydbcln/search/SearchSeason_test.h"
#include "ydbcln/search/YSearchDown.h"

namespace {

// A row's key: its code, for a run its race and horse.
template <typename Row>
std::string KeyOf(Row* row) { return row->getcode(); }
std::string KeyOf(YRaceHorse* run) { return run->racecode + run->horsecode; }

template <typename Search>
std::vector<std::string> Codes(Search* s) {
  std::vector<std::string> codes;
  for (int i = 0; s != nullptr && i < s->get_list_cnt(); ++i) codes.push_back(KeyOf(s->result(i)));
  return codes;
}

// A sire search that notes the drill-down's calls on it, in order.
class LoggedSire : public YSearchSire {
 public:
  LoggedSire(YHorseDB* db, std::vector<std::string>* log) : YSearchSire(db), log_(log) {}
  int remake_param(int flag) override {
    log_->push_back("remake_param(" + std::to_string(flag) + ")");
    return YSearchSire::remake_param(flag);
  }
  _tagSCMD* getparam() override {
    log_->push_back("getparam");
    return YSearchSire::getparam();
  }

 private:
  std::vector<std::string>* log_;
};

class DrillDown : public searchtest::SearchSeason {
 protected:
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

  // Sires of offspring with at least `wins` wins.
  void FindSires(YSearchSire* sires, int wins) {
    ysearch::SireConditions c;
    c.t = 1;
    c.figure[0] = {wins, 2};
    ASSERT_EQ(sires->setparam(c), 0);
    ASSERT_GT(sires->search(), 0);
  }

  // search(a, b) and exec(a, b) find the same records, some but not all of
  // a's; their codes.
  template <typename A, typename B>
  std::vector<std::string> ExpectTheSameRecords(A* a, B* b) {
    const std::unique_ptr<A> combined(down_.search(a, b));
    const std::unique_ptr<A> related(down_.exec(a, b));
    EXPECT_GT(Codes(combined.get()).size(), 0u);
    EXPECT_EQ(Codes(combined.get()), Codes(related.get()));
    return Codes(combined.get());
  }

  const ytest::FixedToday today_{searchtest::kSeason * 10000 + 1231};
  YSearchDown down_{&db_};
};

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

// A search of another kind holding no command of its own finds what is
// related to what b's command finds; one of b's kind, b's records alone.
TEST_F(DrillDown, AFirstSearchWithoutACommandTakesBsAlone) {
  YSearchDetailRace tokyo(&db_);
  FindRaces(&tokyo, 5, 16);
  YSearchHorse fillies(&db_), empty(&db_);
  FindHorses(&fillies, 2, 2);
  std::unique_ptr<YSearchHorse> alone(down_.search(&empty, &fillies));
  ASSERT_NE(alone, nullptr);
  EXPECT_EQ(Codes(alone.get()), Codes(&fillies));

  YSearchRaceHorse direct(&db_);
  direct.addparam(tokyo.getparam());
  ASSERT_GT(direct.search(1), 0);
  std::unique_ptr<YSearchHorse> ran(down_.search(&empty, &direct));
  ASSERT_NE(ran, nullptr) << db_.geterrmessage();
  YSearchHorse any(&db_);
  std::unique_ptr<YSearchHorse> related(down_.exec(&any, &direct));
  ASSERT_NE(related, nullptr);
  EXPECT_EQ(Codes(ran.get()), Codes(related.get()));
}

TEST_F(DrillDown, SearchAcrossKindsFindsWhatExecFindsAfterBothSearchesRan) {
  YSearchDetailRace may(&db_);
  FindRaces(&may, 5, 16);  // 東京 in May
  YSearchRaceHorse runs(&db_);
  runs.addparam(may.getparam());
  ASSERT_GT(runs.search(1), 0);
  // The horses, sires, jockeys and trainers found that ran in those races.
  YSearchHorse winners(&db_);
  FindHorses(&winners, 2, -1);
  const std::size_t ran = ExpectTheSameRecords(&winners, &runs).size();
  EXPECT_LT(ran, static_cast<std::size_t>(winners.get_list_cnt()));
  YSearchSire sires(&db_);
  FindSires(&sires, 1);
  ExpectTheSameRecords(&sires, &runs);
  ysearch::JockeyConditions riders;
  riders.t = 1;
  riders.wins = {20, 2, 0};
  YSearchJockey jockeys(&db_);
  ASSERT_EQ(jockeys.setparam(riders), 0);
  ASSERT_GT(jockeys.search(), 0);
  ExpectTheSameRecords(&jockeys, &runs);
  ysearch::PersonConditions trained;
  trained.t = 3;  // with runs
  YSearchStable trainers(&db_);
  ASSERT_EQ(trainers.setparam(trained), 0);
  ASSERT_GT(trainers.search(), 0);
  ExpectTheSameRecords(&trainers, &runs);

  // The races and runs of the leading sires' offspring among those found;
  // the sire search remade (remake_param(1)) before its command is taken.
  std::vector<std::string> calls;
  LoggedSire leading(&db_, &calls);
  FindSires(&leading, 40);
  calls.clear();
  ExpectTheSameRecords(&may, &leading);
  EXPECT_EQ(calls, (std::vector<std::string>{"remake_param(1)", "getparam"}));
  ExpectTheSameRecords(&runs, &leading);
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
