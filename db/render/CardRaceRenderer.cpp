// Rendering race cards: the shared race fields, the card's own form of the
// reference times, the expected times and the number of nominations.
#include "db/render/CardRaceRenderer.h"

#include <string>

#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/RaceHeader.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

enum Column : int {
  kForecastTime = kRaceHeaderColumnCount,
  kForecastLast600,
  kNominationCount,
};

const std::string& Sql(CardRaces which) {
  static const std::string nominations =
      "FROM nomination n WHERE n.race_date = r.race_date AND n.place = r.place "
      "AND n.race_no = r.race_no";
  static const std::string select =
      std::string("SELECT ") + kRaceHeaderColumns + ", r.forecast_time, r.forecast_last_600, " +
      "(SELECT count(*) " + nominations + ") FROM " + kRaceHeaderFrom +
      " WHERE r.race_date = ?1 AND r.place = ?2 AND (?3 = 0 OR r.race_no = ?3) AND ";
  static const std::string drawn = select + "r.runner_count > 0 ORDER BY r.race_no";
  static const std::string nominated =
      select + "EXISTS (SELECT 1 " + nominations + ") ORDER BY r.race_no";
  return which == CardRaces::kDrawn ? drawn : nominated;
}

// The card's fields, found once.
struct CardFields {
  const RecordLayout& layout = RaceCardLayout();
  RaceHeaderFields header{layout};
  const Field& first_ref_kind = FieldOf(layout, "first_ref_kind");
  const Field& later_ref_time = FieldOf(layout, "later_ref_time");
  const Field& later_ref_weight_tenths = FieldOf(layout, "later_ref_weight_tenths");
  const Field& time_1 = FieldOf(layout, "time_1");
  const Field& time_2 = FieldOf(layout, "time_2");
  const Field& nomination_count = FieldOf(layout, "nomination_count");
};

// The reference-time fields only the card has: the first slot's kind, and
// the times and weight tenths of the second and third slots.
void SetCardReferenceTimes(RecordBuilder& b, const CardFields& f, const Statement& row) {
  CodeFrom(b, f.first_ref_kind, row, ReferenceColumn(0, kRefKind));
  for (int slot = 1; slot <= 2; ++slot) {
    if (row.column_is_null(ReferenceColumn(slot, kRefDate))) continue;
    const auto index = static_cast<std::size_t>(slot - 1);
    const std::int64_t time = row.column_int(ReferenceColumn(slot, kRefTime));
    b.set_digits(f.later_ref_time, MinutesSecondsTenths(time), index);
    b.set_digits(f.later_ref_weight_tenths,
                 row.column_int(ReferenceColumn(slot, kRefWeightCarried)) % 10, index);
  }
}

}  // namespace

Status RenderCardRaces(Database& db, const RaceKey& race, CardRaces which, void** buffer) {
  Statement& st = db.statement(Sql(which));
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);

  static const CardFields f;
  return RenderEachRow(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetRaceHeader(b, f.header, row);
    SetCardReferenceTimes(b, f, row);
    if (!row.column_is_null(kForecastTime)) {
      b.set_digits(f.time_1, MinutesSecondsTenths(row.column_int(kForecastTime)));
    }
    if (!row.column_is_null(kForecastLast600)) {
      b.set_digits(f.time_2, MinutesSecondsTenths(row.column_int(kForecastLast600)));
    }
    DigitsFrom(b, f.nomination_count, row, kNominationCount);
  });
}

}  // namespace ydb
