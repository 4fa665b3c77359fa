// A prepared SQLite statement. Parameters are always bound, never spliced
// into the SQL text. Statements are prepared once per open store and kept in
// its cache (Database::statement), which hands them out reset and unbound.
//
//   Statement& st = db.statement("SELECT name FROM horse WHERE code = ?1");
//   st.bind(1, code);
//   while (st.step()) use(st.column_text(0));
//   if (!st.status().ok()) return st.status();
#ifndef YDB_STORE_STATEMENT_H_
#define YDB_STORE_STATEMENT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "db/base/Status.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ydb {

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Whether the SQL compiled; when not, status() says why and every other
  // call does nothing.
  bool prepared() const { return stmt_ != nullptr; }

  // Whether running the statement can change nothing in the store
  // (sqlite3_stmt_readonly); false when it did not compile.
  bool read_only() const;

  // Parameters are numbered from 1. Text is bound as UTF-8 and copied.
  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
  Statement& bind(int index, double value);
  Statement& bind(int index, std::string_view text);
  Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
  Statement& bind(int index, const std::string& text) { return bind(index, std::string_view(text)); }
  Statement& bind_null(int index);
  // Binds bytes as a BLOB (copied).
  Statement& bind_blob(int index, std::string_view bytes);

  // Advances to the next row: true while there is one; false when the
  // statement is done or failed (status() tells which).
  bool step();

  // Runs a statement that returns no rows to completion.
  Status run();

  // Columns of the current row, numbered from 0.
  bool column_is_null(int column) const;
  std::int64_t column_int(int column) const;
  double column_double(int column) const;
  std::string_view column_text(int column) const;  // valid until the next step
  std::string_view column_blob(int column) const;  // valid until the next step

  // Resets the statement and clears its bindings and status.
  void reset();

  const Status& status() const { return status_; }

 private:
  void fail(const char* what);

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  Status status_;
};

// Steps through every row of a bound statement, calling `each(st)` for each
// one until it fails; then resets the statement, so that no read is left
// open. The first failure, of a row or of the statement, is returned.
template <typename Each>
Status EachRow(Statement& st, Each each) {
  Status s;
  while (s.ok() && st.step()) s = each(st);
  if (s.ok()) s = st.status();
  st.reset();
  return s;
}

}  // namespace ydb

#endif  // YDB_STORE_STATEMENT_H_
