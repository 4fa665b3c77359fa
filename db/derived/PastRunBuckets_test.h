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

// Each bucket ("kind code month") with its race numbers and records.
inline std::map<std::string, std::string> FiledBuckets(ydb::Database& db) {
  std::map<std::string, std::string> buckets;
  ydb::Statement& st = db.statement(
      "SELECT kind || ' ' || code || ' ' || month, race_nos, records FROM past_run_bucket");
  while (st.step()) {
    buckets[std::string(st.column_text(0))] =
        std::string(st.column_blob(1)) + "|" + std::string(st.column_blob(2));
  }
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return buckets;
}

// The buckets a filing of every run makes, the store left as it was.
inline std::map<std::string, std::string> RefiledBuckets(ydb::Database& db) {
  ydb::Transaction refile(db);
  ydb::Status s = db.exec("DELETE FROM past_run_bucket");
  ydb::PastRunBuckets buckets(db);
  if (s.ok()) s = buckets.fileEveryRun();
  if (s.ok()) s = buckets.flush();
  EXPECT_TRUE(s.ok()) << s.message();
  return FiledBuckets(db);  // and the transaction rolls back
}

// Each entity's figures of a year and surface ("kind code year surface")
// with their counts and money; rows of no run left out.
inline std::map<std::string, std::string> CountedTotals(ydb::Database& db) {
  std::map<std::string, std::string> totals;
  ydb::Statement& st = db.statement(
      "SELECT kind || ' ' || code || ' ' || year || ' ' || surface, firsts || ' ' || seconds "
      "|| ' ' || thirds || ' ' || unplaced || ' ' || prize_money || ' ' || added_money "
      "FROM entity_total WHERE firsts + seconds + thirds + unplaced > 0");
  while (st.step()) totals[std::string(st.column_text(0))] = std::string(st.column_text(1));
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return totals;
}

// The figures a count of every run makes, the store left as it was.
inline std::map<std::string, std::string> RecountedTotals(ydb::Database& db) {
  ydb::Transaction recount(db);
  ydb::Status s = db.exec("DELETE FROM entity_total");
  if (s.ok()) s = ydb::EntityTotals(db).countEveryRun();
  EXPECT_TRUE(s.ok()) << s.message();
  return CountedTotals(db);  // and the transaction rolls back
}

// Each kept record ("date place race" for a race's, "date place race
// horse" for a runner's) with its bytes.
inline std::map<std::string, std::string> KeptRecords(ydb::Database& db) {
  std::map<std::string, std::string> records;
  ydb::Statement& st = db.statement(
      "SELECT race_date || ' ' || place || ' ' || race_no, record FROM result_record UNION ALL "
      "SELECT race_date || ' ' || place || ' ' || race_no || ' ' || horse_no, record "
      "FROM runner_result_record");
  while (st.step()) records[std::string(st.column_text(0))] = std::string(st.column_blob(1));
  EXPECT_TRUE(st.status().ok()) << st.status().message();
  st.reset();
  return records;
}

// The records a rendering of every run race makes, the store left as it was.
inline std::map<std::string, std::string> RekeptRecords(ydb::Database& db) {
  ydb::Transaction rekeep(db);
  ydb::Status s = db.exec("DELETE FROM result_record; DELETE FROM runner_result_record");
  if (s.ok()) s = ydb::ResultRecords(db).fileEveryDay();
  EXPECT_TRUE(s.ok()) << s.message();
  return KeptRecords(db);  // and the transaction rolls back
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
