// Race rows, the venues of a race day and the day's rows per venue, built
// from records made field by field through the layout registry.
#include "ydbcln/race/YRaceList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/YDayRace.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

using racetest::Records;
using racetest::Sjis;

// A run race at 中山 (05) on 6 January 2024, meeting 1, day 2: 16 runners
// on 1700 m of dirt, rail C, horse 3 winning.
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
  b.set_digits("win_horse_number", 3, 0);
  b.set_digits("win_payout", 450, 0);
  b.set_digits("win_popularity", 2);
  const int place[3][2] = {{3, 150}, {7, 230}, {12, 0}};
  for (std::size_t i = 0; i < 3; ++i) {
    b.set_digits("place_horse_number", place[i][0], i);
    b.set_digits("place_payout", place[i][1], i);
  }
  b.set_digits("bracket_pair", 26, 0);
  b.set_digits("bracket_payout", 1230, 0);
  b.set_digits("quinella_pair", 307, 0);
  b.set_digits("quinella_payout", 2340, 0);
  b.set_digits("quinella_popularity", 8, 0);
  const int wide[2][3] = {{307, 820, 9}, {312, 1450, 21}};
  for (std::size_t i = 0; i < 2; ++i) {
    b.set_digits("wide_pair", wide[i][0], i);
    b.set_digits("wide_payout", wide[i][1], i);
    b.set_digits("wide_popularity", wide[i][2], i);
  }
}

YRaceList ResultRow(const std::string& code, bool longtexts = false) {
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), code);
  EXPECT_TRUE(r.ok());
  return YRaceList(nullptr, r.as<_tagRACERMREC>(), longtexts);
}

// --- YRaceList ----------------------------------------------------------------

TEST(YRaceListResult, TextsOfARunRace) {
  YRaceList row = ResultRow("052024010605", true);
  EXPECT_EQ(row.getno(), 5);
  EXPECT_EQ(row.getdate(), 20240106);
  EXPECT_EQ(row.getcode(), "052024010605");
  EXPECT_EQ(row.gethorsecount(), 16);
  EXPECT_EQ(row.getdistance(), Sjis("ダ1700"));
  EXPECT_EQ(row.getskaisai(), Sjis("1回中山2日"));
  EXPECT_EQ(row.getlongkaisai(), Sjis(" 1中山 2"));
  EXPECT_EQ(row.getlongracename(), Sjis("ニューイヤーステークス"));
  EXPECT_EQ(row.getlongraceclass(), "OPEN");
  EXPECT_EQ(row.getclassnum(), 64000);
  EXPECT_EQ(row.getcourse(), Sjis("Ｃ"));
  EXPECT_EQ(row.getwinnername(), "");
}

TEST(YRaceListResult, ANamedRaceIsCutToTenBytesBeforeItsClass) {
  // ニューイヤーＳ is 14 bytes; its first 10 stay, then the class.
  EXPECT_EQ(ResultRow("052024010605").getname(), Sjis("ニューイヤOPEN"));

  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), "052024010605");
  r.b().set_text_utf8("race_name", "中山金杯");
  r.b().set_code("grade", "2");
  ASSERT_TRUE(r.ok());
  YRaceList graded(nullptr, r.as<_tagRACERMREC>(), true);
  EXPECT_EQ(graded.getname(), Sjis("中山金杯  G3")) << "8 bytes padded to 10";
  EXPECT_EQ(graded.getlongracename(), Sjis("中山金杯"));
  EXPECT_EQ(graded.getlongraceclass(), "G3");
  EXPECT_EQ(graded.getclassnum(), 65002);
}

TEST(YRaceListResult, AnUnnamedRaceIsItsAgeConditionAndClass) {
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), "052024010605");
  r.b().set_raw("race_name", std::string(30, ' '));
  r.b().set_code("race_kind", "2");
  r.b().set_raw("conditions", "00003");
  ASSERT_TRUE(r.ok());
  YRaceList maiden(nullptr, r.as<_tagRACERMREC>(), true);
  EXPECT_EQ(maiden.getname(), Sjis("３歳未勝利")) << "not padded";
  EXPECT_EQ(maiden.getlongracename(), Sjis("３歳未勝利"));
  EXPECT_EQ(maiden.getlongraceclass(), "");

  r.b().set_code("race_kind", "4");
  r.b().set_raw("conditions", "-0005");
  YRaceList win1(nullptr, r.as<_tagRACERMREC>(), true);
  EXPECT_EQ(win1.getname(), Sjis("４歳上1勝クラス"));
  EXPECT_EQ(win1.getlongraceclass(), Sjis("1勝クラス"));
  EXPECT_EQ(win1.getclassnum(), 60005);

  r.b().set_raw("conditions", "00004");
  YRaceList open(nullptr, r.as<_tagRACERMREC>(), true);
  EXPECT_EQ(open.getlongracename(), Sjis("４歳上オープン"));
  EXPECT_EQ(open.getlongraceclass(), "OPEN");
}

