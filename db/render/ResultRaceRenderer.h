// Results records (RACERMREC): a run race with its going, sectional times,
// laps, passing orders, comment and payouts.
#ifndef YDB_RENDER_RESULTRACERENDERER_H_
#define YDB_RENDER_RESULTRACERENDERER_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The results records of `race`, or with race number 0 of every race of
// its racecourse and day in race order, as a new record buffer in
// *buffer. Races not yet run have no results record.
//
// Payouts are written entry by entry, dead heats included, as far as the
// record has room (three win entries, five place, three bracket quinella,
// three quinella, seven wide). The win popularity shares its bytes with
// the horse number of the second win entry: it is written only when the
// race has one winner. Laps are written when there are at most thirteen;
// a longer race shows only its sectional times.
Status RenderResultRaces(Database& db, const RaceKey& race, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_RESULTRACERENDERER_H_
