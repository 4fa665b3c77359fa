// The writer against a real store: what the record tests and the read-back
// tests cannot see (the one-transaction rule, validation messages, upserts,
// the meeting and one-run-a-day rules, the user's data), read back with
// plain SQL. Each column's form and round trip is in Columns_test; what the
// writer stores is also rendered byte for byte by the record tests.
#include "db/write/Writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/write/Validation.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

using ytest::kKey;
using ytest::MakeHorse;
using ytest::MakeRace;
using ytest::MakeWorld;

// --- Reading back ------------------------------------------------------------

// The first column of the first row as text ("NULL" for a null, "" for no row).
std::string Get(Database& db, const std::string& sql) {
  Statement& st = db.statement(sql);
  std::string value;
  if (st.step()) value = st.column_is_null(0) ? "NULL" : std::string(st.column_text(0));
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return value;
}

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Status s = Database::Open(dir_.str() + "/store.db", Database::Mode::kOpenOrCreate, &db_);
    ASSERT_TRUE(s.ok()) << s.message();
    writer_ = std::make_unique<Writer>(*db_);
  }

  // Writes the small world; the test stops when that fails.
  void WriteWorld() {
    Status s = writer_->write(MakeWorld());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // Expects `race` to be refused with a message containing `fragment`.
  void ExpectRefused(const Race& race, const std::string& fragment) {
    Status s = writer_->write(race);
    EXPECT_FALSE(s.ok()) << "expected a refusal mentioning: " << fragment;
    EXPECT_NE(s.message().find(fragment), std::string::npos) << s.message();
  }

  std::string get(const std::string& sql) { return Get(*db_, sql); }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
  std::unique_ptr<Writer> writer_;
};

// Real names longer than the records' fields are kept whole: a G1 race of
// 32 bytes, an owner of 48, a breeder of 52, an ancestor of 36 and a Latin
// name of 59.
TEST_F(WriterTest, RealNamesAreKeptWhole) {
  Batch world = MakeWorld();
  world.owners[0].name = "有限会社ノースヒルズマネジメントホールディングス";
  world.breeders[0].name = "社台コーポレーション白老ファーム日高育成牧場浦河分場";
  world.horses[0].pedigree[kDamsSire].name = "サンデーサイレンスノムスコノナカノミ";
  world.horses[0].pedigree[kDamsSire].name_latin =
      "Sunday Silence's Son Among The Many Sons Of That Great Sire";
  world.races[0].name = "朝日杯フューチュリティステークス";
  const Status s = writer_->write(world);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(get("SELECT name FROM race"), "朝日杯フューチュリティステークス");
  EXPECT_EQ(get("SELECT short_name FROM owner"), "有限会社ノースヒルズ") << "cut to 20 bytes";
  EXPECT_EQ(get("SELECT name || '|' || name_latin FROM pedigree WHERE position = 5"),
            "サンデーサイレンスノムスコノナカノミ|"
            "Sunday Silence's Son Among The Many Sons Of That Great Sire");
}

// --- One call, one transaction -----------------------------------------------------

TEST_F(WriterTest, RefusedRaceLeavesNothingBehind) {
  // An unknown jockey is found after the meeting has been written: the
  // whole call must roll back, meeting included.
  Batch world = MakeWorld();
  world.races.clear();
  ASSERT_TRUE(writer_->write(world).ok());
  Race race = MakeRace();
  race.runners[4].jockey_code = "09999";
  ExpectRefused(race, "runner 5: jockey 09999 is not in the store");
  EXPECT_EQ(get("SELECT count(*) FROM meeting"), "0");
  EXPECT_EQ(get("SELECT count(*) FROM race"), "0");
  EXPECT_EQ(get("SELECT count(*) FROM runner"), "0");
}

// The race of a week later whose third runner is a horse no batch has.
Race RaceWithAnUnknownHorse() {
  Race race = MakeRace();
  race.key.date = 20240113;
  race.kai_day = 3;
  race.runners[2].horse_code = "2020099";
  return race;
}

