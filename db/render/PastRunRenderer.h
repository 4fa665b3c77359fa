// Past-run records (PASTRUNREC) rendered field by field from runner rows
// with their race and meeting: a race's entries, and the runs the writer
// files in past_run_bucket (StoredPastRuns.h reads them back).
//
// A run is a runner with a result that started: entries withdrawn (取消)
// or excluded (除外) before the off are not runs, and a runner that did not
// finish has position 0.
#ifndef YDB_RENDER_PASTRUNRENDERER_H_
#define YDB_RENDER_PASTRUNRENDERER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// One record per runner of `race`, in horse-number order, scratched
// runners and races not yet run included (their result fields blank).
Status RenderRaceEntries(Database& db, const RaceKey& race, void** buffer);

// The bytes of one past-run record (PastRunLayout().size()).
constexpr std::size_t kPastRunBytes = 94;
using PastRunRecord = std::array<char, kPastRunBytes>;

// The buckets a run is filed in, as past_run_bucket.kind numbers them.
enum class PastRunKind : int { kHorse = 1, kJockey = 2, kTrainer = 3, kSire = 4, kCourse = 5 };

// The bucket code of a course: racecourse, surface ('0' dirt, '1' turf,
// '2' jumps) and the distance in four digits ("05", "1", 1600 make
// "0511600").
std::string CourseCode(std::string_view place, std::string_view surface, int distance);

// One run rendered for filing: its key, the codes of the buckets it goes
// in (empty when it has no jockey or no sire) and its record, every field
// filled.
struct RunToFile {
  int date = 0;
  std::string place;
  int race_no = 0;
  int horse_no = 0;
  std::string horse, jockey, trainer, sire, course;
  PastRunRecord record{};

  // The run's place in race order: date, racecourse, race and horse number.
  std::int64_t order() const;
};

// The record of a run as a bucket of `kind` files it. A horse's and a
// course's buckets hold it whole. A jockey's and a trainer's hold the
// race's fields, the horse number, jockey and trainer codes, popularity,
// win odds and position, and leave the rest blank; a sire's the same
// without the jockey and trainer codes.
PastRunRecord FiledRecord(PastRunKind kind, const PastRunRecord& whole);

// The order (RunToFile::order) of a record filed in a bucket, given the
// race number that the bucket keeps beside it.
std::int64_t FiledOrder(const char* record, int race_no);

// Renders runs for filing, calling `each` for every one until it fails:
// the runs of `race`; the runs of `horse` whose runner rows do not carry
// the sire `sire` (empty: none); every run of the store in race order.
using EachRunToFile = std::function<Status(const RunToFile&)>;
Status RenderRunsOfRace(Database& db, const RaceKey& race, const EachRunToFile& each);
Status RenderRunsOfHorseNotBySire(Database& db, std::string_view horse, std::string_view sire,
                                  const EachRunToFile& each);
Status RenderEveryRun(Database& db, const EachRunToFile& each);

// The queries that find a race's runs and a horse's runs not by a sire,
// for the tests of their query plans.
const std::string& RaceRunsQuery();
const std::string& HorseRunsNotBySireQuery();

}  // namespace ydb

#endif  // YDB_RENDER_PASTRUNRENDERER_H_
