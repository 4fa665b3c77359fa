// Export and import against real stores: export, import into an empty
// store, export again gives the same files; every kind of broken input is
// refused with its file, line and reason and leaves the store as it was, or
// in a month's races, with the people, horses and sires loaded;
// texts with commas, quotes and line ends survive; a user's files with a
// byte-order mark and CRLF line ends load; the races load a month at a
// time whatever the order of the rows; progress can stop the work.
#include "exchange/Exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "db/read/Dump.h"
#include "db/read/Reader.h"
#include "db/write/Writer.h"
#include "exchange/Columns.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace exchange {
namespace {

namespace fs = std::filesystem;
using ydb::Database;
using ydb::Status;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    text += (i ? std::string(1, separator) : "") + parts[i];
  }
  return text;
}

// Sets one field of a line of a file whose fields hold no commas or quotes.
void SetField(const fs::path& file, int line, const std::string& column, const std::string& value) {
  std::vector<std::string> lines = Split(ReadFile(file), '\n');
  const std::vector<std::string> header = Split(lines[0], ',');
  std::vector<std::string> fields = Split(lines[static_cast<std::size_t>(line - 1)], ',');
  if (lines[static_cast<std::size_t>(line - 1)].back() == ',') fields.emplace_back();
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (header[i] == column) fields[i] = value;
  }
  lines[static_cast<std::size_t>(line - 1)] = Join(fields, ',');
  WriteFile(file, Join(lines, '\n') + "\n");
}

// The small world with texts that need quoting, and a card not yet run with
// its nominations and forecast odds, one pool of them not on sale.
ydb::Batch World() {
  ydb::Batch world = ytest::MakeWorld();
  world.owners[0].name = "有限会社\"白\"牧場, 本社";
  ydb::Race& run = world.races[0];
  run.name = "新春S, \"特別\"";
  run.condition_text = "指定,混合";
  run.result->comment = "先行して\n\"粘る\"";

  ydb::Race card = ytest::MakeRace({"05", 20240107, 1});
  card.kai_day = 3;
  card.result.reset();
  card.runners.resize(8);
  for (ydb::Runner& r : card.runners) {
    r.result.reset();
    r.frame_no = r.horse_no;
  }
  card.forecast_odds = ydb::OddsSet{"0", 0, {{ydb::Pool::kWin, 2, 0, 41, 0, ""},
                                             {ydb::Pool::kBracketQuinella, 1, 2, 0, 0, "-"}}};
  card.nominations = {{"2020013", "02001", "01001", 560, "0", "1 2"},
                      {"2020011", "02001", "", 0, "", ""}};
  world.races.push_back(card);
  return world;
}

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = open("source.db");
    ASSERT_TRUE(source_);
    Status s = ydb::Writer(*source_).write(World());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  std::unique_ptr<Database> open(const std::string& name) {
    std::unique_ptr<Database> db;
    Status s = Database::Open((dir_.path() / name).string(), Database::Mode::kOpenOrCreate, &db);
    EXPECT_TRUE(s.ok()) << s.message();
    return db;
  }

  fs::path exportTo(Database& db, const std::string& name) {
    const fs::path out = dir_.path() / name;
    Status s = Export(db, out.string());
    EXPECT_TRUE(s.ok()) << s.message();
    return out;
  }

  static std::string dump(Database& db) {
    std::string text;
    Status s = ydb::DumpStore(db, &text);
    EXPECT_TRUE(s.ok()) << s.message();
    return text;
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> source_;
};

TEST_F(ExchangeTest, ExportImportExportGivesTheSameFiles) {
  const fs::path first = exportTo(*source_, "first");
  std::unique_ptr<Database> copy = open("copy.db");
  ASSERT_TRUE(copy);
  Status s = Import(*copy, first.string());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*source_)) << "the import rebuilds the store";

  const fs::path second = exportTo(*copy, "second");
  for (int i = 0; i < kFileCount; ++i) {
    const char* name = FileName(static_cast<File>(i));
    EXPECT_EQ(ReadFile(second / name), ReadFile(first / name)) << name;
  }
  for (const auto& entry : fs::directory_iterator(first)) {
    EXPECT_EQ(entry.path().extension(), ".csv") << "no temporary file is left: " << entry.path();
  }

  // Loading the same files again changes nothing: records are upserted.
  s = Import(*copy, first.string());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*source_));
}

