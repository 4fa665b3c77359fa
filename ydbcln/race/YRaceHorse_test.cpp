// A horse in a race: card entries and results built from records made
// field by field, without a session (nothing is fetched), so that every
// member comes from the records alone.
#include "ydbcln/race/YRaceHorse.h"

#include <gtest/gtest.h>

#include <cstring>
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
  b.set_digits("distance", 2000);
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
  const int corners[4] = {2, 3, 3, finish};
  for (std::size_t i = 0; i < 4; ++i) b.set_digits("corner_position", corners[i], i);
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

// --- Results -------------------------------------------------------------------------

TEST(YRaceHorseResult, TextsAndNumbersOfAPastPerformance) {
  YRaceHorse h = Runner([](ydb::RecordBuilder&) {});
  EXPECT_EQ(h.racecode, "052024010611");
  EXPECT_EQ(h.kaisai, Sjis(" 1中山 2"));
  EXPECT_EQ(h.racename, Sjis("４歳上1600万下")) << "no race record: named by its age condition";
  EXPECT_EQ(h.horsename, Sjis("ランナー5"));
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
  EXPECT_EQ(h.horsecount, 0) << "results do not set the card's runner count";
  EXPECT_FALSE(h.opponentloaded) << "no session: nothing fetched";
  EXPECT_EQ(h.geth1name(), "");
  EXPECT_EQ(h.get_rcomment(), "");
}

TEST(YRaceHorseResult, TheRaceRecordNamesTheRaceAndCountsTheField) {
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
  YRaceHorse third(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>(), 2);
  EXPECT_EQ(third.horseno, 3);
  EXPECT_EQ(third.order, 1);
  EXPECT_EQ(third.racename, Sjis("中山金杯1600万下"));
  EXPECT_EQ(third.runnercount, 17);
  EXPECT_EQ(third.corners[3], 17) << "within the race record's field";
  // The opponent comes from the records at hand, without a session.
  EXPECT_TRUE(third.opponentloaded);
  EXPECT_EQ(third.h1name, Sjis("ランナー2")) << "the winner's opponent is the runner-up";
  YRaceHorse first(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>(), 0);
  EXPECT_EQ(first.h1name, Sjis("ランナー3"));
  EXPECT_EQ(first.h1code, "2020013");
  YRaceHorse itself(nullptr, race.as<_tagRACERMREC>(), runners.as<_tagRACERHREC>() + 1, -1);
  EXPECT_EQ(itself.horseno, 2);
  YRaceHorse none(nullptr, race.as<_tagRACERMREC>(), nullptr, 0);
  EXPECT_EQ(none.horsecode, "");
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
  EXPECT_EQ(other.ordertext, Sjis("３")) << "not an accident code";
  EXPECT_EQ(other.remarks, "");
  YRaceHorse no_post = Runner([](ydb::RecordBuilder& b) { b.set_raw("post_number", "  "); });
  EXPECT_EQ(no_post.remarks, "") << "a blank post number is no stall";
  YRaceHorse no_number = Runner([](ydb::RecordBuilder& b) {
    b.set_digits("horse_number", 0);
    b.set_digits("post_number", 7);
  });
  EXPECT_EQ(no_number.remarks, "");
}

TEST(YRaceHorseResult, CornerPositionsAboveTheField) {
  YRaceHorse h = Runner([](ydb::RecordBuilder& b) {
    const int corners[4] = {16, 17, 39, 43};
    for (std::size_t i = 0; i < 4; ++i) b.set_digits("corner_position", corners[i], i);
  });
  EXPECT_EQ(h.corners[0], 16);
  EXPECT_EQ(h.corners[1], 0);
  EXPECT_EQ(h.corners[2], 0);
  EXPECT_EQ(h.corners[3], 43) << "40 and above carry a mark and are kept";
}

