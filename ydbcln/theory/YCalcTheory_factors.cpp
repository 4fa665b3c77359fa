// The factors of the common family, each one row of conditions, rule and
// display (see FactorDefinition.h), by factor code.
#include "ydbcln/theory/FactorDefinition.h"
#include "ydbcln/theory/YCalcTheory.h"

using ytheory::FactorDefinition;
using ytheory::Match;
using ytheory::Quantity;
using ytheory::Rule;
using ytheory::Show;
using ytheory::Table;

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

}  // namespace

// Each member is its row: the conditions, rule and display of FactorDefinition.
// Members without P1 pass 0 (no range) and those without P2 pass 0 (no
// count limit, no period).
#define YCALC_FAMILY(name, factor)                                                     \
  int YCalcTheory::name(YTheory*, int item, int* rank, bool ro) {                      \
    static constexpr FactorDefinition kFactor = factor;                                \
    return evaluate(kFactor, item, 0, 0, rank, ro);                                    \
  }
#define YCALC_FAMILY_P1(name, factor)                                                  \
  int YCalcTheory::name(YTheory*, int item, int p1, int* rank, bool ro) {              \
    static constexpr FactorDefinition kFactor = factor;                                \
    return evaluate(kFactor, item, p1, 0, rank, ro);                                   \
  }
#define YCALC_FAMILY_P2(name, factor)                                                  \
  int YCalcTheory::name(YTheory*, int item, int p2, int* rank, bool ro) {              \
    static constexpr FactorDefinition kFactor = factor;                                \
    return evaluate(kFactor, item, 0, p2, rank, ro);                                   \
  }
#define YCALC_FAMILY_P1P2(name, factor)                                                \
  int YCalcTheory::name(YTheory*, int item, int p1, int p2, int* rank, bool ro) {      \
    static constexpr FactorDefinition kFactor = factor;                                \
    return evaluate(kFactor, item, p1, p2, rank, ro);                                  \
  }

// 1
YCALC_FAMILY_P2(calc_horseaveragetime,
    F(H, kSurface | kDistance | kLatest, Rule::kMean, Show::kMeanTime, "平均ﾀｲﾑ", Quantity::kTime))
// 2
YCALC_FAMILY(calc_horsebesttime,
    F(H, kSurface | kDistance, Rule::kBest, Show::kTime, "最高ﾀｲﾑ", Quantity::kTime))
// 3
YCALC_FAMILY_P1P2(calc_horsebefore3f,
    F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "前3F", Quantity::kFirst3F))
// 4
YCALC_FAMILY_P1P2(calc_horselast3f,
    F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "後3F", Quantity::kLast3F))
// 5
YCALC_FAMILY_P1P2(calc_horsechakusa,
    F(H, kNear | kLatest, Rule::kMean, Show::kTenths, "着差ﾀｲﾑ", Quantity::kMargin))
// 7
YCALC_FAMILY_P2(calc_horseninki,
    F(H, kLatest, Rule::kRelative, Show::kRelative, "人気/頭数平均", Quantity::kPopularity))
// 8
YCALC_FAMILY_P2(calc_horsechaku,
    F(H, kLatest, Rule::kRelative, Show::kRelative, "着順/頭数平均", Quantity::kPosition))
// 9
YCALC_FAMILY_P1P2(calc_horseodds,
    F(H, kNear | kLatest, Rule::kMean, Show::kTenthsWide, "平均ｵｯｽﾞ", Quantity::kOdds))
