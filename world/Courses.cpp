// The course table and the par-time curves.
#include "world/Courses.h"

#include <cstddef>
#include <utility>

namespace world {
namespace {

constexpr Surface T = Surface::kTurf;
constexpr Surface D = Surface::kDirt;
constexpr Surface J = Surface::kJump;

std::vector<Course> BuildCourses() {
  std::vector<Course> c;
  c.push_back({"00", "京都", Region::kWest, false, true, 0.996,
               {{T, 1200, "0", 18, 5}, {T, 1400, "1", 18, 2}, {T, 1600, "1", 18, 3},
                {T, 1800, "1", 18, 3}, {T, 2000, "0", 17, 3}, {T, 2200, "1", 18, 2},
                {T, 2400, "1", 18, 1.5}, {T, 3000, "1", 18, 0.2}, {T, 3200, "1", 18, 0.2},
                {D, 1200, "", 16, 5.6}, {D, 1400, "", 16, 4.2}, {D, 1800, "", 16, 7},
                {D, 1900, "", 16, 2.1}, {J, 2910, "", 14, 1}, {J, 3170, "", 14, 1},
                {J, 3930, "", 14, 0.5}}});
  c.push_back({"01", "阪神", Region::kWest, false, true, 1.000,
               {{T, 1200, "0", 18, 5}, {T, 1400, "0", 18, 3}, {T, 1600, "1", 18, 3},
                {T, 1800, "1", 18, 3}, {T, 2000, "0", 18, 3}, {T, 2200, "0", 18, 2},
                {T, 2400, "1", 18, 1.5}, {T, 2600, "1", 18, 0.3}, {T, 3000, "1", 18, 0.3},
                {T, 3200, "1", 18, 0.1}, {D, 1200, "", 16, 5.6}, {D, 1400, "", 16, 5.6},
                {D, 1800, "", 16, 7}, {D, 2000, "", 16, 1.4}, {J, 2970, "", 14, 1},
                {J, 3110, "", 14, 1}, {J, 3140, "", 14, 1}, {J, 3900, "", 14, 0.5}}});
  c.push_back({"02", "中京", Region::kWest, true, true, 1.002,
               {{T, 1200, "", 18, 5}, {T, 1400, "", 18, 2}, {T, 1600, "", 18, 3},
                {T, 2000, "", 18, 3}, {T, 2200, "", 18, 2}, {D, 1200, "", 16, 5.6},
                {D, 1400, "", 16, 4.2}, {D, 1800, "", 16, 7}, {D, 1900, "", 16, 2.1},
                {J, 3000, "", 14, 1}, {J, 3300, "", 14, 1}, {J, 3900, "", 14, 0.3}}});
  c.push_back({"03", "小倉", Region::kWest, false, true, 0.999,
               {{T, 1200, "", 18, 7}, {T, 1700, "", 16, 1}, {T, 1800, "", 16, 3},
                {T, 2000, "", 18, 3}, {T, 2600, "", 14, 8}, {D, 1000, "", 12, 2.8},
                {D, 1700, "", 16, 8.4}, {D, 2400, "", 14, 0.42}, {J, 2860, "", 14, 1},
                {J, 3390, "", 14, 1}}});
  c.push_back({"04", "東京", Region::kEast, true, true, 0.997,
               {{T, 1400, "", 18, 4}, {T, 1600, "", 18, 4}, {T, 1800, "", 18, 3},
                {T, 2000, "", 18, 3}, {T, 2300, "", 18, 0.5}, {T, 2400, "", 18, 2.5},
                {T, 2500, "", 18, 0.5}, {T, 3400, "", 16, 0.1}, {D, 1300, "", 16, 1.4},
                {D, 1400, "", 16, 5.6}, {D, 1600, "", 16, 7}, {D, 2100, "", 16, 4.2},
                {D, 2400, "", 16, 0.42}, {J, 3000, "", 14, 1}, {J, 3110, "", 14, 1},
                {J, 3300, "", 14, 1}}});
  c.push_back({"05", "中山", Region::kEast, false, true, 1.004,
               {{T, 1200, "1", 16, 5}, {T, 1600, "1", 16, 3}, {T, 1800, "0", 16, 3},
                {T, 2000, "0", 18, 1.8}, {T, 2200, "1", 18, 1.5}, {T, 2500, "0", 16, 1},
                {T, 3600, "0", 16, 0.1}, {D, 1200, "", 16, 32}, {D, 1800, "", 16, 8.4},
                {D, 2400, "", 16, 0.7}, {D, 2500, "", 16, 0.42}, {J, 2880, "", 14, 1},
                {J, 3200, "", 14, 1}, {J, 3350, "", 14, 1}, {J, 3570, "", 14, 0.5},
                {J, 4100, "", 14, 0.2}, {J, 4250, "", 14, 0.2}}});
  c.push_back({"06", "福島", Region::kEast, false, true, 1.002,
               {{T, 1200, "", 16, 6}, {T, 1800, "", 16, 3}, {T, 2000, "", 16, 3},
                {T, 2600, "", 16, 8}, {D, 1150, "", 15, 4.2}, {D, 1700, "", 15, 7},
                {D, 2400, "", 15, 0.42}, {J, 2750, "", 14, 1}, {J, 2770, "", 14, 1},
                {J, 3350, "", 14, 1}, {J, 3380, "", 14, 0.5}}});
  Layout straight{T, 1000, "", 18, 45};
  straight.straight = true;
  c.push_back({"07", "新潟", Region::kEast, true, true, 0.997,
               {straight, {T, 1200, "0", 18, 5}, {T, 1400, "0", 18, 2}, {T, 1600, "1", 18, 3},
                {T, 1800, "1", 18, 3}, {T, 2000, "1", 18, 2.5}, {T, 2200, "0", 18, 1},
                {T, 2400, "0", 18, 0.5}, {D, 1200, "", 15, 5.6}, {D, 1800, "", 15, 7},
                {D, 2500, "", 15, 0.42}, {J, 2850, "", 14, 1}, {J, 2890, "", 14, 1},
                {J, 3250, "", 14, 1}, {J, 3290, "", 14, 0.5}}});
  c.push_back({"08", "札幌", Region::kNorth, false, false, 1.006,
               {{T, 1200, "", 16, 6}, {T, 1500, "", 14, 2}, {T, 1800, "", 14, 3},
                {T, 2000, "", 16, 3}, {T, 2600, "", 14, 8}, {D, 1000, "", 12, 2.8},
                {D, 1700, "", 14, 8.4}, {D, 2400, "", 14, 0.7}}});
  c.push_back({"09", "函館", Region::kNorth, false, false, 1.007,
               {{T, 1000, "", 12, 1}, {T, 1200, "", 16, 6}, {T, 1800, "", 14, 3},
                {T, 2000, "", 16, 3}, {T, 2600, "", 14, 8}, {D, 1000, "", 12, 2.8},
                {D, 1700, "", 14, 8.4}, {D, 2400, "", 14, 0.7}}});
  return c;
}

// Par seconds at distances of the open class on good going.
const std::pair<int, double> kTurfPar[] = {
    {1000, 55.5},  {1200, 68.6},  {1400, 81.3},  {1500, 87.8},  {1600, 94.0},
    {1800, 107.0}, {2000, 119.8}, {2200, 132.8}, {2400, 145.4}, {2600, 158.6},
    {3000, 184.2}, {3200, 197.2}, {3400, 210.5}, {3600, 224.0}};
const std::pair<int, double> kDirtPar[] = {
    {1000, 59.0},  {1150, 68.3},  {1200, 71.4},  {1300, 78.3},  {1400, 84.4},
    {1600, 97.0},  {1700, 104.0}, {1800, 111.4}, {1900, 118.0}, {2000, 124.6},
    {2100, 131.0}, {2400, 151.0}, {2500, 158.0}};

template <std::size_t N>
double Interpolate(const std::pair<int, double> (&table)[N], int distance) {
  if (distance <= table[0].first) return table[0].second * distance / table[0].first;
  for (std::size_t i = 1; i < N; ++i) {
    if (distance <= table[i].first) {
      const double f = static_cast<double>(distance - table[i - 1].first) /
                       (table[i].first - table[i - 1].first);
      return table[i - 1].second + f * (table[i].second - table[i - 1].second);
    }
  }
  return table[N - 1].second * distance / table[N - 1].first;
}

}  // namespace

std::string Course::direction(const Layout& layout) const {
  if (layout.straight) return "2";
  return left_handed ? "1" : "0";
}

int Course::corners(const Layout& layout) const {
  if (layout.straight) return 0;
  if (layout.surface == Surface::kJump) return 4;
  // Sprints and miles start on the back straight and turn twice; longer
  // races (and the tight 1700 m dirt courses) go round four corners.
  if (layout.distance <= 1600 && !(layout.surface == Surface::kTurf && layout.distance == 1600 &&
                                   place == "05")) {
    return 2;
  }
  return 4;
}

const Course& CourseAt(int place_index) {
  static const std::vector<Course> kCourses = BuildCourses();
  return kCourses[static_cast<std::size_t>(place_index)];
}

std::string RecordKey(int place_index, Surface surface, int distance) {
  return CourseAt(place_index).place + "-" + std::to_string(static_cast<int>(surface)) + "-" +
         std::to_string(distance);
}

double ParTime(const Course& course, Surface surface, int distance) {
  double seconds = 0.0;
  switch (surface) {
    case Surface::kTurf: seconds = Interpolate(kTurfPar, distance); break;
    case Surface::kDirt: seconds = Interpolate(kDirtPar, distance); break;
    case Surface::kJump: seconds = distance / 15.2 + 4.0; break;
  }
  return seconds * course.speed;
}

}  // namespace world
