// The keyword race search, the race-day searches and the name search on a
// generated season, each against what a plain filter over the season's
// rendered records keeps, with their refusals and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ydbcln/search/SearchSeason_test.h"
#include "ydbcln/search/YSearchDenma.h"
#include "ydbcln/search/YSearchEtcNames.h"
#include "ydbcln/search/YSearchKeywordRace.h"
#include "ydbcln/search/YSearchSeiseki.h"

namespace {

using searchtest::RaceRow;
using searchtest::RunnerRow;
using Runs = std::function<bool(const RaceRow&, const RunnerRow&)>;
const auto Rows = searchtest::RowCodes<YSearchKeywordRace>;

// The season read once for every test of this file.
const std::vector<RaceRow>& Season() {
  static const std::vector<RaceRow> races = searchtest::ReadSeason();
  return races;
}

// The codes of the races in which some runner passes `keep`, in code order.
std::vector<std::string> RacesWhere(const Runs& keep) {
  std::set<std::string> codes;
  for (const RaceRow& race : Season()) {
    for (const RunnerRow& runner : race.runners) {
      if (keep(race, runner)) codes.insert(race.code);
    }
  }
  return {codes.begin(), codes.end()};
}

// setrace made reachable, to hand it codes no run would give.
class OpenKeywordRace : public YSearchKeywordRace {
 public:
  using YSearchKeywordRace::YSearchKeywordRace;
  using YSearchKeywordRace::setrace;
};

class KeywordRaceSearch : public searchtest::SearchSeason {};

TEST_F(KeywordRaceSearch, TwoHorsesFindTheRacesTheyBothRanIn) {
  // The horses that met most often: the first two runners of a race.
  const RaceRow& race = Season()[Season().size() / 2];
  ASSERT_GE(race.runners.size(), 2u);
  const std::string a = race.runners[0].horse, b = race.runners[1].horse;
  std::map<std::string, std::set<std::string>> runs;
  for (const RaceRow& r : Season()) {
    for (const RunnerRow& runner : r.runners) runs[runner.horse].insert(r.code);
  }
  std::vector<std::string> both;
  for (const std::string& code : runs[a]) {
    if (runs[b].count(code) != 0) both.push_back(code);
  }
  YSearchKeywordRace s(&db_);
  ASSERT_EQ(s.exec_2horse(a, b), static_cast<int>(both.size()));
  EXPECT_EQ(Rows(s), both);
  EXPECT_NE(s.result(0)->getname(), "");  // rows are whole race rows

  // An unknown horse finds nothing.
  EXPECT_EQ(s.exec_2horse(a, "9999999"), 0);
  EXPECT_EQ(s.result(0), nullptr);

  // Only codes of the ten racecourses become rows, each once, in code order.
  OpenKeywordRace open(&db_);
  const std::string last = Season().back().code;
  std::set<std::string> codes = {last, "1" + both.front().substr(1), both.front()};
  EXPECT_EQ(open.setrace(codes), 2);
  EXPECT_EQ(Rows(open), (std::vector<std::string>{std::min(both.front(), last), std::max(both.front(), last)}));
}

TEST_F(KeywordRaceSearch, ASiresOffspringFindRacesByPopularityAndPlace) {
  // The sire of every horse that ran, and the one with the most runs.
  std::map<std::string, std::string> sire_of;
  std::map<std::string, int> runs_of;
  for (const RaceRow& race : Season()) {
    for (const RunnerRow& runner : race.runners) {
      if (sire_of.count(runner.horse) == 0) {
        yrace::OwnedBuffer sire(get_sirecode_uma2code(runner.horse.c_str()));
        sire_of[runner.horse] = yrace::record_count(sire.get(), 41) == 1
            ? searchtest::Bytes(yrace::record_at(sire.get(), 41, 0), 0, 7) : "";
      }
      ++runs_of[sire_of[runner.horse]];
    }
  }
  runs_of.erase("");
  std::string sire = runs_of.begin()->first;
  for (const auto& [code, n] : runs_of) {
    if (n > runs_of[sire]) sire = code;
  }
  auto within = [](int v, int limit, int mode) { return v != 0 && (mode == 0 ? v <= limit : v >= limit); };
  int found = 0;
  // A popularity and a finish, each with its mode: 0 at most, 1 at least.
  struct Limits {
    int popularity, popularity_mode, finish, finish_mode;
  };
  for (const Limits& l : {Limits{3, 0, 3, 0}, Limits{5, 1, 4, 1}}) {
    const std::vector<std::string> expected = RacesWhere([&](const RaceRow&, const RunnerRow& r) {
      return sire_of[r.horse] == sire && within(r.popularity, l.popularity, l.popularity_mode) &&
             within(r.finish, l.finish, l.finish_mode);
    });
    YSearchKeywordRace s(&db_);
    EXPECT_EQ(s.exec_sire(searchtest::kSeason, sire, l.popularity, l.popularity_mode, l.finish, l.finish_mode),
              static_cast<int>(expected.size()));
    EXPECT_EQ(Rows(s), expected) << l.popularity << " " << l.popularity_mode << " " << l.finish << " "
                                 << l.finish_mode;
    found += s.get_list_cnt();
  }
  EXPECT_GT(found, 0);
  YSearchKeywordRace s(&db_);
  EXPECT_EQ(s.exec_sire(searchtest::kSeason, sire, 3, 2, 3, 0), 0);
  EXPECT_EQ(s.exec_sire(searchtest::kSeason + 1, sire, 3, 0, 3, 0), 0);
}

TEST_F(KeywordRaceSearch, AHorseUnderAJockeyIsFoundByPartOfItsName) {
  // A horse and the jockey of its first run.
  const RunnerRow horse = Season()[Season().size() / 3].runners[0];
  const std::string name = horse.horse_name;
  const std::string part = name.substr(0, name.size() / 2 / 2 * 2);  // its first half
  auto by = [&](const std::string& word, bool exact) {
    return RacesWhere([&](const RaceRow&, const RunnerRow& r) {
      const bool named = exact ? r.horse_name == word : ytext::search_matches(r.horse_name, word);
      return named && r.jockey == horse.jockey;
    });
  };
  YSearchKeywordRace s(&db_);
  ASSERT_EQ(s.exec_horsejockey(name, 4, horse.jockey, 0, 0, 0, 0, 0),
            static_cast<int>(by(name, true).size()));
  EXPECT_EQ(Rows(s), by(name, true));
  EXPECT_GT(s.get_list_cnt(), 0);
  EXPECT_EQ(s.exec_horsejockey(part, 1, horse.jockey, 0, 0, 0, 0, 0), static_cast<int>(by(part, false).size()));
  EXPECT_EQ(Rows(s), by(part, false));
  EXPECT_EQ(s.exec_horsejockey(part, 2, horse.jockey, 0, 0, 0, 0, 0),
            static_cast<int>(by(part + "*", false).size()));
  // Limits: the runs of the season that finished in the first three.
  const std::vector<std::string> placed = RacesWhere([&](const RaceRow&, const RunnerRow& r) {
    return r.horse_name == name && r.jockey == horse.jockey && r.finish >= 1 && r.finish <= 3;
  });
  EXPECT_EQ(s.exec_horsejockey(name, 4, horse.jockey, searchtest::kSeason, 0, 0, 3, 0),
            static_cast<int>(placed.size()));
  EXPECT_EQ(s.exec_horsejockey(name, 4, horse.jockey, searchtest::kSeason + 1, 0, 0, 0, 0), 0);
  for (const int T : {0, 5}) {
    db_.clearerror();
    EXPECT_EQ(s.exec_horsejockey(name, T, horse.jockey, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(db_.geterrstatus(), YHorseDB::kBadParameter);
  }
}

TEST_F(KeywordRaceSearch, AYearsRunnersFindRacesByTroubleAndWeightChange) {
  const int year = searchtest::kSeason;
  // Favourites that met any trouble and did not win.
  const std::vector<std::string> troubled = RacesWhere([&](const RaceRow&, const RunnerRow& r) {
    const bool corner = r.corners[0] > 40 || r.corners[1] > 40 || r.corners[2] > 40 || r.corners[3] > 40;
    const int a = r.accident;
    const bool trouble = corner || r.horse_no < r.post_no || a == 32 || a == 36 || a == 31 || a == 33;
    return r.popularity == 1 && trouble && (r.finish == 0 || r.finish >= 2);
  });
  YSearchKeywordRace s(&db_);
  EXPECT_EQ(s.exec_furi(year, 2, 5, 1, 1), static_cast<int>(troubled.size()));
  EXPECT_EQ(Rows(s), troubled);
  EXPECT_GT(s.get_list_cnt(), 0);
  // Up 10 kg or more, among the first six in the betting, placed in the first three.
  const std::vector<std::string> heavier = RacesWhere([&](const RaceRow&, const RunnerRow& r) {
    if (r.weight_change == 999 || r.popularity == 0 || r.finish == 0) return false;
    return r.weight_change >= 10 && r.popularity <= 6 && r.finish <= 3;
  });
  EXPECT_EQ(s.exec_weight(year, 10, 1, 6, 0, 3, 0), static_cast<int>(heavier.size()));
  EXPECT_EQ(Rows(s), heavier);
  EXPECT_GT(s.get_list_cnt(), 0);
  // Arguments that ask for nothing that can be found.
  EXPECT_EQ(s.exec_weight(year, 10, 1, 3, 0, 3, 3), 0);
  EXPECT_EQ(s.exec_furi(year, 3, 6, 1, 0), 0);
}

TEST_F(KeywordRaceSearch, FailuresLeaveNoRows) {
  const RunnerRow horse = Season().front().runners.front();
  YSearchKeywordRace s(&db_);
  ASSERT_GT(s.exec_2horse(horse.horse, horse.horse), 0);
  ydb_test_fail("get_uma_race2code");
  EXPECT_EQ(s.exec_2horse(horse.horse, horse.horse), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(s.get_list_cnt(), 0);
  EXPECT_EQ(s.exec_horsejockey(horse.horse_name, 4, horse.jockey, 0, 0, 0, 0, 0), -1);
  ydb_test_fail(nullptr);
  ydb_test_fail("get_race2cmd_sp2");
  EXPECT_EQ(s.exec_weight(searchtest::kSeason, 10, 1, 3, 0, 3, 0), -1);
  EXPECT_EQ(s.exec_furi(searchtest::kSeason, 3, 5, 1, 0), -1);
  ydb_test_fail(nullptr);
  ydb_test_fail("get_sire_race2code");
  EXPECT_EQ(s.exec_sire(searchtest::kSeason, "0000001", 3, 0, 3, 0), -1);
  EXPECT_EQ(s.get_list_cnt(), 0);
  ydb_test_fail(nullptr);

  YHorseDB closed;
  YSearchKeywordRace none(&closed);
  EXPECT_EQ(none.exec_2horse(horse.horse, horse.horse), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

class RaceDaySearch : public searchtest::SearchSeason {};

TEST_F(RaceDaySearch, AMonthsRaceDaysFromResultsAndCards) {
  const int month = searchtest::kSeason * 100 + 6;
  std::set<int> days;
  for (const RaceRow& race : Season()) {
    if (race.date / 100 == month) days.insert(race.date);
  }
  ASSERT_FALSE(days.empty());
  YSearchSeiseki results(&db_);
  YSearchDenma cards(&db_);
  for (YSearchRace* s : {static_cast<YSearchRace*>(&results), static_cast<YSearchRace*>(&cards)}) {
    ASSERT_EQ(s->exec(month * 100 + 15), static_cast<int>(days.size()));
    std::vector<int> dates;
    for (int i = 0; s->result(i) != nullptr; ++i) dates.push_back(s->result(i)->getdate());
    EXPECT_EQ(dates, std::vector<int>(days.begin(), days.end()));
    EXPECT_GT(s->result(0)->getplacecount(), 0);
    // A day that is none finds none.
    EXPECT_EQ(s->exec(month * 100 + 31), 0);
  }
  YSearchSeiseki copy(results);
  ASSERT_EQ(results.exec(month * 100 + 1), static_cast<int>(days.size()));
  copy = results;
  EXPECT_EQ(copy.result(0)->getdate(), *days.begin());

  ydb_test_fail("get_racelist2date_ex");
  EXPECT_EQ(results.exec(month * 100 + 1), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(results.result(0), nullptr);
  ydb_test_fail(nullptr);
  YHorseDB closed;
  YSearchDenma none(&closed);
  EXPECT_EQ(none.exec(month * 100 + 1), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

class NameSearch : public searchtest::SearchSeason {};

// The names of one kind, as name and code.
using Names = std::vector<std::pair<std::string, std::string>>;

Names RowsOf(YSearchEtcNames& s) {
  Names names;
  for (int i = 0; i < s.get_list_cnt(); ++i) names.emplace_back(s.result(i)->getname(), s.result(i)->getcode());
  return names;
}

TEST_F(NameSearch, EachKindFindsWhatThePlainRuleKeeps) {
  std::mt19937 random(5);
  for (int kind = 1; kind <= 5; ++kind) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    YSearchEtcNames all(&db_);
    char every[] = "*";
    ASSERT_GT(all.exec(kind, every), 0);
    const Names everything = RowsOf(all);
    int found = 0;
    for (int i = 0; i < 12; ++i) {
      // The start of a name, now and then a pattern.
      const std::string name = everything[random() % everything.size()].first;
      std::string word = name.substr(0, ytext::cut_length(name, 2 + random() % 3 * 2));
      const std::size_t first = ytext::is_lead_byte(static_cast<unsigned char>(word[0])) ? 2 : 1;
      if (i % 4 == 1) word = "*" + (word.size() > first ? word.substr(first) : word) + "*";
      if (i % 4 == 2) word += "?*";
      Names expected;
      for (const auto& row : everything) {
        if (ytext::search_matches(row.first, word)) expected.push_back(row);
      }
      YSearchEtcNames s(&db_);
      EXPECT_EQ(s.exec(kind, word.data()), static_cast<int>(expected.size())) << word;
      EXPECT_EQ(RowsOf(s), expected) << word;
      if (s.get_list_cnt() > 0) {
        EXPECT_EQ(s.result(0)->gettype(), kind);
      }
      found += s.get_list_cnt();
    }
    EXPECT_GT(found, 0);
  }
}

TEST_F(NameSearch, BirthplacesAndRefusals) {
  char name[41];
  ASSERT_EQ(get_ncode2val(6, 1, name, sizeof name), 0);
  YSearchEtcNames s(&db_);
  ASSERT_GE(s.exec(6, name), 1);
  bool seen = false;
  for (int i = 0; i < s.get_list_cnt(); ++i) {
    EXPECT_TRUE(ytext::search_matches(s.result(i)->getname(), name));
    seen = seen || (s.result(i)->getcode() == "001" && s.result(i)->getname() == name);
  }
  EXPECT_TRUE(seen);
  char word[] = "x";
  for (const int kind : {0, 7}) EXPECT_EQ(s.exec(kind, word), 0);
  EXPECT_EQ(s.exec(1, nullptr), 0);
  EXPECT_EQ(s.result(0), nullptr);

  ydb_test_fail("get_umahm");
  char every[] = "*";
  EXPECT_EQ(s.exec(1, every), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(s.get_list_cnt(), 0);
  ydb_test_fail(nullptr);
  std::string long_word(61, 'a');
  EXPECT_EQ(s.exec(4, long_word.data()), -1);
  YHorseDB closed;
  YSearchEtcNames none(&closed);
  EXPECT_EQ(none.exec(1, every), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

}  // namespace
