// The past-run fetches (PASTRUNREC records): a horse's runs, a jockey's,
// trainer's or sire's runs in a date range, and the runs over one course
// in a date range, each read from the records the writer filed in
// past_run_bucket: one range of that table, the records copied as stored.
//
// Runs come in race order: ascending date, then racecourse, race number and
// horse number. PastRunRenderer.h says what a run is and which fields each
// kind of fetch fills.
#ifndef YDB_RENDER_STOREDPASTRUNS_H_
#define YDB_RENDER_STOREDPASTRUNS_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// Every run of the horse `horse_code`, every field filled.
Status RenderHorseRuns(Database& db, std::string_view horse_code, void** buffer);

// Every run of every horse entered in the run races dated `first` to
// `last` (HORSERUNREC: the horse's code, then the run as RenderHorseRuns
// gives it), horses in code order, each horse's runs in race order.
Status RenderHorseRunsBetween(Database& db, int first, int last, void** buffer);

// Whose runs a date-range fetch gathers.
enum class RunsOf { kJockey, kTrainer, kSire };

// The runs with race date in [from, to] of a jockey's rides, a trainer's
// runners or a sire's offspring, with the fields FiledRecord keeps for
// that kind of bucket.
Status RenderRunsOf(Database& db, RunsOf who, std::string_view code, int from, int to,
                    void** buffer);

// The runs of every race at racecourse `place` on `surface` ('0' dirt,
// '1' turf, '2' jumps) over `distance` metres with race date in [from,
// to], every field filled: the course-draw statistics.
Status RenderCourseRuns(Database& db, std::string_view place, std::string_view surface,
                        int distance, int from, int to, void** buffer);

// The query every fetch reads its buckets with, for the test of its plan.
const std::string& BucketRangeQuery();

}  // namespace ydb

#endif  // YDB_RENDER_STOREDPASTRUNS_H_
