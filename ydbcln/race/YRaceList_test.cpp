// Race rows, the venues of a race day and the day's rows per venue, built
// from records made field by field through the layout registry: the texts
// and payouts as a row shows them, the names of named and unnamed races of
// each kind of class, blank fields, and the ends of each range.
#include "ydbcln/race/YRaceList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/YDayRace.h"
#include "ydbcln/race/YMainraceList.h"

namespace {

using racetest::Records;
using racetest::Sjis;

// A run race at 中山 (05), meeting 1, day 2: 16 runners on 1700 m of dirt,
// rail C, horse 3 winning; the third place payout and the third wide pair
// are left blank.
void FillResult(ydb::RecordBuilder& b, const std::string& code) {
  b.set_code("race_code", code);
  b.set_digits("date", std::stoi(code.substr(2, 8)));
  b.set_digits("kai", 1);
  b.set_digits("day", 2);
  b.set_text_utf8("race_name", "ニューイヤーステークス");
  b.set_code("race_kind", "4");
  b.set_digits("conditions", 4);
  b.set_code("track", "0");
  b.set_code("course", "2");
  b.set_digits("distance", 1700);
  b.set_digits("runner_count", 16);
  b.set_digits("win_payout", 450, 0);
  const int place[3][2] = {{3, 150}, {7, 230}, {12, 0}};
  for (std::size_t i = 0; i < 3; ++i) {
    b.set_digits("place_horse_number", place[i][0], i);
    b.set_digits("place_payout", place[i][1], i);
  }
  b.set_digits("bracket_payout", 1230, 0);
  b.set_digits("quinella_pair", 307, 0);
  b.set_digits("quinella_payout", 2340, 0);
  b.set_digits("quinella_popularity", 8, 0);
  b.set_digits("wide_pair", 312, 1);
  b.set_digits("wide_payout", 1450, 1);
  b.set_digits("wide_popularity", 21, 1);
}

YRaceList ResultRow(const std::string& code) {
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), code);
  EXPECT_TRUE(r.ok());
  return YRaceList(nullptr, r.as<_tagRACERMREC>(), true);
}

TEST(YRaceListResult, TextsAndPayoutsOfARunRace) {
  YRaceList row = ResultRow("052024010605");
  EXPECT_EQ(row.getno(), 5);
  EXPECT_EQ(row.getdate(), 20240106);
  EXPECT_EQ(row.gethorsecount(), 16);
  EXPECT_EQ(row.getdistance(), Sjis("ダ1700"));
  EXPECT_EQ(row.getskaisai(), Sjis("1回中山2日"));
  EXPECT_EQ(row.getlongkaisai(), Sjis(" 1中山 2"));
  EXPECT_EQ(row.getcourse(), Sjis("Ｃ"));
  // One-digit race numbers take a second blank so that the numbers align.
  EXPECT_EQ(row.getkaisai(), Sjis("1中2  5R"));
  EXPECT_EQ(row.getraceno() + row.getwinnername(), "5");
  EXPECT_EQ(ResultRow("052024010611").getkaisai(), Sjis("1中2 11R"));

  EXPECT_EQ(row.getw1uno() + row.getw3uno(), " 312");
  EXPECT_EQ(row.gettan(), "   450");
  EXPECT_EQ(row.getfuku1() + row.getfuku2(), "   150   230");
  EXPECT_EQ(row.getfuku3(), "") << "a place payout of zeros is shown empty";
  EXPECT_EQ(row.getwakuren(), "  1230");
  EXPECT_EQ(row.getumaren() + row.getumanin(), "   2340  8");
  EXPECT_EQ(row.getwide2h() + row.getwide2n(), "   1450 21");
  EXPECT_EQ(row.getwide1h() + row.getwide1n(), "") << "a blank wide pair";
}

