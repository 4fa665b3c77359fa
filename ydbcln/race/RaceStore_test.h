// Test fixture of the race classes against a real store: a session opened
// on a fresh directory, and the writer that puts races into its store.
#ifndef YDBCLN_RACE_RACESTORE_TEST_H_
#define YDBCLN_RACE_RACESTORE_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/api/SessionState.h"
#include "db/api/ydbtest.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"
#include "ydbcln/session/YHorseDB.h"

namespace racetest {

// Adds to `batch` a race like the small world's at `key`, run by nine
// horses of its own, whose codes are `prefix` (5 digits) followed by 11 to
// 19, since a horse runs once a day. Returns the race, to be changed.
inline ydb::Race& AddRace(ydb::Batch* batch, const ydb::RaceKey& key, const std::string& prefix) {
  ydb::Race race = ytest::MakeRace(key);
  for (ydb::Runner& runner : race.runners) {
    runner.horse_code = prefix + std::to_string(10 + runner.horse_no);
    ydb::Horse horse = ytest::MakeHorse(runner.horse_code, "ホース" + runner.horse_code, "1");
    horse.owner_code = "100001";
    horse.breeder_code = "20000001";
    batch->horses.push_back(horse);
  }
  batch->races.push_back(race);
  return batch->races.back();
}

// The small world with a second race at its venue and day (race 10, horses
// 2021011-19), and race 1 at 京都 (00) on the same day (horses 2022011-19).
inline ydb::Batch TwoVenues() {
  ydb::Batch world = ytest::MakeWorld();
  AddRace(&world, {"05", 20240106, 10}, "20210");
  ydb::Race& kyoto = AddRace(&world, {"00", 20240106, 1}, "20220");
  kyoto.kai = 2;
  kyoto.kai_day = 3;
  return world;
}

class RaceStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db_.init(dir_.str()));
    ydb::Database* store = ydb::SessionState::Get().ready_database();
    ASSERT_NE(store, nullptr);
    writer_ = std::make_unique<ydb::Writer>(*store);
    ydb_test_reset_counts();
  }
  void TearDown() override {
    ydb_test_fail(nullptr);
    ydb_test_keep_records(nullptr, 0);
  }

  // Writes `batch` (by default the small world), failing the test when the
  // writer refuses it.
  void Write(const ydb::Batch& batch = ytest::MakeWorld()) {
    const ydb::Status s = writer_->write(batch);
    ASSERT_TRUE(s.ok()) << s.message();
  }
  void Write(const ydb::Race& race) {
    const ydb::Status s = writer_->write(race);
    ASSERT_TRUE(s.ok()) << s.message();
  }

  ytest::TempDir dir_;
  YHorseDB db_;
  std::unique_ptr<ydb::Writer> writer_;
};

}  // namespace racetest

#endif  // YDBCLN_RACE_RACESTORE_TEST_H_
