// Race cards read from a store: the race texts, the card lines, each
// runner's last runs and comments, the odds, nominations before the draw,
// the user's own card, copies, and every code or store failure that gives
// an empty card.
#include "ydbcln/race/YDenma.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/session/ydblib.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;
using yrace::OwnedBuffer;

constexpr const char* kCode = "052024010611";

// The small world's race and two earlier runs of its horses, the later on
// 24 December with its own comment and a memo on the first horse's run,
// and a run after the card's date, which is no earlier run.
class Cards : public RaceStore {
 protected:
  void WriteWithRuns() {
    ydb::Batch world = ytest::MakeWorld();
    ydb::Race october = ytest::MakeRace({"05", 20231001, 11});
    october.kai = 4;
    october.kai_day = 4;
    ydb::Race december = ytest::MakeRace({"05", 20231224, 11});
    december.kai = 5;
    december.kai_day = 8;
    december.runners[0].comment = "最後の直線で失速";
    ydb::Race later = ytest::MakeRace({"05", 20240113, 11});
    later.kai_day = 3;
    world.races.insert(world.races.end(), {october, december, later});
    Write(world);
    ASSERT_TRUE(writer_->setRunMemo({"05", 20231224, 11}, "2020011", "距離延長で").ok());
  }
};

TEST_F(Cards, TheRaceTextsOfTheSmallWorldsCard) {
  Write();
  YDenma card(&db_, kCode);
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(card.heading, Sjis("2024 1中2 11R"));
  EXPECT_EQ(card.datetext + card.kaisai, Sjis("2024年 1月 6日１回中山２日目11R"));
  EXPECT_EQ(card.conditions, Sjis("４歳上OPEN  "));
  EXPECT_EQ(card.course, Sjis("ダ右A 1700m"));
  EXPECT_EQ(card.prize[4], Sjis("180万円"));
  EXPECT_EQ(card.pace, Sjis("Ｍ"));
  EXPECT_EQ(card.time1, "") << "no expected time";
  const YRefTime& record = card.reftime[0];
  EXPECT_EQ(record.title, Sjis("レコード"));
  EXPECT_EQ(record.time + " " + card.recordtime, "1.43.7 1.43.7");
  EXPECT_EQ(record.horse + record.jockey, Sjis("ハヤテノカゼ山田"));
  EXPECT_EQ(record.weight, "56.0");
  EXPECT_EQ(record.date, Sjis("2021年12月26日"));
  EXPECT_FALSE(card.reftime[1].exist);
  ASSERT_EQ(card.gethorsecount(), 9);
  EXPECT_EQ(card.horse(9), nullptr);
  EXPECT_EQ(card.horse(-1), nullptr);
}

TEST_F(Cards, EditionGradeWeightRulesAndReferenceTimes) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& race = racetest::AddRace(&world, {"05", 20240106, 10}, "20210");
  race.edition = 64;
  race.grade = "2";
  race.weight_rule1 = "10";
  race.weight_rule2 = "12";
  race.condition_text = "ハンデ";
  race.reference_times[0].reset();
  ydb::ReferenceTime before;
  before.date = 20230107;
  before.time = 1095;
  before.horse_name = "ニバンメ";
  before.weight_carried = 565;
  before.jockey_name = "伊藤";
  before.place = "06";
  race.reference_times[1] = before;
  race.forecast_time = 1098;
  Write(world);

  YDenma card(&db_, "052024010610");
  EXPECT_EQ(card.racename, Sjis("第64回 ニューイヤーステークス"));
  EXPECT_EQ(card.conditions, Sjis("４歳上OPEN(G3) (混合)(特指) ハンデ"));
  EXPECT_FALSE(card.reftime[0].exist) << "a blank kind: no first time";
  EXPECT_EQ(card.reftime[1].time + card.reftime[1].place, "1.49.5" + Sjis("福島"));
  EXPECT_EQ(card.time1, "1.49.8");
}

TEST_F(Cards, CardLineJIsRunnerRecordJAtEveryMappedOffset) {
  ydb::Batch world = ytest::MakeWorld();
  world.races[0].runners[0].training_marks = "1 3";
  world.races[0].runners[0].prediction_mark = "0";
  world.races[0].runners[4].prediction_mark = "9";
  Write(world);
  YDenma card(&db_, kCode);
  ASSERT_TRUE(card.cardlinevalid);
  OwnedBuffer runners(get_denmah2code(kCode, nullptr));
  ASSERT_EQ(yrace::record_count(runners.get(), racedhrec::kSize), 9);
  struct Run {
    int line, record, width;
  };
  const Run runs[] = {{0, 0, 12},    {12, 25, 4},   {16, 29, 2},  {18, 31, 1},  {19, 32, 30},
                      {50, 235, 351}, {401, 586, 1}, {402, 587, 86}, {488, 680, 8}};
  for (int j = 0; j < 9; ++j) {
    const std::string line(reinterpret_cast<const char*>(card.cardline[j]), YDenma::kCardLineSize);
    const std::string record(
        reinterpret_cast<const char*>(yrace::record_at(runners.get(), racedhrec::kSize, j)),
        racedhrec::kSize);
    for (const Run& run : runs) {
      EXPECT_EQ(line.substr(static_cast<std::size_t>(run.line), static_cast<std::size_t>(run.width)),
                record.substr(static_cast<std::size_t>(run.record),
                              static_cast<std::size_t>(run.width)))
          << "line " << j << " at " << run.line;
    }
    EXPECT_EQ(line[49], '1');
  }
  // The marks are where the application reads them.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(card.cardline[0]) + 50, 3), "1 3");
  EXPECT_EQ(card.cardline[0][488], '0');
  EXPECT_EQ(card.cardline[4][488], '9');
}

