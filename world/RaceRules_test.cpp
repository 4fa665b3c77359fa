// A race run on a small hand-made world: weights by the rules, the result
// sampled from the runners' strengths, prizes, the draw, the weather.
#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "db/write/Validation.h"
#include "world/Dates.h"
#include "world/Performance.h"
#include "world/RaceSimulation.h"
#include "world/Riders.h"
#include "world/Weather.h"

namespace world {
namespace {

constexpr int kDate = 20190915;  // a Sunday in September

// Ten four-year-olds (the first three fillies) and one three-year-old of
// equal ability, one trainer, a senior jockey and an apprentice.
World SmallWorld() {
  World w;
  Trainer t;
  t.code = "01001";
  w.trainers.push_back(t);
  Jockey senior;
  senior.code = "00101";
  senior.first_year = 2000;
  w.jockeys.push_back(senior);
  Jockey apprentice;
  apprentice.code = "00102";
  apprentice.apprentice = true;
  apprentice.first_year = 2018;
  apprentice.wins = 12;
  w.jockeys.push_back(apprentice);
  for (int i = 0; i < 11; ++i) {
    Horse h;
    h.birth_date = i == 10 ? 20160401 : 20150401;
    h.sex = i < 3 ? "1" : "0";
    h.trainer = 0;
    h.genes.distance = std::log(1600.0);
    h.flat_class = HorseClass::kWin2;
    h.base_weight = 470;
    w.horses.push_back(h);
  }
  return w;
}

RacePlan MakePlan(WeightRule rule, bool special) {
  RacePlan plan;
  plan.place = 4;
  plan.number = special ? 10 : 6;
  for (const Layout& l : CourseAt(4).layouts) {
    if (l.surface == Surface::kTurf && l.distance == 1600) plan.layout = &l;
  }
  plan.band = Band::k3up;
  plan.horse_class = HorseClass::kWin2;
  plan.special = special;
  plan.rule = rule;
  plan.prize = 14500000;
  for (int i = 0; i < 11; ++i) {
    plan.field.push_back(i);
    plan.jockeys.push_back(i == 5 ? 1 : 0);
  }
  return plan;
}

TEST(WeightsTest, WeightForAgeSexAllowanceAndTheApprenticesClaim) {
  const World w = SmallWorld();
  RacePlan plan = MakePlan(WeightRule::kSet, false);
  AssignWeights(w, plan, kDate);
  EXPECT_EQ(plan.weights[3], 570);   // a colt of four
  EXPECT_EQ(plan.weights[0], 550);   // a filly carries 2 kg less
  EXPECT_EQ(plan.weights[10], 550);  // a colt of three in September
  EXPECT_EQ(plan.claims[5], "3");    // an apprentice with 12 wins claims 3 kg
  EXPECT_EQ(plan.weights[5], 540);
  // No claim in a special race.
  RacePlan named = MakePlan(WeightRule::kSet, true);
  AssignWeights(w, named, kDate);
  EXPECT_EQ(named.claims[5], "");
  EXPECT_EQ(named.weights[5], 570);
}

TEST(WeightsTest, TheHandicapperWeightsTheBetterHorsesUp) {
  World w = SmallWorld();
  for (int i = 0; i < 11; ++i) w.horses[static_cast<std::size_t>(i)].ability = 2.0 * i;
  RacePlan plan = MakePlan(WeightRule::kHandicap, true);
  AssignWeights(w, plan, kDate);
  for (int i = 4; i < 10; ++i) {
    EXPECT_GE(plan.weights[static_cast<std::size_t>(i) + 1], plan.weights[static_cast<std::size_t>(i)]);
    EXPECT_EQ(plan.weights[static_cast<std::size_t>(i)] % 5, 0);  // half kilograms
  }
  EXPECT_GT(plan.weights[9], plan.weights[3] + 30);
  EXPECT_LE(plan.weights[9], 590);
  EXPECT_GE(plan.weights[3], 480);
}

TEST(RunRaceTest, TheStrongerHorseWinsAsOftenAsItsChanceSays) {
  World w = SmallWorld();
  w.horses[7].ability = 6.0;  // the class horse of the field
  RacePlan plan = MakePlan(WeightRule::kSet, false);
  AssignWeights(w, plan, kDate);
  const Conditions good{"0", 0, 0};
  VenueDay venue{4, 4, 9, 0};
  std::map<int, int> wins;
  double chance = 0.0;
  const int races = 4000;
  for (int r = 0; r < races; ++r) {
    Random luck(9, "race-test", {static_cast<std::uint64_t>(r)});
    const RaceRun run = RunRace(w, plan, kDate, venue, good, luck);
    ASSERT_EQ(run.runners(), 11);
    // The draw: every number once, frames by the rule.
    std::vector<bool> seen(12, false);
    std::vector<double> strengths;
    for (const Starter& s : run.starters) {
      EXPECT_FALSE(seen[static_cast<std::size_t>(s.number)]);
      seen[static_cast<std::size_t>(s.number)] = true;
      EXPECT_EQ(s.frame, ydb::DrawFrame(s.number, 11));
      if (!s.scratched()) strengths.push_back(s.strength);
    }
    std::size_t k = 0;
    for (const Starter& s : run.starters) {
      if (s.scratched()) continue;
      if (s.horse == 7) chance += WinChance(strengths, k, LuckScale(plan));
      ++k;
    }
    for (const Starter& s : run.starters) {
      if (s.finish == 1) ++wins[s.horse];
    }
  }
  // The race model gives each runner its chance; the result follows it.
  EXPECT_NEAR(wins[7] / static_cast<double>(races), chance / races, 0.025);
  EXPECT_GT(wins[7], 3 * wins[3]);
}

TEST(RunRaceTest, PlacingsPrizesAndAccidentsAgree) {
  const World w = SmallWorld();
  RacePlan plan = MakePlan(WeightRule::kSet, true);
  AssignWeights(w, plan, kDate);
  const Conditions good{"0", 0, 0};
  VenueDay venue{4, 4, 9, 0};
  std::map<std::string, int> accidents;
  for (int r = 0; r < 3000; ++r) {
    Random luck(10, "race-test", {static_cast<std::uint64_t>(r)});
    const RaceRun run = RunRace(w, plan, kDate, venue, good, luck);
    std::int64_t paid = 0;
    for (const Starter& s : run.starters) {
      ++accidents[s.accident ? std::string(ydb::AccidentCode(*s.accident)) : ""];
      paid += s.prize;
      if (s.scratched() || s.accident == ydb::Accident::kFell || s.accident == ydb::Accident::kPulledUp) {
        EXPECT_EQ(s.finish, 0);
        EXPECT_EQ(s.arrival, 0);
      } else {
        EXPECT_GT(s.arrival, 0);
      }
      if (s.accident == ydb::Accident::kDisqualified) {
        EXPECT_EQ(s.finish, 0);
      }
      if (s.finish == 1 && run.dead_heat.size() > 1 && !run.dead_heat[1]) {
        EXPECT_EQ(s.prize, run.prizes[0]);
      }
    }
    // The five prizes are paid out whole (less the rounding of shares).
    std::int64_t offered = 0;
    for (std::int64_t p : run.prizes) offered += p;
    EXPECT_LE(paid, offered);
    EXPECT_GE(paid, offered - 1000);
    EXPECT_GT(run.winner_time, 900);  // about 1:34 for a mile at Tokyo
    EXPECT_LT(run.winner_time, 1000);
  }
  EXPECT_GT(accidents[""], 32000);
  EXPECT_GT(accidents["34"], 20);  // scratchings happen, a few in a thousand
}

// A demotion moves a horse one to three places down, never past the last
// placed horse: in a field of six that arrive, the demoted one can end last.
TEST(RunRaceTest, ADemotionInASmallFieldStaysInsideThePlacings) {
  World w = SmallWorld();
  RacePlan plan = MakePlan(WeightRule::kSet, false);
  plan.field.resize(6);
  plan.jockeys.resize(6);
  AssignWeights(w, plan, kDate);
  const Conditions good{"0", 0, 0};
  VenueDay venue{4, 4, 9, 0};
  int demotions = 0, demoted_last = 0;
  for (int r = 0; r < 40000; ++r) {
    Random luck(12, "demotion-test", {static_cast<std::uint64_t>(r)});
    const RaceRun run = RunRace(w, plan, kDate, venue, good, luck);
    std::vector<int> finishes;
    for (const Starter& s : run.starters) {
      if (s.finish > 0) finishes.push_back(s.finish);
      if (s.accident != ydb::Accident::kDemoted) continue;
      ++demotions;
      EXPECT_GT(s.finish, s.arrival) << "race " << r;
      demoted_last += s.finish == static_cast<int>(run.arrivals.size()) ? 1 : 0;
    }
    std::sort(finishes.begin(), finishes.end());
    for (std::size_t k = 0; k < finishes.size(); ++k) {
      EXPECT_LE(finishes[k], static_cast<int>(k) + 1) << "race " << r;  // ties share a place
    }
  }
  EXPECT_GT(demotions, 50);
  EXPECT_GT(demoted_last, 0);
}

TEST(WeatherTest, TheRainySeasonBringsSoftGoing) {
  WeatherBook book(11);
  int soft_june = 0, soft_january = 0, dirt_wetter = 0, days = 0;
  for (int year = 2000; year < 2040; ++year) {
    for (int day : {MakeDate(year, 1, 12), MakeDate(year, 1, 13), MakeDate(year, 6, 15), MakeDate(year, 6, 16)}) {
      const Conditions c = book.Today(5, day);
      (MonthOf(day) == 6 ? soft_june : soft_january) += c.turf_going > 0;
      dirt_wetter += c.dirt_going >= c.turf_going;
      ++days;
    }
  }
  EXPECT_GT(soft_june, soft_january);
  EXPECT_EQ(dirt_wetter, days);
}

TEST(PerformanceTest, HorsesPeakAtFourOrFiveAndSuitTheirTrip) {
  Horse h;
  h.birth_date = 20150401;
  h.genes.distance = std::log(2000.0);
  EXPECT_LT(AgeCurve(h, 20170701), AgeCurve(h, 20180701));
  EXPECT_LT(AgeCurve(h, 20180701), AgeCurve(h, 20190701));
  EXPECT_NEAR(AgeCurve(h, 20200101), 0.0, 0.5);
  EXPECT_LT(AgeCurve(h, 20240101), AgeCurve(h, 20200101) - 2.0);
  EXPECT_GT(Aptitude(h, Surface::kTurf, 2000, 0), Aptitude(h, Surface::kTurf, 1200, 0) + 5.0);
  h.target_distance = 2000;
  h.target_surface = Surface::kDirt;
  EXPECT_EQ(PlanFit(h, Surface::kDirt, 2000), 0.0);
  EXPECT_LT(PlanFit(h, Surface::kTurf, 2000), -2.0);
}

}  // namespace
}  // namespace world
