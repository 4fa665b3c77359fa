// The SQL of a column table (db/base/Columns.h) and the reading of its rows,
// shared by the writer and the reader so that both follow the table: a
// NULL reads as an empty code or text, or a 0.
#ifndef YDB_STORE_TABLEROWS_H_
#define YDB_STORE_TABLEROWS_H_

#include <cstddef>
#include <string>

#include "db/base/Columns.h"
#include "db/store/Statement.h"

namespace ydb {

// "SELECT keys..., columns... FROM t" with `leading` first, if not empty, in
// place of the keys, and without the columns that are never read back.
template <typename R>
std::string SelectSql(const Table<R>& table, const std::string& leading) {
  std::string sql = "SELECT " + leading;
  bool first = leading.empty();
  for (const Column<R>& c : table.columns) {
    if (c.form == Form::kCopy || c.form == Form::kSearchKey) continue;
    sql += std::string(first ? "" : ", ") + c.name;
    first = false;
  }
  return sql + " FROM " + table.name;
}

// What an insert does with a stored row of the same key.
enum class OnConflict {
  kUpdate,   // the table's first column is its code: the record of that code is updated
  kReplace,  // the row is replaced (INSERT OR REPLACE)
  kFail,     // the insert fails; no conflict clause, the cheapest insert
};

// "INSERT INTO t (keys..., columns...) VALUES (?1, ...)" with `on_conflict`.
template <typename R>
std::string InsertSql(const Table<R>& table, OnConflict on_conflict) {
  std::string names;
  std::string values;
  int count = 0;
  const auto add = [&](const char* name) {
    if (count > 0) {
      names += ", ";
      values += ", ";
    }
    names += name;
    values += "?" + std::to_string(++count);
  };
  for (const char* key : table.keys) add(key);
  for (const Column<R>& c : table.columns) add(c.name);
  std::string sql = on_conflict == OnConflict::kReplace ? "INSERT OR REPLACE INTO " : "INSERT INTO ";
  sql += std::string(table.name) + " (" + names + ") VALUES (" + values + ")";
  if (on_conflict != OnConflict::kUpdate) return sql;

  sql += " ON CONFLICT (" + std::string(table.columns[0].name) + ") DO UPDATE SET ";
  for (std::size_t i = 1; i < table.columns.size(); ++i) {
    const std::string name = table.columns[i].name;
    sql += (i > 1 ? ", " : "") + name + " = excluded." + name;
  }
  return sql;
}

// Reads the columns a SelectSql row holds from result column `first` on
// into `record`.
template <typename R>
void ReadColumns(const Statement& row, int first, const Table<R>& table, R* record) {
  int index = first;
  for (const Column<R>& c : table.columns) {
    switch (c.form) {
      case Form::kText:
      case Form::kShortText:
      case Form::kDigits:
      case Form::kChoice:
      case Form::kCode: record->*c.text = std::string(row.column_text(index)); break;
      case Form::kDate:
      case Form::kYear: record->*c.number = static_cast<int>(row.column_int(index)); break;
      case Form::kFlag: record->*c.flag = row.column_int(index) != 0; break;
      case Form::kCopy:
      case Form::kSearchKey: continue;  // not selected
    }
    ++index;
  }
}

}  // namespace ydb

#endif  // YDB_STORE_TABLEROWS_H_
