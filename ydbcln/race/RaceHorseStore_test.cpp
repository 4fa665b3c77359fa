// Horses in a race read from a store: the runners of a result with their
// opponents and comments, card entries, and the accidents, stalls, margins
// and classes of runners written through the writer.
#include <gtest/gtest.h>

#include <string>
#include <utility>
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

TEST_F(ResultRunners, TheRunnersOfTheSmallWorldsRace) {
  Write();
  std::vector<YRaceHorse> runners = Runners("052024010611");
  ASSERT_EQ(runners.size(), 9u) << "the scratched horse is a runner too";
  const YRaceHorse& winner = runners[0];
  EXPECT_EQ(winner.racename, Sjis("ニューイヤーステークス")) << "from the race record";
  EXPECT_EQ(winner.runnercount, 9);
  EXPECT_EQ(winner.racetime, 1071) << "the race time in tenths";
  EXPECT_EQ(winner.last600, 371) << "the last 600 m in tenths";
  EXPECT_EQ(winner.margin, 0) << "no margin stored";
  EXPECT_EQ(runners[4].margin, 8);

  const YRaceHorse& scratched = runners[8];
  EXPECT_EQ(scratched.horseno, 9);
  EXPECT_EQ(scratched.ordertext, Sjis("消"));
  EXPECT_EQ(scratched.remarks, Sjis("取消 "));
}

TEST_F(ResultRunners, OpponentsAreFilledAtConstruction) {
  Write();
  std::vector<YRaceHorse> runners = Runners("052024010611");
  ASSERT_EQ(runners.size(), 9u);
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 1)
      << "the opponents come from the runner records at hand";
  for (YRaceHorse& h : runners) EXPECT_TRUE(h.opponentloaded) << int(h.horseno);
  // The winner's opponent is the runner-up; everybody else's the winner.
  EXPECT_EQ(runners[0].geth1code(), "2020012");
  EXPECT_EQ(runners[0].geth1name(), Sjis("ランナー2"));
  EXPECT_EQ(runners[0].getj1code(), "01001");
  EXPECT_EQ(runners[0].getj1name(), Sjis("鈴木次郎"));
  EXPECT_EQ(runners[0].gets1code(), "02001");
  EXPECT_EQ(runners[0].gets1name(), Sjis("南佐藤一郎"));
  for (std::size_t i = 1; i < runners.size(); ++i) {
    EXPECT_EQ(runners[i].geth1name(), Sjis("ランナー1")) << i;
    EXPECT_EQ(runners[i].getj1code(), "01002") << i;
  }
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 1) << "the getters fetch nothing more";

  // A past performance, built from its record alone, finds its opponent too.
  OwnedBuffer records(get_race2code_2("052024010611", 1));
  YRaceHorse past(&db_, static_cast<_tagRACERHREC*>(records.get()) + 2);
  EXPECT_EQ(past.horseno, 3);
  EXPECT_EQ(past.geth1name(), Sjis("ランナー1"));
  EXPECT_EQ(past.racename, Sjis("４歳上オープン")) << "the runner record holds no race name";
}

TEST_F(ResultRunners, AnOpponentNotFoundIsLookedUpWhenAsked) {
  Write();
  OwnedBuffer records(get_race2code_2("052024010611", 1));
  ydb_test_fail("get_race2code_2");
  YRaceHorse second(&db_, static_cast<_tagRACERHREC*>(records.get()) + 1);
  EXPECT_FALSE(second.opponentloaded);
  EXPECT_EQ(second.h1name, "");
  EXPECT_EQ(db_.geterrstatus(), 0) << "a missing opponent is no error";
  ydb_test_fail(nullptr);
  EXPECT_EQ(second.geth1name(), Sjis("ランナー1"));
  EXPECT_TRUE(second.opponentloaded);
}

TEST_F(ResultRunners, CommentsAndMemosAreFetchedOnceWhenAsked) {
  Write();
  ASSERT_TRUE(writer_->setRunMemo(ytest::kKey, "2020011", "次は買い").ok());
  std::vector<YRaceHorse> runners = Runners("052024010611");
  ASSERT_EQ(runners.size(), 9u);
  EXPECT_FALSE(runners[0].commentsloaded);
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 0);
  EXPECT_EQ(runners[0].get_rcomment(), Sjis("好位から抜け出す"));
  EXPECT_EQ(runners[0].get_rmemo(), Sjis("次は買い"));
  EXPECT_EQ(runners[0].get_rcomment(), Sjis("好位から抜け出す"));
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 2) << "comment and memo, once";
  EXPECT_EQ(runners[1].get_rcomment(), "");
  EXPECT_EQ(runners[1].get_rmemo(), "");
  EXPECT_TRUE(runners[1].commentsloaded);
}

