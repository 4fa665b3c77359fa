// The stored results records through the writer: after a world is written,
// after a race is written again with another comment or without its result,
// and after a refused batch, result_record holds exactly what rendering the
// race rows now gives; and a store of schema 2 opens with them stored.
#include "db/derived/ResultRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "db/api/ybl.h"
#include "db/layout/Layouts.h"
#include "db/render/ResultRaceRenderer.h"
#include "db/derived/RenderWorldStore_test.h"
#include "db/store/Schema.h"
#include "db/write/Writer.h"
#include "text/sjis.h"

namespace ydb {
namespace {

using Records = std::map<std::string, std::string>;  // "date place number" -> record

std::string Name(std::int64_t date, std::string_view place, std::int64_t number) {
  return std::to_string(date) + " " + std::string(place) + " " + std::to_string(number);
}

Records Stored(Database& db) {
  Records out;
  Statement& st = db.statement("SELECT race_date, place, race_no, record FROM result_record");
  while (st.step()) {
    out[Name(st.column_int(0), st.column_text(1), st.column_int(2))] = std::string(st.column_blob(3));
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return out;
}

// What rendering every racecourse day from its rows gives now.
Records Rendered(Database& db) {
  Records out;
  Statement& days = db.statement("SELECT DISTINCT race_date, place FROM race");
  while (days.step()) {
    const int date = static_cast<int>(days.column_int(0));
    const std::string place(days.column_text(1));
    void* buffer = nullptr;
    const Status s = RenderResultRaces(db, RaceKey{place, date, 0}, &buffer);
    EXPECT_TRUE(s.ok()) << s.message();
    const std::size_t size = RaceResultLayout().size();
    const char* records = static_cast<const char*>(buffer);
    for (int i = 0; i < get_rec_size(buffer); ++i) {
      const std::string record(records + static_cast<std::size_t>(i) * size, size);
      out[Name(date, place, std::stoi(record.substr(10, 2)))] = record;
    }
    release_data(buffer);
  }
  days.reset();
  return out;
}

class ResultRecordsTest : public ytest::RenderWorldStoreTest {
 protected:
  static Race EarlierRace() { return WorldRace(ytest::kEarlierRace); }
};

TEST_F(ResultRecordsTest, EveryRunRaceIsStoredAsItsRowsRenderIt) {
  const Records stored = Stored(*db_);
  EXPECT_EQ(stored, Rendered(*db_));
  EXPECT_EQ(stored.size(), 8u) << "the eight run races of the world, not the card-only one";
  EXPECT_EQ(stored.count(Name(ytest::kCardOnlyRace.date, ytest::kCardOnlyRace.place,
                              ytest::kCardOnlyRace.number)),
            0u);
}

TEST_F(ResultRecordsTest, ARaceWrittenAgainIsRenderedAgain) {
  Race race = EarlierRace();
  race.result->comment = "逃げ切り";
  ASSERT_TRUE(Writer(*db_).write(race).ok());
  Records stored = Stored(*db_);
  EXPECT_EQ(stored, Rendered(*db_));
  const std::string key = Name(race.key.date, race.key.place, race.key.number);
  EXPECT_NE(stored[key].find(ytext::to_sjis_lossy("逃げ切り")), std::string::npos);

  // Without its result the race has no results record any more.
  race.result.reset();
  for (Runner& r : race.runners) r.result.reset();
  ASSERT_TRUE(Writer(*db_).write(race).ok());
  stored = Stored(*db_);
  EXPECT_EQ(stored, Rendered(*db_));
  EXPECT_EQ(stored.count(key), 0u);
}

TEST_F(ResultRecordsTest, ARefusedBatchLeavesThemAsTheyWere) {
  const Records before = Stored(*db_);
  Race changed = EarlierRace();
  changed.result->comment = "逃げ切り";
  Race refused = EarlierRace();
  refused.key.number = 13;
  Batch batch;
  batch.races = {changed, refused};
  Writer writer(*db_);
  EXPECT_FALSE(writer.write(batch).ok());
  EXPECT_EQ(Stored(*db_), before);
  // The same writer's next call renders only the days it writes itself.
  ASSERT_TRUE(writer.write(ytest::JumpRace()).ok());
  EXPECT_EQ(Stored(*db_), before);
}

TEST_F(ResultRecordsTest, AStoreOfSchemaTwoOpensWithThemStored) {
  const Records stored = Stored(*db_);
  ASSERT_NO_FATAL_FAILURE(ReopenOlderSchema(
      "DROP TABLE result_record; DROP TABLE generated_world; DROP TABLE entity_total; "
      "PRAGMA user_version = 2"));
  EXPECT_EQ(Stored(*db_), stored);
}

}  // namespace
}  // namespace ydb
