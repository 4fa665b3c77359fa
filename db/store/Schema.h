// The store's schema: the SQL of db/store/schema.sql, compiled into the
// library, and the numbers that identify a store of this component.
#ifndef YDB_STORE_SCHEMA_H_
#define YDB_STORE_SCHEMA_H_

namespace ydb {

// The text of schema.sql: every table and index of a new store.
const char* SchemaSql();

// PRAGMA application_id of every store of this component ("YDBC").
constexpr int kApplicationId = 0x59444243;

// PRAGMA user_version of the schema this build creates, reads and writes.
constexpr int kSchemaVersion = 1;

}  // namespace ydb

#endif  // YDB_STORE_SCHEMA_H_
