// A horse in a race: card entries and results built from records made
// field by field, without a session (nothing is fetched), so that every
// member comes from the records alone.
#include "ydbcln/race/YRaceHorse.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ydbcln/race/RaceRecords_test.h"

namespace {

using racetest::Records;
using racetest::Sjis;

// Runner `number` of a 16-runner race at 中山 on 6 January 2024, race 11,
// finishing `finish`.
void FillRunner(ydb::RecordBuilder& b, int number, int finish) {
  b.set_code("race_code", "052024010611");
  b.set_digits("year", 2024);
  b.set_digits("kai", 1);
  b.set_digits("day", 2);
  b.set_code("race_kind", "4");
  b.set_digits("conditions", 16000);
  b.set_code("track", "1");
  b.set_digits("runner_count", 16);
  b.set_code("going", "1");
  b.set_digits("bracket_number", (number + 1) / 2);
  b.set_digits("horse_number", number);
  b.set_digits("post_number", number);
  b.set_code("horse_code", "20200" + std::to_string(10 + number));
  b.set_text_utf8("horse_name", "ランナー" + std::to_string(number));
  b.set_code("sex", "1");
  b.set_digits("age", 5);
  b.set_signed("body_weight_change", -4);
  b.set_digits("result_number_4", 345);
  b.set_code("stable_affiliation", "2");
  b.set_digits("finishing_order", finish);
  b.set_digits("accident", 0);
  b.set_digits("arrival_order", finish);
  b.set_digits("result_number_3", 1201 + finish);
  b.set_code("margin_lengths", finish == 1 ? "  " : "01");
  b.set_code("margin_code", finish == 1 ? " " : "3");
  b.set_digits("margin", finish == 1 ? 4 : 3 * finish);
  b.set_digits("result_number_b", 351);
  for (std::size_t i = 0; i < 4; ++i) b.set_digits("corner_position", 3, i);
  b.set_code("position_code", "3");
  b.set_text_utf8("stable_text", "美浦");
}

YRaceHorse Runner(const std::function<void(ydb::RecordBuilder&)>& change) {
  Records r(ydb::ResultRunnerLayout(), 1);
  FillRunner(r.b(), 5, 3);
  change(r.b());
  EXPECT_TRUE(r.ok());
  return YRaceHorse(nullptr, r.as<_tagRACERHREC>());
}

TEST(YRaceHorseResult, TextsAndNumbersOfAPastPerformance) {
  YRaceHorse h = Runner([](ydb::RecordBuilder& b) {
    b.set_raw("result_block", std::string(58, 'a') + std::string(58, 'z'));
  });
  EXPECT_EQ(h.racecode, "052024010611");
  EXPECT_EQ(h.kaisai, Sjis(" 1中山 2"));
  EXPECT_EQ(h.racename, Sjis("４歳上1600万下")) << "no race record: named by its age condition";
  EXPECT_EQ(h.sexage, Sjis("牝５"));
  EXPECT_EQ(h.goingcode, 1);
  EXPECT_EQ(h.runnercount, 16);
  EXPECT_EQ(h.bracketno, 3);
  EXPECT_EQ(h.ordertext, Sjis("３"));
  EXPECT_EQ(h.racetime, 1204);
  EXPECT_EQ(h.margintext, Sjis("1 1/2"));
  EXPECT_EQ(h.margin, 9);
  EXPECT_EQ(h.last600, 345) << "tenths of a second do not fit a byte";
  EXPECT_EQ(h.resultnumbers[1], 351);
  EXPECT_EQ(h.weightchange, -4);
  EXPECT_EQ(h.position, Sjis("外"));
  EXPECT_EQ(h.stable, Sjis("南美浦"));
  EXPECT_EQ(h.remarks, "");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.resultblock), 116),
            std::string(58, 'a') + std::string(58, 'z'));
  EXPECT_FALSE(h.opponentloaded) << "no session: nothing fetched";
  EXPECT_EQ(h.geth1name(), "");
  // A copy keeps what was loaded and fetches nothing again.
  h.h1name = "x";
  h.opponentloaded = true;
  YRaceHorse copy(h);
  YRaceHorse assigned(nullptr);
  assigned = h;
  EXPECT_EQ(copy.geth1name() + assigned.geth1name(), "xx");
}

