// The indexes of the schema, kept apart from the writes of their tables.
// A load of many races into an empty store grows its secondary indexes
// (people's runs, names, courses, a range's entries) entry by entry in no
// order, touching pages all over them; it drops them first and builds each
// once, sorted, at its end. A store left without some of them (a load
// killed part-way) gets them back the next time it is opened for writing.
//
//   Status s = DropSecondaryIndexes(db);     // before the load, store empty
//   ... write the races ...
//   s = CreateMissingIndexes(db);            // after it
#ifndef YDB_STORE_SCHEMAINDEXES_H_
#define YDB_STORE_SCHEMAINDEXES_H_

#include <string>
#include <vector>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

struct IndexDefinition {
  std::string name;
  std::string sql;  // CREATE [UNIQUE] INDEX ...
  bool unique;
};

// Every index the schema creates, in the schema's order.
const std::vector<IndexDefinition>& SchemaIndexes();

// Drops every index of the schema that enforces nothing (no UNIQUE): no
// write of the store reads them, so the writer's checks stay as they are
// while they are gone, and only reads slow down. One transaction.
Status DropSecondaryIndexes(Database& db);

// The names of the schema's indexes the store lacks.
Status MissingIndexes(Database& db, std::vector<std::string>* names);

// Builds the schema's indexes named in `names`, inside the caller's
// transaction.
Status CreateIndexes(Database& db, const std::vector<std::string>& names);

// Builds every index of the schema the store lacks, in one transaction.
Status CreateMissingIndexes(Database& db);

}  // namespace ydb

#endif  // YDB_STORE_SCHEMAINDEXES_H_
