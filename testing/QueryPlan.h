// The plan SQLite makes for a statement, its steps joined with "; " after
// each, for the tests that check a search or a fetch reads through its
// indexes rather than whole tables.
#ifndef YDBCLN_TESTING_QUERYPLAN_H_
#define YDBCLN_TESTING_QUERYPLAN_H_

#include <gtest/gtest.h>

#include <string>

#include "db/store/Database.h"

namespace ytest {

inline std::string PlanOf(ydb::Database& db, const std::string& sql) {
  ydb::Statement& plan = db.statement("EXPLAIN QUERY PLAN " + sql);
  std::string steps;
  while (plan.step()) steps += std::string(plan.column_text(3)) + "; ";
  EXPECT_TRUE(plan.status().ok()) << plan.status().message() << "\n" << sql;
  plan.reset();
  return steps;
}

}  // namespace ytest

#endif  // YDBCLN_TESTING_QUERYPLAN_H_
