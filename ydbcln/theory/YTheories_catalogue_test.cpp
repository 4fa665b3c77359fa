// Tests of the factor catalogue against the table of factors as the
// catalogue is specified, and of the validation of theory records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testing/Sjis.h"
#include "text/sjis.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheory.h"

namespace {

struct Row {
  int no;
  const char* name;
  int category, type1, default1, type2, default2, group;
};

// The catalogue: code, name, category, first parameter type and default,
// second parameter type and default, display group.
const Row kRows[] = {
    {1, "平均タイム", 0, 0, 0, 2, 3, 4},
    {2, "最高タイム", 0, 0, 0, 0, 0, 4},
    {3, "前半３Ｆ", 0, 1, 0, 2, 3, 4},
    {4, "上がり３Ｆ", 0, 1, 0, 2, 3, 4},
    {5, "着差タイム", 0, 1, 200, 2, 3, 4},
    {6, "斤量評価", 0, 0, 0, 2, 3, 0},
    {7, "人気評価", 0, 0, 0, 2, 5, 6},
    {8, "着順評価", 0, 0, 0, 2, 5, 0},
    {9, "オッズ評価", 0, 1, 200, 2, 3, 6},
    {10, "競走馬競馬場実績", 0, 0, 0, 0, 0, 0},
    {11, "距離適性", 0, 1, 0, 2, 3, 0},
    {12, "競走馬連対率", 0, 0, 0, 0, 0, 0},
    {13, "競走馬勝率", 0, 0, 0, 0, 0, 0},
    {14, "競走馬距離連対率", 0, 1, 200, 0, 0, 0},
    {15, "競走馬距離勝率", 0, 1, 200, 0, 0, 0},
    {16, "レコード指数", 0, 0, 0, 2, 3, 5},
    {17, "競走馬馬場適性", 0, 0, 0, 0, 0, 0},
    {18, "競走馬コース適性", 0, 0, 0, 0, 0, 0},
    {19, "種牡馬距離実績", 3, 1, 200, 3, 24, 3},
    {20, "種牡馬コース実績", 3, 1, 200, 3, 24, 3},
    {21, "血統", 3, 0, 0, 3, 24, 0},
    {22, "騎手実績", 1, 0, 0, 3, 12, 1},
    {23, "騎手連対率", 1, 0, 0, 3, 12, 1},
    {24, "騎手勝率", 1, 0, 0, 3, 12, 1},
    {25, "騎手距離連対率", 1, 1, 0, 3, 12, 1},
    {26, "騎手距離勝率", 1, 1, 0, 3, 12, 1},
    {27, "騎手レース実績", 1, 1, 0, 3, 12, 1},
    {28, "トレーナー連対率", 2, 0, 0, 3, 12, 2},
    {29, "トレーナー実績", 2, 0, 0, 3, 12, 2},
    {30, "コース出目", 4, 0, 0, 3, 24, 6},
    {31, "予想印", 5, 0, 0, 0, 0, 5},
    {32, "枠順実績", 0, 0, 0, 0, 0, 0},
    {33, "頭数実績", 0, 0, 0, 0, 0, 0},
    {34, "競走馬格評価", 0, 0, 0, 0, 0, 0},
    {35, "競走馬季節実績", 0, 0, 0, 0, 0, 0},
    {36, "競走馬騎手実績", 0, 0, 0, 0, 0, 0},
    {37, "予想オッズ", 5, 0, 0, 0, 0, 5},
    {38, "調教印", 0, 0, 0, 0, 0, 5},
    {39, "競走馬３着内率", 0, 0, 0, 0, 0, 0},
    {40, "競走馬距離３着内率", 0, 1, 200, 0, 0, 0},
    {41, "騎手３着内率", 1, 0, 0, 3, 12, 1},
    {42, "騎手距離３着内率", 1, 1, 0, 3, 12, 1},
    {43, "トレーナー３着内率", 2, 0, 0, 3, 12, 2},
    {44, "トレーナー勝率", 2, 0, 0, 3, 12, 2},
    {45, "競走馬実績", 0, 0, 0, 0, 0, 0},
    {46, "騎手季節実績", 1, 0, 0, 3, 24, 1},
    {47, "トレーナー季節実績", 2, 0, 0, 3, 24, 2},
    {48, "種牡馬季節実績", 3, 0, 0, 3, 24, 3},
    {49, "競走馬開催実績", 0, 0, 0, 0, 0, 0},
    {50, "騎手開催実績", 1, 0, 0, 3, 24, 1},
    {51, "トレーナー開催実績", 2, 0, 0, 3, 24, 2},
    {52, "種牡馬開催実績", 3, 0, 0, 3, 24, 3},
    {53, "競走馬レース実績", 0, 1, 0, 0, 0, 0},
    {54, "トレーナーレース実績", 2, 1, 0, 3, 24, 2},
    {55, "種牡馬レース実績", 3, 1, 0, 3, 24, 3},
    {56, "トレーナー距離実績", 2, 1, 200, 3, 24, 2},
    {57, "騎手枠順実績", 1, 0, 0, 3, 12, 1},
    {58, "騎手頭数実績", 1, 0, 0, 3, 12, 1},
    {59, "騎手競馬場実績", 1, 0, 0, 3, 12, 1},
    {60, "トレーナー競馬場実績", 2, 0, 0, 3, 12, 2},
    {61, "種牡馬競馬場実績", 3, 0, 0, 3, 12, 3},
    {62, "騎手馬場適性", 1, 0, 0, 3, 12, 1},
    {63, "騎手距離適性", 1, 1, 0, 3, 12, 1},
    {64, "トレーナー距離適性", 2, 1, 0, 3, 12, 2},
    {65, "種牡馬距離適性", 3, 1, 0, 3, 12, 3},
    {66, "騎手着順評価", 1, 0, 0, 3, 12, 1},
    {67, "騎手トレーナー実績", 1, 0, 0, 3, 12, 1},
    {68, "競走馬コース実績", 0, 1, 200, 0, 0, 0},
    {69, "騎手コース実績", 1, 1, 200, 3, 24, 1},
    {70, "トレーナーコース実績", 2, 1, 200, 3, 24, 2},
    {71, "騎手コース適性", 1, 0, 0, 3, 24, 1},
    {72, "競走馬コース勝率", 0, 1, 200, 0, 0, 0},
    {73, "騎手コース勝率", 1, 1, 200, 3, 24, 1},
    {74, "競走馬コース連対率", 0, 1, 200, 0, 0, 0},
    {75, "騎手コース連対率", 1, 1, 200, 3, 24, 1},
    {76, "競走馬コース３着内率", 0, 1, 200, 0, 0, 0},
    {77, "騎手コース３着内率", 1, 1, 200, 3, 24, 1},
    {78, "穴馬期待度", 0, 0, 0, 0, 0, 0},
};

struct Description {
  int no;
  const char* text;
};

// The second line of the text of telling rows.
const Description kDescriptions[] = {
    {1, "出走馬の同距離でのタイム評価（指定レース数の平均タイム）"},
    {2, "出走馬の同距離での最高タイム評価（過去の全出走レースを参照）"},
    {5, "出走馬の指定距離での着差タイム評価（指定距離範囲の指定レース数平均)"},
    {6, "出走馬の登録斤量によるタイム評価（（今回の斤量）－（同距離での最高タイム時の斤量））×0.2＋同距離での最高タイム"},
    {7, "出走馬の指定レース数の人気評価（出走頭数÷人気)"},
    {8, "出走馬の指定レース数の着順評価（出走頭数÷着順)"},
    {12, "過去の全レースの連対率評価（（１着＋２着）÷出走数）"},
    {17, "競走馬の推定馬場での実績（過去の該当馬場での着順実績)"},
    {19, "指定期間の指定距離範囲での産駒の勝率"},
    {22, "指定期間の関東・関西総合の評価（１着数)"},
    {27, "指定期間、指定距離範囲の同コースでの１，２，３着表示"},
    {30, "指定期間の該当競馬場およびコースでの馬番別１，２，３着表示"},
    {31, "当該レースの予想印の評価"},
    {32, "出走馬の当該レースの枠順（内、中、外）での実績評価"},
    {33, "出走馬の当該レースの頭数（少頭数、中頭数、多頭数）での実績評価"},
    {35, "出走馬の当該レースの季節（春、夏、秋、冬）での実績評価"},
    {38, "当該レースの各出走馬の調教印"},
    {49, "競走馬の指定開催での実績評価"},
    {72, "指定期間の該当競馬場とコースでの競走馬の勝率評価（１着÷出走数)"},
    {78, "競走馬の穴馬期待度。"},
};

using ytest::Sjis;

TEST(CatalogueTest, EveryRowHasItsNameCategoryParametersLabelAndGroup) {
  ASSERT_EQ(sizeof kRows / sizeof kRows[0], 78u);
  EXPECT_EQ(YTheories::getitemcount(), 78);
  EXPECT_EQ(YTheories::itemnamecount, 78);
  for (int i = 0; i < 78; ++i) {
    const Row& row = kRows[i];
    SCOPED_TRACE(row.no);
    ASSERT_EQ(row.no, i + 1);
    EXPECT_EQ(YTheories::getitemno(i), row.no);
    EXPECT_EQ(YTheories::getitemname(i), Sjis(row.name));
    EXPECT_EQ(YTheories::getitemname_no(row.no), Sjis(row.name));
    EXPECT_EQ(YTheories::getcategory(i), row.category);
    EXPECT_EQ(YTheories::getcategory_no(row.no), row.category);
    EXPECT_EQ(YTheories::getlabel_no(row.no), row.no);
    EXPECT_EQ(YTheories::getcategory2_no(row.no), row.group);
    int t1 = -9, t2 = -9, d1 = -9, d2 = -9;
    YTheories::getparams(row.no, t1, t2);
    YTheories::getdefault(row.no, d1, d2);
    EXPECT_EQ(t1, row.type1);
    EXPECT_EQ(t2, row.type2);
    EXPECT_EQ(d1, row.default1);
    EXPECT_EQ(d2, row.default2);
    // The defaults are values their types accept.
    EXPECT_TRUE(YTheories::isvalidparam(t1, d1));
    EXPECT_TRUE(YTheories::isvalidparam(t2, d2));
  }
}

TEST(CatalogueTest, RowZeroIsNullAndIndexesOutsideTheTableGiveNothing) {
  const int null_row[7] = {-1, 0, 0, 0, 0, 0, -1};
  EXPECT_EQ(std::memcmp(YTheories::param_table[0], null_row, sizeof null_row), 0);
  EXPECT_STREQ(YTheories::getdesc(0), "");
  EXPECT_EQ(YTheories::getitemname_no(0), "");
  EXPECT_EQ(YTheories::getitemname(78), "");
  EXPECT_EQ(YTheories::getitemname(-1), "");
  EXPECT_EQ(YTheories::getitemname_no(78), Sjis("穴馬期待度"));
  EXPECT_EQ(YTheories::getitemname_no(79), "");
  EXPECT_EQ(YTheories::getdesc(79), nullptr);
  EXPECT_EQ(YTheories::getitemno(78), -1);
}

TEST(CatalogueTest, TextsAreNameAndDescriptionEachEndingInCrLfButFactor38) {
  for (int no = 1; no <= 78; ++no) {
    SCOPED_TRACE(no);
    const std::string text = YTheories::getdesc(no);
    ASSERT_EQ(text, YTheories::desc[no]);
    std::string utf8;
    ASSERT_TRUE(ytext::to_utf8(text, &utf8)) << "not valid Shift_JIS";
    const std::size_t first = text.find("\r\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.substr(0, first), YTheories::getitemname_no(no));
    const std::string rest = text.substr(first + 2);
    const bool ends = rest.size() >= 2 && rest.compare(rest.size() - 2, 2, "\r\n") == 0;
    EXPECT_EQ(ends, no != 38);
    const std::string line = ends ? rest.substr(0, rest.size() - 2) : rest;
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "one line of description";
  }
  for (const Description& d : kDescriptions) {
    SCOPED_TRACE(d.no);
    std::string expected = YTheories::getitemname_no(d.no) + "\r\n" + Sjis(d.text);
    if (d.no != 38) expected += "\r\n";
    EXPECT_EQ(YTheories::getdesc(d.no), expected);
  }
}

// A record of one item of factor `no` with weight 50 and parameters p0, p1.
_tagTHEORYREC OneItem(int no, int p0, int p1) {
  YTheory theory(nullptr);
  theory.additem(no, 50, p0, p1);
  return *theory.record();
}

bool Accepts(int no, int p0, int p1) {
  _tagTHEORYREC record = OneItem(no, p0, p1);
  return YTheories::check(&record);
}

TEST(CheckTest, EachParameterKindAtItsValuesAndJustOutside) {
  // Factor 5 has a distance range then a number of runs; 19 a distance
  // range then months; 2 no parameters at all.
  for (int metres : {0, 200, 400, 600}) EXPECT_TRUE(Accepts(5, metres, 3)) << metres;
  for (int metres : {-1, 1, 199, 201, 800, 999}) EXPECT_FALSE(Accepts(5, metres, 3)) << metres;
  for (int runs = 1; runs <= 10; ++runs) EXPECT_TRUE(Accepts(5, 200, runs)) << runs;
  for (int runs : {0, 11, 998, 1000, -1}) EXPECT_FALSE(Accepts(5, 200, runs)) << runs;
  EXPECT_TRUE(Accepts(5, 200, 999));
  for (int months : {1, 3, 6, 12, 24}) EXPECT_TRUE(Accepts(19, 200, months)) << months;
  for (int months : {0, 2, 4, 11, 13, 25, 999}) EXPECT_FALSE(Accepts(19, 200, months)) << months;
  EXPECT_FALSE(Accepts(19, 999, 12)) << "999 only for a number of runs";
  EXPECT_TRUE(Accepts(11, 0, 3)) << "0 for a distance range";
}

TEST(CheckTest, ATypeZeroParameterIsResetToZeroAndTheThirdIsNotRead) {
  _tagTHEORYREC record = OneItem(2, 5, -7);
  record.item[0].param[2] = 12345;
  ASSERT_TRUE(YTheories::check(&record));
  EXPECT_EQ(record.item[0].param[0], 0);
  EXPECT_EQ(record.item[0].param[1], 0);
  EXPECT_EQ(record.item[0].param[2], 12345);
  // Factor 1 has no first parameter but a number of runs second.
  record = OneItem(1, 600, 3);
  ASSERT_TRUE(YTheories::check(&record));
  EXPECT_EQ(record.item[0].param[0], 0);
  EXPECT_EQ(record.item[0].param[1], 3);
}

TEST(CheckTest, CountFactorAndWeightRulesAndTheFaultNamed) {
  YTheory theory(nullptr);
  EXPECT_FALSE(YTheories::check(theory.record())) << "no items";
  EXPECT_FALSE(YTheories::check(nullptr));
  EXPECT_EQ(YTheories::findfault(nullptr, nullptr), YTheories::kNoRecord);
  for (int i = 0; i < 8; ++i) theory.additem(1 + i, 10, 0, 3);
  EXPECT_TRUE(YTheories::check(theory.record())) << "eight items";
  _tagTHEORYREC record = *theory.record();
  record.count = 9;
  EXPECT_EQ(YTheories::findfault(&record, nullptr), YTheories::kItemCount);
  record.count = -1;
  EXPECT_FALSE(YTheories::check(&record));

  struct Case {
    int no, value, p0, p1;
    YTheories::CheckFault fault;
  };
  const Case cases[] = {
      {0, 50, 0, 3, YTheories::kFactor},   {79, 50, 0, 3, YTheories::kFactor},
      {78, 50, 0, 0, YTheories::kValid},   {1, 0, 0, 3, YTheories::kWeight},
      {1, 101, 0, 3, YTheories::kWeight},  {1, 1, 0, 3, YTheories::kValid},
      {1, 100, 0, 3, YTheories::kValid},   {3, 50, 100, 3, YTheories::kParam1},
      {3, 50, 200, 12, YTheories::kParam2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.no);
    YTheory two(nullptr);
    two.additem(1, 50, 0, 3);
    two.additem(c.no, c.value, c.p0, c.p1);
    int item = -1;
    EXPECT_EQ(YTheories::findfault(two.record(), &item), c.fault);
    if (c.fault != YTheories::kValid) {
      EXPECT_EQ(item, 1);
    }
  }
}

}  // namespace