TEST_F(ExchangeTest, TextsWithCommasQuotesAndLineEndsAreQuoted) {
  const fs::path out = exportTo(*source_, "out");
  const std::string races = ReadFile(out / "races.csv");
  EXPECT_NE(races.find(",\"新春S, \"\"特別\"\"\","), std::string::npos) << races;
  EXPECT_NE(races.find(",\"先行して\n\"\"粘る\"\"\"\n"), std::string::npos) << races;
  EXPECT_NE(ReadFile(out / "owners.csv").find("\"有限会社\"\"白\"\"牧場, 本社\""),
            std::string::npos);
  EXPECT_NE(ReadFile(out / "corners.csv").find(",\"1,2-(3,4)-5,6,7,8\"\n"), std::string::npos);
  // The written forms: ISO dates, clock times, tenths as decimals.
  EXPECT_EQ(races.substr(0, races.find('\n')),
            "date,place,race_no,kai,kai_day,edition,name,grade,condition_text,weight_rule1,"
            "weight_rule2,race_kind,class_code,track_code,direction,inner_outer,rail,distance,"
            "post_time,symbol_code,prize_1,prize_2,prize_3,prize_4,prize_5,added_money,"
            "forecast_time,forecast_last_600,going,weather,pace,has_result,time_first_600,"
            "time_first_800,time_first_1000,time_last_800,time_last_600,time_last_mile,comment");
  EXPECT_NE(races.find("\n2024-01-06,05,11,1,2,,"), std::string::npos);
  EXPECT_NE(races.find(",15:45,"), std::string::npos);
  EXPECT_NE(ReadFile(out / "runners.csv").find(",57.0,"), std::string::npos);
}

TEST_F(ExchangeTest, UserFilesWithByteOrderMarkAndCrlfLoad) {
  const fs::path out = exportTo(*source_, "out");
  for (int i = 0; i < kFileCount; ++i) {
    const fs::path file = out / FileName(static_cast<File>(i));
    std::string text = ReadFile(file);
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile(file, crlf);
  }
  std::unique_ptr<Database> copy = open("copy.db");
  Status s = Import(*copy, out.string());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*source_)) << "a CRLF inside a quoted text reads as LF";
}

TEST_F(ExchangeTest, FilesLeftOutAreNoRows) {
  const fs::path out = exportTo(*source_, "out");
  for (int i = static_cast<int>(File::kRaces); i < kFileCount; ++i) {
    fs::remove(out / FileName(static_cast<File>(i)));
  }
  std::unique_ptr<Database> copy = open("copy.db");
  Status s = Import(*copy, out.string());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_NE(dump(*copy).find("'2020019'"), std::string::npos) << "the horses are loaded";

  for (int i = 0; i < kFileCount; ++i) fs::remove(out / FileName(static_cast<File>(i)));
  s = Import(*copy, out.string());
  EXPECT_NE(s.message().find("holds none of the files"), std::string::npos) << s.message();
}

TEST_F(ExchangeTest, RowsMayNameRecordsOfTheStore) {
  const fs::path out = exportTo(*source_, "out");
  for (File file : {File::kOwners, File::kBreeders, File::kTrainers, File::kJockeys,
                    File::kHorses, File::kPedigrees, File::kSires}) {
    fs::remove(out / FileName(file));
  }
  std::unique_ptr<Database> empty = open("empty.db");
  Status s = Import(*empty, out.string());
  EXPECT_NE(s.message().find("runners.csv line 2: horse_code 2020011 is neither in horses.csv "
                             "nor in the store"),
            std::string::npos)
      << s.message();

  // A store that holds the people and horses takes the races alone.
  std::unique_ptr<Database> people = open("people.db");
  ydb::Batch entities = World();
  entities.races.clear();
  ASSERT_TRUE(ydb::Writer(*people).write(entities).ok());
  s = Import(*people, out.string());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*people), dump(*source_));
}

