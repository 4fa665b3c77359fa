// The factor registry: one row per factor a theory can combine, giving its
// code, name and description, its category, the kind and default of each
// of its two parameters, the display group it is shown with, how the
// engine computes it and, for the factors that count past runs, their
// conditions, rule and display. The catalogue (YTheories), the engine's
// dispatch and the command line's listing all read these rows; adding a
// factor is adding a row.
//
//   const ytheory::Factor* f = ytheory::FindFactor(24);  // 騎手勝率
//   if (f != nullptr && f->param[1].kind == ytheory::ParamKind::kMonthsBack) ...
#ifndef YDBCLN_THEORY_ENGINE_FACTORREGISTRY_H_
#define YDBCLN_THEORY_ENGINE_FACTORREGISTRY_H_

#include <vector>

#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/engine/FactorDefinition.h"

namespace ytheory {

class Evaluator;
struct Display;
struct Factor;

// Whose data a factor reads; the engine evaluates a theory category by
// category.
enum class Category { kHorse = 0, kJockey, kTrainer, kSire, kCourse, kForecast };

// The group a factor is shown with.
enum Group {
  kShowHorse = 0,
  kShowJockey,
  kShowTrainer,
  kShowSire,
  kShowTimes,
  kShowIndices,  // indices and marks
  kShowOdds,     // popularity, odds and draw
};

// What a parameter means, and so which values it takes.
enum class ParamKind {
  kNone = 0,           // only 0
  kDistanceRange = 1,  // ± metres: 0, 200, 400, 600
  kRecentRuns = 2,     // the latest runs: 1..10, or 999 for all
  kMonthsBack = 3,     // 1, 3, 6, 12, 24
};

struct Param {
  ParamKind kind;
  int fallback;  // the default value
};

// How the engine ranks the runners of the loaded race on one factor at
// parameters p1 and p2, writing the item's display into `display` unless
// it is null.
using Computation = void (Evaluator::*)(const Factor& factor, int p1, int p2, int* rank,
                                        const Display* display);

struct Factor {
  int code;                 // 1..kFactorCount; also the factor's label
  const char* name;         // UTF-8
  const char* description;  // UTF-8, one line
  Category category;
  Param param[2];
  Group group;
  Computation compute;
  FactorDefinition rule;  // for the factors that count past runs
};

// The number of factors, and the highest code.
constexpr int kFactorCount = 78;

// The factor with this code; null outside 1..kFactorCount.
const Factor* FindFactor(int code);

// The values a parameter of `kind` takes, ascending.
const std::vector<int>& ParamValues(ParamKind kind);

// Every factor at every pair of values its parameters take, codes
// ascending and the first parameter's values outermost, each of weight 0:
// the items an optimiser chooses a theory's items from (790).
std::vector<_tagTHITEM> CandidateItems();

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_FACTORREGISTRY_H_
