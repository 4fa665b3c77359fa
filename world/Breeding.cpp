// Bloodlines, stallions, broodmares and foals.
#include "world/Breeding.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "world/Dates.h"
#include "world/Names.h"

namespace world {
namespace {

// Coat colours by how common they are: 栗毛 栃栗毛 鹿毛 黒鹿毛 青鹿毛 青毛 芦毛 白毛.
const char* const kCoats[] = {"01", "02", "03", "04", "05", "06", "07", "11"};
const double kCoatWeights[] = {20, 4, 40, 20, 7, 1.5, 7, 0.1};

// Countries imported horses come from.
const char* const kCountries[] = {"201", "202", "203", "204", "208", "207"};
const double kCountryWeights[] = {45, 20, 20, 10, 3, 2};

std::string RandomCoat(Random& random) { return kCoats[random.Pick(kCoatWeights)]; }

// A foal's coat: mostly one of its parents', greys passing on their grey.
std::string InheritCoat(Random& random, const std::string& sire, const std::string& dam) {
  if ((sire == "07" || dam == "07") && random.Chance(0.5)) return "07";
  const double u = random.Uniform();
  if (u < 0.45) return sire == "07" ? "03" : sire;
  if (u < 0.8) return dam == "07" ? "04" : dam;
  std::string coat = RandomCoat(random);
  return coat == "07" || coat == "11" ? "03" : coat;
}

// Birthplaces before the 2006 mergers of the Hidaka towns carry the old names.
std::string BirthplaceIn(const std::string& code, int birth_year, Random& random) {
  if (birth_year >= 2006) return code;
  if (code == "017") return random.Chance(0.7) ? "003" : "006";  // 静内, 三石
  if (code == "018") return random.Chance(0.7) ? "011" : "012";  // 早来, 追分
  if (code == "019") return "010";                               // 鵡川
  return code;
}

int AddAncestor(World& world, Ancestor a) {
  world.ancestors.push_back(std::move(a));
  return static_cast<int>(world.ancestors.size()) - 1;
}

// A sire for a horse foaled in `year`: one of the historic sires or the
// stallions of the world, of an age to have covered its dam.
int PickSireAncestor(World& world, Random& random, int year) {
  std::vector<int> pool;
  std::vector<double> weights;
  for (std::size_t i = 0; i < world.historic_sires.size(); ++i) {
    const int id = world.historic_sires[i];
    const int age = year - world.ancestors[static_cast<std::size_t>(id)].birth_year;
    if (age < 5 || age > 26) continue;
    pool.push_back(id);
    weights.push_back(1.0 / (1.0 + static_cast<double>(i % 17)));
  }
  for (const Stallion& s : world.stallions) {
    if (year < s.first_crop || year > s.last_crop) continue;
    pool.push_back(s.ancestor);
    weights.push_back(0.3 * s.appeal);
  }
  if (pool.empty()) {
    // Before the earliest sires: the oldest historic sire will do.
    return world.historic_sires.front();
  }
  return pool[static_cast<std::size_t>(random.Pick(weights))];
}

// A mare line of `generations` dams above a horse foaled in `year`: each
// dam by a sire of her time, out of the next dam.
int MareLine(World& world, Random& random, int generations, int year, bool imported) {
  // Most dams further back come from the families already known: half-sisters
  // and cousins share their lines.
  if (generations < 3 && random.Chance(0.7)) {
    const auto family = world.families.find(year + random.Between(-2, 2));
    if (family != world.families.end() && !family->second.empty()) {
      const std::vector<int>& mares = family->second;
      return mares[static_cast<std::size_t>(random.Below(static_cast<int>(mares.size())))];
    }
  }
  const HorseName name = imported ? NewImportedName(world, random) : NewHorseName(world, random);
  Ancestor a;
  a.name = name.kana;
  a.latin = name.latin;
  a.imported = imported;
  a.coat = RandomCoat(random);
  a.birth_year = year;
  if (generations > 0) {
    a.sire = PickSireAncestor(world, random, year);
    a.dam = MareLine(world, random, generations - 1, year - random.Between(6, 14),
                     imported || random.Chance(0.15));
  }
  return AddAncestor(world, std::move(a));
}

// A horse of a sire line with all three generations above it, fresh names
// throughout: the roots of the oldest lines.
int FreshLine(World& world, Random& random, int generations, int year) {
  const HorseName name = NewImportedName(world, random);
  Ancestor a;
  a.name = name.kana;
  a.latin = name.latin;
  a.imported = true;
  a.coat = RandomCoat(random);
  a.birth_year = year;
  if (generations > 0) {
    a.sire = FreshLine(world, random, generations - 1, year - random.Between(8, 14));
    a.dam = FreshLine(world, random, generations - 1, year - random.Between(6, 12));
  }
  return AddAncestor(world, std::move(a));
}

Genes StallionGenes(Random& random, double merit_mean) {
  Genes g;
  g.merit = random.Normal(merit_mean, 2.5);
  g.distance = std::log(1800.0) + random.Normal(0.0, 0.2);
  g.dirt = random.Normal(0.0, 0.9);
  g.heavy = random.Normal(0.0, 0.7);
  g.jumping = random.Normal(0.0, 0.6);
  g.early = random.Normal(0.0, 0.8);
  return g;
}

Genes MareGenes(Random& random) {
  Genes g;
  g.merit = random.Normal(-1.5, 3.0);
  g.distance = std::log(1700.0) + random.Normal(0.0, 0.2);
  g.dirt = random.Normal(0.0, 0.9);
  g.heavy = random.Normal(0.0, 0.7);
  g.jumping = random.Normal(0.0, 0.6);
  g.early = random.Normal(0.0, 0.8);
  return g;
}

// A stallion's appeal to breeders: his quality as they judge it. Books are
// limited, so even the best sire covers a few per cent of the mares.
double Appeal(Random& random, double merit) {
  return std::exp(0.42 * std::min(merit, 7.0) + random.Normal(0.0, 0.35));
}

std::string StallionCode(World& world) { return "9" + ZeroPadded(world.next_stallion_serial++, 6); }

std::string MareCode(World& world) { return "8" + ZeroPadded(world.next_mare_serial++, 6); }

// A stallion bought in from abroad or from another stud, foaled in `year`.
void AddImportedStallion(World& world, Random& random, int year, double merit_mean) {
  const HorseName name = random.Chance(0.6) ? NewImportedName(world, random)
                                            : NewHorseName(world, random);
  Ancestor a;
  a.name = name.kana;
  a.latin = name.latin;
  a.imported = random.Chance(0.6);
  a.coat = RandomCoat(random);
  a.birth_year = year;
  a.sire = PickSireAncestor(world, random, year);
  a.dam = MareLine(world, random, 2, year - random.Between(6, 12), a.imported);
  Stallion s;
  s.ancestor = AddAncestor(world, std::move(a));
  s.code = StallionCode(world);
  world.ancestors[static_cast<std::size_t>(s.ancestor)].code = s.code;
  s.genes = StallionGenes(random, merit_mean);
  s.first_crop = year + random.Between(5, 7);
  s.last_crop = s.first_crop + std::max(3, static_cast<int>(random.Normal(9.0 + s.genes.merit, 3.0)));
  s.appeal = Appeal(random, s.genes.merit);
  world.stallions.push_back(std::move(s));
}

void AddFoundationMare(World& world, Random& random, int year) {
  Mare m;
  m.ancestor = MareLine(world, random, 3, year, random.Chance(0.12));
  m.code = MareCode(world);
  world.ancestors[static_cast<std::size_t>(m.ancestor)].code = m.code;
  m.genes = MareGenes(random);
  m.first_foal = year + random.Between(4, 6);
  m.last_foal = m.first_foal + random.Between(5, 14);
  world.families[year].push_back(m.ancestor);
  world.mares.push_back(std::move(m));
}

int ActiveMares(const World& world, int year) {
  int n = 0;
  for (const Mare& m : world.mares) n += (m.first_foal <= year && year <= m.last_foal) ? 1 : 0;
  return n;
}

// Weighted choice by a cumulative table, for the thousands of matings of a crop.
int PickCumulative(Random& random, const std::vector<double>& cumulative) {
  const double x = random.Uniform() * cumulative.back();
  return static_cast<int>(std::upper_bound(cumulative.begin(), cumulative.end(), x) -
                          cumulative.begin());
}

double Heritable(Random& random, double sire, double dam, double spread) {
  return 0.5 * (sire + dam) + random.Normal(0.0, spread);
}

int PickPerson(Random& random, const std::vector<double>& cumulative) {
  return std::min(PickCumulative(random, cumulative), static_cast<int>(cumulative.size()) - 1);
}

}  // namespace

std::string NextHorseCode(World& world, int birth_year) {
  return ZeroPadded(birth_year % 100, 2) + ZeroPadded(++world.next_horse_serial[birth_year], 5);
}

std::array<int, 14> PedigreeOf(const World& world, int ancestor) {
  std::array<int, 14> p{};
  const auto& a = world.ancestors;
  auto sire = [&](int id) { return a[static_cast<std::size_t>(id)].sire; };
  auto dam = [&](int id) { return a[static_cast<std::size_t>(id)].dam; };
  p[0] = sire(ancestor);
  p[1] = dam(ancestor);
  for (int i = 0; i < 2; ++i) {
    p[static_cast<std::size_t>(2 + 2 * i)] = sire(p[static_cast<std::size_t>(i)]);
    p[static_cast<std::size_t>(3 + 2 * i)] = dam(p[static_cast<std::size_t>(i)]);
  }
  for (int i = 0; i < 4; ++i) {
    p[static_cast<std::size_t>(6 + 2 * i)] = sire(p[static_cast<std::size_t>(2 + i)]);
    p[static_cast<std::size_t>(7 + 2 * i)] = dam(p[static_cast<std::size_t>(2 + i)]);
  }
  return p;
}

void FoundBloodlines(World& world, int first_year) {
  Random random(world.seed, "bloodlines", {static_cast<std::uint64_t>(first_year)});
  // Root sires, then the sires descending from them, generation by
  // generation, so that pedigrees share their great names.
  std::vector<int> roots;
  for (int i = 0; i < 14; ++i) roots.push_back(FreshLine(world, random, 3, first_year - 75 + i));
  world.historic_sires = roots;
  for (int era = 0; era < 4; ++era) {
    const int count = 18 + 8 * era;
    for (int i = 0; i < count; ++i) {
      const int year = first_year - 62 + era * 12 + random.Below(12);
      const HorseName name = NewImportedName(world, random);
      Ancestor a;
      a.name = name.kana;
      a.latin = name.latin;
      a.imported = era < 3 || random.Chance(0.5);
      a.coat = RandomCoat(random);
      a.birth_year = year;
      a.sire = PickSireAncestor(world, random, year);
      a.dam = MareLine(world, random, 2, year - random.Between(6, 12), a.imported);
      world.historic_sires.push_back(AddAncestor(world, std::move(a)));
    }
  }
  // The stallions of the first crops, and broodmares enough for them.
  for (int i = 0; i < 300; ++i) {
    AddImportedStallion(world, random, first_year - 30 + random.Below(26), 2.0);
  }
  for (int year = first_year - 10; year <= first_year; ++year) {
    while (ActiveMares(world, year) < kCropSize * 3 / 2) {
      AddFoundationMare(world, random, year - random.Between(5, 15));
    }
  }
}

void RenewBloodstock(World& world, int year) {
  Random random(world.seed, "bloodstock", {static_cast<std::uint64_t>(year)});
  // New stallions every year keep about two hundred and fifty standing.
  for (int i = 0; i < 16; ++i) AddImportedStallion(world, random, year - 5 + random.Below(3), 1.5);
  while (ActiveMares(world, year + 1) < kCropSize * 3 / 2) {
    AddFoundationMare(world, random, year + 1 - random.Between(5, 12));
  }
}

void BreedCrop(World& world, int birth_year) {
  Random random(world.seed, "crop", {static_cast<std::uint64_t>(birth_year)});
  // Mares: the better ones are bred more surely (weighted sampling without
  // replacement by the keys u^(1/w)).
  std::vector<std::pair<double, int>> keyed;
  for (std::size_t i = 0; i < world.mares.size(); ++i) {
    const Mare& m = world.mares[i];
    if (m.first_foal > birth_year || birth_year > m.last_foal) continue;
    const double w = std::exp(0.12 * m.genes.merit);
    keyed.push_back({std::log(std::max(random.Uniform(), 1e-300)) / w, static_cast<int>(i)});
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  const int crop = std::min(static_cast<int>(keyed.size()),
                            static_cast<int>(kCropSize * (1.0 + random.Normal(0.0, 0.015))));

  // Stallions standing the year before, by their appeal: the leading sires
  // cover a hundred mares and more.
  std::vector<int> sires;
  std::vector<double> sire_cumulative;
  double total = 0.0;
  for (std::size_t i = 0; i < world.stallions.size(); ++i) {
    const Stallion& s = world.stallions[i];
    if (birth_year < s.first_crop || birth_year > s.last_crop) continue;
    const int crops = birth_year - s.first_crop;
    total += s.appeal * (crops < 2 ? 1.6 : 1.0);
    sires.push_back(static_cast<int>(i));
    sire_cumulative.push_back(total);
  }

  std::vector<double> owners_cumulative;
  total = 0.0;
  for (const Owner& o : world.owners) owners_cumulative.push_back(total += o.size);
  std::vector<double> breeders_cumulative;
  total = 0.0;
  for (const Breeder& b : world.breeders) breeders_cumulative.push_back(total += b.size);

  for (int k = 0; k < crop; ++k) {
    const int mare_index = keyed[static_cast<std::size_t>(k)].second;
    const Mare& mare = world.mares[static_cast<std::size_t>(mare_index)];
    // Good mares go to good sires: the better of two draws for a good mare.
    int sire_pick = PickCumulative(random, sire_cumulative);
    if (mare.genes.merit > 1.0) {
      const int other = PickCumulative(random, sire_cumulative);
      const auto& a = world.stallions[static_cast<std::size_t>(sires[static_cast<std::size_t>(sire_pick)])];
      const auto& b = world.stallions[static_cast<std::size_t>(sires[static_cast<std::size_t>(other)])];
      if (b.appeal > a.appeal) sire_pick = other;
    }
    const int stallion_index = sires[static_cast<std::size_t>(sire_pick)];
    const Stallion& sire = world.stallions[static_cast<std::size_t>(stallion_index)];

    Horse h;
    h.stallion = stallion_index;
    h.mare = mare_index;
    h.code = NextHorseCode(world, birth_year);
    h.sex = random.Chance(0.5) ? "0" : "1";
    h.birth_date = AddDays(MakeDate(birth_year, 1, 31), static_cast<int>(std::clamp(
                                                            random.Normal(68.0, 24.0), 1.0, 120.0)));
    const Ancestor& sa = world.ancestors[static_cast<std::size_t>(sire.ancestor)];
    const Ancestor& da = world.ancestors[static_cast<std::size_t>(mare.ancestor)];
    h.coat = InheritCoat(random, sa.coat, da.coat);

    // What it inherits: half of each parent and its own luck.
    h.genes.merit = Heritable(random, sire.genes.merit, mare.genes.merit, 2.8);
    h.genes.distance = Heritable(random, sire.genes.distance, mare.genes.distance, 0.12);
    h.genes.dirt = Heritable(random, sire.genes.dirt, mare.genes.dirt, 0.6);
    h.genes.heavy = Heritable(random, sire.genes.heavy, mare.genes.heavy, 0.55);
    h.genes.jumping = Heritable(random, sire.genes.jumping, mare.genes.jumping, 0.7);
    h.genes.early = Heritable(random, sire.genes.early, mare.genes.early, 0.7);
    h.maturity = random.Normal(0.0, 4.0);
    h.soundness = random.Normal(0.0, 1.0);
    h.base_weight = static_cast<int>(std::lround(random.Normal(h.sex == "0" ? 482.0 : 462.0, 22.0)));

    // Connections: wealthy owners buy the well-bred foals.
    h.owner = PickPerson(random, owners_cumulative);
    if (sire.appeal > 3.0) {
      const int other = PickPerson(random, owners_cumulative);
      if (world.owners[static_cast<std::size_t>(other)].means >
          world.owners[static_cast<std::size_t>(h.owner)].means) {
        h.owner = other;
      }
    }
    const bool foreign = random.Chance(0.03);
    if (foreign) {
      h.birthplace = kCountries[random.Pick(kCountryWeights)];
      h.mark = "01";
    } else {
      h.breeder = PickPerson(random, breeders_cumulative);
      h.birthplace = BirthplaceIn(world.breeders[static_cast<std::size_t>(h.breeder)].birthplace,
                                  birth_year, random);
      h.mark = random.Chance(0.12) ? "06" : "00";
    }

    // What it becomes: its inheritance, how it was raised, and luck.
    const double raised = h.breeder >= 0 ? 0.8 * world.breeders[static_cast<std::size_t>(h.breeder)].quality : 0.5;
    h.ability = h.genes.merit + raised + random.Normal(0.0, 4.5);

    const Owner& owner = world.owners[static_cast<std::size_t>(h.owner)];
    const HorseName name = NewHorseName(world, random, owner.crown);
    Ancestor self;
    self.name = name.kana;
    self.latin = name.latin;
    self.imported = foreign;
    self.coat = h.coat;
    self.birth_year = birth_year;
    self.code = h.code;
    self.sire = sire.ancestor;
    self.dam = mare.ancestor;
    h.ancestor = AddAncestor(world, std::move(self));
    world.horses.push_back(std::move(h));
  }
  // Abilities are measured against the crop: selection improves the breed,
  // but a crop's average stays where the par times put it.
  const std::size_t first = world.horses.size() - static_cast<std::size_t>(crop);
  double mean = 0.0;
  for (std::size_t i = first; i < world.horses.size(); ++i) mean += world.horses[i].genes.merit;
  mean /= std::max(1, crop);
  for (std::size_t i = first; i < world.horses.size(); ++i) {
    world.horses[i].genes.merit -= mean;
    world.horses[i].ability -= mean;
  }
}

void RetireToBreeding(World& world, int horse, int year) {
  Horse& h = world.horses[static_cast<std::size_t>(horse)];
  Random random(world.seed, "stud", {static_cast<std::uint64_t>(horse), static_cast<std::uint64_t>(year)});
  if (h.sex == "1") {
    if (!random.Chance(0.55 + 0.05 * h.wins)) return;
    Mare m;
    m.ancestor = h.ancestor;
    m.code = h.code;
    m.genes = h.genes;
    m.horse = horse;
    m.stallion_sire = h.stallion;
    m.first_foal = year + 2;
    m.last_foal = m.first_foal + random.Between(5, 13);
    world.families[YearOf(h.birth_date)].push_back(m.ancestor);
    world.mares.push_back(std::move(m));
    return;
  }
  if (h.sex != "0" || (h.g1_wins == 0 && h.graded_wins < 3)) return;
  Stallion s;
  s.ancestor = h.ancestor;
  s.code = h.code;
  s.horse = horse;
  s.genes = h.genes;  // he passes on what he inherited, not what he achieved
  s.first_crop = year + 2;
  s.last_crop = s.first_crop + std::max(4, static_cast<int>(random.Normal(10.0 + 0.5 * h.g1_wins, 3.0)));
  // Breeders judge him by his record: a champion becomes a leading sire.
  s.appeal = Appeal(random, std::min(7.0, 2.5 + 1.2 * h.g1_wins + 0.4 * h.graded_wins));
  world.stallions.push_back(std::move(s));
}

}  // namespace world
