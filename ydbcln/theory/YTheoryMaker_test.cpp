// The optimiser: its candidate items, random numbers and genes, the save
// file, the betting of an individual on a score table, the search's
// callback and repeatability, and calc on a store.
#include "ydbcln/theory/YTheoryMaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "db/api/TheoryFile.h"
#include "db/api/ydbbsn.h"
#include "db/api/ydbtest.h"
#include "testing/TempDir.h"
#include "text/sjis.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

using Row = std::vector<unsigned char>;

// The protected steps, reachable by a test as by a subclass.
struct Maker : YTheoryMaker {
  using YTheoryMaker::YTheoryMaker;
  using YTheoryMaker::cross;
  using YTheoryMaker::eval;
  using YTheoryMaker::gamake;
  using YTheoryMaker::gatoth;
  using YTheoryMaker::mutate;
};

GAPARAMS Genes(std::initializer_list<int> items, int weight = 50) {
  GAPARAMS g{};
  int k = 0;
  for (int item : items) {
    g.gene[k].item = static_cast<std::uint16_t>(item);
    g.gene[k].weight = static_cast<std::uint8_t>(weight);
    ++k;
  }
  return g;
}

void Put(std::string* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

// A save file as the format describes it, for `items` candidates: each race
// of `runners` runners in which every item ranks horse h at rank h, and the
// race's payouts.
std::string SaveFile(std::size_t items, const std::vector<std::string>& codes,
                     const std::vector<int>& runners, std::vector<YHaitoInfo> payouts,
                     std::uint32_t version = 1) {
  std::string body;
  Put(&body, static_cast<std::uint32_t>(items), 2);
  Put(&body, static_cast<std::uint32_t>(codes.size()), 4);
  for (const std::string& code : codes) body += code;
  for (int n : runners) {
    for (std::size_t i = 0; i < items; ++i) {
      for (int h = 0; h < YTheoryMaker::kRow; ++h) body.push_back(static_cast<char>(h < n ? h + 1 : 0xFF));
    }
  }
  for (YHaitoInfo& info : payouts) {
    char record[YHaitoInfo::kRecordSize];
    FILE* memory = fmemopen(record, sizeof record, "wb");
    info.write(memory);
    std::fclose(memory);
    body.append(record, sizeof record);
  }
  const std::uint32_t checksum = ydb::Crc32(body);
  body += "YTMS";
  Put(&body, version, 4);
  Put(&body, checksum, 4);
  return body;
}

YHaitoInfo WinPaying(int horse, int yen) {
  YHaitoInfo info;
  info.tansho_uma[0] = static_cast<unsigned short>(horse);
  info.tansho_haito[0] = yen;
  return info;
}

class TheoryMaker : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes, const char* name = "table.ytm") {
    const std::string path = dir_.str() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Two races: horse 1 wins the first (¥350), horse 2 the second (¥200).
  std::string TwoRaces(Maker* maker) {
    return Write(SaveFile(maker->getitemcount(), {"052024010611", "052024010612"}, {10, 8},
                          {WinPaying(1, 350), WinPaying(2, 200)}));
  }
  ytest::TempDir dir_;
};

TEST_F(TheoryMaker, EveryCandidateItemUnlessItsFactorIsExcluded) {
  Maker maker(nullptr);
  EXPECT_EQ(maker.getitemcount(), 790);

  char flags[YTheoryMaker::kFlags] = {};
  flags[8 - 1] = 1;
  flags[24 - 1] = 1;
  maker.setnoitem(flags);
  int left = 0;
  for (const YThItem& item : maker.items()) {
    EXPECT_NE(item.item.no, 8);
    EXPECT_NE(item.item.no, 24);
    ++left;
  }
  EXPECT_LT(left, 790);
  EXPECT_EQ(maker.getitemcount(), left);
  maker.setnoitem(nullptr);
  EXPECT_EQ(maker.getitemcount(), 790);
}

