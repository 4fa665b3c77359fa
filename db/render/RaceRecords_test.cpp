// The race-level records against a written store: race days with their
// main races, race cards and results, every field at the offset the client
// reads, blanks where the store has nothing. (Later reference times, a jump
// race's mile line and the days of cards: the card and results classes'
// tests, which read the same records.)
#include <gtest/gtest.h>

#include <string>

#include "db/render/CardRaceRenderer.h"
#include "db/render/RaceListRenderer.h"
#include "db/render/RenderWorld_test.h"
#include "db/render/ResultRaceRenderer.h"

namespace ydb {
namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;
using ytest::Sjis;

class RaceRecordsTest : public ytest::RenderStoreTest {
 protected:
  void RaceDays(int from, int to, RaceDays days, Records* out) {
    Rendered(RenderRaceList(*db_, from, to, days, out->out()));
  }
  void Cards(const RaceKey& key, Records* out) {
    Rendered(RenderCardRaces(*db_, key, CardRaces::kDrawn, out->out()));
  }
  void Results(const RaceKey& key, Records* out) {
    Rendered(RenderResultRaces(*db_, key, out->out()));
  }
};

// --- Race days ---------------------------------------------------------------

TEST_F(RaceRecordsTest, RaceDaysListTheirVenuesInPlaceOrderWithTheirMainRaces) {
  Records days;
  RaceDays(20240101, 20240131, RaceDays::kWithResults, &days);
  ASSERT_EQ(days.count(), 2);  // the 13th has a card only
  const std::string first = days[0];
  EXPECT_EQ(At(first, 0, 8), "20240106");
  // Racecourse 05: the G3 beats race 11.
  EXPECT_EQ(At(first, 8, 14), "05202401060102");
  EXPECT_EQ(At(first, 22, 30), Sjis("新春杯", 30));
  EXPECT_EQ(At(first, 52, 6), "200004");
  // Racecourse 08: no graded race, so race 11 beats the open race 10.
  EXPECT_EQ(At(first, 58, 14), "08202401060101");
  EXPECT_EQ(At(first, 72, 30), Sjis("最終日特別", 30));
  EXPECT_EQ(At(first, 102, 6), " 05000");
  EXPECT_EQ(first[108], '\0');  // no third racecourse
  EXPECT_EQ(At(first, 109, 49), Blanks(49));

  // Racecourse 00 has neither a graded race nor a race 11: its race of the
  // highest class, 1勝クラス over 500万下.
  const std::string second = days[1];
  EXPECT_EQ(At(second, 0, 22), "20240107002024010701" "01");
  EXPECT_EQ(second[58], '\0');
}

// --- Race cards ----------------------------------------------------------------

TEST_F(RaceRecordsTest, CardRecordCarriesEveryFieldOfTheRace) {
  Records cards;
  Cards(ytest::kKey, &cards);
  ASSERT_EQ(cards.count(), 1);
  const std::string r = cards[0];
  EXPECT_EQ(At(r, 0, 20), "05202401061120240102");
  EXPECT_EQ(At(r, 20, 5), Blanks(5));
  EXPECT_EQ(At(r, 25, 3), "000");
  EXPECT_EQ(At(r, 28, 30), Sjis("ニューイヤーステークス", 30));
  EXPECT_EQ(r[72], ' ');                   // no grade
  EXPECT_EQ(At(r, 75, 22), Blanks(22));    // no conditions text, no weight rules
  EXPECT_EQ(At(r, 97, 1), "4");
  EXPECT_EQ(At(r, 99, 5), "00004");
  EXPECT_EQ(At(r, 104, 8), "00 01700");  // dirt, right, no inner/outer, rail A
  // The course record: kind, date, 1:43.7, horse, 56.0 kg, jockey.
  EXPECT_EQ(At(r, 112, 13), "1202112261437");
  EXPECT_EQ(At(r, 125, 30), Sjis("ハヤテノカゼ", 30));
  EXPECT_EQ(At(r, 155, 3), "560");
  EXPECT_EQ(At(r, 158, 8), Sjis("山田", 8));
  EXPECT_EQ(At(r, 166, 110), Blanks(110));  // no second or third reference time
  EXPECT_EQ(At(r, 276, 45), "018000000007200000004500000002700000001800000");
  EXPECT_EQ(At(r, 331, 5), Blanks(5));
  EXPECT_EQ(At(r, 336, 2), "09");
  EXPECT_EQ(At(r, 340, 8), Blanks(8));  // no expected times
  EXPECT_EQ(r[348], '1');
  EXPECT_EQ(At(r, 349, 3), "000");  // no nominations
  EXPECT_EQ(At(r, 352, 8), Blanks(8));
}

// --- Results -------------------------------------------------------------------

TEST_F(RaceRecordsTest, ResultRecordCarriesTheRaceItsTimesAndItsPayouts) {
  Records results;
  Results(ytest::kKey, &results);
  ASSERT_EQ(results.count(), 1);
  const std::string r = results[0];
  EXPECT_EQ(At(r, 0, 30), "052024010611202401060102" + Blanks(6));
  EXPECT_EQ(At(r, 30, 3), "000");
  EXPECT_EQ(At(r, 33, 30), Sjis("ニューイヤーステークス", 30));
  EXPECT_EQ(r[77], ' ');
  EXPECT_EQ(At(r, 102, 7), "4 00004");
  EXPECT_EQ(At(r, 119, 8), "00 01700");
  EXPECT_EQ(At(r, 128, 12), "202112261437");
  EXPECT_EQ(At(r, 140, 30), Sjis("ハヤテノカゼ", 30));
  EXPECT_EQ(At(r, 170, 3), "560");
  EXPECT_EQ(At(r, 173, 8), Sjis("山田", 8));
  EXPECT_EQ(At(r, 181, 110), Blanks(110));
  EXPECT_EQ(At(r, 291, 54), "018000000007200000004500000002700000001800000000000000");
  EXPECT_EQ(At(r, 354, 9), "000000000");
  EXPECT_EQ(At(r, 363, 6), Blanks(6));
  EXPECT_EQ(At(r, 369, 2), "09");
  EXPECT_EQ(At(r, 381, 3), "101");  // pace M, fine, going 稍重

  // One winner: the win popularity follows the win payout.
  EXPECT_EQ(At(r, 385, 10), "0100035001");
  EXPECT_EQ(At(r, 395, 14), Blanks(14));
  EXPECT_EQ(At(r, 409, 24), "010001300200016003000210");
  EXPECT_EQ(At(r, 433, 16), Blanks(16));
  EXPECT_EQ(At(r, 449, 8), "12000620");
  EXPECT_EQ(At(r, 459, 20), Blanks(20));
  EXPECT_EQ(At(r, 479, 14), "01020000880003");
  EXPECT_EQ(At(r, 493, 28), Blanks(28));
  EXPECT_EQ(At(r, 521, 42), "010200003000030103000041000502030000520007");
  EXPECT_EQ(At(r, 563, 56), Blanks(56));

  EXPECT_EQ(At(r, 747, 20), Blanks(20));  // a flat race has no mile line
  EXPECT_EQ(At(r, 767, 39), "070110118124125123120121124" + Blanks(12));
  EXPECT_EQ(At(r, 806, 12), Blanks(12));  // no sectional times stored but the last 600
  EXPECT_EQ(At(r, 818, 3), "365");
  EXPECT_EQ(At(r, 821, 3), " 03");
  EXPECT_EQ(At(r, 824, 110), Sjis("1,2-(3,4)-5,6,7,8", 110));
  EXPECT_EQ(At(r, 934, 3), " 04");
  EXPECT_EQ(At(r, 1047, 113), Blanks(113));  // the third corner: none
  EXPECT_EQ(At(r, 1838, 80), Sjis("前半はゆったりした流れ", 80));
  EXPECT_EQ(At(r, 1918, 80), Sjis("直線で内から伸びる", 80));
  EXPECT_EQ(At(r, 1998, 80), Blanks(80));
}

// The day's order is the fetch tests'.
TEST_F(RaceRecordsTest, ResultsOfADayKeepTheirOwnChildrenAndRacesNotRunHaveNone) {
  Records day;
  Results(RaceKey{"05", 20240106, 0}, &day);
  ASSERT_EQ(day.count(), 3);
  // Each race keeps its own children: race 1's dead heat, race 11's laps.
  EXPECT_EQ(At(day[0], 393, 2), "02");
  EXPECT_EQ(At(day[1], 767, 3), Blanks(3));
  EXPECT_EQ(At(day[2], 767, 3), "070");

  Records card_only;
  Results(ytest::kCardOnlyRace, &card_only);
  EXPECT_EQ(card_only.count(), 0);
}

}  // namespace
}  // namespace ydb
