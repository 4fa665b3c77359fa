// Race-card runner records (RACEDHREC): one horse as the race card shows
// it before the race.
#ifndef YDB_RENDER_CARDRUNNERRENDERER_H_
#define YDB_RENDER_CARDRUNNERRENDERER_H_

#include "db/store/Database.h"
#include "db/store/Status.h"
#include "db/write/model.h"

namespace ydb {

// The card runner records of every runner of `race`, in horse-number
// order, as a new record buffer in *buffer.
//
// Beyond the store's columns, a runner shows the jockey of its horse's
// previous run when another jockey rode it then (a change of rider).
Status RenderCardRunners(Database& db, const RaceKey& race, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_CARDRUNNERRENDERER_H_