TEST_F(WriterTest, FailedBatchWritesNoneOfIt) {
  Batch world = MakeWorld();
  const Race second = RaceWithAnUnknownHorse();
  world.races.push_back(second);
  Status s = writer_->write(world);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("race 052024011311 runner 3: horse 2020099"), std::string::npos)
      << s.message();
  EXPECT_EQ(get("SELECT count(*) FROM owner") + get("SELECT count(*) FROM horse") +
                get("SELECT count(*) FROM race"),
            "000");

  std::vector<Race> races = {MakeRace(), second};
  world.races.clear();
  ASSERT_TRUE(writer_->write(world).ok());
  EXPECT_FALSE(writer_->write(races).ok());
  EXPECT_EQ(get("SELECT count(*) FROM race"), "0");
}

// The codes a rolled-back call wrote or found are looked up again: a race
// naming a horse and a jockey of the rolled-back batch is refused for the
// horse, not passed on to fail in the database; a committed code stays known.
TEST_F(WriterTest, ARolledBackCodeIsLookedUpAgain) {
  Batch world = MakeWorld();
  world.races.push_back(RaceWithAnUnknownHorse());
  ASSERT_FALSE(writer_->write(world).ok());
  ExpectRefused(MakeRace(), "runner 1: horse 2020011 is not in the store");

  world.races.clear();
  ASSERT_TRUE(writer_->write(world).ok());
  Race refused = MakeRace();
  refused.runners[4].jockey_code = "09999";
  ExpectRefused(refused, "runner 5: jockey 09999 is not in the store");
  const Status s = writer_->write(MakeRace());
  EXPECT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(get("SELECT count(*) FROM runner"), std::to_string(MakeRace().runners.size()));
}

// --- Validation -------------------------------------------------------------------

TEST_F(WriterTest, RaceValidationNamesTheFault) {
  WriteWorld();
  struct Case {
    const char* fault;
    void (*spoil)(Race&);
  };
  const Case cases[] = {
      {"horse_no 10 is outside 1-9", [](Race& r) { r.runners[8].horse_no = 10; }},
      {"horse_no is taken twice", [](Race& r) { r.runners[8].horse_no = 8; }},
      {"frame_no 7 is not the draw's frame 8", [](Race& r) { r.runners[7].frame_no = 7; }},
      {"the horse runs twice", [](Race& r) { r.runners[1].horse_code = "2020011"; }},
      {"name 'ニューイヤーステークス記念特別戦ニューイヤーステークス記念特別戦' takes 64 "
       "bytes in Shift_JIS, more than 60",
       [](Race& r) { r.name = "ニューイヤーステークス記念特別戦ニューイヤーステークス記念特別戦"; }},
      {"class_code must be 5 digits", [](Race& r) { r.class_code = "4"; }},
      {"8 laps for 1700 m, which has 9", [](Race& r) { r.result->laps.pop_back(); }},
      {"finish_pos must be 0 with accident 34",
       [](Race& r) { r.runners[8].result->finish_pos = 9; }},
      {"finish_pos is 0 for a runner without an accident",
       [](Race& r) { r.runners[3].result->finish_pos = 0; }},
      {"the race has a result but the runner has none",
       [](Race& r) { r.runners[2].result.reset(); }},
      {"payout quinella 3-3: horses must run", [](Race& r) {
         r.result->payouts.push_back({Pool::kQuinella, 3, 3, 1000, 0});
       }},
      {"more than 3 win payouts", [](Race& r) {
         for (int n = 2; n <= 4; ++n) r.result->payouts.push_back({Pool::kWin, n, 0, 500, 0});
       }},
      {"bracket quinella 7-7: frame 7 holds one horse", [](Race& r) {
         r.forecast_odds->entries.push_back({Pool::kBracketQuinella, 7, 7, 500, 0, ""});
       }},
      {"odds 0 needs a mark", [](Race& r) { r.forecast_odds->entries[1].mark = ""; }},
      {"only place and wide odds are ranges", [](Race& r) {
         r.forecast_odds->entries[0].odds_max = 40;
       }},
      {"odds: win 1 is given twice", [](Race& r) {
         r.forecast_odds->entries.push_back(r.forecast_odds->entries[0]);
       }},
      {"comment line 2 is empty", [](Race& r) { r.result->comment = "一行目\n\n三行目"; }},
      {"final odds have no kind", [](Race& r) { r.result->final_odds->kind = "0"; }},
      {"a race needs runners or nominations", [](Race& r) {
         r.runners.clear();
         r.result.reset();
         r.forecast_odds.reset();
       }},
  };
  for (const Case& c : cases) {
    Race race = MakeRace();
    c.spoil(race);
    ExpectRefused(race, c.fault);
  }
  EXPECT_EQ(get("SELECT count(*) FROM runner WHERE race_no = 11"), "9") << "nothing changed";
}

