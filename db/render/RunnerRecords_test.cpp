// The runner-level records against a written store: runner results, card
// runners and the comments on runs, every field at the offset the client
// reads, blanks where the store has nothing. (A stall and a dead heat: the
// race classes' tests, which read the same records.)
#include <gtest/gtest.h>

#include <string>

#include "db/render/CardRunnerRenderer.h"
#include "db/render/CommentRenderer.h"
#include "db/render/RenderWorld_test.h"
#include "db/render/ResultRunnerRenderer.h"

namespace ydb {
namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;
using ytest::Sjis;

class RunnerRecordsTest : public ytest::RenderStoreTest {
 protected:
  void Results(const RaceKey& key, Records* out) {
    Rendered(RenderResultRunners(*db_, key, out->out()));
  }
  void Card(const RaceKey& key, Records* out) {
    Rendered(RenderCardRunners(*db_, key, out->out()));
  }
  void Comment(const RaceKey& key, const char* horse, CommentKind kind, Records* out) {
    Rendered(RenderComment(*db_, key, horse, kind, out->out()));
  }
};

// --- Runner results ----------------------------------------------------------------

TEST_F(RunnerRecordsTest, WinnersResultCarriesTheRaceTheHorseAndItsRun) {
  Records runners;
  Results(ytest::kKey, &runners);
  ASSERT_EQ(runners.count(), 9);  // the scratched horse too
  const std::string r = runners[0];
  EXPECT_EQ(At(r, 0, 21), " 05202401061120240102");
  EXPECT_EQ(r[73], ' ');
  EXPECT_EQ(At(r, 98, 7), "4 00004");
  EXPECT_EQ(At(r, 115, 10), "00  170009");  // dirt, right, no inner/outer, 1700 m, 9 runners
  EXPECT_EQ(At(r, 129, 3), "1 1");           // pace M, going 稍重
  EXPECT_EQ(At(r, 153, 12), "10101" "2020011");
  EXPECT_EQ(At(r, 165, 30), Sjis("ランナー1", 30));
  EXPECT_EQ(At(r, 197, 5), "004  ");  // no prediction or training mark
  EXPECT_EQ(At(r, 261, 17), "570481-04371" "01002");
  EXPECT_EQ(At(r, 310, 8), Sjis("高橋三郎", 8));
  EXPECT_EQ(At(r, 327, 6), "2" "02001");
  EXPECT_EQ(At(r, 365, 8), Sjis("佐藤一郎", 8));
  EXPECT_EQ(At(r, 373, 3), "  2");  // a centre trainer: no place, centre 2
  EXPECT_EQ(At(r, 378, 7), "0100035");
  EXPECT_EQ(At(r, 385, 6), "01  01");
  EXPECT_EQ(At(r, 393, 4), "1071");  // the race time in tenths
  EXPECT_EQ(At(r, 397, 6), "   998");  // the winner: no margin
  EXPECT_EQ(At(r, 403, 6), "   371");  // first 600 m not known, last 600 m
  EXPECT_EQ(At(r, 409, 9), "00000101 ");
  EXPECT_EQ(At(r, 418, 117), Blanks(117));
  EXPECT_EQ(At(r, 535, 30), Sjis("佐藤一郎", 30));
  EXPECT_EQ(At(r, 577, 7), "1990001");
  EXPECT_EQ(At(r, 584, 34), Sjis("オールドキング", 34));
  EXPECT_EQ(At(r, 618, 7), "1990002");
  EXPECT_EQ(At(r, 625, 34), Sjis("ノーザンスター", 34));
  // The second: 1 1/2 lengths and 0.2 s behind; the scratched horse: no
  // popularity or odds, and its accident.
  EXPECT_EQ(At(runners[1], 397, 6), "013002");
  EXPECT_EQ(At(runners[8], 378, 13), Blanks(7) + "003400");
}

// --- Card runners ----------------------------------------------------------------------

TEST_F(RunnerRecordsTest, CardRunnerCarriesTheEntryAndAChangeOfRider) {
  Records card;
  Card(ytest::kKey, &card);
  ASSERT_EQ(card.count(), 9);
  const std::string r = card[1];
  EXPECT_EQ(At(r, 0, 12), "052024010211");  // place, year, kai, day, race
  EXPECT_EQ(At(r, 12, 10), Blanks(10));
  EXPECT_EQ(At(r, 22, 10), "202" "2020012");
  EXPECT_EQ(At(r, 32, 30), Sjis("ランナー2", 30));
  EXPECT_EQ(At(r, 64, 3), "004");
  EXPECT_EQ(At(r, 127, 9), " 570" "01001");
  EXPECT_EQ(At(r, 136, 32), Sjis("鈴木次郎", 32));
  EXPECT_EQ(At(r, 168, 8), Sjis("鈴木次郎", 8));
  // No allowance; ridden by 01002 last time.
  EXPECT_EQ(At(r, 176, 15), "   01002 2" "02001");
  EXPECT_EQ(At(r, 223, 8), Sjis("佐藤一郎", 8));
  EXPECT_EQ(At(r, 231, 13), "  2 " "   482-03");
  EXPECT_EQ(At(r, 244, 444), Blanks(444));

  // The same rider as last time: no change shown.
  EXPECT_EQ(At(card[0], 179, 5), Blanks(5));
}

// --- Comments ---------------------------------------------------------------------------

TEST_F(RunnerRecordsTest, CommentAndMemoAreTheirOwnRecords) {
  ASSERT_TRUE(Writer(*db_).setRunMemo(ytest::kKey, "2020013", "次は芝で").ok());
  Records comment;
  Comment(ytest::kKey, "2020011", CommentKind::kRunComment, &comment);
  ASSERT_EQ(comment.count(), 1);
  EXPECT_EQ(At(comment[0], 0, 47), "052024010611" "2020011" "0" + Blanks(27));
  EXPECT_EQ(At(comment[0], 47, 960), Sjis("好位から抜け出す", 960));

  Records memo;
  Comment(ytest::kKey, "2020013", CommentKind::kMemo, &memo);
  ASSERT_EQ(memo.count(), 1);
  EXPECT_EQ(At(memo[0], 12, 8), "2020013" "1");
  EXPECT_EQ(At(memo[0], 47, 960), Sjis("次は芝で", 960));

  Records none;
  Comment(ytest::kKey, "2020013", CommentKind::kRunComment, &none);
  EXPECT_EQ(none.count(), 0);
  Comment(ytest::kKey, "2020011", CommentKind::kMemo, &none);
  EXPECT_EQ(none.count(), 0);
}

}  // namespace
}  // namespace ydb
