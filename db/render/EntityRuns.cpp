// Reading an entity's runs through the keys its past-run buckets hold: each
// bucket record's date, racecourse and horse number read out of its bytes,
// the race number out of the bucket's race_nos. For the records the keys
// are read here and each finds its kept runner result record by its key;
// for a horse's counts a recursive counter walks the buckets in SQL and each
// key finds its runner row by runner_by_race.
#include "db/render/EntityRuns.h"

#include <algorithm>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/StoredResultRecords.h"
#include "db/store/Statement.h"

namespace ydb {
namespace {

// ?1 kind, ?2 code, ?3 and ?4 the first and last date. A horse's one bucket
// has month 0, which the month range of any date range from 0 takes in.
std::string RunKeys() {
  const RecordLayout& layout = PastRunLayout();
  const std::string bytes = std::to_string(kPastRunBytes);
  // 1-based offsets of a field in the record at index i of a bucket.
  auto at = [&](const char* field) {
    return "idx.i * " + bytes + " + " + std::to_string(FieldOf(layout, field).offset + 1);
  };
  return "WITH RECURSIVE "
         "bucket(race_nos, records) AS ("
         "SELECT race_nos, records FROM past_run_bucket "
         "WHERE kind = ?1 AND code = ?2 AND month BETWEEN ?3 / 100 AND ?4 / 100), "
         "idx(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM idx "
         "WHERE i + 1 < (SELECT max(length(race_nos)) FROM bucket)), "
         "run_key(race_date, place, race_no, horse_no) AS (SELECT "
         "CAST(CAST(substr(b.records, " + at("date") + ", 8) AS TEXT) AS INTEGER), "
         "CAST(substr(b.records, " + at("place_code") + ", 2) AS TEXT), "
         "unicode(CAST(substr(b.race_nos, idx.i + 1, 1) AS TEXT)), "
         "CAST(CAST(substr(b.records, " + at("horse_number") + ", 2) AS TEXT) AS INTEGER) "
         "FROM bucket b JOIN idx ON idx.i < length(b.race_nos)) ";
}

constexpr const char* kKeyedRunner =
    "run_key k JOIN runner ru ON ru.race_date = k.race_date AND ru.place = k.place "
    "AND ru.race_no = k.race_no AND ru.horse_no = k.horse_no";

enum CountColumn : int { kSurface, kYear, kFirsts, kSeconds, kThirds, kUnplaced, kPrize, kAdded };

const std::string& CountQuery() {
  static const std::string sql = RunKeys() +
      "SELECT CAST(r.surface AS INTEGER), ru.race_date / 10000, "
      "sum(ru.finish_pos = 1), sum(ru.finish_pos = 2), sum(ru.finish_pos = 3), "
      "sum(ifnull(ru.finish_pos, 0) NOT BETWEEN 1 AND 3), "
      "sum(ru.prize_money), sum(ru.added_money) "
      "FROM " + std::string(kKeyedRunner) + " "
      "JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place "
      "AND r.race_no = ru.race_no "
      "WHERE k.race_date BETWEEN ?3 AND ?4 "
      "GROUP BY 1, 2";
  return sql;
}

// A person's or a sire's figures as entity_total keeps them (the writer
// counts them from the runner rows), in the columns of CountQuery.
constexpr const char* kTotalsQuery =
    "SELECT surface, year, firsts, seconds, thirds, unplaced, prize_money, added_money "
    "FROM entity_total WHERE kind = ?1 AND code = ?2";

// The counts of CountQuery for every horse of the JSON array ?1, straight
// from the runner rows (kept in horse order), the horse's code last.
const std::string& HorsesCountQuery() {
  static const std::string sql = std::string(
      "SELECT CAST(r.surface AS INTEGER), ru.race_date / 10000, "
      "sum(ru.finish_pos = 1), sum(ru.finish_pos = 2), sum(ru.finish_pos = 3), "
      "sum(ifnull(ru.finish_pos, 0) NOT BETWEEN 1 AND 3), "
      "sum(ru.prize_money), sum(ru.added_money), ru.horse_code "
      "FROM json_each(?1) k JOIN runner ru ON ru.horse_code = k.value "
      "JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place "
      "AND r.race_no = ru.race_no "
      "WHERE ") + kIsRun + "GROUP BY ru.horse_code, 1, 2";
  return sql;
}
constexpr int kHorseCode = 8;

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
  const bool kept = kind == PastRunKind::kJockey || kind == PastRunKind::kTrainer ||
                    kind == PastRunKind::kSire;
  Statement& st = db.statement(kept ? std::string_view(kTotalsQuery) : std::string_view(CountQuery()));
  st.bind(1, static_cast<int>(kind)).bind(2, code);
  if (!kept) st.bind(3, 0).bind(4, 99999999);
  return EachRow(st, [&](const Statement& row) { return AddRow(row, year, counts); });
}

Status CountHorsesRuns(Database& db, const std::string& codes, int year,
                       std::unordered_map<std::string, EntityRunCounts>* counts) {
  Statement& st = db.statement(HorsesCountQuery());
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
