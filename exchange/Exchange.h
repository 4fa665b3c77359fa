// The exchange format: a data set as a directory of UTF-8 CSV files, one
// per table, so that data from the user's own source can be loaded and a
// store can be written out. FORMAT.md beside this file describes every
// file and column.
//
//   ydb::Status s = exchange::Export(*db, "out",
//       [&](int done, int total, const std::string& what) {
//         bar.update(done, total, what);
//         return true;  // false stops the work
//       });
//
// Export writes every file under a temporary name and renames them only
// once all are complete, so a failed or stopped export leaves the
// directory's earlier files as they were (unless a rename itself fails
// midway). The same store always gives the same bytes.
//
// Import checks every row of every file; on the first fault it names the
// file, the line and the reason. It loads the horses a few thousand a
// transaction (the people with the first, the sires with the last), then
// the races a month a transaction: a fault in the rows of the people,
// horses, pedigrees or sires, or in the shape or date of a race file's
// row, loads nothing; one found later loads nothing from its transaction
// on, and the message says what was loaded. Nothing here throws.
#ifndef YDB_EXCHANGE_EXCHANGE_H_
#define YDB_EXCHANGE_EXCHANGE_H_

#include <functional>
#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"
#include "exchange/ExchangeFiles.h"

namespace exchange {

// Writes the data set of `db` into the directory `dir` (created when
// missing), replacing the files of the format that are there. The user's
// data (check marks, run memos, theories, tickets) is not written.
ydb::Status Export(ydb::Database& db, const std::string& dir, const Progress& progress = {});

// Loads the files of the format found in `dir` into `db`. Records are
// upserted by their key; a race in the files replaces the stored race whole.
ydb::Status Import(ydb::Database& db, const std::string& dir, const Progress& progress = {});

}  // namespace exchange

#endif  // YDB_EXCHANGE_EXCHANGE_H_