TEST(YRaceListResult, AMoneyClassIsCutBefore万下AndNamesAnUnnamedRace) {
  // With no grade byte at all the money class is the class text, so its
  // 万下 is moved into the name of an unnamed race.
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), "052015010605");
  r.b().set_raw("race_name", std::string(30, ' '));
  r.b().set_code("race_kind", "3");
  r.b().set_raw("conditions", "09005");
  r.b().set_marker("grade", '\0');
  ASSERT_TRUE(r.ok());
  YRaceList row(nullptr, r.as<_tagRACERMREC>(), true);
  EXPECT_EQ(row.getlongracename(), Sjis("３歳上900.5万下"));
  EXPECT_EQ(row.getlongraceclass(), "900.5");
  EXPECT_EQ(row.getclassnum(), 9005);
}

TEST(YRaceListResult, RaceNumbersAlignInTheMeetingText) {
  EXPECT_EQ(ResultRow("052024010605").getkaisai(), Sjis("1中2  5R"));
  EXPECT_EQ(ResultRow("052024010605").getraceno(), "5");
  EXPECT_EQ(ResultRow("052024010611").getkaisai(), Sjis("1中2 11R"));
  EXPECT_EQ(ResultRow("052024010611").getraceno(), "11");
}

TEST(YRaceListResult, Payouts) {
  YRaceList row = ResultRow("052024010611");
  EXPECT_EQ(row.getw1uno(), " 3");
  EXPECT_EQ(row.getw2uno(), " 7");
  EXPECT_EQ(row.getw3uno(), "12");
  EXPECT_EQ(row.gettan(), "   450");
  EXPECT_EQ(row.getfuku1(), "   150");
  EXPECT_EQ(row.getfuku2(), "   230");
  EXPECT_EQ(row.getfuku3(), "") << "a place payout of zeros is shown empty";
  EXPECT_EQ(row.getwakuren(), "  1230");
  EXPECT_EQ(row.getumaren(), "   2340");
  EXPECT_EQ(row.getumanin(), "  8");
  EXPECT_EQ(row.getwide1h(), "    820");
  EXPECT_EQ(row.getwide1n(), "  9");
  EXPECT_EQ(row.getwide2h(), "   1450");
  EXPECT_EQ(row.getwide2n(), " 21");
  EXPECT_EQ(row.getwide3h(), "") << "a blank wide pair";
  EXPECT_EQ(row.getwide3n(), "");
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
  EXPECT_EQ(row.getumaren(), "");
  EXPECT_EQ(row.getumanin(), "");
  EXPECT_EQ(row.gettan(), "     0") << "the win payout is always formatted";
  EXPECT_EQ(row.getw2uno(), "");
  EXPECT_EQ(row.getfuku2(), "");
  EXPECT_EQ(row.getcourse(), "A1");
  EXPECT_EQ(row.getlongracename(), "") << "long texts were not asked for";

  r.b().set_code("course", "6");
  EXPECT_EQ(YRaceList(nullptr, r.as<_tagRACERMREC>(), false).getcourse(), "");
}

TEST(YRaceListCard, ACardRowHasNoPayoutsNorCourse) {
  Records r(ydb::RaceCardLayout(), 1);
  ydb::RecordBuilder& b = r.b();
  b.set_code("race_code", "062024041403");
  b.set_digits("year", 2024);
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
  EXPECT_EQ(row.getno(), 3);
  EXPECT_EQ(row.getdate(), 20240414);
  EXPECT_EQ(row.getcode(), "062024041403");
  EXPECT_EQ(row.getname(), Sjis("３歳未勝利"));
  EXPECT_EQ(row.getdistance(), Sjis("芝2000"));
  EXPECT_EQ(row.getkaisai(), Sjis("2福8  3R"));
  EXPECT_EQ(row.gethorsecount(), 14);
  for (const std::string& payout :
       {row.getw1uno(), row.gettan(), row.getfuku1(), row.getwakuren(), row.getumaren(),
        row.getumanin(), row.getwide1h(), row.getwide1n(), row.getcourse()}) {
    EXPECT_EQ(payout, "");
  }
  EXPECT_EQ(row.getlongkaisai(), "");
}

