// The reader against the writer: what is read back from a store, written
// into an empty one, gives the same store; the order of what is read; the
// user's data left out; the summary figures.
#include "db/read/Reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/read/Dump.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

using ytest::MakeRace;
using ytest::MakeWorld;

std::unique_ptr<Database> OpenStore(const ytest::TempDir& dir, const std::string& name) {
  std::unique_ptr<Database> db;
  Status s = Database::Open(dir.str() + "/" + name, Database::Mode::kOpenOrCreate, &db);
  EXPECT_TRUE(s.ok()) << s.message();
  return db;
}

// The small world and, beside its run race, a card that has not been run
// (nominations, forecast odds with a pool of no sale) and a run race on
// another day whose runners use the columns the first race leaves empty.
Batch RicherWorld() {
  Batch world = MakeWorld();

  Race card = MakeRace({"05", 20240107, 1});
  card.kai_day = 3;
  card.result.reset();
  for (Runner& r : card.runners) r.result.reset();
  card.runners.resize(8);
  for (Runner& r : card.runners) r.frame_no = r.horse_no;
  card.forecast_odds = OddsSet{"0", 0, {{Pool::kWin, 2, 0, 41, 0, ""},
                                        {Pool::kWide, 1, 2, 0, 0, "-"}}};
  card.nominations = {{"2020013", "02001", "01001", 560, "0", "1 2"},
                      {"2020011", "02001", "", 0, "", ""}};
  card.grade = "2";
  card.edition = 61;
  card.weight_rule1 = "10";
  card.weight_rule2 = "12";
  card.reference_times[1] =
      ReferenceTime{"", 20230107, 1045, "ハヤテノカゼ", 570, "山田", "04"};
  world.races.push_back(card);

  Race other = MakeRace({"04", 20240113, 5});
  other.kai = 1;
  other.kai_day = 1;
  Runner& first = other.runners[0];
  first.post_no = 3;
  first.blinkers = true;
  first.apprentice_code = "2";
  first.training_marks = "12 ";
  first.prediction_mark = "9";
  first.weight_change.reset();
  first.result->margin_time = 0;
  first.result->speed_index = 104;
  first.result->straight_path = "3";
  first.result->corners = {41, 2, 3, 1};
  other.runners[1].result->accident_code = "36";
  other.result->laps.clear();
  other.result->time_first_600 = 352;
  other.result->time_last_mile = 1050;
  other.result->final_odds->announced = 1542;
  other.result->payouts.push_back({Pool::kWin, 2, 0, 350, 1});  // a dead heat
  world.races.push_back(other);
  return world;
}

// A visitor that keeps what it is handed.
template <typename T>
Visitor<T> Into(std::vector<T>* records) {
  return [records](const T& x) {
    records->push_back(x);
    return Status::Ok();
  };
}

