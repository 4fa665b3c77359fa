// The betting records: odds boards from the store with their marks, the
// pair numbering at both ends, popularity orders with ties and marks, and
// the payout record. (A dead heat's payouts: the fetch tests.)
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/ForecastOddsRenderer.h"
#include "db/render/OddsPairs.h"
#include "db/render/OddsRenderer.h"
#include "db/render/PayoutRenderer.h"
#include "db/render/PopularityRenderer.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderWorld_test.h"

namespace ydb {
namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;

// Offsets of the odds fields as the client reads them.
std::size_t Win(int horse) { return 113 + 5 * static_cast<std::size_t>(horse - 1); }
std::size_t Bracket(int k) { return 203 + 5 * static_cast<std::size_t>(k); }
std::size_t Quinella(int k) { return 383 + 7 * static_cast<std::size_t>(k); }

class OddsRecordsTest : public ytest::RenderStoreTest {
 protected:
  void Odds(const RaceKey& key, OddsTime time, Records* out) {
    Rendered(RenderOdds(*db_, key, time, out->out()));
  }
  void Payouts(const RaceKey& key, Records* out) { Rendered(RenderPayouts(*db_, key, out->out())); }
};

// The popularity order of `pool` as "number:odds" items ("3:35", "2:*",
// "1-2:88").
std::vector<std::string> Order(const std::string& odds, PopularityPool pool) {
  Records out;
  const Status s = RenderPopularity(odds.data(), pool, out.out());
  EXPECT_TRUE(s.ok()) << s.message();
  std::vector<std::string> items;
  for (int i = 0; i < out.count(); ++i) {
    const std::string r = out[i];
    std::string item = pool == PopularityPool::kWin
                           ? std::to_string(std::stoi(r.substr(0, 4)))
                           : std::to_string(std::stoi(r.substr(0, 2))) + "-" +
                                 std::to_string(std::stoi(r.substr(2, 2)));
    item += ":";
    item += r[4] >= '0' && r[4] <= '9' ? std::to_string(std::stoi(r.substr(4, 7)))
                                       : r.substr(4, 1);
    EXPECT_EQ(r.size(), 11u);
    items.push_back(item);
  }
  return items;
}

// --- Odds boards -------------------------------------------------------------------

TEST_F(OddsRecordsTest, EveryPairLandsAtItsIndexInAFullField) {
  Records odds;
  Odds(ytest::kDeadHeatRace, OddsTime::kFinal, &odds);
  ASSERT_EQ(odds.count(), 1);
  const std::string r = odds[0];
  // Stored: bracket (a, b) 1000 + 10a + b, quinella (a, b) 100a + b.
  EXPECT_EQ(At(r, Bracket(7), 5), "01018");
  EXPECT_EQ(At(r, Bracket(8), 5), "01022");
  EXPECT_EQ(At(r, Bracket(35), 5), "01088");
  EXPECT_EQ(At(r, Quinella(16), 7), "0000118");
  EXPECT_EQ(At(r, Quinella(17), 7), "0000203");
  EXPECT_EQ(At(r, Quinella(152), 7), "0001718");
  EXPECT_EQ(At(r, 1454, 8), Blanks(8));
}

TEST_F(OddsRecordsTest, FinalOddsShowKindOneWithTheTimeTheyWereFixed) {
  Records odds;
  Odds(ytest::kDeadHeatRace, OddsTime::kFinal, &odds);
  ASSERT_EQ(odds.count(), 1);
  const std::string r = odds[0];
  EXPECT_EQ(At(r, 0, 12), "052024010601");
  EXPECT_EQ(At(r, 12, 92), Blanks(92));
  EXPECT_EQ(At(r, 104, 9), "11542    ");
  EXPECT_EQ(At(r, Win(18), 5), "00200");
  // Horse 5 is scratched: its pairs carry the mark although values were
  // stored for them; frame 3 keeps horse 6, so its bracket pairs stand.
  EXPECT_EQ(At(r, Win(5), 5), "/    ");
  EXPECT_EQ(At(r, Quinella(HorsePairIndex(1, 5)), 7), "/      ");
  EXPECT_EQ(At(r, Quinella(HorsePairIndex(5, 18)), 7), "/      ");
  EXPECT_EQ(At(r, Quinella(HorsePairIndex(4, 6)), 7), "0000406");
  EXPECT_EQ(At(r, Bracket(FramePairIndex(3, 3)), 5), "01033");
}

TEST_F(OddsRecordsTest, SlotsBeyondTheFieldAreDashesAndTheScratchedHorsesPairsSlashes) {
  Records before;
  Odds(ytest::kKey, OddsTime::kBeforeRace, &before);
  ASSERT_EQ(before.count(), 1);
  const std::string r = before[0];
  EXPECT_EQ(At(r, 104, 5), "11030");  // advance sale, announced 10:30
  EXPECT_EQ(At(r, Win(1), 5), "00035");
  EXPECT_EQ(At(r, Win(2), 5), "-    ");  // in the field, no odds
  EXPECT_EQ(At(r, Win(9), 5), "/    ");
  for (int h = 10; h <= 18; ++h) EXPECT_EQ(At(r, Win(h), 5), "-    ") << h;
  EXPECT_EQ(At(r, Bracket(FramePairIndex(8, 8)), 5), "01234");
  EXPECT_EQ(At(r, Quinella(HorsePairIndex(1, 2)), 7), "0000088");
  for (int h = 1; h <= 8; ++h) {
    EXPECT_EQ(At(r, Quinella(HorsePairIndex(h, 9)), 7), "/      ") << h;
  }
  for (int h = 1; h <= 17; ++h) {
    EXPECT_EQ(At(r, Quinella(HorsePairIndex(h, 18)), 7), "-      ") << h;
  }

  // The final odds store only horse 1; horse 9's result says it was scratched.
  Records final_odds;
  Odds(ytest::kKey, OddsTime::kFinal, &final_odds);
  ASSERT_EQ(final_odds.count(), 1);
  const std::string f = final_odds[0];
  EXPECT_EQ(At(f, 104, 5), "1    ");
  EXPECT_EQ(At(f, Win(9), 5), "/    ");
  EXPECT_EQ(At(f, Quinella(HorsePairIndex(8, 9)), 7), "/      ");
}

// --- Forecast win odds -----------------------------------------------------------

// The forecast win odds of `key`, one value per record.
std::vector<std::int32_t> ForecastWin(Database& db, const RaceKey& key) {
  Records out;
  const Status s = RenderForecastWinOdds(db, key, out.out());
  EXPECT_TRUE(s.ok()) << s.message();
  std::vector<std::int32_t> values;
  for (int i = 0; i < out.count(); ++i) {
    const std::string r = out[i];
    EXPECT_EQ(r.size(), 4u);
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(r[static_cast<std::size_t>(k)]);
    values.push_back(static_cast<std::int32_t>(v));
  }
  return values;
}

TEST_F(OddsRecordsTest, ForecastWinOddsHoldOneValuePerRunnerAndNoneForMarksAndNonStarters) {
  constexpr std::int32_t kNone = 0x7fffffff;
  // Eight runners: horse 1 has odds, 3 is scratched ('/'), 4 carries '*',
  // the others have none.
  EXPECT_EQ(ForecastWin(*db_, ytest::kCardOnlyRace),
            (std::vector<std::int32_t>{24, kNone, kNone, kNone, kNone, kNone, kNone, kNone}));
  // Final odds alone are no forecast.
  EXPECT_TRUE(ForecastWin(*db_, ytest::kDeadHeatRace).empty());
}

// --- Popularity -------------------------------------------------------------------

TEST(PopularityTest, ValuedEntriesByOddsTiesByNumberThenMarksInNumberOrder) {
  std::string odds(OddsLayout().size(), '#');
  RecordBuilder b(odds.data(), OddsLayout());
  b.set_digits("win_odds", 50, 0);   // horse 1
  b.set_marker("win_odds", '*', 1);  // horse 2
  b.set_digits("win_odds", 35, 2);   // horse 3
  b.set_marker("win_odds", '-', 3);  // horse 4: no entry
  b.set_marker("win_odds", '/', 4);  // horse 5
  b.set_digits("win_odds", 35, 6);   // horse 7
  b.set_digits("win_odds", 9, 8);    // horse 9
  b.set_digits("win_odds", 120, 17);  // horse 18
  b.set_digits("bracket_odds", 88, static_cast<std::size_t>(FramePairIndex(2, 2)));
  b.set_digits("bracket_odds", 88, static_cast<std::size_t>(FramePairIndex(1, 8)));
  b.set_marker("bracket_odds", '/', static_cast<std::size_t>(FramePairIndex(1, 1)));
  b.set_digits("bracket_odds", 12, static_cast<std::size_t>(FramePairIndex(8, 8)));
  b.set_digits("quinella_odds", 880, static_cast<std::size_t>(HorsePairIndex(2, 3)));
  b.set_digits("quinella_odds", 880, static_cast<std::size_t>(HorsePairIndex(1, 18)));
  b.set_marker("quinella_odds", '*', static_cast<std::size_t>(HorsePairIndex(1, 2)));
  b.set_digits("quinella_odds", 9999999, static_cast<std::size_t>(HorsePairIndex(17, 18)));
  ASSERT_TRUE(b.status().ok()) << b.status().message();

  EXPECT_EQ(Order(odds, PopularityPool::kWin),
            (std::vector<std::string>{"9:9", "3:35", "7:35", "1:50", "18:120", "2:*", "5:/"}));
  EXPECT_EQ(Order(odds, PopularityPool::kBracketQuinella),
            (std::vector<std::string>{"8-8:12", "1-8:88", "2-2:88", "1-1:/"}));
  EXPECT_EQ(Order(odds, PopularityPool::kQuinella),
            (std::vector<std::string>{"1-18:880", "2-3:880", "17-18:9999999", "1-2:*"}));
}

// --- Payouts --------------------------------------------------------------------------

TEST_F(OddsRecordsTest, PayoutRecordHoldsEveryPoolWithUnusedEntriesZero) {
  Records payouts;
  Payouts(ytest::kKey, &payouts);
  ASSERT_EQ(payouts.count(), 1);
  const std::string r = payouts[0];
  EXPECT_EQ(At(r, 0, 20), "052024010611" + Blanks(8));
  EXPECT_EQ(At(r, 20, 24), "01000350" "00000000" "00000000");
  EXPECT_EQ(At(r, 44, 40), "01000130" "02000160" "03000210" "00000000" "00000000");
  EXPECT_EQ(At(r, 84, 30), "12000620  " "00000000  " "00000000  ");
  EXPECT_EQ(At(r, 114, 42), "01020000880   " "00000000000   " "00000000000   ");
  EXPECT_EQ(At(r, 156, 42), "01020000300   " "01030000410   " "02030000520   ");
  EXPECT_EQ(At(r, 198, 56), "00000000000   00000000000   00000000000   00000000000   ");
}

}  // namespace
}  // namespace ydb