// How a row names its race: a named race cut to 10 bytes before its
// class, an unnamed one by its age condition and class, and the money
// classes of the old days, which name an unnamed race with their 万下.
TEST(YRaceListResult, NamesAndClassesOfEachKindOfRace) {
  struct Case {
    int year;
    const char* name;  // empty: an unnamed race
    const char* kind;
    const char* conditions;
    char grade;  // '\0': no grade byte at all
    const char* short_name;
    const char* long_name;
    const char* long_class;
    int classnum;
  };
  const Case cases[] = {
      {2024, "ニューイヤーステークス", "4", "00004", ' ', "ニューイヤOPEN", "ニューイヤーステークス", "OPEN", 64000},
      {2024, "中山金杯", "4", "00004", '2', "中山金杯  G3", "中山金杯", "G3", 65002},
      {2024, "", "2", "00003", ' ', "３歳未勝利", "３歳未勝利", "", -1},
      {2024, "", "4", "-0005", ' ', "４歳上1勝クラス", "４歳上", "1勝クラス", 60005},
      {2024, "", "4", "00004", ' ', "４歳上OPEN", "４歳上オープン", "OPEN", -1},
      {2015, "", "3", "09005", '\0', "３歳上900.5万下", "３歳上900.5万下", "900.5", 9005},
  };
  for (const Case& c : cases) {
    Records r(ydb::RaceResultLayout(), 1);
    FillResult(r.b(), "05" + std::to_string(c.year) + "010605");
    if (c.name[0] == '\0') {
      r.b().set_raw("race_name", std::string(30, ' '));
    } else {
      r.b().set_text_utf8("race_name", c.name);
    }
    r.b().set_code("race_kind", c.kind);
    r.b().set_raw("conditions", c.conditions);
    if (c.grade == '\0') {
      r.b().set_marker("grade", '\0');
    } else {
      r.b().set_code("grade", std::string(1, c.grade));
    }
    ASSERT_TRUE(r.ok());
    YRaceList row(nullptr, r.as<_tagRACERMREC>(), true);
    if (c.grade != '\0') {
      EXPECT_EQ(row.getname(), Sjis(c.short_name)) << c.conditions;
    }
    EXPECT_EQ(row.getlongracename(), Sjis(c.long_name)) << c.conditions;
    EXPECT_EQ(row.getlongraceclass(), Sjis(c.long_class)) << c.conditions;
    if (c.classnum >= 0) {
      EXPECT_EQ(row.getclassnum(), c.classnum) << c.conditions;
    }
  }
}

TEST(YRaceListResult, BlankPayoutFields) {
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), "052024010611");
  r.b().set_raw("quinella_pair", "    ", 0);
  r.b().set_raw("win_payout", "      ", 0);
  r.b().set_raw("place_horse_number", "  ", 1);
  r.b().set_raw("place_payout", "      ", 1);
  r.b().set_code("course", "4");
  ASSERT_TRUE(r.ok());
  YRaceList row(nullptr, r.as<_tagRACERMREC>(), false);
  EXPECT_EQ(row.getumaren() + row.getumanin(), "");
  EXPECT_EQ(row.gettan(), "     0") << "the win payout is always formatted";
  EXPECT_EQ(row.getw2uno() + row.getfuku2(), "");
  EXPECT_EQ(row.getcourse(), "A1");
  EXPECT_EQ(row.getlongracename(), "") << "long texts were not asked for";

  r.b().set_code("course", "6");
  EXPECT_EQ(YRaceList(nullptr, r.as<_tagRACERMREC>(), false).getcourse(), "");
}

TEST(YRaceListCard, ACardRowHasNoPayoutsNorCourse) {
  Records r(ydb::RaceCardLayout(), 1);
  ydb::RecordBuilder& b = r.b();
  b.set_code("race_code", "062024041403");
  b.set_digits("kai", 2);
  b.set_digits("day", 8);
  b.set_code("race_kind", "2");
  b.set_digits("conditions", 3);
  b.set_code("track", "1");
  b.set_code("course", "1");
  b.set_digits("distance", 2000);
  b.set_digits("runner_count", 14);
  ASSERT_TRUE(r.ok());
  YRaceList row(nullptr, r.as<_tagRACEDREC>());
  EXPECT_EQ(row.getdate(), 20240414);
  EXPECT_EQ(row.getkaisai(), Sjis("2福8  3R"));
  EXPECT_EQ(row.gettan() + row.getw1uno() + row.getumaren() + row.getcourse(), "");
}

