// Odds records (ODDSREC): the win, bracket quinella and quinella odds of a
// race as one board.
#ifndef YDB_RENDER_ODDSRENDERER_H_
#define YDB_RENDER_ODDSRENDERER_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// Which of a race's odds: those published before the race (forecast or
// advance sale), or the final odds.
enum class OddsTime { kBeforeRace = 0, kFinal = 1 };

// The odds record of `race` (one record, or none when the race has no such
// odds), as a new record buffer in *buffer.
//
// The kind is the stored one before the race ('0' forecast, '1' advance
// sale, with its announcement time); final odds show kind '1' with the
// time they were fixed, blank when not known. Each odds field holds the
// odds in tenths, or a mark: '-' no odds (a pool or combination without
// odds, a horse number or pair beyond the field), '*' as stored, '/' a
// horse that did not start (scratched or excluded, by its stored mark or
// its result) and every pair with it, and a frame none of whose horses
// started.
Status RenderOdds(Database& db, const RaceKey& race, OddsTime time, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_ODDSRENDERER_H_
