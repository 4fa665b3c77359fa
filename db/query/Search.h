// Running a compiled condition on a store: its statement, assembled from
// the key table and prepared once per shape (Database::assembled_statement),
// refused unless SQLite says it is read-only, with every value bound.
//
// The race search's rows, in date and then race-code order:
//   0 race_date, 1 place, 2 race_no, 3 the stored results record (RACERMREC)
#ifndef YDB_QUERY_SEARCH_H_
#define YDB_QUERY_SEARCH_H_

#include "db/base/Status.h"
#include "db/query/Condition.h"
#include "db/query/Relation.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"

namespace ydb {

// The statement of `condition`, bound and ready to step, in *out. A
// statement that could change the store is refused (corruption: the key
// table is wrong), as is one that does not compile.
Status PrepareSearch(Database& db, const Condition& condition, Statement** out);

// The same for the keys of `found`'s records related to a record that
// meets `group`, of another kind (AssembleRelated): one column of keys.
Status PrepareRelated(Database& db, RecordKind found, const Group& group, Statement** out);

// Calls `each(const Statement& row)` for every row found until it fails;
// the first failure is returned.
template <typename Each>
Status EachFound(Database& db, const Condition& condition, Each each) {
  Statement* st = nullptr;
  const Status s = PrepareSearch(db, condition, &st);
  if (!s.ok()) return s;
  return EachRow(*st, each);
}

}  // namespace ydb

#endif  // YDB_QUERY_SEARCH_H_