TEST_F(TheoryMaker, RandomNumbersGenesAndTheirDecoding) {
  ytheory::Rand15 random;
  random.seed(1);
  EXPECT_EQ(std::vector<int>({random.next(), random.next(), random.next(), random.next()}),
            std::vector<int>({41, 18467, 6334, 26500}));

  Maker maker(nullptr);
  maker.setseed(7);
  const int n = maker.getitemcount();
  for (int draw = 0; draw < 10000; ++draw) {
    GAPARAMS g;
    maker.gamake(&g);
    for (int k = 0; k < GAPARAMS::kGenes; ++k) {
      ASSERT_LT(g.gene[k].item, n - k);
      ASSERT_GE(g.gene[k].weight, 1);
      ASSERT_LE(g.gene[k].weight, 100);
    }
    int positions[GAPARAMS::kGenes];
    maker.gatoth(&g, positions, nullptr);
    ASSERT_EQ(std::set<int>(positions, positions + GAPARAMS::kGenes).size(), 8u);
  }
  // The largest index of each gene names the last item that remains.
  GAPARAMS last = Genes({n - 1, n - 2, n - 3, n - 4, n - 5, n - 6, n - 7, n - 8}, 9);
  int positions[GAPARAMS::kGenes];
  _tagTHITEM items[GAPARAMS::kGenes];
  maker.gatoth(&last, positions, items);
  EXPECT_EQ(std::vector<int>(positions, positions + 8),
            std::vector<int>({n - 1, n - 2, n - 3, n - 4, n - 5, n - 6, n - 7, n - 8}));
  EXPECT_EQ(items[0].value, 9);
  // Index 0 each time takes the first items in turn.
  GAPARAMS first = Genes({0, 0, 0, 0, 0, 0, 0, 0});
  maker.gatoth(&first, positions, nullptr);
  EXPECT_EQ(std::vector<int>(positions, positions + 8), std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(TheoryMaker, CrossExchangesTheGenesBetweenTwoCutsAndMutateChangesOne) {
  Maker maker(nullptr);
  ytheory::Rand15 script;
  for (std::uint32_t seed = 1; seed < 40; ++seed) {
    GAPARAMS a = Genes({0, 1, 2, 3, 4, 5, 6, 7}, 10);
    GAPARAMS b = Genes({100, 101, 102, 103, 104, 105, 106, 107}, 20);
    maker.setseed(seed);
    script.seed(seed);
    const int c1 = script.below(8);
    const int c2 = script.below(8);
    maker.cross(&a, &b);
    for (int k = 0; k < 8; ++k) {
      const bool exchanged = (k < c1) != (k < c2);
      EXPECT_EQ(a.gene[k].item, exchanged ? 100 + k : k) << seed << " gene " << k;
      EXPECT_EQ(b.gene[k].weight, exchanged ? 10 : 20) << seed << " gene " << k;
    }

    GAPARAMS m = Genes({0, 1, 2, 3, 4, 5, 6, 7}, 10);
    const GAPARAMS before = m;
    const int draw = script.below(16);
    maker.mutate(&m);
    int changed = 0;
    for (int k = 0; k < 8; ++k) {
      changed += m.gene[k].item != before.gene[k].item || m.gene[k].weight != before.gene[k].weight;
      if (k != draw / 2) {
        EXPECT_EQ(m.gene[k].item, before.gene[k].item);
      }
    }
    EXPECT_LE(changed, 1) << seed;
    if (draw % 2 == 0) {
      EXPECT_EQ(m.gene[draw / 2].item, before.gene[draw / 2].item) << seed;
    }
    script.next();  // the new value's draw
  }
}

TEST_F(TheoryMaker, AnIndividualIsBetOnEveryRaceOfTheTable) {
  Maker maker(nullptr);
  ASSERT_TRUE(maker.load(const_cast<char*>(TwoRaces(&maker).c_str())));
  ASSERT_TRUE(maker.isready());
  EXPECT_EQ(maker.getracecount(), 2);

  // 単勝 on the top-ranked runner: horse 1 in both races, which wins one.
  YTheoryOption option = {};
  option.block[YTheoryOption::kSingleBlock][YTheoryOption::kBoxFirst] = 1;
  maker.setparam(YTheoryResult::kWin, &option, 1.0, 0.5);
  GAPARAMS g = Genes({0, 0, 0, 0, 0, 0, 0, 0});
  EVALVALUE value;
  maker.eval(&g, &value);
  EXPECT_DOUBLE_EQ(value.hitrate, 50.0);
  EXPECT_DOUBLE_EQ(value.returnrate, 175.0);
  EXPECT_DOUBLE_EQ(value.fitness, 50.0 + 87.5);

  // (Which races each bet type counts is compared with the return analysis
  // of the same races, bet type by bet type, in the money tests.)

  // Bad parameters change nothing.
  YHorseDB db;
  Maker checked(&db);
  checked.setparam(5, &option, 1.0, 0.0);
  EXPECT_EQ(db.geterrstatus(), YHorseDB::kBadParameter);
  EXPECT_FALSE(checked.gettheory(nullptr));
}

TEST_F(TheoryMaker, TheSaveFileRoundTripsAndAnythingElseIsRefused) {
  Maker maker(nullptr);
  const std::string path = TwoRaces(&maker);
  const std::string image = Read(path);
  ASSERT_TRUE(maker.load(const_cast<char*>(path.c_str())));
  const std::string again = dir_.str() + "/again.ytm";
  ASSERT_TRUE(maker.save(const_cast<char*>(again.c_str())));
  EXPECT_EQ(Read(again), image);
  EXPECT_EQ(maker.payouts(1).tansho_uma[0], 2);
  EXPECT_EQ(maker.rows(0)[YTheoryMaker::kRow - 1], YTheoryMaker::kNoHorse);

  auto refused = [&](const std::string& bytes, const std::string& why) {
    Maker m(nullptr);
    EXPECT_FALSE(m.load(const_cast<char*>(Write(bytes, "bad.ytm").c_str()))) << why;
    EXPECT_FALSE(m.isready()) << why;
    EXPECT_EQ(m.getracecount(), 0) << why;
  };
  for (std::size_t cut = 0; cut < image.size(); cut += 1999) refused(image.substr(0, cut), "cut");
  refused(image.substr(0, image.size() - 1), "cut by one byte");
  // A byte of the counts, a race code, the table, the magic, the version
  // and the checksum.
  const std::size_t n = image.size();
  for (std::size_t at : {std::size_t{0}, std::size_t{12}, n / 2, n - 12, n - 8, n - 1}) {
    std::string flipped = image;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
    refused(flipped, "byte flipped at " + std::to_string(at));
  }
  refused(SaveFile(790, {"052024010611"}, {10}, {YHaitoInfo()}, 2), "a newer version");
  refused(SaveFile(789, {"052024010611"}, {10}, {YHaitoInfo()}), "another item count");
  refused(SaveFile(790, {"05202401061X"}, {10}, {YHaitoInfo()}), "a race code not of digits");
  std::string huge = SaveFile(790, {}, {}, {});
  huge[2 + 3] = static_cast<char>(0x80);  // 2^31 races, checksum made again below
  const std::string body = huge.substr(0, huge.size() - 12);
  std::string trailer = "YTMS";
  Put(&trailer, 1, 4);
  Put(&trailer, ydb::Crc32(body), 4);
  refused(body + trailer, "2^31 races");
  // A table not ready is not saved, and an old file stays.
  Maker empty(nullptr);
  EXPECT_FALSE(empty.save(const_cast<char*>(again.c_str())));
  EXPECT_EQ(Read(again), image);
}

int generations_left = 0;
std::vector<int> generations_seen;
int CountGenerations(int race, int races, const char* text, int generation, double, double) {
  EXPECT_EQ(race, 0);
  EXPECT_EQ(races, 0);
  EXPECT_EQ(text, nullptr);
  generations_seen.push_back(generation);
  return --generations_left > 0 ? 1 : 0;
}

TEST_F(TheoryMaker, TheSearchRunsUntilTheCallbackSaysStopAndRepeatsWithItsSeed) {
  Maker maker(nullptr);
  ASSERT_TRUE(maker.load(const_cast<char*>(TwoRaces(&maker).c_str())));
  YTheoryOption option = {};
  option.block[YTheoryOption::kSingleBlock][YTheoryOption::kBoxFirst] = 1;
  maker.setparam(YTheoryResult::kWin, &option, 1.0, 0.0);
  EXPECT_EQ(maker.exec(), -1) << "no callback, no search";

  maker.setcallback(CountGenerations);
  auto run = [&](std::uint32_t seed) {
    generations_left = 3;
    generations_seen.clear();
    maker.setseed(seed);
    EXPECT_EQ(maker.exec(), 0);
    EXPECT_EQ(generations_seen, std::vector<int>({1, 2, 3}));
    return maker.best();
  };
  const GAPARAMS best = run(11);
  ASSERT_TRUE(maker.hasbest());
  EXPECT_DOUBLE_EQ(maker.bestvalue().hitrate, 50.0) << "every item ranks horse 1 first";
  EXPECT_TRUE(run(11) == best) << "the same seed, the same search";
  GAPARAMS copy = maker.best();
  EVALVALUE value;
  maker.eval(&copy, &value);
  EXPECT_DOUBLE_EQ(value.fitness, maker.bestvalue().fitness);
}

int stop_at_race = 0;
std::vector<std::string> progress_texts;
int StopCalc(int race, int races, const char* text, int, double, double) {
  EXPECT_EQ(races, 2);
  progress_texts.emplace_back(text);
  return race == stop_at_race ? 0 : 1;
}

TEST_F(TheoryMaker, CalcRanksEachRaceOnceByEveryItemAndKeepsItsPayouts) {
  YHorseDB db;
  ASSERT_TRUE(db.init(dir_.str()));
  ydb::Database* store = ydb::SessionState::Get().ready_database();
  ASSERT_TRUE(ydb::Writer(*store).write(ytest::MakeWorld()).ok());

  Maker maker(&db);
  char codes[] = "052024010611052024010612";  // the small world's race, and none
  maker.setrace(2, codes);
  stop_at_race = 0;
  maker.setcallback(StopCalc);
  ydb_test_reset_counts();
  ASSERT_EQ(maker.calc(), 0);
  ASSERT_TRUE(maker.isready());
  // The runners' runs are read once, all with one fetch; the horse that
  // has none (scratched from its one race) is asked for by itself.
  EXPECT_EQ(ydb_test_call_count("get_uma_racey2date_range"), 1);
  EXPECT_EQ(ydb_test_call_count("get_uma_racey2code"), 1);
  const unsigned char* known = maker.rows(0);
  const unsigned char* unknown = maker.rows(1);
  int ranked = 0;
  for (int i = 0; i < maker.getitemcount(); ++i) {
    EXPECT_EQ(known[i * YTheoryMaker::kRow + 9], YTheoryMaker::kNoHorse);
    ranked += known[i * YTheoryMaker::kRow] != YTheoryMaker::kNoHorse;
    EXPECT_EQ(unknown[i * YTheoryMaker::kRow], YTheoryMaker::kNoHorse);
  }
  EXPECT_EQ(ranked, maker.getitemcount());
  EXPECT_EQ(maker.payouts(0).tansho_uma[0], 1);
  EXPECT_EQ(maker.payouts(1), YHaitoInfo());
  EXPECT_EQ(progress_texts.at(0),
            ytext::to_sjis_lossy("2024年 1月 6日中山11レースを計算中です．"));

  stop_at_race = 2;
  EXPECT_EQ(maker.calc(), 1);
  EXPECT_FALSE(maker.isready()) << "a stopped calc leaves no table";
  db.term();
}

// The store's reports during calc, and calc's own: the callback answers
// calc 1, waiting out the store's 100 ms on the first race, and answers
// the store 0.
struct Report {
  int first;
  int second;
  bool text;
  int generation;
};
std::vector<Report> reports;
int StopTheStore(int first, int second, const char* text, int generation, double hit,
                 double ret) {
  reports.push_back({first, second, text != nullptr, generation});
  EXPECT_EQ(std::make_pair(hit, ret), std::make_pair(0.0, 0.0));
  if (generation == -1) return 0;
  if (first == 1) std::this_thread::sleep_for(std::chrono::milliseconds(110));
  return 1;
}

// A store read stopped by the callback fails as any failing read does, and
// calc stops after that race with nothing ready (the store's own count of
// stops is tested with the session).
TEST(TheoryMakerSeason, ARankingWhoseStoreReadWasInterruptedStopsAndIsNotReady) {
  YHorseDB db;
  ASSERT_TRUE(db.init(world::season_test::SharedSeason(world::season_test::kSeason, 1)));
  std::string codes;
  for (const std::string& code : racetest::SeasonRaceCodes(world::season_test::kSeason)) {
    codes += code;
  }
  Maker maker(&db);
  maker.setrace(static_cast<int>(codes.size() / 12), &codes[0]);
  maker.setcallback(StopTheStore);
  reports.clear();
  EXPECT_EQ(maker.calc(), 1);
  EXPECT_FALSE(maker.isready());
  // Race 1 announced, then only the store, stopped while ranking it (once,
  // or again on a slow machine), and no other race.
  ASSERT_GE(reports.size(), 2u);
  EXPECT_EQ(std::make_tuple(reports[0].first, reports[0].text, reports[0].generation),
            std::make_tuple(1, true, 0));
  for (std::size_t k = 1; k < reports.size(); ++k) {
    EXPECT_GT(reports[k].first, 0) << "steps the store took";
    EXPECT_EQ(std::make_tuple(reports[k].second, reports[k].text, reports[k].generation),
              std::make_tuple(0, false, -1));
  }
  EXPECT_EQ(get_SCP_interruptions(), 0) << "calc leaves the store without its callback";
}

}  // namespace