TEST_F(ExchangeTest, ARaceOfTheFilesReplacesTheStoredRaceWhole) {
  // The user's memo on a run stays; the odds left out of the files go.
  ASSERT_TRUE(ydb::Writer(*source_).setRunMemo(ytest::kKey, "2020012", "次走注目").ok());
  const fs::path out = exportTo(*source_, "out");
  fs::remove(out / "odds.csv");
  fs::remove(out / "odds_sets.csv");
  Status s = Import(*source_, out.string());
  ASSERT_TRUE(s.ok()) << s.message();
  const std::string after = dump(*source_);
  EXPECT_NE(after.find("'次走注目'"), std::string::npos);
  const std::size_t odds = after.find("-- odds\n");
  ASSERT_NE(odds, std::string::npos);
  EXPECT_EQ(after.substr(odds, after.find("-- ", odds + 3) - odds), "-- odds\n");
}

TEST_F(ExchangeTest, BrokenInputIsRefusedAndLoadsNothingOfItsMonth) {
  const fs::path pristine = exportTo(*source_, "pristine");
  // Each case imports into a store that already holds a world, so a
  // half-done load would show.
  int stores = 0;
  const auto target = [&] {
    std::unique_ptr<Database> db = open("target" + std::to_string(++stores) + ".db");
    ydb::Batch before = ytest::MakeWorld();
    before.races[0].name = "前の名前";
    EXPECT_TRUE(ydb::Writer(*db).write(before).ok());
    return db;
  };
  const std::string state = dump(*target());
  // A refusal in a month's races leaves the people, horses and sires
  // loaded, and nothing of the month (the small world's races are of one).
  std::string entities_loaded;
  {
    const fs::path entities = dir_.path() / "entities";
    fs::create_directories(entities);
    for (int i = 0; i < static_cast<int>(File::kRaces); ++i) {
      fs::copy(pristine / FileName(static_cast<File>(i)), entities / FileName(static_cast<File>(i)));
    }
    std::unique_ptr<Database> db = target();
    ASSERT_TRUE(Import(*db, entities.string()).ok());
    entities_loaded = dump(*db);
    ASSERT_NE(entities_loaded, state);
  }

  enum Loaded { kNothing, kEntities };
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> edit;
    std::string message;  // how the refusal begins, after "import from DIR: "
    Loaded loaded = kNothing;
  };
  const auto cut = [](const fs::path& file, std::size_t bytes) {
    const std::string text = ReadFile(file);
    WriteFile(file, text.substr(0, text.size() - bytes));
  };
  const std::vector<Case> cases = {
      {"a file cut mid-row",
       [&](const fs::path& d) { cut(d / "runners.csv", 7); },
       "runners.csv line 18: the last line has no line end: the file has been cut short"},
      {"a row with a field too few",
       [&](const fs::path& d) {
         std::vector<std::string> lines = Split(ReadFile(d / "runners.csv"), '\n');
         lines[2] = lines[2].substr(0, lines[2].rfind(','));
         WriteFile(d / "runners.csv", Join(lines, '\n') + "\n");
       },
       "runners.csv line 3: the row has 37 fields where the header has 38"},
      {"a date not of the calendar",
       [](const fs::path& d) { SetField(d / "laps.csv", 3, "date", "2024-02-30"); },
       "laps.csv line 3: date '2024-02-30' is not a date of the calendar written YYYY-MM-DD"},
      {"an unknown horse",
       [](const fs::path& d) { SetField(d / "runners.csv", 4, "horse_code", "2020099"); },
       "runners.csv line 4: horse_code 2020099 is neither in horses.csv nor in the store", kEntities},
      {"a code the code tables lack",
       [](const fs::path& d) { SetField(d / "horses.csv", 5, "coat_code", "99"); },
       "horses.csv line 5: coat_code '99' is not in the coat colour code table"},
      {"a header of another format",
       [](const fs::path& d) {
         const std::string text = ReadFile(d / "laps.csv");
         WriteFile(d / "laps.csv", "date,place,race_no,lap,time" + text.substr(text.find('\n')));
       },
       "laps.csv line 1: the header's column 4 is 'lap' where the format has 'lap_no'"},
      {"an owner given twice",
       [](const fs::path& d) {
         const std::string text = ReadFile(d / "owners.csv");
         WriteFile(d / "owners.csv", text + text.substr(text.find('\n') + 1));
       },
       "owners.csv line 3: owner 100001 is given twice (first on line 2)"},
      {"a lap given twice",
       [](const fs::path& d) { SetField(d / "laps.csv", 4, "lap_no", "2"); },
       "laps.csv line 4: race 052024010611: lap_no 2 is given twice (first on line 3)", kEntities},
      {"a row of a race that is not in races.csv",
       [](const fs::path& d) { SetField(d / "comments.csv", 2, "race_no", "7"); },
       "comments.csv line 2: race 052024010607 is not in races.csv", kEntities},
      {"a result for a runner of a race not run",
       [](const fs::path& d) { SetField(d / "runners.csv", 11, "finish_pos", "1"); },
       "runners.csv line 11: finish_pos must be empty: race 052024010701 has no result", kEntities},
      // Faults the store's writer finds, told with the row that caused them.
      {"a runner in the wrong frame",
       [](const fs::path& d) { SetField(d / "runners.csv", 3, "frame_no", "5"); },
       "runners.csv line 3: race 052024010611 runner 2 (horse 2020012): frame_no 5 is not "
       "the draw's frame 2", kEntities},
      {"a payout on a horse not in the field",
       [](const fs::path& d) { SetField(d / "payouts.csv", 2, "first", "12"); },
       "payouts.csv line 2: race 052024010611 result: payout win 12: no such horse", kEntities},
      {"odds with a mark",
       [](const fs::path& d) { SetField(d / "odds.csv", 4, "mark", "*"); },
       "odds.csv line 4: race 052024010611 odds: place 1: odds 12 with a mark", kEntities},
      {"a lap left out",
       [](const fs::path& d) {
         std::vector<std::string> lines = Split(ReadFile(d / "laps.csv"), '\n');
         lines.pop_back();
         WriteFile(d / "laps.csv", Join(lines, '\n') + "\n");
       },
       "laps.csv line 9: race 052024010611 result: 8 laps for 1700 m, which has 9", kEntities},
      {"a horse nominated twice",
       [](const fs::path& d) { SetField(d / "nominations.csv", 3, "horse_code", "2020013"); },
       "nominations.csv line 3: race 052024010701 nomination 2 (horse 2020013): the horse is "
       "nominated twice", kEntities},
      {"a record time without its kind",
       [](const fs::path& d) { SetField(d / "reference_times.csv", 3, "kind", ""); },
       "reference_times.csv line 3: race 052024010701: reference_times[0].kind must be one of", kEntities},
      {"a pedigree name too long for its record",
       [](const fs::path& d) { SetField(d / "pedigrees.csv", 4, "name", std::string(40, 'X')); },
       "pedigrees.csv line 4: horse 2020011: pedigree[4].name"},
      {"a weight out of the record's range",
       [](const fs::path& d) { SetField(d / "nominations.csv", 2, "weight_carried", "120.0"); },
       "nominations.csv line 2: weight_carried 120.0 is outside 0.1 to 99.9", kEntities},
  };
  for (const Case& c : cases) {
    const fs::path broken = dir_.path() / "broken";
    fs::remove_all(broken);
    fs::copy(pristine, broken);
    c.edit(broken);
    std::unique_ptr<Database> db = target();
    Status s = Import(*db, broken.string());
    EXPECT_FALSE(s.ok()) << c.what;
    const std::string expected = "import from " + broken.string() + ": " + c.message;
    EXPECT_EQ(s.message().substr(0, expected.size()), expected) << c.what;
    if (c.loaded == kNothing) {
      EXPECT_EQ(dump(*db), state) << c.what << ": the store must be as it was";
    } else {
      EXPECT_EQ(dump(*db), entities_loaded) << c.what << ": the people, horses and sires only";
      EXPECT_NE(s.message().find("(nothing of 2024-01 on was loaded; the people, horses and sires "
                                 "were loaded, no race)"),
                std::string::npos)
          << s.message();
    }
  }
}

