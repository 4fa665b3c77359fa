// Strengths, the sampled result, accidents, prize money and the winning time.
#include "world/RaceSimulation.h"

#include <algorithm>
#include <cmath>

#include "db/write/Validation.h"
#include "world/Dates.h"
#include "world/Performance.h"

namespace world {
namespace {

// Lengths of performance a par-time winner shows: stronger winners run
// faster than par, weaker ones slower.
constexpr double kParPerformance = 18.0;

// Body weight: young horses fill out; a horse back from a rest comes back heavier.
int BodyWeight(const Horse& h, int age, int month, int days_off, Random& luck) {
  double grown = h.base_weight;
  if (age == 2) grown -= 28.0;
  else if (age == 3) grown -= month <= 6 ? 15.0 : 7.0;
  double w;
  if (h.body_weight == 0) {
    w = grown + luck.Normal(0.0, 6.0);
  } else {
    w = h.body_weight + 0.3 * (grown - h.body_weight) + luck.Normal(0.0, 3.5);
    if (days_off > 90) w += luck.Uniform(2.0, 12.0);
  }
  return std::clamp(static_cast<int>(std::lround(w)), 360, 600);
}

// The share of the prizes of places first..last-1 for each of the horses
// tied over them.
std::int64_t Shared(const std::array<std::int64_t, 5>& amounts, int first, int count) {
  std::int64_t sum = 0;
  for (int p = first; p < first + count && p <= 5; ++p) sum += amounts[static_cast<std::size_t>(p - 1)];
  // Shares are rounded to 100 yen, as the racing authority pays them.
  return sum / count / 100 * 100;
}

}  // namespace

double GoingFactor(Surface surface, int going) {
  static const double kTurf[4] = {1.0, 1.008, 1.02, 1.035};
  static const double kDirt[4] = {1.0, 0.994, 0.989, 0.985};
  return surface == Surface::kDirt ? kDirt[going] : kTurf[going];
}

int RaceRun::starters_count() const {
  int n = 0;
  for (const Starter& s : starters) n += s.scratched() ? 0 : 1;
  return n;
}

double LuckScale(const RacePlan& plan) { return plan.jump() ? 4.5 : 3.6; }

double WinChance(const std::vector<double>& strengths, std::size_t runner, double scale) {
  // The integral over the runner's luck z of the chance that every other
  // runner's strength and luck fall short of its own, by the midpoint rule.
  const double sd = kLuckSpread * scale;
  const double step = 0.04;
  double chance = 0.0;
  for (double z = -7.0 + step / 2; z < 7.0; z += step) {
    double others = 1.0;
    for (std::size_t j = 0; j < strengths.size(); ++j) {
      if (j == runner) continue;
      const double x = (strengths[runner] - strengths[j]) / sd + z;
      others *= 0.5 * std::erfc(-x / std::sqrt(2.0));
    }
    chance += std::exp(-0.5 * z * z) / std::sqrt(2.0 * 3.141592653589793) * others * step;
  }
  return chance;
}

RaceRun RunRace(const World& world, const RacePlan& plan, int date, const VenueDay& venue,
                const Conditions& conditions, Random& luck) {
  RaceRun run;
  run.plan = plan;
  run.date = date;
  run.venue = venue;
  run.conditions = conditions;
  const Layout& layout = *plan.layout;
  run.going = conditions.going(layout.surface == Surface::kDirt ? Surface::kDirt : Surface::kTurf);
  const int n = static_cast<int>(plan.field.size());
  const int today = DayNumber(date);
  const Course& course = CourseAt(venue.place);

  // The draw: horse numbers by lot, frames by the rule.
  std::vector<int> numbers(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) numbers[static_cast<std::size_t>(i)] = i + 1;
  luck.Shuffle(numbers);
  run.starters.resize(static_cast<std::size_t>(n));
  const double middle = (n + 1) / 2.0;
  const int corners = course.corners(layout);
  const double draw_bias = layout.straight ? 0.10 : (layout.surface == Surface::kDirt ? 0.04 : (corners == 4 ? -0.12 : -0.07));
  for (int i = 0; i < n; ++i) {
    const int id = plan.field[static_cast<std::size_t>(i)];
    const Horse& h = world.horses[static_cast<std::size_t>(id)];
    Starter& s = run.starters[static_cast<std::size_t>(numbers[static_cast<std::size_t>(i)] - 1)];
    s.horse = id;
    s.number = numbers[static_cast<std::size_t>(i)];
    s.frame = ydb::DrawFrame(s.number, n);
    s.jockey = plan.jockeys[static_cast<std::size_t>(i)];
    s.weight = plan.weights[static_cast<std::size_t>(i)];
    s.claim = plan.claims[static_cast<std::size_t>(i)];
    s.age = RacingAge(h, date);
    s.sex = h.sex;
    s.form = h.form;
    s.days_off = h.last_run_day < 0 ? -1 : today - h.last_run_day;
    s.body_weight = BodyWeight(h, s.age, MonthOf(date), s.days_off, luck);
    if (h.body_weight != 0) s.weight_change = s.body_weight - h.body_weight;

    double strength = Condition(h, date) + Aptitude(h, layout.surface, layout.distance, run.going);
    if (s.jockey >= 0) strength += 0.9 * world.jockeys[static_cast<std::size_t>(s.jockey)].skill;
    strength += 0.5 * world.trainers[static_cast<std::size_t>(h.trainer)].skill;
    strength += draw_bias * (s.number - middle);
    strength -= 0.9 * (s.weight / 10.0 - 55.0);
    if (s.days_off > 120) strength -= 1.5;
    if (s.days_off < 0) strength += luck.Normal(-0.5, 1.5);  // nobody knows a debutant yet
    s.strength = strength;
  }

  // Scratchings after the card was made.
  for (Starter& s : run.starters) {
    if (n < 7) break;
    const double u = luck.Uniform();
    if (u < 0.003) s.accident = ydb::Accident::kScratched;
    else if (u < 0.0045) s.accident = ydb::Accident::kExcluded;
  }

  // The race: luck added to strength; the order of the sums is the order
  // at the line. Falls and pulled-up horses do not arrive.
  const double scale = LuckScale(plan);
  const bool jump = plan.jump();
  std::vector<std::pair<double, int>> order;
  for (int i = 0; i < n; ++i) {
    Starter& s = run.starters[static_cast<std::size_t>(i)];
    if (s.scratched()) continue;
    s.performance = s.strength + kLuckSpread * scale * luck.Normal();
    const double u = luck.Uniform();
    if (u < (jump ? 0.025 : 0.0005)) {
      s.accident = ydb::Accident::kFell;
    } else if (u < (jump ? 0.045 : 0.002)) {
      s.accident = ydb::Accident::kPulledUp;
    } else {
      order.push_back({s.performance, i});
    }
  }
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  // Lengths at the line per length of performance: the leaders finish
  // closer together than the luck of the race alone would put them.
  const double spread = std::sqrt(layout.distance / 1600.0) * (jump ? 0.85 : 0.38);
  for (std::size_t k = 0; k < order.size(); ++k) {
    run.arrivals.push_back(order[k].second);
    run.starters[static_cast<std::size_t>(order[k].second)].arrival = static_cast<int>(k) + 1;
    const bool tie = k > 0 && luck.Chance(0.0012);
    run.dead_heat.push_back(tie);
    // Those fighting out the finish are closer than the stragglers behind.
    const double stretch = 0.6 + 0.8 * static_cast<double>(k) / static_cast<double>(order.size());
    run.gaps.push_back(k == 0 || tie ? 0.0 : (order[k - 1].first - order[k].first) * spread * stretch);
  }

  // Officials: a rare disqualification, a demotion for interference.
  std::vector<int> placed = run.arrivals;
  if (placed.size() >= 4 && luck.Chance(0.0015)) {
    const std::size_t k = static_cast<std::size_t>(luck.Below(static_cast<int>(placed.size())));
    run.starters[static_cast<std::size_t>(placed[k])].accident = ydb::Accident::kDisqualified;
    placed.erase(placed.begin() + static_cast<std::ptrdiff_t>(k));
  }
  if (placed.size() >= 6 && luck.Chance(0.004)) {
    const std::size_t from = static_cast<std::size_t>(luck.Below(4));
    const int demoted = placed[from];
    run.starters[static_cast<std::size_t>(demoted)].accident = ydb::Accident::kDemoted;
    placed.erase(placed.begin() + static_cast<std::ptrdiff_t>(from));
    // Placed behind the horse it hampered, one to three places down; in a
    // field of six placed horses that can be last, and no further.
    const std::size_t behind =
        std::min(from + 1 + static_cast<std::size_t>(luck.Below(3)), placed.size());
    placed.insert(placed.begin() + static_cast<std::ptrdiff_t>(behind), demoted);
  }
  for (std::size_t k = 0; k < placed.size(); ++k) {
    Starter& s = run.starters[static_cast<std::size_t>(placed[k])];
    s.finish = static_cast<int>(k) + 1;
    if (k == 0) continue;
    // A dead heat stands when the two are still side by side in the placings.
    const Starter& prev = run.starters[static_cast<std::size_t>(placed[k - 1])];
    const bool tied = s.arrival == prev.arrival + 1 &&
                      run.dead_heat[static_cast<std::size_t>(s.arrival - 1)] && !s.accident &&
                      !prev.accident;
    if (tied) s.finish = prev.finish;
  }
  for (std::size_t k = 0; k < run.arrivals.size(); ++k) {
    // Ties broken by a demotion no longer count as dead heats.
    if (!run.dead_heat[k]) continue;
    const Starter& s = run.starters[static_cast<std::size_t>(run.arrivals[k])];
    const Starter& prev = run.starters[static_cast<std::size_t>(run.arrivals[k - 1])];
    if (s.finish == 0 || s.finish != prev.finish) {
      run.dead_heat[k] = false;
      run.gaps[k] = 0.02;
    }
  }

  // Prize money for places 1-5; tied horses share the places they span.
  const std::int64_t first = plan.prize;
  const double shares[5] = {1.0, 0.4, 0.25, 0.15, 0.10};
  for (int p = 0; p < 5; ++p) {
    run.prizes[static_cast<std::size_t>(p)] =
        static_cast<std::int64_t>(std::llround(static_cast<double>(first) * shares[p] / 10000.0)) * 10000;
  }
  run.added_money = plan.special ? first / 40 / 1000 * 1000 : 0;
  const std::array<std::int64_t, 5> added = {run.added_money, run.added_money / 7 * 2,
                                             run.added_money / 7, 0, 0};
  for (Starter& s : run.starters) {
    if (s.finish < 1 || s.finish > 5) continue;
    int tied = 0;
    for (const Starter& o : run.starters) tied += o.finish == s.finish ? 1 : 0;
    s.prize = Shared(run.prizes, s.finish, tied);
    s.added = Shared(added, s.finish, tied);
  }

  // Pace: many front-runners make it fast. The winner's time follows the
  // par of the course, the going, the pace and how well the winner ran.
  int front = 0;
  for (const Starter& s : run.starters) {
    if (!s.scratched()) front += world.horses[static_cast<std::size_t>(s.horse)].genes.early > 0.9 ? 1 : 0;
  }
  run.pace = luck.Normal(0.0, 0.8) + 0.35 * (front - run.starters_count() / 6.0);
  if (!run.arrivals.empty()) {
    const Starter& winner = run.starters[static_cast<std::size_t>(run.arrivals.front())];
    const double d = layout.distance;
    double seconds = ParTime(course, layout.surface, layout.distance) *
                     GoingFactor(layout.surface == Surface::kDirt ? Surface::kDirt : Surface::kTurf, run.going);
    // Lower classes run slower than their winners' performance alone says:
    // they race less truly.
    static const double kClassSeconds[6] = {2.2, 2.0, 1.1, 0.5, 0.25, 0.0};
    const double truly = plan.grade != kNoGrade ? -0.3 : kClassSeconds[static_cast<int>(plan.horse_class)];
    seconds += (0.6 * kSecondsPerLength * (kParPerformance - winner.performance) + truly) * std::sqrt(d / 1600.0);
    seconds -= 0.3 * run.pace * d / 1600.0;
    seconds += luck.Normal(0.0, 0.25);
    run.winner_time = static_cast<int>(std::lround(seconds * 10.0));
  }
  return run;
}

}  // namespace world
