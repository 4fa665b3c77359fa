// The cross searches (ydbcross.h) inside: the kinds of record they relate
// and the one statement of each pair, assembled from a table of the kinds.
//
// A statement takes the keys of the other kind's records (db/query/Relation.h)
// as a JSON array bound to ?1 and, when the answer is limited to given
// records, theirs as ?2.
#ifndef YDB_API_CROSSSEARCH_H_
#define YDB_API_CROSSSEARCH_H_

#include <string>

#include "db/base/Status.h"
#include "db/query/Relation.h"
#include "db/store/Database.h"

namespace ydb {

// Numbered as code lists number the kinds (ydbcross.h).
using CrossKind = RecordKind;
constexpr int kCrossKinds = kRecordKinds;

// The statement of the records of kind `a` related to the keys of ?1 (of
// kind `b`); with `limited`, only those among the keys of ?2. Its rows: a
// code (horse, sire, jockey, trainer), a race's date, place and number, or
// for runs the kept runner result record (StoredRunnerQuery).
std::string CrossSql(CrossKind a, CrossKind b, bool limited);

// The records of kind `a` related to the records of `b_records`, limited to
// those of `a_records` unless it is null, as a new buffer in *out; *out
// stays null when nothing is related, `b_records` null included. Invalid
// argument for a buffer of records of another type.
Status CrossSearch(Database& db, CrossKind a, CrossKind b, const void* a_records,
                   const void* b_records, void** out);

}  // namespace ydb

#endif  // YDB_API_CROSSSEARCH_H_
