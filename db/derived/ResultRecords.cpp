// Rendering a racecourse day's results records into result_record.
#include "db/derived/ResultRecords.h"

#include <memory>

#include "db/base/RecordBuffer.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/ResultRaceRenderer.h"

namespace ydb {

Status ResultRecords::flush() {
  Status s;
  for (const auto& [date, place] : days_) {
    s = renderDay(date, place);
    if (!s.ok()) break;
  }
  discard();
  return s.Within("results records");
}

Status ResultRecords::fileEveryDay() {
  Statement& days = db_.statement("SELECT DISTINCT race_date, place FROM race WHERE has_result = 1");
  Status s = EachRow(days, [&](const Statement& row) {
    days_.insert({static_cast<int>(row.column_int(0)), std::string(row.column_text(1))});
    return Status::Ok();
  });
  return s.ok() ? flush() : s.Within("results records");
}

Status ResultRecords::renderDay(int date, const std::string& place) {
  Statement& clear = db_.statement("DELETE FROM result_record WHERE race_date = ?1 AND place = ?2");
  clear.bind(1, date).bind(2, place);
  Status s = clear.run();
  void* rendered = nullptr;
  if (s.ok()) s = RenderResultRaces(db_, RaceKey{place, date, 0}, &rendered);
  const std::unique_ptr<void, void (*)(void*)> owned(rendered, ReleaseRecords);
  if (!s.ok()) return s;

  const RecordLayout& layout = RaceResultLayout();
  const Field& code = FieldOf(layout, "race_code");
  const auto* records = static_cast<const unsigned char*>(rendered);
  Statement& put = db_.statement(
      "INSERT INTO result_record (race_date, place, race_no, record) VALUES (?1, ?2, ?3, ?4)");
  for (int i = 0; i < RecordCount(rendered) && s.ok(); ++i) {
    const unsigned char* record = records + static_cast<std::size_t>(i) * layout.size();
    // The race number is the last two digits of the race code.
    const unsigned char* number = record + code.offset + code.width - 2;
    put.bind(1, date).bind(2, place).bind(3, (number[0] - '0') * 10 + (number[1] - '0'));
    put.bind_blob(4, std::string_view(reinterpret_cast<const char*>(record), layout.size()));
    s = put.run();
    put.reset();
  }
  return s;
}

}  // namespace ydb
