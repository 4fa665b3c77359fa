// Past-run records (PASTRUNREC): one horse's run with the race it was run
// in, as the theory engine gathers them by horse, jockey, trainer, sire and
// course, and as the optimiser reads a race's marks and frames.
//
// A run is a runner with a result that started: entries withdrawn (取消)
// or excluded (除外) before the off are not runs, and a runner that did not
// finish has position 0. Runs come in ascending order of date, then
// racecourse and race number.
#ifndef YDB_RENDER_PASTRUNRENDERER_H_
#define YDB_RENDER_PASTRUNRENDERER_H_

#include <string>
#include <string_view>

#include "db/store/Database.h"
#include "db/store/Status.h"
#include "db/write/model.h"

namespace ydb {

// Every run of the horse `horse_code`, every field filled.
Status RenderHorseRuns(Database& db, std::string_view horse_code, void** buffer);

// Whose runs a date-range fetch gathers.
enum class RunsOf { kJockey, kTrainer, kSire };

// The runs with race date in [from, to] of a jockey's rides, a trainer's
// runners or a sire's offspring. Each is one range of the entity's
// covering index, so only the fields that index carries are filled: the
// race's own fields, horse number, position, popularity and win odds, the
// jockey code (not for a sire) and the trainer code (not for a sire). The
// others are blank.
Status RenderRunsOf(Database& db, RunsOf who, std::string_view code, int from, int to,
                    void** buffer);

// The runs of every race at racecourse `place` on `surface` ('0' dirt,
// '1' turf, '2' jumps) over `distance` metres with race date in [from,
// to], every field filled, in race order and within a race by horse
// number: the course-draw statistics.
Status RenderCourseRuns(Database& db, std::string_view place, std::string_view surface,
                        int distance, int from, int to, void** buffer);

// One record per runner of `race`, in horse-number order, scratched
// runners and races not yet run included (their result fields blank).
Status RenderRaceEntries(Database& db, const RaceKey& race, void** buffer);

// The queries of the fetches by horse, by jockey, trainer or sire, and by
// course, for the tests of their query plans.
const std::string& HorseRunsQuery();
const std::string& RunsOfQuery(RunsOf who);
const std::string& CourseRunsQuery();

}  // namespace ydb

#endif  // YDB_RENDER_PASTRUNRENDERER_H_
