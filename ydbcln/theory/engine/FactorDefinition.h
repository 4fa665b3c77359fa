// The common family of the theory engine's factors: a table of past runs
// walked from the latest run back, the runs that qualify by the factor's
// conditions, a tally of them, the value the tally gives and how the value
// is shown. Every factor that reads past runs is one FactorDefinition; the
// course draw, the marks and the forecast odds have rules of their own and
// share only the display helpers.
#ifndef YDBCLN_THEORY_ENGINE_FACTORDEFINITION_H_
#define YDBCLN_THEORY_ENGINE_FACTORDEFINITION_H_

#include <string>

namespace ytheory {

// Whose past runs a factor reads.
enum class Table { kHorse, kJockey, kStable, kSire };

// A condition that compares a run with today's runner or race.
enum class Match {
  kNone,
  kDraw,       // same draw class: inner (numbers 1, 2), outer (the last two), middle
  kFieldSize,  // same field-size class: below 9, above 13, between
  kSeason,     // same season: 3-5, 6-8, 9-11, 12-2
  kJockey,     // the run's jockey is today's jockey
  kTrainer,    // the ride's trainer is today's trainer of the horse
};

// The figure of a run that a mean or a relative position is taken of.
enum class Quantity { kNone, kTime, kFirst3F, kLast3F, kMargin, kOdds, kIndex, kPosition, kPopularity };

// How the tally becomes the factor's value.
enum class Rule {
  kMean,             // mean of the quantity
  kBest,             // smallest non-zero time
  kWinRate,          // 1st / runs
  kTopTwoRate,       // (1st + 2nd) / runs
  kTopThreeRate,     // (1st + 2nd + 3rd) / runs
  kPlacingScore,     // 3 × 1st + 2 × 2nd + 3rd − others
  kWinCount,         // number of 1st places
  kAveragePosition,  // mean of the non-zero positions
  kRelative,         // mean of quantity / runners
  kWeightAdjusted,   // best time + 0.2 s per kilogram carried today above that run
  kClassPoints,      // points of the runs placed 1st to 3rd by the race's class
  kGradePoints,      // points of the offspring's runs placed 1st to 3rd in graded and open races
  kLongshot,         // how far the horse has beaten its popularity, per run, × 100
};

// How the value is shown.
enum class Show {
  kRate,          // "%1d.%03d"
  kRateWide,      // "%2d.%03d"
  kPosition,      // "%2d.%1d"
  kMeanTime,      // "%4d.%1d" as M SS T and the tenths of the mean
  kTenths,        // "%2d.%02d": tenths shown with two decimals (3F times, margins)
  kTenthsWide,    // "%3d.%02d" (odds)
  kHundredths,    // "%3d.%02d" of the value itself (index)
  kCounts3,       // the four place counts "%3d"
  kCounts4,       // the four place counts "%4d"
  kRelative,      // the mean "%2d.%02d" and the latest runs "%2d/%2d"
  kTime,          // "%4d" as M SS T
  kHundredthsNarrow,  // "%2d.%02d" of the value itself (longshot expectation)
  kName,          // the sire's name only
};

struct FactorDefinition {
  Table table;
  // Conditions on a run besides being before the race date (and, for a
  // jockey, trainer or sire, inside the period of P2 months).
  bool surface;     // same surface
  bool distance;    // same distance
  bool range;       // distance within ± P1
  bool racecourse;  // same racecourse
  bool going;       // same going
  bool meeting;     // same racecourse and meeting number
  bool placed;      // position not 0
  Match match;
  bool limited;     // at most the latest P2 qualifying runs
  Quantity quantity;
  Rule rule;
  bool larger;      // a larger value is better
  Show show;
  const char* heading;  // UTF-8; unused for the counts
  bool namecolumn;      // a first column with the trainer's or sire's name
};

// The places of some runs: how many runs, and how many of them 1st, 2nd,
// 3rd and other (0 or below 3rd).
struct PlaceCounts {
  int runs = 0;
  int places[4] = {0, 0, 0, 0};

  void place(int position) {
    ++runs;
    ++places[position >= 1 && position <= 3 ? position - 1 : 3];
  }
};

// The tally of the qualifying runs of one runner, trainer or sire.
struct Tally : PlaceCounts {
  double sum = 0;                 // of the quantity, or the non-zero positions
  int summed = 0;
  int best = 0;                   // smallest non-zero time
  int bestweight = 0;             // weight carried in that run
  int recent[5][2] = {};          // the latest runs of a relative position: figure, runners
  int recentcount = 0;

  // 3 × 1st + 2 × 2nd + 3rd − others.
  int placingscore() const { return 3 * places[0] + 2 * places[1] + places[2] - places[3]; }
};

// The texts of a runner on a factor: at most five columns.
struct Texts {
  std::string column[5];
};

// The headings "１着", "２着", "３着", "着外" (Shift_JIS).
const std::string* count_headings();
// The four counts of a tally in fields of `width` digits.
void count_texts(const Tally& t, int width, std::string* out);
// A heading or other fixed text in Shift_JIS.
std::string sjis(const char* utf8);
// printf into a string.
std::string format(const char* fmt, int a, int b);

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_FACTORDEFINITION_H_