// 10
YCALC_FAMILY(calc_horsejisseki,
    F(H, kCourse, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 11
YCALC_FAMILY_P1P2(calc_horsekyoritekisei,
    F(H, kNear | kPlaced | kLatest, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 12
YCALC_FAMILY(calc_horserentai,
    F(H, kAny, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 13
YCALC_FAMILY(calc_horseshoritsu,
    F(H, kAny, Rule::kWinRate, Show::kRate, kWin))
// 14
YCALC_FAMILY_P1(calc_horsekyorirentai,
    F(H, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 15
YCALC_FAMILY_P1(calc_horsekyorishoritsu,
    F(H, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin))
// 16
YCALC_FAMILY_P2(calc_horsespindex,
    F(H, kLatest, Rule::kMean, Show::kHundredths, "指数平均", Quantity::kIndex))
// 17
YCALC_FAMILY(calc_horsebabatekisei,
    F(H, kGoing, Rule::kPlacingScore, Show::kCounts3))
// 18
YCALC_FAMILY(calc_horsecoursetekisei,
    F(H, kSurface, Rule::kWinCount, Show::kCounts3))
// 19
YCALC_FAMILY_P1P2(calc_sirejisseki,
    F(S, kNear, Rule::kWinRate, Show::kRateWide, kWin))
// 20
YCALC_FAMILY_P1P2(calc_sirecoursejisseki,
    F(S, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin))
// 22
YCALC_FAMILY_P2(calc_jockeyjisseki,
    F(J, kAny, Rule::kWinCount, Show::kCounts4))
// 23
YCALC_FAMILY_P2(calc_jockeyrentairitsu,
    F(J, kAny, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 24
YCALC_FAMILY_P2(calc_jockeyshouritsu,
    F(J, kAny, Rule::kWinRate, Show::kRate, kWin))
// 25
YCALC_FAMILY_P1P2(calc_jockeykyorirentairitsu,
    F(J, kNear, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 26
YCALC_FAMILY_P1P2(calc_jockeykyorishouritsu,
    F(J, kNear, Rule::kWinRate, Show::kRate, kWin))
// 27
YCALC_FAMILY_P1P2(calc_jockeyracejisseki,
    F(J, kCourseNear, Rule::kWinCount, Show::kCounts4))
// 28
YCALC_FAMILY_P2(calc_stablerentairitsu,
    F(T, kAny, Rule::kTopTwoRate, Show::kRateWide, kTopTwo))
// 29
YCALC_FAMILY_P2(calc_stablejisseki,
    F(T, kAny, Rule::kWinCount, Show::kCounts4))
// 32
YCALC_FAMILY(calc_horsewaku,
    F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kDraw))
// 33
YCALC_FAMILY(calc_horsetosu,
    F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kFieldSize))
// 35
YCALC_FAMILY(calc_horseseason,
    F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kSeason))
// 36
YCALC_FAMILY(calc_horsejockey,
    F(H, kAny, Rule::kPlacingScore, Show::kCounts3, "", Quantity::kNone, Match::kJockey))
// 39
YCALC_FAMILY(calc_horse3chakunai,
    F(H, kAny, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 40
YCALC_FAMILY_P1(calc_horsekyori3chakunai,
    F(H, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 41
YCALC_FAMILY_P2(calc_jockey3chakunai,
    F(J, kAny, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 42
YCALC_FAMILY_P1P2(calc_jockeykyori3chakunai,
    F(J, kNear, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 43
YCALC_FAMILY_P2(calc_stable3chakunai,
    F(T, kAny, Rule::kTopThreeRate, Show::kRateWide, kTopThree))
// 44
YCALC_FAMILY_P2(calc_stableshouritsu,
    F(T, kAny, Rule::kWinRate, Show::kRateWide, kWin))
// 45
YCALC_FAMILY(calc_horsejisseki1,
    F(H, kAny, Rule::kWinCount, Show::kCounts4))
// 46
YCALC_FAMILY_P2(calc_jockeyseason,
    F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason))
// 47
YCALC_FAMILY_P2(calc_stableseason,
    F(T, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason))
// 48
YCALC_FAMILY_P2(calc_sireseason,
    F(S, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kSeason))
// 49
YCALC_FAMILY(calc_horsekaisai,
    F(H, kMeeting, Rule::kPlacingScore, Show::kCounts4))
// 50
YCALC_FAMILY_P2(calc_jockeykaisai,
    F(J, kMeeting, Rule::kPlacingScore, Show::kCounts4))
// 51
YCALC_FAMILY_P2(calc_stablekaisai,
    F(T, kMeeting, Rule::kPlacingScore, Show::kCounts4))
// 52
YCALC_FAMILY_P2(calc_sirekaisai,
    F(S, kMeeting, Rule::kPlacingScore, Show::kCounts4))
// 53
YCALC_FAMILY_P1(calc_horseracejisseki,
    F(H, kCourseNear, Rule::kWinCount, Show::kCounts4))
// 54
YCALC_FAMILY_P1P2(calc_stableracejisseki,
    F(T, kCourseNear, Rule::kWinCount, Show::kCounts4))
// 55
YCALC_FAMILY_P1P2(calc_sireracejisseki,
    F(S, kCourseNear, Rule::kWinCount, Show::kCounts4))
// 56
YCALC_FAMILY_P1P2(calc_stablekyorijisseki,
    F(T, kNear, Rule::kWinRate, Show::kRateWide, kWin))
// 57
YCALC_FAMILY_P2(calc_jockeywaku,
    F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kDraw))
// 58
YCALC_FAMILY_P2(calc_jockeytosu,
    F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kFieldSize))
// 59
YCALC_FAMILY_P2(calc_jockeybasyojisseki,
    F(J, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 60
YCALC_FAMILY_P2(calc_stablekyorijisseki,
    F(T, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 61
YCALC_FAMILY_P2(calc_sirekyorijisseki,
    F(S, kCourse | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 62
YCALC_FAMILY_P2(calc_jockeybabatekisei,
    F(J, kGoing, Rule::kPlacingScore, Show::kCounts4))
// 63
YCALC_FAMILY_P1P2(calc_jockeykyoritekisei,
    F(J, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 64
YCALC_FAMILY_P1P2(calc_stablekyoritekisei,
    F(T, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 65
YCALC_FAMILY_P1P2(calc_sirekyoritekisei,
    F(S, kNear | kPlaced, Rule::kAveragePosition, Show::kPosition, kAveragePos))
// 66
YCALC_FAMILY_P2(calc_jockeychaku,
    F(J, kLatest, Rule::kRelative, Show::kRelative, "着順/頭数平均", Quantity::kPosition))
// 67
YCALC_FAMILY_P2(calc_jockeystable,
    F(J, kAny, Rule::kPlacingScore, Show::kCounts4, "", Quantity::kNone, Match::kTrainer))
// 68
YCALC_FAMILY_P1(calc_horsecoursejisseki,
    F(H, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin))
// 69
YCALC_FAMILY_P1P2(calc_jockeycoursejisseki,
    F(J, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin))
// 70
YCALC_FAMILY_P1P2(calc_stablecoursejisseki,
    F(T, kCourseNear, Rule::kWinRate, Show::kRateWide, kWin))
// 71
YCALC_FAMILY_P2(calc_jockeycoursetekisei,
    F(J, kSurface, Rule::kWinCount, Show::kCounts4))
// 72
YCALC_FAMILY_P1(calc_horsecourseshoritsu,
    F(H, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin))
// 73
YCALC_FAMILY_P1P2(calc_jockeycourseshoritsu,
    F(J, kNear | kPlaced, Rule::kWinRate, Show::kRate, kWin))
// 74
YCALC_FAMILY_P1(calc_horsecourserentai,
    F(H, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 75
YCALC_FAMILY_P1P2(calc_jockeycourserentai,
    F(J, kNear | kPlaced, Rule::kTopTwoRate, Show::kRate, kTopTwo))
// 76
YCALC_FAMILY_P1(calc_horsecourse3chakunai,
    F(H, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 77
YCALC_FAMILY_P1P2(calc_jockeycourse3chakunai,
    F(J, kNear | kPlaced, Rule::kTopThreeRate, Show::kRate, kTopThree))
// 6
YCALC_FAMILY_P2(calc_horsekinryo,
    F(H, kSurface | kDistance | kLatest, Rule::kWeightAdjusted, Show::kTime, "斤量指数", Quantity::kTime))
// 21
YCALC_FAMILY_P2(calc_sirekettou,
    F(S, kAny, Rule::kGradePoints, Show::kName))
// 34
YCALC_FAMILY(calc_horsekaku,
    F(H, kAny, Rule::kClassPoints, Show::kCounts3))
// 78
YCALC_FAMILY(calc_horseana,
    F(H, kAny, Rule::kLongshot, Show::kHundredthsNarrow, "穴馬期待度", Quantity::kPopularity))
