// Entries, the division of a card among the classes, and the fields.
#include "world/RaceOffice.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "world/Dates.h"
#include "world/Performance.h"
#include "world/RaceNames.h"

namespace world {
namespace {

// A group of horses that run against each other: an age band and a class.
struct Group {
  Band band = Band::k3up;
  HorseClass cls = HorseClass::kWin1;
  std::vector<int> horses;
  int slots = 0;
};

int ClassRank(HorseClass c) { return static_cast<int>(c); }

// A maiden group's claim on a card's races beside a winners' group of as
// many horses.
constexpr double kMaidenShare = 0.75;

// The pull of the turf on a class's races (towards the dirt when below 0),
// by HorseClass. JRA starts two newcomers' races in three on the turf, runs
// most of its maiden races on the dirt, and half of the rest on the turf.
constexpr double kTurfPull[kClassCount] = {3.0, -2.5, 0.9, 0.9, 0.9, 0.9};

// The office keeps about half its flat races on the turf, and about one in
// fifty over 2400 m or more of turf, whatever the horses in training lean
// to: the pull of those layouts grows by kProgrammeSteer (kLongSteer) for
// each point (of one) the recent programme's share stands below its aim,
// and falls as much above it.
constexpr double kTurfShare = 0.505;
constexpr double kProgrammeSteer = 100.0;
constexpr int kLongTurf = 2400;
constexpr double kLongTurfShare = 0.02;
constexpr double kLongSteer = 400.0;

// The order of races on a card: maidens first, the newcomers' race after
// them, then up the classes.
int CardOrder(const RacePlan& s) {
  if (s.jump()) return 100;
  const int order[] = {1, 0, 2, 3, 4, 5};
  return order[ClassRank(s.horse_class)] * 4 + static_cast<int>(s.band);
}

// The last day of the year for maiden races of three-year-olds.
bool ThreeYearOldMaidensRun(int date) { return date % 10000 <= 908; }

// The band and class of the races a flat horse runs in on `date`; false
// when there are none for it (two-year-olds before June).
bool GroupOf(const Horse& h, int date, Band* band, HorseClass* cls) {
  const int age = RacingAge(h, date);
  const int month = MonthOf(date);
  const HorseClass c = h.flat_class;
  const bool unwon = c == HorseClass::kNewcomer || c == HorseClass::kMaiden;
  if (age <= 1) return false;
  if (age == 2) {
    if (month < 6) return false;
    *band = Band::k2yo;
    *cls = c >= HorseClass::kWin2 ? HorseClass::kOpen : c;
    if (c == HorseClass::kNewcomer && month >= 11 && h.runs == 0) *cls = HorseClass::kNewcomer;
    return true;
  }
  if (age == 3 && (month <= 5 || (unwon && ThreeYearOldMaidensRun(date)))) {
    *band = Band::k3yo;
    if (c == HorseClass::kNewcomer) {
      *cls = month <= 3 ? HorseClass::kNewcomer : HorseClass::kMaiden;
    } else {
      *cls = c >= HorseClass::kWin2 ? HorseClass::kOpen : c;
    }
    return true;
  }
  *band = month <= 5 ? Band::k4up : Band::k3up;
  *cls = unwon ? HorseClass::kWin1 : c;
  return true;
}

bool FlatEligible(const Horse& h, const RacePlan& s, int date) {
  if (h.jumper || !AgeFits(s.band, RacingAge(h, date))) return false;
  if (s.fillies && h.sex != "1") return false;
  switch (s.horse_class) {
    case HorseClass::kNewcomer: return h.flat_class == HorseClass::kNewcomer;
    case HorseClass::kMaiden: return h.flat_class <= HorseClass::kMaiden;
    default: return h.flat_class <= s.horse_class;
  }
}

bool JumpEligible(const Horse& h, const RacePlan& s, int date) {
  if (!h.jumper || !AgeFits(s.band, RacingAge(h, date))) return false;
  return s.horse_class == HorseClass::kOpen || h.jump_class == HorseClass::kMaiden;
}

bool Eligible(const Horse& h, const RacePlan& s, int date) {
  return s.jump() ? JumpEligible(h, s, date) : FlatEligible(h, s, date);
}

// The longest race a class is programmed over.
int LongestFor(Band band, HorseClass cls) {
  if (band == Band::k2yo) return 2000;
  if (cls <= HorseClass::kWin2) return 2600;
  return 3600;
}

// Region weights of a horse for a racecourse: its own centre's courses,
// Hokkaido in summer, a rare trip to the other centre's.
double RegionWeight(const Horse& h, const World& world, const VenueDay& v) {
  const Region home = world.trainers[static_cast<std::size_t>(h.trainer)].region;
  const Region region = CourseAt(v.place).region;
  if (region == home) return 1.0;
  if (region == Region::kNorth) return 0.9;
  return 0.1;
}

class Office {
 public:
  Office(const World& world, const RaceDay& day, Random& random)
      : world_(world), day_(day), random_(random),
        today_(DayNumber(day.date)), used_(world.horses.size(), 0) {}

