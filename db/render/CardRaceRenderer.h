// Race-card records (RACEDREC): a race as its card shows it.
#ifndef YDB_RENDER_CARDRACERENDERER_H_
#define YDB_RENDER_CARDRACERENDERER_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// Which races have a record: those whose runners are drawn (the card), or
// those with horses nominated, drawn or not (the nominations).
enum class CardRaces { kDrawn, kNominated };

// The race-card records of `race`, or with race number 0 of every such
// race of its racecourse and day in race order, as a new record buffer in
// *buffer. Every record carries the race's number of nominations.
Status RenderCardRaces(Database& db, const RaceKey& race, CardRaces which, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_CARDRACERENDERER_H_
