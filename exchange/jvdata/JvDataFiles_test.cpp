// JV-Data files in and out of real stores: the three-race small world,
// cut to what the records carry, exported, imported into an empty store
// and exported again gives the same files and the same store; refused
// records leave the store as it was and are summed up with their file and
// line; what is not read is counted.
#include "exchange/jvdata/JvDataFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "db/read/Dump.h"
#include "db/read/Reader.h"
#include "db/write/Writer.h"
#include "exchange/jvdata/HandBuilt_test.h"
#include "exchange/jvdata/Horses.h"
#include "exchange/jvdata/JraCodes.h"
#include "exchange/jvdata/People.h"
#include "exchange/jvdata/Races.h"
#include "testing/SmallWorld.h"
#include "testing/Sjis.h"
#include "testing/TempDir.h"

namespace exchange {
namespace jvdata {
namespace {

namespace fs = std::filesystem;
using ydb::Database;
using ydb::Status;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The three-race world without what JV-Data's race, people and horse
// records do not carry (Races.h, People.h, Horses.h): the list of what a
// round trip loses.
ydb::Batch CarriedWorld() {
  ydb::Batch world = ytest::MakeThreeRaceWorld();
  world.breeders[0].short_name = "";
  world.sires.clear();
  for (ydb::Horse& h : world.horses) {
    h.birthplace_code.clear();
    h.record_date = 20231201;  // a UM made then, and exported as made then
    h.mark_code = "00";  // no mark: JRA's 00 reads as our 00
    // An ancestor without a code has no breeding horse record: only its
    // one name is carried.
    for (ydb::Ancestor& a : h.pedigree) {
      if (!a.code.empty()) continue;
      if (!a.name.empty()) a.name_latin.clear();
      a.foaled_in_japan = true;
      a.coat_code.clear();
      a.birth_year = 0;
    }
  }
  for (ydb::Race& race : world.races) {
    race.pace.clear();
    race.reference_times = {};
    race.result->comment.clear();
    for (ydb::Runner& r : race.runners) r.comment.clear();
    // Wide odds, which the small world lacks, and a pair with a mark.
    race.result->final_odds->entries.push_back({ydb::Pool::kWide, 1, 2, 30, 45, ""});
    race.result->final_odds->entries.push_back({ydb::Pool::kQuinella, 2, 7, 0, 0, "*"});
  }
  return world;
}

class JvDataFilesTest : public ::testing::Test {
 protected:
  std::unique_ptr<Database> open(const std::string& name) {
    std::unique_ptr<Database> db;
    const Status s = Database::Open((dir_.path() / name).string(), Database::Mode::kOpenOrCreate, &db);
    EXPECT_TRUE(s.ok()) << s.message();
    return db;
  }

  static std::string dump(Database& db) {
    std::string text;
    const Status s = ydb::DumpStore(db, &text);
    EXPECT_TRUE(s.ok()) << s.message();
    return text;
  }

  ytest::TempDir dir_;
};

TEST_F(JvDataFilesTest, AWorldExportedAndImportedIntoAnEmptyStoreIsTheSame) {
  std::unique_ptr<Database> source = open("source.db");
  Status s = ydb::Writer(*source).write(CarriedWorld());
  ASSERT_TRUE(s.ok()) << s.message();
  const fs::path first = dir_.path() / "first";
  s = Export(*source, first.string(), {});
  ASSERT_TRUE(s.ok()) << s.message();

  std::unique_ptr<Database> copy = open("copy.db");
  ImportSummary summary;
  int calls = 0;
  s = Import(*copy, {first.string()}, [&](int, int, const std::string&) { return ++calls > 0; },
             &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*source));
  EXPECT_EQ(summary.by_type["RA"], 3);
  EXPECT_EQ(summary.by_type["SE"], 26);
  EXPECT_EQ(summary.by_type["HR"], 3);
  EXPECT_EQ(summary.by_type["KS"], 2);
  EXPECT_EQ(summary.by_type["O1"], 5) << "advance-sale odds of two races, final odds of three";
  EXPECT_EQ(summary.races, 3);
  EXPECT_EQ(summary.runners, 26);
  EXPECT_EQ(summary.by_type["UM"], 11) << "nine runners, a sire and a dam's sire";
  EXPECT_EQ(summary.by_type["HN"], 2) << "the ancestors with codes";
  EXPECT_EQ(summary.horses, 11);
  EXPECT_EQ(summary.made_from_runners, 0) << "every horse has its UM";
  EXPECT_EQ(summary.refused, 0);
  EXPECT_GT(calls, 0);

