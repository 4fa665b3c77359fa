// The return analysis: the rate texts and empty rows, the category of a
// race in each table, the hit list, the progress text of a run stopped by its
// callback or by a race it cannot load, and agreement with the optimiser's
// betting of the same theory on the same races.
#include "ydbcln/money/YKaishu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryMaker.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "text/sjis.h"

namespace {

using Row = std::vector<std::string>;

// The protected steps and totals, reachable by a test as by a subclass.
struct Kaishu : YKaishu {
  using YKaishu::YKaishu;
  using YKaishu::addrace;
  using YKaishu::clear;
  using YKaishu::settexts;
  const YKaishuTotal& total() const { return total_; }
};

Row RowOf(const std::string* texts) { return Row(texts, texts + YKaishu::kColumns); }
const Row kEmpty(YKaishu::kColumns);

// A checked result: `tickets` bought, the payouts `hits` hit, at the
// categories given.
YTheoryResult Result(int tickets, std::vector<int> hits, int place = 4, int age = 3,
                     int klass = 5, int going = 1, int surface = 1, int distance = 1600) {
  YTheoryResult r(nullptr);
  r.racekey = "042024052611";
  r.ticketcount = tickets;
  r.hitcount = static_cast<int>(hits.size());
  for (std::size_t i = 0; i < hits.size(); ++i) r.hitamount[i] = hits[i];
  r.placeindex = place;
  r.agekind = age;
  r.classindex = klass;
  r.going = going;
  r.surface = surface;
  r.distance = distance;
  return r;
}

TEST(ReturnAnalysis, RatesInHundredthsAndTenthsAndEmptyRows) {
  Kaishu k(nullptr);
  k.settexts();
  const std::string zero = ytext::to_sjis_lossy("0円");
  EXPECT_EQ(Row(k.summary, k.summary + 7), (Row{"0", "0", zero, zero, zero, "0.00%", "0.00%"}));
  EXPECT_EQ(RowOf(k.course[4]), kEmpty);
  EXPECT_EQ(RowOf(k.distance[1][8]), kEmpty);
  EXPECT_EQ(RowOf(k.jump), kEmpty);

  // Two races of three with a hit; 705 yen back of 10000 staked: rates in
  // hundredths in the summary, tenths in the tables.
  YTheoryResult small = Result(50, {205});
  YTheoryResult other = Result(25, {500});
  YTheoryResult none = Result(25, {});
  for (YTheoryResult* r : {&small, &other, &none}) k.addrace(r);
  k.settexts();
  EXPECT_EQ(Row(k.summary, k.summary + 7),
            (Row{"3", "2", ytext::to_sjis_lossy("1万円"), ytext::to_sjis_lossy("705円"),
                 ytext::to_sjis_lossy("500円"), "66.67%", "7.05%"}));
  EXPECT_EQ(RowOf(k.course[4]), (Row{"3", "2", "66.7%", "7.1%"}));
  EXPECT_EQ(RowOf(k.course[5]), kEmpty);

  // Races without a ticket: a rate over no money staked is 0.
  k.clear();
  YTheoryResult bought_nothing = Result(0, {});
  k.addrace(&bought_nothing);
  k.settexts();
  EXPECT_EQ(k.summary[6], "0.00%");
  EXPECT_EQ(RowOf(k.going[1]), (Row{"1", "0", "0.0%", "0.0%"}));
}

TEST(ReturnAnalysis, DistanceRowsOfEachTrackAndTheJumpRow) {
  const std::vector<std::pair<int, int>> rows = {{801, -1}, {802, 0},  {1200, 0},
                                                 {1201, 1}, {2400, 6}, {2401, 7}};
  for (const auto& [metres, row] : rows) EXPECT_EQ(YKaishu::distancerow(metres), row) << metres;

  Kaishu k(nullptr);
  YTheoryResult dirt800 = Result(1, {}, 4, 3, 5, 1, 0, 800);
  YTheoryResult turf2402 = Result(1, {}, 4, 3, 5, 1, 1, 2402);
  YTheoryResult jump = Result(1, {}, 4, 4, 5, 1, 2, 3000);
  for (YTheoryResult* r : {&dirt800, &turf2402, &jump}) k.addrace(r);
  k.settexts();
  for (int r = 0; r < YKaishu::kDistanceTotal; ++r) EXPECT_EQ(RowOf(k.distance[0][r]), kEmpty) << r;
  EXPECT_EQ(k.distance[0][8][0], "1") << "800 m counts in the total of its track only";
  EXPECT_EQ(k.distance[1][7][0], "1");
  EXPECT_EQ(k.distance[1][8][0], "1");
  EXPECT_EQ(k.jump[0], "1");
  EXPECT_EQ(k.summary[0], "3");
}

// A race result record of the given codes, as setresult reads it.
YTheoryResult Classified(const std::string& place, char age, const std::string& klass, char grade,
                         char going) {
  _tagRACERMREC rec;
  std::memset(rec.bytes, ' ', sizeof rec.bytes);
  const std::string code = place + "2024052611";
  std::memcpy(rec.bytes + racermrec::kRaceCode, code.data(), code.size());
  rec.bytes[racermrec::kRaceKind] = static_cast<unsigned char>(age);
  std::memcpy(rec.bytes + racermrec::kConditions, klass.data(), 5);
  rec.bytes[racermrec::kGrade] = static_cast<unsigned char>(grade);
  rec.bytes[racermrec::kTrack] = '1';
  std::memcpy(rec.bytes + racermrec::kDistance, "1600", 4);
  std::memcpy(rec.bytes + racermrec::kRunnerCount, "10", 2);
  rec.bytes[racermrec::kGoing] = static_cast<unsigned char>(going);
  YTheoryResult r(nullptr);
  r.setresult(&rec, nullptr);
  return r;
}

// The single row of `table` that counts a race, -1 for none.
template <int N>
int CountedRow(const std::string (&table)[N][YKaishu::kColumns]) {
  int found = -1;
  for (int r = 0; r < N; ++r) {
    if (!table[r][0].empty()) {
      EXPECT_EQ(found, -1) << "two rows";
      found = r;
    }
  }
  return found;
}

TEST(ReturnAnalysis, EachRaceCountsInTheRowsOfItsCourseAgeClassAndGoing) {
  struct Case {
    std::string place;
    char age;
    std::string klass;
    char grade;
    char going;
    int course_row, age_row, class_row, going_row;
  };
  const std::vector<Case> cases = {
      {"08", '1', "00001", ' ', ' ', 0, 0, 0, 0},  {"09", '5', "00002", ' ', '0', 1, 0, 0, 0},
      {"06", '2', "00003", ' ', '1', 2, 1, 1, 1},  {"07", '6', "04000", ' ', '2', 3, 1, 2, 2},
      {"04", '3', "05000", ' ', '3', 4, 2, 2, 3},  {"05", '7', "09000", ' ', '1', 5, 2, 3, 1},
      {"02", '8', "10000", ' ', '1', 6, 2, 3, 1},  {"00", '4', "15000", ' ', '1', 7, 3, 4, 1},
      {"01", '9', "16000", ' ', '1', 8, 3, 4, 1},  {"03", 'A', "00004", '1', '1', 9, 3, 5, 1},
      {"05", 'C', "00004", ' ', '1', 5, 3, 5, 1},
      {"05", '0', "00004", '1', '1', 5, 4, 8, 1},  {"05", '3', "00004", ' ', '1', 5, 2, 8, 1},
      {"05", '2', "00004", ' ', '1', 5, 1, 6, 1},  {"05", '1', "00004", ' ', '1', 5, 0, 7, 1},
      // Not counted: another course, age condition or class.
      {"1A", '4', "00004", ' ', '1', -1, 3, 7, 1}, {"05", 'Z', "00004", ' ', '1', 5, -1, 5, 1},
      {"05", '4', "00099", ' ', '1', 5, 3, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place + " " + c.age + " " + c.klass);
    Kaishu k(nullptr);
    YTheoryResult r = Classified(c.place, c.age, c.klass, c.grade, c.going);
    k.addrace(&r);
    k.settexts();
    EXPECT_EQ(k.summary[0], "1");
    EXPECT_EQ(CountedRow(k.course), c.course_row);
    EXPECT_EQ(CountedRow(k.age), c.age_row);
    EXPECT_EQ(CountedRow(k.classes), c.class_row);
    EXPECT_EQ(CountedRow(k.going), c.going_row);
  }
}

TEST(ReturnAnalysis, HitsKeepTheirPayoutsRanksAndKind) {
  Kaishu k(nullptr);
  YTheoryResult hit = Result(3, {1200, 450});
  hit.maxhit = 1200;
  hit.maxhitrank = 102;
  hit.minhit = 450;
  hit.minhitrank = 103;
  hit.hitbettype = 2;
  YTheoryResult miss = Result(3, {});
  k.addrace(&miss);
  k.addrace(&hit);
  ASSERT_EQ(k.gettekicnt(), 1);
  EXPECT_EQ(k.gettekicode(0), "042024052611");
  EXPECT_EQ(k.get_tekichu_maxdiv(0), 1200);
  EXPECT_EQ(k.get_tekichu_minrank(0), 103);
  EXPECT_EQ(k.get_tekichu_kind(0), 2);
  EXPECT_EQ(k.gettekicode(1), "");
  EXPECT_EQ(k.get_tekichu_maxdiv(1), 0);
  EXPECT_EQ(k.total().largest, 1200);
  EXPECT_EQ(k.total().returned, 1650);
}

// --- On a store --------------------------------------------------------------

const char kBefore[] = "052023122811";  // nine runners, no past runs
const char kRace[] = "052024010611";    // nine runners, horse 9 scratched
const char kEight[] = "052024012011";   // eight runners

// Boxes of the first three ranks; single horses ranked 1 and 2.
YTheoryOption Boxes() {
  YTheoryOption option = {};
  for (int b : {YTheoryOption::kPairBlock, YTheoryOption::kFrameBlock}) {
    option.block[b][YTheoryOption::kMethod] = YTheoryOption::kBox;
    option.block[b][YTheoryOption::kBoxFirst] = 1;
    option.block[b][YTheoryOption::kBoxCount] = 3;
  }
  option.block[YTheoryOption::kSingleBlock][YTheoryOption::kBoxFirst] = 2;
  return option;
}

// An individual of the genes (item, weight).
GAPARAMS Genes(std::vector<std::pair<int, int>> genes) {
  GAPARAMS g{};
  for (int k = 0; k < GAPARAMS::kGenes; ++k) {
    g.gene[k].item = static_cast<std::uint16_t>(genes[static_cast<std::size_t>(k)].first);
    g.gene[k].weight = static_cast<std::uint8_t>(genes[static_cast<std::size_t>(k)].second);
  }
  return g;
}

// Stops when asked for the race `stop_at` (from 1); keeps what it is told.
int stop_at = 0;
std::vector<std::string> told;
int Progress(int index, int count, const char* text) {
  told.push_back(std::to_string(index) + "/" + std::to_string(count) + " " + text);
  return index == stop_at ? 0 : 1;
}

// The optimiser's totals of an individual, as it adds them.
struct Maker : YTheoryMaker {
  using YTheoryMaker::YTheoryMaker;
  using YTheoryMaker::eval;
  using YTheoryMaker::gatoth;
  void addtototal(YKaishuTotal* total, int race, YTheoryResult* result) override {
    YTheoryMaker::addtototal(total, race, result);
    YTheoryMaker::addtototal(&sum, race, result);
  }
  YKaishuTotal sum;
};

class ReturnStore : public racetest::RaceStore {
 protected:
  void SetUp() override {
    RaceStore::SetUp();
    Write(ytest::MakeThreeRaceWorld());
    theory_.additem(8, 100, 0, 5);
  }
  std::string codes_ = std::string(kBefore) + kRace + kEight;
  YTheory theory_{nullptr};
  YTheoryOption option_ = Boxes();
};

TEST_F(ReturnStore, ACallbackStopKeepsTheTotalsAndMakesNoTexts) {
  Kaishu k(&db_);
  k.setcallback(Progress);
  stop_at = 2;
  told.clear();
  EXPECT_EQ(k.exec(&theory_, YTheoryResult::kWin, &option_, 3, codes_.data()), 1);
  EXPECT_EQ(k.getstoppedrace(), kRace);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0], "1/3 " + ytext::to_sjis_lossy("2023年12月28日中山11レースを計算中です．"));
  EXPECT_EQ(k.total().races, 1) << "the race before the stop";
  EXPECT_EQ(k.summary[0], "");

  stop_at = 0;
  EXPECT_EQ(k.exec(&theory_, YTheoryResult::kWin, &option_, 3, codes_.data()), 0);
  EXPECT_EQ(k.summary[0], "3");
  EXPECT_EQ(k.course[5][0], "3");
  EXPECT_EQ(k.getstoppedrace(), "");

  // An unknown race stops the run where it is, the texts not made.
  std::string unknown = codes_ + "052024012012";
  EXPECT_EQ(k.exec(&theory_, YTheoryResult::kWin, &option_, 4, unknown.data()), -1);
  EXPECT_EQ(k.getstoppedrace(), "052024012012");
  EXPECT_EQ(k.total().races, 3);
  EXPECT_EQ(k.summary[0], "");
  EXPECT_EQ(k.gettekicnt(), 3) << "the hits so far stay";

  // Bad arguments change nothing.
  EXPECT_EQ(k.exec(&theory_, 5, &option_, 3, codes_.data()), -1);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kBadParameter);
  EXPECT_EQ(k.exec(nullptr, 3, &option_, 3, codes_.data()), -1);
  EXPECT_EQ(k.total().races, 3);

  // 馬連: the race of eight runners is not counted.
  EXPECT_EQ(k.exec(&theory_, YTheoryResult::kQuinella, &option_, 3, codes_.data()), 0);
  EXPECT_EQ(k.summary[0], "2");
}