TEST_F(ExchangeTest, HorsesAndRacesLoadInPartsWhateverTheOrderOfTheRows) {
  std::unique_ptr<Database> world = open("three.db");
  ASSERT_TRUE(ydb::Writer(*world).write(ytest::MakeThreeRaceWorld()).ok());
  const fs::path out = exportTo(*world, "three");
  // The rows of December and January interleaved: in these files a
  // December row moved after January's; and a horse's pedigree rows apart.
  for (const char* name : {"runners.csv", "odds.csv", "pedigrees.csv"}) {
    std::vector<std::string> lines = Split(ReadFile(out / name), '\n');
    ASSERT_TRUE(name[0] == 'p' || lines[1].rfind("2023-12", 0) == 0) << name;
    ASSERT_EQ(lines[1].substr(0, 8), lines[2].substr(0, 8)) << name << ": rows of one key";
    std::rotate(lines.begin() + 1, lines.begin() + 2, lines.end());
    WriteFile(out / name, Join(lines, '\n') + "\n");
  }
  // horses.csv as written before the horses kept their record dates.
  std::vector<std::string> horses = Split(ReadFile(out / "horses.csv"), '\n');
  ASSERT_EQ(horses[0].substr(horses[0].rfind(',')), ",record_date");
  for (std::string& line : horses) {
    ASSERT_EQ(line.substr(line.rfind(',')), line == horses[0] ? ",record_date" : ",");
    line.erase(line.rfind(','));
  }
  WriteFile(out / "horses.csv", Join(horses, '\n') + "\n");

  std::unique_ptr<Database> copy = open("copy.db");
  std::vector<std::string> steps;
  Status s = Import(*copy, out.string(), [&](int, int, const std::string& what) {
    steps.push_back(what.substr(0, what.find(" (")));
    return true;
  });
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(dump(*copy), dump(*world));
  const std::vector<std::string> months = {"races of 2023-12", "races of 2024-01", "done"};
  ASSERT_GE(steps.size(), months.size());
  EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()), months);

  // A fault in January's races: December's stay loaded.
  const std::vector<std::string> payouts = Split(ReadFile(out / "payouts.csv"), '\n');
  const auto january = std::find_if(payouts.begin(), payouts.end(),
                                    [](const std::string& line) { return line.rfind("2024-01", 0) == 0; });
  ASSERT_NE(january, payouts.end());
  SetField(out / "payouts.csv", static_cast<int>(january - payouts.begin()) + 1, "first", "12");
  std::unique_ptr<Database> part = open("part.db");
  s = Import(*part, out.string());
  EXPECT_NE(s.message().find("(nothing of 2024-01 on was loaded; the people, horses and sires and "
                             "the races up to 2023-12 were loaded)"),
            std::string::npos)
      << s.message();
  ydb::Reader reader(*part);
  bool stored = false;
  bool run = false;
  ASSERT_TRUE(reader.raceState({"05", 20231228, 11}, &stored, &run).ok());
  EXPECT_TRUE(stored);
  ASSERT_TRUE(reader.raceState(ytest::kKey, &stored, &run).ok());
  EXPECT_FALSE(stored);
}