  const fs::path second = dir_.path() / "second";
  s = Export(*copy, second.string(), {});
  ASSERT_TRUE(s.ok()) << s.message();
  for (const char* file : {"RA.txt", "SE.txt", "HR.txt", "O1.txt", "O2.txt", "O3.txt",
                           "KS.txt", "CH.txt", "BN.txt", "BR.txt", "UM.txt", "HN.txt"}) {
    EXPECT_FALSE(Contents(first / file).empty()) << file;
    EXPECT_EQ(Contents(second / file), Contents(first / file)) << file;
  }

  // Importing the files again changes nothing.
  s = Import(*copy, {first.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*source));
}

TEST_F(JvDataFilesTest, RefusedRecordsLeaveTheStoreAsItWasAndAreSummedUp) {
  std::unique_ptr<Database> db = open("store.db");
  Status s = ydb::Writer(*db).write(ytest::MakeWorld());
  ASSERT_TRUE(s.ok()) << s.message();
  const std::string before = dump(*db);

  ydb::Jockey jockey;
  jockey.code = "01009";
  jockey.name = "新人騎手";
  const Fields race = {{11, "2024"}, {15, "0113"}, {19, "06"}, {21, "01"}, {23, "04"},
                       {25, "01"}, {616, "14"}, {634, "999"}, {705, "24"}, {697, "1200"}};
  const fs::path a = dir_.path() / "a.txt";
  const fs::path b = dir_.path() / "b.txt";
  std::ofstream(a, std::ios::binary)
      << JockeyRecord(jockey, 20240108) << Line("ZZ", 40) << Line("O4", 4031)
      << Line("RA", 1272, race, '0') << Line("RA", 1272, {{19, "A4"}})
      << Line("SE", 555, {{11, "2024"}, {15, "0113"}, {19, "06"}, {30, "2019105219"}, {78, "4"}})
      << Line("RA", 1272, race);
  std::ofstream(b, std::ios::binary) << Line("HR", 719, race) << Line("SE", 300);

  ImportSummary summary;
  s = Import(*db, {a.string(), b.string()}, {}, &summary);
  EXPECT_TRUE(s.IsInvalidArgument());
  EXPECT_EQ(s.message().find(a.string() + " line 5: RA JyoCD 'A4'"), 0u) << s.message();
  EXPECT_NE(s.message().find("(3 records refused; nothing was imported)"), std::string::npos)
      << s.message();
  ASSERT_EQ(summary.reasons.size(), 3u);
  EXPECT_EQ(summary.reasons[1], a.string() + " line 6: SE SexCD '4' is not one of 123");
  EXPECT_EQ(summary.reasons[2].find(b.string() + " line 2: a record SE of 300 bytes"), 0u)
      << summary.reasons[2];
  EXPECT_EQ(summary.unknown, 1);
  EXPECT_EQ(summary.skipped["O4"], 1);
  EXPECT_EQ(summary.deletions, 1);
  EXPECT_EQ(summary.by_type["RA"], 3);
  EXPECT_EQ(dump(*db), before) << "nothing of a refused import is stored";

  // The good records alone go in; payouts of a race its RA says is not
  // run are refused at the HR.
  std::ofstream(a, std::ios::binary | std::ios::trunc)
      << JockeyRecord(jockey, 20240108) << Line("RA", 1272, race, '2') << Line("HR", 719, race);
  summary = ImportSummary();
  s = Import(*db, {a.string()}, {}, &summary);
  EXPECT_EQ(s.message(), a.string() + " line 3: race 052024011301 has payouts but its RA no results"
                                      " (1 records refused; nothing was imported)");
  std::ofstream(a, std::ios::binary | std::ios::trunc) << JockeyRecord(jockey, 20240108);
  s = Import(*db, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_NE(dump(*db), before);
}

// The records of the small world's race (or of `race`) as its RA and SE,
// at data stage `stage`, made on `created`, its horses named `horse_name`
// and their codes; without its result unless the stage carries one, and
// run but called off at stage 9.
std::string RaceFile(char stage, int created, ydb::Race race = ytest::MakeRace(),
                     const std::string& horse_name = "ウマ") {
  if (!CarriesResults(stage)) race.result.reset();
  if (stage == kCancelledStage) race.result = ydb::RaceResult();
  std::string records = RaceRecord(race, created);
  records[2] = stage;
  for (ydb::Runner& r : race.runners) {
    if (!race.result) r.result.reset();
    ydb::Horse horse = ytest::MakeHorse(r.horse_code, horse_name + r.horse_code, "0");
    records += RunnerRecord({{race.key, race.kai, race.kai_day}, r, horse, "騎手", "調教師", "馬主"},
                            stage, created);
  }
  return records;
}

TEST_F(JvDataFilesTest, AnOlderDataStageNeverRollsARaceBackAndADeletionRemovesIt) {
  std::unique_ptr<Database> db = open("store.db");
  const fs::path file = dir_.path() / "race.txt";
  ImportSummary summary;
  const auto import = [&](const std::string& records) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << records;
    const Status s = Import(*db, {file.string()}, {}, &summary);
    EXPECT_TRUE(s.ok()) << s.message();
  };
  const auto state = [&] {
    bool stored = false, run = false;
    EXPECT_TRUE(ydb::Reader(*db).raceState(ytest::kKey, &stored, &run).ok());
    return std::string(stored ? "stored" : "absent") + (run ? " run" : "");
  };

  // The card made after the results, in the same files: the results stand.
  import(RaceFile('7', 20240107) + RaceFile('2', 20240108));
  EXPECT_EQ(state(), "stored run");
  const std::string run = dump(*db);
  // And a card alone after the store has the results changes nothing.
  import(RaceFile('1', 20240109));
  EXPECT_EQ(summary.left_as_stored, 1);
  EXPECT_EQ(dump(*db), run);

  // A deletion (made on 2024-01-08) made before the results is overtaken
  // by them; one made after takes the race out.
  const std::string deletion =
      Line("RA", 1272, {{11, "2024"}, {15, "0106"}, {19, "06"}, {25, "11"}}, kDeletionStage);
  import(deletion + RaceFile('7', 20240109));
  EXPECT_EQ(state(), "stored run");
  import(RaceFile('7', 20240107) + deletion);
  EXPECT_EQ(summary.removed, 1);
  EXPECT_EQ(state(), "absent");

  // A race called off: stored run, no payouts, every runner 出走取消; and
  // written out again at data stage 9.
  import(RaceFile('2', 20240105) + RaceFile(kCancelledStage, 20240106));
  EXPECT_EQ(state(), "stored run");
  ydb::Status s = ydb::Reader(*db).readRaces([](const ydb::Race& race) {
    EXPECT_TRUE(Cancelled(race));
    EXPECT_EQ(race.runners.size(), 9u);
    return Status::Ok();
  });
  ASSERT_TRUE(s.ok()) << s.message();
  s = Export(*db, (dir_.path() / "out").string(), {});
  ASSERT_TRUE(s.ok()) << s.message();
  const std::string ra = Contents(dir_.path() / "out" / "RA.txt");
  ASSERT_FALSE(ra.empty());
  EXPECT_EQ(ra[2], kCancelledStage);
  EXPECT_TRUE(Contents(dir_.path() / "out" / "HR.txt").empty());
}

TEST_F(JvDataFilesTest, TheWritersRefusalEndsTheImportAtItsMonthAndNamesTheRecord) {
  std::unique_ptr<Database> db = open("store.db");
  const fs::path a = dir_.path() / "a.txt";
  // A race of no runners in February is the writer's to refuse; the
  // refusal names where the race's RA was read. January's race, written in
  // its own transaction before, stays; importing again with that race
  // left out changes nothing of January. A horse made from its runs' records
  // is made from its newest, written months after its first.
  const Fields february = {{11, "2024"}, {15, "0213"}, {19, "06"}, {21, "01"}, {23, "04"},
                           {25, "01"}, {616, "14"}, {634, "999"}, {705, "24"}, {697, "1200"}};
  const std::string january = RaceFile('7', 20240107);
  std::ofstream(a, std::ios::binary) << Line("RA", 1272, february, '2') << january;
  ImportSummary summary;
  Status s = Import(*db, {a.string()}, {}, &summary);
  EXPECT_TRUE(s.IsCorruption()) << s.message();
  EXPECT_EQ(s.message().find(a.string() + " line 1: race 052024021301"), 0u) << s.message();
  EXPECT_NE(s.message().find("(nothing of 2024-02 on was imported; the people and the races up "
                             "to 2024-01 were imported)"),
            std::string::npos)
      << s.message();
  EXPECT_EQ(summary.races, 1);
  bool stored = false, run = false;
  ASSERT_TRUE(ydb::Reader(*db).raceState(ytest::kKey, &stored, &run).ok());
  EXPECT_TRUE(run);
  const std::string first = dump(*db);

  std::ofstream(a, std::ios::binary | std::ios::trunc) << january;
  s = Import(*db, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*db), first);

