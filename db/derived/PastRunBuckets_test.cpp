// What the writer keeps in step (filed past runs, entity figures, kept
// result records), over a data set holding the render world (db/render/
// RenderWorld_test.h): after races are written again (another jockey, a
// runner gone, another course, no result any more), after horses change
// sire, after a horse, jockey, trainer or dam's sire is renamed, within one
// batch and after a refused one, they are what filing, counting and
// rendering every run from nothing makes of the rows; and a store of schema
// 1 opens with all of them made.
#include "db/derived/PastRunBuckets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/derived/DataSet.h"
#include "db/derived/PastRunBuckets_test.h"
#include "db/render/RenderWorld_test.h"
#include "db/store/Schema.h"
#include "db/write/Writer.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

using ytest::DerivedRows;
using ytest::FiledBuckets;
using ytest::RederivedRows;

class PastRunBucketsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Status s = Open();
    if (s.ok()) s = Writer(*db_).write(ytest::MakeRenderWorld());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // Opens the data set as a data set is opened (its upgrades run).
  Status Open() {
    return OpenDataSet(dir_.str() + "/store.db", Database::Mode::kOpenOrCreate, &db_);
  }

  // The horse of the render world with this code, as written.
  static Horse WorldHorse(const std::string& code) {
    for (const Horse& h : ytest::MakeRenderWorld().horses) {
      if (h.code == code) return h;
    }
    ADD_FAILURE() << "no horse " << code;
    return Horse();
  }

  template <typename T>
  void Write(const T& what) {
    const Status s = Writer(*db_).write(what);
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // The horse `code` of the render world as written, with `sire` (empty:
  // none) as its sire.
  static Horse WithSire(const std::string& code, const std::string& sire) {
    Horse changed = WorldHorse(code);
    changed.pedigree[kSire] = {sire, "", "", true, "", 0};
    return changed;
  }

  // The rows of `kind` and `code` among the buckets or, with `totals`, the
  // entity figures.
  std::size_t BucketsOf(int kind, const std::string& code, bool totals = false) {
    std::size_t n = 0;
    for (const auto& [key, value] : totals ? ytest::CountedTotals(*db_) : FiledBuckets(*db_)) {
      n += key.rfind(std::to_string(kind) + " " + code + " ", 0) == 0 ? 1 : 0;
    }
    return n;
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(PastRunBucketsTest, RaceWrittenAgainMovesItsRunsBetweenBuckets) {
  Race race = ytest::MakeRace();
  race.runners[1].jockey_code = "01002";  // 01001 loses a ride
  race.runners.pop_back();                // the scratched horse 9 gone, and its odds
  race.forecast_odds.reset();
  race.distance = 1800;                   // to another course
  race.going = "3";
  Write(race);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  EXPECT_EQ(BucketsOf(5, "0501800"), 1u);

  // The race as a card again: its runs leave every bucket.
  Race card = ytest::MakeRace();
  card.result.reset();
  for (Runner& r : card.runners) r.result.reset();
  Write(card);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  EXPECT_EQ(BucketsOf(5, "0501800"), 0u);
  EXPECT_EQ(BucketsOf(5, "0501700"), 0u);
}

TEST_F(PastRunBucketsTest, HorseOfAnotherSireMovesItsRunsToThatSire) {
  Write(WithSire("2020011", "1990002"));
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  EXPECT_EQ(BucketsOf(4, "1990002"), 2u);  // its runs of 2023-12 and 2024-01
  Write(WithSire("2020011", ""));
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  EXPECT_EQ(BucketsOf(4, "1990002"), 0u);

  // To another dam's sire: the figures as a dam's sire move along.
  const std::size_t sires = BucketsOf(4, "1990001", true);
  ASSERT_EQ(BucketsOf(6, "1990001", true), 0u);
  Horse moved = WorldHorse("2020011");
  moved.pedigree[kDamsSire] = {"1990001", "", "", true, "", 0};
  Write(moved);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  EXPECT_GT(BucketsOf(6, "1990001", true), 0u);
  EXPECT_EQ(BucketsOf(4, "1990001", true), sires) << "the sire stays";
}

TEST_F(PastRunBucketsTest, RenamesRenderTheKeptPastRunsAgain) {
  // One change at a time, each reaching the earlier race's kept records.
  Jockey jockey = ytest::MakeRenderWorld().jockeys[1];  // rode in the earlier race
  jockey.name = "高橋四郎";
  Write(jockey);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_)) << "a jockey renamed";

  Horse horse = WorldHorse("2020011");  // ran in the earlier race
  horse.name = "ランナーワン";
  Write(horse);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_)) << "a horse renamed";
  horse.pedigree[kDamsSire].name = "サザンスター";  // the same dam's sire, another name
  Write(horse);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_)) << "a dam's sire renamed";

  Trainer trainer = ytest::MakeRenderWorld().trainers[0];
  trainer.name = "佐藤二郎";
  Write(trainer);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_)) << "a trainer renamed";
}

