// Training, class rises, rests, injuries, retirements.
#include "world/Careers.h"

#include <algorithm>
#include <cmath>

#include "world/Breeding.h"
#include "world/Dates.h"
#include "world/People.h"
#include "world/Performance.h"

namespace world {
namespace {

int RoundTo100(double metres) { return static_cast<int>(std::lround(metres / 100.0)) * 100; }

// How far a trainer leans to the turf when he first plans a two-year-old
// (JRA starts two newcomers' races in three on the turf): only a horse
// that looks a dirt horse by this much starts on the dirt.
constexpr double kYoungTurfLean = 0.35;

// How far he leans to the dirt for a horse still unwon after a beaten run,
// and how readily he switches it: the dirt has most of the maiden races,
// and a maiden beaten on the turf is tried there unless it looks a turf
// horse by this much.
constexpr double kMaidenDirtLean = 0.6;
constexpr double kMaidenSwitch = 0.5;

// The trainer's first plan for a horse: a guess at its best surface and
// trip, leaning `turf_lean` to the turf.
void FirstPlan(Horse& h, Random& random, double noise, double turf_lean) {
  h.target_surface =
      h.genes.dirt + random.Normal(0.0, noise * 5.0) > turf_lean ? Surface::kDirt : Surface::kTurf;
  h.target_distance = std::clamp(RoundTo100(std::exp(h.genes.distance + random.Normal(0.0, noise))),
                                 1000, 3200);
}

// Puts a horse in a trainer's stable.
void Train(World& world, Horse& h, Random& random) {
  const Region region = random.Chance(0.5) ? Region::kEast : Region::kWest;
  h.trainer = PickTrainer(world, random, region);
  h.active = true;
}

void Retire(World& world, int id, int date) {
  Horse& h = world.horses[static_cast<std::size_t>(id)];
  if (h.retired) return;
  h.retired = true;
  h.active = false;
  h.retired_date = date;
  if (h.runs + h.jump_runs > 0) RetireToBreeding(world, id, YearOf(date));
}

void Push(Horse& h, int position) {
  for (std::size_t i = h.recent.size() - 1; i > 0; --i) h.recent[i] = h.recent[i - 1];
  h.recent[0] = position;
  h.recent_count = std::min(h.recent_count + 1, static_cast<int>(h.recent.size()));
}

HorseClass Up(HorseClass c) {
  switch (c) {
    case HorseClass::kNewcomer:
    case HorseClass::kMaiden: return HorseClass::kWin1;
    case HorseClass::kWin1: return HorseClass::kWin2;
    case HorseClass::kWin2: return HorseClass::kWin3;
    default: return HorseClass::kOpen;
  }
}

// Days until a horse may run again: most come back in three to six weeks.
int RestDays(Random& random, bool jumps, bool big_win) {
  static const int kWeeks[] = {1, 2, 3, 4, 5, 6, 8, 12, 20, 30};
  static const double kWeights[] = {1, 10, 20, 22, 16, 10, 9, 6, 4, 2};
  int weeks = kWeeks[random.Pick(kWeights)];
  if (jumps) weeks = std::max(weeks, 3);
  if (big_win) weeks += 2;
  return weeks * 7 - 3 + random.Below(4);
}

// The average of a horse's last placings (19 for a run without one).
double RecentAverage(const Horse& h) {
  if (h.recent_count == 0) return 0.0;
  double sum = 0.0;
  for (int i = 0; i < h.recent_count; ++i) sum += h.recent[static_cast<std::size_t>(i)];
  return sum / h.recent_count;
}

// The career of an older horse before the world's first season, by its
// standing in its crop.
void Prehistory(World& world, std::vector<int>& crop, int age, int first_year, Random& random) {
  static const double kActive[] = {0, 0, 0, 0.94, 0.5, 0.33, 0.2, 0.11, 0.05, 0.02};
  std::vector<std::pair<double, int>> ranked;
  for (int id : crop) {
    ranked.push_back({world.horses[static_cast<std::size_t>(id)].ability + random.Normal(0.0, 3.0), id});
  }
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  const int keep = static_cast<int>(static_cast<double>(ranked.size()) * kActive[age]);
  const int start = DayNumber(MakeDate(first_year, 1, 1));
  for (int k = 0; k < static_cast<int>(ranked.size()); ++k) {
    Horse& h = world.horses[static_cast<std::size_t>(ranked[static_cast<std::size_t>(k)].second)];
    if (k >= keep) {
      h.retired = true;  // left racing before the world began
      continue;
    }
    Train(world, h, random);
    FirstPlan(h, random, 0.08, 0.0);
    h.form = random.Normal(0.0, 2.0);
    const double rank = static_cast<double>(k) / keep;
    int wins = 0;
    if (age == 3) {
      if (random.Chance(0.4)) {
        h.ready_day = start + random.Below(200);  // yet to debut
        continue;
      }
      wins = rank < 0.04 ? 2 : (rank < 0.34 ? 1 : 0);
      h.runs = 1 + random.Below(5);
    } else {
      wins = rank < 0.12 ? 4 : (rank < 0.27 ? 3 : (rank < 0.55 ? 2 : 1));
      h.runs = wins + 3 * (age - 2) + random.Below(6);
    }
    h.wins = wins;
    h.flat_class = HorseClass::kMaiden;
    for (int w = 0; w < wins; ++w) h.flat_class = Up(h.flat_class);
    if (age >= 4 && random.Chance(0.025 * std::exp(h.genes.jumping))) {
      h.jumper = true;
      h.jump_runs = random.Between(1, 8);
      h.jump_class = random.Chance(0.4) ? HorseClass::kOpen : HorseClass::kMaiden;
    }
    h.graded_wins = h.flat_class == HorseClass::kOpen && random.Chance(0.3) ? 1 : 0;
    for (int i = 0; i < std::min(h.runs, 5); ++i) Push(h, random.Between(1, 12));
    h.last_run_day = start - random.Between(7, 70);
    h.ready_day = h.last_run_day + RestDays(random, h.jumper, false);
    h.body_weight = h.base_weight - (age == 3 ? 15 : 0) + random.Between(-6, 6);
  }
}

// The course records standing when the world begins: set years ago by
// horses of the old pedigrees under riders of the day.
void SetCourseRecords(World& world, int first_year, Random& random) {
  for (int place = 0; place < kCourseCount; ++place) {
    const Course& course = CourseAt(place);
    for (const Layout& l : course.layouts) {
      CourseRecord r;
      const double seconds = ParTime(course, l.surface, l.distance) * random.Uniform(0.965, 0.98);
      r.time = static_cast<int>(std::lround(seconds * 10.0));
      r.date = MakeDate(first_year - random.Between(1, 15), random.Between(1, 12), random.Between(1, 28));
      const int sire = world.historic_sires[static_cast<std::size_t>(
          random.Below(static_cast<int>(world.historic_sires.size())))];
      r.horse_name = world.ancestors[static_cast<std::size_t>(sire)].name;
      r.weight_carried = 10 * random.Between(54, 58);
      r.jockey_name = world.jockeys[static_cast<std::size_t>(
          random.Below(static_cast<int>(world.jockeys.size())))].short_name;
      world.records[RecordKey(place, l.surface, l.distance)] = r;
    }
  }
}

}  // namespace

void StartWorld(World& world, int first_year) {
  FoundPeople(world, first_year);
  FoundBloodlines(world, first_year);
  Random random(world.seed, "prehistory", {static_cast<std::uint64_t>(first_year)});
  SetCourseRecords(world, first_year, random);
  for (int age = 9; age >= 3; --age) {
    const std::size_t before = world.horses.size();
    BreedCrop(world, first_year - age);
    std::vector<int> crop;
    for (std::size_t i = before; i < world.horses.size(); ++i) crop.push_back(static_cast<int>(i));
    Prehistory(world, crop, age, first_year, random);
  }
}

std::vector<int> EnterTraining(World& world, int year) {
  RenewBloodstock(world, year - 2);
  const std::size_t before = world.horses.size();
  BreedCrop(world, year - 2);
  Random random(world.seed, "training", {static_cast<std::uint64_t>(year)});
  const int june = DayNumber(MakeDate(year, 6, 1));
  const int latest = DayNumber(MakeDate(year + 1, 7, 31));
  std::vector<int> entered;
  for (std::size_t i = before; i < world.horses.size(); ++i) {
    Horse& h = world.horses[i];
    if (random.Chance(0.06)) {
      h.retired = true;  // never reaches the races
      continue;
    }
    Train(world, h, random);
    FirstPlan(h, random, 0.15, kYoungTurfLean);
    h.target_distance = std::max(1000, RoundTo100(h.target_distance * 0.92));
    h.form = random.Normal(0.0, 1.5);
    // Early-maturing horses debut in the summer of their two-year-old
    // season, most in the autumn, the slow ones the next spring.
    h.ready_day = std::min(latest, june + std::max(0, static_cast<int>(random.Normal(130.0, 85.0) -
                                                                        8.0 * h.maturity)));
    h.blinkers = random.Chance(0.05);
    entered.push_back(static_cast<int>(i));
  }
  return entered;
}

void AfterRace(World& world, const RaceRun& run, Random& fate) {
  const int today = DayNumber(run.date);
  const bool jump = run.plan.jump();
  const int field = run.runners();
  if (!run.arrivals.empty()) {
    // A new course record.
    const Layout& layout = *run.plan.layout;
    CourseRecord& record = world.records[RecordKey(run.venue.place, layout.surface, layout.distance)];
    if (record.time == 0 || run.winner_time < record.time) {
      const Starter& s = run.starters[static_cast<std::size_t>(run.arrivals.front())];
      record.time = run.winner_time;
      record.date = run.date;
      record.horse_name = world.ancestors[static_cast<std::size_t>(
          world.horses[static_cast<std::size_t>(s.horse)].ancestor)].name;
      record.weight_carried = s.weight;
      record.jockey_name = s.jockey >= 0 ? world.jockeys[static_cast<std::size_t>(s.jockey)].short_name : "";
    }
  }
  for (const Starter& s : run.starters) {
    Horse& h = world.horses[static_cast<std::size_t>(s.horse)];
    if (s.scratched()) {
      h.ready_day = today + (s.accident == ydb::Accident::kScratched ? fate.Between(14, 45) : fate.Between(7, 21));
      continue;
    }
    if (jump) ++h.jump_runs;
    else ++h.runs;
    h.last_run_day = today;
    h.body_weight = s.body_weight;
    h.last_jockey = s.jockey;
    Push(h, s.finish > 0 ? s.finish : 19);
    const bool won = s.finish == 1;
    if (won) {
      if (s.jockey >= 0) ++world.jockeys[static_cast<std::size_t>(s.jockey)].wins;
      if (jump) {
        h.jump_class = HorseClass::kOpen;
      } else {
        // A win takes a horse above the class of the race it won, which may
        // be above its own.
        ++h.wins;
        h.flat_class = Up(std::max(h.flat_class, run.plan.horse_class));
      }
      if (run.plan.grade != kNoGrade) {
        ++h.graded_wins;
        if (run.plan.grade == 0 || run.plan.grade == 3) ++h.g1_wins;
      }
    } else if (!jump && h.flat_class == HorseClass::kNewcomer) {
      h.flat_class = HorseClass::kMaiden;
    }
    h.form = 0.78 * h.form + fate.Normal(0.0, 1.3);
    // Blinkers go on a horse that keeps running below itself.
    if (!h.blinkers && h.recent_count >= 3 && RecentAverage(h) > 8.0 && fate.Chance(0.1)) h.blinkers = true;

    // The trainer learns from a beaten run: nearer the right trip, and a
    // try on the other surface when this one does not suit (for a maiden,
    // the dirt unless the turf clearly suits).
    if (!won && !jump && (s.finish == 0 || s.finish > field / 2)) {
      const double planned = std::log(static_cast<double>(h.target_distance));
      const double next = planned + 0.3 * (h.genes.distance - planned) + fate.Normal(0.0, 0.05);
      h.target_distance = std::clamp(RoundTo100(std::exp(next)), 1000, 3600);
      const bool maiden = h.flat_class <= HorseClass::kMaiden;
      const double dirt = h.genes.dirt + (maiden ? kMaidenDirtLean : 0.0);
      const bool dirt_suits = dirt > 0.0;
      const bool on_dirt = h.target_surface == Surface::kDirt;
      if (dirt_suits != on_dirt && std::fabs(dirt) > 0.3 && fate.Chance(maiden ? kMaidenSwitch : 0.3)) {
        h.target_surface = on_dirt ? Surface::kTurf : Surface::kDirt;
      }
    }

    h.ready_day = today + RestDays(fate, jump, won && run.plan.grade != kNoGrade);
    const bool fell = s.accident == ydb::Accident::kFell || s.accident == ydb::Accident::kPulledUp;
    const double injury = std::min(0.5, 0.016 * std::exp(-0.5 * h.soundness) * (jump ? 2.0 : 1.0) *
                                            (fell ? 12.0 : 1.0));
    const int age = RacingAge(h, run.date);
    bool retire = false;
    if (fate.Chance(injury)) {
      if (fate.Chance(0.2)) retire = true;
      else h.ready_day += fate.Between(90, 330);
    }
    const int old = jump ? age - 3 : age;
    if (old >= 10 || (old >= 6 && fate.Chance(0.02 + 0.04 * (old - 6)))) retire = true;
    if (!jump && age >= 4 && h.flat_class <= HorseClass::kWin2 && h.recent_count == 5 &&
        RecentAverage(h) > 8.0 && fate.Chance(0.15)) {
      retire = true;
    }
    if (retire) Retire(world, s.horse, run.date);
  }
}

void Review(World& world, const std::vector<int>& in_training, int date) {
  Random random(world.seed, "review", {static_cast<std::uint64_t>(date)});
  const int today = DayNumber(date);
  const int month = MonthOf(date);
  for (int id : in_training) {
    Horse& h = world.horses[static_cast<std::size_t>(id)];
    if (h.retired) continue;
    const int age = RacingAge(h, date);
    const bool unwon = !h.jumper && h.flat_class <= HorseClass::kMaiden;
    // The three-year-old maiden races are over: most maidens leave for
    // the local tracks; some try over hurdles.
    if (unwon && ((age == 3 && month == 10) || age >= 4)) {
      if (h.genes.jumping + random.Normal(0.0, 0.5) > 1.0 && random.Chance(0.3)) {
        h.jumper = true;
        h.ready_day = std::max(h.ready_day, today + random.Between(30, 120));
      } else if (random.Chance(0.85) || age >= 4) {
        Retire(world, id, date);
      }
      continue;
    }
    // A horse that has been ready for five months finds no race that suits.
    if (today - h.ready_day > 150 && random.Chance(0.5)) {
      Retire(world, id, date);
      continue;
    }
    // Low-class horses with a jumper's build go over hurdles.
    if (!h.jumper && age >= 3 && (age > 3 || month >= 10) && h.flat_class <= HorseClass::kWin1 &&
        h.runs >= 5 && RecentAverage(h) > 5.0 && h.genes.jumping + random.Normal(0.0, 0.5) > 1.0 &&
        random.Chance(0.08)) {
      h.jumper = true;
      h.ready_day = std::max(h.ready_day, today + random.Between(30, 90));
    }
    if (h.sex == "0" && age >= 3 && RecentAverage(h) > 8.0 && random.Chance(0.01)) h.sex = "2";
  }
}

void CloseSeason(World& world, const std::vector<int>& in_training, int year) {
  Random random(world.seed, "season-end", {static_cast<std::uint64_t>(year)});
  const int date = MakeDate(year, 12, 31);
  for (int id : in_training) {
    Horse& h = world.horses[static_cast<std::size_t>(id)];
    if (h.retired) continue;
    const int age = year - YearOf(h.birth_date);
    double leave = 0.0;
    if (h.sex == "1") {
      if (age >= 6) leave = 0.75;
      else if (age >= 5) leave = h.flat_class == HorseClass::kOpen ? 0.2 : 0.35;
      else if (age >= 4) leave = 0.05;
    } else if (h.sex == "0" && h.g1_wins > 0 && age >= 4) {
      leave = age >= 5 ? 0.8 : 0.5;
    } else if (h.sex == "0" && h.graded_wins >= 3 && age >= 5) {
      leave = 0.5;
    } else if (age >= (h.jumper ? 10 : 8)) {
      leave = 0.5;
    }
    if (random.Chance(leave)) Retire(world, id, date);
  }
}

}  // namespace world
