// Generating into a data set: the generator on the data set's store.
#include "world/GenerateSeasons.h"

#include "db/api/DataSetStore.h"
#include "world/Generator.h"

namespace world {

ydb::Status Generate(ydb::DataSet& data_set, const Options& options, const Progress& progress) {
  return Generate(ydb::StoreOf(data_set), options, progress);
}

}  // namespace world
