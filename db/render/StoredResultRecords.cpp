// Reading the results records kept in result_record.
#include "db/render/StoredResultRecords.h"

#include <string>

#include "db/layout/Layouts.h"
#include "db/render/RenderedRecords.h"

namespace ydb {

Status ReadResultRecords(Database& db, const RaceKey& race, void** buffer) {
  // Two texts, so that each is one range of the primary key.
  Statement& st = db.statement(
      race.number != 0
          ? "SELECT record FROM result_record WHERE race_date = ?1 AND place = ?2 AND race_no = ?3"
          : "SELECT record FROM result_record WHERE race_date = ?1 AND place = ?2 AND ?3 = 0 "
            "ORDER BY race_no");
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  RenderedRecords out(RaceResultLayout());
  Status s = EachRow(st, [&](const Statement& row) {
    const std::string_view record = row.column_blob(0);
    if (record.size() != out.layout().size()) {
      return Status::Corruption("the stored results record of " + race.code() + " is damaged");
    }
    out.AddRendered(record.data(), 1);
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
