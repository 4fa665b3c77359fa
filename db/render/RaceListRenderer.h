// Race-list records (RACELISTREC): one per race day, with the day's
// racecourses in place-code order and each one's kai, day and main race.
#ifndef YDB_RENDER_RACELISTRENDERER_H_
#define YDB_RENDER_RACELISTRENDERER_H_

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// Which days a race list holds: days with results, or days with race
// cards (races whose runners are drawn). A racecourse is listed when it
// has such a race that day.
enum class RaceDays { kWithResults, kWithCards };

// The race-list records of the days from `from` to `to` (YYYYMMDD, both
// included), in date order, as a new record buffer in *buffer.
//
// A racecourse's main race is its highest-graded race (G1, JG1, G2, JG2,
// G3, JG3; between equal grades the higher class, then the later race);
// without a graded race, race 11; without race 11, its race of the
// highest class, the later on a tie. Only races of the kind listed count.
Status RenderRaceList(Database& db, int from, int to, RaceDays days, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_RACELISTRENDERER_H_
