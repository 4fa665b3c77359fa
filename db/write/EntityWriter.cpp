// Upserting owners, breeders, trainers, jockeys, horses with their
// pedigrees, and sires.
#include <array>
#include <optional>
#include <string>

#include "db/write/Bind.h"
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
  std::array<std::optional<Ancestor>, kPedigreeSize> pedigree;
};

Status ReadStoredHorse(Database& db, const std::string& code, StoredHorse* out) {
  Statement& horse = db.statement("SELECT 1 FROM horse WHERE code = ?1");
  horse.bind(1, code);
  out->exists = horse.step();
  Status s = horse.status();
  horse.reset();
  if (!s.ok() || !out->exists) return s;
  Statement& rows = db.statement(
      "SELECT position, ancestor_code, name, name_latin, foaled_in_japan, coat_code, birth_year "
      "FROM pedigree WHERE horse_code = ?1");
  rows.bind(1, code);
  return EachRow(rows, [&](const Statement& row) {
    const std::int64_t position = row.column_int(0);
    if (position < 1 || position > kPedigreeSize) return Status::Ok();
    Ancestor a;
    a.code = row.column_text(1);
    a.name = row.column_text(2);
    a.name_latin = row.column_text(3);
    a.foaled_in_japan = row.column_int(4) != 0;
    a.coat_code = row.column_text(5);
    a.birth_year = static_cast<int>(row.column_int(6));
    out->pedigree[static_cast<std::size_t>(position - 1)] = std::move(a);
    return Status::Ok();
  });
}

}  // namespace

Status Writer::putOwner(const Owner& owner) {
  Status s = Validate(owner);
  if (!s.ok()) return s;
  Statement& st = db_.statement(
      "INSERT INTO owner (code, name, short_name) VALUES (?1, ?2, ?3) "
      "ON CONFLICT (code) DO UPDATE SET name = excluded.name, short_name = excluded.short_name");
  st.bind(1, owner.code).bind(2, owner.name);
  st.bind(3, owner.short_name.empty() ? ShortForm(owner.name, 20) : owner.short_name);
  return Context("owner " + owner.code, st.run());
}

Status Writer::putBreeder(const Breeder& breeder) {
  Status s = Validate(breeder);
  if (!s.ok()) return s;
  Statement& st = db_.statement(
      "INSERT INTO breeder (code, name, short_name) VALUES (?1, ?2, ?3) "
      "ON CONFLICT (code) DO UPDATE SET name = excluded.name, short_name = excluded.short_name");
  st.bind(1, breeder.code).bind(2, breeder.name);
  st.bind(3, breeder.short_name.empty() ? ShortForm(breeder.name, 20) : breeder.short_name);
  return Context("breeder " + breeder.code, st.run());
}

Status Writer::putTrainer(const Trainer& t) {
  Status s = Validate(t);
  if (!s.ok()) return s;
  Statement& st = db_.statement(
      "INSERT INTO trainer (code, name, name_kana, short_name, birth_date, first_year, centre, "
      "location_place, retired_date) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9) "
      "ON CONFLICT (code) DO UPDATE SET name = excluded.name, name_kana = excluded.name_kana, "
      "short_name = excluded.short_name, birth_date = excluded.birth_date, "
      "first_year = excluded.first_year, centre = excluded.centre, "
      "location_place = excluded.location_place, retired_date = excluded.retired_date");
  st.bind(1, t.code).bind(2, t.name).bind(3, t.name_kana);
  st.bind(4, t.short_name.empty() ? ShortForm(t.name, 8) : t.short_name);
  BindNumber(st, 5, t.birth_date);
  BindNumber(st, 6, t.first_year);
  BindText(st, 7, t.centre);
  BindText(st, 8, t.location_place);
  BindNumber(st, 9, t.retired_date);
  return Context("trainer " + t.code, st.run());
}

Status Writer::putJockey(const Jockey& j) {
  const std::string what = "jockey " + j.code;
  Status s = Validate(j);
  if (s.ok() && !j.trainer_code.empty()) s = requireExists(Table::kTrainer, j.trainer_code, what);
  if (!s.ok()) return s;
  Statement& st = db_.statement(
      "INSERT INTO jockey (code, name, name_kana, short_name, birth_date, first_year, "
      "affiliation, qualification, apprentice_code, trainer_code, retired_date) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11) "
      "ON CONFLICT (code) DO UPDATE SET name = excluded.name, name_kana = excluded.name_kana, "
      "short_name = excluded.short_name, birth_date = excluded.birth_date, "
      "first_year = excluded.first_year, affiliation = excluded.affiliation, "
      "qualification = excluded.qualification, apprentice_code = excluded.apprentice_code, "
      "trainer_code = excluded.trainer_code, retired_date = excluded.retired_date");
  st.bind(1, j.code).bind(2, j.name).bind(3, j.name_kana);
  st.bind(4, j.short_name.empty() ? ShortForm(j.name, 8) : j.short_name);
  BindNumber(st, 5, j.birth_date);
  BindNumber(st, 6, j.first_year);
  BindText(st, 7, j.affiliation);
  st.bind(8, j.qualification);
  BindText(st, 9, j.apprentice_code);
  BindText(st, 10, j.trainer_code);
  BindNumber(st, 11, j.retired_date);
  return Context(what, st.run());
}