  std::vector<Card> Make(const std::vector<int>& in_training, const std::vector<RacePlan>& famous);

 private:
  const Horse& H(int id) const { return world_.horses[static_cast<std::size_t>(id)]; }
  int Waited(int id) const { return today_ - H(id).ready_day; }
  double Priority(int id) {
    const Horse& h = H(id);
    const int since = h.last_run_day < 0 ? 60 : std::min(60, today_ - h.last_run_day);
    return since + std::min(30, Waited(id)) + 20.0 * random_.Uniform();
  }

  void FillFamous(RacePlan& plan, const std::vector<int>& in_training);
  void BuildCard(Card& card, std::vector<RacePlan> fixed, std::vector<int> flat,
                 std::vector<int> jumpers);
  void AddJumpRace(Card& card, std::vector<RacePlan>& races, std::vector<int>& jumpers);
  void AddFlatRaces(Card& card, std::vector<RacePlan>& races, int slots, std::vector<int>& flat);
  void Choose(RacePlan& plan, std::vector<int>& pool, double threshold);
  void TopUp(RacePlan& plan, std::vector<int>& pool);
  void Number(Card& card, std::vector<RacePlan>& races);
  void Describe(Card& card, RacePlan& plan);

  const World& world_;
  const RaceDay& day_;
  Random& random_;
  const int today_;
  std::vector<char> used_;          // runs today
  std::vector<int> reserve_;        // ready today, not yet running
};

void Office::FillFamous(RacePlan& plan, const std::vector<int>& in_training) {
  const Layout& layout = *plan.layout;
  const bool young = plan.band == Band::k2yo || plan.band == Band::k3yo;
  std::vector<std::pair<double, int>> scored;
  for (int id : in_training) {
    const Horse& h = H(id);
    if (used_[static_cast<std::size_t>(id)] || h.ready_day > today_ + 7) continue;
    if (h.last_run_day >= 0 && today_ - h.last_run_day < 13) continue;
    if (!AgeFits(plan.band, RacingAge(h, day_.date))) continue;
    if (plan.fillies && h.sex != "1") continue;
    if (plan.jump() != h.jumper) continue;
    double score = Condition(h, day_.date) + 0.5 * Aptitude(h, layout.surface, layout.distance, 0);
    if (plan.jump()) {
      if (h.jump_class != HorseClass::kOpen) continue;
    } else {
      if (PlanFit(h, layout.surface, layout.distance) < -2.0) continue;
      if (young ? h.flat_class < HorseClass::kMaiden : h.flat_class < HorseClass::kWin3) continue;
      if (young && h.flat_class == HorseClass::kMaiden && plan.grade != kNoGrade) continue;
      score += 3.0 * ClassRank(h.flat_class);
    }
    score += random_.Normal(0.0, plan.grade == 0 ? 1.5 : 3.0);
    scored.push_back({score, id});
  }
  std::sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  // Not every owner of a qualified horse runs it: fields of the lesser
  // graded races are not always full.
  const int limit = plan.grade == 0 ? layout.max_runners
                                    : std::min(layout.max_runners, 9 + random_.Below(10));
  for (const auto& [score, id] : scored) {
    if (static_cast<int>(plan.field.size()) >= limit) break;
    plan.field.push_back(id);
    used_[static_cast<std::size_t>(id)] = 1;
  }
  for (std::size_t i = plan.field.size(); i < scored.size() && i < plan.field.size() + 4; ++i) {
    plan.nominations.push_back(scored[i].second);
  }
}

void Office::Choose(RacePlan& plan, std::vector<int>& pool, double threshold) {
  const Layout& layout = *plan.layout;
  std::vector<std::pair<double, int>> candidates;
  for (int id : pool) {
    const Horse& h = H(id);
    if (used_[static_cast<std::size_t>(id)] || !Eligible(h, plan, day_.date)) continue;
    if (!plan.jump() && PlanFit(h, layout.surface, layout.distance) < threshold) continue;
    candidates.push_back({Priority(id), id});
  }
  std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  // Jump fields are seldom full: not every fit jumper is declared.
  const int most = plan.jump() ? std::min(layout.max_runners, 9 + random_.Below(6)) : layout.max_runners;
  for (const auto& [priority, id] : candidates) {
    if (static_cast<int>(plan.field.size()) < most) {
      plan.field.push_back(id);
      used_[static_cast<std::size_t>(id)] = 1;
    } else if (plan.nominations.size() < 6) {
      plan.nominations.push_back(id);  // left out by lot
    }
  }
  pool.erase(std::remove_if(pool.begin(), pool.end(),
                            [&](int id) { return used_[static_cast<std::size_t>(id)] != 0; }),
             pool.end());
}

void Office::TopUp(RacePlan& plan, std::vector<int>& pool) {
  for (double threshold : {-2.5, -4.0}) {
    if (plan.field.size() >= 5) return;
    std::vector<int> extra = pool;
    extra.insert(extra.end(), reserve_.begin(), reserve_.end());
    const std::size_t before = plan.field.size();
    RacePlan probe = plan;
    probe.field.clear();
    probe.layout = plan.layout;
    Choose(probe, extra, threshold);
    for (int id : probe.field) {
      if (plan.field.size() >= 5) {
        used_[static_cast<std::size_t>(id)] = 0;
        continue;
      }
      plan.field.push_back(id);
    }
    if (plan.field.size() > before) {
      auto gone = [&](int id) { return used_[static_cast<std::size_t>(id)] != 0; };
      pool.erase(std::remove_if(pool.begin(), pool.end(), gone), pool.end());
      reserve_.erase(std::remove_if(reserve_.begin(), reserve_.end(), gone), reserve_.end());
    }
  }
}

void Office::AddJumpRace(Card& card, std::vector<RacePlan>& races, std::vector<int>& jumpers) {
  const Course& course = CourseAt(card.venue.place);
  int open = 0;
  for (int id : jumpers) open += H(id).jump_class == HorseClass::kOpen ? 1 : 0;
  const int maidens = static_cast<int>(jumpers.size()) - open;
  RacePlan plan;
  plan.place = card.venue.place;
  plan.band = MonthOf(day_.date) <= 5 ? Band::k4up : Band::k3up;
  plan.horse_class = open >= 6 && (open >= maidens || random_.Chance(0.35)) ? HorseClass::kOpen
                                                                            : HorseClass::kMaiden;
  std::vector<const Layout*> layouts;
  std::vector<double> weights;
  for (const Layout& l : course.layouts) {
    if (l.surface != Surface::kJump) continue;
    layouts.push_back(&l);
    weights.push_back(l.frequency);
  }
  plan.layout = layouts[static_cast<std::size_t>(random_.Pick(weights))];
  Choose(plan, jumpers, 0.0);
  if (plan.field.size() >= 5) races.push_back(std::move(plan));
  else for (int id : plan.field) used_[static_cast<std::size_t>(id)] = 0;
}

void Office::AddFlatRaces(Card& card, std::vector<RacePlan>& races, int slots,
                          std::vector<int>& flat) {
  // Group the horses by band and class; a class too small for a race of
  // its own runs in the class above (a horse may always race above its class).
  std::map<std::pair<int, int>, Group> groups;
  for (int id : flat) {
    Band band;
    HorseClass cls;
    if (!GroupOf(H(id), day_.date, &band, &cls)) continue;
    Group& g = groups[{static_cast<int>(band), ClassRank(cls)}];
    g.band = band;
    g.cls = cls;
    g.horses.push_back(id);
  }
  std::vector<Group> list;
  for (auto& entry : groups) list.push_back(std::move(entry.second));
  for (std::size_t i = 0; i + 1 < list.size(); ++i) {
    if (list[i].horses.size() >= 5 || list[i + 1].band != list[i].band) continue;
    list[i + 1].horses.insert(list[i + 1].horses.end(), list[i].horses.begin(), list[i].horses.end());
    list[i].horses.clear();
  }
  // The card's races go to the classes in proportion to their horses
  // (D'Hondt), so that the fields come out even; maiden fields are drawn
  // larger, as the office fills them from long lists of unraced and unwon
  // horses.
  for (int s = 0; s < slots; ++s) {
    int best = -1;
    double best_ratio = 0.0;
    for (std::size_t g = 0; g < list.size(); ++g) {
      const double weight = list[g].cls <= HorseClass::kMaiden ? kMaidenShare : 1.0;
      const double ratio = weight * static_cast<double>(list[g].horses.size()) / (list[g].slots + 1);
      if (ratio > best_ratio) {
        best_ratio = ratio;
        best = static_cast<int>(g);
      }
    }
    if (best < 0) break;
    ++list[static_cast<std::size_t>(best)].slots;
  }

  const Course& course = CourseAt(card.venue.place);
  const double recent = world_.programme_flat;
  const double steer =
      recent > 0.0 ? kProgrammeSteer * (kTurfShare - world_.programme_turf / recent) : 0.0;
  const double long_steer =
      recent > 0.0 ? kLongSteer * (kLongTurfShare - world_.programme_long_turf / recent) : 0.0;
  for (Group& g : list) {
    std::vector<int>& pool = g.horses;
    for (int r = 0; r < g.slots; ++r) {
      // The surface and distance where the plans of the group crowd most.
      const Layout* best = nullptr;
      double best_score = -1e9;
      for (const Layout& l : course.layouts) {
        if (l.surface == Surface::kJump || l.distance > LongestFor(g.band, g.cls)) continue;
        int fits = 0;
        for (int id : pool) fits += PlanFit(H(id), l.surface, l.distance) >= -1.0 ? 1 : 0;
        double pull = 0.0;
        if (l.surface == Surface::kTurf) {
          pull = kTurfPull[ClassRank(g.cls)] + steer + (l.distance >= kLongTurf ? long_steer : 0.0);
        }
        const double score = std::min(fits, l.max_runners) + 3.0 * std::log(l.frequency) + pull +
                             random_.Normal(0.0, 1.2);
        if (score > best_score) {
          best_score = score;
          best = &l;
        }
      }
      if (best == nullptr) break;
      RacePlan plan;
      plan.place = card.venue.place;
      plan.layout = best;
      plan.band = g.band;
      plan.horse_class = g.cls;
      int fillies = 0;
      for (int id : pool) {
        fillies += H(id).sex == "1" && PlanFit(H(id), best->surface, best->distance) >= -1.0;
      }
      plan.fillies = fillies >= 9 && g.cls != HorseClass::kOpen && random_.Chance(0.3);
      Choose(plan, pool, -1.0);
      if (plan.field.size() < 5) Choose(plan, pool, -2.5);
      races.push_back(std::move(plan));
    }
  }
}

void Office::Number(Card& card, std::vector<RacePlan>& races) {
  std::vector<RacePlan*> fixed, jumps, flat;
  for (RacePlan& r : races) {
    if (r.number != 0) fixed.push_back(&r);
    else if (r.jump()) jumps.push_back(&r);
    else flat.push_back(&r);
  }
  std::vector<bool> taken(13, false);
  auto take = [&](RacePlan* r, int wanted) {
    int n = wanted;
    while (n >= 1 && taken[static_cast<std::size_t>(n)]) --n;
    if (n < 1) n = 12;
    while (taken[static_cast<std::size_t>(n)]) --n;
    taken[static_cast<std::size_t>(n)] = true;
    r->number = n;
  };
  for (RacePlan* r : fixed) {
    const int n = r->number;
    r->number = 0;
    take(r, n);
  }
  for (RacePlan* r : jumps) take(r, r->horse_class == HorseClass::kOpen ? 8 : 4);
  std::stable_sort(flat.begin(), flat.end(),
                   [](const RacePlan* a, const RacePlan* b) { return CardOrder(*a) < CardOrder(*b); });
  // The best flat race is the main race (11) when no graded race has it;
  // the day ends with a race of the middle classes.
  if (!flat.empty() && !taken[11]) {
    take(flat.back(), 11);
    flat.pop_back();
  }
  if (!taken[12]) {
    for (std::size_t i = flat.size(); i > 0; --i) {
      const HorseClass c = flat[i - 1]->horse_class;
      if (c == HorseClass::kWin1 || c == HorseClass::kWin2) {
        take(flat[i - 1], 12);
        flat.erase(flat.begin() + static_cast<std::ptrdiff_t>(i - 1));
        break;
      }
    }
  }
  std::size_t next = 0;
  for (int n = 1; n <= 12 && next < flat.size(); ++n) {
    if (!taken[static_cast<std::size_t>(n)]) {
      taken[static_cast<std::size_t>(n)] = true;
      flat[next++]->number = n;
    }
  }
  for (; next < flat.size(); ++next) flat[next]->number = 0;  // no number left: not run
  races.erase(std::remove_if(races.begin(), races.end(), [](const RacePlan& r) { return r.number == 0; }),
              races.end());
  std::sort(races.begin(), races.end(),
            [](const RacePlan& a, const RacePlan& b) { return a.number < b.number; });
  for (RacePlan& r : races) Describe(card, r);
  card.races = std::move(races);
}

void Office::Describe(Card& card, RacePlan& plan) {
  if (plan.name.empty()) {  // a graded race comes described
    const bool open = plan.horse_class == HorseClass::kOpen;
    const bool upper = plan.horse_class >= HorseClass::kWin1;
    plan.special = (open && !plan.jump()) || (upper && plan.number >= 9 && plan.number <= 11) ||
                   (plan.jump() && open && random_.Chance(0.4));
    if (plan.special) {
      plan.name = SpecialRaceName(world_.seed, card.venue.place, MonthOf(day_.date), day_.weekend,
                                  day_.weekday, plan.number, plan.horse_class);
      plan.listed = open && !plan.jump() && random_.Chance(0.35);
    }
    const bool young = plan.band == Band::k2yo || plan.band == Band::k3yo;
    if (plan.jump()) {
      plan.rule = open && plan.special ? WeightRule::kAllowance : WeightRule::kSet;
    } else if (open) {
      plan.rule = random_.Chance(0.3) ? WeightRule::kHandicap : WeightRule::kAllowance;
    } else if (plan.special && plan.horse_class >= HorseClass::kWin2 && random_.Chance(0.3)) {
      plan.rule = WeightRule::kHandicap;
    } else {
      plan.rule = young ? WeightRule::kAge : WeightRule::kSet;
    }
    plan.prize = FirstPrize(plan);
  }
  // Special races are nominated a week ahead: the runners and those left
  // out by lot, in the order their nominations came in.
  if (plan.special) {
    plan.nominations.insert(plan.nominations.begin(), plan.field.begin(), plan.field.end());
    random_.Shuffle(plan.nominations);
  } else {
    plan.nominations.clear();
  }
}

void Office::BuildCard(Card& card, std::vector<RacePlan> fixed, std::vector<int> flat,
                       std::vector<int> jumpers) {
  std::vector<RacePlan> races = std::move(fixed);
  bool has_jump = false;
  for (const RacePlan& r : races) has_jump = has_jump || r.jump();
  if (!has_jump && !jumpers.empty()) AddJumpRace(card, races, jumpers);
  AddFlatRaces(card, races, kRacesPerDay - static_cast<int>(races.size()), flat);
  for (RacePlan& r : races) {
    if (r.field.size() < 5) TopUp(r, flat);
  }
  races.erase(std::remove_if(races.begin(), races.end(), [](const RacePlan& r) { return r.field.size() < 2; }),
              races.end());
  Number(card, races);
}

std::vector<Card> Office::Make(const std::vector<int>& in_training,
                               const std::vector<RacePlan>& famous) {
  std::vector<Card> cards;
  for (const VenueDay& v : day_.venues) {
    Card card;
    card.date = day_.date;
    card.venue = v;
    cards.push_back(card);
  }
  // The graded races take their fields first, the best races first.
  std::vector<RacePlan> fixed = famous;
  std::stable_sort(fixed.begin(), fixed.end(), [](const RacePlan& a, const RacePlan& b) {
    return (a.grade == kNoGrade ? 9 : a.grade % 3) < (b.grade == kNoGrade ? 9 : b.grade % 3);
  });
  for (RacePlan& plan : fixed) FillFamous(plan, in_training);

  // Which racecourses run jump races today.
  std::vector<bool> jumps_here(cards.size(), false);
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const Course& course = CourseAt(cards[i].venue.place);
    jumps_here[i] = course.has_jumps && day_.weekday == kSaturday && !day_.holiday;
    for (const RacePlan& r : fixed) jumps_here[i] = jumps_here[i] || (r.place == cards[i].venue.place && r.jump());
  }

