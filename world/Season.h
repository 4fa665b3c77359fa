// One season of racing, day by day: the new crop goes into training, each
// race day's cards are made, riders booked, weights set, the races run and
// the careers of their runners moved on; a monthly review and the
// retirements of the winter close it.
//
// Every decision draws from a stream keyed by what it decides (the day's
// entries, a race's luck, a crop's breeding), never from a shared one, so
// a season comes out the same whether or not its races are written.
#ifndef YDB_WORLD_SEASON_H_
#define YDB_WORLD_SEASON_H_

#include <functional>
#include <vector>

#include "world/RaceSimulation.h"
#include "world/Weather.h"
#include "world/World.h"

namespace world {

// Sees each race of a written season as it is run, before its runners'
// careers move on.
class RaceSink {
 public:
  virtual ~RaceSink() = default;
  // Returns false to stop the season.
  virtual bool Race(const World& world, const RaceRun& run) = 0;
  // The last race day of a month is over; returns false to stop.
  virtual bool MonthDone(const World& world, int year, int month) = 0;
};

class Simulator {
 public:
  // Starts a world whose first simulated season is `first_year`.
  Simulator(World& world, int first_year);

  // Simulates `year` (the next season). Without a sink the season is run
  // silently. `day_done` is told each race day; it returns false to stop.
  // With `last_day` (YYYYMMDD) the season is run up to and including that
  // day only, the month holding it closed there, and the season is not
  // closed: no further season can follow. Returns false when stopped.
  bool RunSeason(int year, RaceSink* sink, const std::function<bool(int date)>& day_done,
                 int last_day = 0);

  // The number of race days of a season, up to and including `last_day`
  // when it is given.
  static int RaceDays(int year, int last_day = 0);

 private:
  World& world_;
  WeatherBook weather_;
  std::vector<int> in_training_;
};

}  // namespace world

#endif  // YDB_WORLD_SEASON_H_
