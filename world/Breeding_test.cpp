// Names, bloodlines and crops.
#include "world/Breeding.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "world/Names.h"
#include "world/People.h"

namespace world {
namespace {

TEST(NamesTest, HorseNamesAreUniqueAndFitTheRacingAuthoritysRules) {
  World w;
  Random random(1, "names-test");
  const std::string crowns[] = {"", "ミラクル", "シークレット", "ゴールド"};
  std::set<std::string> seen;
  for (int i = 0; i < 30000; ++i) {
    const HorseName name = NewHorseName(w, random, crowns[i % 4]);
    EXPECT_TRUE(seen.insert(name.kana).second) << name.kana;
    EXPECT_GE(CharCount(name.kana), 2u);
    EXPECT_LE(CharCount(name.kana), 9u) << name.kana;
    EXPECT_LE(SjisWidth(name.kana), 18u);
    EXPECT_FALSE(name.latin.empty());
    EXPECT_LE(name.latin.size(), 34u) << name.latin;
  }
  // Crowned owners' horses mostly carry the crown.
  World fresh;
  int crowned = 0;
  for (int i = 0; i < 100; ++i) crowned += NewHorseName(fresh, random, "ミラクル").kana.rfind("ミラクル", 0) == 0;
  EXPECT_GT(crowned, 50);
}

TEST(NamesTest, PeopleAndOwnersFitTheirFields) {
  World w;
  Random random(2, "people-test");
  std::set<std::string> seen;
  for (int i = 0; i < 2000; ++i) {
    const PersonName p = NewPersonName(w, random, i % 10 == 0);
    EXPECT_TRUE(seen.insert(p.kanji).second);
    EXPECT_LE(SjisWidth(p.kanji), 32u);
    EXPECT_LE(SjisWidth(ShortPersonName(p)), 8u) << ShortPersonName(p);
    EXPECT_EQ(p.kanji, p.family + p.given);
  }
  for (int i = 0; i < 500; ++i) {
    const OwnerName o = NewOwnerName(w, random);
    EXPECT_LE(SjisWidth(o.name), 40u) << o.name;
    EXPECT_LE(SjisWidth(o.short_name), 20u) << o.short_name;
    EXPECT_LE(SjisWidth(NewBreederName(w, random)), 40u);
  }
}

class CropTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    world_ = new World();
    world_->seed = 3;
    FoundPeople(*world_, 2016);
    FoundBloodlines(*world_, 2016);
    first_foal_ = static_cast<int>(world_->horses.size());
    BreedCrop(*world_, 2014);
  }
  static void TearDownTestSuite() {
    delete world_;
    world_ = nullptr;
  }
  inline static World* world_ = nullptr;
  inline static int first_foal_ = 0;
};

TEST_F(CropTest, ACropOfFoalsWithCompletePedigrees) {
  const World& w = *world_;
  const int crop = static_cast<int>(w.horses.size()) - first_foal_;
  EXPECT_NEAR(crop, kCropSize, kCropSize * 0.05);
  std::set<int> dams;
  for (std::size_t i = static_cast<std::size_t>(first_foal_); i < w.horses.size(); ++i) {
    const Horse& h = w.horses[i];
    EXPECT_EQ(h.code.size(), 7u);
    EXPECT_EQ(h.code.substr(0, 2), "14");
    EXPECT_EQ(h.birth_date / 10000, 2014);
    const Stallion& sire = w.stallions[static_cast<std::size_t>(h.stallion)];
    EXPECT_LE(sire.first_crop, 2014);
    EXPECT_GE(sire.last_crop, 2014);
    EXPECT_TRUE(dams.insert(h.mare).second) << "a mare foals once a year";
    const std::array<int, 14> p = PedigreeOf(w, h.ancestor);
    EXPECT_EQ(p[0], sire.ancestor);
    EXPECT_EQ(p[1], w.mares[static_cast<std::size_t>(h.mare)].ancestor);
    for (int id : p) {
      ASSERT_GE(id, 0);
      EXPECT_FALSE(w.ancestors[static_cast<std::size_t>(id)].name.empty());
    }
    EXPECT_FALSE(w.ancestors[static_cast<std::size_t>(p[0])].code.empty());
    EXPECT_FALSE(w.ancestors[static_cast<std::size_t>(p[1])].code.empty());
  }
}

TEST_F(CropTest, LeadingSiresCoverManyMaresAndPassOnTheirAptitudes) {
  const World& w = *world_;
  std::map<int, int> foals;
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  int n = 0;
  for (std::size_t i = static_cast<std::size_t>(first_foal_); i < w.horses.size(); ++i) {
    const Horse& h = w.horses[i];
    ++foals[h.stallion];
    const double x = w.stallions[static_cast<std::size_t>(h.stallion)].genes.distance;
    const double y = h.genes.distance;
    sx += x;
    sy += y;
    sxx += x * x;
    syy += y * y;
    sxy += x * y;
    ++n;
  }
  std::vector<int> books;
  for (const auto& [sire, count] : foals) books.push_back(count);
  std::sort(books.begin(), books.end());
  EXPECT_GT(books.back(), 5 * books[books.size() / 2]);
  EXPECT_LT(books.back(), kCropSize / 10);
  const double correlation = (n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
  EXPECT_GT(correlation, 0.3);
}

TEST_F(CropTest, TheSameSeedBreedsTheSameCrop) {
  World other;
  other.seed = 3;
  FoundPeople(other, 2016);
  FoundBloodlines(other, 2016);
  BreedCrop(other, 2014);
  ASSERT_EQ(other.horses.size(), world_->horses.size());
  for (std::size_t i = 0; i < other.horses.size(); i += 97) {
    EXPECT_EQ(other.horses[i].code, world_->horses[i].code);
    EXPECT_EQ(other.horses[i].stallion, world_->horses[i].stallion);
    EXPECT_EQ(other.ancestors[static_cast<std::size_t>(other.horses[i].ancestor)].name,
              world_->ancestors[static_cast<std::size_t>(world_->horses[i].ancestor)].name);
  }
}

TEST_F(CropTest, RetiringRacehorsesGoToTheStudAndThePaddocks) {
  World& w = *world_;
  // A champion colt stands at stud under his own code; a plain one does not.
  const std::size_t stallions = w.stallions.size();
  Horse& champion = w.horses[static_cast<std::size_t>(first_foal_)];
  champion.sex = "0";
  champion.runs = 12;
  champion.g1_wins = 2;
  RetireToBreeding(w, first_foal_, 2019);
  ASSERT_EQ(w.stallions.size(), stallions + 1);
  EXPECT_EQ(w.stallions.back().code, champion.code);
  EXPECT_EQ(w.stallions.back().first_crop, 2021);
  Horse& plain = w.horses[static_cast<std::size_t>(first_foal_) + 1];
  plain.sex = "0";
  plain.runs = 10;
  RetireToBreeding(w, first_foal_ + 1, 2019);
  EXPECT_EQ(w.stallions.size(), stallions + 1);
  // Most fillies become broodmares.
  int mares = 0;
  const std::size_t before = w.mares.size();
  for (int i = 2; i < 202; ++i) {
    Horse& filly = w.horses[static_cast<std::size_t>(first_foal_ + i)];
    filly.sex = "1";
    filly.runs = 8;
    RetireToBreeding(w, first_foal_ + i, 2019);
  }
  mares = static_cast<int>(w.mares.size() - before);
  EXPECT_GT(mares, 100);
  EXPECT_LT(mares, 200);
  EXPECT_EQ(w.mares.back().first_foal, 2021);
}

}  // namespace
}  // namespace world
