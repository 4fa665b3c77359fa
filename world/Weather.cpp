// Rain, drying and the going it makes.
#include "world/Weather.h"

#include <algorithm>

#include "world/Dates.h"
#include "world/Random.h"

namespace world {
namespace {

// Chance of rain on a day of each month.
const double kRain[12] = {0.12, 0.15, 0.22, 0.25, 0.25, 0.38, 0.32, 0.22, 0.33, 0.26, 0.18, 0.12};

int GoingOf(double moisture) {
  if (moisture < 0.5) return 0;
  if (moisture < 1.4) return 1;
  if (moisture < 2.3) return 2;
  return 3;
}

}  // namespace

Conditions WeatherBook::Today(int place, int date) {
  Random random(seed_, "weather", {static_cast<std::uint64_t>(date), static_cast<std::uint64_t>(place)});
  const std::size_t p = static_cast<std::size_t>(place);
  // The course dries between race days; a week away leaves it dry.
  double& m = moisture_[p];
  const int gap = last_date_[p] == 0 ? 30 : DaysBetween(last_date_[p], date);
  m = std::max(0.0, m - 0.6 * gap);
  last_date_[p] = date;

  const int month = MonthOf(date);
  double rain = kRain[month - 1];
  if (CourseAt(place).region == Region::kNorth) rain *= 0.7;
  Conditions c;
  const double u = random.Uniform();
  if (u < rain) {
    const bool heavy = random.Chance(0.45);
    const bool snow = (month == 1 || month == 2 || month == 12) && random.Chance(0.15);
    c.weather = snow ? "4" : (heavy ? "2" : "3");
    m += heavy ? random.Uniform(0.9, 2.6) : random.Uniform(0.3, 1.0);
  } else {
    c.weather = u < rain + 0.25 ? "1" : "0";
    m = std::max(0.0, m - 0.4);
  }
  m = std::min(m, 4.0);
  c.turf_going = GoingOf(m);
  c.dirt_going = GoingOf(m * 1.2 + 0.1);
  return c;
}

}  // namespace world
