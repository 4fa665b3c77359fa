// What a horse can do on a given day: how far it is from its peak at its
// age, how well a course suits it, and the rating its connections and the
// handicapper have of it. All in lengths at a mile.
#ifndef YDB_WORLD_PERFORMANCE_H_
#define YDB_WORLD_PERFORMANCE_H_

#include "world/Courses.h"
#include "world/World.h"

namespace world {

// Lengths a horse is short of (negative) its mature ability on `date`:
// two-year-olds are well short, four- and five-year-olds at their peak,
// old horses decline.
double AgeCurve(const Horse& horse, int date);

// The horse's ability on `date` with its current form.
double Condition(const Horse& horse, int date);

// How well a horse's inherited aptitudes suit a race: surface, distance and
// going (0 良 to 3 不良).
double Aptitude(const Horse& horse, Surface surface, int distance, int going);

// How well a race fits its trainer's plan for it (0 a perfect fit, more
// negative the further off); the race office enters horses where this is
// near 0.
double PlanFit(const Horse& horse, Surface surface, int distance);

// Age in the racing sense: the year of the race less the year of birth.
inline int RacingAge(const Horse& horse, int date) {
  return date / 10000 - horse.birth_date / 10000;
}

}  // namespace world

#endif  // YDB_WORLD_PERFORMANCE_H_
