// Rendering results records. Two queries over the races asked for (one
// race, or every race of a venue-day): the races, then their laps, passing
// orders and payouts in one pass, each detail a range of its table's key,
// read row by row into its race's record.
#include "db/render/ResultRaceRenderer.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/base/Codes.h"
#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/PayoutFields.h"
#include "db/render/RaceHeader.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

constexpr std::size_t kLapFields = 13;
constexpr std::size_t kCommentLines = 6;

enum Column : int {
  kAddedMoney = kRaceHeaderColumnCount,
  kWeather,
  kGoing,
  kFirst600,  // then 800 and 1000
  kLast800 = kFirst600 + 3,
  kLast600,
  kLastMile,
  kComment,
};

// The details query's columns: what the row is, the race number, then the
// detail's own fields.
enum DetailKind : int { kLap = 1, kCorner = 2, kPayout = 3 };
enum DetailColumn : int { kDetailKind = 0, kDetailRace, kDetail1, kDetail2, kDetail3, kDetail4,
                          kDetail5, kDetail6 };

// The race, or (race number 0) every race of the day with results.
const std::string& RaceSql(bool one_race) {
  auto sql = [](const char* race_no) {
    return std::string("SELECT ") + kRaceHeaderColumns +
           ", r.added_money, r.weather, r.going, r.time_first_600, r.time_first_800, "
           "r.time_first_1000, r.time_last_800, r.time_last_600, r.time_last_mile, r.comment "
           "FROM " + kRaceHeaderFrom + " WHERE r.race_date = ?1 AND r.place = ?2 AND " + race_no +
           " AND r.has_result = 1 ORDER BY r.race_no";
  };
  static const std::string race = sql("r.race_no = ?3");
  static const std::string day = sql("?3 = 0");
  return one_race ? race : day;
}

// Laps (lap number, time), passing orders (sequence, qualifier, position,
// order) and payouts (pool, sequence, first, second, amount, popularity),
// each row saying where it goes, so that no sort is needed.
// The details of one race, or (race number 0) of every race of the day:
// two texts, so that each is one key range of every table it reads.
const std::string& DetailSql(bool one_race) {
  auto sql = [](const std::string& where) {
    return "SELECT 1, race_no, lap_no, time, NULL, NULL, NULL, NULL FROM race_lap" + where +
           "UNION ALL SELECT 2, race_no, seq, qualifier, position_code, passing_order, NULL, "
           "NULL FROM race_corner" + where +
           "UNION ALL SELECT 3, race_no, pool, seq, first, second, amount, popularity FROM "
           "payout" + where;
  };
  static const std::string race = sql(" WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 ");
  static const std::string day = sql(" WHERE race_date = ?1 AND place = ?2 AND ?3 = 0 ");
  return one_race ? race : day;
}

// The results record's fields, found once.
struct ResultFields {
  const RecordLayout& layout = RaceResultLayout();
  RaceHeaderFields header{layout};
  PayoutFields payouts{layout};
  const Field& date = FieldOf(layout, "date");
  const Field& second_ref_time = FieldOf(layout, "second_ref_time");
  const Field& third_ref_time = FieldOf(layout, "third_ref_time");
  const Field& prize = FieldOf(layout, "prize");
  const Field& shared_amount = FieldOf(layout, "shared_amount");
  const Field& weather = FieldOf(layout, "weather");
  const Field& going = FieldOf(layout, "going");
  const Field& early_time = FieldOf(layout, "early_time");
  const Field& last_800 = FieldOf(layout, "last_800");
  const Field& last_600 = FieldOf(layout, "last_600");
  const Field& mile_line = FieldOf(layout, "mile_line");
  const Field& comment = FieldOf(layout, "comment");
  const Field& lap = FieldOf(layout, "lap");
  const Field& corner_kind = FieldOf(layout, "corner_kind");
  const Field& corner_position = FieldOf(layout, "corner_position");
  const Field& corner_order = FieldOf(layout, "corner_order");
  const Field& win_popularity = FieldOf(layout, "win_popularity");
};

// A time of tenths as the mile line shows it: "1:45.3", or "38.2" under a
// minute.
std::string TimeText(std::int64_t tenths) {
  std::string seconds = std::to_string(tenths % 600 / 10) + "." + std::to_string(tenths % 10);
  if (tenths < 600) return seconds;
  if (seconds.size() < 4) seconds.insert(0, "0");
  return std::to_string(tenths / 600) + ":" + seconds;
}

// The fields of the race row itself, beyond the shared header.
void SetRaceFields(RecordBuilder& b, const ResultFields& f, const Statement& row) {
  SetRaceHeader(b, f.header, row);
  b.set_digits(f.date, row.column_int(kRaceDate));
  if (!row.column_is_null(ReferenceColumn(1, kRefDate))) {
    b.set_digits(f.second_ref_time, row.column_int(ReferenceColumn(1, kRefTime)) % 600);
  }
  if (!row.column_is_null(ReferenceColumn(2, kRefDate))) {
    b.set_digits(f.third_ref_time, MinutesSecondsTenths(row.column_int(ReferenceColumn(2, kRefTime))));
  }
  b.set_digits(f.prize, 0, 5);
  DigitsFrom(b, f.shared_amount, row, kAddedMoney);
  CodeFrom(b, f.weather, row, kWeather);
  CodeFrom(b, f.going, row, kGoing);
  for (int i = 0; i < 3; ++i) {
    DigitsFrom(b, f.early_time, row, kFirst600 + i, static_cast<std::size_t>(i));
  }
  DigitsFrom(b, f.last_800, row, kLast800);
  DigitsFrom(b, f.last_600, row, kLast600);
  if (row.column_text(kRaceKind) == "0" && !row.column_is_null(kLastMile)) {
    std::string line = TimeText(row.column_int(kLastMile));
    if (!row.column_is_null(kLast600)) line += "-" + TimeText(row.column_int(kLast600));
    b.set_text_utf8(f.mile_line, line);
  }
  std::string_view comment = row.column_text(kComment);
  for (std::size_t line = 0; line < kCommentLines && !comment.empty(); ++line) {
    const std::size_t end = comment.find('\n');
    b.set_text_utf8(f.comment, comment.substr(0, end), line);
    comment = end == std::string_view::npos ? std::string_view() : comment.substr(end + 1);
  }
}

