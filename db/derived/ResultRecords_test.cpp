// The kept result and runner result records through the writer, beyond the
// comparison with a rendering from nothing (PastRunBuckets_test): which
// races have them, and that a new comment, a lost result, or a renamed
// horse, jockey, trainer or dam's sire shows in them.
#include "db/derived/ResultRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "db/derived/PastRunBuckets_test.h"
#include "db/derived/RenderWorldStore_test.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/write/Writer.h"
#include "text/sjis.h"

namespace ydb {
namespace {

using ytest::KeptRecords;
using ytest::RekeptRecords;

// The name of a race's kept record: "date place number".
std::string Name(const RaceKey& key) {
  return std::to_string(key.date) + " " + key.place + " " + std::to_string(key.number);
}

class ResultRecordsTest : public ytest::RenderWorldStoreTest {};

TEST_F(ResultRecordsTest, EveryRunRaceIsKeptWithItsRunners) {
  const auto kept = KeptRecords(*db_);
  // The eight run races of the world, not the card-only one, and their
  // 9 + 2 + 18 + 3 + 1 + 1 + 2 + 2 runners, the scratched one included.
  EXPECT_EQ(kept.size(), 8u + 38u);
  EXPECT_EQ(kept.count(Name(ytest::kDeadHeatRace) + " 5"), 1u);
  EXPECT_EQ(kept.count(Name(ytest::kCardOnlyRace)), 0u);
}

TEST_F(ResultRecordsTest, ARaceWrittenAgainIsRenderedAgain) {
  Race race = WorldRace(ytest::kEarlierRace);
  race.result->comment = "逃げ切り";
  ASSERT_TRUE(Writer(*db_).write(race).ok());
  const std::string key = Name(race.key);
  EXPECT_NE(KeptRecords(*db_)[key].find(ytext::to_sjis_lossy("逃げ切り")), std::string::npos);

  // Without its result the race has no records kept any more.
  race.result.reset();
  for (Runner& r : race.runners) r.result.reset();
  ASSERT_TRUE(Writer(*db_).write(race).ok());
  const auto kept = KeptRecords(*db_);
  EXPECT_EQ(kept, RekeptRecords(*db_));
  EXPECT_EQ(kept.count(key), 0u);
  EXPECT_EQ(kept.count(key + " 1"), 0u);
}

TEST_F(ResultRecordsTest, ARenameOrASireChangeRendersThePastRunsAgain) {
  // One change at a time, each reaching the earlier race, which no other
  // write of the test touches.
  const std::string earlier = Name(ytest::kEarlierRace) + " 1";
  Writer writer(*db_);
  Jockey jockey = ytest::MakeRenderWorld().jockeys[1];  // rode in the earlier race
  jockey.name = "高橋四郎";
  ASSERT_TRUE(writer.write(jockey).ok());
  EXPECT_EQ(KeptRecords(*db_), RekeptRecords(*db_)) << "a jockey renamed";

  Horse horse = WorldHorse("2020011");  // ran in the earlier race
  horse.name = "ランナーワン";
  horse.pedigree[kSire] = {"1990002", "ノーザンスター", "", true, "", 0};
  ASSERT_TRUE(writer.write(horse).ok());
  EXPECT_EQ(KeptRecords(*db_), RekeptRecords(*db_)) << "a horse renamed with another sire";

  horse.pedigree[kDamsSire].name = "サザンスター";  // the same dam's sire, another name
  ASSERT_TRUE(writer.write(horse).ok());
  EXPECT_EQ(KeptRecords(*db_), RekeptRecords(*db_)) << "a dam's sire renamed";

  Trainer trainer = ytest::MakeRenderWorld().trainers[0];
  trainer.name = "佐藤二郎";
  ASSERT_TRUE(writer.write(trainer).ok());
  auto kept = KeptRecords(*db_);
  EXPECT_EQ(kept, RekeptRecords(*db_)) << "a trainer renamed";

  for (const char* shown : {"ランナーワン", "サザンスター", "佐藤二郎", "高橋四郎"}) {
    EXPECT_NE(kept[earlier].find(ytext::to_sjis_lossy(shown)), std::string::npos) << shown;
  }
  const Field& sire = FieldOf(ResultRunnerLayout(), "sire_code");
  EXPECT_EQ(kept[earlier].substr(sire.offset, sire.width), "1990002");
}

}  // namespace
}  // namespace ydb
