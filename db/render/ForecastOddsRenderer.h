// Forecast win odds records (YODDSTANREC): the win odds published before a
// race, one 32-bit integer per runner, as the theory result breaks ties on
// them; and those of each race of a range of dates (YODDSTANRACEREC).
#ifndef YDB_RENDER_FORECASTODDSRENDERER_H_
#define YDB_RENDER_FORECASTODDSRENDERER_H_

#include <cstdint>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The value of a runner without odds: no odds stored for it, a mark ('*',
// '-') in their place, or a horse that did not start.
constexpr std::int32_t kNoForecastOdds = 0x7fffffff;

// One record per horse number from 1 to the highest of the race's runners,
// holding the win odds in tenths of the odds the race had before it was
// run (the forecast, or the advance-sale odds where those were published),
// or kNoForecastOdds. A race without such odds, or without runners, has no
// records. As a new record buffer in *buffer.
Status RenderForecastWinOdds(Database& db, const RaceKey& race, void** buffer);

// One record (YODDSTANRACEREC) per run race dated `first` to `last`
// (YYYYMMDD) that has a set of odds from before the race, in race order:
// its code, its highest horse number n and the n odds RenderForecastWinOdds
// renders for it. As a new record buffer in *buffer.
Status RenderForecastWinOddsBetween(Database& db, int first, int last, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_FORECASTODDSRENDERER_H_
