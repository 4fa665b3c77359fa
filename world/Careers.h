// Racing careers: a crop goes into training as two-year-olds and debuts
// from June, horses go up a class with each win, rest between runs, get
// injured, find their best trip and surface (the young started on the
// turf, beaten maidens tried on the dirt), switch to jumps, and retire:
// most maidens when the three-year-old maiden races end in September, the
// rest as they age or lose their form, the fillies to the paddocks and the
// best colts to stud.
#ifndef YDB_WORLD_CAREERS_H_
#define YDB_WORLD_CAREERS_H_

#include <vector>

#include "world/RaceSimulation.h"
#include "world/Random.h"
#include "world/World.h"

namespace world {

// Creates a world whose first simulated season is `first_year`: people,
// bloodlines, and the older horses already in training with the careers
// they would have had.
void StartWorld(World& world, int first_year);

// Breeds the crop that turns two in `year` and puts it into training.
// Returns the ids of the horses that entered training.
std::vector<int> EnterTraining(World& world, int year);

// The careers of the runners of a race after it.
void AfterRace(World& world, const RaceRun& run, Random& fate);

// The monthly look at the horses in training on `date`: maidens whose races
// are over, horses that no race suits, switches to jumps, geldings.
void Review(World& world, const std::vector<int>& in_training, int date);

// Retirements at the end of `year`.
void CloseSeason(World& world, const std::vector<int>& in_training, int year);

}  // namespace world

#endif  // YDB_WORLD_CAREERS_H_