// The rules beyond a column's form (each form's refusal is in Columns_test).
TEST_F(WriterTest, EntityValidationNamesTheFault) {
  Trainer trainer;
  trainer.code = "00000";
  trainer.name = "誰か";
  EXPECT_EQ(writer_->write(trainer).message(), "trainer 00000: code 00000 stands for no stable");
  Horse horse = MakeHorse("2020011", "テスト", "1");
  horse.pedigree[kSiresSire].coat_code = "01";
  EXPECT_NE(writer_->write(horse).message().find("pedigree[2] is a grandparent"),
            std::string::npos);
  horse.pedigree[kSiresSire].coat_code = "";
  horse.owner_code = "100001";
  EXPECT_EQ(writer_->write(horse).message(), "horse 2020011: owner 100001 is not in the store");
  EXPECT_EQ(get("SELECT (SELECT count(*) FROM trainer) + (SELECT count(*) FROM horse)"), "0");
}

// --- Upserts ---------------------------------------------------------------------------

TEST_F(WriterTest, RewritingARaceReplacesItAndKeepsMemos) {
  WriteWorld();
  ASSERT_TRUE(writer_->setRunMemo(kKey, "2020011", "次も買い").ok());
  ASSERT_TRUE(writer_->setRunMemo(kKey, "2020018", "消し").ok());

  // The card again, without horse 8 and 9 and without a result.
  Race card = MakeRace();
  card.runners.resize(7);
  for (Runner& r : card.runners) r.result.reset();
  card.result.reset();
  card.runners[0].comment.clear();
  card.forecast_odds.reset();
  card.name = "ニューイヤーＳ";
  Status s = writer_->write(card);
  ASSERT_TRUE(s.ok()) << s.message();

  EXPECT_EQ(get("SELECT name || '|' || runner_count || '|' || has_result FROM race"),
            "ニューイヤーＳ|7|0");
  EXPECT_EQ(get("SELECT (SELECT count(*) FROM payout) + (SELECT count(*) FROM race_lap) + "
                "(SELECT count(*) FROM odds_set WHERE final = 1)"),
            "0");
  EXPECT_EQ(get("SELECT group_concat(horse_code || ':' || kind || ':' || text) FROM run_comment"),
            "2020011:1:次も買い")
      << "the run comment goes with the race, the winner's memo stays, the dropped horse's "
         "memo goes with its run";
}

