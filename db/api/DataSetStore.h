// The store behind a DataSet, for the libraries that fill or read a data
// set as a whole (the generator, the exchange files). Not installed.
#ifndef YDB_API_DATASETSTORE_H_
#define YDB_API_DATASETSTORE_H_

#include "db/api/DataSet.h"
#include "db/store/Database.h"

namespace ydb {

Database& StoreOf(DataSet& data_set);

}  // namespace ydb

#endif  // YDB_API_DATASETSTORE_H_