  // Each horse ready to run decides whether to run today, and where.
  std::vector<std::vector<int>> flat(cards.size()), jumpers(cards.size());
  for (int id : in_training) {
    const Horse& h = H(id);
    if (used_[static_cast<std::size_t>(id)] || h.ready_day > today_) continue;
    const double keen = h.runs == 0 ? 0.45 : 0.5 + 0.3 * std::min(1.0, Waited(id) / 28.0);
    if (!random_.Chance(keen)) {
      reserve_.push_back(id);
      continue;
    }
    std::vector<double> weights;
    for (std::size_t i = 0; i < cards.size(); ++i) {
      const bool can = !h.jumper || jumps_here[i];
      weights.push_back(can ? RegionWeight(h, world_, cards[i].venue) : 0.0);
    }
    double total = 0.0;
    for (double w : weights) total += w;
    if (total <= 0.0) continue;
    const std::size_t venue = static_cast<std::size_t>(random_.Pick(weights));
    (h.jumper ? jumpers : flat)[venue].push_back(id);
  }
  for (std::size_t i = 0; i < cards.size(); ++i) {
    std::vector<RacePlan> mine;
    for (const RacePlan& r : fixed) {
      if (r.place == cards[i].venue.place) mine.push_back(r);
    }
    BuildCard(cards[i], std::move(mine), std::move(flat[i]), std::move(jumpers[i]));
  }
  return cards;
}

}  // namespace

