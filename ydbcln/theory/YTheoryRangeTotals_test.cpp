// Tests of a theory's totals over a range of races: the outcome read from
// a result, what a skipped race leaves out, and the rates.
#include "ydbcln/theory/YTheoryRangeTotals.h"

#include <gtest/gtest.h>

#include "ydbcln/theory/YTheoryResult.h"

namespace {

// A result of `runners` runners numbered 1.. in slot order, with final
// ranks `ranks`, the win paid to `winner`, `tickets` bought and `hits`
// paid.
YTheoryResult Result(const std::string& code, std::vector<int> ranks, int winner, int tickets,
                     std::vector<int> hits) {
  YTheoryResult r(nullptr);
  r.racekey = code;
  r.runnercount = static_cast<int>(ranks.size());
  for (std::size_t s = 0; s < ranks.size(); ++s) {
    r.horseno[s] = static_cast<int>(s) + 1;
    r.finalrank[s] = ranks[s];
  }
  for (YTheoryResult::Payout& p : r.tansho) p = {0, 0};
  r.tansho[0] = {static_cast<short>(winner), 350};
  r.ticketcount = tickets;
  r.hitcount = static_cast<int>(hits.size());
  for (std::size_t i = 0; i < hits.size(); ++i) r.hitamount[i] = hits[i];
  return r;
}

TEST(RangeTotals, AnOutcomeIsTheFirstOfTheFinalOrderAndTheTicketsItBought) {
  YTheoryRangeTotals totals;
  // Horse 3 is first (rank 1); horse 2 shares rank 2 with horse 4.
  const auto& o = totals.add(Result("052024010611", {3, 2, 1, 2}, 3, 2, {450}), true);
  EXPECT_EQ(o.skip, YTheoryRangeTotals::kCounted);
  EXPECT_EQ(o.first, 3);
  EXPECT_TRUE(o.won);
  EXPECT_EQ(o.stake(), 200);

  // Equal first ranks: the earlier slot is first; a dead heat pays the
  // second winner in the next payout.
  YTheoryResult tie = Result("052024010612", {1, 1, 3}, 2, 1, {});
  EXPECT_EQ(totals.add(tie, true).first, 1);
  EXPECT_FALSE(totals.last().won);
  tie.tansho[1] = {1, 200};
  EXPECT_TRUE(totals.add(tie, true).won);
}

TEST(RangeTotals, SkippedRacesCountInNoTotal) {
  YTheoryRangeTotals totals;
  totals.add(Result("052024010611", {1, 2}, 1, 3, {300, 1200}), true);
  totals.add(Result("052024010612", {2, 1}, 1, 5, {}), true);
  // Paid nothing: its tickets and hits are kept on the outcome only.
  const auto& unpaid = totals.add(Result("052024010610", {1, 2}, 1, 4, {900}), false);
  EXPECT_EQ(unpaid.skip, YTheoryRangeTotals::kNothingPaid);
  EXPECT_EQ(unpaid.returned, 900);
  EXPECT_EQ(totals.addskipped("052024010609").skip, YTheoryRangeTotals::kNotLoaded);

  EXPECT_EQ(totals.races, 2);
  EXPECT_EQ(totals.skipped, 2);
  EXPECT_EQ(totals.firstwins, 1);
  EXPECT_EQ(totals.hitraces, 1);
  EXPECT_EQ(totals.stake, 800);
  EXPECT_EQ(totals.returned, 1500);
  EXPECT_EQ(totals.largest, 1200);
  EXPECT_DOUBLE_EQ(totals.firstwinrate(), 50.0);
  EXPECT_DOUBLE_EQ(totals.hitrate(), 50.0);
  EXPECT_DOUBLE_EQ(totals.returnrate(), 187.5);
}

TEST(RangeTotals, RatesOfNothingAreZero) {
  YTheoryRangeTotals totals;
  totals.addskipped("052024010609");
  EXPECT_EQ(totals.firstwinrate(), 0.0);
  EXPECT_EQ(totals.hitrate(), 0.0);
  EXPECT_EQ(totals.returnrate(), 0.0);
}

}  // namespace
