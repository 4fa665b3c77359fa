// Rendering the forecast win odds of a race from the win pool of its
// pre-race odds set and its runners.
#include "db/render/ForecastOddsRenderer.h"

#include <cstddef>
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

Status Read(Statement& st, Forecast* f) {
  while (st.step()) {
    if (!st.column_is_null(kHorseNo)) {
      const std::int64_t n = st.column_int(kHorseNo);
      if (n < 1) continue;
      if (f->out.size() < static_cast<std::size_t>(n)) f->out.resize(static_cast<std::size_t>(n));
      f->out[static_cast<std::size_t>(n - 1)] = st.column_int(kNotStarted) != 0;
      continue;
    }
    f->found = true;
    f->runners = static_cast<int>(st.column_int(kRunners));
    if (st.column_is_null(kPacked)) continue;
    if (!odds_blob::Unpack(st.column_blob(kPacked), odds_blob::kWin, f->runners, &f->win)) {
      return Status::Corruption("forecast win odds do not fit a field of " +
                           std::to_string(f->runners));
    }
  }
  return st.status();
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
      const std::int32_t stored = i < f.win.size() ? f.win[i] : odds_blob::kNone;
      const bool valued = !f.out[i] && stored > 0;
      RecordBuilder b(out.Add(), layout);
      b.set_int(odds, valued ? stored : kNoForecastOdds);
      if (!b.status().ok()) return b.status();
    }
  }
  return out.Finish(buffer);
}

}  // namespace ydb
