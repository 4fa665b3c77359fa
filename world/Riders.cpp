// Jockey bookings and weights carried.
#include "world/Riders.h"

#include <algorithm>
#include <cmath>

#include "world/Dates.h"
#include "world/People.h"
#include "world/Performance.h"

namespace world {
namespace {

// Rides a jockey takes on one day at most: the leading riders take most
// of a card's twelve races, not all.
constexpr int kRidesADay = 9;
constexpr int kMostRidesADay = 12;  // the rules' limit

bool RidesFlat(const Jockey& j) { return j.qualification == "1" || j.qualification == "2"; }
bool RidesJumps(const Jockey& j) { return j.qualification == "1" || j.qualification == "3"; }

int MaxField(const Card& card, bool jumps) {
  int most = 0;
  for (const RacePlan& r : card.races) {
    if (r.jump() == jumps) most = std::max(most, static_cast<int>(r.field.size()));
  }
  return most;
}

// Importance of a card: its best grade.
int Importance(const Card& card) {
  int best = 0;
  for (const RacePlan& r : card.races) {
    if (r.grade != kNoGrade && !r.jump()) best = std::max(best, 3 - r.grade % 3);
  }
  return best;
}

double JockeyRegionWeight(const Jockey& j, const VenueDay& v) {
  const Region region = CourseAt(v.place).region;
  if (region == j.region) return 1.0;
  if (region == Region::kNorth) return 0.9;
  return 0.06;
}

// Moves riders of one kind to venues short of them, from the venue with
// the most to spare.
void Balance(const World& world, std::vector<std::vector<int>>& at, const std::vector<Card>& cards,
             bool jumps) {
  auto count = [&](std::size_t v) {
    int n = 0;
    for (int id : at[v]) {
      const Jockey& j = world.jockeys[static_cast<std::size_t>(id)];
      n += jumps ? RidesJumps(j) : RidesFlat(j);
    }
    return n;
  };
  for (std::size_t v = 0; v < cards.size(); ++v) {
    const int needed = MaxField(cards[v], jumps) + (jumps ? 0 : 4);
    while (count(v) < needed) {
      std::size_t donor = v;
      int spare = 0;
      for (std::size_t w = 0; w < cards.size(); ++w) {
        if (w == v) continue;
        const int extra = count(w) - MaxField(cards[w], jumps) - (jumps ? 0 : 4);
        if (extra > spare) {
          spare = extra;
          donor = w;
        }
      }
      if (donor == v) return;
      // The donor's last suitable rider in booking order moves.
      for (std::size_t k = at[donor].size(); k > 0; --k) {
        const int id = at[donor][k - 1];
        const Jockey& j = world.jockeys[static_cast<std::size_t>(id)];
        if (jumps ? RidesJumps(j) : RidesFlat(j)) {
          at[v].push_back(id);
          at[donor].erase(at[donor].begin() + static_cast<std::ptrdiff_t>(k - 1));
          break;
        }
      }
    }
  }
}

}  // namespace

void BookRiders(const World& world, std::vector<Card>& cards, Random& random) {
  if (cards.empty()) return;
  const int date = cards.front().date;
  std::vector<std::vector<int>> at(cards.size());
  int main_card = 0;
  for (std::size_t v = 1; v < cards.size(); ++v) {
    if (Importance(cards[v]) > Importance(cards[static_cast<std::size_t>(main_card)])) {
      main_card = static_cast<int>(v);
    }
  }
  for (std::size_t id = 0; id < world.jockeys.size(); ++id) {
    const Jockey& j = world.jockeys[id];
    if (j.retired_date != 0 && j.retired_date <= date) continue;
    std::vector<double> weights;
    for (std::size_t v = 0; v < cards.size(); ++v) {
      double w = JockeyRegionWeight(j, cards[v].venue);
      if (!RidesFlat(j) && MaxField(cards[v], true) == 0) w = 0.0;
      if (j.skill > 1.0 && static_cast<int>(v) == main_card && Importance(cards[v]) > 0) w *= 4.0;
      weights.push_back(w);
    }
    double total = 0.0;
    for (double w : weights) total += w;
    if (total <= 0.0) continue;
    at[static_cast<std::size_t>(random.Pick(weights))].push_back(static_cast<int>(id));
  }
  Balance(world, at, cards, false);
  Balance(world, at, cards, true);

  for (std::size_t v = 0; v < cards.size(); ++v) {
    std::vector<int> rides(at[v].size(), 0);
    for (RacePlan& race : cards[v].races) {
      // The best-regarded horses get the first call on the riders.
      std::vector<std::pair<double, std::size_t>> order;
      for (std::size_t i = 0; i < race.field.size(); ++i) {
        const Horse& h = world.horses[static_cast<std::size_t>(race.field[i])];
        order.push_back({Condition(h, date) + random.Normal(0.0, 1.2), i});
      }
      std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
      });
      race.jockeys.assign(race.field.size(), -1);
      std::vector<bool> booked(at[v].size(), false);
      for (std::size_t call = 0; call < order.size(); ++call) {
        const std::size_t i = order[call].second;
        // The better a horse's chance, the more its connections insist on
        // the best rider free: the leading riders ride the fancied horses,
        // and turn down the outsiders when they can.
        const double fancied =
            order.size() > 1 ? 1.0 - static_cast<double>(call) / static_cast<double>(order.size() - 1) : 1.0;
        const Horse& h = world.horses[static_cast<std::size_t>(race.field[i])];
        std::vector<double> weights;
        double total = 0.0;
        // Riders with rides to spare first; when none is free, one who has
        // his fill rides on, up to the rules' limit.
        for (int most : {kRidesADay, kMostRidesADay}) {
          weights.clear();
          for (std::size_t k = 0; k < at[v].size(); ++k) {
            const Jockey& j = world.jockeys[static_cast<std::size_t>(at[v][k])];
            const bool qualified = race.jump() ? RidesJumps(j) : RidesFlat(j);
            if (!qualified || booked[k] || rides[k] >= most) {
              weights.push_back(0.0);
              continue;
            }
            const double loyal = at[v][k] == h.last_jockey ? 1.2 : 0.0;
            weights.push_back(std::exp((-1.0 + 4.6 * fancied) * j.skill + loyal));
          }
          total = 0.0;
          for (double w : weights) total += w;
          if (total > 0.0) break;
        }
        if (total <= 0.0) continue;  // no rider left: the horse runs without a booked rider
        const std::size_t k = static_cast<std::size_t>(random.Pick(weights));
        booked[k] = true;
        ++rides[k];
        race.jockeys[i] = at[v][k];
      }
    }
  }
}

