// The state of a race world: the horses with their hidden qualities and
// careers, the sires and broodmares that breed them, the named ancestors of
// their pedigrees, and the people (jockeys, trainers, owners, breeders).
//
// Everything the races are decided by lives here and changes only as the
// seasons are simulated; what is merely shown about a race (odds, laps,
// passing orders, comments) is drawn when it is written and kept nowhere.
// Horses' qualities are in lengths (about 2.4 m) at a mile: a horse 1.0
// better beats an otherwise equal one by a length.
#ifndef YDB_WORLD_WORLD_H_
#define YDB_WORLD_WORLD_H_

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "world/Courses.h"

namespace world {

// A horse as it appears in pedigrees. Sires and dams of the world's horses
// have their parents and grandparents here too, so that every pedigree
// reaches three generations.
struct Ancestor {
  std::string name;        // katakana
  std::string latin;
  bool imported = false;   // foaled abroad (shown with "*")
  std::string coat;        // coat colour code
  int birth_year = 0;
  std::string code;        // 7 digits when the horse is one of the store's
  int sire = -1;           // ancestor ids; -1 above the generations needed
  int dam = -1;
};

// What a horse inherits and passes on: quality and aptitudes. The sire's
// half of a foal's aptitudes is what makes sire statistics worth reading.
struct Genes {
  double merit = 0.0;      // breeding value of ability, lengths
  double distance = 7.5;   // log of the best distance in metres
  double dirt = 0.0;       // + runs better on dirt, - on turf
  double heavy = 0.0;      // + handles soft and heavy going
  double jumping = 0.0;    // + takes to hurdles
  double early = 0.0;      // + early speed: front-runner; - closer
};

struct Stallion {
  int ancestor = -1;
  std::string code;
  Genes genes;
  int first_crop = 0;      // foaling year of his first foals
  int last_crop = 0;       // his last foals
  double appeal = 1.0;     // how many mares breeders send him
  int horse = -1;          // his racing self when he raced in the world
};

struct Mare {
  int ancestor = -1;
  std::string code;
  Genes genes;
  int first_foal = 0;      // first foaling year
  int last_foal = 0;       // last foaling year
  int stallion_sire = -1;  // her own sire when he is a stallion of the world
  int horse = -1;          // her racing self when she raced in the world
};

enum class HorseClass { kNewcomer = 0, kMaiden, kWin1, kWin2, kWin3, kOpen };
constexpr int kClassCount = 6;

// A racehorse: its identity, its hidden qualities and its career so far.
struct Horse {
  int ancestor = -1;
  std::string code;
  int birth_date = 0;
  std::string sex = "0";       // "0" colt, "1" filly, "2" gelding
  std::string coat;
  std::string birthplace;
  std::string mark = "00";
  int owner = -1;
  int breeder = -1;
  int trainer = -1;
  int stallion = -1;
  int mare = -1;

  // Hidden.
  Genes genes;
  double ability = 0.0;        // lengths over the average of its crop, at maturity
  double maturity = 0.0;       // months earlier (+) or later (-) than usual
  double form = 0.0;           // lengths, drifts from run to run
  double soundness = 0.0;      // + stays sound longer
  int base_weight = 470;       // kg at maturity

  // The trainer's plan.
  Surface target_surface = Surface::kTurf;
  int target_distance = 1600;

  // Career.
  bool active = false;         // in training
  bool retired = false;
  int retired_date = 0;
  int ready_day = 0;           // day number from which it may run (again)
  int last_run_day = -1;       // -1: never ran
  int runs = 0;
  int wins = 0;                // flat wins
  int jump_runs = 0;
  bool jumper = false;         // now racing over jumps
  HorseClass flat_class = HorseClass::kNewcomer;
  HorseClass jump_class = HorseClass::kMaiden;
  int graded_wins = 0;
  int g1_wins = 0;
  int body_weight = 0;         // kg at the last run
  int last_jockey = -1;
  std::array<int, 5> recent{}; // last finishing positions (0 none, 19 did not finish)
  int recent_count = 0;
  bool blinkers = false;       // races in blinkers
};

struct Person {
  std::string code;
  std::string name;        // kanji, no blank
  std::string kana;        // katakana, family and given name apart
  std::string short_name;
  int birth_date = 0;
  int first_year = 0;
  int retired_date = 0;
  Region region = Region::kEast;
  double skill = 0.0;      // lengths a runner gains from them
};

struct Jockey : Person {
  std::string qualification = "2";  // "1" flat and jumps, "2" flat, "3" jumps
  int wins = 0;                     // career wins, for the apprentice allowance
  bool apprentice = false;
  int trainer = -1;                 // the stable an apprentice belongs to
};

struct Trainer : Person {
  std::string centre = "1";         // "1" 栗東, "2" 美浦南, "3" 美浦北
};

struct Owner {
  std::string code;
  std::string name;
  std::string short_name;
  std::string crown;       // the prefix the owner gives its horses' names; may be empty
  double size = 1.0;       // share of the horses bought
  double means = 0.0;      // + buys better-bred horses
};

struct Breeder {
  std::string code;
  std::string name;
  std::string short_name;
  std::string birthplace;
  double size = 1.0;
  double quality = 0.0;
};

// The fastest time of one course, surface and distance.
struct CourseRecord {
  int time = 0;            // tenths
  int date = 0;
  std::string horse_name;
  int weight_carried = 0;  // tenths of a kilogram
  std::string jockey_name;
};

// A code of `width` digits, zero-padded ("0042").
inline std::string ZeroPadded(std::int64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return digits;
}

struct World {
  std::uint64_t seed = 1;

  std::vector<Ancestor> ancestors;
  std::vector<int> historic_sires;   // ancestor ids of the sires pedigrees reach back to
  std::map<int, std::vector<int>> families;  // foaling year -> ancestor ids of mares with
                                             // three generations known, whose daughters
                                             // pedigrees share
  std::vector<Stallion> stallions;
  std::vector<Mare> mares;
  std::vector<Horse> horses;
  std::vector<Jockey> jockeys;
  std::vector<Trainer> trainers;
  std::vector<Owner> owners;
  std::vector<Breeder> breeders;
  std::set<std::string> horse_names;  // every horse name in use, for uniqueness
  std::set<std::string> person_names;
  std::map<std::string, CourseRecord> records;  // key: place, surface, distance

  // The flat races of the recent programme, those of them on the turf and
  // those over 2400 m or more of turf, each race day weighing a little less
  // than the next (about the last hundred race days count): what the race
  // office steers by.
  double programme_flat = 0.0;
  double programme_turf = 0.0;
  double programme_long_turf = 0.0;

  // Serial numbers behind the codes of new entities.
  int next_stallion_serial = 1;
  int next_mare_serial = 1;
  std::map<int, int> next_horse_serial;  // birth year -> serial
  int next_jockey_serial = 1;
  int next_trainer_serial = 1;
};

}  // namespace world

#endif  // YDB_WORLD_WORLD_H_
