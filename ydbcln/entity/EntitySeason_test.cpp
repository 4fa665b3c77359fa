// The entities of a generated season cross-checked against its results:
// walking every race through YSeiseki, the test counts each run by its own
// rule into racecourse rows per horse, jockey, trainer and sire; every
// object's searchrace and total() give the same rows, and every horse's
// record counts are the sum of its rows.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "testing/FixedToday.h"
#include "testing/Sjis.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/entity/YHorse.h"
#include "ydbcln/entity/YJockey.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/race/YSeiseki.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

using Rows = std::array<std::array<int, 4>, 11>;  // racecourse rows of four counts

// The racecourse row of a race code, north to south: 08 札幌 first.
int CourseRow(const std::string& racecode) {
  static const std::map<std::string, int> kRows = {
      {"08", 0}, {"09", 1}, {"06", 2}, {"07", 3}, {"04", 4},
      {"05", 5}, {"02", 6}, {"00", 7}, {"01", 8}, {"03", 9}};
  const auto it = kRows.find(racecode.substr(0, 2));
  return it == kRows.end() ? 10 : it->second;
}

using ytest::Sjis;

Rows RowsOf(const YRaceTotal& t) {
  Rows rows{};
  for (int r = 0; r < 11; ++r) {
    for (int k = 0; k < 4; ++k) rows[r][k] = t.place[r][k];
  }
  return rows;
}

class EntitySeasonTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = world::season_test::SharedSeason(world::season_test::kSeason, 1);
  }
  void SetUp() override { ASSERT_TRUE(db_.init(dir_)); }

  inline static std::string dir_;
  YHorseDB db_;
};

TEST_F(EntitySeasonTest, EveryEntitysRunsAndTotalsAgreeWithTheResults) {
  const int year = world::season_test::kSeason;
  const ytest::FixedToday today(year * 10000 + 1231);
  const std::string not_started[2] = {Sjis("消"), Sjis("外")};
  std::map<std::string, Rows> horses, jockeys, trainers;
  int runs = 0;
  for (const std::string& code : racetest::SeasonRaceCodes(year)) {
    YSeiseki result(&db_, code);
    for (int i = 0; i < result.gethorsecount(); ++i) {
      const YRaceHorse& r = *result.horse(i);
      if (r.ordertext == not_started[0] || r.ordertext == not_started[1]) continue;
      const int k = r.order >= 1 && r.order <= 3 ? r.order - 1 : 3;
      const int row = CourseRow(code);
      ++horses[r.horsecode][row][k];
      ++jockeys[r.jockeycode][row][k];
      ++trainers[r.trainercode][row][k];
      ++runs;
    }
  }
  ASSERT_GT(runs, 30000);

  std::map<std::string, Rows> sires;
  for (const auto& [code, rows] : horses) {
    std::string key = code;
    YHorse horse(&db_, key);
    ASSERT_TRUE(horse.notfound()) << code;
    ASSERT_GT(horse.searchrace(), 0) << code;
    ASSERT_EQ(RowsOf(*horse.total()), rows) << code;
    int starts = 0;
    for (const auto& row : rows) starts += row[0] + row[1] + row[2] + row[3];
    // The record's six groups, summed, are the rows' counts.
    char career[32];
    std::array<int, 4> counts{};
    for (const auto& row : rows) {
      for (int k = 0; k < 4; ++k) counts[k] += row[k];
    }
    std::snprintf(career, sizeof career, "%2d-%2d-%2d-%2d/%3d", counts[0], counts[1], counts[2],
                  counts[3], starts);
    ASSERT_EQ(horse.chakudosu, career) << code;
    if (!horse.fathercode.empty() && horse.fathercode[0] != ' ') {
      for (int r = 0; r < 11; ++r) {
        for (int k = 0; k < 4; ++k) sires[horse.fathercode][r][k] += rows[r][k];
      }
    }
  }
  for (auto& [code, rows] : jockeys) {
    if (code.empty() || code[0] == ' ') continue;
    std::string key = code;
    YJockey jockey(&db_, key);
    ASSERT_GT(jockey.searchrace(2, year), 0) << code;
    ASSERT_EQ(RowsOf(*jockey.total()), rows) << code;
  }
  for (auto& [code, rows] : trainers) {
    std::string key = code;
    YStable stable(&db_, key);
    ASSERT_GT(stable.searchrace(2, year), 0) << code;
    ASSERT_EQ(RowsOf(*stable.total()), rows) << code;
  }
  int sires_checked = 0;
  for (auto& [code, rows] : sires) {
    std::string key = code;
    YSire sire(&db_, key);
    if (sire.code.empty()) continue;  // a sire the store keeps no sire record of
    ASSERT_GT(sire.searchrace(2, year), 0) << code;
    ASSERT_EQ(RowsOf(*sire.total()), rows) << code;
    ++sires_checked;
  }
  EXPECT_GT(sires_checked, 50);
  EXPECT_EQ(db_.geterrstatus(), 0);
}

}  // namespace
