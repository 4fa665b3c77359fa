// The horse search's keys: the codes are checked against the key table,
// and the searches by an ancestor's name or by the races found start from
// their indexes (what each key finds, in both forms: the horse search
// oracle). Which kinds combine is the command buffers' test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/base/RecordBuffer.h"
#include "db/query/Command.h"
#include "db/query/KeyTable.h"
#include "db/query/Parser.h"
#include "db/query/Search.h"
#include "db/query/SqlAssembly.h"
#include "db/store/Database.h"
#include "testing/QueryPlan.h"
#include "testing/TempDir.h"
#include "text/sjis.h"

namespace ydb {
namespace {

Status Parse(const std::string& utf8, Condition* c) {
  return ParseCondition(SearchKind::kHorse, ytext::to_sjis_lossy(utf8), c);
}

using Codes = std::vector<std::string>;

// An empty store for the searches' rows and plans.
class HorseSearchStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Database::Open(dir_.str() + "/s.db", Database::Mode::kOpenOrCreate, &db_).ok());
  }

  // The codes of the horses the search `utf8` finds, in the order found.
  Codes Found(const std::string& utf8) {
    Condition c;
    EXPECT_TRUE(Parse(utf8, &c).ok()) << utf8;
    Codes codes;
    EXPECT_TRUE(EachFound(*db_, c, [&](const Statement& row) {
                  codes.emplace_back(row.column_text(0));
                  return Status::Ok();
                }).ok());
    return codes;
  }

  // The steps of the query plan of the search `utf8`, joined.
  std::string PlanOf(const std::string& utf8) {
    Condition c;
    EXPECT_TRUE(Parse(utf8, &c).ok()) << utf8;
    return ytest::PlanOf(*db_, AssembleQuery(c).sql);
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST(HorseKeys, ValuesOutsideTheKeysAreRefused) {
  for (const char* text : {"T=5", "T=1&T=2", "C=09", "C=1", "K=27", "P=0", "S=3", "UDS=2",
                           "HH=10000>", "TF=20240101", "ts=3"}) {
    Condition c;
    const Status s = Parse(text, &c);
    EXPECT_TRUE(s.IsInvalidArgument()) << text;
  }
}

// The sire's name is the one the horse's pedigree gives (as its record shows
// it), whether or not the sire is a horse of the store and whatever name
// the sire's own row has; a dam's name is no sire's name. The search reads
// the pedigrees' sire names from their index, never every horse.
TEST_F(HorseSearchStore, ASireNameIsThePedigreesAndTheSearchStartsFromTheSiresNames) {
  ASSERT_TRUE(db_->exec(
      "INSERT INTO horse (code, name, sex, sire_code) VALUES ('1000001', 'アオバ', '0', NULL), "
      "('1000002', 'ハヤテ', '0', '1000001'), ('1000003', 'ミドリ', '1', NULL), "
      "('1000004', 'ソラ', '1', NULL), ('1000005', 'ユキ', '2', NULL);"
      "INSERT INTO pedigree (horse_code, position, ancestor_code, name, foaled_in_japan) VALUES "
      "('1000002', 1, '1000001', 'キングアオバ', 1), ('1000003', 1, NULL, 'キングヘイロー', 0), "
      "('1000004', 1, NULL, 'サクラ', 1), ('1000004', 2, NULL, 'キングダム', 1);").ok());
  EXPECT_EQ(Found("FN=きんぐ"), (Codes{"1000002", "1000003"}));
  EXPECT_EQ(Found("FN=*ヘイロー"), (Codes{"1000003"}));
  EXPECT_EQ(Found("FN=キング*&T=1"), (Codes{"1000002", "1000003"}));
  EXPECT_EQ(Found("FN=サクラ&FN=アオバ"), (Codes{"1000002", "1000004"}));
  EXPECT_EQ(Found("FN=ダム"), Codes{});
  EXPECT_EQ(Found("FN=キング&1=3>"), Codes{});  // no runs, no wins

  const std::string steps = PlanOf("FN=キング&1=3>");
  EXPECT_EQ(steps.find("SCAN h"), std::string::npos) << steps;
  EXPECT_EQ(steps.find("SCAN p "), std::string::npos) << steps;
  EXPECT_NE(steps.find("pedigree_by_sire_name"), std::string::npos) << steps;
}

// The dam's and the dam's sire's names are those of their pedigree
// positions (2 and 5), each name tested once from its index, never every
// horse; the horse's own name is compared in the form the store keeps of
// it, not normalised row by row.
TEST_F(HorseSearchStore, TheDamsAndDamsSiresNamesStartFromTheirIndexes) {
  ASSERT_TRUE(db_->exec(
      "INSERT INTO horse (code, name, sex, name_key) VALUES ('1000002', 'はやて', '0', 'ハヤテ'), "
      "('1000003', 'ミドリ', '1', 'ミドリ'), ('1000004', 'ソラ', '1', 'ソラ');"
      "INSERT INTO pedigree (horse_code, position, name, foaled_in_japan) VALUES "
      "('1000002', 1, 'ユキカゼ', 1), ('1000002', 2, 'ユキノハナ', 1), "
      "('1000002', 5, 'キングオー', 0), ('1000003', 2, 'ハナミズキ', 1), "
      "('1000003', 5, 'ユキオー', 1), ('1000004', 2, 'ユキノハナ', 1), "
      "('1000004', 6, 'キングダム', 1);").ok());
  EXPECT_EQ(Found("MN=はな"), (Codes{"1000002", "1000003", "1000004"}));
  EXPECT_EQ(Found("MN=ユキ*"), (Codes{"1000002", "1000004"}));
  EXPECT_EQ(Found("MN=ユキ"), (Codes{"1000002", "1000004"})) << "no sire's or dam's sire's name";
  EXPECT_EQ(Found("BNS=おー"), (Codes{"1000002", "1000003"}));
  EXPECT_EQ(Found("BNS=キング"), (Codes{"1000002"})) << "no dam's dam's name";
  EXPECT_EQ(Found("BNS=ユキ&MN=ハナミ"), (Codes{"1000003"}));
  EXPECT_EQ(Found("BNS=キング&BNS=ゆき&N=ミドリ"), (Codes{"1000003"}));
  EXPECT_EQ(Found("N=はや"), (Codes{"1000002"}));

  for (const auto& [utf8, index] : {std::pair<const char*, const char*>{"MN=はな", "pedigree_by_dam_name"},
                                    {"BNS=ユキ*", "pedigree_by_dams_sire_name"}}) {
    const std::string steps = PlanOf(utf8);
    EXPECT_EQ(steps.find("SCAN h"), std::string::npos) << utf8 << ": " << steps;
    EXPECT_EQ(steps.find("SCAN p "), std::string::npos) << utf8 << ": " << steps;
    EXPECT_NE(steps.find(index), std::string::npos) << utf8 << ": " << steps;
  }
  Condition name;
  ASSERT_TRUE(Parse("N=はや", &name).ok());
  EXPECT_EQ(AssembleQuery(name).sql.find(kSearchKeyFunction), std::string::npos);
}

// A horse command that took a race command's conditions (add_cmd across
// kinds) reaches the horses of the races found through the runners' index
// by race and the horses' key: neither the runners nor the horses are
// scanned whole.
TEST_F(HorseSearchStore, ARaceGroupReachesItsHorsesThroughTheRunnersIndex) {
  Condition horse;
  Condition race;
  ASSERT_TRUE(Parse("S=1", &horse).ok());
  ASSERT_TRUE(ParseCondition(SearchKind::kRace, "TF=20240101&TT=20240131&P=05", &race).ok());
  void* a = nullptr;
  void* b = nullptr;
  void* both = nullptr;
  ASSERT_TRUE(MakeCommand(horse, &a).ok());
  ASSERT_TRUE(MakeCommand(race, &b).ok());
  ASSERT_TRUE(CombineCommands(a, b, &both).ok());
  Condition read;
  ASSERT_TRUE(ReadCommand(both, &read).ok());
  for (void* buffer : {a, b, both}) ReleaseRecords(buffer);
  ASSERT_EQ(read.groups.size(), 2u);
  const std::string steps = ytest::PlanOf(*db_, AssembleQuery(read).sql);
  for (const char* scan : {"SCAN h", "SCAN ru", "SCAN r "}) {
    EXPECT_EQ(steps.find(scan), std::string::npos) << scan << " in " << steps;
  }
  EXPECT_NE(steps.find("runner_by_race (race_date=? AND place=? AND race_no=?)"), std::string::npos)
      << steps;
  EXPECT_NE(steps.find("SEARCH h USING INDEX sqlite_autoindex_horse_1 (code=?)"), std::string::npos)
      << steps;
}

}  // namespace
}  // namespace ydb
