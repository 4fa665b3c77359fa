// The common family of factors: walk each runner's (or each trainer's or
// sire's) past runs from the latest back, tally the runs that qualify, turn
// the tally into a value, rank the runners and show the figures.
#include "ydbcln/theory/engine/Evaluator.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <type_traits>

#include "ydbcln/theory/YTheoryResult.h"

namespace ytheory {
namespace {

constexpr int kMaxRelative = 27;  // positions and popularities counted

// Points of a 1st, 2nd and 3rd place by the race's class (1 G1 ... 7 the
// 1-win class, 0 any other) and by the grade of an offspring's race.
constexpr int kClassPoints[8][3] = {{0, 0, 0},   {24, 8, 6}, {14, 7, 5}, {10, 6, 4},
                                    {6, 4, 2},   {4, 2, 1},  {2, 1, 0},  {1, 0, 0}};
constexpr int kGradePoints[5][3] = {{0, 0, 0}, {10, 4, 3}, {6, 3, 2}, {4, 2, 1}, {2, 1, 0}};

// Today's race and runner as the conditions compare runs with it.
struct Today {
  int date;
  int from;     // first day of the period; 0 without one
  int limit;    // latest runs taken; -1 without a limit
  int surface;
  int distance;
  int range;
  int racecourse;
  int going;
  int meeting;
  int runners;
  int month;
  int slot;
  int weight;           // weight carried today, tenths of a kilogram
  const char* jockey;   // 5 bytes, zeroed when none
  const char* trainer;  // 5 bytes, zeroed when none
};

int drawclass(int number, int runners) {
  if (number <= 2) return 0;
  return number > runners - 2 ? 2 : 1;
}

int fieldclass(int runners) {
  if (runners < 9) return 0;
  return runners > 13 ? 2 : 1;
}

int season(int month) { return month >= 3 && month <= 11 ? (month - 3) / 3 : 3; }

bool blankcode(const char* code) {
  for (int i = 0; i < 5; ++i) {
    if (code[i] != 0) return false;
  }
  return true;
}

template <class Row>
int quantity(const Row& r, Quantity q) {
  if constexpr (std::is_same_v<Row, YTheoryHorseRaceHorse>) {
    switch (q) {
      case Quantity::kTime: return r.time;
      case Quantity::kFirst3F: return r.first3f;
      case Quantity::kLast3F: return r.last3f;
      case Quantity::kMargin: return r.margin;
      case Quantity::kOdds: return r.odds;
      case Quantity::kIndex: return r.index;
      case Quantity::kPopularity: return r.popularity;
      default: break;
    }
  }
  return q == Quantity::kPosition ? r.position : 0;
}

// The class of a run and of today's runner by a condition of classes
// (draw, field size, season); 0 by any other.
template <class Row>
int runclass(Match m, const Row& r) {
  switch (m) {
    case Match::kDraw: return drawclass(r.horseno, r.runners);
    case Match::kFieldSize: return fieldclass(r.runners);
    case Match::kSeason: return season(r.month());
    default: return 0;
  }
}

int todayclass(Match m, const Today& t) {
  switch (m) {
    case Match::kDraw: return drawclass(t.slot + 1, t.runners);
    case Match::kFieldSize: return fieldclass(t.runners);
    case Match::kSeason: return season(t.month);
    default: return 0;
  }
}

template <class Row>
bool matches(Match m, const Today& t, const Row& r) {
  switch (m) {
    case Match::kNone: return true;
    case Match::kDraw:
    case Match::kFieldSize:
    case Match::kSeason:
      return runclass(m, r) == todayclass(m, t);
    case Match::kJockey:
      if constexpr (std::is_same_v<Row, YTheoryHorseRaceHorse>) {
        return !blankcode(t.jockey) && std::memcmp(r.jockey, t.jockey, 5) == 0;
      }
      return false;
    case Match::kTrainer:
      if constexpr (std::is_same_v<Row, YTheoryJockeyRaceHorse>) {
        return !blankcode(t.trainer) && std::memcmp(r.trainer, t.trainer, 5) == 0;
      }
      return false;
  }
  return false;
}

// Whether a run meets the factor's conditions that compare it with today.
template <class Row>
bool matchestoday(const FactorDefinition& f, const Today& t, const Row& r) {
  if (f.surface && r.surface != t.surface) return false;
  if (f.distance && r.distance != t.distance) return false;
  if (f.range && (r.distance < t.distance - t.range || r.distance > t.distance + t.range)) {
    return false;
  }
  if (f.racecourse && r.racecourse != t.racecourse) return false;
  if (f.going && r.going != t.going) return false;
  if (f.meeting && (r.racecourse != t.racecourse || r.meeting != t.meeting)) return false;
  return matches(f.match, t, r);
}

// Whether a run counts by the factor's conditions on the run alone and
// by what its rule reads.
template <class Row>
bool counts(const FactorDefinition& f, const Row& r) {
  if (f.placed && r.position == 0) return false;
  if (f.rule == Rule::kMean) {
    return f.quantity == Quantity::kMargin || quantity(r, f.quantity) != 0;
  }
  if (f.rule == Rule::kWeightAdjusted) return quantity(r, Quantity::kTime) != 0;
  if (f.rule == Rule::kRelative) {
    const int q = quantity(r, f.quantity);
    return q >= 1 && q <= kMaxRelative && r.runners > 0;
  }
  if (f.rule == Rule::kClassPoints) return r.position >= 1 && r.position <= 3;
  if (f.rule == Rule::kGradePoints) {
    if constexpr (std::is_same_v<Row, YTheorySireRaceHorse>) {
      return r.position >= 1 && r.position <= 3 && r.grade >= 1 && r.grade <= 4;
    }
    return false;
  }
  return true;
}

template <class Row>
bool qualifies(const FactorDefinition& f, const Today& t, const Row& r) {
  return matchestoday(f, t, r) && counts(f, r);
}

template <class Row>
void add(const FactorDefinition& f, const Row& r, Tally* t) {
  t->place(r.position);
  switch (f.rule) {
    case Rule::kMean:
      t->sum += quantity(r, f.quantity);
      ++t->summed;
      break;
    case Rule::kBest:
    case Rule::kWeightAdjusted:
      if constexpr (std::is_same_v<Row, YTheoryHorseRaceHorse>) {
        if (r.time != 0 && (t->best == 0 || r.time < t->best)) {
          t->best = r.time;
          t->bestweight = r.weight;
        }
      }
      break;
    case Rule::kClassPoints:
      if constexpr (std::is_same_v<Row, YTheoryHorseRaceHorse>) {
        t->sum += kClassPoints[r.klass >= 0 && r.klass <= 7 ? r.klass : 0][r.position - 1];
      }
      break;
    case Rule::kGradePoints:
      if constexpr (std::is_same_v<Row, YTheorySireRaceHorse>) {
        t->sum += kGradePoints[r.grade][r.position - 1];
      }
      break;
    case Rule::kLongshot: {
      // q / (m × p) rewards beating the popularity; a win or a second adds
      // b / (m − q + 1), more for an outsider.
      const int p = r.position;
      const int q = quantity(r, Quantity::kPopularity);
      const int m = r.runners;
      if (p >= 1 && p <= kMaxRelative && m > 0) {
        const double b = p == 1 ? 1.0 : p == 2 ? 0.5 : 0.0;
        t->sum += static_cast<double>(q) / (m * p);
        if (m - q + 1 > 0) t->sum += b / (m - q + 1);
      }
      break;
    }
    case Rule::kAveragePosition:
      if (r.position != 0) {
        t->sum += r.position;
        ++t->summed;
      }
      break;
    case Rule::kRelative: {
      const int q = quantity(r, f.quantity);
      t->sum += static_cast<double>(q) / r.runners;
      ++t->summed;
      if (t->recentcount < 5) {
        t->recent[t->recentcount][0] = q;
        t->recent[t->recentcount][1] = r.runners;
        ++t->recentcount;
      }
      break;
    }
    default:
      break;
  }
}

// Whether a split (RunSplits) gives the factor's tally: every run of the
// period that qualifies counts, however many; the rule adds whole numbers
// per run; each condition is an equality with today or a distance range.
bool splittable(const FactorDefinition& f, const Today& t) {
  if (t.limit != -1 || f.match == Match::kJockey || f.match == Match::kTrainer) return false;
  switch (f.rule) {
    case Rule::kWinRate:
    case Rule::kTopTwoRate:
    case Rule::kTopThreeRate:
    case Rule::kPlacingScore:
    case Rule::kWinCount:
    case Rule::kAveragePosition:
    case Rule::kClassPoints:
    case Rule::kGradePoints:
      return true;
    default:
      return false;
  }
}

// The split a factor reads, by the fields of its key, the runs that count
// and what they add: the rules that count places only share one.
unsigned splitid(const FactorDefinition& f) {
  const bool placesonly = f.rule != Rule::kAveragePosition && f.rule != Rule::kClassPoints &&
                          f.rule != Rule::kGradePoints;
  unsigned id = placesonly ? 0u : static_cast<unsigned>(f.rule) + 1;
  id = id << 4 | static_cast<unsigned>(f.match);
  for (bool flag : {f.surface, f.distance || f.range, f.racecourse || f.meeting, f.meeting,
                    f.going, f.placed}) {
    id = id << 1 | (flag ? 1u : 0u);
  }
  return id;
}

// The key of a split for the factor's conditions (see SplitKey).
SplitKey splitkey(const FactorDefinition& f, int surface, int racecourse, int meeting, int going,
                  int klass, int distance) {
  SplitKey k;
  if (f.surface) k.field[0] = surface;
  if (f.racecourse || f.meeting) k.field[1] = racecourse;
  if (f.meeting) k.field[2] = meeting;
  if (f.going) k.field[3] = going;
  k.field[4] = klass;
  if (f.distance || f.range) k.distance = distance;
  return k;
}

template <class Row>
SplitKey runkey(const FactorDefinition& f, const Row& r) {
  return splitkey(f, r.surface, r.racecourse, r.meeting, r.going, runclass(f.match, r),
                  r.distance);
}

// The tally of the runs of a split that qualify today.
Tally splittally(const FactorDefinition& f, const Today& t, const Split& split) {
  int low = 0;
  int high = 0;
  if (f.distance || f.range) {
    low = f.distance ? t.distance : std::numeric_limits<int>::min();
    high = f.distance ? t.distance : std::numeric_limits<int>::max();
    if (f.range) {
      low = std::max(low, t.distance - t.range);
      high = std::min(high, t.distance + t.range);
    }
  }
  const SplitKey key = splitkey(f, t.surface, t.racecourse, t.meeting, t.going,
                                todayclass(f.match, t), 0);
  const RunSums sums = split.Sum(key, low, high, t.from, t.date);
  Tally tally;
  tally.runs = sums.runs();
  std::copy(std::begin(sums.places), std::end(sums.places), std::begin(tally.places));
  tally.sum = sums.sum;
  tally.summed = sums.summed;
  return tally;
}

// What one run adds to a split's sums.
template <class Row>
RunSums runsums(const FactorDefinition& f, const Row& r) {
  Tally one;
  add(f, r, &one);
  RunSums sums;
  std::copy(std::begin(one.places), std::end(one.places), std::begin(sums.places));
  sums.sum = static_cast<int>(one.sum);
  sums.summed = one.summed;
  return sums;
}

// The qualifying runs of `rows`, latest first, before the race date and
// inside the period; from the subject's split for the factor where it has
// splits and the factor can read one.
template <class Row>
Tally walk(const FactorDefinition& f, const Today& t, const Rows<Row>& rows) {
  Tally tally;
  if (t.limit == 0 || t.limit < -1) return tally;
  if (rows.splits != nullptr && splittable(f, t)) {
    const Split& split = rows.splits->Get(splitid(f), [&](Split* s) {
      for (const Row* r = rows.first; r != rows.kept; ++r) {
        if (counts(f, *r)) s->Add(runkey(f, *r), r->date, runsums(f, *r));
      }
    });
    if (split.whole()) return splittally(f, t, split);
  }
  int taken = 0;
  using Back = std::reverse_iterator<const Row*>;
  for (Back it(rows.end()); it != Back(rows.begin()); ++it) {
    if (it->date >= t.date) continue;
    if (it->date < t.from) break;
    if (!qualifies(f, t, *it)) continue;
    add(f, *it, &tally);
    if (t.limit > 0 && ++taken >= t.limit) break;
  }
  return tally;
}

// The value of a tally by the factor's rule; false when it has no data.
bool value(const FactorDefinition& f, const Today& today, const Tally& t, double* v) {
  switch (f.rule) {
    case Rule::kWeightAdjusted:
      // Each kilogram (ten tenths) more than in the best run adds 0.2 s.
      *v = t.best + (today.weight - t.bestweight) * 0.2;
      return t.best != 0;
    case Rule::kClassPoints:
    case Rule::kGradePoints:
      *v = t.sum;
      break;
    case Rule::kLongshot:
      *v = t.runs == 0 ? 0 : t.sum / t.runs * 100;
      break;
    case Rule::kMean:
    case Rule::kAveragePosition:
    case Rule::kRelative:
      if (t.summed == 0) return false;
      *v = t.sum / t.summed;
      return true;
    case Rule::kBest:
      *v = t.best;
      return t.best != 0;
    case Rule::kWinRate:
      *v = t.runs == 0 ? 0 : static_cast<double>(t.places[0]) / t.runs;
      break;
    case Rule::kTopTwoRate:
      *v = t.runs == 0 ? 0 : static_cast<double>(t.places[0] + t.places[1]) / t.runs;
      break;
    case Rule::kTopThreeRate:
      *v = t.runs == 0 ? 0 : static_cast<double>(t.places[0] + t.places[1] + t.places[2]) / t.runs;
      break;
    case Rule::kPlacingScore:
      *v = t.placingscore();
      break;
    case Rule::kWinCount:
      *v = t.places[0];
      break;
  }
  return t.runs > 0;
}

int columns(const FactorDefinition& f) {
  int n = 1;
  if (f.show == Show::kCounts3 || f.show == Show::kCounts4) n = 4;
  if (f.show == Show::kRelative) n = 5;
  if (f.show == Show::kName) n = 0;
  return n + (f.namecolumn ? 1 : 0);
}

// The figures of a runner with data, from column `first` on.
void figures(const FactorDefinition& f, const Tally& t, double v, int first, Texts* out, int sectime) {
  std::string* c = out->column + first;
  const int whole = static_cast<int>(v);
  switch (f.show) {
    case Show::kRate: c[0] = ytheory::format("%1d.%03d", whole, static_cast<int>(v * 1000) % 1000); break;
    case Show::kRateWide: c[0] = ytheory::format("%2d.%03d", whole, static_cast<int>(v * 1000) % 1000); break;
    case Show::kPosition: c[0] = ytheory::format("%2d.%1d", whole, static_cast<int>(v * 10) % 10); break;
    case Show::kMeanTime: c[0] = ytheory::format("%4d.%1d", sectime, static_cast<int>(v * 10) % 10); break;
    case Show::kTenths: c[0] = ytheory::format("%2d.%02d", whole / 10, static_cast<int>(v * 10) % 100); break;
    case Show::kTenthsWide: c[0] = ytheory::format("%3d.%02d", whole / 10, static_cast<int>(v * 10) % 100); break;
    case Show::kHundredths: c[0] = ytheory::format("%3d.%02d", whole, static_cast<int>(v * 100) % 100); break;
    case Show::kTime: c[0] = ytheory::format("%4d", sectime, 0); break;
    case Show::kHundredthsNarrow: c[0] = ytheory::format("%2d.%02d", whole, static_cast<int>(v * 100) % 100); break;
    case Show::kName: break;
    case Show::kCounts3: ytheory::count_texts(t, 3, c); break;
    case Show::kCounts4: ytheory::count_texts(t, 4, c); break;
    case Show::kRelative:
      c[0] = ytheory::format("%2d.%02d", whole, static_cast<int>(v * 100) % 100);
      for (int k = 0; k < t.recentcount && k < 4; ++k) {
        c[k + 1] = ytheory::format("%2d/%2d", t.recent[k][0], t.recent[k][1]);
      }
      break;
  }
}

void headings(const FactorDefinition& f, std::string* out) {
  static const std::string kTrainer = ytheory::sjis("厩舎名");
  static const std::string kSire = ytheory::sjis("父馬");
  int k = 0;
  if (f.namecolumn) out[k++] = f.table == Table::kSire ? kSire : kTrainer;
  if (f.show == Show::kCounts3 || f.show == Show::kCounts4) {
    for (int c = 0; c < 4; ++c) out[k + c] = ytheory::count_headings()[c];
    return;
  }
  if (f.show == Show::kName) return;
  out[k] = ytheory::sjis(f.heading);
  if (f.show == Show::kRelative) {
    for (int c = 1; c < 5; ++c) out[k + c] = ytheory::sjis((std::to_string(c) + "走前").c_str());
  }
}

}  // namespace

void Evaluator::RankByRule(const Factor& factor, int p1, int p2, int* rank,
                           const Display* display) {
  const FactorDefinition& f = factor.rule;
  const int n = std::min(race_.runnercount, kMaxRunners);
  FillTable(f.table, p2);
  Today t{};
  t.date = race_.date;
  t.from = f.table == Table::kHorse ? 0 : race_.PeriodStart(p2);
  t.limit = f.limited ? (p2 > 0 ? p2 : 0) : -1;
  t.surface = race_.surface;
  t.distance = race_.distance;
  t.range = p1;
  t.racecourse = race_.racecourse;
  t.going = race_.going;
  t.meeting = race_.meeting;
  t.runners = race_.runnercount;
  t.month = race_.date / 100 % 100;

  static thread_local Tally tally[kMaxRunners];
  bool valid[kMaxRunners] = {};
  double v[kMaxRunners] = {};
  if (f.table == Table::kHorse || f.table == Table::kJockey) {
    for (int i = 0; i < n; ++i) {
      t.slot = i;
      t.weight = race_.runner[i].weight;
      t.jockey = race_.runner[i].jockey;
      t.trainer = race_.runner[i].trainer;
      tally[i] = f.table == Table::kHorse ? walk(f, t, runs_.horse[i]) : walk(f, t, runs_.jockey[i]);
      valid[i] = value(f, t, tally[i], &v[i]);
    }
  } else {
    // Once per trainer or sire; every runner of it gets the value.
    const bool stable = f.table == Table::kStable;
    const int* of = stable ? runs_.trainerof : runs_.sireof;
    const std::size_t subjects = stable ? runs_.trainers.size() : runs_.sires.size();
    std::vector<Tally> per(subjects);
    std::vector<bool> done(subjects, false);
    for (int i = 0; i < n; ++i) {
      const int s = of[i];
      if (s < 0) continue;
      const std::size_t k = static_cast<std::size_t>(s);
      if (!done[k]) {
        t.slot = i;
        per[k] = stable ? walk(f, t, runs_.stable[k]) : walk(f, t, runs_.sire[k]);
        done[k] = true;
      }
      tally[i] = per[k];
      valid[i] = value(f, t, tally[i], &v[i]);
    }
  }
  RankRule(n, f.larger, valid, v, rank);
  if (display == nullptr) return;

  std::string heads[YTheoryResult::kColumns];
  headings(f, heads);
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (!valid[i]) continue;
    int first = 0;
    if (f.namecolumn) texts[i].column[first++] = SubjectName(f, i);
    figures(f, tally[i], v[i], first, &texts[i], SecondsToTime(static_cast<int>(v[i])));
  }
  WriteDisplay(*display, columns(f), heads, texts);
}

}  // namespace ytheory
