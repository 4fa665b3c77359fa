// The vocabulary of a race programme: age bands, weight rules and the
// description of one race as the race office writes it.
#ifndef YDB_WORLD_RACETYPES_H_
#define YDB_WORLD_RACETYPES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "world/Courses.h"
#include "world/World.h"

namespace world {

// Which ages a race is for.
enum class Band { k2yo, k3yo, k3up, k4up };

// How the weights carried are set.
enum class WeightRule {
  kAge,        // 馬齢: by age and sex alone
  kSet,        // 定量: fixed weights of the race, by age and sex
  kAllowance,  // 別定: the set weight plus penalties for past wins
  kHandicap,   // ハンデ: the handicapper's weights
};

// Grades as the store codes them: "0" G1 ... "5" JG3; kNoGrade otherwise.
constexpr int kNoGrade = -1;

// One race of a day's card, before and after its field is chosen.
struct RacePlan {
  int place = 0;
  int number = 0;            // 1-12
  const Layout* layout = nullptr;
  Band band = Band::k3up;
  HorseClass horse_class = HorseClass::kMaiden;
  int grade = kNoGrade;
  bool listed = false;
  bool fillies = false;      // fillies and mares only
  bool special = false;      // a named race (特別競走)
  std::string name;
  int edition = 0;
  WeightRule rule = WeightRule::kAge;
  std::int64_t prize = 0;    // first prize, yen

  std::vector<int> field;        // horse ids of the runners
  std::vector<int> nominations;  // horse ids nominated, runners included, in nomination order
  std::vector<int> jockeys;      // jockey ids, one per runner of `field`
  std::vector<int> weights;      // weights carried, tenths of a kilogram, one per runner
  std::vector<std::string> claims;  // apprentice allowance claimed ("" none), one per runner

  bool jump() const { return layout != nullptr && layout->surface == Surface::kJump; }
};

// Whether a horse of `age` (as counted in the race's year) may run in a
// race of this band.
bool AgeFits(Band band, int age);

// The race-kind code of a band on a race card ("0" for a jump race).
std::string RaceKind(const RacePlan& plan);

}  // namespace world

#endif  // YDB_WORLD_RACETYPES_H_
