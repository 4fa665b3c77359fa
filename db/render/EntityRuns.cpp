// Reading an entity's runs through the keys its past-run buckets hold: each
// bucket record's date, racecourse and horse number read out of its bytes,
// the race number out of the bucket's race_nos, and each key finds its kept
// runner result record. An entity's counts are the figures entity_total
// keeps.
#include "db/render/EntityRuns.h"

#include <algorithm>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/StoredResultRecords.h"
#include "db/store/Statement.h"

namespace ydb {
namespace {

enum CountColumn : int { kSurface, kYear, kFirsts, kSeconds, kThirds, kUnplaced, kPrize, kAdded };

// An entity's figures as entity_total keeps them (the writer counts them
// from the runner rows), by surface and year.
constexpr const char* kTotalsQuery =
    "SELECT surface, year, firsts, seconds, thirds, unplaced, prize_money, added_money "
    "FROM entity_total WHERE kind = ?1 AND code = ?2";

constexpr int kHorseCode = 8;  // the horse's code in HorsesTotalsQuery

void Add(SurfaceRuns& to, const Statement& row) {
  for (int k = 0; k < 4; ++k) to.counts[static_cast<std::size_t>(k)] += row.column_int(kFirsts + k);
  to.prize_money += row.column_int(kPrize);
  to.added_money += row.column_int(kAdded);
}

// A row of a count query into the career and, when of `year`, the year.
Status AddRow(const Statement& row, int year, EntityRunCounts* counts) {
  const std::int64_t surface = row.column_int(kSurface);
  if (surface < 0 || surface >= kSurfaces) return Status::Corruption("a run of no surface");
  const auto s = static_cast<std::size_t>(surface);
  Add(counts->career[s], row);
  if (row.column_int(kYear) == year) Add(counts->year[s], row);
  return Status::Ok();
}

// A run as its bucket names it.
struct RunKey {
  int date = 0;
  std::string place;
  int race_no = 0;
  int horse_no = 0;
};

// The number of a digit field, blanks counting for nothing.
int Number(std::string_view digits) {
  int n = 0;
  for (const char c : digits) {
    if (c >= '0' && c <= '9') n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

const std::string& EntityBucketsQuery() {
  static const std::string sql =
      "SELECT race_nos, records FROM past_run_bucket "
      "WHERE kind = ?1 AND code = ?2 AND month BETWEEN ?3 / 100 AND ?4 / 100";
  return sql;
}

const std::string& HorsesTotalsQuery() {
  // CROSS JOIN keeps the codes asked as the outer loop: left to itself the
  // planner may walk every stored figure and scan the codes for each.
  static const std::string sql =
      "SELECT t.surface, t.year, t.firsts, t.seconds, t.thirds, t.unplaced, t.prize_money, "
      "t.added_money, t.code FROM json_each(?1) k CROSS JOIN entity_total t "
      "ON t.kind = 1 AND t.code = k.value";
  return sql;
}

const std::string& KeptRunQuery() {
  static const std::string sql =
      "SELECT record FROM runner_result_record "
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 AND horse_no = ?4";
  return sql;
}

Status RenderEntityResults(Database& db, PastRunKind kind, std::string_view code, int from,
                           int to, void** buffer) {
  // The keys of the runs the buckets of the range's months file, read out
  // of their records as the writer filed them.
  static const Field& date = FieldOf(PastRunLayout(), "date");
  static const Field& place = FieldOf(PastRunLayout(), "place_code");
  static const Field& horse_no = FieldOf(PastRunLayout(), "horse_number");
  std::vector<RunKey> keys;
  Statement& buckets = db.statement(EntityBucketsQuery());
  buckets.bind(1, static_cast<int>(kind)).bind(2, code).bind(3, from).bind(4, to);
  Status s = EachRow(buckets, [&](const Statement& row) {
    const std::string_view race_nos = row.column_blob(0);
    const std::string_view records = row.column_blob(1);
    if (records.size() != race_nos.size() * kPastRunBytes) {
      return Status::Corruption("a past-run bucket is damaged");
    }
    for (std::size_t i = 0; i < race_nos.size(); ++i) {
      const std::string_view record = records.substr(i * kPastRunBytes, kPastRunBytes);
      RunKey key;
      key.date = Number(record.substr(date.offset, date.width));
      if (key.date < from || key.date > to) continue;
      key.place = std::string(record.substr(place.offset, place.width));
      key.race_no = static_cast<unsigned char>(race_nos[i]);
      key.horse_no = Number(record.substr(horse_no.offset, horse_no.width));
      keys.push_back(std::move(key));
    }
    return Status::Ok();
  });
  if (!s.ok()) return s;
  // Latest first: date and race number descending, then racecourse and
  // horse number.
  std::sort(keys.begin(), keys.end(), [](const RunKey& a, const RunKey& b) {
    if (a.date != b.date) return a.date > b.date;
    if (a.race_no != b.race_no) return a.race_no > b.race_no;
    if (a.place != b.place) return a.place < b.place;
    return a.horse_no < b.horse_no;
  });
  RenderedRecords records(ResultRunnerLayout());
  records.Reserve(keys.size());
  Statement& kept = db.statement(KeptRunQuery());
  for (const RunKey& key : keys) {
    kept.bind(1, key.date).bind(2, key.place).bind(3, key.race_no).bind(4, key.horse_no);
    s = AddStoredRunnerRows(kept, &records);
    if (!s.ok()) return s;
  }
  return records.Finish(buffer);
}

Status CountEntityRuns(Database& db, PastRunKind kind, std::string_view code, int year,
                       EntityRunCounts* counts) {
  *counts = EntityRunCounts{};
  Statement& st = db.statement(kTotalsQuery);
  st.bind(1, static_cast<int>(kind)).bind(2, code);
  return EachRow(st, [&](const Statement& row) { return AddRow(row, year, counts); });
}

Status CountHorsesRuns(Database& db, const std::string& codes, int year,
                       std::unordered_map<std::string, EntityRunCounts>* counts) {
  Statement& st = db.statement(HorsesTotalsQuery());
  st.bind(1, codes);
  return EachRow(st, [&](const Statement& row) {
    return AddRow(row, year, &(*counts)[std::string(row.column_text(kHorseCode))]);
  });
}

std::int64_t Saturated(std::int64_t value, int width) {
  std::int64_t most = 1;
  for (int i = 0; i < width; ++i) most *= 10;
  --most;
  if (value < 0) return 0;
  return value > most ? most : value;
}

}  // namespace ydb
