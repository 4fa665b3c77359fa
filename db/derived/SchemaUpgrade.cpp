// Upgrading a store of an older schema, one version at a time.
#include <string>

#include "db/derived/DataSet.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"
#include "db/derived/EntityTotals.h"
#include "db/derived/PastRunBuckets.h"
#include "db/derived/ResultRecords.h"
#include "text/sjis.h"

namespace ydb {
namespace {

// Version 2: the past-run records are filed in past_run_bucket, and the
// runner indexes by jockey, trainer and sire that the fetches read before
// go.
Status ToVersion2(Database& db) {
  Status s = db.exec(
      "CREATE TABLE past_run_bucket ("
      "  kind     INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 5),"
      "  code     TEXT NOT NULL,"
      "  month    INTEGER NOT NULL,"
      "  race_nos BLOB NOT NULL,"
      "  records  BLOB NOT NULL,"
      "  PRIMARY KEY (kind, code, month),"
      "  CHECK (length(records) = 94 * length(race_nos) AND length(race_nos) > 0)"
      ") STRICT, WITHOUT ROWID;"
      "DROP INDEX IF EXISTS runner_by_jockey;"
      "DROP INDEX IF EXISTS runner_by_trainer;"
      "DROP INDEX IF EXISTS runner_by_sire;");
  if (!s.ok()) return s;
  PastRunBuckets buckets(db);
  s = buckets.fileEveryRun();
  if (s.ok()) s = buckets.flush();
  return s;
}

// Version 3: every run race's results record is kept rendered in
// result_record (filled with the runners' records of version 8).
Status ToVersion3(Database& db) {
  return db.exec(
      "CREATE TABLE result_record ("
      "  race_date INTEGER NOT NULL,"
      "  place     TEXT NOT NULL,"
      "  race_no   INTEGER NOT NULL,"
      "  record    BLOB NOT NULL,"
      "  PRIMARY KEY (race_date, place, race_no),"
      "  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE"
      ") STRICT;");
}

// Version 4: the generated world's seed and origin, in generated_world. A
// store generated before has no row; its next generation records one.
Status ToVersion4(Database& db) {
  return db.exec(
      "CREATE TABLE generated_world ("
      "  id     INTEGER NOT NULL PRIMARY KEY CHECK (id = 1),"
      "  seed   TEXT NOT NULL CHECK (seed <> '' AND seed NOT GLOB '*[^0-9]*'),"
      "  origin INTEGER NOT NULL CHECK (origin BETWEEN 1990 AND 2099)"
      ") STRICT;");
}

// Creates entity_total under `name`: the figures of every horse, jockey,
// trainer, sire and dam's sire by year and surface.
Status CreateEntityTotal(Database& db, const std::string& name) {
  return db.exec(("CREATE TABLE " + name + " ("
                  "  kind        INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 6 AND kind <> 5),"
                  "  code        TEXT NOT NULL,"
                  "  year        INTEGER NOT NULL,"
                  "  surface     INTEGER NOT NULL CHECK (surface BETWEEN 0 AND 2),"
                  "  firsts      INTEGER NOT NULL,"
                  "  seconds     INTEGER NOT NULL,"
                  "  thirds      INTEGER NOT NULL,"
                  "  unplaced    INTEGER NOT NULL,"
                  "  prize_money INTEGER NOT NULL,"
                  "  added_money INTEGER NOT NULL,"
                  "  PRIMARY KEY (kind, code, year, surface)"
                  ") STRICT, WITHOUT ROWID;").c_str());
}

// Version 5: the figures of the people and sires by year and surface, in
// entity_total, counted from the runner rows.
Status ToVersion5(Database& db) {
  const Status s = CreateEntityTotal(db, "entity_total");
  return s.ok() ? EntityTotals(db).countEveryRun() : s;
}

// Version 6: the runners' entries by race in an index of their own, so
// that a range of races reads them without a lookup per runner.
Status ToVersion6(Database& db) {
  return db.exec(
      "CREATE INDEX IF NOT EXISTS runner_entry_by_race ON runner (race_date, place, race_no, "
      "horse_no, frame_no, horse_code, weight_carried, jockey_code, trainer_code, "
      "prediction_mark, training_marks, accident_code) WHERE horse_no > 0;");
}

// Version 7: the runners by jockey and by trainer, which the cross searches
// from people read.
Status ToVersion7(Database& db) {
  return db.exec(
      "CREATE INDEX IF NOT EXISTS runner_by_jockey ON runner (jockey_code) "
      "WHERE jockey_code IS NOT NULL;"
      "CREATE INDEX IF NOT EXISTS runner_by_trainer ON runner (trainer_code);");
}

// Version 8: every run race's runners are kept rendered in
// runner_result_record, beside the race's results record (both are
// rendered again, day by day).
Status ToVersion8(Database& db) {
  const Status s = db.exec(
      "CREATE TABLE IF NOT EXISTS runner_result_record ("
      "  race_date INTEGER NOT NULL,"
      "  place     TEXT NOT NULL,"
      "  race_no   INTEGER NOT NULL,"
      "  horse_no  INTEGER NOT NULL,"
      "  record    BLOB NOT NULL,"
      "  PRIMARY KEY (race_date, place, race_no, horse_no),"
      "  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE"
      ") STRICT, WITHOUT ROWID;");
  return s.ok() ? ResultRecords(db).fileEveryDay() : s;
}

// Version 9: entity_total keeps each horse's figures too, counted from
// every run. The table of versions 5 to 8 takes no horse (its check of the
// kind), so it is made again with its rows.
Status ToVersion9(Database& db) {
  Status s = CreateEntityTotal(db, "entity_total_9");
  if (s.ok()) s = db.exec("INSERT INTO entity_total_9 SELECT * FROM entity_total");
  if (s.ok()) s = db.exec("DROP TABLE entity_total");
  if (s.ok()) s = db.exec("ALTER TABLE entity_total_9 RENAME TO entity_total");
  return s.ok() ? EntityTotals(db).countEveryHorsesRuns() : s;
}

// Version 10: the pedigrees' sire names in an index of their own, from which
// the horse search by sire name starts.
Status ToVersion10(Database& db) {
  return db.exec(
      "CREATE INDEX IF NOT EXISTS pedigree_by_sire_name ON pedigree (name) WHERE position = 1;");
}

// Version 11: the names of horses, owners and breeders kept as searches
// compare them (name_key, which the writer fills as it writes a name,
// filled here for the names stored, and kept with the horses' names in
// horse_by_name), and the pedigrees' dam and dam's sire
// names in indexes of their own, from which the horse search by those
// names starts.
Status ToVersion11(Database& db) {
  Status s = db.defineTextFunction("ydb_upgrade_search_key", ytext::search_key_utf8);
  for (const char* table : {"owner", "breeder", "horse"}) {
    const std::string name(table);
    Statement& has = db.statement("SELECT 1 FROM pragma_table_info(?1) WHERE name = 'name_key'");
    has.bind(1, name);
    const bool added = has.step();
    if (s.ok()) s = has.status();
    has.reset();
    if (s.ok() && !added) {
      s = db.exec(("ALTER TABLE " + name + " ADD COLUMN name_key TEXT").c_str());
    }
    if (s.ok()) {
      s = db.exec(("UPDATE " + name + " SET name_key = nullif(ydb_upgrade_search_key(name), '')")
                      .c_str());
    }
  }
  if (!s.ok()) return s;
  return db.exec(
      "DROP INDEX IF EXISTS horse_by_name;"
      "CREATE INDEX horse_by_name ON horse (name, name_key);"
      "CREATE INDEX IF NOT EXISTS pedigree_by_dam_name ON pedigree (name) WHERE position = 2;"
      "CREATE INDEX IF NOT EXISTS pedigree_by_dams_sire_name ON pedigree (name) "
      "WHERE position = 5;");
}

// Version 12: each horse keeps the creation date of the record it came
// from (record_date), by which the writer keeps a newer horse against an
// older record. The horses stored before have none (NULL: not known), so
// the next record of each replaces it whatever its date.
Status ToVersion12(Database& db) {
  Statement& has = db.statement("SELECT 1 FROM pragma_table_info('horse') WHERE name = 'record_date'");
  const bool added = has.step();
  Status s = has.status();
  has.reset();
  if (s.ok() && !added) s = db.exec("ALTER TABLE horse ADD COLUMN record_date INTEGER");
  return s;
}

}  // namespace

Status UpgradeSchema(Database& db, int from) {
  Status s;
  if (from < 2) s = ToVersion2(db);
  if (s.ok() && from < 3) s = ToVersion3(db);
  if (s.ok() && from < 4) s = ToVersion4(db);
  if (s.ok() && from < 5) s = ToVersion5(db);
  if (s.ok() && from < 6) s = ToVersion6(db);
  if (s.ok() && from < 7) s = ToVersion7(db);
  if (s.ok() && from < 8) s = ToVersion8(db);
  if (s.ok() && from < 9) s = ToVersion9(db);
  if (s.ok() && from < 10) s = ToVersion10(db);
  if (s.ok() && from < 11) s = ToVersion11(db);
  if (s.ok() && from < 12) s = ToVersion12(db);
  return s;
}

}  // namespace ydb
