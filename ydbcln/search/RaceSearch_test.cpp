// The race search classes on a generated season: the conditions they
// write, how their rows are handed on, the runner conditions checked
// locally, and how they fail. What a condition finds is checked by
// RaceSearchOracle_test; the options the command line maps onto the
// parameters by its own tests; the reader's refusals and hostile texts by
// db/query's tests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ydbcln/search/SearchSeason_test.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchGradeRace.h"
#include "ydbcln/search/YSearchRaceHorse.h"

namespace {

using searchtest::CodesOf;
const auto Rows = searchtest::RowCodes<YSearchDetailRace>;

_tagYDetailRaceInfo Period(int from, int to, int places, int race) {
  _tagYDetailRaceInfo info{};
  info.period.from = from;
  info.period.to = to;
  info.period.places = places;
  info.period.race = race;
  return info;
}

class RaceSearch : public searchtest::SearchSeason {};

// Ages, classes, runner counts and graded names, which the command line's
// tests do not reach; the ends the parameters ignore or refuse.
TEST_F(RaceSearch, WritesTheConditionTextOfItsParameters) {
  YSearchDetailRace s(&db_);
  _tagYDetailRaceInfo info = Period(20010101, 20011231, 1023, 0);
  _tagYDetailRaceDistEtc dist{2000, 1600, 1, 63, -1, -1};  // from > to: no distance keys
  ASSERT_EQ(s.setparam(0, &info, &dist, nullptr, nullptr, nullptr, 0, 0), 0);
  EXPECT_EQ(s.getconditiontext(), "TF=20010101&TT=20011231&B=1");
  const std::string arima = ytext::to_sjis_lossy("有馬記念");
  _tagYDetailRaceInfo name{};
  name.racename.name = arima.c_str();
  name.racename.grade = 128;
  ASSERT_EQ(s.setparam(2, &name, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
  EXPECT_EQ(s.getconditiontext(), "N=" + arima + "&G=1");
  dist = {1600, 2000, 2 | 4, 1 | 32, 2, 1};
  _tagYDetailRaceAgeEtc age{2, 256 | 4};
  _tagYDetailRaceBetEtc bet{0, 500, 0, 0, 0, 0, 10000, 50000, 0, 0};
  _tagYDetailRacePaceEtc pace{1, 63, 4 | 8};
  ASSERT_EQ(s.setparam(0, &info, &dist, &age, &bet, &pace, 12, 1 | 512), 0);
  EXPECT_EQ(s.getconditiontext(),
            "TF=20010101&TT=20011231&DF=1600&DT=2000&B=0&B=2&C=0&C=5&US=1&MW=0&A=2&L=3&L=9"
            "&QF=10000&QT=50000&H=0&J=2&J=3&ts=12&TK=1&TK=8");

  const std::string before = s.getconditiontext();
  EXPECT_EQ(s.setparam(3, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(s.getconditiontext(), before);
  EXPECT_EQ(s.setplace(1 | 512), "P=03&P=08");
  EXPECT_EQ(s.getplacenum(3), "");
}

TEST_F(RaceSearch, FindsWhatItsConditionsSayAndHandsItOn) {
  YSearchDetailRace s(&db_);
  EXPECT_EQ(s.search(), -1);  // no command yet
  _tagYDetailRaceInfo info = Period(20190101, 20191231, 16 | 32, 0);
  _tagYDetailRaceDistEtc dist{1600, 2000, 1, 63, -1, -1};
  ASSERT_EQ(s.setparam(0, &info, &dist, nullptr, nullptr, nullptr, 0, 0), 0);
  const int n = s.search();
  ASSERT_GT(n, 20);
  EXPECT_EQ(s.result(-1), nullptr);
  EXPECT_EQ(s.result(n), nullptr);
  std::string texts[13];
  s.getsearchstring(texts);
  EXPECT_EQ(ytext::to_utf8_lossy(texts[2]), "東京 中山 ");
  EXPECT_EQ(ytext::to_utf8_lossy(texts[4]), "1600ｍ～2000ｍ");
  const std::vector<std::string> found = Rows(s);

  // The rows go on as a code list, as race codes and as a copy.
  YSearchDetailRace byList(&db_);
  EXPECT_EQ(byList.execracecds(s.getothercode()), n);
  EXPECT_EQ(Rows(byList), found);
  // The same codes as a list of the runs' kind give the runs of the races,
  // as the runs search of the same command does; a race list is not one.
  yrace::OwnedBuffer runs_list(dup_data(s.getothercode()));
  for (int i = 0; i < n; ++i) static_cast<char*>(runs_list.get())[13 * i] = '5';
  YSearchRaceHorse listed(&db_), searched(&db_);
  const int runs = listed.execcd(runs_list.get());
  searched.addparam(s.getparam());
  ASSERT_GT(runs, n);
  ASSERT_EQ(searched.search(1), runs);
  EXPECT_EQ(std::memcmp(listed.getorgdata(), searched.getorgdata(), 659 * static_cast<std::size_t>(runs)), 0);
  EXPECT_EQ(listed.execcd(s.getothercode()), -1);
  YSearchDetailRace byCodes(&db_);
  void* packed = s.getorgdata();
  ASSERT_NE(packed, nullptr);
  EXPECT_EQ(byCodes.setkoldata(static_cast<_tagRACECODEREC*>(dup_data(packed))), n);
  EXPECT_EQ(Rows(byCodes), found);
  EXPECT_EQ(std::string(s.getcodelistptr(), 12), found.front());
  YSearchDetailRace copy(s);
  s.delete_result(0);
  EXPECT_EQ(s.get_list_cnt(), n - 1);
  EXPECT_EQ(CodesOf(copy.getorgdata(0)), found);
}

TEST_F(RaceSearch, RunnerConditionsFindTheSameRacesLocallyAndInTheStore) {
  _tagYDetailRaceInfo info = Period(20190101, 20190430, 1023, 0);
  int found = 0;
  for (const int tk : {(1 << 2) | (1 << 5), 2, 1 | (1 << 3) | (1 << 8) | (1 << 9)}) {
    YSearchDetailRace local(&db_);
    YSearchDetailRace stored(&db_);
    const int n = local.execrace(0, &info, nullptr, nullptr, nullptr, nullptr, 0, tk);
    ASSERT_EQ(stored.setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, tk), 0);
    EXPECT_EQ(stored.search(), n) << tk;
    EXPECT_EQ(Rows(stored), Rows(local)) << tk;
    found += n;
  }
  EXPECT_GT(found, 0);
  // A race whose runner records fall short of its runner count fails the run.
  ydb_test_keep_records("get_race2code_2", 1);
  YSearchDetailRace s(&db_);
  EXPECT_EQ(s.execrace(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 4), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kOutOfMemory);
  EXPECT_EQ(s.get_list_cnt(), 0);
  ydb_test_keep_records(nullptr, 0);
}

TEST_F(RaceSearch, GradedRacesByNameListEveryRunning) {
  YSearchGradeRace grade(&db_);
  EXPECT_EQ(grade.execname(4), -1);
  const int g1 = grade.execname(1);
  ASSERT_GT(g1, 5);
  for (int i = 0; i < g1; ++i) {
    ASSERT_EQ(grade.execrace(i), 1) << ytext::to_utf8_lossy(grade.getname(i));  // one season
    const std::string ew = ytext::to_utf8_lossy(grade.getew(i));
    EXPECT_TRUE(ew == "東" || ew == "西");
  }
  EXPECT_EQ(grade.execrace(g1), -1);
  // The detailed search lists the same names.
  YSearchDetailRace s(&db_);
  EXPECT_EQ(s.execname(1), g1);
  EXPECT_EQ(s.getname(g1 - 1), grade.getname(g1 - 1));

  YHorseDB closed;
  YSearchGradeRace none(&closed);
  EXPECT_EQ(none.execname(1), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

TEST_F(RaceSearch, FailuresLeaveNoRowsAndKeepTheCommand) {
  YSearchDetailRace s(&db_);
  _tagYDetailRaceInfo info = Period(20190101, 20191231, 1023, 0);
  ASSERT_EQ(s.setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
  ydb_test_fail("get_race2cmd_sp1");
  EXPECT_EQ(s.search(), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(s.get_list_cnt(), 0);
  ydb_test_fail(nullptr);
  EXPECT_GT(s.search(), 0);

  // Code lists of another kind, and other kinds, are refused.
  yrace::OwnedBuffer list(alloc_data(13, 1));
  std::memcpy(list.get(), "0201901010101", 13);
  EXPECT_EQ(get_otherdata(list.get(), 4), nullptr);
  EXPECT_EQ(get_otherdata(list.get(), 0), nullptr);
}

}  // namespace