TEST_F(WriterTest, RewritingAHorseRewritesItsPedigree) {
  WriteWorld();
  Horse other_sire = MakeHorse("1990003", "ニューキング", "0");
  ASSERT_TRUE(writer_->write(other_sire).ok());
  Batch world = MakeWorld();
  Horse horse = world.horses[2];
  ASSERT_EQ(horse.code, "2020011");
  horse.pedigree[kSire].code = "1990003";
  horse.pedigree[kDamsSire] = Ancestor{};
  horse.pedigree[kDam].name_latin = "New Dam";
  horse.name = "ランナーワン";
  Status s = writer_->write(horse);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(get("SELECT sire_code || '|' || ifnull(bms_code, '-') FROM runner "
                "WHERE horse_code = '2020011'"),
            "1990003|-") << "the runs follow";
  EXPECT_EQ(get("SELECT count(*) FROM pedigree WHERE horse_code = '2020011'"), "3");
  EXPECT_EQ(get("SELECT name_latin FROM pedigree WHERE horse_code = '2020011' AND position = 2"),
            "New Dam") << "an ancestor that changed only in a name is written";
}

// A horse's, an owner's and a breeder's name are kept beside it as the
// searches compare them, and follow the name when it is written again.
TEST_F(WriterTest, NamesAreKeptAsSearchesCompareThem) {
  Batch world = MakeWorld();
  world.owners[0].name = "ｱｵﾊﾞＦａｒｍ";
  world.breeders[0].name = "みどり牧場";
  Status s = writer_->write(world);
  ASSERT_TRUE(s.ok()) << s.message();
  const std::string owner = "SELECT name_key FROM owner WHERE code = '" + world.owners[0].code + "'";
  const std::string breeder =
      "SELECT name_key FROM breeder WHERE code = '" + world.breeders[0].code + "'";
  EXPECT_EQ(get(owner), "アオバｆａｒｍ");
  EXPECT_EQ(get(breeder), "ミドリ牧場");
  EXPECT_EQ(get("SELECT count(*) FROM horse WHERE name_key IS NULL"), "0");

  Horse horse = world.horses[2];
  horse.name = "はやてﾀﾞｯｼｭ";
  world.owners[0].name = "ソラ";
  s = writer_->write(horse);
  if (s.ok()) s = writer_->write(world.owners[0]);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(get("SELECT name_key FROM horse WHERE code = '" + horse.code + "'"), "ハヤテダッシュ");
  EXPECT_EQ(get(owner), "ソラ");
}

// --- Meetings and days ---------------------------------------------------------------------

TEST_F(WriterTest, MeetingsAndDaysStayConsistent) {
  WriteWorld();
  Race other = MakeRace();
  other.key.number = 10;
  other.kai_day = 3;
  ExpectRefused(other, "the meeting is kai 1 day 2 for its other races, not kai 1 day 3");

  Race next_day = MakeRace();
  next_day.key.date = 20240107;
  next_day.result.reset();
  for (Runner& r : next_day.runners) r.result.reset();
  ExpectRefused(next_day, "kai 1 day 2 of this racecourse is 20240106");

  // The same horses again on the same day, in another race.
  Race twice = MakeRace();
  twice.key.number = 12;
  ExpectRefused(twice, "horse 2020011 already runs that day in race 052024010611");

  // A fourth racecourse on one day.
  Batch world = MakeWorld();
  world.races.clear();
  for (const char* place : {"06", "07", "08"}) {
    Race r = MakeRace();
    r.key.place = place;
    r.runners.clear();
    r.result.reset();
    r.forecast_odds.reset();
    r.nominations.push_back({"2020011", "02001", "", 0, "", ""});
    world.races.push_back(r);
  }
  ASSERT_FALSE(writer_->write(world).ok());
  world.races.pop_back();
  Status s = writer_->write(world);
  ASSERT_TRUE(s.ok()) << s.message();
  Race fourth = world.races.back();
  fourth.key.place = "08";
  ExpectRefused(fourth, "20240106 already has three racecourses");
  EXPECT_EQ(get("SELECT count(*) FROM nomination"), "2");
}

// --- The user's data ---------------------------------------------------------------------------

