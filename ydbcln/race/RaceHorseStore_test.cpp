// Horses in a race read from a store: the opponents of a result's runners,
// found at construction or when asked, comments fetched once, and the
// accidents of runners written through the writer. A card entry's fields
// are checked from its records in YRaceHorse_test and against the result's
// over a generated season in CardResultSeason_test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ydbcln/race/RaceRecords_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/session/ydblib.h"

namespace {

using racetest::RaceStore;
using racetest::Sjis;
using yrace::OwnedBuffer;

// The runners of a result, built as a result object builds them: from the
// race record and the runner records of the race.
class ResultRunners : public RaceStore {
 protected:
  std::vector<YRaceHorse> Runners(const std::string& code) {
    OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
    OwnedBuffer runners(get_race2code_2(code.c_str(), 1));
    std::vector<YRaceHorse> out;
    EXPECT_EQ(get_rec_size(race.get()), 1) << code;
    if (get_rec_size(race.get()) != 1) return out;
    for (int i = 0; i < get_rec_size(runners.get()); ++i) {
      out.emplace_back(&db_, static_cast<_tagRACERMREC*>(race.get()),
                       static_cast<_tagRACERHREC*>(runners.get()), i);
    }
    return out;
  }
};

TEST_F(ResultRunners, OpponentsAreFilledAtConstructionOrLookedUpWhenAsked) {
  Write();
  std::vector<YRaceHorse> runners = Runners("052024010611");
  ASSERT_EQ(runners.size(), 9u);
  EXPECT_EQ(runners[0].geth1code(), "2020012");
  EXPECT_EQ(runners[0].getj1code() + runners[0].gets1code(), "0100102001");
  EXPECT_EQ(runners[0].getj1name(), Sjis("鈴木次郎"));
  EXPECT_EQ(runners[0].gets1name(), Sjis("南佐藤一郎"));
  EXPECT_EQ(runners[3].geth1name(), Sjis("ランナー1"));
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 1)
      << "the opponents come from the runner records at hand";

  // A past performance, built from its record alone, finds its opponent too.
  OwnedBuffer records(get_race2code_2("052024010611", 1));
  YRaceHorse past(&db_, static_cast<_tagRACERHREC*>(records.get()) + 2);
  EXPECT_EQ(past.geth1name(), Sjis("ランナー1"));
  EXPECT_EQ(past.racename, Sjis("４歳上オープン")) << "the runner record holds no race name";

  // When the store fails it is no error, and the opponent is asked for later.
  ydb_test_fail("get_race2code_2");
  YRaceHorse second(&db_, static_cast<_tagRACERHREC*>(records.get()) + 1);
  EXPECT_FALSE(second.opponentloaded);
  EXPECT_EQ(db_.geterrstatus(), 0);
  ydb_test_fail(nullptr);
  EXPECT_EQ(second.geth1name(), Sjis("ランナー1"));
}

TEST_F(ResultRunners, CommentsAndMemosAreFetchedOnceWhenAsked) {
  Write();
  ASSERT_TRUE(writer_->setRunMemo(ytest::kKey, "2020011", "次は買い").ok());
  std::vector<YRaceHorse> runners = Runners("052024010611");
  ASSERT_EQ(runners.size(), 9u);
  EXPECT_EQ(runners[0].get_rcomment(), Sjis("好位から抜け出す"));
  EXPECT_EQ(runners[0].get_rmemo(), Sjis("次は買い"));
  EXPECT_EQ(runners[0].get_rcomment(), Sjis("好位から抜け出す"));
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 2) << "comment and memo, once";
  EXPECT_EQ(runners[1].get_rmemo(), "");
}

TEST_F(ResultRunners, AccidentsStallsAndDemotions) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& race = racetest::AddRace(&world, {"05", 20240106, 12}, "20230");
  race.runners[1].post_no = 7;  // started from stall 7
  const char* accidents[] = {"31", "32", "33", "35"};
  for (int i = 0; i < 4; ++i) {
    ydb::RunnerResult& r = *race.runners[static_cast<std::size_t>(3 + i)].result;
    r.accident_code = accidents[i];
    r.finish_pos = 0;
    r.arrival_order = 0;
  }
  ydb::RunnerResult& demoted = *race.runners[7].result;  // crossed the line 3rd, placed 8th
  demoted.accident_code = "36";
  demoted.arrival_order = 3;
  demoted.finish_pos = 8;
  Write(world);

  std::vector<YRaceHorse> runners = Runners("052024010612");
  ASSERT_EQ(runners.size(), 9u);
  EXPECT_EQ(runners[1].remarks, Sjis("７枠発走 "));
  const char* orders[] = {"落", "失", "止", "外"};
  const char* remarks[] = {"落馬 ", "失格 ", "中止 ", "除外 "};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(runners[3 + i].ordertext, Sjis(orders[i])) << accidents[i];
    EXPECT_EQ(runners[3 + i].remarks, Sjis(remarks[i])) << accidents[i];
  }
  EXPECT_EQ(runners[7].ordertext, Sjis("⑧"));
  EXPECT_EQ(runners[7].remarks, Sjis("３着降着 "));
  EXPECT_EQ(runners[8].ordertext + runners[8].remarks, Sjis("消取消 ")) << "scratched";
}

TEST_F(RaceStore, NullRecordsGiveTheEmptyObjectAndFetchNothing) {
  Write();
  YRaceHorse past(&db_, static_cast<_tagRACERHREC*>(nullptr));
  YRaceHorse result(&db_, nullptr, nullptr, 0);
  YRaceHorse card(&db_, static_cast<_tagRACEDREC*>(nullptr), nullptr);
  OwnedBuffer records(get_race2code_2("052024010611", 1));
  YRaceHorse bad_index(&db_, nullptr, static_cast<_tagRACERHREC*>(records.get()), -2);
  ydb_test_reset_counts();
  for (YRaceHorse* h : {&past, &result, &card, &bad_index}) {
    EXPECT_EQ(h->horsecode + h->racecode, "");
    EXPECT_EQ(h->geth1name(), "");
    EXPECT_EQ(h->get_rcomment(), "");
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 0);
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 0);
}

}  // namespace
