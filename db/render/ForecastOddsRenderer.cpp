// Rendering the forecast win odds of a race, or of every run race of a
// range of dates, from the win pool of the pre-race odds set and the
// runners.
#include "db/render/ForecastOddsRenderer.h"

#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "db/store/OddsBlob.h"

namespace ydb {
namespace {

// One query: the pre-race set's row with its win pool (none when the set
// has no win odds), then one row per runner (its number and whether it did
// not start).
constexpr const char* kSql =
    "SELECT s.runners, o.packed, NULL, NULL "
    "FROM odds_set s LEFT JOIN odds o ON o.race_date = s.race_date AND o.place = s.place "
    "AND o.race_no = s.race_no AND o.final = s.final AND o.pool = 1 "
    "WHERE s.race_date = ?1 AND s.place = ?2 AND s.race_no = ?3 AND s.final = 0 "
    "UNION ALL "
    "SELECT NULL, NULL, horse_no, accident_code IN ('34', '35') "
    "FROM runner WHERE race_date = ?1 AND place = ?2 AND race_no = ?3";

enum Column : int { kRunners, kPacked, kHorseNo, kNotStarted };

struct Forecast {
  bool found = false;              // the race has a pre-race odds set
  int runners = 0;                 // the field the odds were made for
  std::vector<std::int32_t> win;   // by horse number - 1; empty: no win odds
  std::vector<bool> out;           // by horse number - 1: did not start
};

// Takes a runner's row: its horse number and whether it did not start.
void AddRunner(const Statement& row, int horse_no, int not_started, Forecast* f) {
  const std::int64_t n = row.column_int(horse_no);
  if (n < 1) return;
  if (f->out.size() < static_cast<std::size_t>(n)) f->out.resize(static_cast<std::size_t>(n));
  f->out[static_cast<std::size_t>(n - 1)] = row.column_int(not_started) != 0;
}

// Takes the pre-race set's row: its field and its win pool, if any.
Status AddSet(const Statement& row, int runners, int packed, Forecast* f) {
  f->found = true;
  f->runners = static_cast<int>(row.column_int(runners));
  if (row.column_is_null(packed)) return Status::Ok();
  if (!odds_blob::Unpack(row.column_blob(packed), odds_blob::kWin, f->runners, &f->win)) {
    return Status::Corruption("forecast win odds do not fit a field of " +
                              std::to_string(f->runners));
  }
  return Status::Ok();
}

Status Read(Statement& st, Forecast* f) {
  while (st.step()) {
    if (!st.column_is_null(kHorseNo)) {
      AddRunner(st, kHorseNo, kNotStarted, f);
      continue;
    }
    const Status s = AddSet(st, kRunners, kPacked, f);
    if (!s.ok()) return s;
  }
  return st.status();
}

// The odds of horse numbers 1 to the highest of the race's: the stored
// win odds of a horse that started, else kNoForecastOdds.
std::int32_t OddsOf(const Forecast& f, std::size_t i) {
  const std::int32_t stored = i < f.win.size() ? f.win[i] : odds_blob::kNone;
  return !f.out[i] && stored > 0 ? stored : kNoForecastOdds;
}

// The pre-race sets of the run races of a range, with their win pools, and
// the runners of those races (from the index of their entries), both in
// race order.
constexpr const char* kRangeSetSql =
    "SELECT r.place, r.race_date, r.race_no, s.runners, o.packed "
    "FROM race r JOIN odds_set s ON s.race_date = r.race_date AND s.place = r.place "
    "AND s.race_no = r.race_no AND s.final = 0 "
    "LEFT JOIN odds o ON o.race_date = s.race_date AND o.place = s.place "
    "AND o.race_no = s.race_no AND o.final = s.final AND o.pool = 1 "
    "WHERE r.race_date BETWEEN ?1 AND ?2 AND r.has_result = 1 "
    "ORDER BY r.race_date, r.place, r.race_no";
constexpr const char* kRangeRunnerSql =
    "SELECT ru.place, ru.race_date, ru.race_no, ru.horse_no, ru.accident_code IN ('34', '35') "
    "FROM race r JOIN runner ru "
    "ON ru.race_date = r.race_date AND ru.place = r.place AND ru.race_no = r.race_no "
    "WHERE r.race_date BETWEEN ?1 AND ?2 AND r.has_result = 1 AND ru.horse_no > 0 "
    "ORDER BY r.race_date, r.place, r.race_no, ru.horse_no";

// The columns of both range queries: the race, then the set's field and
// win pool, or the runner's number and whether it did not start.
enum RangeColumn : int { kRangePlace, kRangeDate, kRangeRaceNo, kRangeFirst, kRangeSecond };

// A race's place in race order: date, racecourse, race number.
using RaceOrder = std::tuple<int, std::string, int>;
RaceOrder OrderOf(const Statement& row) {
  return {static_cast<int>(row.column_int(kRangeDate)), std::string(row.column_text(kRangePlace)),
          static_cast<int>(row.column_int(kRangeRaceNo))};
}

std::string CodeOf(const RaceOrder& order) {
  RaceKey key;
  key.date = std::get<0>(order);
  key.place = std::get<1>(order);
  key.number = std::get<2>(order);
  return key.code();
}

}  // namespace

Status RenderForecastWinOdds(Database& db, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(kSql);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  Forecast f;
  Status s = Read(st, &f);
  st.reset();
  if (!s.ok()) return s;

  static const RecordLayout& layout = ForecastWinOddsLayout();
  static const Field& odds = FieldOf(layout, "odds");
  RenderedRecords out(layout);
  if (f.found) {
    out.Reserve(f.out.size());
    for (std::size_t i = 0; i < f.out.size(); ++i) {
      RecordBuilder b(out.Add(), layout);
      b.set_int(odds, OddsOf(f, i));
      if (!b.status().ok()) return b.status();
    }
  }
  return out.Finish(buffer);
}

Status RenderForecastWinOddsBetween(Database& db, int first, int last, void** buffer) {
  struct RaceForecast {
    RaceOrder order;
    Forecast forecast;
  };
  std::vector<RaceForecast> races;
  Statement& sets = db.statement(kRangeSetSql);
  sets.bind(1, first).bind(2, last);
  Status s = EachRow(sets, [&](const Statement& row) {
    races.push_back(RaceForecast{OrderOf(row), Forecast{}});
    return AddSet(row, kRangeFirst, kRangeSecond, &races.back().forecast);
  });
  if (!s.ok()) return s;

  // The runners come in the sets' order; those of a race without a set
  // are passed over.
  std::size_t at = 0;
  Statement& runners = db.statement(kRangeRunnerSql);
  runners.bind(1, first).bind(2, last);
  s = EachRow(runners, [&](const Statement& row) {
    const auto order = OrderOf(row);
    while (at < races.size() && races[at].order < order) ++at;
    if (at < races.size() && races[at].order == order) {
      AddRunner(row, kRangeFirst, kRangeSecond, &races[at].forecast);
    }
    return Status::Ok();
  });
  if (!s.ok()) return s;

  static const RecordLayout& layout = ForecastWinOddsRaceLayout();
  static const Field& race_code = FieldOf(layout, "race_code");
  static const Field& horse_count = FieldOf(layout, "horse_count");
  static const Field& odds = FieldOf(layout, "odds");
  RenderedRecords out(layout);
  out.Reserve(races.size());
  for (const RaceForecast& race : races) {
    const Forecast& f = race.forecast;
    if (f.out.size() > odds.count) {
      return Status::Corruption("race " + CodeOf(race.order) + " has more horse numbers than " +
                                std::to_string(odds.count));
    }
    RecordBuilder b(out.Add(), layout);
    b.set_code(race_code, CodeOf(race.order));
    b.set_digits(horse_count, static_cast<std::int64_t>(f.out.size()));
    for (std::size_t i = 0; i < f.out.size(); ++i) b.set_int(odds, OddsOf(f, i), i);
    if (!b.status().ok()) return b.status();
  }
  return out.Finish(buffer);
}

}  // namespace ydb
