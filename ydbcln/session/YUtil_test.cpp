// The formatting and code utilities: byte-exact display texts, digit fields,
// money, dates, race names and classes, margins, running styles and the
// normalisation of search words.
#include "ydbcln/session/YUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "db/api/ydbbsn.h"
#include "testing/FixedToday.h"
#include "testing/Sjis.h"
#include "text/sjis.h"

namespace {

using ytest::Sjis;

// A record field: a writable copy of its bytes, as a record buffer holds it.
class Field {
 public:
  explicit Field(std::string bytes) : bytes_(std::move(bytes)) {}
  unsigned char* p() { return reinterpret_cast<unsigned char*>(bytes_.data()); }
  int len() const { return static_cast<int>(bytes_.size()); }

 private:
  std::string bytes_;
};

// --- Single-character code tables --------------------------------------------

// A code past the end of its table gives nothing; the lookups that read
// more than the code itself.
TEST(YUtilCodes, CodesOutsideATableGiveNothingAndKeyedLookups) {
  EXPECT_EQ(YUtil::getseibetu('3'), "");
  EXPECT_EQ(YUtil::getgrade('6'), "");
  EXPECT_EQ(YUtil::getdistprop(0xFF), "");
  EXPECT_EQ(YUtil::getjouken(':'), "");
  EXPECT_EQ(YUtil::getjkfuka2(Field("13").p()), "[" + Sjis("指定") + "]");
  EXPECT_EQ(YUtil::getjkfuka2(Field("44").p()), "(" + Sjis("指") + ")");
  EXPECT_EQ(YUtil::getjkfuka2(Field("15").p()), "");
  EXPECT_EQ(YUtil::getsibada('1', '0'), Sjis("障"));  // a jump race on turf
  EXPECT_EQ(YUtil::getstableplace('3', nullptr, true), Sjis("美浦北"));
  // The age conditions changed tables in 2001.
  EXPECT_EQ(YUtil::getjouken('1', 2000), Sjis("３歳"));
  EXPECT_EQ(YUtil::getjouken('1', 2001), Sjis("２歳"));
  EXPECT_EQ(YUtil::getjouken('D', 2001), "");
}

// --- Digit fields and numbers -------------------------------------------------------

TEST(YUtilNumbers, DigitFieldsSignsBlanksAndWidths) {
  EXPECT_EQ(YUtil::getnum(Field("12 ").p(), 3), 120);
  EXPECT_EQ(YUtil::getnum(Field("1A2").p(), 3), 12);
  EXPECT_EQ(YUtil::getnum(Field("123").p(), 2), 12);
  EXPECT_EQ(YUtil::getnum(nullptr, 3), 0);
  EXPECT_EQ(YUtil::getnumpm(Field("-12").p(), 3), -12);
  EXPECT_EQ(YUtil::getnumpm(Field("+ 5").p(), 3), 5);
  EXPECT_EQ(YUtil::getnumpm(Field("-").p(), 1), 0);
  EXPECT_EQ(YUtil::delendspc(Field(" a b ").p(), 5), " a b");
  EXPECT_EQ(YUtil::delendspc(Field("    ").p(), 4), "");
}

// Full width up to 9, half width to 99, nothing beyond; circled 1 to 20.
TEST(YUtilNumbers, FullWidthAndCircledNumbersAtTheirEnds) {
  EXPECT_EQ(YUtil::getzennum(9), Sjis("９"));
  EXPECT_EQ(YUtil::getzennum(99), "99");
  EXPECT_EQ(YUtil::getzennum(100), "");
  EXPECT_EQ(YUtil::getzennum(Field(" 7").p()), "");
  EXPECT_EQ(YUtil::getmarunum(20), Sjis("⑳"));
  EXPECT_EQ(YUtil::getmarunum(0), "");
  EXPECT_EQ(YUtil::getmarunum(21), "");
  EXPECT_EQ(YUtil::getmarunum(Field(" 5").p()), Sjis("⑤"));
  EXPECT_EQ(YUtil::getseisekistring(Field("001200030000 045").p(), 16), "  12-   3-   0-  45");
}

// --- Money ------------------------------------------------------------------------

// Yen, tens and thousands of yen: the group words, their zeros, and units
// other than those three refused.
TEST(YUtilMoney, GroupWordsAndZerosInEachUnit) {
  EXPECT_EQ(YUtil::getyen(0u, 1), Sjis("0円"));
  EXPECT_EQ(YUtil::getyen(100000005u, 1), Sjis("1億0000万0005円"));
  EXPECT_EQ(YUtil::getyen(100000000u, 1), Sjis("1億円"));
  EXPECT_EQ(YUtil::getyen(100005u, 1000), Sjis("1億0000万5000円"));
  EXPECT_EQ(YUtil::getyen(10000001u, 10), Sjis("1億0000万0010円"));
  EXPECT_EQ(YUtil::getyen(5u, 100), "");
  EXPECT_EQ(YUtil::getyen(Field("0001500099").p(), 4, 1), Sjis("1円"));
  EXPECT_EQ(YUtil::getyen(Field("-500").p(), 4, 1), "");
}

TEST(YUtilMoney, LargeAmountsDropFractionsOfAYen) {
  EXPECT_EQ(YUtil::getyen(0.9), Sjis("0円"));
  EXPECT_EQ(YUtil::getyen(0.1 * 3 * 1e9), Sjis("3億円"));  // a hair above 3億
  EXPECT_EQ(YUtil::getyen(1e16 + 2e12), Sjis("1京0002兆円"));
  EXPECT_EQ(YUtil::getyen(-1.0), "");
  EXPECT_EQ(YUtil::getyen(std::numeric_limits<double>::quiet_NaN()), "");
}

// --- Dates ------------------------------------------------------------------------

TEST(YUtilDates, DateTextsOnlyOfEightDigits) {
  EXPECT_EQ(YUtil::getdate(Field("20020105").p()), Sjis("2002年 1月 5日"));
  EXPECT_EQ(YUtil::getdate(2002010), "");
}

// Day counts and the day or months before, across the leap days of the
// Gregorian rule (2000 is one, 1900 is not) and the ends of months.
TEST(YUtilDates, DayCountsAndDaysBeforeAcrossLeapDays) {
  EXPECT_EQ(YUtil::J_day(20000101), 2451545);
  EXPECT_EQ(YUtil::getdiffday(20000301, 20000228), 2);
  EXPECT_EQ(YUtil::getdiffday(19000301, 19000228), 1);
  EXPECT_EQ(YUtil::before1day(20020101), 20011231);
  EXPECT_EQ(YUtil::before1day(20000301), 20000229);
  EXPECT_EQ(YUtil::before1day(19000301), 19000228);
  EXPECT_EQ(YUtil::beforemonth(20020115, 14), 20001115);
  EXPECT_EQ(YUtil::beforemonth(20040329, 1), 20040229);
  EXPECT_EQ(YUtil::beforemonth(20040330, 1), 20040301);
}

TEST(YUtilDates, TodayIsTheFixedDayWhileOneIsSet) {
  {
    const ytest::FixedToday fixed(20240229);
    EXPECT_EQ(YUtil::gettoday(), 20240229);
    EXPECT_EQ(get_today(), 20240229);
    // Not a calendar day: refused, the fixed day stays.
    EXPECT_EQ(set_today(20230229), -1);
    EXPECT_EQ(set_today(2024), -1);
    EXPECT_EQ(YUtil::gettoday(), 20240229);
    // The age of a person turns on the fixed day, not on the clock's.
    EXPECT_EQ(YUtil::gethumanage_int(Field("19940229").p(), 8), 30);
    EXPECT_EQ(YUtil::gethumanage_int(Field("19940301").p(), 8), 29);
    EXPECT_EQ(YUtil::gethumanage(Field("19940229").p(), 8), "30");
    EXPECT_EQ(YUtil::gethumanage(Field("        ").p(), 8), "");
  }
  // Back on the clock: a later day than the fixed one, which is past.
  EXPECT_GT(YUtil::gettoday(), 20240229);
}

// --- Places, meetings and race classes (code tables of the database) ---------------

TEST(YUtilPlaces, TheTenCoursesAndOtherPlaces) {
  EXPECT_EQ(YUtil::getplace(Field("09").p(), true), Sjis("函"));
  // Other places are named by the database; the short form is the first
  // character of that name.
  EXPECT_EQ(YUtil::getplace(Field("22").p(), false), Sjis("宇都宮"));
  EXPECT_EQ(YUtil::getplace(Field("22").p(), true), Sjis("宇"));
  EXPECT_EQ(YUtil::getplace(Field("ZZ").p(), true), "");
  EXPECT_EQ(YUtil::getstableplace('4', Field("04").p(), false), Sjis("東京"));
}

TEST(YUtilPlaces, MeetingTextsFullAndHalfWidth) {
  // Place 04 (東京), year 2002, meeting 3, day 8.
  EXPECT_EQ(YUtil::getkaisai(Field("0420020308").p(), true), Sjis("３回東京８日目"));
  EXPECT_EQ(YUtil::getkaisai(Field("0420020308").p(), false), " 3" + Sjis("東京") + " 8");
  EXPECT_EQ(YUtil::getkaisai(Field("0820021012").p(), true), Sjis("10回札幌12日目"));
  EXPECT_EQ(YUtil::getkaisai(Field("0120020000").p(), true), Sjis("阪神"));
}

// A code class sets the flag (codes 0 to 3); a money class leaves it alone.
TEST(YUtilClasses, CodeClassesAndMoneyClasses) {
  struct Row {
    const char* field;
    bool withman;
    const char* text;  // UTF-8
    bool flag_before, flag_after;
  };
  const Row rows[] = {
      {"00004", true, "OPEN", true, false},     {"00001", true, "新馬", false, true},
      {"-0005", true, "1勝クラス", true, false}, {"4", true, "OPEN", true, false},
      {"05000", true, "500万下", false, false},  {"09005", true, "900.5万下", true, true},
      {"00100", false, "10", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.field);
    Field field(row.field);
    bool flag = row.flag_before;
    EXPECT_EQ(YUtil::getclass(field.p(), field.len(), row.withman, &flag), Sjis(row.text));
    EXPECT_EQ(flag, row.flag_after);
  }
  EXPECT_EQ(YUtil::getclass(Field("4").p(), 1, true, nullptr), "OPEN");
}

// A grade goes to the second string; a money class leaves the class flag as
// the grade byte set it.
TEST(YUtilClasses, SetClassAppendsToTheStringItChooses) {
  struct Row {
    char grade;
    const char* field;
    bool withman;
    const char* first;  // UTF-8, after "a"
    const char* second;  // after "b"
  };
  const Row rows[] = {
      {'0', "00004", true, "a", "bG1"},
      {' ', "00004", false, "aOPEN", "b"},
      {' ', "05000", true, "a500万下", "b"},
      {'\0', "05000", true, "a", "b500万下"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(1, row.grade) + row.field);
    std::string first = "a";
    std::string second = "b";
    YUtil::setclass(first, second, row.grade, Field(row.field).p(), 5, row.withman);
    EXPECT_EQ(first, Sjis(row.first));
    EXPECT_EQ(second, Sjis(row.second));
  }
}

TEST(YUtilClasses, SortKeysRankGradesAboveClasses) {
  Field zero("00000");
  unsigned char* none = zero.p();
  EXPECT_EQ(YUtil::getclassnum('0', none, 5), 65006);
  EXPECT_EQ(YUtil::getclassnum(' ', Field("00004").p(), 5), 64000);
  EXPECT_EQ(YUtil::getclassnum(' ', Field("05000").p(), 5), 5000);
  EXPECT_EQ(YUtil::getclassnum(' ', Field("00003").p(), 5), 3);
  EXPECT_EQ(YUtil::getclassnum(' ', Field("-0003").p(), 5), 60003);
}

// --- Race names -----------------------------------------------------------------

TEST(YUtilRaceNames, AbbreviationOfStakesAndCups) {
  const auto name = [](const char* utf8, bool abbreviate) {
    Field field(Sjis(utf8) + "    ");
    bool named = false;
    std::string text = YUtil::getracename('1', field.p(), field.len(), abbreviate, &named);
    EXPECT_TRUE(named);
    return text;
  };
  EXPECT_EQ(name("スプリングステークス", true), Sjis("スプリングＳ"));
  EXPECT_EQ(name("スプリングステークス", false), Sjis("スプリングステークス"));
  EXPECT_EQ(name("ステークス", true), Sjis("ステークス"));  // exactly 10 bytes
  EXPECT_EQ(name("Ａステークス", true), Sjis("ＡＳ"));
  EXPECT_EQ(name("カップ", true), Sjis("カップ"));  // exactly 6 bytes
  EXPECT_EQ(name("Ａカップ", true), Sjis("ＡＣ"));
  EXPECT_EQ(name("セントライト記念", true), Sjis("セントライト記念"));
}

TEST(YUtilRaceNames, AnEndingMustStartOnACharacter) {
  // ＜ is 81 83, so "＜＜Jップ" ends in the bytes of カップ (83 4A 83 62
  // 83 76) starting inside ＜.
  Field field(Sjis("＜＜Jップ"));
  const std::string cup = Sjis("カップ");
  ASSERT_EQ(Sjis("＜＜Jップ").substr(3), cup);
  EXPECT_EQ(YUtil::getracename('1', field.p(), field.len(), true, nullptr), Sjis("＜＜Jップ"));
}

TEST(YUtilRaceNames, UnnamedRacesShowTheirAgeCondition) {
  Field blank("          ");
  bool named = true;
  EXPECT_EQ(YUtil::getracename('1', blank.p(), blank.len(), true, &named), Sjis("３歳"));
  EXPECT_FALSE(named);
  EXPECT_EQ(YUtil::getracename(Field("2001").p(), '1', blank.p(), blank.len(), true, &named),
            Sjis("２歳"));
  EXPECT_FALSE(named);
}

// --- Margins and positions ----------------------------------------------------------

TEST(YUtilMargins, WordsAndFractions) {
  EXPECT_EQ(YUtil::getchakusa(Field("  ").p(), '2'), Sjis("ｸﾋﾞ"));
  EXPECT_EQ(YUtil::getchakusa(Field("02").p(), '5'), "2 3/4");
  EXPECT_EQ(YUtil::getchakusa(Field("  ").p(), '3'), "1/2");
  EXPECT_EQ(YUtil::getchakusa(Field("0 ").p(), '4'), "1/4");
  EXPECT_EQ(YUtil::getchakusa(Field("1 ").p(), '9'), "1");
  EXPECT_EQ(YUtil::getchakusa(Field("  ").p(), '8'), Sjis("同"));
}

TEST(YUtilMargins, StartAndJumpPositions) {
  EXPECT_EQ(YUtil::gettukamidashi('3', Field("06").p()), Sjis("逆１周ﾊﾞﾝｹｯﾄ"));
  EXPECT_EQ(YUtil::gettukamidashi('4', Field("14").p()), Sjis("右"));
  EXPECT_EQ(YUtil::gettukamidashi('5', Field("14").p()), "");
}

// --- Running style ---------------------------------------------------------------

// Each pair of rows sits on the two sides of one rule, with all four
// corners known and with the third and fourth only (the first two 0).
TEST(YUtilRunningStyle, CornersByFieldSizeAndMarkedPositions) {
  struct Row {
    int n, p1, p2, p3, p4, style;
  };
  const Row rows[] = {
      {10, 3, 1, 1, 1, 1}, {10, 0, 0, 1, 1, 1},
      // Up to 7 runners a stalker stays within 2nd.
      {7, 5, 2, 2, 2, 2}, {7, 5, 3, 3, 3, 3},    {7, 0, 0, 2, 2, 2},  {7, 0, 0, 3, 2, 3},
      {7, 5, 7, 7, 6, 3}, {7, 5, 7, 7, 7, 4},    {7, 0, 0, 7, 6, 3},  {7, 0, 0, 7, 7, 4},
      // 8 to 12 runners: within 3rd; 13 and more: within 4th.
      {8, 5, 3, 3, 3, 2}, {12, 1, 4, 4, 4, 3},   {8, 0, 0, 3, 3, 2},  {12, 0, 0, 4, 4, 3},
      {13, 1, 4, 4, 4, 2}, {13, 1, 5, 4, 4, 3},  {13, 0, 0, 4, 4, 2},
      // In the front half at the last corner.
      {9, 1, 8, 8, 4, 3}, {9, 1, 8, 8, 5, 4},    {8, 0, 0, 7, 4, 3},
      // Otherwise the middle corners (or the third) decide, against n-2,
      // n-3 or n-4.
      {8, 5, 5, 6, 5, 3},   {8, 5, 6, 6, 5, 4},    {8, 0, 0, 5, 5, 3},   {8, 0, 0, 6, 5, 4},
      {12, 1, 9, 9, 7, 3},  {12, 1, 10, 10, 7, 4}, {12, 0, 0, 9, 7, 3},  {12, 0, 0, 10, 7, 4},
      {13, 1, 9, 12, 7, 3}, {13, 1, 10, 10, 7, 4}, {13, 0, 0, 9, 7, 3},  {13, 0, 0, 10, 7, 4},
      {16, 1, 12, 12, 9, 3}, {16, 1, 13, 13, 9, 4}, {16, 0, 0, 12, 9, 3}, {16, 0, 0, 13, 9, 4},
      {17, 1, 12, 13, 9, 3}, {17, 1, 13, 13, 9, 4}, {17, 0, 0, 12, 9, 3}, {17, 0, 0, 13, 9, 4},
      // Marked positions lose 40; what is then above 28 is impossible.
      {10, 41, 41, 41, 41, 1}, {10, 68, 1, 1, 1, 1}, {10, 69, 1, 1, 1, 0}, {10, 40, 1, 1, 1, 0},
      {10, 29, 1, 1, 1, 0},    {10, 3, 1, 1, 29, 0},
  };
  for (const Row& row : rows) {
    unsigned char pos[4] = {static_cast<unsigned char>(row.p1), static_cast<unsigned char>(row.p2),
                            static_cast<unsigned char>(row.p3), static_cast<unsigned char>(row.p4)};
    EXPECT_EQ(YUtil::getkyakushitsu(row.n, pos), row.style)
        << row.n << " runners at " << row.p1 << ", " << row.p2 << ", " << row.p3 << ", " << row.p4;
  }
  EXPECT_EQ(YUtil::getkyakushitsu(10, static_cast<unsigned char*>(nullptr)), 0);
}

TEST(YUtilRunningStyle, PositionFields) {
  unsigned char four[4][2] = {{'0', '5'}, {'0', '3'}, {'0', '2'}, {'0', '1'}};
  EXPECT_EQ(YUtil::getkyakushitsu(10, four), 2);
  unsigned char two[4][2] = {{' ', ' '}, {' ', ' '}, {'0', '1'}, {'4', '1'}};
  EXPECT_EQ(YUtil::getkyakushitsu(10, two), 1);
}

// --- Search words -----------------------------------------------------------------

// Outside search mode kana are made katakana and Latin lowered; search mode
// also widens, and drops blanks. Half-width kana join their voicing marks,
// which kana that take none lose; a mark with no kana before it stands
// alone. In search mode the flag says whether the result holds a kanji;
// outside it the flag is false.
TEST(YUtilConvstr, KanaLatinAndBlanksInEachMode) {
  struct Row {
    const char* in;
    bool search;
    const char* out;  // UTF-8
    bool kanji;
  };
  const Row rows[] = {
      {"ｶﾞｷﾞﾄﾞﾊﾞﾎﾞ", false, "ガギドバボ", false},
      {"ﾊﾟﾋﾟﾎﾟ", false, "パピポ", false},
      {"ｳﾞｵﾞﾅﾞﾏﾞ", false, "ウオナマ", false},
      {"ｶﾟﾄﾟﾏﾟ", false, "カトマ", false},
      {"ﾞｱ", false, "゛ア", false},
      {"ひらがなＡＢＣ東京", false, "ヒラガナａｂｃ東京", false},
      {"Deep Impact 1", false, "Deep Impact 1", false},
      {"＊ｶ？　", false, "*カ?　", false},
      {"Deep Impact", true, "ｄｅｅｐｉｍｐａｃｔ", false},
      {"東京 ｼﾃｨ", true, "東京シティ", true},
      {"＊Ａ１？", true, "*ａ１?", false},
      {"", true, "", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.in);
    bool kanji = !row.kanji;
    EXPECT_EQ(YUtil::convstr(Sjis(row.in), kanji, row.search), Sjis(row.out));
    EXPECT_EQ(kanji, row.kanji);
  }
}

TEST(YUtilConvstr, ALeadByteAtTheEndIsKept) {
  bool kanji = true;
  const std::string text = std::string("A") + '\x82';
  EXPECT_EQ(YUtil::convstr(text, kanji, false), text);
  EXPECT_FALSE(kanji);
}

}  // namespace
