// The theory engine as a whole: bad input and a failing store, the order in
// which it evaluates a theory's items and fetches each past-run table once,
// the race conditions a caller overrides, the card and nomination readings,
// allrank against exec, 消 runners, parameters outside the catalogue and
// copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "db/api/ydbtest.h"
#include "ydbcln/theory/EngineWorld_test.h"
#include "ydbcln/theory/engine/FactorRegistry.h"

namespace {

using enginetest::Entry;
using enginetest::PastRun;
using enginetest::Today;
using V = std::vector<int>;

constexpr int kRunners = 6;

class CalcEngine : public enginetest::EngineWorld {
 protected:
  // A theory of the items {code, p1, p2}, each of weight 10.
  static YTheory Theory(const std::vector<V>& items) {
    YTheory theory(nullptr);
    for (const V& i : items) theory.additem(i[0], 10, i[1], i[2]);
    return theory;
  }

  // Writes what was added, clears the call counts and the status, and runs
  // `theory` on `code` (today's race when empty).
  int Exec(YTheory& theory, tagYCalcInfo* info = nullptr, int usecard = 0, int nomination = 0,
           bool resultonly = false, std::string code = "") {
    Flush();
    ydb_test_reset_counts();
    db_.clearerror();
    return engine_.exec(&theory, code.empty() ? today_.code() : code, usecard, nomination, info,
                        resultonly);
  }

  // allrank of `items` on today's race; every row is filled with 0xEE first
  // so that what it leaves alone shows.
  int AllRank(std::vector<_tagTHITEM> items, std::vector<std::vector<int>>* rows) {
    Flush();
    ydb_test_reset_counts();
    db_.clearerror();
    constexpr std::size_t kRow = YCalcTheory::kRankRow;
    std::vector<unsigned char> table(std::max<std::size_t>(items.size(), 2) * kRow, 0xEE);
    std::string code = today_.code();
    const int rc = engine_.allrank(items.data(), static_cast<int>(items.size()), code,
                                   reinterpret_cast<unsigned char (*)[kRow]>(table.data()));
    rows->clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
      rows->emplace_back(table.begin() + i * kRow, table.begin() + (i + 1) * kRow);
    }
    return rc;
  }

  // Six runners, each with past runs of its own that are also rides of its
  // jockey, runners of its trainer and, for horses 1 to 5, offspring runs
  // of their sire; every factor family has data for them. Runner i has the
  // prediction mark code i + 1 (消 for `outslot`), training mark $1 and
  // forecast odds 2.0 + i.
  void RichRace(bool run, int outslot = -1) {
    Sire("1100001", "サイアーワン");
    Sire("1100002", "サイアーツー");
    const char* jockeys[kRunners] = {"01001", "01002", "01003", "01001", "01002", "01004"};
    const char* trainers[kRunners] = {"02001", "02002", "02001", "02003", "02002", "02001"};
    const int first[kRunners] = {1, 3, 2, 5, 1, 4};
    const int second[kRunners] = {2, 1, 6, 3, 4, 1};
    Today today;
    today.run = run;
    for (int i = 0; i < kRunners; ++i) {
      const std::string horse = "100000" + std::to_string(i + 1);
      Horse(horse, i < 3 ? "1100001" : i < 5 ? "1100002" : "");
      for (int k = 0; k < 2; ++k) {
        const int position = k == 0 ? first[i] : second[i];
        AddRun(PastRun(horse, (k == 0 ? 20240402 : 20240502) + i)
                   .Jockey(jockeys[i])
                   .Trainer(trainers[i])
                   .Number(i + 1)
                   .Position(position)
                   .Popularity(position + 1)
                   .Odds(30 * position)
                   .Time(960 + 3 * position)
                   .Margin(2 * (position - 1))
                   .ThreeF(350 + position, 340 + position)
                   .Index(90 - position));
      }
      Entry e(horse);
      e.Jockey(jockeys[i]).Trainer(trainers[i]).Mark(std::to_string(i)).Training("1  ");
      e.Odds(20 + 10 * i);
      if (i == outslot) e.Mark("9");
      today.entries.push_back(e);
    }
    SetToday(today);
  }

