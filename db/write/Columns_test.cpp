// The column tables of the people and horses against the store and the
// writer: every column of a stored table is described, in the store's order,
// NULL where the schema allows it; each column refuses a value outside its
// form, naming the member; each column comes back from the store as written.
#include "db/base/Columns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/read/Reader.h"
#include "db/store/Database.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

class ColumnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Status s = Database::Open(dir_.str() + "/store.db", Database::Mode::kOpenOrCreate, &db_);
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // The store's columns of `table` with their NOT NULL flags, in order.
  template <typename R>
  void expectDescribes(const Table<R>& table) {
    std::vector<std::string> stored;
    std::vector<std::string> described(table.keys.begin(), table.keys.end());
    Statement& st = db_->statement(std::string("PRAGMA table_info(") + table.name + ")");
    while (st.step()) {
      const std::string name(st.column_text(1));
      stored.push_back(name);
      for (const Column<R>& c : table.columns) {
        if (name != c.name) continue;
        // Texts and flags are stored as given; other values may be NULL
        // unless required.
        const bool as_given = c.form == Form::kText || c.form == Form::kShortText ||
                              c.form == Form::kFlag;
        const bool not_null = as_given || (c.form != Form::kCopy && c.presence == kRequired);
        EXPECT_EQ(st.column_int(3) != 0, not_null) << table.name << "." << name;
      }
    }
    st.reset();
    for (const Column<R>& c : table.columns) described.push_back(c.name);
    EXPECT_EQ(stored, described) << table.name;
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(ColumnsTest, EveryStoredColumnIsDescribedInTheStoresOrder) {
  expectDescribes(OwnerTable());
  expectDescribes(BreederTable());
  expectDescribes(TrainerTable());
  expectDescribes(JockeyTable());
  expectDescribes(HorseTable());
  expectDescribes(PedigreeTable());
  expectDescribes(SireTable());
}

template <typename R>
std::size_t Width(const Column<R>& c) {
  return static_cast<std::size_t>(c.width);
}

// Every column of `record` given a value its form allows and that differs
// from the model's default. Codes are all ones, so that the codes a record
// refers to name the records filled the same way.
template <typename R>
void FillEveryColumn(const Table<R>& table, R* record) {
  for (const Column<R>& c : table.columns) {
    switch (c.form) {
      case Form::kText: record->*c.text = "名前は長めに書く"; break;
      case Form::kShortText: record->*c.text = ""; break;  // the name cut to fit
      case Form::kDigits:
      case Form::kCode: record->*c.text = std::string(Width(c), '1'); break;
      case Form::kChoice: record->*c.text = std::string(1, std::string(c.choices).back()); break;
      case Form::kDate: record->*c.number = 19991231; break;
      case Form::kYear: record->*c.number = 1999; break;
      case Form::kFlag: record->*c.flag = !(record->*c.flag); break;
      case Form::kCopy:
      case Form::kSearchKey: break;
    }
  }
}

template <typename R>
void ExpectSameColumns(const Table<R>& table, const R& written, const R& read) {
  for (const Column<R>& c : table.columns) {
    const std::string where = std::string(table.name) + "." + c.name;
    switch (c.form) {
      case Form::kShortText:
        EXPECT_EQ(read.*c.text, ShortForm(written.*c.source, Width(c))) << where;
        break;
      case Form::kText:
      case Form::kDigits:
      case Form::kCode:
      case Form::kChoice: EXPECT_EQ(read.*c.text, written.*c.text) << where; break;
      case Form::kDate:
      case Form::kYear: EXPECT_EQ(read.*c.number, written.*c.number) << where; break;
      case Form::kFlag: EXPECT_EQ(read.*c.flag, written.*c.flag) << where; break;
      case Form::kCopy:
      case Form::kSearchKey: break;
    }
  }
}

// Reads the one record of a table.
template <typename R>
R ReadOne(Status (Reader::*read)(const Visitor<R>&), Reader& reader) {
  std::vector<R> records;
  Status s = (reader.*read)([&](const R& r) {
    records.push_back(r);
    return Status::Ok();
  });
  EXPECT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(records.size(), 1u);
  return records.empty() ? R() : records[0];
}

TEST_F(ColumnsTest, EveryColumnComesBackAsWritten) {
  Batch batch;
  FillEveryColumn(OwnerTable(), &batch.owners.emplace_back());
  FillEveryColumn(BreederTable(), &batch.breeders.emplace_back());
  FillEveryColumn(TrainerTable(), &batch.trainers.emplace_back());
  FillEveryColumn(JockeyTable(), &batch.jockeys.emplace_back());
  Horse& horse = batch.horses.emplace_back();
  FillEveryColumn(HorseTable(), &horse);
  for (PedigreePosition p : {kSire, kDam}) {
    FillEveryColumn(PedigreeTable(), &horse.pedigree[p]);
    horse.pedigree[p].code = p == kSire ? "2222222" : "3333333";  // not the horse itself
  }
  FillEveryColumn(SireTable(), &batch.sires.emplace_back());
  Writer writer(*db_);
  Status s = writer.write(batch);
  ASSERT_TRUE(s.ok()) << s.message();

  Reader reader(*db_);
  ExpectSameColumns(OwnerTable(), batch.owners[0], ReadOne(&Reader::readOwners, reader));
  ExpectSameColumns(BreederTable(), batch.breeders[0], ReadOne(&Reader::readBreeders, reader));
  ExpectSameColumns(TrainerTable(), batch.trainers[0], ReadOne(&Reader::readTrainers, reader));
  ExpectSameColumns(JockeyTable(), batch.jockeys[0], ReadOne(&Reader::readJockeys, reader));
  const Horse read = ReadOne(&Reader::readHorses, reader);
  ExpectSameColumns(HorseTable(), horse, read);
  for (int p = 0; p < kPedigreeSize; ++p) {
    ExpectSameColumns(PedigreeTable(), horse.pedigree[p], read.pedigree[p]);
  }
  ExpectSameColumns(SireTable(), batch.sires[0], ReadOne(&Reader::readSires, reader));

  Statement& copies = db_->statement("SELECT sire_code || dam_code FROM horse");
  ASSERT_TRUE(copies.step());
  EXPECT_EQ(copies.column_text(0), "22222223333333") << "the parents' codes kept on the horse";
  copies.reset();
}

// A copy of `record` with the column broken: too wide, not digits, not a
// choice, not a day of the calendar, not a year a horse may carry. False
// for the columns that cannot be broken (flags, copies).
template <typename R>
bool Break(const Column<R>& c, R* record) {
  switch (c.form) {
    case Form::kText:
    case Form::kShortText: record->*c.text = std::string(Width(c) + 1, 'a'); return true;
    case Form::kDigits:
    case Form::kCode: record->*c.text = std::string(Width(c) + 1, '1'); return true;
    case Form::kChoice: record->*c.text = "X"; return true;
    case Form::kDate: record->*c.number = 20230229; return true;
    case Form::kYear: record->*c.number = kFirstBirthYear - 1; return true;
    case Form::kFlag:
    case Form::kCopy:
    case Form::kSearchKey: return false;
  }
  return false;
}

// Every breakable column of `table` in `valid` refused, the fault naming
// the member after `prefix`; and each required column refused empty.
template <typename R, typename Validate>
void ExpectEachColumnChecked(const Table<R>& table, const R& valid, const Validate& validate,
                             const std::string& prefix = "") {
  ASSERT_TRUE(validate(valid).ok()) << validate(valid).message();
  for (const Column<R>& c : table.columns) {
    R broken = valid;
    if (!Break(c, &broken)) continue;
    const Status s = validate(broken);
    EXPECT_FALSE(s.ok()) << table.name << "." << c.name;
    EXPECT_NE(s.message().find(": " + prefix + c.member + " "), std::string::npos) << s.message();
    if (c.presence == kRequired && c.text != nullptr) {
      R empty = valid;
      empty.*c.text = "";
      EXPECT_FALSE(validate(empty).ok()) << table.name << "." << c.name << " empty";
    }
  }
}

TEST(ColumnChecksTest, EachColumnRefusesAValueOutsideItsForm) {
  const auto check = [](const auto& record) { return Validate(record); };
  // A record of `table` with every column filled, each column checked.
  const auto filled_and_checked = [&check](const auto& table, auto record) {
    FillEveryColumn(table, &record);
    ExpectEachColumnChecked(table, record, check);
    return record;
  };
  filled_and_checked(OwnerTable(), Owner());
  filled_and_checked(BreederTable(), Breeder());
  filled_and_checked(TrainerTable(), Trainer());
  filled_and_checked(JockeyTable(), Jockey());
  const Horse horse = filled_and_checked(HorseTable(), Horse());
  filled_and_checked(SireTable(), Sire());

  // An ancestor's columns, checked within its horse.
  Ancestor sire_of_horse;
  FillEveryColumn(PedigreeTable(), &sire_of_horse);
  sire_of_horse.code = "2222222";
  const auto in_horse = [&](const Ancestor& a) {
    Horse h = horse;
    h.pedigree[kSire] = a;
    return Validate(h);
  };
  ExpectEachColumnChecked(PedigreeTable(), sire_of_horse, in_horse, "pedigree[0].");
}

}  // namespace
}  // namespace ydb
