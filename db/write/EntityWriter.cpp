// Upserting owners, breeders, trainers, jockeys, horses with their
// pedigrees, and sires; removing a person nothing refers to.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "db/write/Bind.h"
#include "db/write/TableBind.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"

namespace ydb {
namespace {

bool Present(const Ancestor& a) {
  return !a.code.empty() || !a.name.empty() || !a.name_latin.empty();
}

bool SameAncestor(const Ancestor& a, const Ancestor& b) {
  return a.code == b.code && a.name == b.name && a.name_latin == b.name_latin &&
         a.foaled_in_japan == b.foaled_in_japan && a.coat_code == b.coat_code &&
         a.birth_year == b.birth_year;
}

// A horse as stored before it is written again: a horse is written at its
// debut, at retirement and as a parent of later foals, mostly with the
// pedigree and sire it had, so a write changes only what differs.
struct StoredHorse {
  bool exists = false;
  int record_date = 0;  // 0: not known
  std::array<std::optional<Ancestor>, kPedigreeSize> pedigree;
};

Status ReadStoredHorse(Database& db, const std::string& code, StoredHorse* out) {
  Statement& horse = db.statement("SELECT record_date FROM horse WHERE code = ?1");
  horse.bind(1, code);
  out->exists = horse.step();
  if (out->exists && !horse.column_is_null(0)) out->record_date = static_cast<int>(horse.column_int(0));
  Status s = horse.status();
  horse.reset();
  if (!s.ok() || !out->exists) return s;
  static const std::string kSelect =
      SelectSql(PedigreeTable(), "position") + " WHERE horse_code = ?1";
  Statement& rows = db.statement(kSelect);
  rows.bind(1, code);
  return EachRow(rows, [&](const Statement& row) {
    const std::int64_t position = row.column_int(0);
    if (position < 1 || position > kPedigreeSize) return Status::Ok();
    Ancestor a;
    ReadColumns(row, 1, PedigreeTable(), &a);
    out->pedigree[static_cast<std::size_t>(position - 1)] = std::move(a);
    return Status::Ok();
  });
}

// Inserts `record`, or updates the stored record of its code.
template <typename R>
Status Put(Database& db, const Table<R>& table, const R& record) {
  static const std::string kSql = InsertSql(table, OnConflict::kUpdate);
  Statement& st = db.statement(kSql);
  BindColumns(st, 1, table, record);
  return st.run();
}

}  // namespace

Status Writer::putOwner(const Owner& owner) {
  Status s = Validate(owner);
  if (!s.ok()) return s;
  s = Put(db_, OwnerTable(), owner);
  if (s.ok()) known(Table::kOwner).insert(owner.code);
  return Context("owner " + owner.code, s);
}

Status Writer::putBreeder(const Breeder& breeder) {
  Status s = Validate(breeder);
  if (!s.ok()) return s;
  s = Put(db_, BreederTable(), breeder);
  if (s.ok()) known(Table::kBreeder).insert(breeder.code);
  return Context("breeder " + breeder.code, s);
}

Status Writer::putTrainer(const Trainer& t) {
  Status s = Validate(t);
  if (s.ok()) s = derived_.entityWillChange(Shown::kTrainer, t.code);
  if (!s.ok()) return s;
  s = Put(db_, TrainerTable(), t);
  if (s.ok()) known(Table::kTrainer).insert(t.code);
  return Context("trainer " + t.code, s);
}

Status Writer::putJockey(const Jockey& j) {
  const std::string what = "jockey " + j.code;
  Status s = Validate(j);
  if (s.ok() && !j.trainer_code.empty()) s = requireExists(Table::kTrainer, j.trainer_code, what);
  if (s.ok()) s = derived_.entityWillChange(Shown::kJockey, j.code);
  if (!s.ok()) return s;
  s = Put(db_, JockeyTable(), j);
  if (s.ok()) known(Table::kJockey).insert(j.code);
  return Context(what, s);
}

Status Writer::putHorse(const Horse& h) {
  const std::string what = "horse " + h.code;
  Status s = Validate(h);
  if (s.ok() && !h.owner_code.empty()) s = requireExists(Table::kOwner, h.owner_code, what);
  if (s.ok() && !h.breeder_code.empty()) s = requireExists(Table::kBreeder, h.breeder_code, what);
  if (s.ok() && !h.trainer_code.empty()) s = requireExists(Table::kTrainer, h.trainer_code, what);
  if (!s.ok()) return s;

  const std::string& sire = h.pedigree[kSire].code;
  const std::string& dams_sire = h.pedigree[kDamsSire].code;
  StoredHorse before;
  s = ReadStoredHorse(db_, h.code, &before);
  if (!s.ok()) return Context(what, s);
  // A horse read from an older record than the stored one's leaves it as
  // it is; of the same date, the later write wins.
  if (h.record_date != 0 && h.record_date < before.record_date) return Status::Ok();
  s = derived_.entityWillChange(Shown::kHorse, h.code);
  if (!s.ok()) return Context(what, s);

  s = Put(db_, HorseTable(), h);
  if (s.ok()) known(Table::kHorse).insert(h.code);

  // The pedigree is written position by position, only where it differs
  // from what is stored.
  int present = 0;
  for (int i = 0; i < kPedigreeSize && s.ok(); ++i) {
    const Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    if (!Present(a)) continue;
    present |= 1 << i;
    const std::optional<Ancestor>& stored = before.pedigree[static_cast<std::size_t>(i)];
    if (stored && SameAncestor(*stored, a)) continue;
    // A position not stored takes a plain insert: with the foreign keys on,
    // INSERT OR REPLACE costs as much again as the row itself.
    static const std::string kInsert = InsertSql(PedigreeTable(), OnConflict::kFail);
    static const std::string kReplace = InsertSql(PedigreeTable(), OnConflict::kReplace);
    Statement& st = db_.statement(stored ? kReplace : kInsert);
    st.bind(1, h.code).bind(2, i + 1);
    BindColumns(st, 3, PedigreeTable(), a);
    s = st.run();
  }
  bool gone = false;
  for (int i = 0; i < kPedigreeSize; ++i) {
    gone = gone || (before.pedigree[static_cast<std::size_t>(i)] && !(present & (1 << i)));
  }
  if (s.ok() && gone) {
    Statement& st = db_.statement(
        "DELETE FROM pedigree WHERE horse_code = ?1 AND ((?2 >> (position - 1)) & 1) = 0");
    st.bind(1, h.code).bind(2, present);
    s = st.run();
  }

  // The horse's runs carry its sire and dam's sire for the sire scans, and
  // are filed under that sire. A horse new to the store has no runs yet,
  // and one whose sire and dam's sire stay has nothing to change.
  const auto stored_code = [&](PedigreePosition position) {
    const std::optional<Ancestor>& a = before.pedigree[position];
    return a ? a->code : std::string();
  };
  const bool runs_change =
      before.exists && (stored_code(kSire) != sire || stored_code(kDamsSire) != dams_sire);
  if (s.ok() && runs_change) s = derived_.sireWillChange(h.code, sire, dams_sire);
  if (s.ok() && runs_change) {
    Statement& runs = db_.statement(
        "UPDATE runner SET sire_code = ?2, bms_code = ?3 WHERE horse_code = ?1 "
        "AND (sire_code IS NOT ?2 OR bms_code IS NOT ?3)");
    runs.bind(1, h.code);
    BindText(runs, 2, sire);
    BindText(runs, 3, dams_sire);
    s = runs.run();
  }
  return Context(what, s);
}

Status Writer::putSire(const Sire& sire) {
  const std::string what = "sire " + sire.code;
  Status s = Validate(sire);
  if (s.ok()) s = requireExists(Table::kHorse, sire.code, what);
  if (!s.ok()) return s;
  s = Put(db_, SireTable(), sire);
  if (s.ok()) known(Table::kSire).insert(sire.code);
  return Context(what, s);
}

namespace {

// What can name a person: a table's column, and the rows it counts in a
// refusal ("3 runs").
struct Reference {
  const char* sql;   // counts the rows naming ?1
  const char* noun;  // of those rows
};

struct PersonTable {
  const char* noun;
  const char* table;
  std::vector<Reference> references;
};

const PersonTable& PersonTableOf(Writer::Person person) {
  static const PersonTable kTables[] = {
      {"owner", "owner",
       {{"SELECT count(*) FROM horse WHERE owner_code = ?1", "horses"},
        {"SELECT count(*) FROM runner WHERE owner_code = ?1", "runs"}}},
      {"breeder", "breeder", {{"SELECT count(*) FROM horse WHERE breeder_code = ?1", "horses"}}},
      {"trainer", "trainer",
       {{"SELECT count(*) FROM horse WHERE trainer_code = ?1", "horses"},
        {"SELECT count(*) FROM runner WHERE trainer_code = ?1", "runs"},
        {"SELECT count(*) FROM nomination WHERE trainer_code = ?1", "nominations"},
        {"SELECT count(*) FROM jockey WHERE trainer_code = ?1", "jockeys of the stable"},
        {"SELECT count(*) FROM check_mark WHERE kind = 4 AND code = ?1", "check marks"}}},
      {"jockey", "jockey",
       {{"SELECT count(*) FROM runner WHERE jockey_code = ?1", "runs"},
        {"SELECT count(*) FROM nomination WHERE jockey_code = ?1", "nominations"},
        {"SELECT count(*) FROM check_mark WHERE kind = 2 AND code = ?1", "check marks"}}},
  };
  return kTables[static_cast<int>(person)];
}

}  // namespace

Writer::Table Writer::TableOf(Person person) {
  switch (person) {
    case Person::kOwner: return Table::kOwner;
    case Person::kBreeder: return Table::kBreeder;
    case Person::kTrainer: return Table::kTrainer;
    case Person::kJockey: return Table::kJockey;
  }
  return Table::kOwner;
}

Status Writer::removePerson(Person person, const std::string& code, bool* removed) {
  const PersonTable& t = PersonTableOf(person);
  const std::string what = std::string(t.noun) + " " + code;
  bool gone = false;
  const Status s = transact([&] {
    std::string named;
    for (const Reference& r : t.references) {
      Statement& st = db_.statement(r.sql);
      st.bind(1, code);
      const std::int64_t count = st.step() ? st.column_int(0) : 0;
      const Status read = st.status();
      st.reset();
      if (!read.ok()) return Context(what, read);
      if (count != 0) named += (named.empty() ? "" : ", ") + std::to_string(count) + " " + r.noun;
    }
    if (!named.empty()) return Status::InvalidArgument(what + " is not removed: " + named + " refer to it");
    Statement& stored = db_.statement(std::string("SELECT 1 FROM ") + t.table + " WHERE code = ?1");
    stored.bind(1, code);
    gone = stored.step();
    Status done = stored.status();
    stored.reset();
    if (!done.ok() || !gone) return Context(what, done);
    Statement& del = db_.statement(std::string("DELETE FROM ") + t.table + " WHERE code = ?1");
    del.bind(1, code);
    const Status deleted = del.run();
    if (deleted.ok()) known(TableOf(person)).erase(code);
    return Context(what, deleted);
  });
  if (removed != nullptr) *removed = s.ok() && gone;
  return s;
}

}  // namespace ydb
