// Runner result records (RACERHREC): one horse's run in a race, with the
// race's own fields that a past-performance line needs.
#ifndef YDB_RENDER_RESULTRUNNERRENDERER_H_
#define YDB_RENDER_RESULTRUNNERRENDERER_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"

namespace ydb {

// The runner result records of every runner of `race` (a run race), scratched
// ones included, in horse-number order, or with race number 0 of every run
// race of its racecourse and day, race by race, as a new record buffer in
// *buffer, rendered from the rows. A race not yet run has none. The readers
// read them as the writer keeps them (StoredResultRecords.h).
Status RenderResultRunners(Database& db, const RaceKey& race, void** buffer);

// A horse, jockey or trainer whose own rows a runner result record shows.
enum class Shown : int { kHorse = 0, kJockey = 1, kTrainer = 2 };

// A query of one text, ?1 the code of `whose`: everything the runner result
// records of its runs show of its own rows (names; a horse's sire and dam's
// sire). No row when it is not stored. When the text changes, its records
// are rendered again.
const char* ShownFieldsQuery(Shown whose);

}  // namespace ydb

#endif  // YDB_RENDER_RESULTRUNNERRENDERER_H_
