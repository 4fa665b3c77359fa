// Reading owners, breeders, trainers, jockeys, horses with their pedigrees
// and sires; looking codes up; the summary of a data set.
#include "db/read/Reader.h"

#include <string>

#include "db/read/Row.h"

namespace ydb {

Status Reader::readOwners(const Visitor<Owner>& visit) {
  Statement& st = db_.statement("SELECT code, name, short_name FROM owner ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    return visit(Owner{TextAt(row, 0), TextAt(row, 1), TextAt(row, 2)});
  });
}

Status Reader::readBreeders(const Visitor<Breeder>& visit) {
  Statement& st = db_.statement("SELECT code, name, short_name FROM breeder ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    return visit(Breeder{TextAt(row, 0), TextAt(row, 1), TextAt(row, 2)});
  });
}

Status Reader::readTrainers(const Visitor<Trainer>& visit) {
  Statement& st = db_.statement(
      "SELECT code, name, name_kana, short_name, birth_date, first_year, centre, location_place, "
      "retired_date FROM trainer ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    Trainer t;
    t.code = TextAt(row, 0);
    t.name = TextAt(row, 1);
    t.name_kana = TextAt(row, 2);
    t.short_name = TextAt(row, 3);
    t.birth_date = IntAt(row, 4);
    t.first_year = IntAt(row, 5);
    t.centre = TextAt(row, 6);
    t.location_place = TextAt(row, 7);
    t.retired_date = IntAt(row, 8);
    return visit(t);
  });
}

Status Reader::readJockeys(const Visitor<Jockey>& visit) {
  Statement& st = db_.statement(
      "SELECT code, name, name_kana, short_name, birth_date, first_year, affiliation, "
      "qualification, apprentice_code, trainer_code, retired_date FROM jockey ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    Jockey j;
    j.code = TextAt(row, 0);
    j.name = TextAt(row, 1);
    j.name_kana = TextAt(row, 2);
    j.short_name = TextAt(row, 3);
    j.birth_date = IntAt(row, 4);
    j.first_year = IntAt(row, 5);
    j.affiliation = TextAt(row, 6);
    j.qualification = TextAt(row, 7);
    j.apprentice_code = TextAt(row, 8);
    j.trainer_code = TextAt(row, 9);
    j.retired_date = IntAt(row, 10);
    return visit(j);
  });
}

Status Reader::readHorses(const Visitor<Horse>& visit) {
  Statement& st = db_.statement(
      "SELECT code, name, name_latin, birth_date, sex, coat_code, breed_code, birthplace_code, "
      "mark_code, owner_code, breeder_code, trainer_code, distance_aptitude, skill_ho, skill_hd, "
      "skill_so, skill_sd, retired_date FROM horse ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    Horse h;
    h.code = TextAt(row, 0);
    h.name = TextAt(row, 1);
    h.name_latin = TextAt(row, 2);
    h.birth_date = IntAt(row, 3);
    h.sex = TextAt(row, 4);
    h.coat_code = TextAt(row, 5);
    h.breed_code = TextAt(row, 6);
    h.birthplace_code = TextAt(row, 7);
    h.mark_code = TextAt(row, 8);
    h.owner_code = TextAt(row, 9);
    h.breeder_code = TextAt(row, 10);
    h.trainer_code = TextAt(row, 11);
    h.distance_aptitude = TextAt(row, 12);
    h.skill_ho = TextAt(row, 13);
    h.skill_hd = TextAt(row, 14);
    h.skill_so = TextAt(row, 15);
    h.skill_sd = TextAt(row, 16);
    h.retired_date = IntAt(row, 17);
    Status s = readPedigree(&h);
    return s.ok() ? visit(h) : s;
  });
}

// The horse's and sire's own copies of the sire and dam codes (horse.sire_code,
// dam_code) follow from the pedigree and are not read.
Status Reader::readPedigree(Horse* horse) {
  Statement& st = db_.statement(
      "SELECT position, ancestor_code, name, name_latin, foaled_in_japan, coat_code, birth_year "
      "FROM pedigree WHERE horse_code = ?1 ORDER BY position");
  st.bind(1, horse->code);
  return EachRow(st, [&](const Statement& row) {
    const int position = IntAt(row, 0);
    if (position < 1 || position > kPedigreeSize) {
      return Status::Corruption("horse " + horse->code + ": pedigree position " +
                           std::to_string(position) + " is outside 1-14");
    }
    Ancestor& a = horse->pedigree[static_cast<std::size_t>(position - 1)];
    a.code = TextAt(row, 1);
    a.name = TextAt(row, 2);
    a.name_latin = TextAt(row, 3);
    a.foaled_in_japan = IntAt(row, 4) != 0;
    a.coat_code = TextAt(row, 5);
    a.birth_year = IntAt(row, 6);
    return Status::Ok();
  });
}

Status Reader::readSires(const Visitor<Sire>& visit) {
  Statement& st = db_.statement(
      "SELECT code, distance_aptitude, skill_heavy, skill_dirt, death_year FROM sire "
      "ORDER BY code");
  return EachRow(st, [&](const Statement& row) {
    return visit(Sire{TextAt(row, 0), TextAt(row, 1), TextAt(row, 2), TextAt(row, 3),
                      IntAt(row, 4)});
  });
}

Status Reader::contains(Entity entity, const std::string& code, bool* found) {
  static const char* const kSql[] = {
      "SELECT 1 FROM owner WHERE code = ?1",   "SELECT 1 FROM breeder WHERE code = ?1",
      "SELECT 1 FROM trainer WHERE code = ?1", "SELECT 1 FROM jockey WHERE code = ?1",
      "SELECT 1 FROM horse WHERE code = ?1",   "SELECT 1 FROM sire WHERE code = ?1",
  };
  Statement& st = db_.statement(kSql[static_cast<int>(entity)]);
  st.bind(1, code);
  *found = false;
  return EachRow(st, [&](const Statement&) {
    *found = true;
    return Status::Ok();
  });
}

Status Reader::summary(DataSetCounts* out) {
  *out = DataSetCounts();
  Statement& years = db_.statement(
      "SELECT min(race_date) / 10000, max(race_date) / 10000 FROM race WHERE has_result = 1");
  Status s = EachRow(years, [&](const Statement& row) {
    out->first_year = IntAt(row, 0);
    out->last_year = IntAt(row, 1);
    return Status::Ok();
  });
  if (!s.ok()) return s;

  // A run is a start: runners that were withdrawn (取消) or excluded (除外)
  // before the off have a result row but never ran.
  Statement& counts = db_.statement(
      "SELECT (SELECT count(DISTINCT race_date) FROM race), (SELECT count(*) FROM race), "
      "(SELECT count(*) FROM runner WHERE finish_pos IS NOT NULL "
      "  AND (accident_code IS NULL OR accident_code NOT IN ('34', '35'))), "
      "(SELECT count(DISTINCT horse_code) FROM runner WHERE finish_pos IS NOT NULL "
      "  AND (accident_code IS NULL OR accident_code NOT IN ('34', '35'))), "
      "(SELECT count(*) FROM jockey), (SELECT count(*) FROM trainer), "
      "(SELECT count(*) FROM sire)");
  return EachRow(counts, [&](const Statement& row) {
    out->race_days = Int64At(row, 0);
    out->races = Int64At(row, 1);
    out->runs = Int64At(row, 2);
    out->horses = Int64At(row, 3);
    out->jockeys = Int64At(row, 4);
    out->trainers = Int64At(row, 5);
    out->sires = Int64At(row, 6);
    return Status::Ok();
  });
}

}  // namespace ydb
