// The race records read from records built by hand at the layouts'
// offsets: every field of an RA, an SE and an HR checked against the model,
// JRA's codes against ours one table of cases each, and bad fields refused
// with their type, field and value.
#include "exchange/jvdata/Races.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "exchange/jvdata/HandBuilt_test.h"
#include "testing/Sjis.h"

namespace exchange {
namespace jvdata {
namespace {

// The record without its CR LF, as the file reader hands it on.
std::string_view Bytes(const std::string& line) {
  return std::string_view(line).substr(0, line.size() - 2);
}

// 2024-01-06 中山 (JRA's 06) 1回2日 11R.
const Fields kRaceId = {{11, "2024"}, {15, "0106"}, {19, "06"}, {21, "01"}, {23, "02"}, {25, "11"}};

Fields With(Fields fields, const Fields& more) {
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

std::string RaceLine(const Fields& fields, char stage = '7') {
  return Line("RA", 1272, With(kRaceId, fields), stage);
}

std::string RunnerLine(const Fields& fields, char stage = '7') {
  return Line("SE", 555, With(kRaceId, fields), stage);
}

TEST(RaceRecordsTest, ARaceDetailsRecordReadsIntoTheModel) {
  const std::string line = RaceLine({
      {32, ytest::Sjis("ニューイヤーステークス")}, {611, "012"}, {614, "C"}, {616, "14"},
      {622, "000000000000"}, {634, "999"}, {697, "1800"}, {705, "24"}, {709, "B "},
      {713, "0018000000072000"}, {809, "00001000"}, {873, "1545"}, {883, "16"}, {887, "2"},
      {888, "1"}, {889, "3"}, {890, "070110118124125123120121124"}, {969, "355470365490"},
      {981, "31"}, {983, "1,2-(3,4)"}, {1053, "41"}, {1055, "1-2-3"}});
  ydb::Race race;
  ydb::Status s = ReadRace(Record(Bytes(line)), 0, &race);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(race.key.code(), "052024010611") << "JRA's 06 中山 is our 05";
  EXPECT_EQ(race.kai * 100 + race.kai_day, 102);
  EXPECT_EQ(race.name, "ニューイヤーステークス");
  EXPECT_EQ(race.edition, 12);
  EXPECT_EQ(race.grade, "2") << "C is G3";
  EXPECT_EQ(race.race_kind, "4");
  EXPECT_EQ(race.class_code, "00004") << "999 is the open class";
  EXPECT_EQ(race.distance, 1800);
  EXPECT_EQ(race.track_code + race.direction + race.inner_outer, "00") << "24: dirt, right";
  EXPECT_EQ(race.rail, "1");
  EXPECT_EQ(race.prizes[0], 18000000);
  EXPECT_EQ(race.prizes[1], 7200000);
  EXPECT_EQ(race.prizes[2], 0);
  EXPECT_EQ(race.added_money, 100000);
  EXPECT_EQ(race.post_time, 1545);
  EXPECT_EQ(race.weather, "1") << "2 is 曇";
  EXPECT_EQ(race.going, "2") << "the dirt's going on a dirt track, 3 重";
  EXPECT_TRUE(race.runners.empty());
  ASSERT_TRUE(race.result);
  const ydb::RaceResult& x = *race.result;
  EXPECT_EQ(x.laps, (std::vector<int>{70, 110, 118, 124, 125, 123, 120, 121, 124}));
  EXPECT_EQ(x.time_first_600, 355);
  EXPECT_EQ(x.time_first_800, 470);
  EXPECT_EQ(x.time_last_600, 365);
  EXPECT_EQ(x.time_last_800, 490);
  EXPECT_EQ(x.time_last_mile, 0);
  ASSERT_EQ(x.corners.size(), 2u);
  EXPECT_EQ(x.corners[0].position_code, 3);
  EXPECT_EQ(x.corners[0].passing_order, "1,2-(3,4)");
  EXPECT_EQ(x.corners[1].position_code, 4);

  ASSERT_TRUE(ReadRace(Record(Bytes(RaceLine({{616, "14"}, {634, "999"}, {705, "24"}}, '2'))), 0,
                       &race).ok());
  EXPECT_FALSE(race.result) << "a card, data stage 2";
}

TEST(RaceRecordsTest, JrasRaceCodesMapToOurs) {
  struct Case {
    Fields fields;
    std::function<std::string(const ydb::Race&)> got;
    std::string want;
  };
  const Fields base = {{616, "14"}, {634, "999"}, {705, "24"}};
  const auto track = [](const ydb::Race& r) {
    return r.race_kind + "|" + r.track_code + r.direction + r.inner_outer;
  };
  const auto klass = [](const ydb::Race& r) { return r.class_code; };
  const auto codes = [](const ydb::Race& r) { return r.grade + "|" + r.rail + "|" + r.weather; };
  const std::vector<Case> cases = {
      {{{705, "10"}}, track, "4|12"},
      {{{705, "12"}}, track, "4|111"},
      {{{705, "20"}}, track, "4|102"},
      {{{705, "29"}}, track, "4|02"},
      {{{616, "18"}, {705, "51"}}, track, "0|13"},
      {{{616, "11"}, {705, "53"}}, track, "1|11"},
      {{{634, "005"}, {11, "2019"}, {15, "0601"}}, klass, "-0005"},
      {{{634, "005"}, {11, "2018"}, {15, "1228"}}, klass, "05000"},
      {{{634, "016"}}, klass, "-0016"},
      {{{634, "701"}}, klass, "00001"},
      {{{634, "   "}, {622, "000703"}}, klass, "00003"},
      {{{614, "A"}, {709, "A1"}, {887, "5"}}, codes, "0|4|4"},
      {{{614, "L"}, {709, "E "}, {887, "6"}}, codes, "||"},
      {{{614, "F"}, {709, "D "}, {887, "0"}}, codes, "3|3|"},
  };
  for (const Case& c : cases) {
    ydb::Race race;
    const ydb::Status s = ReadRace(Record(Bytes(RaceLine(With(base, c.fields)))), 0, &race);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(c.got(race), c.want) << c.fields.back().second;
  }
}

TEST(RaceRecordsTest, ARunnerRecordReadsIntoTheModel) {
  const std::string line = RunnerLine({
      {27, "3"}, {28, "05"}, {30, "2019105219"}, {40, ytest::Sjis("イクイノックス")}, {76, "26"},
      {78, "1"}, {79, "1"}, {80, "04"}, {82, "05"}, {85, "01126"}, {90, ytest::Sjis("木村")},
      {98, "123456"}, {104, ytest::Sjis("シルクレーシング")}, {288, "580"}, {294, "1"},
      {296, "05339"}, {306, ytest::Sjis("ルメール")}, {322, "2"}, {324, "494-004"}, {331, "0"},
      {332, "0101"}, {338, "2255"}, {351, "02020301"}, {359, "001301"}, {365, "03000000"},
      {373, "00001000"}, {387, "460339"}, {531, "-007"}});
  RaceRunner x;
  ydb::Status s = ReadRunner(Record(Bytes(line)), 0, &x);
  ASSERT_TRUE(s.ok()) << s.message();
  const ydb::Runner& r = x.runner;
  EXPECT_EQ(x.race.key.code(), "052024010611");
  EXPECT_EQ(r.frame_no, 3);
  EXPECT_EQ(r.horse_no, 5);
  EXPECT_EQ(r.horse_code, "1905219") << "the year's last two digits and the serial";
  EXPECT_EQ(x.horse.code, "1905219");
  EXPECT_EQ(x.horse.name, "イクイノックス");
  EXPECT_EQ(x.horse.mark_code, "03") << "JRA's 26 is [外]";
  EXPECT_EQ(r.sex + x.horse.sex, "00");
  EXPECT_EQ(x.horse.breed_code, "01");
  EXPECT_EQ(x.horse.coat_code, "04");
  EXPECT_EQ(r.age, 5);
  EXPECT_EQ(r.trainer_code + "|" + x.horse.trainer_code + "|" + x.trainer_name, "01126|01126|木村");
  EXPECT_EQ(r.owner_code + "|" + x.horse.owner_code + "|" + x.owner_name,
            "123456|123456|シルクレーシング");
  EXPECT_EQ(r.weight_carried, 580);
  EXPECT_TRUE(r.blinkers);
  EXPECT_EQ(r.jockey_code + "|" + x.jockey_name, "05339|ルメール");
  EXPECT_EQ(r.apprentice_code, "2");
  EXPECT_EQ(r.body_weight, 494);
  EXPECT_EQ(r.weight_change, -4);
  ASSERT_TRUE(r.result);
  const ydb::RunnerResult& y = *r.result;
  EXPECT_EQ(y.accident_code, "");
  EXPECT_EQ(y.arrival_order * 100 + y.finish_pos, 101);
  EXPECT_EQ(y.time, 1455) << "2:25.5";
  EXPECT_EQ(y.margin_lengths, 0);
  EXPECT_EQ(y.margin_code, "");
  EXPECT_EQ(y.corners, (std::array<int, 4>{2, 2, 3, 1}));
  EXPECT_EQ(y.win_odds, 13);
  EXPECT_EQ(y.popularity, 1);
  EXPECT_EQ(y.prize_money, 300000000);
  EXPECT_EQ(y.added_money, 100000);
  EXPECT_EQ(y.last_600, 339);
  EXPECT_EQ(y.margin_time, 7) << "the winner's lead over the second";

  ASSERT_TRUE(ReadRunner(Record(Bytes(RunnerLine({{30, "2019105219"}, {78, "3"}}, '2'))), 0, &x).ok());
  EXPECT_FALSE(x.runner.result) << "an entry, data stage 2";
  EXPECT_EQ(x.runner.sex, "2");
  EXPECT_FALSE(x.runner.weight_change) << "blank: not known";
}

TEST(RaceRecordsTest, MarginsAndAccidentsMapToOurs) {
  struct Case {
    std::string margin, accident, odds;
    std::string want;  // lengths|margin code|accident|odds
  };
  const std::vector<Case> cases = {
      {"H  ", "0", "0035", "0|0||35"},  {"112", "0", "0035", "1|3||35"},
      {" 34", "0", "0035", "0|5||35"},  {"2  ", "0", "0035", "2|||35"},
      {"10 ", "0", "0035", "10|||35"},  {"Z  ", "0", "0035", "0|7||35"},
      {"   ", "1", "----", "0||34|0"},  {"   ", "4", "0000", "0||33|0"},
      {"K  ", "7", "****", "0|2|36|0"}, {"D  ", "2", "0035", "0|8|35|35"},
  };
  for (const Case& c : cases) {
    RaceRunner x;
    const std::string line = RunnerLine({{30, "2019105219"}, {78, "1"}, {331, c.accident},
                                         {342, c.margin}, {359, c.odds}});
    const ydb::Status s = ReadRunner(Record(Bytes(line)), 0, &x);
    ASSERT_TRUE(s.ok()) << s.message();
    const ydb::RunnerResult& y = *x.runner.result;
    EXPECT_EQ(std::to_string(y.margin_lengths) + "|" + y.margin_code + "|" + y.accident_code + "|" +
                  std::to_string(y.win_odds),
              c.want);
  }
}

// A payout slot: the combination, the yen (9 digits), the popularity.
std::string Slot(const std::string& combination, const std::string& yen, const std::string& popularity) {
  return combination + std::string(9 - yen.size(), '0') + yen + popularity;
}

TEST(RaceRecordsTest, APayoutsRecordReadsEveryPoolItHolds) {
  const std::string line = Line(
      "HR", 719,
      With(kRaceId, {{102, Slot("05", "350", "01") + Slot("07", "350", "02")},
                     {141, Slot("05", "130", "01") + Slot("07", "140", "02") + Slot("01", "210", "05")},
                     {206, Slot("45", "620", "02")},
                     {245, Slot("0507", "880", "003")},
                     {293, Slot("0507", "300", "003") + Slot("0105", "410", "005") +
                               Slot("0107", "1520", "012")},
                     {453, Slot("0507", "1760", "005")}}));
  RaceId race;
  std::vector<ydb::Payout> payouts;
  const ydb::Status s = ReadPayouts(Record(Bytes(line)), 0, &race, &payouts);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(race.key.code(), "052024010611");
  std::string got;
  for (const ydb::Payout& p : payouts) {
    got += std::to_string(static_cast<int>(p.pool)) + ":" + std::to_string(p.first) + "-" +
           std::to_string(p.second) + "=" + std::to_string(p.amount) + "/" +
           std::to_string(p.popularity) + " ";
  }
  EXPECT_EQ(got,
            "1:5-0=350/1 1:7-0=350/2 2:5-0=130/1 2:7-0=140/2 2:1-0=210/5 3:4-5=620/2 "
            "4:5-7=880/3 5:5-7=300/3 5:1-5=410/5 5:1-7=1520/12 ")
      << "a dead heat for the win; the exacta's slots are not read";
}

// The entries of a set of odds as "pool:first-second=odds~max mark".
std::string Entries(const std::vector<ydb::OddsEntry>& entries) {
  std::string got;
  for (const ydb::OddsEntry& e : entries) {
    got += std::to_string(static_cast<int>(e.pool)) + ":" + std::to_string(e.first) + "-" +
           std::to_string(e.second) + "=" + std::to_string(e.odds) + "~" +
           std::to_string(e.odds_max) + e.mark + " ";
  }
  return got;
}

TEST(RaceRecordsTest, OddsRecordsReadEachPoolBySlot) {
  // O1: win slots of 8 bytes from 43, place of 12 from 267, bracket of 9
  // from 603; the flags at 39-41. The third win slot is horse 3's.
  const std::string win = "01003501" "02----  " "03003003";
  const std::string o1 = Line("O1", 962,
                              With(kRaceId, {{27, "01061030"}, {39, "707"},
                                             {43, win}, {603 + 9 * 35, "8812345  "},
                                             {267, "010012001801"}}),
                              '1');
  RaceOdds odds;
  ydb::Status s = ReadOdds(Record(Bytes(o1)), 0, &odds);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(odds.race.key.code(), "052024010611");
  EXPECT_FALSE(odds.final) << "data stage 1: 中間オッズ";
  EXPECT_EQ(odds.announced, 1030);
  EXPECT_EQ(Entries(odds.entries), "1:1-0=35~0 1:2-0=0~0/ 1:3-0=30~0 3:8-8=12345~0 ")
      << "the place pool is not on sale (flag 0)";

  // O3: wide slots of 17 bytes from 40, the pair 2-5 in slot 19.
  const std::string o3 = Line("O3", 2654,
                              With(kRaceId, {{39, "7"}, {40, "01020003000045   "},
                                             {40 + 17 * 19, "020500000        "}}),
                              '4');
  s = ReadOdds(Record(Bytes(o3)), 0, &odds);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_TRUE(odds.final);
  EXPECT_EQ(Entries(odds.entries), "5:1-2=30~45 5:2-5=0~0* ");

  // Written back, each entry goes to the slot read from.
  const ydb::OddsSet set{"1", 1030, odds.entries};
  EXPECT_EQ(OddsRecord("O3", odds.race, 16, set, true, 20240108).substr(40, 17 * 20),
            Bytes(o3).substr(40, 17 * 20));
  EXPECT_EQ(OddsRecord("O2", odds.race, 16, set, true, 20240108), "") << "no quinella odds";

  const std::string bad = Line("O2", 2042, With(kRaceId, {{39, "7"}, {40, "0102000x88003"}}), '4');
  s = ReadOdds(Record(Bytes(bad)), 0, &odds);
  EXPECT_EQ(s.message(), "O2 OddsUmarenInfo '000x88' is not digits");
}

TEST(RaceRecordsTest, BadFieldsAreRefusedWithTypeFieldAndValue) {
  struct Case {
    std::string line;
    std::string message;
  };
  const Fields good_race = {{616, "14"}, {634, "999"}, {705, "24"}};
  const Fields good_runner = {{30, "2019105219"}, {78, "1"}};
  const std::vector<Case> cases = {
      {RaceLine(With(good_race, {{19, "A4"}})), "RA JyoCD 'A4': "},
      {RaceLine(With(good_race, {{19, "99"}})), "RA JyoCD '99': "},
      {RaceLine(With(good_race, {{616, "77"}})), "RA SyubetuCD '77' is not a code known here"},
      {RaceLine(With(good_race, {{705, "99"}})), "RA TrackCD '99' is not a track known here"},
      {RaceLine(With(good_race, {{634, "5x5"}})), "RA JyokenCD5 '5x5' is not a code of digits"},
      {RaceLine(With(good_race, {{697, "18O0"}})), "RA Kyori '18O0' is not digits"},
      {RaceLine(With(good_race, {{91, "\x82"}})), "RA Hondai is not Shift_JIS"},
      {RunnerLine(With(good_runner, {{30, "2019305219"}})),
       "SE KettoNum '2019305219' is not a 10-digit horse code of register 1"},
      {RunnerLine(With(good_runner, {{78, "4"}})), "SE SexCD '4' is not one of 123"},
      {RunnerLine(With(good_runner, {{28, "x1"}})), "SE Umaban 'x1' is not digits"},
      {RunnerLine(With(good_runner, {{331, "8"}})), "SE IJyoCD '8' is not a code known here"},
      {RunnerLine(With(good_runner, {{342, "1X2"}})), "SE ChakusaCD '1X2' is not a margin known here"},
      {Line("HR", 719, With(kRaceId, {{102, Slot("05", "35O", "01")}})),
       "HR PayTansyo '00000035O' is not digits"},
  };
  for (const Case& c : cases) {
    const Record record(Bytes(c.line));
    ydb::Status s;
    if (record.type() == "RA") {
      ydb::Race race;
      s = ReadRace(record, 0, &race);
    } else if (record.type() == "SE") {
      RaceRunner runner;
      s = ReadRunner(record, 0, &runner);
    } else {
      RaceId race;
      std::vector<ydb::Payout> payouts;
      s = ReadPayouts(record, 0, &race, &payouts);
    }
    EXPECT_TRUE(s.IsInvalidArgument()) << c.message;
    EXPECT_EQ(s.message().substr(0, c.message.size()), c.message);
  }
  RaceRunner runner;
  EXPECT_TRUE(ReadRunner(Record(std::string(545, ' ')), 1, &runner).IsNotSupported())
      << "the form before 2003";
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
