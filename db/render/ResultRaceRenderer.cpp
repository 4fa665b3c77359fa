// Rendering results records. One query: each race's row carries its laps,
// passing orders and payouts as three lists, so that a fetch is one pass
// over the store.
#include "db/render/ResultRaceRenderer.h"

#include <cstdint>
#include <string>
#include <string_view>

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
  kLaps,      // "lap time" pairs
  kCorners,   // "seq qualifier position length text" items
  kPayouts,   // "pool seq first second amount popularity" items
};

// The lists are blank-separated items in no particular order; each item
// says where it goes. A passing order is written after its length in
// bytes, so that whatever it holds cannot be taken for a separator.
const std::string& Sql() {
  static const std::string sql =
      std::string("SELECT ") + kRaceHeaderColumns +
      ", r.added_money, r.weather, r.going, r.time_first_600, r.time_first_800, "
      "r.time_first_1000, r.time_last_800, r.time_last_600, r.time_last_mile, r.comment, "
      "(SELECT group_concat(printf('%d %d', lap_no, time), ' ') FROM race_lap l "
      "WHERE l.race_date = r.race_date AND l.place = r.place AND l.race_no = r.race_no), "
      "(SELECT group_concat(printf('%d %d %d %d %s', seq, ifnull(qualifier, 0), position_code, "
      "length(CAST(passing_order AS BLOB)), passing_order), ' ') FROM race_corner c "
      "WHERE c.race_date = r.race_date AND c.place = r.place AND c.race_no = r.race_no), "
      "(SELECT group_concat(printf('%d %d %d %d %d %d', pool, seq, first, second, amount, "
      "ifnull(popularity, 0)), ' ') FROM payout p "
      "WHERE p.race_date = r.race_date AND p.place = r.place AND p.race_no = r.race_no) "
      "FROM " + kRaceHeaderFrom +
      " WHERE r.race_date = ?1 AND r.place = ?2 AND (?3 = 0 OR r.race_no = ?3) "
      "AND r.has_result = 1 ORDER BY r.race_no";
  return sql;
}

// Reads the items of one list: numbers, and texts of a known length, each
// followed by one blank (or the end).
class ListReader {
 public:
  explicit ListReader(std::string_view list) : rest_(list) {}

  bool more() const { return ok_ && !rest_.empty(); }
  bool ok() const { return ok_; }

  std::int64_t Number() {
    std::int64_t value = 0;
    std::size_t i = 0;
    const bool negative = !rest_.empty() && rest_[0] == '-';
    if (negative) ++i;
    const std::size_t first_digit = i;
    for (; i < rest_.size() && rest_[i] >= '0' && rest_[i] <= '9'; ++i) {
      value = value * 10 + (rest_[i] - '0');
    }
    if (i == first_digit) ok_ = false;
    Skip(i);
    return negative ? -value : value;
  }

  std::string_view Text(std::size_t length) {
    if (length > rest_.size()) {
      ok_ = false;
      return std::string_view();
    }
    const std::string_view text = rest_.substr(0, length);
    Skip(length);
    return text;
  }

 private:
  // Moves past `n` bytes and the blank after them.
  void Skip(std::size_t n) {
    rest_.remove_prefix(n);
    if (!rest_.empty()) {
      if (rest_[0] == ' ') {
        rest_.remove_prefix(1);
      } else {
        ok_ = false;
      }
    }
  }

  std::string_view rest_;
  bool ok_ = true;
};

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

// Laps: written only when all of them fit.
Status SetLaps(RecordBuilder& b, const ResultFields& f, std::string_view list) {
  std::int64_t laps[kLapFields] = {};
  std::size_t count = 0;
  ListReader items(list);
  while (items.more()) {
    const std::int64_t lap_no = items.Number();
    const std::int64_t time = items.Number();
    if (lap_no >= 1 && static_cast<std::size_t>(lap_no) <= kLapFields) {
      laps[lap_no - 1] = time;
    }
    ++count;
  }
  if (!items.ok()) return Status::Error("unreadable lap list");
  if (count <= kLapFields) {
    for (std::size_t k = 0; k < count; ++k) b.set_digits(f.lap, laps[k], k);
  }
  return b.status();
}

Status SetCorners(RecordBuilder& b, const ResultFields& f, std::string_view list) {
  ListReader items(list);
  while (items.more()) {
    const auto index = static_cast<std::size_t>(items.Number() - 1);
    const std::int64_t qualifier = items.Number();
    const std::int64_t position = items.Number();
    const std::string_view order = items.Text(static_cast<std::size_t>(items.Number()));
    if (!items.ok()) break;
    if (qualifier > 0) b.set_code(f.corner_kind, std::to_string(qualifier), index);
    b.set_digits(f.corner_position, position, index);
    b.set_text_utf8(f.corner_order, order, index);
  }
  if (!items.ok()) return Status::Error("unreadable passing-order list");
  return b.status();
}

// Payouts entry by entry; the win popularity only with one winner, since
// its bytes are the second winner's horse number.
Status SetPayouts(RecordBuilder& b, const ResultFields& f, std::string_view list) {
  int winners = 0;
  int win_popularity = 0;
  ListReader items(list);
  Status s;
  while (s.ok() && items.more()) {
    PayoutEntry e;
    e.pool = static_cast<int>(items.Number());
    e.seq = static_cast<int>(items.Number());
    e.first = static_cast<int>(items.Number());
    e.second = static_cast<int>(items.Number());
    e.amount = items.Number();
    e.popularity = static_cast<int>(items.Number());
    if (!items.ok()) break;
    if (e.pool == 1) {
      ++winners;
      if (e.seq == 1) win_popularity = e.popularity;
    }
    s = f.payouts.Set(b, e);
  }
  if (!items.ok()) return Status::Error("unreadable payout list");
  if (s.ok() && winners == 1 && win_popularity > 0) {
    b.set_digits(f.win_popularity, win_popularity);
  }
  return s.ok() ? b.status() : s;
}

}  // namespace

Status RenderResultRaces(Database& db, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(Sql());
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  static const ResultFields f;
  RenderedRecords out(f.layout);
  Status s;
  while (s.ok() && st.step()) {
    RecordBuilder b(out.Add(), out.layout());
    SetRaceFields(b, f, st);
    s = SetLaps(b, f, st.column_text(kLaps));
    if (s.ok()) s = SetCorners(b, f, st.column_text(kCorners));
    if (s.ok()) s = SetPayouts(b, f, st.column_text(kPayouts));
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
