// Rendering card runners: the runner row with its meeting, horse, jockey
// and trainer, and the jockey of the horse's previous run, in one query.
#include "db/render/CardRunnerRenderer.h"

#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

enum Column : int {
  kPlace, kDate, kKai, kKaiDay, kRaceNo, kFrame, kHorseNo, kHorseCode, kHorseName, kSex, kAge,
  kBlinkers, kWeightCarried, kJockeyCode, kJockeyName, kJockeyShortName, kApprentice,
  kLastJockey, kTrainerCentre, kTrainerCode, kTrainerShortName, kTrainerPlace,
  kPredictionMark, kTrainingMarks, kBodyWeight, kWeightChange,
};

// The previous run is the horse's latest row before this race's date: one
// step back along the runner table's own key.
constexpr const char* kSql =
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
  const Field& small_number = FieldOf(layout, "small_number");
  const Field& training_marks = FieldOf(layout, "training_marks");
  const Field& body_weight = FieldOf(layout, "body_weight");
  const Field& body_weight_change = FieldOf(layout, "body_weight_change");
};

void SetRunner(RecordBuilder& b, const CardRunnerFields& f, const Statement& row) {
  // The race key in its old form: place, year, kai, day, race number.
  CodeFrom(b, f.place_code, row, kPlace);
  b.set_digits(f.year, row.column_int(kDate) / 10000);
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
  b.set_digits(f.digit, row.column_int(kTrainerCentre));  // 0 off the centres
  CodeFrom(b, f.trainer_code, row, kTrainerCode);
  TextFrom(b, f.trainer_name, row, kTrainerShortName);
  CodeFrom(b, f.stable_location, row, kTrainerPlace);
  CodeFrom(b, f.stable_affiliation, row, kTrainerCentre);
  DigitsFrom(b, f.small_number, row, kPredictionMark);
  CodeFrom(b, f.training_marks, row, kTrainingMarks);
  DigitsFrom(b, f.body_weight, row, kBodyWeight);
  SignedFrom(b, f.body_weight_change, row, kWeightChange);
}

}  // namespace

Status RenderCardRunners(Database& db, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(kSql);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  static const CardRunnerFields f;
  RenderedRecords out(f.layout);
  Status s;
  while (s.ok() && st.step()) {
    RecordBuilder b(out.Add(), out.layout());
    SetRunner(b, f, st);
    s = b.status();
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
