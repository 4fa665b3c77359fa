// The theory engine on one generated season: every factor at its defaults
// ranks runners in most of a sample of the second half's races, and a
// theory of position, distance aptitude and jockey wins picks the winner of
// the second half's races well above chance.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/TempDir.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YTheories.h"

namespace {

using world::season_test::kSeason;

class EngineSeason : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ytest::TempDir();
    world::season_test::Generated(dir_->str() + "/ydbcln.db", kSeason, kSeason, 1);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(db_.init(dir_->str()));
    // The second half of the season, when horses, jockeys, trainers and
    // sires have runs behind them.
    for (const std::string& code : racetest::SeasonRaceCodes(kSeason)) {
      if (code.compare(2, 8, std::to_string(kSeason) + "0701") >= 0) races_.push_back(code);
    }
    ASSERT_GT(races_.size(), 600u);
  }

  inline static ytest::TempDir* dir_ = nullptr;
  YHorseDB db_;
  std::vector<std::string> races_;
};

TEST_F(EngineSeason, EveryFactorRanksRunnersInMostRaces) {
  std::vector<_tagTHITEM> items;
  for (int no = 1; no <= YTheories::theorynomax; ++no) {
    _tagTHITEM item{no, 100, {0, 0, 0}};
    YTheories::getdefault(no, item.param[0], item.param[1]);
    items.push_back(item);
  }
  constexpr int kSample = 60;
  const std::size_t step = races_.size() / kSample;
  YCalcTheory engine(&db_);
  std::vector<int> ranked(items.size(), 0);
  for (int k = 0; k < kSample; ++k) {
    std::string code = races_[static_cast<std::size_t>(k) * step];
    unsigned char ranks[YTheories::theorynomax][YCalcTheory::kRankRow];
    ASSERT_EQ(engine.allrank(items.data(), static_cast<int>(items.size()), code, ranks), 0) << code;
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (int r = 0; r < YCalcTheory::kRankRow && ranks[i][r] != 0xFF; ++r) {
        if (ranks[i][r] != 0) {
          ++ranked[i];
          break;
        }
      }
    }
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    // A horse's runs at today's meeting: in a world of one season that is
    // a run earlier in the same four weeks at the same course, which few
    // fields hold (horses rest three to six weeks between runs).
    const int least = items[i].no == 49 ? kSample / 10 : kSample / 2;
    EXPECT_GE(ranked[i], least) << "factor " << items[i].no;
  }
}

TEST_F(EngineSeason, PositionDistanceAndJockeyPickWinnersAboveChance) {
  YTheory theory(nullptr);
  for (int no : {8, 11, 22}) {
    int p1 = 0, p2 = 0;
    YTheories::getdefault(no, p1, p2);
    theory.additem(no, 10, p1, p2);
  }
  YCalcTheory engine(&db_);
  int races = 0, wins = 0;
  double chance = 0;
  // Every third race keeps the run short; the sample is spread over the
  // whole half season.
  for (std::size_t k = 0; k < races_.size(); k += 3) {
    const std::string& code = races_[k];
    ASSERT_EQ(engine.exec(&theory, code, 0, 0, nullptr, true), 0) << code;
    const YTheoryResult& r = *engine.getresult();
    ASSERT_GT(r.runnercount, 0) << code;
    ++races;
    chance += 1.0 / r.runnercount;
    // The pick is the runner ranked first (slot i is horse number i + 1);
    // it won when a 単勝 payout is on it.
    int pick = 0;
    while (pick < r.runnercount && r.finalrank[pick] != 1) ++pick;
    for (const YTheoryResult::Payout& p : r.tansho) {
      if (p.key != 0 && p.key == pick + 1) {
        ++wins;
        break;
      }
    }
  }
  chance /= races;
  const double rate = static_cast<double>(wins) / races;
  EXPECT_GE(rate, 1.5 * chance) << wins << " winners in " << races << " races";
}

}  // namespace
