// Range evaluation against the race-by-race engine on every race of a
// generated season: every factor of the catalogue, at its defaults and at
// the ends of its parameter ranges, ranks every runner alike (and at its
// defaults ranks some runner in most races), and a theory run through
// YCalcTheory's range gives the same final order, texts, tickets and hits,
// its first pick winning well above chance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheoryOption.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/engine/Evaluator.h"

namespace {

using world::season_test::kSeason;

// Each factor at its defaults, at the low ends of its parameters' ranges
// and at their high ends, once each.
std::vector<_tagTHITEM> ItemsAtDefaultsAndEnds() {
  std::set<std::tuple<int, int, int>> seen;
  std::vector<_tagTHITEM> items;
  auto add = [&](int no, int p1, int p2) {
    if (seen.insert({no, p1, p2}).second) items.push_back(_tagTHITEM{no, 100, {p1, p2, 0}});
  };
  for (int no = 1; no <= ytheory::kFactorCount; ++no) {
    const ytheory::Factor& f = *ytheory::FindFactor(no);
    const std::vector<int>& one = ytheory::ParamValues(f.param[0].kind);
    const std::vector<int>& two = ytheory::ParamValues(f.param[1].kind);
    add(no, f.param[0].fallback, f.param[1].fallback);
    add(no, one.front(), two.front());
    add(no, one.back(), two.back());
  }
  return items;
}

// The race `evaluator` reads from its range's records has the fields and
// runners `alone` read race by race.
void ExpectSameEntries(const ytheory::Race& alone, ytheory::Evaluator& evaluator,
                       const std::string& code) {
  ASSERT_EQ(evaluator.LoadFromRange(code, 0, nullptr), 0) << code;
  const ytheory::Race& race = evaluator.race();
  EXPECT_EQ(race.key, alone.key);
  EXPECT_EQ(std::make_tuple(race.date, race.racecourse, race.surface, race.distance, race.going,
                            race.meeting, race.runnercount),
            std::make_tuple(alone.date, alone.racecourse, alone.surface, alone.distance,
                            alone.going, alone.meeting, alone.runnercount))
      << code;
  for (int i = 0; i < alone.runnercount; ++i) {
    const ytheory::Runner& a = alone.runner[i];
    const ytheory::Runner& b = race.runner[i];
    EXPECT_EQ(std::string(b.horse, 7) + std::string(b.jockey, 5) + std::string(b.trainer, 5),
              std::string(a.horse, 7) + std::string(a.jockey, 5) + std::string(a.trainer, 5))
        << code << " runner " << i + 1;
    EXPECT_EQ(std::make_tuple(b.weight, b.mark, b.training, b.number, b.frame),
              std::make_tuple(a.weight, a.mark, a.training, a.number, a.frame))
        << code << " runner " << i + 1;
  }
}

std::string Describe(const _tagTHITEM& item) {
  return "factor " + std::to_string(item.no) + " at " + std::to_string(item.param[0]) + ", " +
         std::to_string(item.param[1]);
}

TEST(RangeEvaluation, EveryRaceOfASeasonRanksAsRaceByRace) {
  const std::string dir = world::season_test::SharedSeason(kSeason, 3);
  YHorseDB db;
  ASSERT_TRUE(db.init(dir));
  const std::vector<std::string> codes = racetest::SeasonRaceCodes(kSeason);
  ASSERT_GT(codes.size(), 2000u);
  const int first = std::stoi(codes.front().substr(2, 8));
  const int last = std::stoi(codes.back().substr(2, 8));

  const std::vector<_tagTHITEM> items = ItemsAtDefaultsAndEnds();
  ASSERT_GT(items.size(), 150u);
  ytheory::Evaluator alone(&db);
  ytheory::Evaluator ranged(&db);
  auto range = std::make_shared<ytheory::RangeRuns>(first, last);
  range->Cover(items.data(), static_cast<int>(items.size()));
  ranged.UseRange(range);
  // The race records of the range, read a month at a time.
  ytheory::Evaluator fromrange(&db);
  fromrange.UseRange(range, std::make_shared<ytheory::RangeRaces>(first, last));

  using RankRows = std::unique_ptr<unsigned char[][ytheory::kRankRow]>;
  const RankRows expected(new unsigned char[items.size()][ytheory::kRankRow]);
  const RankRows got(new unsigned char[items.size()][ytheory::kRankRow]);
  int differences = 0;
  int ranked = 0;  // runner ranks that are not 0: the comparison compares something
  std::vector<int> races_ranked(items.size(), 0);  // races in which an item ranked a runner
  // Every race, or every n-th with YDBCLN_RANGE_STRIDE=n (the sanitizer
  // pass of CI, where the whole season would take minutes): the range
  // still covers the season, so each race compared sees its own window.
  const char* stride_text = std::getenv("YDBCLN_RANGE_STRIDE");
  const std::size_t stride = std::max(1, stride_text != nullptr ? std::atoi(stride_text) : 1);
  std::size_t compared = 0;
  for (std::size_t at = 0; at < codes.size(); at += stride, ++compared) {
    const std::string& code = codes[at];
    bool cardflag = false;
    ASSERT_EQ(alone.Load(code, cardflag, 0, nullptr), 0) << code;
    ASSERT_EQ(ranged.Load(code, cardflag, 0, nullptr), 0) << code;
    ASSERT_LE(alone.race().runnercount, ytheory::kRankRow) << code;
    ExpectSameEntries(alone.race(), fromrange, code);
    alone.RankItems(items.data(), static_cast<int>(items.size()), expected.get());
    ranged.RankItems(items.data(), static_cast<int>(items.size()), got.get());
    for (std::size_t i = 0; i < items.size(); ++i) {
      bool any = false;
      for (int r = 0; r < alone.race().runnercount; ++r) {
        ranked += expected[i][r] != 0;
        any = any || expected[i][r] != 0;
        if (got[i][r] == expected[i][r]) continue;
        if (++differences <= 10) {
          ADD_FAILURE() << code << " runner " << r + 1 << ", " << Describe(items[i]) << ": "
                        << int{got[i][r]} << " over the range, " << int{expected[i][r]}
                        << " race by race";
        }
      }
      races_ranked[i] += any;
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(ranked, static_cast<int>(compared * items.size()));
  // Every factor at its defaults ranks some runner in most races; a horse's
  // runs at today's meeting (49) are few in a world of one season.
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ytheory::Factor& f = *ytheory::FindFactor(items[i].no);
    if (items[i].param[0] != f.param[0].fallback || items[i].param[1] != f.param[1].fallback) continue;
    const std::size_t least = items[i].no == 49 ? compared / 10 : compared / 2;
    EXPECT_GE(static_cast<std::size_t>(races_ranked[i]), least) << Describe(items[i]);
  }
  ASSERT_EQ(db.geterrstatus(), 0);

  // A theory of every kind of table through the engine's range entry, on
  // every eighth race: the same final order and the same texts.
  YTheory theory(nullptr);
  for (int no : {8, 11, 24, 29, 19, 30, 31, 20}) {
    int p1 = 0, p2 = 0;
    YTheories::getdefault(no, p1, p2);
    theory.additem(no, 10, p1, p2);
  }
  YCalcTheory byrace(&db);
  YCalcTheory overrange(&db);
  overrange.beginrange(&theory, first, last);
  for (std::size_t k = 0; k < codes.size(); k += 8 * stride) {
    ASSERT_EQ(byrace.exec(&theory, codes[k], 0, 0, nullptr, false), 0) << codes[k];
    ASSERT_EQ(overrange.exec(&theory, codes[k], 0, 0, nullptr, false), 0) << codes[k];
    const YTheoryResult& a = *byrace.getresult();
    const YTheoryResult& b = *overrange.getresult();
    ASSERT_EQ(a.runnercount, b.runnercount) << codes[k];
    for (int i = 0; i < a.runnercount; ++i) {
      ASSERT_EQ(a.finalrank[i], b.finalrank[i]) << codes[k] << " runner " << i + 1;
      for (int item = 0; item < theory.record()->count; ++item) {
        for (int c = 0; c < YTheoryResult::kColumns; ++c) {
          ASSERT_EQ(a.text[item][i][c], b.text[item][i][c])
              << codes[k] << " runner " << i + 1 << " item " << item << " column " << c;
        }
      }
    }
  }
  overrange.endrange();

  // Results only, as the season's totals run the theory: over the range the
  // race, its runners and its payouts come from the range's records, and
  // the final order, the tickets and the hits are those of the race alone.
  YTheoryOption box{};
  int* pairs = box.block[YTheoryOption::kPairBlock];
  pairs[YTheoryOption::kMethod] = YTheoryOption::kBox;
  pairs[YTheoryOption::kBoxOrder] = YTheoryOption::kByRank;
  pairs[YTheoryOption::kBoxFirst] = 1;
  pairs[YTheoryOption::kBoxCount] = 4;
  overrange.beginrange(&theory, first, last);
  int hits = 0;
  int judged = 0, picks_won = 0;  // the runner ranked first, and chance
  double chance = 0;
  for (std::size_t k = 0; k < codes.size(); k += 8 * stride) {
    ASSERT_EQ(byrace.exec(&theory, codes[k], 0, 0, nullptr, true), 0) << codes[k];
    ASSERT_EQ(overrange.exec(&theory, codes[k], 0, 0, nullptr, true), 0) << codes[k];
    for (YCalcTheory* engine : {&byrace, &overrange}) {
      engine->setkaime(YTheoryResult::kQuinella, &box);
      engine->getresult()->settekichu(YTheoryResult::kQuinella);
    }
    const YTheoryResult& a = *byrace.getresult();
    const YTheoryResult& b = *overrange.getresult();
    ASSERT_EQ(a.runnercount, b.runnercount) << codes[k];
    for (int i = 0; i < a.runnercount; ++i) {
      ASSERT_EQ(std::make_tuple(a.finalrank[i], a.horseno[i], a.frame[i], a.markcode[i]),
                std::make_tuple(b.finalrank[i], b.horseno[i], b.frame[i], b.markcode[i]))
          << codes[k] << " runner " << i + 1;
    }
    ASSERT_EQ(a.ticketcount, b.ticketcount) << codes[k];
    ASSERT_EQ(a.hitcount, b.hitcount) << codes[k];
    for (int h = 0; h < a.hitcount; ++h) {
      ASSERT_EQ(a.hitamount[h], b.hitamount[h]) << codes[k];
    }
    for (int e = 0; e < 7; ++e) {
      ASSERT_EQ(a.wide[e].key, b.wide[e].key) << codes[k];
      ASSERT_EQ(a.wide[e].amount, b.wide[e].amount) << codes[k];
    }
    hits += a.hitcount;
    int pick = 0;
    while (pick < a.runnercount && a.finalrank[pick] != 1) ++pick;
    for (const YTheoryResult::Payout& p : a.tansho) picks_won += p.key != 0 && p.key == a.horseno[pick];
    chance += 1.0 / a.runnercount;
    ++judged;
  }
  overrange.endrange();
  EXPECT_GT(hits, 0);
  // The theory picks winners: its first wins at least 1.5 times as often
  // as a runner picked at random.
  EXPECT_GE(picks_won, 1.5 * chance) << picks_won << " winners in " << judged << " races";
  EXPECT_EQ(db.geterrstatus(), 0);
}

}  // namespace