TEST_F(PastRunBucketsTest, OneBatchFilesWhatItsLastWriteSays) {
  Race first = ytest::MakeRace();
  first.runners[2].jockey_code = "01001";
  Race second = ytest::MakeRace();
  second.distance = 1800;
  Batch batch;
  batch.races = {first, second, ytest::JumpRace()};
  batch.horses = {WithSire("2020012", "1990002")};
  Write(batch);
  EXPECT_EQ(DerivedRows(*db_), RederivedRows(*db_));
  // The sire's change comes before the races in a batch, then a race moves
  // the horse's run of that day again.
  EXPECT_EQ(BucketsOf(5, "0501800"), 1u);
  EXPECT_EQ(BucketsOf(5, "0501700"), 0u);
}

TEST_F(PastRunBucketsTest, RefusedBatchChangesNothingNorLeavesChangesBehind) {
  const auto before = DerivedRows(*db_);
  Race moved = ytest::MakeRace();
  moved.distance = 2400;
  moved.result->comment = "逃げ切り";
  Race refused = ytest::MakeRace(ytest::kEarlierRace);
  refused.runners[0].horse_code = "2029999";  // not in the store
  Writer writer(*db_);
  Batch batch;
  batch.races = {moved, refused};
  EXPECT_FALSE(writer.write(batch).ok());
  EXPECT_EQ(DerivedRows(*db_), before);
  // The same writer's next call does not write what the refused one gathered.
  ASSERT_TRUE(writer.write(ytest::JumpRace()).ok());
  EXPECT_EQ(DerivedRows(*db_), before);
}

// The upgrade runs every step from schema 1: the derived rows come back as
// they were, and the schema version, tables and indexes are those of a new
// store.
TEST_F(PastRunBucketsTest, StoreOfSchemaOneOpensWithEverythingDerived) {
  const auto derived = DerivedRows(*db_);
  ASSERT_TRUE(db_->exec(
      "DROP TABLE past_run_bucket; DROP TABLE result_record; DROP TABLE generated_world; "
      "DROP TABLE entity_total; DROP TABLE runner_result_record; DROP INDEX runner_by_jockey; "
      "DROP INDEX runner_by_trainer; DROP INDEX runner_entry_by_race; "
      "DROP INDEX pedigree_by_sire_name; "
      "CREATE INDEX runner_by_sire ON runner (sire_code, race_date); PRAGMA user_version = 1")
                  .ok());
  db_.reset();
  ASSERT_TRUE(Open().ok());
  Statement& version = db_->statement("PRAGMA user_version");
  ASSERT_TRUE(version.step());
  EXPECT_EQ(version.column_int(0), kSchemaVersion);
  version.reset();
  EXPECT_EQ(DerivedRows(*db_), derived);

  ytest::TempDir fresh_dir;
  std::unique_ptr<Database> fresh;
  ASSERT_TRUE(OpenDataSet(fresh_dir.str() + "/store.db", Database::Mode::kOpenOrCreate, &fresh).ok());
  // Each table's and index's name and definition, whitespace aside.
  const char* kSchema =
      "SELECT type || ' ' || name, replace(replace(sql, ' ', ''), char(10), '') FROM sqlite_master "
      "WHERE type = 'index' AND sql IS NOT NULL UNION ALL "
      "SELECT 'table ' || name, '' FROM sqlite_master WHERE type = 'table'";
  EXPECT_EQ(ytest::Rows(*db_, kSchema), ytest::Rows(*fresh, kSchema));
}

}  // namespace
}  // namespace ydb
