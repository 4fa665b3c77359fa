// Pedigrees across a generated season: every horse's parents in its
// pedigree are the sire and dam the store names, with their years and
// colours, and each generation behind them is what the parents' own
// pedigrees show.
//
// The generator writes the sire and dam of every horse it writes, with
// their pedigrees, but not the sires and dams of those: a parent that is
// not a horse of the store has no pedigree, and its YBlood is empty and
// raises no error.
#include <gtest/gtest.h>

#include <string>
#include <unordered_map>

#include "db/api/SessionState.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

namespace {

// A name without its import mark.
std::string Unmarked(const std::string& name) {
  return !name.empty() && name.back() == '*' ? name.substr(0, name.size() - 1) : name;
}

class BloodWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db_.init(world::season_test::SharedSeason(world::season_test::kSeason, 1)));
  }

  // The pedigree of `code`, built once.
  YBlood& Blood(const std::string& code) {
    auto found = bloods_.find(code);
    if (found == bloods_.end()) found = bloods_.emplace(code, YBlood(&db_, code)).first;
    return found->second;
  }

  // Checks the parent `p` of `horse` against the parent's own horse row
  // (`year` of birth, `coat` code) and pedigree, when it is a horse of the
  // store (`stored`). Whether it was checked.
  bool CheckParent(const YBlood& horse, int p, const std::string& code, bool stored, int year,
                   const std::string& coat) {
    YBlood& parent = Blood(code);
    EXPECT_EQ(parent.exist(), stored) << "parent " << p << " " << code;
    if (!parent.exist()) return false;
    const YBloodFM& fm = horse.parent[p];
    EXPECT_EQ(Unmarked(fm.name), parent.name);
    EXPECT_EQ(fm.text4, std::to_string(year));
    std::string field = coat;
    EXPECT_EQ(fm.color, YUtil::getcolor(reinterpret_cast<unsigned char*>(field.data())));
    // Grandparents 0-1 (sire's side) or 2-3, then the four
    // great-grandparents of that side.
    for (int i = 0; i < 2; ++i) EXPECT_EQ(horse.ancestor[2 * p + i], parent.parent[i].name) << i;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(horse.ancestor[4 + 4 * p + i], parent.ancestor[i]) << i;
    return true;
  }

  YHorseDB db_;
  std::unordered_map<std::string, YBlood> bloods_;
};

TEST_F(BloodWorld, EveryHorseAgreesWithItsSireAndDam) {
  ydb::Database& store = *ydb::SessionState::Get().ready_database();

  ydb::Statement& st = store.statement(
      "SELECT h.code, h.sire_code, sire.code IS NOT NULL, sire.birth_date / 10000, "
      "sire.coat_code, h.dam_code, dam.code IS NOT NULL, dam.birth_date / 10000, dam.coat_code, "
      "EXISTS (SELECT 1 FROM runner r WHERE r.horse_code = h.code) "
      "FROM horse h LEFT JOIN horse sire ON sire.code = h.sire_code "
      "LEFT JOIN horse dam ON dam.code = h.dam_code");
  int horses = 0, runners = 0, both_parents = 0;
  while (st.step()) {
    const std::string code(st.column_text(0));
    SCOPED_TRACE(code);
    ++horses;
    YBlood& blood = Blood(code);
    ASSERT_TRUE(blood.exist()) << "every generated horse has a pedigree";
    const bool sire = CheckParent(blood, 0, std::string(st.column_text(1)), st.column_int(2) != 0,
                                  static_cast<int>(st.column_int(3)), std::string(st.column_text(4)));
    const bool dam = CheckParent(blood, 1, std::string(st.column_text(5)), st.column_int(6) != 0,
                                 static_cast<int>(st.column_int(7)), std::string(st.column_text(8)));
    if (sire && dam) ++both_parents;
    if (st.column_int(9) != 0) {
      ++runners;
      EXPECT_TRUE(sire && dam) << "a runner's sire and dam are horses of the store";
    }
    ASSERT_EQ(db_.geterrstatus(), 0);
    if (HasFailure()) break;
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  EXPECT_GT(runners, 5000);
  EXPECT_GE(both_parents, runners);
  EXPECT_GT(horses, both_parents) << "some sires and dams have parents outside the store";
}

}  // namespace
