// A generated season read through the library: on every race with one
// winner and no refund the final odds agree with the payouts and the
// favourite heads the win popularity, equal odds ranked by horse number; a dead heat for first pays two
// winners, from the payout record and from the race record alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "db/api/ydbtest.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

using yrace::OwnedBuffer;
using yrace::record_count;

class GeneratedRaces : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = world::season_test::SharedSeason(world::season_test::kSeason, 1);
  }
  void SetUp() override { ASSERT_TRUE(db_.init(dir_)); }
  void TearDown() override { ydb_test_fail(nullptr); }

  // The runners of a result as a results object builds them.
  std::vector<YRaceHorse> Runners(const std::string& code) {
    OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
    OwnedBuffer runners(get_race2code_2(code.c_str(), 1));
    std::vector<YRaceHorse> out;
    for (int i = 0; i < record_count(runners.get(), racerhrec::kSize); ++i) {
      out.emplace_back(&db_, static_cast<_tagRACERMREC*>(race.get()),
                       static_cast<_tagRACERHREC*>(runners.get()), i);
    }
    return out;
  }

  inline static std::string dir_;
  YHorseDB db_;
};

// The horse numbers of the runners that finished `order`, in number order.
std::vector<int> Finishing(const std::vector<YRaceHorse>& runners, int order) {
  std::vector<int> numbers;
  for (const YRaceHorse& h : runners) {
    if (h.order == order) numbers.push_back(h.horseno);
  }
  return numbers;
}

TEST_F(GeneratedRaces, PayoutsAgreeWithTheFinalOddsAndTheResult) {
  const std::vector<std::string> codes = racetest::SeasonRaceCodes(world::season_test::kSeason);
  ASSERT_GT(codes.size(), 3000u);
  std::vector<std::string> wrong;
  auto check = [&wrong](bool ok, const std::string& code, const std::string& what) {
    if (!ok) wrong.push_back(code + ": " + what);
  };
  int single_winner = 0, quinellas = 0, dead_heats = 0;
  for (const std::string& code : codes) {
    const std::vector<YRaceHorse> runners = Runners(code);
    const std::vector<int> winners = Finishing(runners, 1);
    const std::vector<int> seconds = Finishing(runners, 2);
    YHaitoInfo paid;
    ASSERT_TRUE(yrace::fill_haito(&db_, code, &paid)) << code;

    if (winners.size() == 2) {
      // Both winners are paid, from either record.
      ++dead_heats;
      const std::vector<int> entries = {paid.tansho_uma[0], paid.tansho_uma[1]};
      check(std::is_permutation(entries.begin(), entries.end(), winners.begin()) &&
                paid.tansho_uma[2] == 0 && paid.tansho_haito[0] > 0 && paid.tansho_haito[1] > 0,
            code, "the dead heat's win entries");
      ydb_test_fail("get_exprize2code");
      YHaitoInfo from_race;
      check(yrace::fill_haito(&db_, code, &from_race), code, "no race record");
      ydb_test_fail(nullptr);
      check(std::equal(paid.tansho_uma, paid.tansho_uma + 3, from_race.tansho_uma) &&
                std::equal(paid.tansho_haito, paid.tansho_haito + 3, from_race.tansho_haito),
            code, "the race record's win entries");
    }
    // One winner, and its stakes not returned.
    if (winners.size() != 1 || paid.tansho_haito[0] == 0) continue;
    ++single_winner;
    const int winner = winners[0];
    YOdds odds(&db_, code, static_cast<int>(runners.size()), true);
    int x = 0;
    odds.tansho(winner, x);
    check(paid.tansho_uma[0] == winner && x * 10 == paid.tansho_haito[0], code,
          "win odds " + std::to_string(x) + " against the payout " +
              std::to_string(paid.tansho_haito[0]));
    if (seconds.size() == 1 && paid.umaren_haito[0] != 0) {
      ++quinellas;
      const int a = std::min(winner, seconds[0]), b = std::max(winner, seconds[0]);
      odds.umaren(a, b, x);
      check(paid.umaren_kumi[0] == a * 100 + b && x * 10 == paid.umaren_haito[0], code,
            "quinella odds " + std::to_string(x) + " against the payout " +
                std::to_string(paid.umaren_haito[0]));
    }
    // The first of the win popularity is the runner whose popularity is
    // 1, on equal odds too: both rank equal odds by horse number.
    int favourite = 0, lowest = 0, first = 0;
    odds.ninki_tansho(0, favourite, lowest);
    for (const YRaceHorse& h : runners) {
      if (h.popularity == 1) first = h.horseno;
    }
    odds.tansho(first, x);
    check(x == lowest && first == favourite, code,
          "popularity 1 is horse " + std::to_string(first) + ", the first of the win popularity horse " +
              std::to_string(favourite));
  }
  std::ostringstream listed;
  for (std::size_t i = 0; i < wrong.size() && i < 10; ++i) listed << "\n" << wrong[i];
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " disagreements, the first:" << listed.str();
  EXPECT_GT(single_winner, static_cast<int>(codes.size() * 9 / 10));
  EXPECT_GT(quinellas, single_winner * 9 / 10);
  EXPECT_GT(dead_heats, 0) << "the season has no dead heat for first to check";
}

}  // namespace
