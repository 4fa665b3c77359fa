// The season loop.
#include "world/Season.h"

#include <algorithm>

#include "world/Careers.h"
#include "world/Dates.h"
#include "world/FamousRaces.h"
#include "world/People.h"
#include "world/RaceOffice.h"
#include "world/Riders.h"

namespace world {

Simulator::Simulator(World& world, int first_year) : world_(world), weather_(world.seed) {
  StartWorld(world_, first_year);
  for (std::size_t i = 0; i < world_.horses.size(); ++i) {
    if (world_.horses[i].active && !world_.horses[i].retired) in_training_.push_back(static_cast<int>(i));
  }
}

int Simulator::RaceDays(int year, int last_day) {
  const std::vector<RaceDay> days = BuildSeason(year).days;
  return static_cast<int>(std::count_if(days.begin(), days.end(), [last_day](const RaceDay& day) {
    return last_day == 0 || day.date <= last_day;
  }));
}

bool Simulator::RunSeason(int year, RaceSink* sink, const std::function<bool(int date)>& day_done,
                          int last_day) {
  RenewPeople(world_, year);
  const std::vector<int> entered = EnterTraining(world_, year);
  in_training_.insert(in_training_.end(), entered.begin(), entered.end());

  const Season season = BuildSeason(year);
  const std::vector<ScheduledRace> famous = ScheduleFamousRaces(season);
  const std::uint64_t seed = world_.seed;
  std::size_t days = season.days.size();
  while (last_day != 0 && days > 0 && season.days[days - 1].date > last_day) --days;
  int month = 0;
  for (std::size_t d = 0; d < days; ++d) {
    const RaceDay& day = season.days[d];
    if (MonthOf(day.date) != month) {
      month = MonthOf(day.date);
      Review(world_, in_training_, day.date);
      in_training_.erase(std::remove_if(in_training_.begin(), in_training_.end(),
                                        [&](int id) { return world_.horses[static_cast<std::size_t>(id)].retired; }),
                         in_training_.end());
    }
    std::vector<RacePlan> today;
    for (const ScheduledRace& s : famous) {
      if (s.date == day.date) today.push_back(s.plan);
    }
    const std::uint64_t date = static_cast<std::uint64_t>(day.date);
    Random entries(seed, "entries", {date});
    std::vector<Card> cards = MakeCards(world_, day, in_training_, today, entries);
    TallyProgramme(world_, cards);
    Random riders(seed, "riders", {date});
    BookRiders(world_, cards, riders);
    for (Card& card : cards) {
      const Conditions conditions = weather_.Today(card.venue.place, day.date);
      for (RacePlan& plan : card.races) {
        AssignWeights(world_, plan, day.date);
        Random luck(seed, "race", {date, static_cast<std::uint64_t>(card.venue.place),
                                   static_cast<std::uint64_t>(plan.number)});
        const RaceRun run = RunRace(world_, plan, day.date, card.venue, conditions, luck);
        if (sink != nullptr && !sink->Race(world_, run)) return false;
        Random fate(seed, "fate", {date, static_cast<std::uint64_t>(card.venue.place),
                                   static_cast<std::uint64_t>(plan.number)});
        AfterRace(world_, run, fate);
      }
    }
    const bool month_ends = d + 1 == days || MonthOf(season.days[d + 1].date) != month;
    if (month_ends && sink != nullptr && !sink->MonthDone(world_, year, month)) return false;
    if (day_done && !day_done(day.date)) return false;
  }
  if (days < season.days.size()) return true;
  CloseSeason(world_, in_training_, year);
  in_training_.erase(std::remove_if(in_training_.begin(), in_training_.end(),
                                    [&](int id) { return world_.horses[static_cast<std::size_t>(id)].retired; }),
                     in_training_.end());
  return true;
}

}  // namespace world
