// The exchange files of a data set: what the exchange library publishes.
// Exchange.h describes the format's guarantees (a stopped or failed export
// leaves the earlier files, an import loads the races a month at a time) and gives the
// same calls on a store.
//
//   ydb::Status s = exchange::Export(*data_set, "out",
//       [&](int done, int total, const std::string& what) {
//         return true;  // false stops the work
//       });
#ifndef YDB_EXCHANGE_EXCHANGEFILES_H_
#define YDB_EXCHANGE_EXCHANGEFILES_H_

#include <functional>
#include <string>

#include "db/api/DataSet.h"
#include "db/base/Status.h"

namespace exchange {

// Told of progress: `done` of `total` steps, and what is being done.
// Returning false stops the work, which then fails with "stopped".
using Progress = std::function<bool(int done, int total, const std::string& what)>;

// Writes `data_set` into the directory `dir` (created when missing),
// replacing the files of the format that are there. The user's data (check
// marks, run memos, theories, tickets) is not written.
ydb::Status Export(ydb::DataSet& data_set, const std::string& dir,
                   const Progress& progress = {});

// Loads the files of the format found in `dir` into `data_set`, in one
// transaction. Records are upserted by their key; a race in the files
// replaces the stored race whole.
ydb::Status Import(ydb::DataSet& data_set, const std::string& dir,
                   const Progress& progress = {});

}  // namespace exchange

#endif  // YDB_EXCHANGE_EXCHANGEFILES_H_
