// The SQL of a condition, assembled from the fixed fragments of the kind's
// key table, and the values it binds. The text depends only on the shape of
// the condition (its keys, how many terms each holds, their comparisons and
// whether a name is a pattern), never on a value, so that one shape is one
// prepared statement.
#ifndef YDB_QUERY_SQLASSEMBLY_H_
#define YDB_QUERY_SQLASSEMBLY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "db/query/Condition.h"
#include "db/query/Relation.h"

namespace ydb {

// One bound value: a number, or a text (a name, a JSON array of codes).
struct Binding {
  bool is_text = false;
  std::int64_t number = 0;
  std::string text;
};

struct AssembledQuery {
  std::string sql;                // numbered parameters ?1, ?2 ... in binding order
  std::vector<Binding> bindings;
};

// The query of `condition`, whose groups must all hold. The condition must
// come from ParseCondition or ReadCommand (every key of its group's kind's
// table). A group of another kind is one subquery: the keys of the records
// related to the records that meet it (Relation.h), matched by set.
AssembledQuery AssembleQuery(const Condition& condition);

// The query of the keys of `found`'s records related to a record that
// meets `group` (of another kind): one column, a run's key for runs.
AssembledQuery AssembleRelated(RecordKind found, const Group& group);

}  // namespace ydb

#endif  // YDB_QUERY_SQLASSEMBLY_H_
