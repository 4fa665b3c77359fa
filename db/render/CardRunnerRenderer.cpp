// Rendering card runners: the runner row with its meeting, horse, jockey
// and trainer, and the jockey of the horse's previous run, in one query.
// Nominations and the entries of the user's cards are rendered by the same
// routine from queries that answer the same columns.
#include "db/render/CardRunnerRenderer.h"

#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

// The columns every query below answers, in this order.
enum Column : int {
  kPlace, kDate, kKai, kKaiDay, kRaceNo, kFrame, kHorseNo, kHorseCode, kHorseName, kSex, kAge,
  kBlinkers, kWeightCarried, kJockeyCode, kJockeyName, kJockeyShortName, kApprentice,
  kLastJockey, kTrainerCentre, kTrainerCode, kTrainerShortName, kTrainerPlace,
  kPredictionMark, kTrainingMarks, kBodyWeight, kWeightChange,
};

// The previous run is the horse's latest row before this race's date: one
// step back along the runner table's own key.
constexpr const char* kCardSql =
    "SELECT ru.place, ru.race_date, m.kai, m.kai_day, ru.race_no, ru.frame_no, ru.horse_no, "
    "ru.horse_code, h.name, ru.sex, ru.age, ru.blinkers, ru.weight_carried, ru.jockey_code, "
    "j.name, j.short_name, ru.apprentice_code, "
    "(SELECT p.jockey_code FROM runner p WHERE p.horse_code = ru.horse_code "
    "AND p.race_date < ru.race_date ORDER BY p.race_date DESC LIMIT 1), "
    "t.centre, ru.trainer_code, t.short_name, t.location_place, ru.prediction_mark, "
    "ru.training_marks, ru.body_weight, ru.weight_change "
    "FROM runner ru "
    "JOIN meeting m ON m.race_date = ru.race_date AND m.place = ru.place "
    "JOIN horse h ON h.code = ru.horse_code "
    "JOIN trainer t ON t.code = ru.trainer_code "
    "LEFT JOIN jockey j ON j.code = ru.jockey_code "
    "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3 "
    "ORDER BY ru.horse_no";

// A nominated horse's age, and an entered horse's, is the racing year less
// its year of birth, when that is an age a runner can have.
constexpr const char* kNominationSql =
    "SELECT n.place, n.race_date, m.kai, m.kai_day, n.race_no, NULL, NULL, n.horse_code, h.name, "
    "h.sex, CASE WHEN n.race_date / 10000 - h.birth_date / 10000 BETWEEN 1 AND 99 "
    "THEN n.race_date / 10000 - h.birth_date / 10000 END, 0, n.weight_carried, n.jockey_code, j.name, "
    "j.short_name, NULL, "
    "(SELECT p.jockey_code FROM runner p WHERE p.horse_code = n.horse_code "
    "AND p.race_date < n.race_date ORDER BY p.race_date DESC LIMIT 1), "
    "t.centre, n.trainer_code, t.short_name, t.location_place, n.prediction_mark, "
    "n.training_marks, NULL, NULL "
    "FROM nomination n "
    "JOIN meeting m ON m.race_date = n.race_date AND m.place = n.place "
    "JOIN horse h ON h.code = n.horse_code "
    "JOIN trainer t ON t.code = n.trainer_code "
    "LEFT JOIN jockey j ON j.code = n.jockey_code "
    "WHERE n.race_date = ?1 AND n.place = ?2 AND n.race_no = ?3 "
    "ORDER BY n.entry_no";

// The entry's own fields are bound; the horse's trainer is its current one.
constexpr const char* kEntrySql =
    "SELECT ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, h.name, h.sex, "
    "CASE WHEN ?2 / 10000 - h.birth_date / 10000 BETWEEN 1 AND 99 "
    "THEN ?2 / 10000 - h.birth_date / 10000 END, 0, ?9, ?10, "
    "j.name, j.short_name, NULL, "
    "(SELECT p.jockey_code FROM runner p WHERE p.horse_code = ?8 "
    "AND p.race_date < ?2 ORDER BY p.race_date DESC LIMIT 1), "
    "t.centre, h.trainer_code, t.short_name, t.location_place, NULL, NULL, NULL, NULL "
    "FROM (SELECT 1) "
    "LEFT JOIN horse h ON h.code = ?8 "
    "LEFT JOIN jockey j ON j.code = ?10 "
    "LEFT JOIN trainer t ON t.code = h.trainer_code";

// The card runner record's fields, found once.
struct CardRunnerFields {
  const RecordLayout& layout = CardRunnerLayout();
  const Field& place_code = FieldOf(layout, "place_code");
  const Field& year = FieldOf(layout, "year");
  const Field& kai = FieldOf(layout, "kai");
  const Field& day = FieldOf(layout, "day");
  const Field& race_number = FieldOf(layout, "race_number");
  const Field& bracket_number = FieldOf(layout, "bracket_number");
  const Field& horse_number = FieldOf(layout, "horse_number");
  const Field& horse_code = FieldOf(layout, "horse_code");
  const Field& horse_name = FieldOf(layout, "horse_name");
  const Field& sex = FieldOf(layout, "sex");
  const Field& age = FieldOf(layout, "age");
  const Field& entry_code = FieldOf(layout, "entry_code");
  const Field& weight_carried = FieldOf(layout, "weight_carried");
  const Field& jockey_code = FieldOf(layout, "jockey_code");
  const Field& jockey_text = FieldOf(layout, "jockey_text");
  const Field& jockey_name = FieldOf(layout, "jockey_name");
  const Field& jockey_code_byte = FieldOf(layout, "jockey_code_byte");
  const Field& five_char_code = FieldOf(layout, "five_char_code");
  const Field& digit = FieldOf(layout, "digit");
  const Field& trainer_code = FieldOf(layout, "trainer_code");
  const Field& trainer_name = FieldOf(layout, "trainer_name");
  const Field& stable_location = FieldOf(layout, "stable_location");
  const Field& stable_affiliation = FieldOf(layout, "stable_affiliation");
  const Field& training_marks = FieldOf(layout, "training_marks");
  const Field& body_weight = FieldOf(layout, "body_weight");
  const Field& body_weight_change = FieldOf(layout, "body_weight_change");
  const Field& prediction_mark = FieldOf(layout, "prediction_mark");
  const Field& card_line_prediction_mark = FieldOf(layout, "card_line_prediction_mark");
};