// One race's record being built, and what its details add up to.
struct RaceRecord {
  RaceRecord(void* record, const RecordLayout& layout, int race_no)
      : b(record, layout), number(race_no) {}

  RecordBuilder b;
  int number;
  std::int64_t lap[kLapFields] = {};
  std::size_t laps = 0;
  int winners = 0;
  int win_popularity = 0;
};

// The records being built, one per race, found by race number.
class RaceRecords {
 public:
  explicit RaceRecords(const ResultFields& f) : f_(f), out_(f.layout) { out_.Reserve(kMaxRaces); }

  RecordBuilder& Add(int race_no) {
    races_.push_back(std::make_unique<RaceRecord>(out_.Add(), out_.layout(), race_no));
    return races_.back()->b;
  }
  bool empty() const { return races_.empty(); }

  // One row of the details query, in any order.
  Status Detail(const Statement& row) {
    RaceRecord* r = Of(static_cast<int>(row.column_int(kDetailRace)));
    if (r == nullptr) return Status();  // a race without results
    switch (row.column_int(kDetailKind)) {
      case kLap: {
        const std::int64_t lap_no = row.column_int(kDetail1);
        if (lap_no >= 1 && static_cast<std::size_t>(lap_no) <= kLapFields) {
          r->lap[lap_no - 1] = row.column_int(kDetail2);
        }
        ++r->laps;
        return Status();
      }
      case kCorner: {
        const auto index = static_cast<std::size_t>(row.column_int(kDetail1) - 1);
        const std::int64_t qualifier = Or0(row, kDetail2);
        if (qualifier > 0) r->b.set_code(f_.corner_kind, std::to_string(qualifier), index);
        r->b.set_digits(f_.corner_position, row.column_int(kDetail3), index);
        r->b.set_text_utf8(f_.corner_order, row.column_text(kDetail4), index);
        return r->b.status();
      }
      case kPayout: {
        PayoutEntry e;
        e.pool = static_cast<int>(row.column_int(kDetail1));
        e.seq = static_cast<int>(row.column_int(kDetail2));
        e.first = static_cast<int>(row.column_int(kDetail3));
        e.second = static_cast<int>(row.column_int(kDetail4));
        e.amount = row.column_int(kDetail5);
        e.popularity = static_cast<int>(Or0(row, kDetail6));
        if (e.pool == PoolNumber(Pool::kWin)) {
          ++r->winners;
          if (e.seq == 1) r->win_popularity = e.popularity;
        }
        return f_.payouts.Set(r->b, e);
      }
      default:
        return Status::Corruption("unknown detail row");
    }
  }

  // Writes what the details add up to: the laps when all of them fit, the
  // win popularity only with one winner (its bytes are the second winner's
  // horse number); then hands the records over.
  Status Finish(void** buffer) {
    for (const auto& r : races_) {
      if (r->laps <= kLapFields) {
        for (std::size_t k = 0; k < r->laps; ++k) r->b.set_digits(f_.lap, r->lap[k], k);
      }
      if (r->winners == 1 && r->win_popularity > 0) {
        r->b.set_digits(f_.win_popularity, r->win_popularity);
      }
      if (!r->b.status().ok()) return r->b.status();
    }
    return out_.Finish(buffer);
  }

 private:
  static constexpr std::size_t kMaxRaces = 12;  // a venue-day; Add beyond it still works

  static std::int64_t Or0(const Statement& row, int column) {
    return row.column_is_null(column) ? 0 : row.column_int(column);
  }
  RaceRecord* Of(int race_no) {
    for (const auto& r : races_) {
      if (r->number == race_no) return r.get();
    }
    return nullptr;
  }

  const ResultFields& f_;
  RenderedRecords out_;
  std::vector<std::unique_ptr<RaceRecord>> races_;
};

}  // namespace

Status RenderResultRaces(Database& db, const RaceKey& race, void** buffer) {
  static const ResultFields f;
  RaceRecords records(f);
  Statement& st = db.statement(RaceSql(race.number != 0));
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  Status s = EachRow(st, [&](const Statement& row) {
    RecordBuilder& b = records.Add(static_cast<int>(row.column_int(kRaceNumber)));
    SetRaceFields(b, f, row);
    return b.status();
  });
  if (s.ok() && !records.empty()) {
    Statement& details = db.statement(DetailSql(race.number != 0));
    details.bind(1, race.date).bind(2, race.place).bind(3, race.number);
    s = EachRow(details, [&](const Statement& row) { return records.Detail(row); });
  }
  if (!s.ok()) return s;
  return records.Finish(buffer);
}

}  // namespace ydb
