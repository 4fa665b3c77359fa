// Test support: the rows of past_run_bucket, entity_total and the kept
// records (result_record, runner_result_record) as they stand, and as a
// filing, a count and a rendering of every run from nothing would make them,
// to check that the writer's incremental changes keep them what the rows
// say.
#ifndef YDB_DERIVED_PASTRUNBUCKETS_TEST_H_
#define YDB_DERIVED_PASTRUNBUCKETS_TEST_H_

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "db/store/Database.h"
#include "db/derived/EntityTotals.h"
#include "db/derived/PastRunBuckets.h"
#include "db/derived/ResultRecords.h"

namespace ytest {

// The rows `sql` selects: its first column (text) names each row, and its
// `columns` - 1 further columns (blobs) joined by "|" are the row's value.
inline std::map<std::string, std::string> Rows(ydb::Database& db, const char* sql, int columns = 2) {
  std::map<std::string, std::string> rows;
  ydb::Statement& st = db.statement(sql);
  while (st.step()) {
    std::string value(st.column_blob(1));
    for (int c = 2; c < columns; ++c) value += "|" + std::string(st.column_blob(c));
    rows[std::string(st.column_text(0))] = value;
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return rows;
}

// What `read` gives after `clear` and `make` made the rows again, the store
// left as it was.
template <typename Make, typename Read>
std::map<std::string, std::string> Remade(ydb::Database& db, const char* clear, Make make, Read read) {
  ydb::Transaction remake(db);
  ydb::Status s = db.exec(clear);
  if (s.ok()) s = make();
  EXPECT_TRUE(s.ok()) << s.message();
  return read(db);  // and the transaction rolls back
}

// Each bucket ("kind code month") with its race numbers and records.
inline std::map<std::string, std::string> FiledBuckets(ydb::Database& db) {
  return Rows(db, "SELECT kind || ' ' || code || ' ' || month, race_nos, records FROM past_run_bucket", 3);
}

// The buckets a filing of every run makes.
inline std::map<std::string, std::string> RefiledBuckets(ydb::Database& db) {
  ydb::PastRunBuckets buckets(db);
  return Remade(db, "DELETE FROM past_run_bucket", [&] {
    const ydb::Status s = buckets.fileEveryRun();
    return s.ok() ? buckets.flush() : s;
  }, FiledBuckets);
}

// Each entity's figures of a year and surface ("kind code year surface")
// with their counts and money; rows of no run left out.
inline std::map<std::string, std::string> CountedTotals(ydb::Database& db) {
  return Rows(db,
      "SELECT kind || ' ' || code || ' ' || year || ' ' || surface, firsts || ' ' || seconds "
      "|| ' ' || thirds || ' ' || unplaced || ' ' || prize_money || ' ' || added_money "
      "FROM entity_total WHERE firsts + seconds + thirds + unplaced > 0");
}

// The figures a count of every run makes.
inline std::map<std::string, std::string> RecountedTotals(ydb::Database& db) {
  return Remade(db, "DELETE FROM entity_total", [&] { return ydb::EntityTotals(db).countEveryRun(); },
                CountedTotals);
}

// Each kept record ("date place race" for a race's, "date place race
// horse" for a runner's) with its bytes.
inline std::map<std::string, std::string> KeptRecords(ydb::Database& db) {
  return Rows(db,
      "SELECT race_date || ' ' || place || ' ' || race_no, record FROM result_record UNION ALL "
      "SELECT race_date || ' ' || place || ' ' || race_no || ' ' || horse_no, record "
      "FROM runner_result_record");
}

// The records a rendering of every run race makes.
inline std::map<std::string, std::string> RekeptRecords(ydb::Database& db) {
  return Remade(db, "DELETE FROM result_record; DELETE FROM runner_result_record",
                [&] { return ydb::ResultRecords(db).fileEveryDay(); }, KeptRecords);
}

// The derived rows the writer keeps: filed buckets, counted figures, kept
// records.
inline std::map<std::string, std::string> DerivedRows(ydb::Database& db) {
  std::map<std::string, std::string> rows = FiledBuckets(db);
  for (const auto& [key, value] : CountedTotals(db)) rows["total " + key] = value;
  for (const auto& [key, value] : KeptRecords(db)) rows["kept " + key] = value;
  return rows;
}

// The derived rows as made from nothing, the store left as it was.
inline std::map<std::string, std::string> RederivedRows(ydb::Database& db) {
  std::map<std::string, std::string> rows = RefiledBuckets(db);
  for (const auto& [key, value] : RecountedTotals(db)) rows["total " + key] = value;
  for (const auto& [key, value] : RekeptRecords(db)) rows["kept " + key] = value;
  return rows;
}

}  // namespace ytest

#endif  // YDB_DERIVED_PASTRUNBUCKETS_TEST_H_
