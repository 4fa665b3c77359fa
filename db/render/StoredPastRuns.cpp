// Reading the filed past-run records: the buckets of one kind and code
// whose months meet the date range, their records copied, the first and
// last month cut at the range's ends; or the one bucket of each horse of a
// range of races.
#include "db/render/StoredPastRuns.h"

#include "db/layout/Layouts.h"
#include "db/render/PastRunRenderer.h"
#include "db/render/RaceRangeRenderer.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

// The date of a filed record, YYYYMMDD.
int RecordDate(const char* record) {
  static const std::size_t offset = FieldOf(PastRunLayout(), "date").offset;
  int date = 0;
  for (std::size_t i = 0; i < 8; ++i) date = date * 10 + (record[offset + i] - '0');
  return date;
}

// The records of the buckets of `kind` and `code` from month first / 100
// to month last / 100, those dated [first, last].
Status RenderBuckets(Database& db, PastRunKind kind, std::string_view code, int first, int last,
                     void** buffer) {
  RenderedRecords out(PastRunLayout());
  Statement& st = db.statement(BucketRangeQuery());
  st.bind(1, static_cast<int>(kind)).bind(2, code).bind(3, first / 100).bind(4, last / 100);
  const Status s = EachRow(st, [&](const Statement& row) {
    const std::string_view records = row.column_blob(1);
    const char* begin = records.data();
    const char* end = begin + records.size() / kPastRunBytes * kPastRunBytes;
    // Records are in date order: only the first and last month need cutting.
    if (row.column_int(0) == first / 100) {
      while (begin != end && RecordDate(begin) < first) begin += kPastRunBytes;
    }
    if (row.column_int(0) == last / 100) {
      while (end != begin && RecordDate(end - kPastRunBytes) > last) end -= kPastRunBytes;
    }
    out.AddRendered(begin, static_cast<std::size_t>(end - begin) / kPastRunBytes);
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace

const std::string& BucketRangeQuery() {
  static const std::string sql =
      "SELECT month, records FROM past_run_bucket "
      "WHERE kind = ?1 AND code = ?2 AND month BETWEEN ?3 AND ?4";
  return sql;
}

Status RenderHorseRuns(Database& db, std::string_view horse_code, void** buffer) {
  // A horse's one bucket, month 0, lies in any range that starts at 0.
  return RenderBuckets(db, PastRunKind::kHorse, horse_code, 0, 99999999, buffer);
}

Status RenderHorseRunsBetween(Database& db, int first, int last, void** buffer) {
  static const std::string sql =
      "SELECT code, records FROM past_run_bucket WHERE kind = ?3 AND month = 0 AND code IN (" +
      EnteredHorsesQuery() + ") ORDER BY code";
  static const Field& horse_code = FieldOf(HorseRunLayout(), "horse_code");
  static const Field& run = FieldOf(HorseRunLayout(), "run");
  Statement& st = db.statement(sql);
  st.bind(1, first).bind(2, last).bind(3, static_cast<int>(PastRunKind::kHorse));
  RenderedRecords out(HorseRunLayout());
  const Status s = EachRow(st, [&](const Statement& row) {
    const std::string_view code = row.column_text(0);
    const std::string_view records = row.column_blob(1);
    for (std::size_t at = 0; at + kPastRunBytes <= records.size(); at += kPastRunBytes) {
      RecordBuilder b(out.Add(), out.layout());
      b.set_code(horse_code, code);
      b.set_raw(run, records.substr(at, kPastRunBytes));
      if (!b.status().ok()) return b.status();
    }
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

Status RenderRunsOf(Database& db, RunsOf who, std::string_view code, int from, int to,
                    void** buffer) {
  const PastRunKind kind = who == RunsOf::kJockey    ? PastRunKind::kJockey
                           : who == RunsOf::kTrainer ? PastRunKind::kTrainer
                                                     : PastRunKind::kSire;
  return RenderBuckets(db, kind, code, from, to, buffer);
}

Status RenderCourseRuns(Database& db, std::string_view place, std::string_view surface,
                        int distance, int from, int to, void** buffer) {
  return RenderBuckets(db, PastRunKind::kCourse, CourseCode(place, surface, distance), from, to,
                       buffer);
}

}  // namespace ydb
