// A read-only SQLite connection of the benchmark's own to the data set's
// file, for the questions written by hand in SQL that the store's compiled
// searches are measured beside; and the codes such a query answers.
//
//   sqlite3* own = bench::OwnConnection();             // null: why on stderr
//   std::vector<std::string> codes = bench::Codes(own, "SELECT code FROM ...");
#ifndef YDBCLN_BENCH_OWNCONNECTION_H_
#define YDBCLN_BENCH_OWNCONNECTION_H_

#include <sqlite3.h>

#include <iostream>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"

namespace bench {

// Opened once, after the data set exists (DataDir generates it first).
inline sqlite3* OwnConnection() {
  static sqlite3* own = [] {
    sqlite3* db = nullptr;
    const std::string dir = DataDir();
    const std::string file = dir + "/ydbcln.db";
    if (dir.empty() || sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      std::cerr << "cannot open " << file << " for the hand-written queries\n";
      sqlite3_close(db);
      return static_cast<sqlite3*>(nullptr);
    }
    return db;
  }();
  return own;
}

// The first column of every row of `sql`, as text; empty when it fails.
inline std::vector<std::string> Codes(sqlite3* own, const char* sql) {
  std::vector<std::string> codes;
  sqlite3_stmt* st = nullptr;
  if (own == nullptr || sqlite3_prepare_v2(own, sql, -1, &st, nullptr) != SQLITE_OK) return codes;
  while (sqlite3_step(st) == SQLITE_ROW) {
    codes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  }
  sqlite3_finalize(st);
  return codes;
}

}  // namespace bench

#endif  // YDBCLN_BENCH_OWNCONNECTION_H_
