// The realism report of a data set: its store read through the tally.
#include "world/WorldReport.h"

#include "db/api/DataSetStore.h"
#include "world/WorldTally.h"

namespace world {

ydb::Status MeasureWorld(ydb::DataSet& data_set, Report* out) {
  return MeasureWorld(ydb::StoreOf(data_set), out);
}

}  // namespace world
