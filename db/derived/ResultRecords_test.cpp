// The stored results and runner result records through the writer: after a
// world is written, after a race is written again with another comment or
// without its result, after a horse, jockey or trainer is renamed or a
// horse's sire changes, and after a refused batch, result_record and
// runner_result_record hold exactly what rendering the rows now gives; and
// stores of schemas 2 and 7 open with them stored.
#include "db/derived/ResultRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "db/api/ybl.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/ResultRaceRenderer.h"
#include "db/render/ResultRunnerRenderer.h"
#include "db/derived/RenderWorldStore_test.h"
#include "db/store/Schema.h"
#include "db/write/Writer.h"
#include "text/sjis.h"

namespace ydb {
namespace {

// "date place number" -> results record, "date place number horse" ->
// runner result record.
using Records = std::map<std::string, std::string>;

std::string Name(std::int64_t date, std::string_view place, std::int64_t number) {
  return std::to_string(date) + " " + std::string(place) + " " + std::to_string(number);
}

Records Stored(Database& db) {
  Records out;
  Statement& st = db.statement(
      "SELECT race_date, place, race_no, NULL, record FROM result_record UNION ALL "
      "SELECT race_date, place, race_no, horse_no, record FROM runner_result_record");
  while (st.step()) {
    std::string name = Name(st.column_int(0), st.column_text(1), st.column_int(2));
    if (!st.column_is_null(3)) name += " " + std::to_string(st.column_int(3));
    out[name] = std::string(st.column_blob(4));
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return out;
}

// Adds each record of `buffer` (of `layout`) under its name: its race
// code's number and, with `by_horse`, its horse number.
void AddRecords(void* buffer, int date, const std::string& place, const RecordLayout& layout,
                bool by_horse, Records* out) {
  const Field& code = FieldOf(layout, "race_code");
  const char* records = static_cast<const char*>(buffer);
  for (int i = 0; i < get_rec_size(buffer); ++i) {
    const std::string record(records + static_cast<std::size_t>(i) * layout.size(), layout.size());
    std::string name = Name(date, place, std::stoi(record.substr(code.offset + code.width - 2, 2)));
    if (by_horse) {
      name += " " + std::to_string(std::stoi(
                        record.substr(FieldOf(layout, "horse_number").offset, 2)));
    }
    (*out)[name] = record;
  }
  release_data(buffer);
}

// What rendering every racecourse day from its rows gives now.
Records Rendered(Database& db) {
  Records out;
  Statement& days = db.statement("SELECT DISTINCT race_date, place FROM race");
  while (days.step()) {
    const int date = static_cast<int>(days.column_int(0));
    const std::string place(days.column_text(1));
    void* buffer = nullptr;
    Status s = RenderResultRaces(db, RaceKey{place, date, 0}, &buffer);
    EXPECT_TRUE(s.ok()) << s.message();
    AddRecords(buffer, date, place, RaceResultLayout(), false, &out);
    s = RenderResultRunners(db, RaceKey{place, date, 0}, &buffer);
    EXPECT_TRUE(s.ok()) << s.message();
    AddRecords(buffer, date, place, ResultRunnerLayout(), true, &out);
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
  // The eight run races of the world, not the card-only one, and their
  // 9 + 2 + 18 + 3 + 1 + 1 + 2 + 2 runners, the scratched one included.
  EXPECT_EQ(stored.size(), 8u + 38u);
  EXPECT_EQ(stored.count(Name(ytest::kDeadHeatRace.date, ytest::kDeadHeatRace.place,
                              ytest::kDeadHeatRace.number) + " 5"),
            1u);
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
  EXPECT_EQ(stored.count(key + " 1"), 0u);
}

TEST_F(ResultRecordsTest, ARenameOrASireChangeRendersThePastRunsAgain) {
  // One change at a time, each reaching the earlier race, which no other
  // write of the test touches.
  const std::string earlier = Name(ytest::kEarlierRace.date, ytest::kEarlierRace.place,
                                   ytest::kEarlierRace.number) + " 1";
  Writer writer(*db_);
  Jockey jockey = ytest::MakeRenderWorld().jockeys[1];  // rode in the earlier race
  jockey.name = "高橋四郎";
  ASSERT_TRUE(writer.write(jockey).ok());
  EXPECT_EQ(Stored(*db_), Rendered(*db_)) << "a jockey renamed";

  Horse horse = WorldHorse("2020011");  // ran in the earlier race
  horse.name = "ランナーワン";
  horse.pedigree[kSire] = {"1990002", "ノーザンスター", "", true, "", 0};
  ASSERT_TRUE(writer.write(horse).ok());
  EXPECT_EQ(Stored(*db_), Rendered(*db_)) << "a horse renamed with another sire";

  horse.pedigree[kDamsSire].name = "サザンスター";  // the same dam's sire, another name
  ASSERT_TRUE(writer.write(horse).ok());
  EXPECT_EQ(Stored(*db_), Rendered(*db_)) << "a dam's sire renamed";

  Trainer trainer = ytest::MakeRenderWorld().trainers[0];
  trainer.name = "佐藤二郎";
  ASSERT_TRUE(writer.write(trainer).ok());
  Records stored = Stored(*db_);
  EXPECT_EQ(stored, Rendered(*db_)) << "a trainer renamed";

  for (const char* shown : {"ランナーワン", "サザンスター", "佐藤二郎", "高橋四郎"}) {
    EXPECT_NE(stored[earlier].find(ytext::to_sjis_lossy(shown)), std::string::npos) << shown;
  }
  const Field& sire = FieldOf(ResultRunnerLayout(), "sire_code");
  EXPECT_EQ(stored[earlier].substr(sire.offset, sire.width), "1990002");
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

TEST_F(ResultRecordsTest, StoresOfSchemasTwoAndSevenOpenWithThemStored) {
  const Records stored = Stored(*db_);
  ASSERT_NO_FATAL_FAILURE(ReopenOlderSchema(
      "DROP TABLE runner_result_record; PRAGMA user_version = 7"));
  EXPECT_EQ(Stored(*db_), stored);
  ASSERT_NO_FATAL_FAILURE(ReopenOlderSchema(
      "DROP TABLE result_record; DROP TABLE generated_world; DROP TABLE entity_total; "
      "DROP TABLE runner_result_record; PRAGMA user_version = 2"));
  EXPECT_EQ(Stored(*db_), stored);
}

}  // namespace
}  // namespace ydb
