// Opening a data set at the current schema.
#include "db/derived/DataSet.h"

namespace ydb {

Status OpenDataSet(const std::string& path, Database::Mode mode, std::unique_ptr<Database>* out) {
  return Database::Open(path, mode, out, &UpgradeSchema);
}

}  // namespace ydb