Status Writer::putHorse(const Horse& h) {
  const std::string what = "horse " + h.code;
  Status s = Validate(h);
  if (s.ok() && !h.owner_code.empty()) s = requireExists(Table::kOwner, h.owner_code, what);
  if (s.ok() && !h.breeder_code.empty()) s = requireExists(Table::kBreeder, h.breeder_code, what);
  if (s.ok() && !h.trainer_code.empty()) s = requireExists(Table::kTrainer, h.trainer_code, what);
  if (!s.ok()) return s;

  const std::string& sire = h.pedigree[kSire].code;
  const std::string& dam = h.pedigree[kDam].code;
  const std::string& dams_sire = h.pedigree[kDamsSire].code;
  StoredHorse before;
  s = ReadStoredHorse(db_, h.code, &before);
  if (!s.ok()) return Context(what, s);

  Statement& row = db_.statement(
      "INSERT INTO horse (code, name, name_latin, birth_date, sex, coat_code, breed_code, "
      "birthplace_code, mark_code, sire_code, dam_code, owner_code, breeder_code, trainer_code, "
      "distance_aptitude, skill_ho, skill_hd, skill_so, skill_sd, retired_date) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
      "?19, ?20) "
      "ON CONFLICT (code) DO UPDATE SET name = excluded.name, name_latin = excluded.name_latin, "
      "birth_date = excluded.birth_date, sex = excluded.sex, coat_code = excluded.coat_code, "
      "breed_code = excluded.breed_code, birthplace_code = excluded.birthplace_code, "
      "mark_code = excluded.mark_code, sire_code = excluded.sire_code, "
      "dam_code = excluded.dam_code, owner_code = excluded.owner_code, "
      "breeder_code = excluded.breeder_code, trainer_code = excluded.trainer_code, "
      "distance_aptitude = excluded.distance_aptitude, skill_ho = excluded.skill_ho, "
      "skill_hd = excluded.skill_hd, skill_so = excluded.skill_so, skill_sd = excluded.skill_sd, "
      "retired_date = excluded.retired_date");
  row.bind(1, h.code).bind(2, h.name).bind(3, h.name_latin);
  BindNumber(row, 4, h.birth_date);
  row.bind(5, h.sex);
  BindText(row, 6, h.coat_code);
  BindText(row, 7, h.breed_code);
  BindText(row, 8, h.birthplace_code);
  BindText(row, 9, h.mark_code);
  BindText(row, 10, sire);
  BindText(row, 11, dam);
  BindText(row, 12, h.owner_code);
  BindText(row, 13, h.breeder_code);
  BindText(row, 14, h.trainer_code);
  BindText(row, 15, h.distance_aptitude);
  BindText(row, 16, h.skill_ho);
  BindText(row, 17, h.skill_hd);
  BindText(row, 18, h.skill_so);
  BindText(row, 19, h.skill_sd);
  BindNumber(row, 20, h.retired_date);
  s = row.run();

  // The pedigree is written position by position, only where it differs
  // from what is stored.
  int present = 0;
  for (int i = 0; i < kPedigreeSize && s.ok(); ++i) {
    const Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    if (!Present(a)) continue;
    present |= 1 << i;
    const std::optional<Ancestor>& stored = before.pedigree[static_cast<std::size_t>(i)];
    if (stored && SameAncestor(*stored, a)) continue;
    Statement& st = db_.statement(
        "INSERT OR REPLACE INTO pedigree (horse_code, position, ancestor_code, name, name_latin, "
        "foaled_in_japan, coat_code, birth_year) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    st.bind(1, h.code).bind(2, i + 1);
    BindText(st, 3, a.code);
    st.bind(4, a.name).bind(5, a.name_latin).bind(6, a.foaled_in_japan ? 1 : 0);
    BindText(st, 7, a.coat_code);
    BindNumber(st, 8, a.birth_year);
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
  if (s.ok() && runs_change) s = derived_.sireWillChange(h.code, sire);
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
  Statement& st = db_.statement(
      "INSERT INTO sire (code, distance_aptitude, skill_heavy, skill_dirt, death_year) "
      "VALUES (?1, ?2, ?3, ?4, ?5) "
      "ON CONFLICT (code) DO UPDATE SET distance_aptitude = excluded.distance_aptitude, "
      "skill_heavy = excluded.skill_heavy, skill_dirt = excluded.skill_dirt, "
      "death_year = excluded.death_year");
  st.bind(1, sire.code);
  BindText(st, 2, sire.distance_aptitude);
  BindText(st, 3, sire.skill_heavy);
  BindText(st, 4, sire.skill_dirt);
  BindNumber(st, 5, sire.death_year);
  return Context(what, st.run());
}

}  // namespace ydb
