// The records of every run race of a range of dates, read with one query
// each rather than one fetch per race: for reading a season of races in
// turn (the theory engine over a range), where the fetches of a race at a
// time cost more than the work on the race.
#ifndef YDB_RENDER_RACERANGERENDERER_H_
#define YDB_RENDER_RACERANGERENDERER_H_

#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// The stored results records (RACERMREC) of the races dated `first` to
// `last` (YYYYMMDD), in race order (date, racecourse, race number), as a
// new record buffer in *buffer: for each race the record
// ReadResultRecords reads.
Status ReadResultRecordsBetween(Database& db, int first, int last, void** buffer);

// The entries (RUNNERENTRYREC) of the runners of the run races dated
// `first` to `last`, in race order and, within a race, horse-number order,
// scratched runners included, as a new record buffer in *buffer: the race
// code, frame, horse number, horse code, weight carried, jockey and
// trainer codes, prediction mark and first training mark, as
// RenderResultRunners writes them.
Status RenderRunnerEntriesBetween(Database& db, int first, int last, void** buffer);

// Payout records (EXPRIZEREC) of the races dated `first` to `last` that
// have payouts, in race order, as a new record buffer in *buffer: for
// each race the record RenderPayouts renders.
Status RenderPayoutsBetween(Database& db, int first, int last, void** buffer);

// The query of the horses entered in the run races dated ?1 to ?2 (one
// column, the horse code; scratched runners included, a horse entered
// twice named twice): the `code IN (...)` of the fetches of every such
// horse's records (RenderHorseRunsBetween, RenderSireCodesBetween).
const std::string& EnteredHorsesQuery();

}  // namespace ydb

#endif  // YDB_RENDER_RACERANGERENDERER_H_
