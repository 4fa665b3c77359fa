// The race office: it makes each venue's twelve races of a day out of the
// horses whose trainers want to run them. The graded races of the day take
// the best horses fit to run; then each horse ready to run picks a
// racecourse of its centre, and each racecourse divides its twelve races
// among the classes in proportion to the horses of each class (so that
// fields come out at about fourteen, maidens' larger), chooses surfaces and
// distances where the horses' plans crowd (maiden races leaning to the
// dirt), and draws the fields, leaving out by lot those
// over the course's limit. Saturdays at courses with hurdles have a jump race.
#ifndef YDB_WORLD_RACEOFFICE_H_
#define YDB_WORLD_RACEOFFICE_H_

#include <vector>

#include "world/Calendar.h"
#include "world/RaceTypes.h"
#include "world/Random.h"
#include "world/World.h"

namespace world {

// One racecourse's races of a day, numbered 1 to 12 in order.
struct Card {
  int date = 0;
  VenueDay venue;
  std::vector<RacePlan> races;
};

// Makes the cards of `day`. `in_training` lists the horses in training;
// `famous` the graded races run that day (fields empty).
std::vector<Card> MakeCards(const World& world, const RaceDay& day, const std::vector<int>& in_training,
                            const std::vector<RacePlan>& famous, Random& random);

// Counts the flat races of a day's cards into the world's recent
// programme, which the office steers its surfaces by.
void TallyProgramme(World& world, const std::vector<Card>& cards);

// The first prize of a race, yen.
std::int64_t FirstPrize(const RacePlan& plan);

}  // namespace world

#endif  // YDB_WORLD_RACEOFFICE_H_
