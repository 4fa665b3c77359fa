// Weather and going at a racecourse. Rain by the month (the June rainy
// season and the September typhoons the wettest), moisture that builds up
// over a weekend and dries out between race days; turf and dirt read the
// same moisture differently, dirt turning heavy sooner.
#ifndef YDB_WORLD_WEATHER_H_
#define YDB_WORLD_WEATHER_H_

#include <array>
#include <cstdint>
#include <string>

#include "world/Courses.h"

namespace world {

struct Conditions {
  std::string weather;  // "0" 晴 "1" 曇 "2" 雨 "3" 小雨 "4" 雪
  int turf_going = 0;   // 0 良, 1 稍重, 2 重, 3 不良
  int dirt_going = 0;

  int going(Surface surface) const { return surface == Surface::kDirt ? dirt_going : turf_going; }
};

// The weather of the racecourses day by day, carrying each course's
// moisture from one race day to the next.
class WeatherBook {
 public:
  explicit WeatherBook(std::uint64_t seed) : seed_(seed) {}

  // The conditions at `place` on `date`; call once per venue-day, in date order.
  Conditions Today(int place, int date);

 private:
  std::uint64_t seed_;
  std::array<double, 10> moisture_{};
  std::array<int, 10> last_date_{};
};

}  // namespace world

#endif  // YDB_WORLD_WEATHER_H_
