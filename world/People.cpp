// Jockeys, trainers, owners and breeders, and their turnover.
#include "world/People.h"

#include <algorithm>
#include <cmath>

#include "world/Dates.h"
#include "world/Names.h"

namespace world {
namespace {

constexpr int kJockeys = 154;
constexpr int kJumpRiders = 46;

const char* const kBirthplaces[] = {"017", "002", "001", "005", "018", "013", "019", "009", "007",
                                    "008", "014", "015", "016", "101", "102", "103", "112", "108",
                                    "146", "143"};
const double kBirthplaceWeights[] = {22, 13, 12, 10, 10, 5, 3, 3, 2, 1,
                                     2,  2,  1,  2,  1,  0.5, 0.5, 0.5, 0.7, 0.3};

std::string Code5(int serial) { return ZeroPadded(serial, 5); }

int BirthDate(Random& random, int year) {
  return AddDays(MakeDate(year, 1, 1), random.Below(365));
}

void AddJockey(World& world, Random& random, int year, Region region, const std::string& qual,
               bool apprentice, bool new_licence) {
  Jockey j;
  const bool female = apprentice && random.Chance(0.08);
  const PersonName name = NewPersonName(world, random, female);
  j.code = Code5(100 + world.next_jockey_serial++);
  j.name = name.kanji;
  j.kana = name.kana;
  j.short_name = ShortPersonName(name);
  j.region = region;
  j.qualification = qual;
  j.apprentice = apprentice;
  if (apprentice) {
    j.first_year = new_licence ? year : year - random.Below(3);
    j.birth_date = BirthDate(random, j.first_year - 18 - random.Below(3));
    j.skill = random.Normal(-1.2, 0.5);
    j.wins = (year - j.first_year) * random.Between(5, 25);
    // An apprentice belongs to a stable of its centre.
    for (std::size_t t = 0; t < world.trainers.size(); ++t) {
      const std::size_t pick = static_cast<std::size_t>(random.Below(static_cast<int>(world.trainers.size())));
      if (world.trainers[pick].region == region && world.trainers[pick].retired_date == 0) {
        j.trainer = static_cast<int>(pick);
        break;
      }
    }
  } else {
    j.first_year = year - random.Between(3, 28);
    j.birth_date = BirthDate(random, j.first_year - 18 - random.Below(3));
    j.skill = random.Normal(qual == "3" ? -0.3 : 0.0, 0.9);
    j.wins = 100 + (year - j.first_year) * std::max(5, static_cast<int>(30 + 40 * j.skill));
  }
  world.jockeys.push_back(std::move(j));
}

void AddTrainer(World& world, Random& random, int year, Region region, bool new_licence) {
  Trainer t;
  const PersonName name = NewPersonName(world, random, false);
  t.code = Code5(1000 + world.next_trainer_serial++);
  t.name = name.kanji;
  t.kana = name.kana;
  t.short_name = ShortPersonName(name);
  t.region = region;
  t.centre = region == Region::kWest ? "1" : (random.Chance(0.5) ? "2" : "3");
  const int age = new_licence ? random.Between(35, 50) : random.Between(36, 69);
  t.birth_date = BirthDate(random, year - age);
  t.first_year = new_licence ? year : std::max(year - (age - 32), year - 35);
  t.skill = random.Normal(0.0, 0.6);
  world.trainers.push_back(std::move(t));
}

int AgeOn(int birth_date, int date) {
  return YearOf(date) - YearOf(birth_date) - (date % 10000 < birth_date % 10000 ? 1 : 0);
}

}  // namespace

void FoundPeople(World& world, int year) {
  Random random(world.seed, "people", {static_cast<std::uint64_t>(year)});
  for (int i = 0; i < 200; ++i) AddTrainer(world, random, year, i % 2 == 0 ? Region::kEast : Region::kWest, false);
  for (int i = 0; i < 130; ++i) {
    const Region region = i % 2 == 0 ? Region::kEast : Region::kWest;
    const bool apprentice = i >= 112;
    const std::string qual = !apprentice && i % 6 == 3 ? "1" : "2";
    AddJockey(world, random, year, region, qual, apprentice, false);
  }
  for (int i = 0; i < 24; ++i) {
    AddJockey(world, random, year, i % 2 == 0 ? Region::kEast : Region::kWest, "3", false, false);
  }
  for (int i = 0; i < 700; ++i) {
    const OwnerName name = NewOwnerName(world, random);
    Owner o;
    o.code = ZeroPadded(100001 + i, 6);
    o.name = name.name;
    o.short_name = name.short_name;
    o.crown = name.crown;
    o.size = 1.0 / std::pow(1.0 + i, 0.85);
    o.means = random.Normal(i < 30 ? 1.5 : 0.0, 1.0);
    world.owners.push_back(std::move(o));
  }
  for (int i = 0; i < 350; ++i) {
    Breeder b;
    b.code = ZeroPadded(10000001 + i, 8);
    b.name = NewBreederName(world, random);
    b.short_name = SjisWidth(b.name) <= 20 ? b.name : "";
    b.birthplace = kBirthplaces[random.Pick(kBirthplaceWeights)];
    b.size = 1.0 / std::pow(1.0 + i, 1.0);
    b.quality = random.Normal(i < 10 ? 1.0 : 0.0, 0.7);
    world.breeders.push_back(std::move(b));
  }
}

void RenewPeople(World& world, int year) {
  Random random(world.seed, "licences", {static_cast<std::uint64_t>(year)});
  const int retire_on = MakeDate(year, 2, 28);
  // Trainers retire in the February after they turn seventy; a new
  // trainer of the same centre takes over the stable's horses.
  const std::size_t trainer_count = world.trainers.size();
  for (std::size_t i = 0; i < trainer_count; ++i) {
    Trainer& t = world.trainers[i];
    if (t.retired_date != 0 || AgeOn(t.birth_date, retire_on) < 70) continue;
    t.retired_date = retire_on;
    const Region region = t.region;
    AddTrainer(world, random, year, region, true);
    const int successor = static_cast<int>(world.trainers.size()) - 1;
    for (Horse& h : world.horses) {
      if (h.trainer == static_cast<int>(i)) h.trainer = successor;
    }
    for (Jockey& j : world.jockeys) {
      if (j.trainer == static_cast<int>(i)) j.trainer = successor;
    }
  }
  // Jockeys: the oldest and the least successful give up riding; new
  // apprentices come out of the school each March.
  int active = 0;
  int jump_riders = 0;
  for (Jockey& j : world.jockeys) {
    if (j.retired_date != 0) continue;
    const int age = AgeOn(j.birth_date, retire_on);
    const double leave = age >= 50 ? 0.5 : (age >= 40 && j.skill < 0.0 ? 0.12 : 0.02);
    if (random.Chance(leave)) {
      j.retired_date = retire_on;
      continue;
    }
    ++active;
    jump_riders += j.qualification != "2" ? 1 : 0;
    // Young riders improve; old ones lose a little.
    j.skill += age < 30 ? random.Normal(0.12, 0.08) : (age > 42 ? -0.05 : 0.0);
  }
  // Enough jump riders for three jump races a Saturday, then apprentices.
  for (int i = 0; jump_riders < kJumpRiders; ++i, ++jump_riders, ++active) {
    AddJockey(world, random, year, i % 2 == 0 ? Region::kEast : Region::kWest, "3", false, true);
  }
  for (int i = 0; active < kJockeys; ++i, ++active) {
    AddJockey(world, random, year, i % 2 == 0 ? Region::kEast : Region::kWest, "2", true, true);
  }
}

std::string ApprenticeAllowance(const Jockey& jockey, int date) {
  if (!jockey.apprentice || YearOf(date) - jockey.first_year >= 5) return "";
  if (jockey.wins < 30) return "3";
  if (jockey.wins < 50) return "2";
  if (jockey.wins < 100) return "1";
  return "";
}

int PickTrainer(const World& world, Random& random, Region region) {
  std::vector<double> weights;
  for (const Trainer& t : world.trainers) {
    const bool usable = t.retired_date == 0 && t.region == region;
    weights.push_back(usable ? std::exp(0.8 * t.skill) : 0.0);
  }
  return random.Pick(weights);
}

}  // namespace world