// (Rows sort by date, then code: the race search's local and stored runs.)
TEST(YRaceListBasics, NullRecordsGiveEmptyRows) {
  EXPECT_EQ(YRaceList(nullptr, static_cast<_tagRACERMREC*>(nullptr), true).getno(), 0);
  EXPECT_EQ(YRaceList(nullptr, static_cast<_tagRACEDREC*>(nullptr)).getname(), "");
}

// A race day with 中山 (05) and 京都 (00), the first holding a graded main
// race; the first entry is absent, the second's main race unnamed.
void FillDay(ydb::RecordBuilder& b) {
  b.set_digits("date", 20240106);
  b.set_marker("venue_place_code", '\0', 0);
  const char* places[2] = {"05", "00"};
  for (std::size_t k = 1; k < 3; ++k) {
    b.set_code("venue_place_code", places[k - 1], k);
    b.set_digits("venue_date", 20240106, k);
    b.set_digits("venue_kai", k, k);
    b.set_digits("venue_day", 2, k);
  }
  b.set_text_utf8("venue_main_race_name", "中山金杯", 1);
  b.set_code("venue_main_race_grade", "2", 1);
  b.set_digits("venue_main_race_conditions", 4, 1);
  b.set_raw("venue_main_race_name", std::string(30, ' '), 2);
}

TEST(YMainraceListRecord, PresentVenuesInRecordOrderWithTheirMainRaces) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  ASSERT_TRUE(r.ok());
  YMainraceList day(nullptr, r.as<_tagRACELISTREC>(), false);
  EXPECT_EQ(day.getdate(), 20240106);
  ASSERT_EQ(day.getplacecount(), 2) << "the absent entry is skipped";
  EXPECT_EQ(day.getplace(1), Sjis("京都"));
  EXPECT_EQ(day.getname(0), Sjis("中山金杯  G3"));
  EXPECT_EQ(day.getname(1), "") << "an unnamed main race";
  EXPECT_EQ(day.getcode(0), "0520240106");
  EXPECT_EQ(day.getoldcode(1), "0020240202");
  EXPECT_EQ(day.getplace(2), "");
  EXPECT_EQ(day.getoldcode(-1), "");
  EXPECT_EQ(YMainraceList(nullptr, r.as<_tagRACELISTREC>(), true).getname(0), "");
  YMainraceList assigned(nullptr, nullptr, false);
  assigned = day;
  EXPECT_EQ(assigned.getname(0), day.getname(0));
  EXPECT_EQ(YMainraceList(nullptr, static_cast<_tagRACELISTREC*>(nullptr), false).getplacecount(), 0);
}

// A day whose rows the test puts in, as the race-card and result days do.
class TestDay : public YDayRace {
 public:
  using YDayRace::YDayRace;
  void add(int venue, const YRaceList& row) { racelist_[venue].push_back(new YRaceList(row)); }
};

TEST(YDayRace, RowsAndTheEndsOfEachRange) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  YMainraceList venues(nullptr, r.as<_tagRACELISTREC>(), true);
  TestDay day(nullptr, &venues);
  day.add(0, ResultRow("052024010601"));
  day.add(0, ResultRow("052024010602"));
  day.add(1, ResultRow("002024010611"));

  EXPECT_EQ(day.getdate(), Sjis("2024年 1月 6日"));
  EXPECT_EQ(day.getdaten(), 20240106);
  EXPECT_EQ(day.getplace(0), Sjis("中山"));
  EXPECT_EQ(day.getkaisai(1), Sjis("２回京都２日目"));
  EXPECT_EQ(day.getplace(2) + day.getkaisai(-1), "");
  EXPECT_EQ(day.list(0, 1)->getcode(), "052024010602");
  EXPECT_EQ(day.list(0, -1), nullptr);
  EXPECT_EQ(day.list(0, 2), nullptr);
  EXPECT_EQ(day.list(2, 0), nullptr) << "a third venue the day does not have";
  EXPECT_EQ(day.getracecount(-1), 0);

  // A copy owns copies of the rows.
  auto original = std::make_unique<TestDay>(day);
  YDayRace assigned(nullptr, nullptr);
  assigned = *original;
  original.reset();
  EXPECT_EQ(assigned.list(1, 0)->getcode(), "002024010611");
  EXPECT_EQ(assigned.getkaisai(1), Sjis("２回京都２日目"));
}

}  // namespace
