// The exchange files of a data set: export and import on its store.
#include "exchange/ExchangeFiles.h"

#include "db/api/DataSetStore.h"
#include "exchange/Exchange.h"

namespace exchange {

ydb::Status Export(ydb::DataSet& data_set, const std::string& dir, const Progress& progress) {
  return Export(ydb::StoreOf(data_set), dir, progress);
}

ydb::Status Import(ydb::DataSet& data_set, const std::string& dir, const Progress& progress) {
  return Import(ydb::StoreOf(data_set), dir, progress);
}

}  // namespace exchange
