// Reading owners, breeders, trainers, jockeys, horses with their pedigrees
// and sires; looking codes up; the summary of a data set.
#include "db/read/Reader.h"

#include <string>
#include <utility>

#include "db/read/Row.h"
#include "db/store/TableRows.h"

namespace ydb {

namespace {

// Each record of `table` in code order, handed to `visit`; `more` reads what
// else a record holds before it is handed out.
template <typename R, typename More>
Status ReadTable(Database& db, const Table<R>& table, const Visitor<R>& visit, const More& more) {
  static const std::string kSql = SelectSql(table, "") + " ORDER BY code";
  Statement& st = db.statement(kSql);
  return EachRow(st, [&](const Statement& row) {
    R record;
    ReadColumns(row, 0, table, &record);
    Status s = more(&record);
    return s.ok() ? visit(record) : s;
  });
}

template <typename R>
Status ReadTable(Database& db, const Table<R>& table, const Visitor<R>& visit) {
  return ReadTable(db, table, visit, [](R*) { return Status::Ok(); });
}

}  // namespace

Status Reader::readOwners(const Visitor<Owner>& visit) {
  return ReadTable(db_, OwnerTable(), visit);
}

Status Reader::readBreeders(const Visitor<Breeder>& visit) {
  return ReadTable(db_, BreederTable(), visit);
}

Status Reader::readTrainers(const Visitor<Trainer>& visit) {
  return ReadTable(db_, TrainerTable(), visit);
}

Status Reader::readJockeys(const Visitor<Jockey>& visit) {
  return ReadTable(db_, JockeyTable(), visit);
}

Status Reader::readHorses(const Visitor<Horse>& visit) {
  return ReadTable(db_, HorseTable(), visit, [&](Horse* h) { return readPedigree(h); });
}

Status Reader::readHorse(const std::string& code, Horse* out, bool* found) {
  static const std::string kSql = SelectSql(HorseTable(), "") + " WHERE code = ?1";
  Statement& st = db_.statement(kSql);
  st.bind(1, code);
  Horse h;
  *found = false;
  Status s = EachRow(st, [&](const Statement& row) {
    *found = true;
    ReadColumns(row, 0, HorseTable(), &h);
    return Status::Ok();
  });
  if (s.ok() && *found) s = readPedigree(&h);
  if (s.ok() && *found) *out = std::move(h);
  return s;
}

// The horse's and sire's own copies of the sire and dam codes (horse.sire_code,
// dam_code) follow from the pedigree and are not read.
Status Reader::readPedigree(Horse* horse) {
  static const std::string kSql =
      SelectSql(PedigreeTable(), "position") + " WHERE horse_code = ?1 ORDER BY position";
  Statement& st = db_.statement(kSql);
  st.bind(1, horse->code);
  return EachRow(st, [&](const Statement& row) {
    const int position = IntAt(row, 0);
    if (position < 1 || position > kPedigreeSize) {
      return Status::Corruption("horse " + horse->code + ": pedigree position " +
                           std::to_string(position) + " is outside 1-14");
    }
    ReadColumns(row, 1, PedigreeTable(), &horse->pedigree[static_cast<std::size_t>(position - 1)]);
    return Status::Ok();
  });
}

Status Reader::readSires(const Visitor<Sire>& visit) {
  return ReadTable(db_, SireTable(), visit);
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

Status Reader::raceState(const RaceKey& key, bool* stored, bool* run) {
  Statement& st = db_.statement(
      "SELECT has_result FROM race WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
  st.bind(1, key.date).bind(2, key.place).bind(3, key.number);
  *stored = false;
  *run = false;
  return EachRow(st, [&](const Statement& row) {
    *stored = true;
    *run = IntAt(row, 0) == 1;
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
