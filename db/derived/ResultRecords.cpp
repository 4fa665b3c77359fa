// Rendering a racecourse day's results records into result_record and its
// runner result records into runner_result_record.
#include "db/derived/ResultRecords.h"

#include <memory>

#include "db/base/RecordBuffer.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/ResultRaceRenderer.h"
#include "db/render/ResultRunnerRenderer.h"

namespace ydb {

Status ResultRecords::flush() {
  Status s;
  // An entity new to the store has no runs yet.
  for (const auto& [entity, before] : shown_) {
    if (before.empty()) continue;
    std::string now;
    s = shown(entity, &now);
    if (s.ok() && now != before) s = touchRunsOf(entity);
    if (!s.ok()) break;
  }
  for (const auto& [date, place] : days_) {
    if (!s.ok()) break;
    s = renderDay(date, place);
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

Status ResultRecords::shown(const Entity& entity, std::string* text) {
  text->clear();
  Statement& st = db_.statement(ShownFieldsQuery(entity.first));
  st.bind(1, entity.second);
  return EachRow(st, [&](const Statement& row) {
    *text = row.column_text(0);
    return Status::Ok();
  });
}

Status ResultRecords::willChange(Shown whose, const std::string& code) {
  const Entity entity{whose, code};
  if (shown_.count(entity) > 0) return Status::Ok();
  std::string text;
  const Status s = shown(entity, &text);
  if (s.ok()) shown_.emplace(entity, std::move(text));
  return s;
}

Status ResultRecords::touchRunsOf(const Entity& entity) {
  // A horse's runs are a range of the runner table's key; a jockey's and a
  // trainer's come through runner_by_jockey and runner_by_trainer.
  static const char* const kDays[] = {
      "SELECT DISTINCT race_date, place FROM runner WHERE horse_code = ?1",
      "SELECT DISTINCT race_date, place FROM runner WHERE jockey_code = ?1",
      "SELECT DISTINCT race_date, place FROM runner WHERE trainer_code = ?1",
  };
  Statement& days = db_.statement(kDays[static_cast<int>(entity.first)]);
  days.bind(1, entity.second);
  return EachRow(days, [&](const Statement& row) {
    days_.insert({static_cast<int>(row.column_int(0)), std::string(row.column_text(1))});
    return Status::Ok();
  });
}

namespace {

// The two digits of a record's field that ends in them, as a number.
int TwoDigits(const unsigned char* record, const Field& field) {
  const unsigned char* digits = record + field.offset + field.width - 2;
  return (digits[0] - '0') * 10 + (digits[1] - '0');
}

// Replaces the stored records of `table` for the day with `rendered`, each
// keyed by the race number that ends its race code (and, with a horse
// number field, by that).
Status Store(Database& db, const char* clear_sql, const char* put_sql, int date,
             const std::string& place, const void* rendered, const RecordLayout& layout,
             const Field* horse_number) {
  Statement& clear = db.statement(clear_sql);
  clear.bind(1, date).bind(2, place);
  Status s = clear.run();
  const Field& code = FieldOf(layout, "race_code");
  const auto* records = static_cast<const unsigned char*>(rendered);
  Statement& put = db.statement(put_sql);
  for (int i = 0; i < RecordCount(rendered) && s.ok(); ++i) {
    const unsigned char* record = records + static_cast<std::size_t>(i) * layout.size();
    put.bind(1, date).bind(2, place).bind(3, TwoDigits(record, code));
    if (horse_number != nullptr) put.bind(5, TwoDigits(record, *horse_number));
    put.bind_blob(4, std::string_view(reinterpret_cast<const char*>(record), layout.size()));
    s = put.run();
    put.reset();
  }
  return s;
}

}  // namespace

Status ResultRecords::renderDay(int date, const std::string& place) {
  const RaceKey day{place, date, 0};
  void* races = nullptr;
  Status s = RenderResultRaces(db_, day, &races);
  const std::unique_ptr<void, void (*)(void*)> owned_races(races, ReleaseRecords);
  void* runners = nullptr;
  if (s.ok()) s = RenderResultRunners(db_, day, &runners);
  const std::unique_ptr<void, void (*)(void*)> owned_runners(runners, ReleaseRecords);
  if (s.ok()) {
    s = Store(db_, "DELETE FROM result_record WHERE race_date = ?1 AND place = ?2",
              "INSERT INTO result_record (race_date, place, race_no, record) "
              "VALUES (?1, ?2, ?3, ?4)",
              date, place, races, RaceResultLayout(), nullptr);
  }
  if (s.ok()) {
    static const Field& horse_number = FieldOf(ResultRunnerLayout(), "horse_number");
    s = Store(db_, "DELETE FROM runner_result_record WHERE race_date = ?1 AND place = ?2",
              "INSERT INTO runner_result_record (race_date, place, race_no, record, horse_no) "
              "VALUES (?1, ?2, ?3, ?4, ?5)",
              date, place, runners, ResultRunnerLayout(), &horse_number);
  }
  return s;
}

}  // namespace ydb