TEST(YRaceHorseResult, MarginSignAndAbsentValues) {
  YRaceHorse winner = Runner([](ydb::RecordBuilder& b) {
    b.set_digits("arrival_order", 1);
    b.set_digits("margin", 4);
  });
  EXPECT_EQ(winner.margin, -4) << "the winner's lead over the second";
  YRaceHorse none = Runner([](ydb::RecordBuilder& b) {
    b.set_digits("margin", 998);
    b.set_raw("body_weight_change", "   ");
    b.set_raw("going", " ");
    b.set_raw("position_code", " ");
    b.set_raw("bracket_number", " ");
  });
  EXPECT_EQ(none.margin, 0);
  EXPECT_EQ(none.weightchange, 999);
  EXPECT_EQ(none.goingcode, -1);
  EXPECT_EQ(none.positioncode, 999);
  EXPECT_EQ(none.bracketno, 0);
  YRaceHorse gained = Runner([](ydb::RecordBuilder& b) { b.set_signed("body_weight_change", 12); });
  EXPECT_EQ(gained.weightchange, 12);
}

TEST(YRaceHorseResult, NullRecordsGiveTheEmptyObject) {
  YRaceHorse h(nullptr, static_cast<_tagRACERHREC*>(nullptr));
  YRaceHorse empty(nullptr);
  EXPECT_EQ(h.horsecode, "");
  EXPECT_EQ(h.order, 0);
  EXPECT_EQ(h.positioncode, 0);
  EXPECT_EQ(std::memcmp(h.resultblock, empty.resultblock, sizeof h.resultblock), 0);
  EXPECT_EQ(h.resultblock[0], ' ');
  YRaceHorse card(nullptr, static_cast<_tagRACEDREC*>(nullptr), nullptr);
  EXPECT_EQ(card.horsename, "");
  YRaceHorse bad_index(nullptr, nullptr, nullptr, -2);
  EXPECT_EQ(bad_index.racecode, "");
}

TEST(YRaceHorseResult, ResultBlockAndCopies) {
  YRaceHorse h = Runner([](ydb::RecordBuilder& b) {
    b.set_raw("result_block", std::string(58, 'a') + std::string(58, 'z'));
  });
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.resultblock), 116),
            std::string(58, 'a') + std::string(58, 'z'));
  h.h1name = "x";
  h.opponentloaded = true;
  h.comment = "c";
  h.commentsloaded = true;
  YRaceHorse copy(h);
  YRaceHorse assigned(nullptr);
  assigned = h;
  for (YRaceHorse* c : {&copy, &assigned}) {
    EXPECT_EQ(c->horsename, h.horsename);
    EXPECT_EQ(c->geth1name(), "x") << "the loaded opponent is copied, not fetched again";
    EXPECT_EQ(c->get_rcomment(), "c");
    EXPECT_EQ(c->resultblock[60], 'z');
  }
}

// --- Card entries ---------------------------------------------------------------------

TEST(YRaceHorseCard, TheEntryFromTheCardRecords) {
  Records race(ydb::RaceCardLayout(), 1);
  ydb::RecordBuilder& rb = race.b();
  rb.set_code("race_code", "052024010611");
  rb.set_digits("year", 2024);
  rb.set_text_utf8("race_name", "中山金杯");
  rb.set_code("grade", "2");
  rb.set_code("race_kind", "4");
  rb.set_digits("conditions", 4);
  rb.set_code("track", "1");
  rb.set_code("direction", "0");
  rb.set_code("inner_outer", "0");
  rb.set_digits("runner_count", 17);
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
  b.set_digits("prediction_mark", 6);
  b.set_digits("value_tenths", 123);
  ASSERT_TRUE(race.ok());
  ASSERT_TRUE(runner.ok());

  YRaceHorse h(nullptr, race.as<_tagRACEDREC>(), runner.as<_tagRACEDHREC>());
  EXPECT_EQ(h.racecode, "052024010111") << "the runner record's old-form key";
  EXPECT_EQ(h.kaisai, Sjis(" 1中山 1"));
  EXPECT_EQ(h.raceno, 11);
  EXPECT_EQ(h.horsecount, 17);
  EXPECT_EQ(h.racename, Sjis("中山金杯"));
  EXPECT_EQ(h.raceclass, "G3");
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
  EXPECT_EQ(h.value, "12.3");
  EXPECT_EQ(h.resultblock[115], ' ');
  EXPECT_EQ(h.ordertext, "");

  runner.b().set_digits("value_tenths", 0);
  runner.b().set_raw("bracket_number", " ");
  YRaceHorse plain(nullptr, race.as<_tagRACEDREC>(), runner.as<_tagRACEDHREC>());
  EXPECT_EQ(plain.value, "");
  EXPECT_EQ(plain.bracketno, 0);
}

}  // namespace