std::int64_t FirstPrize(const RacePlan& plan) {
  if (plan.prize > 0) return plan.prize;
  const bool young = plan.band == Band::k2yo;
  std::int64_t man = 0;  // units of 10,000 yen
  if (plan.jump()) {
    man = plan.horse_class == HorseClass::kOpen ? (plan.special ? 1900 : 1500) : 750;
  } else {
    switch (plan.horse_class) {
      case HorseClass::kNewcomer: man = young ? 700 : 550; break;
      case HorseClass::kMaiden: man = young ? 530 : 510; break;
      case HorseClass::kWin1: man = plan.special ? 950 : 750; break;
      case HorseClass::kWin2: man = plan.special ? 1450 : 1050; break;
      case HorseClass::kWin3: man = plan.special ? 1800 : 1550; break;
      case HorseClass::kOpen: man = plan.listed ? 2500 : (young ? 1600 : 2200); break;
    }
  }
  return man * 10000;
}

std::vector<Card> MakeCards(const World& world, const RaceDay& day, const std::vector<int>& in_training,
                            const std::vector<RacePlan>& famous, Random& random) {
  Office office(world, day, random);
  return office.Make(in_training, famous);
}

void TallyProgramme(World& world, const std::vector<Card>& cards) {
  constexpr double kDayWeight = 0.99;  // each race day before counts this much less
  world.programme_flat *= kDayWeight;
  world.programme_turf *= kDayWeight;
  world.programme_long_turf *= kDayWeight;
  for (const Card& card : cards) {
    for (const RacePlan& plan : card.races) {
      if (plan.jump()) continue;
      world.programme_flat += 1.0;
      if (plan.layout->surface != Surface::kTurf) continue;
      world.programme_turf += 1.0;
      if (plan.layout->distance >= kLongTurf) world.programme_long_turf += 1.0;
    }
  }
}

}  // namespace world