TEST_F(ResultRunners, AccidentsStallsAndTheWinnersMargin) {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& race = racetest::AddRace(&world, {"05", 20240106, 12}, "20230");
  race.runners[0].result->margin_time = 4;  // the winner's lead
  race.runners[1].post_no = 7;              // started from stall 7
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
  EXPECT_EQ(runners[0].margin, -4) << "the winner's lead is negative";
  EXPECT_EQ(runners[1].remarks, Sjis("７枠発走 "));
  const char* orders[] = {"落", "失", "止", "外"};
  const char* remarks[] = {"落馬 ", "失格 ", "中止 ", "除外 "};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(runners[3 + i].ordertext, Sjis(orders[i])) << accidents[i];
    EXPECT_EQ(runners[3 + i].remarks, Sjis(remarks[i])) << accidents[i];
  }
  EXPECT_EQ(runners[7].ordertext, Sjis("⑧"));
  EXPECT_EQ(runners[7].remarks, Sjis("３着降着 "));
  EXPECT_EQ(runners[8].ordertext, Sjis("消"));
}

TEST_F(ResultRunners, EveryClassRank) {
  const std::vector<std::pair<std::pair<std::string, std::string>, int>> classes = {
      {{"00001", ""}, 0},  {{"00003", ""}, 0},  {{"05000", ""}, 1},  {{"-0005", ""}, 1},
      {{"09000", ""}, 2},  {{"10000", ""}, 3},  {{"-0010", ""}, 3},  {{"16000", ""}, 3},
      {{"-0016", ""}, 3},  {{"00004", ""}, 4},  {{"00004", "2"}, 5}, {{"00004", "5"}, 5},
      {{"00004", "1"}, 6}, {{"00004", "4"}, 6}, {{"00004", "0"}, 7}, {{"00004", "3"}, 7},
      {{"09005", ""}, 3},  {{"20000", ""}, 0},
  };
  // Twelve races at 福島 and the rest at 新潟, on one day, each run by
  // horses of its own.
  ydb::Batch world = ytest::MakeWorld();
  world.races.clear();
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const int n = static_cast<int>(i);
    ydb::Race race = ytest::MakeRace({n < 12 ? "06" : "07", 20240106, 1 + n % 12});
    race.class_code = classes[i].first.first;
    race.grade = classes[i].first.second;
    for (ydb::Runner& runner : race.runners) {
      runner.horse_code = std::to_string(2030000 + 100 * n + runner.horse_no);
      ydb::Horse horse = ytest::MakeHorse(runner.horse_code, "ホース" + runner.horse_code, "0");
      horse.owner_code = "100001";
      horse.breeder_code = "20000001";
      world.horses.push_back(horse);
    }
    world.races.push_back(race);
  }
  Write(world);
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const ydb::Race& race = world.races[i];
    std::vector<YRaceHorse> runners = Runners(race.key.code());
    ASSERT_FALSE(runners.empty()) << race.key.code();
    EXPECT_EQ(runners[0].classrank, classes[i].second)
        << race.class_code << " grade '" << race.grade << "'";
  }
}

TEST_F(RaceStore, NullRecordsGiveTheEmptyObjectAndFetchNothing) {
  Write();
  YRaceHorse past(&db_, static_cast<_tagRACERHREC*>(nullptr));
  YRaceHorse result(&db_, nullptr, nullptr, 0);
  YRaceHorse card(&db_, static_cast<_tagRACEDREC*>(nullptr), nullptr);
  for (YRaceHorse* h : {&past, &result, &card}) {
    EXPECT_EQ(h->horsecode, "");
    EXPECT_EQ(h->racecode, "");
    EXPECT_EQ(h->order, 0);
    EXPECT_EQ(h->geth1name(), "");
    EXPECT_EQ(h->get_rcomment(), "");
    EXPECT_EQ(h->get_rmemo(), "");
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 0);
  EXPECT_EQ(ydb_test_call_count("get_comment2code"), 0);
}

TEST_F(RaceStore, ACardEntry) {
  Write();
  OwnedBuffer race(get_denma2code("052024010611"));
  ASSERT_EQ(get_rec_size(race.get()), 1);
  unsigned char* card = static_cast<unsigned char*>(race.get());
  OwnedBuffer entries(get_denmah2code(card, card + 12));
  ASSERT_EQ(get_rec_size(entries.get()), 9);
  YRaceHorse h(&db_, static_cast<_tagRACEDREC*>(race.get()),
               static_cast<_tagRACEDHREC*>(entries.get()) + 2);
  EXPECT_EQ(h.horsecode, "2020013");
  EXPECT_EQ(h.horsename, Sjis("ランナー3"));
  EXPECT_EQ(h.racecode, "052024010211") << "the old-form key of the entry";
  EXPECT_EQ(h.kaisai, Sjis(" 1中山 2"));
  EXPECT_EQ(h.raceno, 11);
  EXPECT_EQ(h.horsecount, 9);
  EXPECT_EQ(h.horseno, 3);
  EXPECT_EQ(h.bracketno, 3);
  EXPECT_EQ(h.racename, Sjis("ニューイヤーステークス"));
  EXPECT_EQ(h.sexage, Sjis("牡４"));
  EXPECT_EQ(h.weightcarried, 570);
  EXPECT_EQ(h.jockeycode, "01002");
  EXPECT_EQ(h.track, Sjis("ダ"));
  EXPECT_EQ(h.distance, 1700);
  EXPECT_EQ(h.trainercode, "02001");
  EXPECT_EQ(h.ordertext, "");
  EXPECT_FALSE(h.opponentloaded) << "a card entry looks its opponent up when asked";
  EXPECT_EQ(h.geth1name(), "") << "the old-form key names no run race";
}

}  // namespace