TEST(YRaceListBasics, EmptyRowsOrderAndCopies) {
  YRaceList empty;
  EXPECT_EQ(empty.getno(), 0);
  EXPECT_EQ(empty.getcode(), "");
  EXPECT_EQ(YRaceList(nullptr, static_cast<_tagRACERMREC*>(nullptr), true).getno(), 0);
  EXPECT_EQ(YRaceList(nullptr, static_cast<_tagRACEDREC*>(nullptr)).getname(), "");

  std::vector<YRaceList> rows = {ResultRow("052024010611"), ResultRow("042023122405"),
                                 ResultRow("052024010605"), ResultRow("012024010601")};
  std::sort(rows.begin(), rows.end());
  std::vector<std::string> codes;
  for (YRaceList& row : rows) codes.push_back(row.getcode());
  EXPECT_EQ(codes, (std::vector<std::string>{"042023122405", "012024010601", "052024010605",
                                             "052024010611"}));

  YRaceList copy(rows[3]);
  YRaceList assigned;
  assigned = rows[3];
  for (YRaceList* row : {&copy, &assigned}) {
    EXPECT_EQ(row->getname(), rows[3].getname());
    EXPECT_EQ(row->getwide2h(), rows[3].getwide2h());
    EXPECT_EQ(row->getclassnum(), rows[3].getclassnum());
  }
}

TEST(YRaceListBasics, BuildingARowLeavesTheSessionErrorAlone) {
  YHorseDB db;
  db.seterror(YHorseDB::kBadParameter, "", 0);
  Records r(ydb::RaceResultLayout(), 1);
  FillResult(r.b(), "052024010611");
  YRaceList row(&db, r.as<_tagRACERMREC>(), true);
  YRaceList fetched(&db, "052024010611", true);  // not initialised: nothing fetched
  EXPECT_EQ(fetched.getno(), 0);
  EXPECT_EQ(db.geterrstatus(), YHorseDB::kBadParameter);
}

// --- YMainraceList ------------------------------------------------------------------

// A race day with 中山 (05) and 京都 (00); the third entry is absent.
void FillDay(ydb::RecordBuilder& b) {
  b.set_digits("date", 20240106);
  const char* places[2] = {"05", "00"};
  for (std::size_t k = 0; k < 2; ++k) {
    b.set_code("venue_place_code", places[k], k);
    b.set_digits("venue_date", 20240106, k);
    b.set_digits("venue_kai", k + 1, k);
    b.set_digits("venue_day", 2, k);
  }
  b.set_text_utf8("venue_main_race_name", "中山金杯", 0);
  b.set_code("venue_main_race_grade", "2", 0);
  b.set_digits("venue_main_race_conditions", 4, 0);
  b.set_text_utf8("venue_main_race_name", "ジャニュアリーステークス", 1);
  b.set_digits("venue_main_race_conditions", 4, 1);
  b.set_marker("venue_place_code", '\0', 2);
}

TEST(YMainraceListRecord, VenuesInRecordOrder) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  ASSERT_TRUE(r.ok());
  YMainraceList day(nullptr, r.as<_tagRACELISTREC>(), false);
  EXPECT_EQ(day.getdate(), 20240106);
  ASSERT_EQ(day.getplacecount(), 2);
  EXPECT_EQ(day.getplace(0), Sjis("中山"));
  EXPECT_EQ(day.getplace(1), Sjis("京都"));
  EXPECT_EQ(day.getname(0), Sjis("中山金杯  G3"));
  EXPECT_EQ(day.getname(1), Sjis("ジャニュアOPEN")) << "ジャニュアリーＳ cut to 10 bytes";
  EXPECT_EQ(day.getcode(0), "0520240106");
  EXPECT_EQ(day.getoldcode(0), "0520240102");
  EXPECT_EQ(day.getoldcode(1), "0020240202");
  for (int i : {-1, 2, 3}) {
    EXPECT_EQ(day.getplace(i), "") << i;
    EXPECT_EQ(day.getname(i), "") << i;
    EXPECT_EQ(day.getcode(i), "") << i;
    EXPECT_EQ(day.getoldcode(i), "") << i;
  }
  YMainraceList nonames(nullptr, r.as<_tagRACELISTREC>(), true);
  EXPECT_EQ(nonames.getname(0), "");
  EXPECT_EQ(nonames.getplace(0), Sjis("中山"));
}

