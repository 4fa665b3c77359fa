// Runner result records (RACERHREC): one horse's run in a race, with the
// race's own fields that a past-performance line needs.
#ifndef YDB_RENDER_RESULTRUNNERRENDERER_H_
#define YDB_RENDER_RESULTRUNNERRENDERER_H_

#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The runner result records of every runner of `race` (a run race), scratched
// ones included, in horse-number order, as a new record buffer in *buffer.
// A race not yet run has none.
Status RenderResultRunners(Database& db, const RaceKey& race, void** buffer);

// The runner result records of the runs of the horse `horse_code` in races
// run before the date `before` (YYYYMMDD), latest first, at most `limit`.
Status RenderHorseResults(Database& db, std::string_view horse_code, int before, int limit,
                          void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_RESULTRUNNERRENDERER_H_