TEST_F(WriterTest, TicketsAddedTogetherAreAllAddedOrNone) {
  WriteWorld();
  const Ticket win{kKey, Pool::kWin, 1, 0, 5};
  const Ticket wide{kKey, Pool::kWide, 1, 9, 3};
  EXPECT_FALSE(writer_->addTickets({win, wide, {kKey, Pool::kQuinella, 3, 3, 1}}).ok());
  EXPECT_EQ(get("SELECT count(*) FROM ticket"), "0");
  ASSERT_TRUE(writer_->addTickets({win, wide, win}).ok());
  EXPECT_EQ(get("SELECT group_concat(bet_type || ':' || state) FROM "
                "(SELECT * FROM ticket ORDER BY id)"),
            "1:1,5:1,1:1");
}

TEST_F(WriterTest, TheoriesGetCodesAndKeepTheirItems) {
  Theory theory;
  theory.title = "堅実重視";
  theory.items = {{1, 50, 0, 3, 0}, {24, 50, 0, 12, 0}};
  ASSERT_TRUE(writer_->storeTheory(&theory).ok());
  const int first_code = theory.code;
  EXPECT_GT(first_code, 0);
  Theory second;
  second.title = "穴狙い";
  ASSERT_TRUE(writer_->storeTheory(&second).ok());
  EXPECT_NE(second.code, first_code);

  theory.items = {{78, 100, 0, 0, 0}};
  theory.reserved = 7;
  ASSERT_TRUE(writer_->storeTheory(&theory).ok());
  EXPECT_EQ(theory.code, first_code);
  const std::string code = std::to_string(first_code);
  EXPECT_EQ(get("SELECT title || '|' || reserved || '|' || (SELECT group_concat(item_no) FROM "
                "theory_item WHERE theory_code = " + code + ") FROM theory WHERE code = " + code),
            "堅実重視|7|78");

  theory.title = std::string(32, 'x') + "あいうえおかきくけこさししす";  // 32 + 28 bytes
  EXPECT_TRUE(writer_->storeTheory(&theory).ok());
  theory.title += "せ";
  EXPECT_FALSE(writer_->storeTheory(&theory).ok()) << "62 bytes of title";
  theory.title = "九項目";
  theory.items.resize(9);
  EXPECT_FALSE(writer_->storeTheory(&theory).ok());

  ASSERT_TRUE(writer_->deleteTheory(first_code).ok());
  EXPECT_EQ(get("SELECT count(*) FROM theory_item"), "0");
  EXPECT_FALSE(writer_->deleteTheory(first_code).ok());

  // The last code given is not given again once its theory is deleted, and
  // no theory is stored under a code that names none.
  ASSERT_TRUE(writer_->deleteTheory(second.code).ok());
  theory.title = "再登録";
  theory.items = {{1, 100, 0, 3, 0}};
  EXPECT_FALSE(writer_->storeTheory(&theory).ok()) << "deleted code";
  EXPECT_EQ(theory.code, first_code);
  theory.code = -1;
  ASSERT_TRUE(writer_->storeTheory(&theory).ok());
  EXPECT_GT(theory.code, second.code);
  EXPECT_EQ(get("SELECT count(*) FROM theory"), "1");
}

TEST_F(WriterTest, CheckMarksNeedTheirEntity) {
  WriteWorld();
  EXPECT_TRUE(writer_->setCheckMark(CheckKind::kHorse, "2020011").ok());
  EXPECT_TRUE(writer_->setCheckMark(CheckKind::kStable, "02001").ok());
  EXPECT_TRUE(writer_->setCheckMark(CheckKind::kSire, "1990001").ok());
  EXPECT_EQ(writer_->setCheckMark(CheckKind::kSire, "1990002").message(),
            "check mark: sire 1990002 is not in the store");
  EXPECT_EQ(get("SELECT group_concat(kind || ':' || code) FROM "
                "(SELECT * FROM check_mark ORDER BY kind)"),
            "1:2020011,3:1990001,4:02001");
  EXPECT_FALSE(writer_->setRunMemo(kKey, "1990001", "走っていない").ok());
}

