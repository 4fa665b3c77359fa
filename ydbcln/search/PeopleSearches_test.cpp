// The search classes of jockeys, trainers and sires, one table over the
// three kinds, on the shared search season: the command texts they write,
// the same records from both forms, code lists, copies and taken buffers,
// the held command and the failures; and the dam-sire search. What a
// condition finds is checked by PeopleSearchOracle_test.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "testing/FixedToday.h"
#include "testing/Sjis.h"
#include "ydbcln/search/SearchSeason_test.h"
#include "ydbcln/search/YSearchDimSire.h"
#include "ydbcln/search/YSearchJockey.h"
#include "ydbcln/search/YSearchSire.h"
#include "ydbcln/search/YSearchStable.h"

namespace {

// What the table says of one kind: its search and conditions, and the
// command text written for set conditions (the bits the command line's
// tests do not set).
struct Jockey {
  using Search = YSearchJockey;
  using Record = _tagJOCKEYREC;
  using Conditions = ysearch::JockeyConditions;
  static Conditions WinsAtLeast(int n) {
    Conditions c;
    c.t = 1;
    c.wins = {n, 2, 0};
    return c;
  }
  static Conditions Written() {
    Conditions c = WinsAtLeast(3);
    c.p = 1 | 4;
    c.age = (1 << 12) | (1 << 20);
    c.m = 2;
    c.rate[1] = {150, 4, 1};
    return c;
  }
  static constexpr const char* kCommand = "T=1&P=1&P=2&A=0-20&A=41+&WNR=3>&M=2&2H=150<";
};

struct Stable {
  using Search = YSearchStable;
  using Record = _tagSTABLEREC;
  using Conditions = ysearch::PersonConditions;
  static Conditions WinsAtLeast(int n) { return Jockey::WinsAtLeast(n); }
  static Conditions Written() {
    Conditions c = WinsAtLeast(3);
    c.p = 3;
    c.age = 1 << 22;
    c.an = 1990;
    return c;
  }
  static constexpr const char* kCommand = "T=1&P=3&P=2&P=2&P=3&A=66+&WNR=3>&AN=00001990";
};

struct Sire {
  using Search = YSearchSire;
  using Record = _tagSIREREC;
  using Conditions = ysearch::SireConditions;
  static Conditions WinsAtLeast(int n) {
    Conditions c;
    c.t = 1;
    c.figure[0] = {n, 2};
    return c;
  }
  static Conditions Written() {
    Conditions c = WinsAtLeast(3);
    c.age = (1 << 4) | (1 << 12) | 15;  // bits 0-3 add nothing
    c.color = 255;                      // every coat: no condition
    c.k = 4;
    return c;
  }
  static constexpr const char* kCommand = "T=1&A=7&A=15+&K=3&1=3>";
};

constexpr int kWins = 30;

template <typename Kind>
class PeopleSearches : public searchtest::SearchSeason {
 protected:
  static constexpr auto Codes = searchtest::RowCodes<typename Kind::Search>;
  const ytest::FixedToday today_{searchtest::kSeason * 10000 + 1231};
};

using Kinds = ::testing::Types<Jockey, Stable, Sire>;
TYPED_TEST_SUITE(PeopleSearches, Kinds);

TYPED_TEST(PeopleSearches, BothFormsCodeListsCopiesAndTakenBuffersHoldTheSameRecords) {
  typename TypeParam::Search found(&this->db_);
  // Few records: each one found costs a rendering.
  ASSERT_GT(found.exec(TypeParam::WinsAtLeast(kWins)), 0);
  const std::vector<std::string> kept = this->Codes(found);
  ASSERT_EQ(found.setparam(TypeParam::WinsAtLeast(kWins)), 0);
  EXPECT_EQ(found.search(), static_cast<int>(kept.size()));
  EXPECT_EQ(this->Codes(found), kept);

  // The code list leads back to the same records; a copy holds its own.
  typename TypeParam::Search listed(&this->db_);
  EXPECT_EQ(listed.execcd(found.getothercode()), static_cast<int>(kept.size()));
  EXPECT_EQ(this->Codes(listed), kept);
  typename TypeParam::Search copy(found);
  found.deletevector();
  EXPECT_EQ(this->Codes(copy), kept);
  EXPECT_NE(copy.getparam(), found.getparam());
  // One whose buffers cannot be allocated: 1003, no rows, no command.
  ydb_test_fail("dup_data");
  typename TypeParam::Search starved(copy);
  EXPECT_EQ(this->db_.geterrstatus(), YHorseDB::kOutOfMemory);
  EXPECT_EQ(starved.get_list_cnt(), 0);
  EXPECT_EQ(starved.getparam(), nullptr);
  ydb_test_fail(nullptr);

  // Taken over from a buffer, as the drill-down hands one.
  typename TypeParam::Search taken(&this->db_);
  using Record = typename TypeParam::Record;
  EXPECT_EQ(taken.setkoldata(static_cast<Record*>(dup_data(copy.getorgdata()))),
            static_cast<int>(kept.size()));
  EXPECT_EQ(this->Codes(taken), kept);
}

TYPED_TEST(PeopleSearches, TheCommandTextOfItsConditions) {
  typename TypeParam::Search search(&this->db_);
  ASSERT_EQ(search.setparam(TypeParam::Written()), 0);
  EXPECT_EQ(search.getconditiontext(), TypeParam::kCommand);
}

TYPED_TEST(PeopleSearches, RemakeAddsTheRunsKeyExceptForSires) {
  typename TypeParam::Search search(&this->db_);
  ASSERT_EQ(search.setparam(TypeParam::WinsAtLeast(1)), 0);
  const _tagSCMD* held = search.getparam();
  EXPECT_EQ(search.remake_param(1), 0);
  const std::string text = search.getconditiontext();
  if constexpr (std::is_same_v<TypeParam, Sire>) {
    EXPECT_EQ(search.getparam(), held);
    EXPECT_EQ(text.find("UDS"), std::string::npos);
  } else {
    EXPECT_NE(search.getparam(), held);
    EXPECT_EQ(text.substr(text.size() - 6), "&UDS=1");
  }
}

TYPED_TEST(PeopleSearches, BadInputAndFailuresLeaveNoRows) {
  typename TypeParam::Search search(&this->db_);
  for (int t : {0, 5}) {
    auto bad = TypeParam::WinsAtLeast(1);
    bad.t = t;
    EXPECT_EQ(search.exec(bad), -1);
    EXPECT_EQ(this->db_.geterrstatus(), YHorseDB::kBadParameter);
  }
  auto bad_operator = TypeParam::WinsAtLeast(1);
  if constexpr (std::is_same_v<TypeParam, Sire>) {
    bad_operator.figure[2].op = 6;
  } else {
    bad_operator.rate[2].op = 6;
  }
  EXPECT_EQ(search.setparam(bad_operator), -1);

  ASSERT_EQ(search.setparam(TypeParam::WinsAtLeast(1)), 0);
  ydb_test_fail("get_jockey2cmd_sp");
  ydb_test_fail("get_stable2cmd_sp");
  ydb_test_fail("get_sire2cmd_sp");
  EXPECT_EQ(search.search(), -1);
  EXPECT_EQ(this->db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(search.get_list_cnt(), 0);
  ydb_test_fail(nullptr);

  YHorseDB closed;
  typename TypeParam::Search unopened(&closed);
  EXPECT_EQ(unopened.exec(TypeParam::WinsAtLeast(1)), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

using PeopleSearchesOnly = searchtest::SearchSeason;

TEST_F(PeopleSearchesOnly, AJockeysNameAndStableName) {
  const ytest::FixedToday today{searchtest::kSeason * 10000 + 1231};
  YSearchJockey search(&db_);
  ysearch::JockeyConditions c;
  c.t = 1;
  c.name = ytest::Sjis("武");
  ASSERT_EQ(search.setparam(c), 0);
  EXPECT_EQ(search.getconditiontext().substr(0, 3), "NK=");
  c.name = ytest::Sjis("たけ");
  ASSERT_EQ(search.setparam(c), 0);
  EXPECT_EQ(search.getconditiontext().substr(0, 3), "NY=");
  // A stable name holding "&" is refused, the held command kept.
  const _tagSCMD* held = search.getparam();
  c.stable = "A&B";
  EXPECT_EQ(search.setparam(c), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  EXPECT_EQ(search.getparam(), held);
}

TEST_F(PeopleSearchesOnly, DamSiresByName) {
  YSearchDimSire search(&db_);
  const int n = search.exec("", 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(search.getconditiontext(), "T=1");
  const std::string name = search.result(0)->getname();
  const std::string word = name.substr(0, name.find_last_not_of(' ') + 1);
  ASSERT_GT(search.exec(word, 1), 0);
  bool found = false;
  for (int i = 0; i < search.get_list_cnt(); ++i) found |= search.result(i)->getname() == name;
  EXPECT_TRUE(found);
  YSearchDimSire copy(search);
  EXPECT_EQ(copy.get_list_cnt(), search.get_list_cnt());
  EXPECT_EQ(search.exec("", 5), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kBadParameter);
  ydb_test_fail("get_umadimsire2cmd");
  EXPECT_EQ(search.exec("", 1), -1);
  EXPECT_EQ(search.get_list_cnt(), 0);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
}

}  // namespace
