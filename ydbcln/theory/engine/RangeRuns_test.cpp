// Range evaluation against the race-by-race engine on every race of a
// generated season: every factor of the catalogue, at its defaults and at
// the ends of its parameter ranges, ranks every runner alike, and a theory
// run through YCalcTheory's range gives the same final order and texts.
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

  using RankRows = std::unique_ptr<unsigned char[][ytheory::kRankRow]>;
  const RankRows expected(new unsigned char[items.size()][ytheory::kRankRow]);
  const RankRows got(new unsigned char[items.size()][ytheory::kRankRow]);
  int differences = 0;
  int ranked = 0;  // runner ranks that are not 0: the comparison compares something
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
    alone.RankItems(items.data(), static_cast<int>(items.size()), expected.get());
    ranged.RankItems(items.data(), static_cast<int>(items.size()), got.get());
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (int r = 0; r < alone.race().runnercount; ++r) {
        ranked += expected[i][r] != 0;
        if (got[i][r] == expected[i][r]) continue;
        if (++differences <= 10) {
          ADD_FAILURE() << code << " runner " << r + 1 << ", " << Describe(items[i]) << ": "
                        << int{got[i][r]} << " over the range, " << int{expected[i][r]}
                        << " race by race";
        }
      }
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(ranked, static_cast<int>(compared * items.size()));
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
}

}  // namespace