// A person goes only when nothing names it: the refusal counts what does
// and changes nothing; one named by nothing, or not stored, goes quietly.
TEST_F(WriterTest, APersonIsRemovedOnlyWhenNothingNamesIt) {
  WriteWorld();
  ASSERT_TRUE(writer_->setCheckMark(CheckKind::kJockey, "01002").ok());
  using P = Writer::Person;
  const struct {
    P person;
    const char* code;
    const char* refusal;
  } kRefused[] = {
      {P::kJockey, "01001", "jockey 01001 is not removed: 4 runs refer to it"},
      {P::kJockey, "01002", "jockey 01002 is not removed: 5 runs, 1 check marks refer to it"},
      {P::kTrainer, "02001", "trainer 02001 is not removed: 9 horses, 9 runs, 1 jockeys of the stable refer to it"},
      {P::kOwner, "100001", "owner 100001 is not removed: 9 horses, 9 runs refer to it"},
      {P::kBreeder, "20000001", "breeder 20000001 is not removed: 9 horses refer to it"},
  };
  for (const auto& c : kRefused) {
    bool removed = true;
    EXPECT_EQ(writer_->removePerson(c.person, c.code, &removed).message(), c.refusal);
    EXPECT_FALSE(removed) << c.code;
  }
  EXPECT_EQ(get("SELECT count(*) FROM jockey"), "2");

  Jockey spare;
  spare.code = "01003";
  spare.name = "伊藤四郎";
  ASSERT_TRUE(writer_->write(spare).ok());
  bool removed = false;
  EXPECT_TRUE(writer_->removePerson(P::kJockey, "01003", &removed).ok());
  EXPECT_TRUE(removed);
  EXPECT_EQ(get("SELECT count(*) FROM jockey WHERE code = '01003'"), "0");
  EXPECT_TRUE(writer_->removePerson(P::kJockey, "01003", &removed).ok());
  EXPECT_FALSE(removed);

  // A removed trainer, written by this writer before, is not taken as
  // still stored: a jockey of his stable is refused by name.
  Trainer gone;
  gone.code = "02009";
  gone.name = "山本五郎";
  ASSERT_TRUE(writer_->write(gone).ok());
  ASSERT_TRUE(writer_->removePerson(P::kTrainer, "02009").ok());
  spare.trainer_code = "02009";
  EXPECT_NE(writer_->write(spare).message().find("trainer 02009 is not in the store"), std::string::npos);
}

// --- The draw and the scans the readers rely on ---------------------------------------------

TEST(DrawFrame, OuterFramesTakeTheExtraHorses) {
  auto frames = [](int runners) {
    std::string out;
    for (int n = 1; n <= runners; ++n) out += std::to_string(DrawFrame(n, runners));
    return out;
  };
  EXPECT_EQ(frames(8), "12345678");
  EXPECT_EQ(frames(9), "123456788");
  EXPECT_EQ(frames(18), "112233445566777888");
  EXPECT_EQ(FrameSize(8, 18), 3);
  EXPECT_EQ(FrameSize(1, 9), 1);
}

TEST_F(WriterTest, RunScansAreSingleIndexRanges) {
  struct Case {
    const char* sql;
    const char* plan;
  };
  const Case cases[] = {
      {"SELECT * FROM runner WHERE horse_code = '2020011' AND race_date < 20240106",
       "PRIMARY KEY"},
      {"SELECT race_no FROM race WHERE place = '05' AND surface = '1' AND distance = 2000 "
       "AND race_date BETWEEN 20230101 AND 20231231",
       "INDEX race_by_course"},
  };
  for (const Case& c : cases) {
    Statement& st = db_->statement(std::string("EXPLAIN QUERY PLAN ") + c.sql);
    std::string detail;
    while (st.step()) detail += std::string(st.column_text(3)) + "; ";
    st.reset();
    EXPECT_NE(detail.find(c.plan), std::string::npos) << c.sql << "\n" << detail;
    EXPECT_EQ(detail.find("SCAN"), std::string::npos) << c.sql << "\n" << detail;
  }
}

}  // namespace
}  // namespace ydb
