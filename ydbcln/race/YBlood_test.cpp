// The pedigree of a horse read from a store: the texts and marks of a
// written pedigree, the parents and ancestors the store does not know, the
// codes that name no pedigree, and a failing store.
#include <gtest/gtest.h>

#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YBlood.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;

// A filly by an imported sire (coat 01, born 2008) out of a home-bred dam
// (coat 03, born 2012), every ancestor named, the imported ones at the
// positions of the sire's sire and of every great-grandparent on the dam's
// side.
ydb::Horse Filly() {
  ydb::Horse h = ytest::MakeHorse("2021501", "ミライノホシ", "1");
  const char* const names[] = {"チチ", "ハハ", "ソフ", "ソボ", "ボフ", "ボボ", "ソソフ",
                               "ソソボ", "ソボフ", "ソボボ", "ボソフ", "ボソボ", "ボボフ", "ボボボ"};
  for (int i = 0; i < ydb::kPedigreeSize; ++i) {
    ydb::Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    a.name = names[i];
    a.name_latin = std::string("Latin ") + names[i];
    a.foaled_in_japan = !(i == ydb::kSire || i == ydb::kSiresSire || i >= ydb::kDSS);
  }
  h.pedigree[ydb::kSire].name_latin = "Chichi";
  h.pedigree[ydb::kSire].coat_code = "01";
  h.pedigree[ydb::kSire].birth_year = 2008;
  h.pedigree[ydb::kDam].name_latin = "Haha";
  h.pedigree[ydb::kDam].coat_code = "03";
  h.pedigree[ydb::kDam].birth_year = 2012;
  return h;
}

// An imported sire without a Latin name, no dam, an imported sire's sire
// known by its code alone, nothing further back.
ydb::Horse FewAncestors() {
  ydb::Horse h = ytest::MakeHorse("2021502", "ナゾノウマ", "0");
  h.pedigree[ydb::kSire] = {"", "ユニュウバ", "", false, "", 0};
  h.pedigree[ydb::kSiresSire] = {"1990002", "", "", false, "", 0};
  return h;
}

class BloodTest : public RaceStore {
 protected:
  void SetUp() override {
    RaceStore::SetUp();
    ydb::Batch world = ytest::MakeWorld();
    world.horses.push_back(Filly());
    world.horses.push_back(FewAncestors());
    Write(world);
  }
};

TEST_F(BloodTest, AWrittenPedigreeWithItsMarksYearsAndColours) {
  db_.seterror(YHorseDB::kDatabaseError, "", 0);
  YBlood blood(&db_, "2021501");
  EXPECT_EQ(db_.geterrstatus(), 0) << "building clears the error";
  ASSERT_TRUE(blood.exist());
  EXPECT_EQ(blood.code, "2021501");
  EXPECT_EQ(blood.name, Sjis("ミライノホシ"));
  EXPECT_EQ(blood.parent[0].name, Sjis("チチ*"));
  EXPECT_EQ(blood.parent[0].name2, "Chichi*");
  EXPECT_EQ(blood.parent[0].text4, "2008");
  EXPECT_EQ(blood.parent[0].color, Sjis("栗毛"));
  EXPECT_EQ(blood.parent[1].name, Sjis("ハハ"));
  EXPECT_EQ(blood.parent[1].name2, "Haha");
  EXPECT_EQ(blood.parent[1].text4, "2012");
  EXPECT_EQ(blood.parent[1].color, Sjis("鹿毛"));
  const char* const expected[] = {"ソフ*", "ソボ", "ボフ", "ボボ", "ソソフ", "ソソボ",
                                  "ソボフ", "ソボボ", "ボソフ*", "ボソボ*", "ボボフ*", "ボボボ*"};
  for (int a = 0; a < YBlood::kAncestors; ++a) {
    EXPECT_EQ(blood.ancestor[a], Sjis(expected[a])) << a;
  }
}

TEST_F(BloodTest, MarksOnlyWhatHasANameAndUnknownParentsStayEmpty) {
  YBlood blood(&db_, "2021502");
  ASSERT_TRUE(blood.exist());
  EXPECT_EQ(blood.parent[0].name, Sjis("ユニュウバ*"));
  EXPECT_EQ(blood.parent[0].name2, "") << "no mark on a blank second name";
  EXPECT_EQ(blood.parent[0].text4, "    ") << "the four characters as the record has them";
  EXPECT_EQ(blood.parent[0].color, "");
  EXPECT_EQ(blood.parent[1].name, "") << "a dam not known carries no mark";
  EXPECT_EQ(blood.parent[1].name2, "");
  EXPECT_EQ(blood.ancestor[0], "") << "an imported ancestor without a name stays empty";
  for (int a = 1; a < YBlood::kAncestors; ++a) EXPECT_EQ(blood.ancestor[a], "") << a;
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(BloodTest, CodesThatNameNoPedigreeGiveAnEmptyOneWithoutError) {
  // 6 and 8 characters, letters, no such horse, a horse with no pedigree.
  for (const char* code : {"202150", "20215011", "202150A", "", "2021599", "1990001"}) {
    db_.seterror(YHorseDB::kDatabaseError, "", 0);
    YBlood blood(&db_, code);
    EXPECT_FALSE(blood.exist()) << code;
    EXPECT_EQ(blood.code, "") << code;
    EXPECT_EQ(blood.name, "") << code;
    EXPECT_EQ(blood.parent[0].name, "") << code;
    EXPECT_EQ(db_.geterrstatus(), 0) << code;
  }
  EXPECT_EQ(ydb_test_call_count("get_ped2code"), 3) << "only 7-character codes are looked up";
}

TEST_F(BloodTest, AFailingStoreOrSessionLeavesItsStatus) {
  ydb_test_fail("get_ped2code");
  YBlood failed(&db_, "2021501");
  EXPECT_FALSE(failed.exist());
  EXPECT_EQ(failed.parent[0].name, "");
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  YBlood short_code(&db_, "202150");
  EXPECT_EQ(db_.geterrstatus(), 0) << "a short code is not looked up, so nothing fails";
  ydb_test_fail(nullptr);

  YHorseDB closed;
  YBlood not_open(&closed, "2021501");
  EXPECT_FALSE(not_open.exist());
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
  YBlood no_session(nullptr, "2021501");
  EXPECT_FALSE(no_session.exist());
}

}  // namespace