TEST_F(Cards, LastRunsAndTheirCommentsAreFetchedOnce) {
  WriteWithRuns();
  YDenma card(&db_, kCode);
  ASSERT_EQ(card.gethorsecount(), 9);
  _tagRACERHREC* runs = nullptr;
  ASSERT_EQ(card.zen5(0, runs), 2) << "the run of the 13th is after the card";
  _tagRACERHREC* again = nullptr;
  EXPECT_EQ(card.zen5(0, again), 2);
  EXPECT_EQ(again, runs);
  EXPECT_EQ(ydb_test_call_count("get_uma_race5"), 1) << "the second answer is the kept one";

  // The comment and memo are those of the latest run, fetched once.
  EXPECT_EQ(card.get_rcomment(0), Sjis("最後の直線で失速"));
  EXPECT_EQ(card.get_rmemo(0), Sjis("距離延長で"));
  EXPECT_EQ(card.get_rcomment(0), Sjis("最後の直線で失速"));
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 2);
  EXPECT_EQ(card.get_rcomment(1), "") << "no comment on the second horse's run";

  EXPECT_EQ(card.zen5(9, runs), -1);
  EXPECT_EQ(runs, nullptr);
  EXPECT_EQ(card.get_rcomment(-1) + card.get_rmemo(9), "");
}

TEST_F(Cards, NoEarlierRunIsNoErrorAndAFailingStoreIsAskedAgain) {
  ydb::Batch world = ytest::MakeWorld();
  racetest::AddRace(&world, {"05", 20240106, 10}, "20210");
  Write(world);
  YDenma card(&db_, "052024010610");
  ASSERT_EQ(card.gethorsecount(), 9);
  _tagRACERHREC* runs = reinterpret_cast<_tagRACERHREC*>(&card);
  EXPECT_EQ(card.zen5(3, runs), 0);
  EXPECT_EQ(runs, nullptr);
  EXPECT_EQ(card.get_rcomment(3), "");
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 0) << "nothing to ask about";

  ydb_test_fail("get_uma_race5");
  EXPECT_EQ(card.zen5(4, runs), -1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(card.get_rcomment(4), "");
  ydb_test_fail(nullptr);
  EXPECT_EQ(card.zen5(4, runs), 0);
}

TEST_F(Cards, OddsAreBuiltOnceOrFoundMissingOnce) {
  ydb::Batch world = ytest::MakeWorld();
  racetest::AddRace(&world, {"05", 20240106, 10}, "20210").forecast_odds.reset();
  Write(world);
  YDenma card(&db_, kCode);
  YOdds* odds = card.odds();
  ASSERT_NE(odds, nullptr);
  EXPECT_EQ(odds->gettosu(), 9);
  EXPECT_EQ(card.odds(), odds);

  YDenma none(&db_, "052024010610");
  EXPECT_EQ(none.odds(), nullptr);
  EXPECT_EQ(none.odds(), nullptr);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 2) << "asked once for each card";
}

// Copies own their runners and last runs and build their odds again;
// reloading fetches the runners anew.
TEST_F(Cards, CopiesAndReloads) {
  WriteWithRuns();
  auto card = std::make_unique<YDenma>(&db_, kCode);
  _tagRACERHREC* runs = nullptr;
  ASSERT_EQ(card->zen5(0, runs), 2);
  card->get_rcomment(0);
  ASSERT_NE(card->odds(), nullptr);
  YDenma copy(*card);
  YDenma assigned(&db_, "052023122411");
  assigned = *card;
  card.reset();  // the copies must not lean on the original

  for (YDenma* c : {&copy, &assigned}) {
    ASSERT_EQ(c->gethorsecount(), 9);
    EXPECT_EQ(c->yodds, nullptr);
    const int calls = ydb_test_call_count("get_uma_race5");
    EXPECT_EQ(c->get_rmemo(0), Sjis("距離延長で"));
    EXPECT_EQ(ydb_test_call_count("get_uma_race5"), calls) << "the last runs came with the copy";
    ASSERT_NE(c->odds(), nullptr);
  }
  EXPECT_NE(copy.horse(0), assigned.horse(0));

  ydb::Race race = ytest::MakeRace();
  race.runners[0].jockey_code = "01001";
  Write(race);
  copy.reloadrh();
  ASSERT_EQ(copy.gethorsecount(), 9);
  EXPECT_EQ(copy.horse(0)->jockeycode, "01001");
  EXPECT_EQ(copy.zen5count[0], -1) << "the runners' last runs are fetched anew";
}

