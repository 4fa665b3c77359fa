// Runner result records (RACERHREC): one horse's run in a race, with the
// race's own fields that a past-performance line needs.
#ifndef YDB_RENDER_RESULTRUNNERRENDERER_H_
#define YDB_RENDER_RESULTRUNNERRENDERER_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/render/RenderedRecords.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"

namespace ydb {

// The runner result records of every runner of `race` (a run race), scratched
// ones included, in horse-number order, as a new record buffer in *buffer.
// A race not yet run has none.
Status RenderResultRunners(Database& db, const RaceKey& race, void** buffer);

// Adds those records of `race` to `records` (of the runner result layout):
// for reading many races into one buffer without a buffer per race. On a
// failure the records added before it stay.
Status AddResultRunners(Database& db, const RaceKey& race, RenderedRecords* records);

// The runner result records of the runs of the horse `horse_code` in races
// run before the date `before` (YYYYMMDD), latest first, at most `limit`.
Status RenderHorseResults(Database& db, std::string_view horse_code, int before, int limit,
                          void** buffer);

// A query of runner result records: the record's columns, read from the
// runner row `ru` found through `from` (a table or a join naming `ru`),
// with the rows it refers to joined, then `rest` (a WHERE and ORDER BY
// clause). Its rows are rendered with RenderResultRunnerRows.
std::string ResultRunnerQuery(std::string_view from, std::string_view rest);

// One runner result record per row of `st`, a query made by
// ResultRunnerQuery and bound by the caller, as a new record buffer.
Status RenderResultRunnerRows(Statement& st, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_RESULTRUNNERRENDERER_H_
