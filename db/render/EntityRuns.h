// The runs of a horse, jockey, trainer or sire as the past-run buckets file
// them (past_run_bucket): their runner result records in a date range, and
// their finishing counts and prize money, each in one statement.
//
// The buckets are the only way to a person's or a sire's runner rows (the
// runner table has no index by jockey, trainer or sire): each bucket record
// names its run by date, racecourse and horse number, its race number kept
// beside it, and the statement joins those keys to the runner rows by race.
// A run is a runner with a result that started: scratched (取消) and excluded
// (除外) entries are in no bucket, so in none of these.
#ifndef YDB_RENDER_ENTITYRUNS_H_
#define YDB_RENDER_ENTITYRUNS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "db/base/Status.h"
#include "db/render/PastRunRenderer.h"
#include "db/store/Database.h"

namespace ydb {

// The runner result records (RACERHREC) of the runs of `kind` and `code`
// dated `from` to `to` (YYYYMMDD, both included), as runner_result_record
// keeps them, latest first: by date
// descending, then race number descending, racecourse and horse number.
Status RenderEntityResults(Database& db, PastRunKind kind, std::string_view code, int from,
                           int to, void** buffer);

// The statements RenderEntityResults runs, for the plan test: the entity's
// buckets of the months of the range, then each run's kept record by its key.
const std::string& EntityBucketsQuery();
const std::string& KeptRunQuery();
// The statement CountHorsesRuns runs: the horses' figures, the codes asked
// (a JSON array, ?1) the outer loop.
const std::string& HorsesTotalsQuery();

// Surfaces as the store numbers them (race.surface).
enum class Surface : int { kDirt = 0, kTurf = 1, kJump = 2 };
constexpr int kSurfaces = 3;

// Finishing counts in the order of the records' groups: firsts, seconds,
// thirds, unplaced. A run's class: finishing position 1, 2 or 3, anything
// else (a horse that did not finish included) unplaced.
using FinishCounts = std::array<std::int64_t, 4>;

// What the runs of one surface add up to.
struct SurfaceRuns {
  FinishCounts counts{};
  std::int64_t prize_money = 0;  // yen
  std::int64_t added_money = 0;  // yen
};

// The runs of an entity by surface, over its whole career and in one year.
struct EntityRunCounts {
  std::array<SurfaceRuns, kSurfaces> career;
  std::array<SurfaceRuns, kSurfaces> year;
};

// Counts every run of a horse, jockey, trainer or sire (`kind`) of `code`,
// those of `year` also apart, from the figures entity_total keeps (counted
// by the writer from the runner rows).
Status CountEntityRuns(Database& db, PastRunKind kind, std::string_view code, int year,
                       EntityRunCounts* counts);

// CountEntityRuns for the horses of `codes`, a JSON array of horse codes,
// in one statement: each horse with runs gets its entry in *counts.
Status CountHorsesRuns(Database& db, const std::string& codes, int year,
                       std::unordered_map<std::string, EntityRunCounts>* counts);

// `value` as a field of `width` digits holds it: 10^width - 1 (9...9) when
// it has more digits, 0 when negative.
std::int64_t Saturated(std::int64_t value, int width);

}  // namespace ydb

#endif  // YDB_RENDER_ENTITYRUNS_H_