  // The ranks of every item of the last exec, in item order.
  std::vector<V> ItemRanks(int items) {
    std::vector<V> out;
    for (int i = 0; i < items; ++i) out.push_back(Ranks(*engine_.getresult(), i));
    return out;
  }
};

// One item of every category and of the special factors.
const std::vector<V> kMixed = {{8, 0, 5},   {22, 0, 12}, {29, 0, 12}, {19, 200, 24},
                               {30, 0, 24}, {31, 0, 0},  {38, 0, 0},  {37, 0, 0}};

TEST_F(CalcEngine, BadArgumentsGiveMinusOneAndStatus1004) {
  RichRace(false);
  YTheory theory = Theory({{8, 0, 5}});
  ASSERT_EQ(Exec(theory), 0);
  const V before = Ranks(*engine_.getresult());

  EXPECT_EQ(engine_.exec(nullptr, today_.code(), 0, 0, nullptr, false), -1);
  EXPECT_EQ(db_.geterrstatus(), 1004);
  for (const char* code : {"05202406011", "05202406011a"}) {
    db_.clearerror();
    EXPECT_EQ(engine_.exec(&theory, code, 0, 0, nullptr, false), -1) << code;
    EXPECT_EQ(db_.geterrstatus(), 1004) << code;
  }
  EXPECT_EQ(Ranks(*engine_.getresult()), before);

  unsigned char ranks[2][YCalcTheory::kRankRow];
  _tagTHITEM item{8, 100, {0, 5, 0}};
  std::string code = today_.code();
  db_.clearerror();
  EXPECT_EQ(engine_.allrank(&item, -1, code, ranks), -1);
  EXPECT_EQ(db_.geterrstatus(), 1004);
}

TEST_F(CalcEngine, ACodeOfNoRaceLeavesTheResultAlone) {
  RichRace(true);
  YTheory theory = Theory(kMixed);
  ASSERT_EQ(Exec(theory), 0);
  const YTheoryResult& r = *engine_.getresult();
  const std::string key = r.racekey;
  const std::vector<V> ranks = ItemRanks(8);
  const std::string text = r.text[0][0][0];

  const std::string nowhere = Today().Place("06").code();
  EXPECT_EQ(Exec(theory, nullptr, 1, 0, false, nowhere), -1);
  EXPECT_EQ(db_.geterrstatus(), 0) << "no race is no error";
  EXPECT_EQ(Exec(theory, nullptr, 0, 1, false, nowhere), -1);
  EXPECT_EQ(r.racekey, key);
  EXPECT_EQ(r.runnercount, kRunners);
  EXPECT_EQ(ItemRanks(8), ranks);
  EXPECT_EQ(r.text[0][0][0], text);
}

TEST_F(CalcEngine, AStoreThatCannotAnswerLeavesStatus1002) {
  RichRace(false);
  YTheory theory = Theory({{8, 0, 5}});
  ASSERT_EQ(Exec(theory), 0);
  const std::string key = engine_.getresult()->racekey;

  // The race itself: nothing is evaluated.
  for (const char* op : {"get_race2code_1_ex", "get_denma2code", "get_denmah2code"}) {
    ydb_test_fail(op);
    EXPECT_EQ(Exec(theory), -1) << op;
    EXPECT_EQ(db_.geterrstatus(), 1002) << op;
    ydb_test_fail(nullptr);
  }
  EXPECT_EQ(engine_.getresult()->racekey, key);

  // A past-run table: the race is judged, without that table's data.
  struct Case {
    const char* op;
    V item;
  };
  for (const Case& c : {Case{"get_uma_racey2code", {8, 0, 5}},
                        Case{"get_jockey_racey2code", {22, 0, 12}},
                        Case{"get_stable_racey2code", {29, 0, 12}},
                        Case{"get_sirecode_uma2code", {19, 200, 24}},
                        Case{"get_raceh_racey2code", {30, 0, 24}}}) {
    YTheory one = Theory({c.item});
    ydb_test_fail(c.op);
    EXPECT_EQ(Exec(one), 0) << c.op;
    EXPECT_EQ(db_.geterrstatus(), 1002) << c.op;
    ydb_test_fail(nullptr);
    if (c.item[0] != 30) {
      EXPECT_EQ(Ranks(*engine_.getresult()), V(kRunners, 0)) << c.op;
    }
  }
}

