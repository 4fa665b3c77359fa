// Rendering the payouts of a race.
#include "db/render/PayoutRenderer.h"

#include <optional>

#include "db/layout/Layouts.h"
#include "db/render/PayoutFields.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {

Status RenderPayouts(Database& db, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(
      "SELECT pool, seq, first, second, amount FROM payout "
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  static const PayoutFields fields(PayoutLayout());
  static const Field& race_code = FieldOf(PayoutLayout(), "race_code");
  RenderedRecords out(PayoutLayout());
  std::optional<RecordBuilder> b;  // made with the first payout
  Status s;
  while (s.ok() && st.step()) {
    if (!b) {
      b.emplace(out.Add(), out.layout());
      b->set_code(race_code, race.code());
      fields.Zero(*b);
    }
    PayoutEntry e;
    e.pool = static_cast<int>(st.column_int(0));
    e.seq = static_cast<int>(st.column_int(1));
    e.first = static_cast<int>(st.column_int(2));
    e.second = static_cast<int>(st.column_int(3));
    e.amount = st.column_int(4);
    s = fields.Set(*b, e);
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