TEST(YRaceHorseResult, TheRaceRecordNamesTheRaceCountsTheFieldAndGivesTheOpponent) {
  Records race(ydb::RaceResultLayout(), 1);
  race.b().set_text_utf8("race_name", "中山金杯");
  race.b().set_digits("runner_count", 17);
  // The race's 17 runner records, as the database hands them out; three
  // of them filled, the winner last.
  Records runners(ydb::ResultRunnerLayout(), 17);
  for (int i = 0; i < 3; ++i) FillRunner(runners.at(i), i + 1, 3 - i);
  runners.at(2).set_digits("corner_position", 17, 3);
  ASSERT_TRUE(race.ok());
  ASSERT_TRUE(runners.ok());
  YRaceHorse winner(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>(), 2);
  EXPECT_EQ(winner.horseno, 3);
  EXPECT_EQ(winner.racename, Sjis("中山金杯1600万下"));
  EXPECT_EQ(winner.runnercount, 17);
  EXPECT_EQ(winner.corners[3], 17) << "within the race record's field";
  EXPECT_EQ(winner.margin, -4) << "the winner's lead is negative";
  EXPECT_TRUE(winner.opponentloaded);
  EXPECT_EQ(winner.h1name, Sjis("ランナー2")) << "the winner's opponent is the runner-up";
  YRaceHorse third(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>(), 0);
  EXPECT_EQ(third.h1code, "2020013") << "everybody else's is the winner";
  YRaceHorse itself(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>() + 1, -1);
  EXPECT_EQ(itself.horseno, 2);
}

TEST(YRaceHorseResult, RemarksOfStallsAndAccidents) {
  YRaceHorse moved = Runner([](ydb::RecordBuilder& b) {
    b.set_digits("post_number", 7);
    b.set_digits("accident", 33);
    b.set_digits("finishing_order", 0);
  });
  EXPECT_EQ(moved.ordertext, Sjis("止"));
  EXPECT_EQ(moved.remarks, Sjis("７枠発走 中止 ")) << "the stall first";
  YRaceHorse other = Runner([](ydb::RecordBuilder& b) { b.set_digits("accident", 30); });
  EXPECT_EQ(other.ordertext + other.remarks, Sjis("３")) << "not an accident code";
  YRaceHorse no_number = Runner([](ydb::RecordBuilder& b) {
    b.set_digits("horse_number", 0);
    b.set_digits("post_number", 7);
  });
  EXPECT_EQ(no_number.remarks, "");
}

TEST(YRaceHorseResult, CornersAboveTheFieldAndAbsentValues) {
  YRaceHorse h = Runner([](ydb::RecordBuilder& b) {
    const int corners[4] = {16, 17, 39, 43};
    for (std::size_t i = 0; i < 4; ++i) b.set_digits("corner_position", corners[i], i);
    b.set_digits("margin", 998);
    b.set_raw("body_weight_change", "   ");
    b.set_raw("going", " ");
    b.set_raw("position_code", " ");
    b.set_raw("bracket_number", " ");
  });
  EXPECT_EQ(h.corners[0], 16);
  EXPECT_EQ(h.corners[1], 0);
  EXPECT_EQ(h.corners[2], 0);
  EXPECT_EQ(h.corners[3], 43) << "40 and above carry a mark and are kept";
  EXPECT_EQ(h.margin, 0);
  EXPECT_EQ(h.weightchange, 999);
  EXPECT_EQ(h.goingcode, -1);
  EXPECT_EQ(h.positioncode, 999);
  EXPECT_EQ(h.bracketno, 0);
}