TEST_F(CalcEngine, ASessionNotInitialisedLeavesStatus1001AndReadsNothing) {
  RichRace(false);
  YTheory theory = Theory({{8, 0, 5}});
  YHorseDB closed;
  YCalcTheory engine(&closed);
  ydb_test_reset_counts();
  EXPECT_EQ(engine.exec(&theory, today_.code(), 0, 0, nullptr, false), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(ydb_test_call_count("get_race2code_1_ex"), 0);
  std::string code = today_.code();
  unsigned char ranks[1][YCalcTheory::kRankRow];
  _tagTHITEM item = theory.record()->item[0];
  closed.clearerror();
  EXPECT_EQ(engine.allrank(&item, 1, code, ranks), -1);
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
}

TEST_F(CalcEngine, EachCategoryFetchesItsTableOnceForItsLongestPeriod) {
  // Jockey 01001 was fourth six months ago and second last month; 01002
  // won last month; 01003 was third; 01004 has no rides.
  AddRun(PastRun().Jockey("01001").On(20231201).Position(4));
  AddRun(PastRun().Jockey("01001").On(20240501).Position(2));
  AddRun(PastRun().Jockey("01002").On(20240510).Position(1));
  AddRun(PastRun().Jockey("01003").On(20240515).Position(3));
  Today today;
  const char* jockeys[kRunners] = {"01001", "01002", "01003", "01001", "01004", "01002"};
  for (int i = 0; i < kRunners; ++i) {
    today.entries.push_back(Entry("200000" + std::to_string(i + 1)).Jockey(jockeys[i]));
  }
  SetToday(today);

  // 勝率 over 3 months first, a horse factor between, 連対率 over 12 months.
  YTheory theory = Theory({{24, 0, 3}, {8, 0, 5}, {23, 0, 12}});
  ASSERT_EQ(Exec(theory), 0);
  EXPECT_EQ(ydb_test_call_count("get_jockey_racey2code"), kRunners);
  EXPECT_EQ(ydb_test_call_count("get_uma_racey2code"), kRunners);
  const YTheoryResult& r = *engine_.getresult();
  // The ride six months back counts over 12 months only: 01001 is 0 of 1
  // on 勝率 and 1 of 2 on 連対率.
  EXPECT_EQ(Ranks(r, 0), (V{3, 1, 3, 3, 0, 1}));
  EXPECT_EQ(Ranks(r, 2), (V{3, 1, 5, 3, 0, 1}));
  EXPECT_EQ(Texts(r, 0, 0), (std::vector<std::string>{"0.000"}));
  EXPECT_EQ(Texts(r, 0, 2), (std::vector<std::string>{"0.500"}));
  // Runner 5 has no data on any item: score 0, placed after all the others.
  EXPECT_EQ(r.score[4], 0.0);
  EXPECT_EQ(r.finalrank[4], kRunners);

  // allrank orders its items the same way, each row ending at the field.
  std::vector<std::vector<int>> rows;
  ASSERT_EQ(AllRank({{24, 100, {0, 3, 0}}, {8, 100, {0, 5, 0}}, {23, 100, {0, 12, 0}}}, &rows), 0);
  EXPECT_EQ(ydb_test_call_count("get_jockey_racey2code"), kRunners);
  EXPECT_EQ(V(rows[0].begin(), rows[0].begin() + kRunners), Ranks(r, 0));
  EXPECT_EQ(V(rows[2].begin(), rows[2].begin() + kRunners), Ranks(r, 2));
  EXPECT_EQ(V(rows[2].begin() + kRunners, rows[2].end()), V(18 - kRunners, 0xFF));
}

TEST_F(CalcEngine, TheCallerCanOverrideSurfaceDistanceAndGoing) {
  // Today: turf 1600 on a card (going not known, 0). Each jockey won once:
  // 01001 turf 1600 good, 01002 dirt 1200 heavy, 01003 dirt 1600 good,
  // 01004 turf 1200 heavy, 01005 turf 1600 heavy; 01006 never rode.
  AddRun(PastRun().Jockey("01001").On(20240501));
  AddRun(PastRun().Jockey("01002").On(20240502).Surface(enginetest::kDirt).Distance(1200).Going("2"));
  AddRun(PastRun().Jockey("01003").On(20240503).Surface(enginetest::kDirt));
  AddRun(PastRun().Jockey("01004").On(20240504).Distance(1200).Going("2"));
  AddRun(PastRun().Jockey("01005").On(20240505).Going("2"));
  Today today;
  for (int i = 0; i < kRunners; ++i) {
    today.entries.push_back(
        Entry("200000" + std::to_string(i + 1)).Jockey("0100" + std::to_string(i + 1)));
  }
  SetToday(today);

  struct Case {
    V item;
    tagYCalcInfo info;
    V plain, overridden;
  };
  const Case cases[] = {
      // 騎手コース適性: wins on the surface.
      {{71, 0, 24}, {0, -1, 0, {}, 0, {}}, {1, 0, 0, 1, 1, 0}, {0, 1, 1, 0, 0, 0}},
      // 騎手距離勝率 at ±0: surface and distance.
      {{26, 0, 24}, {-1, 1200, 0, {}, 0, {}}, {1, 0, 0, 0, 1, 0}, {0, 0, 0, 1, 0, 0}},
      // 騎手馬場適性: the expected going.
      {{62, 0, 24}, {-1, -1, 2, {}, 0, {}}, {1, 0, 1, 0, 0, 0}, {0, 1, 0, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    YTheory theory = Theory({c.item});
    ASSERT_EQ(Exec(theory), 0);
    EXPECT_EQ(Ranks(*engine_.getresult()), c.plain) << c.item[0];
    tagYCalcInfo info = c.info;
    ASSERT_EQ(Exec(theory, &info), 0);
    EXPECT_EQ(Ranks(*engine_.getresult()), c.overridden) << c.item[0];
  }
  // The result is told the same conditions.
  const YTheoryResult& r = *engine_.getresult();
  EXPECT_EQ((V{r.surface, r.distance, r.going}), (V{1, 1600, 2}));
}

TEST_F(CalcEngine, ARaceNotYetRunIsReadFromItsCard) {
  RichRace(false);
  YTheory theory = Theory({{31, 0, 0}, {38, 0, 0}});
  ASSERT_EQ(Exec(theory), 0);
  EXPECT_EQ(ydb_test_call_count("get_denma2code"), 1);
  const YTheoryResult& r = *engine_.getresult();
  ASSERT_EQ(r.runnercount, kRunners);
  // The card's marks: ◎ to 消 in number order.
  EXPECT_EQ(Ranks(r, 0), (V{1, 2, 3, 4, 5, 6}));

  // With resultonly a race not run gives -1 and leaves the result alone.
  YTheory other = Theory({{8, 0, 5}});
  EXPECT_EQ(Exec(other, nullptr, 0, 0, true), -1);
  EXPECT_EQ(Ranks(r, 0), (V{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(r.columncount[0], 1);
}

TEST_F(CalcEngine, ARunRaceIsReadFromItsResultsUnlessTheCardIsAskedFor) {
  // Jockey 01001 won on heavy going, 01002 on good going; today was heavy.
  AddRun(PastRun().Jockey("01001").On(20240501).Going("2"));
  AddRun(PastRun().Jockey("01002").On(20240502));
  Today today;
  today.run = true;
  today.Going("2");
  for (int i = 0; i < kRunners; ++i) {
    today.entries.push_back(
        Entry("200000" + std::to_string(i + 1)).Jockey(i % 2 == 0 ? "01001" : "01002"));
  }
  SetToday(today);
  YTheory theory = Theory({{62, 0, 12}});
  ASSERT_EQ(Exec(theory), 0);
  EXPECT_EQ(ydb_test_call_count("get_denma2code"), 0);
  EXPECT_EQ(Ranks(*engine_.getresult()), (V{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(engine_.getresult()->going, 2);
  // resultonly ranks as the full run does, without texts.
  ASSERT_EQ(Exec(theory, nullptr, 0, 0, true), 0);
  EXPECT_EQ(Ranks(*engine_.getresult()), (V{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(engine_.getresult()->columncount[0], 0);
  // The card knows no going: the good-going win counts.
  ASSERT_EQ(Exec(theory, nullptr, 1), 0);
  EXPECT_EQ(Ranks(*engine_.getresult()), (V{0, 1, 0, 1, 0, 1}));
}

TEST_F(CalcEngine, NominationsAreTheRunnersOfARaceBeforeItsDraw) {
  // Nineteen horses (one more than allrank's rows) nominated for a race
  // whose card of nine already has forecast odds; the first three
  // nominated have jockey 01001 (who has won), the first is marked 消.
  AddRun(PastRun().Jockey("01001").On(20240501));
  Today today;
  for (int i = 0; i < kRunners; ++i) today.entries.push_back(Entry("300000" + std::to_string(i + 1)));
  SetToday(today);
  Jockey("01002", "騎手01002");
  std::vector<ydb::Nomination> nominated;
  for (int i = 0; i < 19; ++i) {
    char code[8];
    std::snprintf(code, sizeof code, "31%05d", i + 1);
    Horse(code);
    const bool ridden = i < 3;
    nominated.push_back({code, "02001", ridden ? "01001" : "", 570,
                         i == 0 ? "9" : std::to_string(i % 5), ""});
  }
  Flush();
  ydb::Race race = ytest::MakeRace({"05", 20240608, 11});
  race.kai = 3;
  race.kai_day = 2;
  race.result.reset();
  for (std::size_t i = 0; i < race.runners.size(); ++i) {
    race.runners[i].horse_code = nominated[i].horse_code;
    race.runners[i].result.reset();
  }
  race.nominations = nominated;
  Write(race);
  const std::string code = race.key.code();

  YTheory theory = Theory({{37, 0, 0}, {31, 0, 0}, {24, 0, 12}});
  ASSERT_EQ(Exec(theory, nullptr, 0, 1, false, code), 0);
  const YTheoryResult& r = *engine_.getresult();
  ASSERT_EQ(r.runnercount, 19);
  EXPECT_EQ(Ranks(r, 0), V(19, 0)) << "no odds before the draw";
  EXPECT_EQ((V{r.frame[0], r.horseno[0]}), (V{0, 0})) << "no frame or number before the draw";
  // Marks ◎ for 3 horses, then ○, ▲, △ for 4 each and × for 3.
  EXPECT_EQ(V(r.rank[1], r.rank[1] + 6), (V{0, 4, 8, 12, 16, 1}));
  EXPECT_EQ(V(r.rank[2], r.rank[2] + 4), (V{0, 1, 1, 0}));

  // allrank keeps to the nominations the last exec read, and they do not
  // fit its rows (exec takes the whole field).
  unsigned char ranks[1][YCalcTheory::kRankRow];
  std::memset(ranks, 0xEE, sizeof ranks);
  _tagTHITEM item{31, 100, {0, 0, 0}};
  std::string nominations = code;
  EXPECT_EQ(engine_.allrank(&item, 1, nominations, ranks), -1);
  EXPECT_EQ(db_.geterrstatus(), 1004);
  EXPECT_EQ(V(ranks[0], ranks[0] + YCalcTheory::kRankRow), V(YCalcTheory::kRankRow, 0xEE)) << "nothing written";
}

TEST_F(CalcEngine, OneLoadedRaceRanksEveryCandidateItemFetchingEachTableOnce) {
  // The optimiser's 790 items on one race: through allrank, 78 at a time,
  // and all in one call.
  RichRace(true);
  const std::vector<_tagTHITEM> items = ytheory::CandidateItems();
  std::vector<std::vector<int>> expected;
  for (std::size_t at = 0; at < items.size(); at += 78) {
    const std::size_t end = std::min(items.size(), at + 78);
    std::vector<std::vector<int>> rows;
    ASSERT_EQ(AllRank(std::vector<_tagTHITEM>(items.begin() + at, items.begin() + end), &rows), 0);
    expected.insert(expected.end(), rows.begin(), rows.end());
  }

  // allrank takes all of them in one call, with the same ranks.
  std::vector<std::vector<int>> all;
  ASSERT_EQ(AllRank(items, &all), 0);
  int ranked = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    ASSERT_EQ(all[i], expected[i]) << "item " << i << ": factor " << items[i].no;
    ranked += expected[i][0] != 0 ? 1 : 0;
  }
  EXPECT_GT(ranked, 600) << "agreement is not agreement on 0";
  // Each table once, for the longest period asked (24 months); the course
  // draw reads the course once per period.
  EXPECT_EQ(ydb_test_call_count("get_uma_racey2code"), kRunners);
  EXPECT_EQ(ydb_test_call_count("get_jockey_racey2code"), kRunners);
  EXPECT_EQ(ydb_test_call_count("get_stable_racey2code"), 3);
  EXPECT_EQ(ydb_test_call_count("get_sire_racey2code"), 2);
  EXPECT_EQ(ydb_test_call_count("get_sirecode_uma2code"), kRunners);
  EXPECT_EQ(ydb_test_call_count("get_raceh_racey2code"), 5);
}

TEST_F(CalcEngine, ARunnerMarkedOutHasNoFactorRankButAFinalRank) {
  // Runner 5 shares its jockey and trainer with runner 2 and its sire with
  // runner 4, who keep their ranks.
  RichRace(true, 4);
  YTheory theory = Theory(kMixed);
  ASSERT_EQ(Exec(theory), 0);
  const YTheoryResult& r = *engine_.getresult();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(r.rank[i][4], 0) << kMixed[static_cast<std::size_t>(i)][0];
    EXPECT_NE(V(r.rank[i], r.rank[i] + kRunners), V(kRunners, 0));
  }
  EXPECT_NE(r.rank[1][1], 0);  // 騎手実績 of 01002
  EXPECT_NE(r.rank[2][1], 0);  // トレーナー実績 of 02002
  EXPECT_NE(r.rank[3][3], 0);  // 種牡馬距離実績 of 1100002
  EXPECT_GE(r.finalrank[4], 1);
  EXPECT_LE(r.finalrank[4], kRunners);
  EXPECT_TRUE(r.excluded[4]);
}

TEST_F(CalcEngine, CodesAndParametersOutsideTheCatalogueRankNobody) {
  RichRace(true);
  // At their defaults these have data for every runner but the sixth's sire.
  YTheory fine = Theory({{8, 0, 5}, {11, 200, 3}, {22, 0, 12}, {66, 0, 12}, {19, 200, 24}});
  ASSERT_EQ(Exec(fine), 0);
  for (int i = 0; i < 5; ++i) EXPECT_NE(engine_.getresult()->rank[i][0], 0) << i;

  YTheory odd = Theory({{0, 0, 0}, {79, 0, 0}, {8, 0, 0}, {11, -200, 3}, {22, 0, 0},
                        {19, -400, 24}, {1, 0, 0}, {3, -200, 3}});
  ASSERT_EQ(Exec(odd), 0);
  EXPECT_EQ(ItemRanks(8), std::vector<V>(8, V(kRunners, 0)));
  // The course draw counts nothing over no period: every runner shares 1.
  YTheory draw = Theory({{30, 0, 0}});
  ASSERT_EQ(Exec(draw), 0);
  EXPECT_EQ(Ranks(*engine_.getresult()), V(kRunners, 1));
}

TEST_F(CalcEngine, CopiesOwnTheirResultAndBuffers) {
  RichRace(true);
  YTheory theory = Theory(kMixed);
  ASSERT_EQ(Exec(theory), 0);
  const std::vector<V> ranks = ItemRanks(8);

  auto copy = std::make_unique<YCalcTheory>(engine_);
  YCalcTheory assigned(&db_);
  assigned = engine_;

  // The source judges another theory; the copies keep the first.
  YTheory other = Theory({{31, 0, 0}});
  ASSERT_EQ(Exec(other), 0);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Ranks(*assigned.getresult(), i), ranks[static_cast<std::size_t>(i)]);
  // A copy outlives its source's buffers and works on its own.
  engine_ = *copy;
  copy.reset();
  EXPECT_EQ(ItemRanks(8), ranks);
  EXPECT_EQ(assigned.exec(&theory, today_.code(), 0, 0, nullptr, false), 0);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Ranks(*assigned.getresult(), i), ranks[static_cast<std::size_t>(i)]);
}

// Results only over a range, a run race is read with its month's four
// range fetches and none of its own (the season's range test compares the
// rest); a range whose fetches fail reads the race by itself.
TEST_F(CalcEngine, OverARangeARunRaceIsReadWithItsMonth) {
  RichRace(true, 2);
  YTheory theory = Theory({{8, 0, 5}, {31, 0, 0}, {22, 0, 12}});
  ASSERT_EQ(Exec(theory, nullptr, 0, 0, true), 0);
  const YTheoryResult alone = *engine_.getresult();
  ASSERT_EQ(alone.runnercount, kRunners);
  const int date = std::stoi(today_.code().substr(2, 8));
  engine_.beginrange(&theory, date - 100, date);

  ydb_test_fail("get_raceh2date_range");
  ASSERT_EQ(Exec(theory, nullptr, 0, 0, true), 0);
  ydb_test_fail(nullptr);
  EXPECT_EQ(ydb_test_call_count("get_race2code_2"), 1);
  EXPECT_EQ(Ranks(*engine_.getresult(), 2), Ranks(alone, 2));

  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_EQ(Exec(theory, nullptr, 0, 0, true), 0) << pass;
    // The month is read by the first race of it only.
    EXPECT_EQ(ydb_test_call_count("get_race2date_range"), pass == 0 ? 1 : 0);
    EXPECT_EQ(ydb_test_call_count("get_exprize2date_range"), pass == 0 ? 1 : 0);
    EXPECT_EQ(ydb_test_call_count("get_yodds_tan2date_range"), pass == 0 ? 1 : 0);
    for (const char* own :
         {"get_race2code_1_ex", "get_race2code_2", "get_exprize2code", "get_yodds_tan2code"}) {
      EXPECT_EQ(ydb_test_call_count(own), 0) << own;
    }
    const YTheoryResult& r = *engine_.getresult();
    for (int item = 0; item < 3; ++item) EXPECT_EQ(Ranks(r, item), Ranks(alone, item)) << item;
    EXPECT_EQ(r.excluded[2], alone.excluded[2]);
  }
  engine_.endrange();
}

// A subclass, as an engine's own factors would, reaches the time format.
struct TimedEngine : YCalcTheory {
  TimedEngine() : YCalcTheory(nullptr) {}
  using YCalcTheory::sectotime;
};

TEST(CalcEngineTime, SectotimeGivesMinutesSecondsAndTenths) {
  TimedEngine engine;
  EXPECT_EQ(engine.sectotime(600), 1000);
  EXPECT_EQ(engine.sectotime(834), 1234);
}

}  // namespace
