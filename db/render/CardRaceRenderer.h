// Race-card records (RACEDREC): a race as its card shows it.
#ifndef YDB_RENDER_CARDRACERENDERER_H_
#define YDB_RENDER_CARDRACERENDERER_H_

#include "db/store/Database.h"
#include "db/store/Status.h"
#include "db/write/model.h"

namespace ydb {

// The race-card records of `race`, or with race number 0 of every race of
// its racecourse and day in race order, as a new record buffer in
// *buffer. Races whose runners are not yet drawn have no card.
Status RenderCardRaces(Database& db, const RaceKey& race, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_CARDRACERENDERER_H_
