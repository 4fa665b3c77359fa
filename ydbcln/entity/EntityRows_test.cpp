// The entity list rows: figures read from hand-built records (rates on an
// exact half, the year's counts of another year, the stable and
// qualification rules), rows without record, copies that own their record
// and survive the buffer, self-assignment, a copy that cannot allocate
// (1003), and the full objects built from a row without a fetch.
#include <gtest/gtest.h>

#include <string>

#include "db/api/ydbtest.h"
#include "db/layout/Layouts.h"
#include "testing/FixedToday.h"
#include "ydbcln/entity/YDimSire.h"
#include "ydbcln/entity/YDimSireList.h"
#include "ydbcln/entity/YHorse.h"
#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/entity/YJockey.h"
#include "ydbcln/entity/YJockeyList.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YSireList.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/entity/YStableList.h"
#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"

namespace {

using racetest::Records;
using racetest::Sjis;

// A horse with 1 win and 15 unplaced runs spread over the six groups.
void FillHorse(ydb::RecordBuilder& b) {
  b.set_code("code", "2020011");
  b.set_text_utf8("name", "ランナー1");
  b.set_code("sex", "2");
  b.set_digits("age", 4);
  b.set_text_utf8("trainer_short", "調教師");
  b.set_code("stable_affiliation", "2");
  b.set_digits("rplize", 1234567890);
  b.set_digits("finish_counts", 1, 4);       // group 2: one win
  b.set_digits("finish_counts", 10, 3);      // group 1: ten unplaced
  b.set_digits("finish_counts", 5, 23);      // group 6: five unplaced
}

TEST(YHorseListTest, FiguresFromTheRecordRoundAnExactHalfUp) {
  Records r(ydb::HorseLayout(), 1);
  FillHorse(r.b());
  ASSERT_TRUE(r.ok());
  YHorseList row(nullptr, r.as<_tagYDBUMAREC>());
  EXPECT_EQ(row.getcode(), "2020011");
  EXPECT_EQ(row.getname(), Sjis("ランナー1"));
  EXPECT_EQ(row.getseibetu(), 2);
  EXPECT_EQ(row.getage(), 4);
  EXPECT_EQ(row.getstable(), Sjis("(南)調教師"));
  EXPECT_EQ(row.getrplizenum(), 123456);  // the first 6 of 10 digits
  EXPECT_EQ(row.getwin2pnum(), 63);       // 1 of 16 is 6.25 %
  EXPECT_EQ(row.getwin3p(), Sjis("  6.3％"));
  EXPECT_EQ(row.getchakudosu(), "  1-  0-  0- 15/  16");

  r.b().set_code("sex", " ");
  r.b().set_code("stable_affiliation", " ");
  r.b().set_code("stable_location", "  ");
  EXPECT_EQ(row.getseibetu(), 0);
  EXPECT_EQ(row.getstable(), Sjis("調教師"));
  EXPECT_EQ(row.getwin2pnum(), 63);       // kept from the first call

  for (int i = 0; i < 24; ++i) r.b().set_digits("finish_counts", i == 0 || i == 5 ? 1 : 0, i);
  r.b().set_digits("finish_counts", 1, 3);  // 1 win, 1 second, 1 unplaced
  YHorseList fresh(nullptr, r.as<_tagYDBUMAREC>());
  EXPECT_EQ(fresh.getwin2pnum(), 667);
  EXPECT_EQ(fresh.getwin2p(), Sjis(" 66.7％"));

  YHorseList none;
  EXPECT_EQ(none.getseibetu(), -1);
  EXPECT_EQ(none.getage(), -1);
  EXPECT_EQ(none.getrplizenum(), 0);
  EXPECT_EQ(none.getwin3pnum(), 0);
  EXPECT_EQ(none.getwin3p(), "");
  EXPECT_EQ(none.getchakudosu(), "");
  EXPECT_EQ(none.getstable(), "");
}

TEST(YHorseListTest, NoRunsShowZeroRates) {
  Records r(ydb::HorseLayout(), 1);
  r.b().set_code("code", "2020012");
  YHorseList row(nullptr, r.as<_tagYDBUMAREC>());
  EXPECT_EQ(row.getwin2p(), Sjis("  0.0％"));
  EXPECT_EQ(row.getwin3pnum(), 0);
  EXPECT_EQ(row.getchakudosu(), "  0-  0-  0-  0/   0");
}

class EntityRowsStoreTest : public racetest::RaceStore {};

TEST_F(EntityRowsStoreTest, CopiesOwnTheirRecordAndACopyThatCannotAllocateHasNone) {
  YHorseList copy;
  {
    Records r(ydb::HorseLayout(), 1);
    FillHorse(r.b());
    YHorseList row(&db_, r.as<_tagYDBUMAREC>());
    copy = row;
    EXPECT_NE(copy.record(), row.record());
    YHorseList& same = copy;
    copy = same;  // self-assignment keeps the record
    EXPECT_EQ(copy.getname(), Sjis("ランナー1"));

    db_.clearerror();
    ydb_test_fail("alloc_data");
    YHorseList failed(row);
    EXPECT_EQ(db_.geterrstatus(), YHorseDB::kOutOfMemory);
    EXPECT_EQ(failed.record(), nullptr);
    EXPECT_EQ(failed.getname(), "");
    ydb_test_fail(nullptr);
  }
  // The buffer is gone; the copy reads its own record (ASan would tell).
  EXPECT_EQ(copy.getname(), Sjis("ランナー1"));
  EXPECT_EQ(copy.getwin2pnum(), 63);
}

TEST_F(EntityRowsStoreTest, AFullObjectFromARowReadsTheRecordWithoutAFetch) {
  Write();
  yrace::OwnedBuffer horses(get_uma2code("2020011"));
  ASSERT_EQ(get_rec_size(horses.get()), 1);
  YHorseList row(&db_, static_cast<const _tagYDBUMAREC*>(horses.get()));
  ydb_test_reset_counts();
  YHorse horse(&db_, row);
  EXPECT_EQ(ydb_test_call_count("get_uma2code"), 0);
  EXPECT_TRUE(horse.notfound());
  EXPECT_EQ(horse.name, row.getname());
  EXPECT_EQ(horse.searchrace(), 1);

  YHorseList empty;
  EXPECT_FALSE(YHorse(&db_, empty).notfound());

  yrace::OwnedBuffer jockeys(get_jockey2code("01001"));
  ASSERT_EQ(get_rec_size(jockeys.get()), 1);
  YJockeyList jockey_row(&db_, static_cast<const _tagJOCKEYREC*>(jockeys.get()));
  std::string code = "01001";
  EXPECT_EQ(YJockey(&db_, jockey_row).name, YJockey(&db_, code).name);
  EXPECT_EQ(jockey_row.getcode(), "01001");
}

// A jockey of stable 02001 with a year's figures for `year`.
void FillJockey(ydb::RecordBuilder& b, int year, const char* qualification) {
  b.set_code("code", "01001");
  b.set_text_utf8("name", "騎手一");
  b.set_digits("birth_date", 19900401);
  b.set_digits("first_year", 2010);
  b.set_code("affiliation", "2");
  b.set_code("qualification", qualification);
  b.set_code("apprentice", " ");
  b.set_code("stable_code", "02001");
  b.set_text_utf8("stable_name", "調教師一厩舎");
  b.set_text_utf8("stable_short", "調教一");
  b.set_digits("rh_counts", 100, 0);
  b.set_digits("rh_counts", 300, 3);
  b.set_digits("rs_counts", 100, 3);
  b.set_digits("hhrplize", 12345);
  b.set_digits("hh_counts", 1, 0);
  b.set_digits("hh_counts", 2, 3);
  b.set_digits("year", year);
}

TEST(YJockeyListTest, TheYearsFiguresCountOnlyInTheirYearAndThePrizeAlways) {
  const ytest::FixedToday today(20240301);
  Records r(ydb::JockeyLayout(), 2);
  FillJockey(r.at(0), 2024, "0");
  FillJockey(r.at(1), 2023, "9");
  r.at(1).set_code("stable_code", "00000");
  r.at(1).set_code("apprentice", "1");
  ASSERT_TRUE(r.ok());
  YJockeyList now(nullptr, r.as<_tagJOCKEYREC>());
  YJockeyList last(nullptr, r.as<_tagJOCKEYREC>() + 1);

  EXPECT_EQ(now.getage(), 33);
  EXPECT_EQ(now.getshozoku(), 2);
  EXPECT_EQ(now.getshozokustring(), Sjis("美浦"));
  EXPECT_EQ(now.getfirstyear(), Sjis("2010年"));
  EXPECT_EQ(now.getqualify(), Sjis("なし"));
  EXPECT_EQ(now.getminarai(), "");
  EXPECT_EQ(now.getstable_s(), Sjis("調教一"));
  EXPECT_EQ(now.getstable_l(), Sjis("調教師一厩舎"));
  EXPECT_EQ(now.gethnh(), "  1-  0-  0-  2/  3");
  EXPECT_EQ(now.getwin1phnum(), 333);
  EXPECT_EQ(now.getrnh(), "  100-    0-    0-  300/  400");
  EXPECT_EQ(now.getwin1prnum(), 200);  // 100 of 500, jumps included
  EXPECT_EQ(now.getwin1pr(), Sjis(" 20.0％"));

  EXPECT_EQ(last.getqualify(), "????");
  EXPECT_EQ(last.getminarai(), Sjis("(見)"));
  EXPECT_EQ(last.getstable_s(), Sjis("フリー"));
  EXPECT_EQ(last.getstable_l(), Sjis("フリー"));
  EXPECT_EQ(last.gethnh(), "  0-  0-  0-  0/  0");
  EXPECT_EQ(last.getwin1ph(), Sjis("  0.0％"));
  EXPECT_EQ(last.gethhrplizenum(), 12345);
  EXPECT_EQ(last.gethhrplize(), now.gethhrplize());

  YJockeyList none;
  EXPECT_EQ(none.getage(), -1);
  EXPECT_EQ(none.getshozoku(), -1);
  EXPECT_EQ(none.getqualify(), "");
  EXPECT_EQ(none.getstable_s(), "");
  EXPECT_EQ(none.getwin1prnum(), 0);
}

TEST(YStableListTest, ItsAffiliationsAndPrizeFieldsAreTheTrainerRecords) {
  const ytest::FixedToday today(20240301);
  Records r(ydb::StableLayout(), 1);
  ydb::RecordBuilder& b = r.b();
  b.set_code("code", "02001");
  b.set_code("affiliation", "3");
  b.set_digits("hhrplize", 777);
  b.set_digits("hsrplize", 55);
  b.set_digits("hs_counts", 1, 1);
  b.set_digits("hs_counts", 1, 3);
  b.set_digits("year", 2024);
  ASSERT_TRUE(r.ok());
  YStableList row(nullptr, r.as<_tagSTABLEREC>());
  EXPECT_EQ(row.getcode(), "02001");
  EXPECT_EQ(row.getshozokustring(), Sjis("美浦北"));
  EXPECT_EQ(row.gethhrplizenum(), 777);
  EXPECT_EQ(row.gethsrplizenum(), 55);
  EXPECT_EQ(row.gethns(), "  0-  1-  0-  1/  2");
  EXPECT_EQ(row.getwin2phnum(), 500);
  EXPECT_EQ(row.getage(), 0);  // no date of birth
  YStableList copy(row);
  YStableList& same = copy;
  copy = same;
  EXPECT_EQ(copy.getwin2phnum(), 500);
}

TEST(YSireListTest, AgeFromTheCurrentYearAndRatesOverTheThreeGroups) {
  const ytest::FixedToday today(20240301);
  Records r(ydb::SireLayout(), 1);
  ydb::RecordBuilder& b = r.b();
  b.set_code("code", "1990001");
  b.set_text_utf8("name", "オールドキング");
  b.set_digits("birth_year", 2010);
  b.set_digits("offspring_counts", 1, 0);   // a win in the first group
  b.set_digits("offspring_counts", 1, 5);   // a second in the second
  b.set_digits("offspring_counts", 2, 11);  // two unplaced in the third
  ASSERT_TRUE(r.ok());
  YSireList row(nullptr, r.as<_tagSIREREC>());
  EXPECT_EQ(row.getage(), 14);
  EXPECT_EQ(row.getcode(), "1990001");
  EXPECT_EQ(row.getwin1pnum(), 250);
  EXPECT_EQ(row.getwin2p(), Sjis(" 50.0％"));
  EXPECT_EQ(row.getwin3pnum(), 500);
  YSireList none;
  EXPECT_EQ(none.getage(), -1);
  EXPECT_EQ(none.getwin1p(), "");

  Records d(ydb::DamSireLayout(), 1);
  d.b().set_code("code", "1990002");
  d.b().set_text_utf8("name", "ノーザンスター");
  YDimSireList dam_sire(nullptr, d.as<_tagUMADIMSIRE>());
  YDimSireList copy = dam_sire;
  EXPECT_EQ(copy.getcode(), "1990002");
  EXPECT_EQ(copy.getname(), Sjis("ノーザンスター"));
  EXPECT_EQ(YDimSire(nullptr, copy).name, copy.getname());
  EXPECT_EQ(YDimSireList().getname(), "");
}

}  // namespace
