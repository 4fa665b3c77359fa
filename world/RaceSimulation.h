// Running a race. Each runner's strength on the day is its ability at its
// age with its current form, how the surface, distance and going suit it,
// its jockey and trainer, its draw and the weight it carries. The race's
// luck is normal noise added to the strengths (WinChance gives a runner's
// chance of winning). Unlike Gumbel noise, under which the order would
// follow the Plackett-Luce model, it leaves a beaten favourite out of the
// places as often as real favourites are. Scratchings, falls,
// disqualifications, demotions and dead heats happen at about their real rates. The winner's time comes
// from the course's par time, the going, the pace and how well the winner
// ran.
//
// Everything here decides the world's future (results, classes, form), so
// it draws only from the race's own stream; what is merely shown about the
// race is drawn elsewhere (RaceDetail, Pools).
#ifndef YDB_WORLD_RACESIMULATION_H_
#define YDB_WORLD_RACESIMULATION_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "db/base/Codes.h"
#include "world/Calendar.h"
#include "world/RaceTypes.h"
#include "world/Random.h"
#include "world/Weather.h"
#include "world/World.h"

namespace world {

struct Starter {
  int horse = -1;
  int number = 0;             // horse number, 1-based
  int frame = 0;
  int jockey = -1;
  int weight = 0;             // tenths of a kilogram
  std::string claim;          // apprentice allowance claimed
  int age = 0;
  std::string sex;
  int body_weight = 0;
  std::optional<int> weight_change;
  double strength = 0.0;      // lengths, before the luck of the race
  double performance = 0.0;   // lengths, as run
  double form = 0.0;          // the horse's form going into the race
  int days_off = -1;          // days since its last run; -1 first run
  std::optional<ydb::Accident> accident;  // none: ran without one
  int arrival = 0;            // order of crossing the line; 0 when it did not
  int finish = 0;             // official placing; 0 when not placed
  std::int64_t prize = 0;     // yen won
  std::int64_t added = 0;     // yen of added money won

  bool scratched() const { return accident && !ydb::Started(*accident); }
  bool finished() const { return arrival > 0; }
};

struct RaceRun {
  RacePlan plan;
  int date = 0;
  VenueDay venue;
  Conditions conditions;
  int going = 0;                       // of the race's surface
  std::vector<Starter> starters;       // by horse number
  std::vector<int> arrivals;           // starter indexes in the order they crossed the line
  std::vector<double> gaps;            // lengths each arrival was behind the one before
  std::vector<bool> dead_heat;         // each arrival dead-heated with the one before
  int winner_time = 0;                 // tenths of a second
  double pace = 0.0;                   // + a fast early pace, - a slow one
  std::array<std::int64_t, 5> prizes{};  // places 1-5, yen
  std::int64_t added_money = 0;        // the winner's share, yen

  int runners() const { return static_cast<int>(starters.size()); }
  int starters_count() const;          // runners less the scratched
};

// Runs a race whose field, riders and weights are set.
RaceRun RunRace(const World& world, const RacePlan& plan, int date, const VenueDay& venue,
                const Conditions& conditions, Random& luck);

// The scale of a race's luck, lengths: the luck's standard deviation is
// kLuckSpread times it. The public sees chances as softmax(strength / scale).
double LuckScale(const RacePlan& plan);
constexpr double kLuckSpread = 1.5;

// The chance that starter `runner` wins a race of `strengths` (lengths,
// one per starter) with luck scale `scale`.
double WinChance(const std::vector<double>& strengths, std::size_t runner, double scale);

// How the going changes times: slower on soft turf, faster on wet dirt.
double GoingFactor(Surface surface, int going);

// Seconds a length takes at racing speed.
constexpr double kSecondsPerLength = 0.2;

}  // namespace world

#endif  // YDB_WORLD_RACESIMULATION_H_
