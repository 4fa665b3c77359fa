// Reading the results records kept in result_record and the runner result
// records kept in runner_result_record.
#include "db/render/StoredResultRecords.h"

#include <string>

#include "db/layout/Layouts.h"

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

std::string StoredRunnerQuery(std::string_view from, std::string_view rest) {
  // CROSS JOIN: the runner rows lead, each record found by its key.
  std::string sql = "SELECT s.record FROM ";
  sql.append(from).append(
      " CROSS JOIN runner_result_record s ON s.race_date = ru.race_date AND s.place = ru.place "
      "AND s.race_no = ru.race_no AND s.horse_no = ru.horse_no ");
  return sql.append(rest);
}

Status AddStoredRunnerRows(Statement& st, RenderedRecords* records) {
  return EachRow(st, [&](const Statement& row) {
    const std::string_view record = row.column_blob(0);
    if (record.size() != records->layout().size()) {
      return Status::Corruption("a stored runner result record is damaged");
    }
    records->AddRendered(record.data(), 1);
    return Status::Ok();
  });
}

Status AddStoredRunners(Database& db, const RaceKey& race, RenderedRecords* records) {
  Statement& st = db.statement(
      "SELECT record FROM runner_result_record WHERE race_date = ?1 AND place = ?2 "
      "AND race_no = ?3 ORDER BY horse_no");
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return AddStoredRunnerRows(st, records);
}

Status ReadStoredRunners(Database& db, const RaceKey& race, void** buffer) {
  RenderedRecords records(ResultRunnerLayout());
  const Status s = AddStoredRunners(db, race, &records);
  return s.ok() ? records.Finish(buffer) : s;
}

Status ReadHorseResults(Database& db, std::string_view horse_code, int before, int limit,
                        void** buffer) {
  // A range of the runner table's own key (horse, date), each run's record
  // found by its race key.
  static const std::string sql = StoredRunnerQuery(
      "runner ru", "WHERE ru.horse_code = ?1 AND ru.race_date < ?2 ORDER BY ru.race_date DESC "
                   "LIMIT ?3");
  Statement& st = db.statement(sql);
  st.bind(1, horse_code).bind(2, before).bind(3, limit);
  RenderedRecords records(ResultRunnerLayout());
  const Status s = AddStoredRunnerRows(st, &records);
  return s.ok() ? records.Finish(buffer) : s;
}

}  // namespace ydb
