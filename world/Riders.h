// Booking jockeys for a day's cards. Each jockey rides at one racecourse a
// day, mostly those of its own centre; the best riders go where the big
// race is. A horse's connections want the best rider they can get, and
// the rider of its last run if possible, so good horses and good jockeys
// come together; jump races take jump riders.
#ifndef YDB_WORLD_RIDERS_H_
#define YDB_WORLD_RIDERS_H_

#include <vector>

#include "world/RaceOffice.h"
#include "world/Random.h"
#include "world/World.h"

namespace world {

// Fills RacePlan::jockeys of every race of `cards`.
void BookRiders(const World& world, std::vector<Card>& cards, Random& random);

// Sets RacePlan::weights and RacePlan::claims by the race's weight rule:
// weight for age and sex, penalties for past wins, the handicapper's
// weights, and the apprentice allowance in races that are not special.
void AssignWeights(const World& world, RacePlan& plan, int date);

}  // namespace world

#endif  // YDB_WORLD_RIDERS_H_