const CardRunnerFields& Fields() {
  static const CardRunnerFields f;
  return f;
}

void SetRunner(RecordBuilder& b, const CardRunnerFields& f, const Statement& row) {
  // The race key in its old form: place, year, kai, day, race number.
  CodeFrom(b, f.place_code, row, kPlace);
  if (!row.column_is_null(kDate)) b.set_digits(f.year, row.column_int(kDate) / 10000);
  DigitsFrom(b, f.kai, row, kKai);
  DigitsFrom(b, f.day, row, kKaiDay);
  DigitsFrom(b, f.race_number, row, kRaceNo);

  DigitsFrom(b, f.bracket_number, row, kFrame);
  DigitsFrom(b, f.horse_number, row, kHorseNo);
  CodeFrom(b, f.horse_code, row, kHorseCode);
  TextFrom(b, f.horse_name, row, kHorseName);
  CodeFrom(b, f.sex, row, kSex);
  DigitsFrom(b, f.age, row, kAge);
  if (row.column_int(kBlinkers) != 0) b.set_code(f.entry_code, "1");
  DigitsFrom(b, f.weight_carried, row, kWeightCarried);
  CodeFrom(b, f.jockey_code, row, kJockeyCode);
  TextFrom(b, f.jockey_text, row, kJockeyName);
  TextFrom(b, f.jockey_name, row, kJockeyShortName);
  CodeFrom(b, f.jockey_code_byte, row, kApprentice);
  const std::string_view last_jockey = row.column_text(kLastJockey);
  if (!last_jockey.empty() && !row.column_is_null(kJockeyCode) &&
      last_jockey != row.column_text(kJockeyCode)) {
    b.set_code(f.five_char_code, last_jockey);
  }
  if (!row.column_is_null(kTrainerCode)) {
    b.set_digits(f.digit, row.column_int(kTrainerCentre));  // 0 off the centres
  }
  CodeFrom(b, f.trainer_code, row, kTrainerCode);
  TextFrom(b, f.trainer_name, row, kTrainerShortName);
  CodeFrom(b, f.stable_location, row, kTrainerPlace);
  CodeFrom(b, f.stable_affiliation, row, kTrainerCentre);
  // The prediction mark twice: where the runner line reads it, and inside
  // the bytes the card line carries.
  DigitsFrom(b, f.prediction_mark, row, kPredictionMark);
  DigitsFrom(b, f.card_line_prediction_mark, row, kPredictionMark);
  CodeFrom(b, f.training_marks, row, kTrainingMarks);
  DigitsFrom(b, f.body_weight, row, kBodyWeight);
  SignedFrom(b, f.body_weight_change, row, kWeightChange);
}

// Every row of `sql` for `race`, one record each.
Status RenderRunners(Database& db, const char* sql, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(sql);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  const CardRunnerFields& f = Fields();
  return RenderEachRow(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetRunner(b, f, row);
  });
}

void BindOptional(Statement& st, int index, const std::optional<int>& value) {
  if (value) {
    st.bind(index, *value);
  } else {
    st.bind_null(index);
  }
}

void BindCode(Statement& st, int index, const std::string& code) {
  if (code.empty()) {
    st.bind_null(index);
  } else {
    st.bind(index, code);
  }
}

}  // namespace

Status RenderCardRunners(Database& db, const RaceKey& race, void** buffer) {
  return RenderRunners(db, kCardSql, race, buffer);
}

Status RenderNominations(Database& db, const RaceKey& race, void** buffer) {
  return RenderRunners(db, kNominationSql, race, buffer);
}

Status RenderCardEntry(Database& db, const CardEntry& entry, void* record) {
  Statement& st = db.statement(kEntrySql);
  BindCode(st, 1, entry.place);
  BindOptional(st, 2, entry.date);
  BindOptional(st, 3, entry.kai);
  BindOptional(st, 4, entry.kai_day);
  BindOptional(st, 5, entry.race_number);
  BindOptional(st, 6, entry.bracket);
  BindOptional(st, 7, entry.horse_number);
  BindCode(st, 8, entry.horse_code);
  BindOptional(st, 9, entry.weight_carried);
  BindCode(st, 10, entry.jockey_code);
  const CardRunnerFields& f = Fields();
  RecordBuilder b(record, f.layout);
  Status s;
  if (st.step()) {
    SetRunner(b, f, st);
    s = b.status();
  }
  if (s.ok()) s = st.status();
  st.reset();
  return s;
}

}  // namespace ydb
