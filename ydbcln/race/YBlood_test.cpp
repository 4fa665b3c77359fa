// The pedigree of a horse read from a store: the import marks of a written
// pedigree, parents and ancestors the store does not know, the codes that
// name no pedigree, and a failing store.
#include <gtest/gtest.h>

#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YBlood.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;

// A filly by an imported sire out of a home-bred dam, every ancestor
// named, the imported ones at the positions of the sire's sire and of
// every great-grandparent on the dam's side.
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
  h.pedigree[ydb::kDam].name_latin = "Haha";
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

// The parents' years and colours, and the names behind them, are checked
// against the parents' own rows over a generated season; these are the
// import marks, which that check takes off.
TEST_F(BloodTest, ImportMarksOnEveryNamedImportedParentAndAncestor) {
  db_.seterror(YHorseDB::kDatabaseError, "", 0);
  YBlood blood(&db_, "2021501");
  EXPECT_EQ(db_.geterrstatus(), 0) << "building clears the error";
  ASSERT_TRUE(blood.exist());
  EXPECT_EQ(blood.parent[0].name, Sjis("チチ*"));
  EXPECT_EQ(blood.parent[0].name2, "Chichi*");
  EXPECT_EQ(blood.parent[1].name + blood.parent[1].name2, Sjis("ハハHaha"));
  const char* const expected[] = {"ソフ*", "ソボ", "ボフ", "ボボ", "ソソフ", "ソソボ",
                                  "ソボフ", "ソボボ", "ボソフ*", "ボソボ*", "ボボフ*", "ボボボ*"};
  for (int a = 0; a < YBlood::kAncestors; ++a) {
    EXPECT_EQ(blood.ancestor[a], Sjis(expected[a])) << a;
  }

  YBlood few(&db_, "2021502");
  EXPECT_EQ(few.parent[0].name, Sjis("ユニュウバ*"));
  EXPECT_EQ(few.parent[0].name2, "") << "no mark on a blank second name";
  EXPECT_EQ(few.parent[1].name, "") << "a dam not known carries no mark";
  EXPECT_EQ(few.ancestor[0], "") << "an imported ancestor without a name stays empty";
}

TEST_F(BloodTest, CodesThatNameNoPedigreeGiveAnEmptyOneWithoutError) {
  // 6 and 8 characters, no such horse.
  for (const char* code : {"202150", "20215011", "2021599"}) {
    db_.seterror(YHorseDB::kDatabaseError, "", 0);
    YBlood blood(&db_, code);
    EXPECT_FALSE(blood.exist()) << code;
    EXPECT_EQ(blood.name + blood.parent[0].name, "") << code;
    EXPECT_EQ(db_.geterrstatus(), 0) << code;
  }
  EXPECT_EQ(ydb_test_call_count("get_ped2code"), 1) << "only 7-character codes are looked up";
}

TEST_F(BloodTest, AFailingStoreOrSessionLeavesItsStatus) {
  ydb_test_fail("get_ped2code");
  YBlood failed(&db_, "2021501");
  EXPECT_FALSE(failed.exist());
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  ydb_test_fail(nullptr);

  YHorseDB closed;
  YBlood not_open(&closed, "2021501");
  EXPECT_FALSE(not_open.exist());
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

}  // namespace