TEST_F(ExchangeTest, ProgressIsToldAndCanStop) {
  int calls = 0;
  int last_done = -1;
  int total = 0;
  const fs::path out = dir_.path() / "out";
  Status s = Export(*source_, out.string(), [&](int done, int all, const std::string&) {
    ++calls;
    EXPECT_GT(done, last_done);
    last_done = done;
    total = all;
    return true;
  });
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(last_done, total) << "the last step is the whole";
  EXPECT_EQ(total, 6 + 2) << "six tables of people and horses, two races";

  // An import stopped loads nothing.
  std::unique_ptr<Database> copy = open("copy.db");
  const std::string empty = dump(*copy);
  s = Import(*copy, out.string(), [](int, int, const std::string&) { return false; });
  EXPECT_NE(s.message().find("import stopped"), std::string::npos) << s.message();
  EXPECT_EQ(dump(*copy), empty);

  // An export stopped leaves the files that were there and nothing else.
  const fs::path again = dir_.path() / "again";
  fs::create_directories(again);
  WriteFile(again / "owners.csv", "old");
  s = Export(*source_, again.string(), [](int done, int, const std::string&) { return done < 3; });
  EXPECT_NE(s.message().find("export stopped"), std::string::npos) << s.message();
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(again)) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<fs::path>{"owners.csv"});
  EXPECT_EQ(ReadFile(again / "owners.csv"), "old");
}

}  // namespace
}  // namespace exchange
