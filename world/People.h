// The people of the world: about 150 jockeys of the two training centres
// (apprentices with their weight allowance, and jump riders), 200 trainers,
// and the owners and breeders behind the horses. Each March the oldest
// trainers retire at seventy and new licences are issued.
#ifndef YDB_WORLD_PEOPLE_H_
#define YDB_WORLD_PEOPLE_H_

#include <string>

#include "world/Random.h"
#include "world/World.h"

namespace world {

// Creates the people of a world whose first season is `year`.
void FoundPeople(World& world, int year);

// Retirements and new licences at the start of `year`; horses of a retiring
// trainer move to a trainer of the same centre.
void RenewPeople(World& world, int year);

// The apprentice allowance a jockey claims on `date`: "3", "2", "1" kg, or
// "" once the jockey has ridden 100 winners or five years have passed.
std::string ApprenticeAllowance(const Jockey& jockey, int date);

// A trainer for a new horse of an owner, from the centre of `region`.
int PickTrainer(const World& world, Random& random, Region region);

}  // namespace world

#endif  // YDB_WORLD_PEOPLE_H_
