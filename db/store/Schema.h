// The store's schema: the SQL of db/store/schema.sql, compiled into the
// library, and the numbers that identify a store of this component and its
// schema version.
#ifndef YDB_STORE_SCHEMA_H_
#define YDB_STORE_SCHEMA_H_

namespace ydb {

// The text of schema.sql: every table and index of a new store.
const char* SchemaSql();

// PRAGMA application_id of every store of this component ("YDBC").
constexpr int kApplicationId = 0x59444243;

// PRAGMA user_version of the schema this build creates, reads and writes.
// Version 2 files the past-run records in past_run_bucket; version 3 keeps
// the rendered results records in result_record; version 4 records the
// generated world's seed and origin in generated_world; version 5 keeps the
// people's and sires' figures by year and surface in entity_total; version 6
// reads the entries of a range of races from runner_entry_by_race; version
// 7 finds a jockey's rides and a trainer's runners by runner_by_jockey and
// runner_by_trainer; version 8 keeps the rendered runner result records in
// runner_result_record; version 9 keeps the horses' figures in entity_total;
// version 10 finds the horses by their sire's name by pedigree_by_sire_name;
// version 11 keeps the horses', owners' and breeders' names as searches
// compare them (name_key) and finds the horses by their dam's and dam's
// sire's names by pedigree_by_dam_name and pedigree_by_dams_sire_name;
// version 12 keeps the creation date of the record each horse came from
// (horse.record_date), so that an older record never replaces a newer one.
constexpr int kSchemaVersion = 12;

}  // namespace ydb

#endif  // YDB_STORE_SCHEMA_H_