// Everything the reader hands out, gathered into one batch.
Status ReadAll(Reader& reader, Batch* batch) {
  Status s = reader.readOwners(Into(&batch->owners));
  if (s.ok()) s = reader.readBreeders(Into(&batch->breeders));
  if (s.ok()) s = reader.readTrainers(Into(&batch->trainers));
  if (s.ok()) s = reader.readJockeys(Into(&batch->jockeys));
  if (s.ok()) s = reader.readHorses(Into(&batch->horses));
  if (s.ok()) s = reader.readSires(Into(&batch->sires));
  if (s.ok()) s = reader.readRaces(Into(&batch->races));
  return s;
}

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = OpenStore(dir_, "store.db");
    ASSERT_TRUE(db_);
    Status s = Writer(*db_).write(RicherWorld());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  std::string dump(Database& db) {
    std::string text;
    Status s = DumpStore(db, &text);
    EXPECT_TRUE(s.ok()) << s.message();
    return text;
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(ReaderTest, WhatIsReadWritesTheSameStoreAgain) {
  Reader reader(*db_);
  Batch read;
  Status s = ReadAll(reader, &read);
  ASSERT_TRUE(s.ok()) << s.message();

  std::unique_ptr<Database> copy = OpenStore(dir_, "copy.db");
  ASSERT_TRUE(copy);
  s = Writer(*copy).write(read);
  ASSERT_TRUE(s.ok()) << s.message();
  const std::string original = dump(*db_);
  EXPECT_EQ(dump(*copy), original);
  // The dump covers what matters: the packed odds and the dead heat are in it.
  EXPECT_NE(original.find("X'"), std::string::npos);
  EXPECT_NE(original.find("-- payout"), std::string::npos);
}

TEST_F(ReaderTest, RacesComeWholeInKeyOrder) {
  // Written out of order, read in date, racecourse and number order.
  Race early = MakeRace({"01", 20240105, 12});
  early.kai = 1;
  early.kai_day = 1;
  ASSERT_TRUE(Writer(*db_).write(early).ok());

  Reader reader(*db_);
  std::vector<std::string> codes;
  std::vector<std::size_t> runners;
  Status s = reader.readRaces([&](const Race& race) {
    codes.push_back(race.key.code());
    runners.push_back(race.runners.size());
    return Status::Ok();
  });
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(codes, (std::vector<std::string>{"012024010512", "052024010611", "052024010701",
                                             "042024011305"}));
  EXPECT_EQ(runners, (std::vector<std::size_t>{9, 9, 8, 9}));

  // Whole: the round trip above; here the marks of the forecast odds, which
  // the reader puts back in horse-number order.
  Batch read;
  ASSERT_TRUE(ReadAll(reader, &read).ok());
  const Race& card = read.races[2];
  ASSERT_TRUE(card.forecast_odds.has_value());
  ASSERT_EQ(card.forecast_odds->entries.size(), 2u);
  EXPECT_EQ(card.forecast_odds->entries[1].mark, "-") << "the wide pool of no sale is kept";
  EXPECT_EQ(read.races[1].forecast_odds->entries[1].mark, "/") << "horse 9 scratched, by horse number";
}

TEST_F(ReaderTest, VisitorFailureStopsTheRead) {
  Reader reader(*db_);
  int seen = 0;
  Status s = reader.readHorses([&](const Horse&) {
    return ++seen == 2 ? Status::Aborted("enough") : Status::Ok();
  });
  EXPECT_EQ(s.message(), "enough");
  EXPECT_EQ(seen, 2);
  // The read after a stopped one starts afresh.
  seen = 0;
  s = reader.readHorses([&](const Horse&) { ++seen; return Status::Ok(); });
  EXPECT_TRUE(s.ok());
  EXPECT_EQ(seen, 11);
}

TEST_F(ReaderTest, UserDataIsNotRead) {
  Writer writer(*db_);
  ASSERT_TRUE(writer.setRunMemo(ytest::kKey, "2020012", "次は買い").ok());
  Reader reader(*db_);
  Batch read;
  ASSERT_TRUE(ReadAll(reader, &read).ok());
  EXPECT_EQ(read.races[0].runners[1].comment, "") << "a memo is not the run comment";
  EXPECT_EQ(read.races[0].runners[0].comment, "好位から抜け出す");
}

TEST_F(ReaderTest, ContainsAndSummary) {
  Reader reader(*db_);
  bool found = false;
  ASSERT_TRUE(reader.contains(Entity::kHorse, "2020019", &found).ok());
  EXPECT_TRUE(found);
  ASSERT_TRUE(reader.contains(Entity::kSire, "1990002", &found).ok());
  EXPECT_FALSE(found) << "a dam's sire that is no sire of the store";
  ASSERT_TRUE(reader.contains(Entity::kOwner, "100001", &found).ok());
  EXPECT_TRUE(found);

  DataSetCounts summary;
  ASSERT_TRUE(reader.summary(&summary).ok());
  EXPECT_EQ(summary.first_year, 2024);
  EXPECT_EQ(summary.last_year, 2024);
  EXPECT_EQ(summary.race_days, 3);
  EXPECT_EQ(summary.races, 3);
  // Two run races of nine, each with one scratched horse; the card counts
  // for nothing.
  EXPECT_EQ(summary.runs, 16);
  EXPECT_EQ(summary.horses, 8);
  EXPECT_EQ(summary.jockeys, 2);
  EXPECT_EQ(summary.trainers, 1);
  EXPECT_EQ(summary.sires, 1);
}

TEST(ReaderEmptyStoreTest, SummaryOfNothing) {
  ytest::TempDir dir;
  std::unique_ptr<Database> db = OpenStore(dir, "empty.db");
  ASSERT_TRUE(db);
  Reader reader(*db);
  DataSetCounts summary;
  ASSERT_TRUE(reader.summary(&summary).ok());
  EXPECT_EQ(summary.first_year, 0);
  EXPECT_EQ(summary.races, 0);
}

}  // namespace
}  // namespace ydb