TEST_F(Cards, CodesThatNameNoCardGiveAnEmptyCardWithoutAnError) {
  Write();
  // No such race, too short, a letter, race 00 (a whole venue-day).
  for (const char* code : {"052024010612", "05202401061", "05202401061A", "052024010600"}) {
    YDenma card(&db_, code);
    EXPECT_EQ(card.code + card.racename, "") << code;
    EXPECT_EQ(card.gethorsecount(), 0) << code;
    EXPECT_EQ(db_.geterrstatus(), 0) << code;
  }
}

TEST_F(Cards, AFailingStoreOrTooFewRunnerRecordsLeaveNoRunners) {
  Write();
  for (const char* operation : {"get_denma2code", "get_denmah2code"}) {
    ydb_test_fail(operation);
    YDenma card(&db_, kCode);
    EXPECT_EQ(db_.geterrstatus(), 1002) << operation;
    EXPECT_EQ(card.gethorsecount(), 0) << operation;
    ydb_test_fail(nullptr);
  }
  // The card says nine runners; the store answers five records.
  ydb_test_keep_records("get_denmah2code", 5);
  YDenma card(&db_, kCode);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(card.gethorsecount(), 0);
  EXPECT_EQ(card.racename, Sjis("ニューイヤーステークス")) << "what was filled before stays";
}

TEST_F(Cards, NominationsComeBeforeTheCard) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race nominated = ytest::MakeRace({"05", 20240113, 11});
  nominated.kai_day = 3;
  nominated.runners.clear();
  nominated.result.reset();
  nominated.forecast_odds.reset();
  nominated.nominations = {{"2020013", "02001", "01001", 570, "1", "2  "},
                           {"2020011", "02001", "", 0, "", ""},
                           {"2020012", "02001", "01002", 560, "", ""}};
  world.races.push_back(nominated);
  Write(world);

  YDenma before(&db_, "052024011311");
  EXPECT_EQ(before.gethorsecount(), 0) << "no card before the draw";
  OwnedBuffer record(get_tok2code("052024011311"));
  ASSERT_EQ(yrace::record_count(record.get(), racedrec::kSize), 1);
  YDenma nominations(&db_, static_cast<_tagRACEDREC*>(record.get()), 1);
  EXPECT_EQ(db_.geterrstatus(), 0);
  ASSERT_EQ(nominations.gethorsecount(), 3);
  EXPECT_EQ(nominations.horse(1)->horsecode, "2020011");
  EXPECT_EQ(nominations.horse(0)->weightcarried, 570);
  EXPECT_EQ(nominations.cardline[0][50], '2') << "the training mark on the line";

  // Fewer nominee records than the count says: 1002 and no runners.
  ydb_test_keep_records("get_tokh2code", 2);
  YDenma short_of_one(&db_, static_cast<_tagRACEDREC*>(record.get()), 1);
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(short_of_one.gethorsecount(), 0);
}

TEST_F(Cards, ASpecialCardOfThreeHorsesOneUnknown) {
  Write();
  OwnedBuffer race(get_denma2code(kCode));
  ASSERT_EQ(yrace::record_count(race.get(), racedrec::kSize), 1);
  racetest::Records special(ydb::SpecialCardLayout(), 1);
  ydb::RecordBuilder& b = special.b();
  b.set_raw("race_card", std::string(static_cast<const char*>(race.get()), racedrec::kSize));
  b.set_digits("entry_count", 3);
  const char* horses[] = {"2020015", "2099999", "2020011"};
  for (std::size_t j = 0; j < 3; ++j) {
    b.set_code("entry_horse_code", horses[j], j);
    b.set_digits("entry_bracket_number", static_cast<std::int64_t>(j + 1), j);
    b.set_digits("entry_horse_number", static_cast<std::int64_t>(j + 1), j);
    b.set_code("entry_jockey_code", "01002", j);
    b.set_digits("entry_weight_carried", 550, j);
  }
  ASSERT_TRUE(special.ok());

  YDenma card(&db_, special.as<_tagSPDENMA>());
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(card.racename, Sjis("ニューイヤーステークス"));
  ASSERT_EQ(card.gethorsecount(), 3);
  EXPECT_EQ(card.horse(0)->horsename, Sjis("ランナー5"));
  EXPECT_EQ(card.horse(2)->horseno, 3);
  const YRaceHorse* unknown = card.horse(1);
  EXPECT_EQ(unknown->horsename + unknown->sexage, "");
  EXPECT_EQ(unknown->jockeyname, Sjis("高橋三郎")) << "the entry's own fields stay";

  ydb_test_fail("conv_tn2rdh");
  YDenma failed(&db_, special.as<_tagSPDENMA>());
  EXPECT_EQ(db_.geterrstatus(), 1002);
  EXPECT_EQ(failed.gethorsecount(), 0);
  ydb_test_fail(nullptr);
  YDenma none(&db_, static_cast<_tagSPDENMA*>(nullptr));
  EXPECT_EQ(db_.geterrstatus(), 1004);
}

}  // namespace