// Three theories of the candidate items, bet in every manner: the
// optimiser's betting on its table comes to the same races, hits, stake
// and return as the return analysis of the races themselves.
TEST_F(ReturnStore, TheOptimisersBettingAgreesWithTheReturnAnalysis) {
  Maker maker(&db_);
  maker.setrace(3, codes_.data());
  ASSERT_EQ(maker.calc(), 0);
  const std::vector<GAPARAMS> individuals = {
      Genes({{0, 50}, {0, 50}, {0, 50}, {0, 50}, {0, 50}, {0, 50}, {0, 50}, {0, 50}}),
      Genes({{5, 80}, {100, 20}, {300, 50}, {7, 1}, {42, 99}, {0, 10}, {600, 40}, {9, 60}}),
      Genes({{780, 100}, {200, 5}, {1, 30}, {400, 70}, {50, 50}, {60, 50}, {70, 50}, {80, 50}})};
  int hits = 0, misses = 0;
  for (std::size_t t = 0; t < individuals.size(); ++t) {
    GAPARAMS genes = individuals[t];
    YTheory theory(nullptr);
    ASSERT_TRUE(maker.gatoth(&genes, &theory));
    for (int kind = 0; kind < 5; ++kind) {
      SCOPED_TRACE("theory " + std::to_string(t) + " kind " + std::to_string(kind));
      YTheoryOption option = Boxes();
      maker.setparam(kind, &option, 1.0, 0.0);
      maker.sum = YKaishuTotal();
      EVALVALUE value;
      maker.eval(&genes, &value);
      Kaishu k(&db_);
      ASSERT_EQ(k.exec(&theory, kind, &option, 3, codes_.data()), 0);
      EXPECT_EQ(k.total().races, maker.sum.races);
      EXPECT_EQ(k.total().hitraces, maker.sum.hitraces);
      EXPECT_EQ(k.total().staked, maker.sum.staked);
      EXPECT_EQ(k.total().returned, maker.sum.returned);
      EXPECT_GT(k.total().races, 0);
      hits += k.total().hitraces;
      misses += k.total().races - k.total().hitraces;
    }
  }
  EXPECT_GT(hits, 0);
  EXPECT_GT(misses, 0);
}

}  // namespace
