// Records as the writer keeps them rendered: the results records of
// result_record (one race, or every run race of a racecourse's day in race
// order) and the runner result records of runner_result_record (a race's
// runners, a horse's runs).
#ifndef YDB_RENDER_STOREDRESULTRECORDS_H_
#define YDB_RENDER_STOREDRESULTRECORDS_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/render/RenderedRecords.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"

namespace ydb {

// The stored results records of `race`, or with race number 0 of every run
// race of its racecourse and day, as a new record buffer in *buffer; the
// same records RenderResultRaces renders.
Status ReadResultRecords(Database& db, const RaceKey& race, void** buffer);

// The stored runner result records of the runners of `race` (a run race),
// scratched ones included, in horse-number order, added to `records` (of
// the runner result layout): the records RenderResultRunners renders. On a
// failure the records added before it stay.
Status AddStoredRunners(Database& db, const RaceKey& race, RenderedRecords* records);

// Those records of `race` as a new record buffer in *buffer.
Status ReadStoredRunners(Database& db, const RaceKey& race, void** buffer);

// The stored runner result records of the runs of the horse `horse_code` in
// races run before the date `before` (YYYYMMDD), latest first, at most
// `limit` (negative: all).
Status ReadHorseResults(Database& db, std::string_view horse_code, int before, int limit,
                        void** buffer);

// A query of stored runner result records: the record of each runner row
// `ru` found through `from` (a table or a join naming `ru`) whose race has
// run, then `rest` (a WHERE and ORDER BY clause). Its rows are read with
// AddStoredRunnerRows.
std::string StoredRunnerQuery(std::string_view from, std::string_view rest);

// Adds the record of each row of `st`, whose column 0 is a stored runner
// result record, to `records`; a record of another size is damage.
Status AddStoredRunnerRows(Statement& st, RenderedRecords* records);

}  // namespace ydb

#endif  // YDB_RENDER_STOREDRESULTRECORDS_H_