void AssignWeights(const World& world, RacePlan& plan, int date) {
  const int month = MonthOf(date);
  const std::size_t n = plan.field.size();
  std::vector<double> kg(n, 55.0);
  for (std::size_t i = 0; i < n; ++i) {
    const Horse& h = world.horses[static_cast<std::size_t>(plan.field[i])];
    const int age = RacingAge(h, date);
    const bool filly = h.sex == "1";
    double base;
    if (plan.jump()) {
      base = age >= 4 || month <= 5 ? 60.0 : 58.0;
    } else if (plan.band == Band::k2yo) {
      base = plan.grade == 0 && !filly ? 55.0 : 54.0;
    } else if (plan.band == Band::k3yo) {
      base = plan.grade == 0 ? 57.0 : 56.0;
    } else if (age == 3) {
      base = month <= 8 ? 54.0 : (month == 9 ? 55.0 : 56.0);
      if (plan.grade == 0 && month >= 10) base = 55.0;
    } else {
      base = 57.0;
    }
    if (filly && plan.band != Band::k2yo) base -= 2.0;  // the fillies' allowance
    if (plan.rule == WeightRule::kAllowance) {
      base += std::min(3, h.graded_wins) + (h.g1_wins > 0 ? 1 : 0);
      if (plan.horse_class != HorseClass::kOpen) base += std::min(2, std::max(0, h.wins - 2));
    }
    kg[i] = base;
  }
  if (plan.rule == WeightRule::kHandicap) {
    // The handicapper weights the field to bring it together, half a
    // kilogram at a time, on what the horses have shown.
    std::vector<double> rating(n);
    double mean = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      const Horse& h = world.horses[static_cast<std::size_t>(plan.field[i])];
      rating[i] = Condition(h, date) + 2.0 * static_cast<int>(h.flat_class) + 1.5 * h.graded_wins;
      mean += rating[i] / static_cast<double>(n);
    }
    const double top = plan.grade == kNoGrade ? 59.0 : 60.0;
    for (std::size_t i = 0; i < n; ++i) {
      const Horse& h = world.horses[static_cast<std::size_t>(plan.field[i])];
      const double sex = h.sex == "1" && !plan.fillies ? -1.0 : 0.0;
      const double w = 54.5 + (rating[i] - mean) / 1.3 + sex;
      kg[i] = std::clamp(std::round(w * 2.0) / 2.0, 48.0, top);
    }
  }
  plan.weights.assign(n, 0);
  plan.claims.assign(n, "");
  for (std::size_t i = 0; i < n; ++i) {
    double carried = kg[i];
    const int jockey = i < plan.jockeys.size() ? plan.jockeys[i] : -1;
    if (jockey >= 0 && !plan.special && plan.rule != WeightRule::kHandicap) {
      const std::string claim = ApprenticeAllowance(world.jockeys[static_cast<std::size_t>(jockey)], date);
      if (!claim.empty()) {
        plan.claims[i] = claim;
        carried -= claim[0] - '0';
      }
    }
    plan.weights[i] = static_cast<int>(std::lround(carried * 10.0));
  }
}

}  // namespace world
