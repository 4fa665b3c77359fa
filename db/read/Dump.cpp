// A text dump of a whole store, built from the store's own schema so that
// a column added to the schema is compared without an edit here.
#include "db/read/Dump.h"

#include <string>
#include <vector>

#include "db/read/Row.h"

namespace ydb {
namespace {

Status Names(Statement& st, std::vector<std::string>* names) {
  return EachRow(st, [&](const Statement& row) {
    names->push_back(TextAt(row, 0));
    return Status::Ok();
  });
}

// A double-quoted SQL identifier.
std::string Identifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

}  // namespace

Status DumpStore(Database& db, std::string* out) {
  out->clear();
  std::vector<std::string> tables;
  Status s = Names(db.statement("SELECT name FROM sqlite_master WHERE type = 'table' "
                                "AND name NOT LIKE 'sqlite_%' ORDER BY name"),
                   &tables);
  for (const std::string& table : tables) {
    if (!s.ok()) break;
    std::vector<std::string> columns;
    Statement& info = db.statement("SELECT name FROM pragma_table_info(?1) ORDER BY cid");
    info.bind(1, table);
    s = Names(info, &columns);
    if (!s.ok() || columns.empty()) continue;

    // One text per row: the columns as SQL literals joined by '|', rows
    // ordered by every column in turn. The table and column names come
    // from the store's schema, not from outside.
    std::string row_sql;
    std::string order;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string separator = i == 0 ? "" : ", ";
      row_sql += (i == 0 ? "quote(" : " || '|' || quote(") + Identifier(columns[i]) + ")";
      order += separator + Identifier(columns[i]);
    }
    const std::string sql =
        "SELECT " + row_sql + " FROM " + Identifier(table) + " ORDER BY " + order;
    *out += "-- " + table + "\n";
    s = EachRow(db.statement(sql), [&](const Statement& row) {
      *out += TextAt(row, 0);
      *out += '\n';
      return Status::Ok();
    });
  }
  return s;
}

}  // namespace ydb