TEST(YMainraceListRecord, AbsentEntriesAreSkippedAndUnnamedRacesShowNothing) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  r.b().set_marker("venue_place_code", '\0', 0);
  r.b().set_raw("venue_main_race_name", std::string(30, ' '), 1);
  ASSERT_TRUE(r.ok());
  YMainraceList day(nullptr, r.as<_tagRACELISTREC>(), false);
  ASSERT_EQ(day.getplacecount(), 1);
  EXPECT_EQ(day.getplace(0), Sjis("京都"));
  EXPECT_EQ(day.getname(0), "");
  EXPECT_EQ(day.getcode(1), "");

  YMainraceList none(nullptr, static_cast<_tagRACELISTREC*>(nullptr), false);
  EXPECT_EQ(none.getplacecount(), 0);
  EXPECT_EQ(none.getplace(0), "");

  YMainraceList copy(day);
  EXPECT_EQ(copy.getplace(0), day.getplace(0));
  copy = none;
  EXPECT_EQ(copy.getplacecount(), 0);
}

// --- YDayRace -----------------------------------------------------------------------

// A day whose rows the test puts in, as the race-card and result days do.
class TestDay : public YDayRace {
 public:
  using YDayRace::YDayRace;
  void add(int venue, const YRaceList& row) { racelist_[venue].push_back(new YRaceList(row)); }
};

TEST(YDayRace, VenuesRowsAndRanges) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  YMainraceList venues(nullptr, r.as<_tagRACELISTREC>(), true);
  TestDay day(nullptr, &venues);
  day.add(0, ResultRow("052024010601"));
  day.add(0, ResultRow("052024010602"));
  day.add(1, ResultRow("002024010611"));

  EXPECT_EQ(day.getdate(), Sjis("2024年 1月 6日"));
  EXPECT_EQ(day.getdaten(), 20240106);
  EXPECT_EQ(day.getplacecount(), 2);
  EXPECT_EQ(day.getplace(0), Sjis("中山"));
  EXPECT_EQ(day.getkaisai(0), Sjis("１回中山２日目"));
  EXPECT_EQ(day.getkaisai(1), Sjis("２回京都２日目"));
  EXPECT_EQ(day.getracecount(0), 2);
  EXPECT_EQ(day.list(0, 1)->getcode(), "052024010602");
  EXPECT_EQ(day.list(1, 0)->getcode(), "002024010611");

  EXPECT_EQ(day.list(3, 0), nullptr);
  EXPECT_EQ(day.list(0, -1), nullptr);
  EXPECT_EQ(day.list(0, 2), nullptr);
  EXPECT_EQ(day.list(2, 0), nullptr) << "a third venue the day does not have";
  EXPECT_EQ(day.getracecount(-1), 0);
  EXPECT_EQ(day.getracecount(3), 0);
  EXPECT_EQ(day.getplace(2), "");
  EXPECT_EQ(day.getkaisai(-1), "");

  TestDay nothing(nullptr, nullptr);
  EXPECT_EQ(nothing.getplacecount(), 0);
  EXPECT_EQ(nothing.list(0, 0), nullptr);
  EXPECT_EQ(nothing.getdate(), "");
}

TEST(YDayRace, ACopyOwnsCopiesOfTheRows) {
  Records r(ydb::RaceListLayout(), 1);
  FillDay(r.b());
  YMainraceList venues(nullptr, r.as<_tagRACELISTREC>(), true);
  auto day = std::make_unique<TestDay>(nullptr, &venues);
  day->add(0, ResultRow("052024010601"));
  day->add(1, ResultRow("002024010611"));

  YDayRace copy(*day);
  YDayRace assigned(nullptr, nullptr);
  assigned = *day;
  EXPECT_NE(copy.list(0, 0), day->list(0, 0));
  EXPECT_NE(assigned.list(1, 0), day->list(1, 0));
  day.reset();  // the rows of the original go; the copies keep theirs
  EXPECT_EQ(copy.list(0, 0)->getcode(), "052024010601");
  EXPECT_EQ(assigned.list(1, 0)->getcode(), "002024010611");
  EXPECT_EQ(assigned.getkaisai(1), Sjis("２回京都２日目"));
  assigned = copy;
  EXPECT_EQ(assigned.getracecount(1), 1);
  EXPECT_EQ(assigned.getracecount(0), 1);
}

}  // namespace