  std::unique_ptr<Database> fresh = open("fresh.db");
  ydb::Race april = ytest::MakeRace({"05", 20240406, 11});
  april.kai = 2;
  std::ofstream(a, std::ios::binary | std::ios::trunc)
      << RaceFile('7', 20240406, april, "シン") << january;
  s = Import(*fresh, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  int horses = 0;
  s = ydb::Reader(*fresh).readHorses([&](const ydb::Horse& h) {
    EXPECT_EQ(h.name, "シン" + h.code);
    ++horses;
    return Status::Ok();
  });
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(horses, 9);
}

// `line` made on `created` (YYYYMMDD).
std::string MadeOn(std::string line, const std::string& created) { return line.replace(3, 8, created); }

// The small world's horse 2020011 as a UM made on `created`, named `name`,
// its sire by breeding number 1234.
std::string HorseLine(const std::string& name, const std::string& created) {
  HorseRecord x;
  x.horse = ytest::MakeHorse("2020011", name, "0");
  x.horse.owner_code = "100001";
  x.horse.trainer_code = "02001";
  x.breeding[ydb::kSire] = "0000001234";
  return MadeOn(HorseRecordOf(x, 20240108), created);
}

const std::string kSireHn = [] {
  BreedingHorse b;
  b.number = "0000001234";
  b.horse_code = "1990001";
  b.name_latin = "Old King";
  b.foaled_in_japan = false;
  return BreedingHorseRecord(b, 20240108);
}();

TEST_F(JvDataFilesTest, HorsesTakeTheNewestRecordAndAncestorsTheirBreedingHorsesNames) {
  std::unique_ptr<Database> db = open("store.db");
  ASSERT_TRUE(ydb::Writer(*db).write(ytest::MakeWorld()).ok());
  const fs::path a = dir_.path() / "a.txt";
  const fs::path b = dir_.path() / "b.txt";
  // The newer UM first, an older one after it: the newer stands.
  std::ofstream(a, std::ios::binary) << HorseLine("シンランナー", "20240110") << kSireHn;
  std::ofstream(b, std::ios::binary) << HorseLine("フルイナマエ", "20240105");
  ImportSummary summary;
  Status s = Import(*db, {a.string(), b.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(summary.horses, 1);
  const auto horse = [&] {
    ydb::Horse found;
    EXPECT_TRUE(ydb::Reader(*db).readHorses([&](const ydb::Horse& h) {
      if (h.code == "2020011") found = h;
      return Status::Ok();
    }).ok());
    return found;
  };
  ydb::Horse h = horse();
  EXPECT_EQ(h.name, "シンランナー");
  EXPECT_EQ(h.pedigree[ydb::kSire].code, "1990001");
  EXPECT_EQ(h.pedigree[ydb::kSire].name_latin, "Old King");
  EXPECT_FALSE(h.pedigree[ydb::kSire].foaled_in_japan);

  // A record cut short ends its file, refused, and nothing is written.
  std::ofstream(b, std::ios::binary | std::ios::trunc)
      << HorseLine("フルイナマエ", "20240111") << HorseLine("フルイナマエ", "20240111").substr(0, 1500) << "\r\n";
  s = Import(*db, {b.string()}, {}, &summary);
  EXPECT_NE(s.message().find(b.string() + " line 2: a record UM of 1502 bytes"), std::string::npos)
      << s.message();
  EXPECT_EQ(horse().name, "シンランナー");

  // A foal record gives a horse made from its runs its pedigree.
  std::unique_ptr<Database> fresh = open("fresh.db");
  std::string sk(206, ' ');
  sk.replace(0, 21, "SK120240108" + JraHorseCodeOf("2020011"));
  sk.replace(66, 10, "0000001234");
  std::ofstream(a, std::ios::binary | std::ios::trunc) << RaceFile('7', 20240107) << sk << "\r\n" << kSireHn;
  s = Import(*fresh, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  ydb::Horse made;
  ASSERT_TRUE(ydb::Reader(*fresh).readHorses([&](const ydb::Horse& x) {
    if (x.code == "2020011") made = x;
    return Status::Ok();
  }).ok());
  EXPECT_EQ(made.pedigree[ydb::kSire].code, "1990001");
  EXPECT_EQ(made.pedigree[ydb::kSire].name_latin, "Old King");
}

// The stored horse 2020011.
ydb::Horse StoredHorse(Database& db) {
  ydb::Horse found;
  EXPECT_TRUE(ydb::Reader(db).readHorses([&](const ydb::Horse& h) {
    if (h.code == "2020011") found = h;
    return Status::Ok();
  }).ok());
  return found;
}

TEST_F(JvDataFilesTest, AnOlderHorseRecordOfALaterImportLeavesTheNewerHorse) {
  std::unique_ptr<Database> db = open("store.db");
  ASSERT_TRUE(ydb::Writer(*db).write(ytest::MakeWorld()).ok());
  const fs::path a = dir_.path() / "a.txt";
  const auto import = [&](const std::string& lines) {
    std::ofstream(a, std::ios::binary | std::ios::trunc) << lines;
    ImportSummary summary;
    const Status s = Import(*db, {a.string()}, {}, &summary);
    EXPECT_TRUE(s.ok()) << s.message();
  };
  import(HorseLine("シンランナー", "20240110"));
  EXPECT_EQ(StoredHorse(*db).record_date, 20240110);
  import(HorseLine("フルイナマエ", "20240105"));
  EXPECT_EQ(StoredHorse(*db).name, "シンランナー") << "an older record rolled the horse back";
  EXPECT_EQ(StoredHorse(*db).record_date, 20240110);
  import(HorseLine("オナジヒ", "20240110"));
  EXPECT_EQ(StoredHorse(*db).name, "オナジヒ") << "of the same date, the later import wins";

  // A horse of no known date (as the generator and the exchange format
  // without one write it) replaces the stored one, whose date goes with it.
  ydb::Horse plain = ytest::MakeHorse("2020011", "テガキ", "0");
  ASSERT_TRUE(ydb::Writer(*db).write(plain).ok());
  EXPECT_EQ(StoredHorse(*db).name, "テガキ");
  EXPECT_EQ(StoredHorse(*db).record_date, 0);
  import(HorseLine("フルイナマエ", "20240105"));
  EXPECT_EQ(StoredHorse(*db).name, "フルイナマエ");
}

TEST_F(JvDataFilesTest, AFoalRecordFillsInWhatAStoredHorseLacks) {
  std::unique_ptr<Database> db = open("store.db");
  ASSERT_TRUE(ydb::Writer(*db).write(ytest::MakeWorld()).ok());
  ydb::Horse bare = ytest::MakeHorse("2020011", "シンランナー", "0");
  bare.birth_date = 0;
  bare.coat_code.clear();
  bare.pedigree[ydb::kDam].name = "ハハ";
  bare.record_date = 20240110;
  ASSERT_TRUE(ydb::Writer(*db).write(bare).ok());
  // The foal record of the older form: a breeder code of 6 digits, breeding
  // numbers of 8; the sire's and the dam's numbered, the sire's HN given.
  std::string sk(176, ' ');
  sk.replace(0, 21, "SK120240108" + JraHorseCodeOf("2020011"));
  sk.replace(21, 8, "20200401");
  sk.replace(31, 2, "05");
  sk.replace(38, 6, "000001");
  sk.replace(64, 8, "00001234");
  sk.replace(72, 8, "00005678");
  const std::string hn =
      Line("HN", 245, {{11, "00001234"}, {27, JraHorseCodeOf("1990001")}, {38, ytest::Sjis("オールドキング")}}, '1');
  ydb::Breeder breeder{"00000001", "南の牧場", ""};
  const fs::path a = dir_.path() / "a.txt";
  std::ofstream(a, std::ios::binary) << sk << "\r\n" << hn << BreederRecord(breeder, 20240108);
  ImportSummary summary;
  Status s = Import(*db, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(summary.horses_filled, 1);
  const ydb::Horse h = StoredHorse(*db);
  EXPECT_EQ(h.birth_date, 20200401);
  EXPECT_EQ(h.coat_code, "05");
  EXPECT_EQ(h.breed_code, "01") << "what the horse has stays";
  EXPECT_EQ(h.breeder_code, "00000001") << "the older code of 6 digits with two zeros before it";
  EXPECT_EQ(h.pedigree[ydb::kSire].code, "1990001");
  EXPECT_EQ(h.pedigree[ydb::kSire].name, "オールドキング");
  EXPECT_EQ(h.pedigree[ydb::kDam].name, "ハハ") << "a stored ancestor stays";
  EXPECT_EQ(h.name, "シンランナー");
  EXPECT_EQ(h.record_date, 20240110);

  // Again: nothing is left to fill in.
  s = Import(*db, {a.string()}, {}, &summary);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(summary.horses_filled, 0);
}

TEST_F(JvDataFilesTest, APersonsDeletionRemovesOnlyWhatNothingNames) {
  std::unique_ptr<Database> db = open("store.db");
  ASSERT_TRUE(ydb::Writer(*db).write(ytest::MakeWorld()).ok());
  ydb::Jockey spare;
  spare.code = "01003";
  spare.name = "伊藤四郎";
  ASSERT_TRUE(ydb::Writer(*db).write(spare).ok());
  const fs::path a = dir_.path() / "a.txt";
  const std::string ks_deleted = Line("KS", 4173, {{11, "01001"}}, kDeletionStage);
  const std::string spare_deleted = Line("KS", 4173, {{11, "01003"}}, kDeletionStage);
  std::ofstream(a, std::ios::binary) << ks_deleted << spare_deleted;
  ImportSummary summary;
  const Status s = Import(*db, {a.string()}, {}, &summary);
  EXPECT_TRUE(s.IsInvalidArgument()) << s.message();
  EXPECT_EQ(s.message().find(a.string() + " line 1: jockey 01001 is not removed: 4 runs refer to it"), 0u)
      << s.message();
  EXPECT_EQ(summary.people_removed, 1);
  bool found = true;
  ASSERT_TRUE(ydb::Reader(*db).contains(ydb::Entity::kJockey, "01003", &found).ok());
  EXPECT_FALSE(found);
  ASSERT_TRUE(ydb::Reader(*db).contains(ydb::Entity::kJockey, "01001", &found).ok());
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