// The class rank from the conditions and the grade: one row per step of
// the ladder, at its ends.
TEST(YRaceHorseResult, ClassRanks) {
  struct Case {
    const char* conditions;
    const char* grade;
    int rank;
  };
  const Case cases[] = {{"00003", " ", 0}, {"00004", " ", 4}, {"05000", " ", 1},
                        {"-0005", " ", 1}, {"09000", " ", 2}, {"09005", " ", 3},
                        {"16000", " ", 3}, {"20000", " ", 0}, {"00004", "5", 5},
                        {"00004", "4", 6}, {"00004", "0", 7}};
  for (const Case& c : cases) {
    YRaceHorse h = Runner([&c](ydb::RecordBuilder& b) {
      b.set_raw("conditions", c.conditions);
      b.set_raw("grade", c.grade);
    });
    EXPECT_EQ(h.classrank, c.rank) << c.conditions << " grade '" << c.grade << "'";
  }
}

TEST(YRaceHorseCard, TheEntryFromTheCardRecords) {
  Records race(ydb::RaceCardLayout(), 1);
  ydb::RecordBuilder& rb = race.b();
  rb.set_code("race_code", "052024010611");
  rb.set_text_utf8("race_name", "中山金杯");
  rb.set_code("grade", "2");
  rb.set_code("race_kind", "4");
  rb.set_digits("conditions", 4);
  rb.set_code("track", "1");
  rb.set_code("direction", "0");
  rb.set_code("inner_outer", "0");
  rb.set_digits("runner_count", 17);
  rb.set_digits("distance", 1700);
  rb.set_code("pace", "0");
  Records runner(ydb::CardRunnerLayout(), 1);
  ydb::RecordBuilder& b = runner.b();
  b.set_code("place_code", "05");
  b.set_digits("year", 2024);
  b.set_digits("kai", 1);
  b.set_digits("day", 1);
  b.set_digits("race_number", 11);
  b.set_digits("bracket_number", 8);
  b.set_digits("horse_number", 16);
  b.set_code("sex", "2");
  b.set_digits("age", 7);
  b.set_code("entry_code", "E");
  b.set_text_utf8("jockey_text", "高橋三郎（美浦）");
  b.set_code("five_char_code", "CDEFG");
  b.set_code("code_byte", "K");
  b.set_code("stable_affiliation", "1");
  b.set_code("trainer_code", "02001");
  b.set_digits("prediction_mark", 6);
  b.set_digits("value_tenths", 123);
  ASSERT_TRUE(race.ok());
  ASSERT_TRUE(runner.ok());

  YRaceHorse h(nullptr, race.as<_tagRACEDREC>(), runner.as<_tagRACEDHREC>());
  EXPECT_EQ(h.racecode, "052024010111") << "the runner record's old-form key";
  EXPECT_EQ(h.kaisai, Sjis(" 1中山 1"));
  EXPECT_EQ(h.raceno, 11);
  EXPECT_EQ(h.horsecount, 17);
  EXPECT_EQ(h.racename + h.raceclass, Sjis("中山金杯G3"));
  EXPECT_EQ(h.classrank, 5);
  EXPECT_EQ(h.horseno, 16);
  EXPECT_EQ(h.jockeytext, Sjis("高橋三郎（美浦）"));
  EXPECT_EQ(h.code5, "CDEFG");
  EXPECT_EQ(h.codebytes[0], 'K');
  EXPECT_EQ(h.codebytes[1], 6);
  EXPECT_EQ(h.codebytes[2], 'E');
  EXPECT_EQ(h.sexage, Sjis("ｾﾝ７"));
  EXPECT_EQ(h.track + h.direction + h.innerouter, Sjis("芝右内"));
  EXPECT_EQ(h.pace, Sjis("Ｈ"));
  EXPECT_EQ(h.stable, Sjis("栗"));
  EXPECT_EQ(h.trainercode, "02001");
  EXPECT_EQ(h.distance, 1700);
  EXPECT_EQ(h.value, "12.3");

  runner.b().set_digits("value_tenths", 0);
  runner.b().set_raw("bracket_number", " ");
  YRaceHorse plain(nullptr, race.as<_tagRACEDREC>(), runner.as<_tagRACEDHREC>());
  EXPECT_EQ(plain.value, "");
  EXPECT_EQ(plain.bracketno, 0);
}

}  // namespace
