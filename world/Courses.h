// The ten JRA racecourses: their turf, dirt and jump courses with the
// distances actually run there, the direction of each track (Tokyo, Niigata
// and Chukyo left-handed, the others right-handed; Niigata's straight 1000 m),
// the most runners a course takes, and the par times a good horse runs on
// good going.
#ifndef YDB_WORLD_COURSES_H_
#define YDB_WORLD_COURSES_H_

#include <string>
#include <vector>

namespace world {

enum class Surface { kTurf = 0, kDirt = 1, kJump = 2 };

// Where the horses of a course come from: the East (Miho) and West (Ritto)
// training centres, and Hokkaido, which both send horses to in summer.
enum class Region { kEast, kWest, kNorth };

// One distance of one track of a racecourse.
struct Layout {
  Surface surface;
  int distance;              // metres
  const char* inner_outer;   // "0" 内, "1" 外; "" where the course has one track
  int max_runners;
  double frequency;          // how often the race office programmes it
  bool straight = false;     // Niigata's straight course: no corners
};

struct Course {
  std::string place;         // place code "00" to "09"
  const char* name;          // 京都 ...
  Region region;
  bool left_handed;
  bool has_jumps;
  double speed;              // par times are multiplied by this (hills, tight turns)
  std::vector<Layout> layouts;

  // The direction code of a race on this course: "0" right, "1" left, "2" straight.
  std::string direction(const Layout& layout) const;
  // The number of corners of a race (0, 2 or 4), as the passing orders show them.
  int corners(const Layout& layout) const;
};

// The course of a place code "00" to "09"; place index = the code's number.
const Course& CourseAt(int place_index);
constexpr int kCourseCount = 10;

// Seconds a good horse of the open class runs `distance` on `surface` over
// this course on good going.
double ParTime(const Course& course, Surface surface, int distance);

// The key of a course record: place, surface and distance ("05-1-2000").
std::string RecordKey(int place_index, Surface surface, int distance);

}  // namespace world

#endif  // YDB_WORLD_COURSES_H_
