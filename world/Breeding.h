// The bloodstock of the world: the historic sires pedigrees reach back to,
// the stallions standing in each year with a few leading sires covering many
// mares, the broodmares (bought in, and the world's own fillies once they
// retire), and the foals of each crop with their three-generation pedigrees
// and what they inherit.
#ifndef YDB_WORLD_BREEDING_H_
#define YDB_WORLD_BREEDING_H_

#include <array>

#include "world/Random.h"
#include "world/World.h"

namespace world {

// Foals registered for racing each year.
constexpr int kCropSize = 4600;

// Lays down the bloodlines a world starting in `first_year` needs: historic
// sires, the stallions and broodmares of the crops racing in that year.
void FoundBloodlines(World& world, int first_year);

// Breeds the crop foaled in `birth_year`: one foal per chosen mare, by a
// stallion standing that year. The foals are added to world.horses, not yet
// in training.
void BreedCrop(World& world, int birth_year);

// Adds stallions to stand from `year` on and broodmares so that enough
// mares foal in `year` + 1 (imports and private purchases).
void RenewBloodstock(World& world, int year);

// A filly or mare leaving racing in `year` goes to the paddocks; a colt with
// a good enough record goes to stud. Either way it keeps its code.
void RetireToBreeding(World& world, int horse, int year);

// The ancestor ids of a horse's pedigree, in the store's order: sire, dam,
// then each generation sire's side first. Every entry is set.
std::array<int, 14> PedigreeOf(const World& world, int ancestor);

// The 7-digit code of the next horse foaled in `birth_year`.
std::string NextHorseCode(World& world, int birth_year);

}  // namespace world

#endif  // YDB_WORLD_BREEDING_H_
