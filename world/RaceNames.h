// Names of the special (named) races below the graded ones: a word of the
// season or of the racecourse's surroundings with 特別, 賞 or ステークス. A
// slot of the calendar (course, weekend, day, race number) keeps its name
// from year to year, as the real programmes do.
#ifndef YDB_WORLD_RACENAMES_H_
#define YDB_WORLD_RACENAMES_H_

#include <cstdint>
#include <string>

#include "world/World.h"

namespace world {

std::string SpecialRaceName(std::uint64_t seed, int place, int month, int weekend, int weekday,
                            int number, HorseClass race_class);

}  // namespace world

#endif  // YDB_WORLD_RACENAMES_H_
