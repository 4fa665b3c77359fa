// Age bands of races.
#include "world/RaceTypes.h"

namespace world {

bool AgeFits(Band band, int age) {
  switch (band) {
    case Band::k2yo: return age == 2;
    case Band::k3yo: return age == 3;
    case Band::k3up: return age >= 3;
    case Band::k4up: return age >= 4;
  }
  return false;
}

std::string RaceKind(const RacePlan& plan) {
  if (plan.jump()) return "0";
  switch (plan.band) {
    case Band::k2yo: return "1";
    case Band::k3yo: return "2";
    case Band::k3up: return "3";
    case Band::k4up: return "4";
  }
  return "3";
}

}  // namespace world
