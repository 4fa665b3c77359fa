// Prepared SQLite statements with bound parameters.
#include "db/store/Statement.h"

#include <sqlite3.h>

#include <string>

#include "db/store/SqliteStatus.h"

namespace ydb {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    status_ = SqliteStatus(rc, "cannot prepare \"" + std::string(sql) + "\": " + sqlite3_errmsg(db_));
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::read_only() const { return stmt_ != nullptr && sqlite3_stmt_readonly(stmt_) != 0; }

void Statement::fail(const char* what) {
  if (status_.ok()) {
    status_ = SqliteStatus(sqlite3_extended_errcode(db_),
                           std::string(what) + ": " + sqlite3_errmsg(db_) + " in \"" +
                               (stmt_ != nullptr ? sqlite3_sql(stmt_) : "") + "\"");
  }
}

Statement& Statement::bind(int index, std::int64_t value) {
  if (stmt_ != nullptr && sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) fail("bind");
  return *this;
}

Statement& Statement::bind(int index, double value) {
  if (stmt_ != nullptr && sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) fail("bind");
  return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
  if (stmt_ != nullptr &&
      sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                          SQLITE_UTF8) != SQLITE_OK) {
    fail("bind");
  }
  return *this;
}

Statement& Statement::bind_blob(int index, std::string_view bytes) {
  if (stmt_ != nullptr &&
      sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT) != SQLITE_OK) {
    fail("bind");
  }
  return *this;
}

Statement& Statement::bind_null(int index) {
  if (stmt_ != nullptr && sqlite3_bind_null(stmt_, index) != SQLITE_OK) fail("bind");
  return *this;
}

bool Statement::step() {
  if (stmt_ == nullptr || !status_.ok()) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) fail("step");
  return false;
}

Status Statement::run() {
  while (step()) {
  }
  return status_;
}

bool Statement::column_is_null(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Statement::column_int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::column_double(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string_view Statement::column_text(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text),
          static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::string_view Statement::column_blob(int column) const {
  const void* bytes = sqlite3_column_blob(stmt_, column);
  if (bytes == nullptr) return {};
  return {static_cast<const char*>(bytes),
          static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

void Statement::reset() {
  if (stmt_ == nullptr) return;
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  status_ = Status::Ok();
}

}  // namespace ydb
