// The rows of the factor registry, by code, and the catalogue's table of
// categories, parameters and display groups drawn from them.
#include "ydbcln/theory/engine/FactorRegistry.h"

#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/engine/Evaluator.h"

namespace ytheory {
namespace {

// Conditions on a run, combined with |.
enum Cond : unsigned {
  kAny = 0,
  kSurface = 1u << 0,
  kDistance = 1u << 1,
  kRange = 1u << 2,     // distance within ± P1
  kCourse = 1u << 3,    // same racecourse
  kGoing = 1u << 4,
  kMeeting = 1u << 5,
  kPlaced = 1u << 6,    // position not 0
  kLatest = 1u << 7,    // the latest P2 qualifying runs only
};

// Smaller is better for times, margins, odds, positions and relative
// positions; larger for indices, rates and counts.
constexpr bool larger(Rule r, Quantity q) {
  switch (r) {
    case Rule::kBest:
    case Rule::kWeightAdjusted:
    case Rule::kAveragePosition:
    case Rule::kRelative:
      return false;
    case Rule::kMean:
      return q == Quantity::kIndex;
    default:
      return true;
  }
}

// The conditions, rule and display of a factor that counts past runs.
constexpr FactorDefinition F(Table t, unsigned c, Rule r, Show s, const char* heading = "",
                             Quantity q = Quantity::kNone, Match m = Match::kNone) {
  return FactorDefinition{t,
                          (c & kSurface) != 0,
                          (c & kDistance) != 0,
                          (c & kRange) != 0,
                          (c & kCourse) != 0,
                          (c & kGoing) != 0,
                          (c & kMeeting) != 0,
                          (c & kPlaced) != 0,
                          m,
                          (c & kLatest) != 0,
                          q,
                          r,
                          larger(r, q),
                          s,
                          heading,
                          t == Table::kStable || t == Table::kSire || m == Match::kTrainer};
}

constexpr Table H = Table::kHorse;
constexpr Table J = Table::kJockey;
constexpr Table T = Table::kStable;
constexpr Table S = Table::kSire;

// Runs over the same surface and a distance within ± P1.
constexpr unsigned kNear = kSurface | kRange;
// ... and at the same racecourse.
constexpr unsigned kCourseNear = kSurface | kCourse | kRange;

constexpr const char* kTopTwo = "連対率";
constexpr const char* kWin = "勝率";
constexpr const char* kTopThree = "３着内率";
constexpr const char* kAveragePos = "着順平均";

constexpr Param kNoParam{ParamKind::kNone, 0};
constexpr Param Range(int metres) { return {ParamKind::kDistanceRange, metres}; }
constexpr Param Runs(int runs) { return {ParamKind::kRecentRuns, runs}; }
constexpr Param Months(int months) { return {ParamKind::kMonthsBack, months}; }

// A factor that counts past runs by its rule.
constexpr Factor Row(int code, const char* name, const char* description, Category category,
                     Param p1, Param p2, Group group, FactorDefinition rule) {
  return Factor{code, name, description, category, {p1, p2}, group, &Evaluator::RankByRule, rule};
}
// A factor with a computation of its own.
constexpr Factor Row(int code, const char* name, const char* description, Category category,
                     Param p1, Param p2, Group group, Computation compute) {
  return Factor{code, name, description, category, {p1, p2}, group, compute, FactorDefinition{}};
}

constexpr Factor kFactors[kFactorCount] = {
    // 1
    Row(1, "平均タイム",
        "出走馬の同距離でのタイム評価（指定レース数の平均タイム）",
        Category::kHorse, kNoParam, Runs(3), kShowTimes,
        F(H, kSurface | kDistance | kLatest, Rule::kMean, Show::kMeanTime, "平均ﾀｲﾑ", Quantity::kTime)),
    // 2
    Row(2, "最高タイム",
        "出走馬の同距離での最高タイム評価（過去の全出走レースを参照）",
        Category::kHorse, kNoParam, kNoParam, kShowTimes,
        F(H, kSurface | kDistance, Rule::kBest, Show::kTime, "最高ﾀｲﾑ", Quantity::kTime)),
    // 3
    Row(3, "前半３Ｆ",
        "出走馬の指定距離での前半３Ｆタイム評価（指定距離範囲の指定レース数平均)",
        Category::kHorse, Range(0), Runs(3), kShowTimes,
        F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "前3F", Quantity::kFirst3F)),
    // 4
    Row(4, "上がり３Ｆ",
        "出走馬の指定距離での上がり３Ｆタイム評価（指定距離範囲の指定レース数平均)",
        Category::kHorse, Range(0), Runs(3), kShowTimes,
        F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "後3F", Quantity::kLast3F)),
    // 5
    Row(5, "着差タイム",
        "出走馬の指定距離での着差タイム評価（指定距離範囲の指定レース数平均)",
        Category::kHorse, Range(200), Runs(3), kShowTimes,
        F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "着差ﾀｲﾑ", Quantity::kMargin)),
    // 6
    Row(6, "斤量評価",
        "出走馬の登録斤量によるタイム評価（（今回の斤量）－（同距離での最高タイム時の斤量））×0.2＋同距離での最高タイム",
        Category::kHorse, kNoParam, Runs(3), kShowHorse,
        F(H, kSurface | kDistance | kLatest, Rule::kWeightAdjusted, Show::kTime, "斤量指数", Quantity::kTime)),
    // 7
    Row(7, "人気評価",
        "出走馬の指定レース数の人気評価（出走頭数÷人気)",
        Category::kHorse, kNoParam, Runs(5), kShowOdds,
        F(H, kLatest, Rule::kRelative, Show::kRelative, "人気/頭数平均", Quantity::kPopularity)),
    // 8
    Row(8, "着順評価",
        "出走馬の指定レース数の着順評価（出走頭数÷着順)",
        Category::kHorse, kNoParam, Runs(5), kShowHorse,
        F(H, kLatest, Rule::kRelative, Show::kRelative, "着順/頭数平均", Quantity::kPosition)),
    // 9
    Row(9, "オッズ評価",
        "出走馬の指定距離での単勝オッズ評価（指定距離範囲の指定レース数平均)",
        Category::kHorse, Range(200), Runs(3), kShowOdds,
        F(H, kNear | kLatest, Rule::kMean, Show::kTenthsWide, "平均ｵｯｽﾞ", Quantity::kOdds)),
    // 10
    Row(10, "競走馬競馬場実績",
        "出走馬の当該競馬場での実績評価（過去の該当競馬場での平均着順)",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kCourse, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 11
    Row(11, "距離適性",
        "出走馬の距離適性評価（指定距離範囲の指定レース数の平均着順)",
        Category::kHorse, Range(0), Runs(3), kShowHorse,
        F(H, kNear | kPlaced | kLatest, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 12
    Row(12, "競走馬連対率",
        "過去の全レースの連対率評価（（１着＋２着）÷出走数）",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 13
    Row(13, "競走馬勝率",
        "過去の全レースの勝率評価（１着÷出走数）",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kWinRate, Show::kRate, kWin)),
    // 14
    Row(14, "競走馬距離連対率",
        "過去の指定距離範囲での全レースの連対率評価（（１着＋２着）÷出走数）",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 15
    Row(15, "競走馬距離勝率",
        "過去の指定距離範囲での全レースの勝率評価（１着÷出走数）",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin)),
    // 16
    Row(16, "レコード指数",
        "出走馬の同距離でのレコードタイムとの差の評価（指定レース数の平均)",
        Category::kHorse, kNoParam, Runs(3), kShowIndices,
        F(H, kLatest, Rule::kMean, Show::kHundredths, "指数平均", Quantity::kIndex)),
    // 17
    Row(17, "競走馬馬場適性",
        "競走馬の推定馬場での実績（過去の該当馬場での着順実績)",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kGoing, Rule::kPlacingScore, Show::kCounts3)),
    // 18
    Row(18, "競走馬コース適性",
        "競走馬の当該コースでの実績（過去の該当コースでの着順実績)",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kSurface, Rule::kWinCount, Show::kCounts3)),
    // 19
    Row(19, "種牡馬距離実績",
        "指定期間の指定距離範囲での産駒の勝率",
        Category::kSire, Range(200), Months(24), kShowSire,
        F(S, kNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 20
    Row(20, "種牡馬コース実績",
        "指定期間の指定距離範囲の該当コースでの産駒の勝率",
        Category::kSire, Range(200), Months(24), kShowSire,
        F(S, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 21
    Row(21, "血統",
        "指定期間の父系産駒の実績による血統評価",
        Category::kSire, kNoParam, Months(24), kShowHorse,
        F(S, kAny, Rule::kGradePoints, Show::kName)),
    // 22
    Row(22, "騎手実績",
        "指定期間の関東・関西総合の評価（１着数)",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kWinCount, Show::kCounts4)),
    // 23
    Row(23, "騎手連対率",
        "指定期間の騎手の連対率評価（（１着＋２着）÷出走数）",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 24
    Row(24, "騎手勝率",
        "指定期間の騎手の勝率評価（１着÷出走数）",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kWinRate, Show::kRate, kWin)),
    // 25
    Row(25, "騎手距離連対率",
        "指定期間、指定距離範囲での騎手の連対率評価（（１着＋２着）÷出走数）",
        Category::kJockey, Range(0), Months(12), kShowJockey,
        F(J, kNear, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 26
    Row(26, "騎手距離勝率",
        "指定期間、指定距離範囲での騎手の勝率評価（１着÷出走数）",
        Category::kJockey, Range(0), Months(12), kShowJockey,
        F(J, kNear, Rule::kWinRate, Show::kRate, kWin)),
    // 27
    Row(27, "騎手レース実績",
        "指定期間、指定距離範囲の同コースでの１，２，３着表示",
        Category::kJockey, Range(0), Months(12), kShowJockey,
        F(J, kCourseNear, Rule::kWinCount, Show::kCounts4)),
    // 28
    Row(28, "トレーナー連対率",
        "指定期間のトレーナーの連対率評価（（１着＋２着）÷出走数）",
        Category::kTrainer, kNoParam, Months(12), kShowTrainer,
        F(T, kAny, Rule::kTopTwoRate, Show::kRateWide, kTopTwo)),
    // 29
    Row(29, "トレーナー実績",
        "指定期間のトレーナーの関東・関西総合の評価（１着数)",
        Category::kTrainer, kNoParam, Months(12), kShowTrainer,
        F(T, kAny, Rule::kWinCount, Show::kCounts4)),
    // 30
    Row(30, "コース出目",
        "指定期間の該当競馬場およびコースでの馬番別１，２，３着表示",
        Category::kCourse, kNoParam, Months(24), kShowOdds,
        &Evaluator::RankCourseDraw),
    // 31
    Row(31, "予想印",
        "当該レースの予想印の評価",
        Category::kForecast, kNoParam, kNoParam, kShowIndices,
        &Evaluator::RankPredictionMark),
    // 32
    Row(32, "枠順実績",
        "出走馬の当該レースの枠順（内、中、外）での実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kDraw)),
    // 33
    Row(33, "頭数実績",
        "出走馬の当該レースの頭数（少頭数、中頭数、多頭数）での実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kFieldSize)),
    // 34
    Row(34, "競走馬格評価",
        "出走馬の過去の出走レースのクラスによる格の評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kClassPoints, Show::kCounts3)),
    // 35
    Row(35, "競走馬季節実績",
        "出走馬の当該レースの季節（春、夏、秋、冬）での実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kSeason)),
    // 36
    Row(36, "競走馬騎手実績",
        "出走馬の当該レースの騎手が騎乗したレースでの実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kJockey)),
    // 37
    Row(37, "予想オッズ",
        "当該レースの予想オッズの評価",
        Category::kForecast, kNoParam, kNoParam, kShowIndices,
        &Evaluator::RankForecastOdds),
    // 38
    Row(38, "調教印",
        "当該レースの各出走馬の調教印",
        Category::kHorse, kNoParam, kNoParam, kShowIndices,
        &Evaluator::RankTrainingMark),
    // 39
    Row(39, "競走馬３着内率",
        "過去の全レースの３着内率評価（（１着＋２着＋３着）÷出走数）",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 40
    Row(40, "競走馬距離３着内率",
        "過去の指定距離範囲での全レースの３着内率評価（（１着＋２着＋３着）÷出走数）",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 41
    Row(41, "騎手３着内率",
        "指定期間の騎手の３着内率評価（（１着＋２着＋３着）÷出走数）",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 42
    Row(42, "騎手距離３着内率",
        "指定期間、指定距離範囲での騎手の３着内率評価（（１着＋２着＋３着）÷出走数）",
        Category::kJockey, Range(0), Months(12), kShowJockey,
        F(J, kNear, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 43
    Row(43, "トレーナー３着内率",
        "指定期間のトレーナーの３着内率評価（（１着＋２着＋３着）÷出走数）",
        Category::kTrainer, kNoParam, Months(12), kShowTrainer,
        F(T, kAny, Rule::kTopThreeRate, Show::kRateWide, kTopThree)),
    // 44
    Row(44, "トレーナー勝率",
        "指定期間のトレーナーの勝率評価（１着÷出走数）",
        Category::kTrainer, kNoParam, Months(12), kShowTrainer,
        F(T, kAny, Rule::kWinRate, Show::kRateWide, kWin)),
    // 45
    Row(45, "競走馬実績",
        "出走馬の過去の全レースでの着順実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kWinCount, Show::kCounts4)),
    // 46
    Row(46, "騎手季節実績",
        "騎手の当該レースの季節（春、夏、秋、冬）での実績評価",
        Category::kJockey, kNoParam, Months(24), kShowJockey,
        F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason)),
    // 47
    Row(47, "トレーナー季節実績",
        "トレーナーの当該レースの季節（春、夏、秋、冬）での実績評価",
        Category::kTrainer, kNoParam, Months(24), kShowTrainer,
        F(T, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason)),
    // 48
    Row(48, "種牡馬季節実績",
        "種牡馬産駒の当該レースの季節（春、夏、秋、冬）での実績評価",
        Category::kSire, kNoParam, Months(24), kShowSire,
        F(S, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason)),
    // 49
    Row(49, "競走馬開催実績",
        "競走馬の指定開催での実績評価",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kMeeting, Rule::kPlacingScore, Show::kCounts4)),
    // 50
    Row(50, "騎手開催実績",
        "騎手の指定開催での実績評価",
        Category::kJockey, kNoParam, Months(24), kShowJockey,
        F(J, kMeeting, Rule::kPlacingScore, Show::kCounts4)),
    // 51
    Row(51, "トレーナー開催実績",
        "トレーナーの指定開催での実績評価",
        Category::kTrainer, kNoParam, Months(24), kShowTrainer,
        F(T, kMeeting, Rule::kPlacingScore, Show::kCounts4)),
    // 52
    Row(52, "種牡馬開催実績",
        "種牡馬産駒の指定開催での実績評価",
        Category::kSire, kNoParam, Months(24), kShowSire,
        F(S, kMeeting, Rule::kPlacingScore, Show::kCounts4)),
    // 53
    Row(53, "競走馬レース実績",
        "指定距離範囲の同コースでの競走馬の１，２，３着表示",
        Category::kHorse, Range(0), kNoParam, kShowHorse,
        F(H, kCourseNear, Rule::kWinCount, Show::kCounts4)),
    // 54
    Row(54, "トレーナーレース実績",
        "指定期間、指定距離範囲の同コースでのトレーナーの１，２，３着表示",
        Category::kTrainer, Range(0), Months(24), kShowTrainer,
        F(T, kCourseNear, Rule::kWinCount, Show::kCounts4)),
    // 55
    Row(55, "種牡馬レース実績",
        "指定期間、指定距離範囲の同コースでの種牡馬産駒の１，２，３着表示",
        Category::kSire, Range(0), Months(24), kShowSire,
        F(S, kCourseNear, Rule::kWinCount, Show::kCounts4)),
    // 56
    Row(56, "トレーナー距離実績",
        "指定期間の指定距離範囲でのトレーナーの勝率",
        Category::kTrainer, Range(200), Months(24), kShowTrainer,
        F(T, kNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 57
    Row(57, "騎手枠順実績",
        "騎手の当該レースの枠順（内、中、外）での実績評価",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kDraw)),
    // 58
    Row(58, "騎手頭数実績",
        "騎手の当該レースの頭数（少頭数、中頭数、多頭数）での実績評価",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kFieldSize)),
    // 59
    Row(59, "騎手競馬場実績",
        "指定期間の騎手の当該競馬場での実績評価（平均着順)",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 60
    Row(60, "トレーナー競馬場実績",
        "指定期間のトレーナーの当該競馬場での実績評価（平均着順)",
        Category::kTrainer, kNoParam, Months(12), kShowTrainer,
        F(T, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 61
    Row(61, "種牡馬競馬場実績",
        "指定期間の種牡馬産駒の当該競馬場での実績評価（平均着順)",
        Category::kSire, kNoParam, Months(12), kShowSire,
        F(S, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 62
    Row(62, "騎手馬場適性",
        "指定期間の騎手の推定馬場での実績（該当馬場での着順実績)",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kGoing, Rule::kPlacingScore, Show::kCounts4)),
    // 63
    Row(63, "騎手距離適性",
        "指定期間の騎手の距離適性評価（指定距離範囲での平均着順)",
        Category::kJockey, Range(0), Months(12), kShowJockey,
        F(J, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 64
    Row(64, "トレーナー距離適性",
        "指定期間のトレーナーの距離適性評価（指定距離範囲での平均着順)",
        Category::kTrainer, Range(0), Months(12), kShowTrainer,
        F(T, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 65
    Row(65, "種牡馬距離適性",
        "指定期間の種牡馬産駒の距離適性評価（指定距離範囲での平均着順)",
        Category::kSire, Range(0), Months(12), kShowSire,
        F(S, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos)),
    // 66
    Row(66, "騎手着順評価",
        "指定期間の騎手の着順評価（出走頭数÷着順)",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kLatest, Rule::kRelative, Show::kRelative, "着順/頭数平均", Quantity::kPosition)),
    // 67
    Row(67, "騎手トレーナー実績",
        "指定期間の騎手と当該トレーナーの組み合わせでの実績評価",
        Category::kJockey, kNoParam, Months(12), kShowJockey,
        F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kTrainer)),
    // 68
    Row(68, "競走馬コース実績",
        "指定距離範囲の該当競馬場およびコースでの競走馬の１，２，３着表示",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 69
    Row(69, "騎手コース実績",
        "指定期間の該当競馬場およびコースでの騎手の１，２，３着表示",
        Category::kJockey, Range(200), Months(24), kShowJockey,
        F(J, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 70
    Row(70, "トレーナーコース実績",
        "指定期間の該当競馬場およびコースでのトレーナーの１，２，３着表示",
        Category::kTrainer, Range(200), Months(24), kShowTrainer,
        F(T, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin)),
    // 71
    Row(71, "騎手コース適性",
        "指定期間の該当競馬場およびコースでの騎手の平均着順評価",
        Category::kJockey, kNoParam, Months(24), kShowJockey,
        F(J, kSurface, Rule::kWinCount, Show::kCounts4)),
    // 72
    Row(72, "競走馬コース勝率",
        "指定期間の該当競馬場とコースでの競走馬の勝率評価（１着÷出走数)",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin)),
    // 73
    Row(73, "騎手コース勝率",
        "指定期間の該当競馬場とコースでの騎手の勝率評価（１着÷出走数)",
        Category::kJockey, Range(200), Months(24), kShowJockey,
        F(J, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin)),
    // 74
    Row(74, "競走馬コース連対率",
        "指定期間の該当競馬場とコースでの競走馬の連対率評価（（１着＋２着）÷出走数)",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 75
    Row(75, "騎手コース連対率",
        "指定期間の該当競馬場とコースでの騎手の連対率評価（（１着＋２着）÷出走数)",
        Category::kJockey, Range(200), Months(24), kShowJockey,
        F(J, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo)),
    // 76
    Row(76, "競走馬コース３着内率",
        "指定期間の該当競馬場とコースでの競走馬の３着内率評価（（１着＋２着＋３着）÷出走数)",
        Category::kHorse, Range(200), kNoParam, kShowHorse,
        F(H, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 77
    Row(77, "騎手コース３着内率",
        "指定期間の該当競馬場とコースでの騎手の３着内率評価（（１着＋２着＋３着）÷出走数)",
        Category::kJockey, Range(200), Months(24), kShowJockey,
        F(J, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree)),
    // 78
    Row(78, "穴馬期待度",
        "競走馬の穴馬期待度。",
        Category::kHorse, kNoParam, kNoParam, kShowHorse,
        F(H, kAny, Rule::kLongshot, Show::kHundredthsNarrow, "穴馬期待度", Quantity::kPopularity)),
};

static_assert([] {
  for (int i = 0; i < kFactorCount; ++i) {
    if (kFactors[i].code != i + 1) return false;
  }
  return true;
}(), "the rows are in code order, from 1");

// The catalogue's rows (YTheories::param_table): category, parameter
// kinds, parameter defaults, label, display group; row 0 is a null row.
struct CatalogueRows {
  int row[kFactorCount + 1][7];
};

constexpr CatalogueRows BuildCatalogueRows() {
  CatalogueRows t{};
  t.row[0][YTheories::kCategory] = -1;
  t.row[0][YTheories::kGroup] = -1;
  for (const Factor& f : kFactors) {
    int* r = t.row[f.code];
    r[YTheories::kCategory] = static_cast<int>(f.category);
    r[YTheories::kParamType1] = static_cast<int>(f.param[0].kind);
    r[YTheories::kParamType2] = static_cast<int>(f.param[1].kind);
    r[YTheories::kParamDefault1] = f.param[0].fallback;
    r[YTheories::kParamDefault2] = f.param[1].fallback;
    r[YTheories::kLabel] = f.code;
    r[YTheories::kGroup] = f.group;
  }
  return t;
}

constexpr CatalogueRows kCatalogueRows = BuildCatalogueRows();

}  // namespace

const Factor* FindFactor(int code) {
  return code >= 1 && code <= kFactorCount ? &kFactors[code - 1] : nullptr;
}

const std::vector<int>& ParamValues(ParamKind kind) {
  static const std::vector<int> kValues[4] = {
      {0}, {0, 200, 400, 600}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 999}, {1, 3, 6, 12, 24}};
  return kValues[static_cast<int>(kind)];
}

std::vector<_tagTHITEM> CandidateItems() {
  std::vector<_tagTHITEM> items;
  for (const Factor& f : kFactors) {
    for (int p1 : ParamValues(f.param[0].kind)) {
      for (int p2 : ParamValues(f.param[1].kind)) items.push_back(_tagTHITEM{f.code, 0, {p1, p2, 0}});
    }
  }
  return items;
}

}  // namespace ytheory

const int (&YTheories::param_table)[YTheories::theorynomax + 1][7] = ytheory::kCatalogueRows.row;

static_assert(ytheory::kFactorCount == YTheories::theorynomax, "the catalogue has every factor");
