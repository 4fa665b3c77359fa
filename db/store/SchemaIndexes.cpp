// The schema's indexes, read from the schema itself: the schema is run once
// on a connection of its own in memory and its sqlite_master read back, so
// the SQL of each index is the one schema.sql holds.
#include "db/store/SchemaIndexes.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>

#include "db/store/Schema.h"

namespace ydb {
namespace {

std::vector<IndexDefinition> ReadSchemaIndexes() {
  std::vector<IndexDefinition> indexes;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) == SQLITE_OK &&
      sqlite3_exec(db, SchemaSql(), nullptr, nullptr, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                       "ORDER BY rowid",
                       -1, &st, nullptr);
    while (st != nullptr && sqlite3_step(st) == SQLITE_ROW) {
      const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      indexes.push_back({reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sql,
                         sql.rfind("CREATE UNIQUE", 0) == 0});
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return indexes;
}

}  // namespace

const std::vector<IndexDefinition>& SchemaIndexes() {
  static const std::vector<IndexDefinition> indexes = ReadSchemaIndexes();
  return indexes;
}

Status MissingIndexes(Database& db, std::vector<std::string>* names) {
  names->clear();
  std::set<std::string> present;
  Statement& st = db.statement("SELECT name FROM sqlite_master WHERE type = 'index'");
  Status s = EachRow(st, [&](const Statement& row) {
    present.insert(std::string(row.column_text(0)));
    return Status::Ok();
  });
  if (!s.ok()) return s.Within("cannot list the indexes of " + db.path());
  for (const IndexDefinition& index : SchemaIndexes()) {
    if (present.count(index.name) == 0) names->push_back(index.name);
  }
  return Status::Ok();
}

Status DropSecondaryIndexes(Database& db) {
  std::vector<std::string> missing;
  Status s = MissingIndexes(db, &missing);
  if (!s.ok()) return s;
  Transaction transaction(db);
  if (!transaction.begin_status().ok()) return transaction.begin_status();
  for (const IndexDefinition& index : SchemaIndexes()) {
    const bool present = std::find(missing.begin(), missing.end(), index.name) == missing.end();
    if (index.unique || !present) continue;
    s = db.exec(("DROP INDEX " + index.name).c_str());
    if (!s.ok()) return s.Within("cannot set the index " + index.name + " of " + db.path() + " aside");
  }
  return transaction.commit();
}

Status CreateIndexes(Database& db, const std::vector<std::string>& names) {
  for (const IndexDefinition& index : SchemaIndexes()) {
    if (std::find(names.begin(), names.end(), index.name) == names.end()) continue;
    const Status s = db.exec(index.sql.c_str());
    if (!s.ok()) return s.Within("cannot build the index " + index.name + " of " + db.path());
  }
  return Status::Ok();
}

Status CreateMissingIndexes(Database& db) {
  std::vector<std::string> missing;
  Status s = MissingIndexes(db, &missing);
  if (!s.ok() || missing.empty()) return s;
  Transaction transaction(db);
  if (!transaction.begin_status().ok()) return transaction.begin_status();
  s = CreateIndexes(db, missing);
  return s.ok() ? transaction.commit() : s;
}

}  // namespace ydb
