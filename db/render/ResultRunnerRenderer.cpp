// Rendering runner results: the runner row with its race, meeting, horse,
// jockey, trainer and the two ancestors the record names, in one query.
#include "db/render/ResultRunnerRenderer.h"

#include <string>
#include <string_view>

#include "db/layout/Layouts.h"
#include "db/render/AncestorName.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

// The record's form of "no margin".
constexpr int kNoMargin = 998;

enum Column : int {
  kPlace, kDate, kRaceNo,  // the race code
  kKai, kKaiDay, kGrade, kRaceKind, kClassCode, kTrack, kDirection, kInnerOuter, kDistance,
  kRunnerCount, kPace, kGoing,
  kFrame, kHorseNo, kPostNo, kHorseCode, kHorseName, kSex, kAge, kWeightCarried, kBodyWeight,
  kWeightChange, kJockeyCode, kJockeyName, kTrainerCentre, kTrainerCode, kTrainerShortName,
  kTrainerPlace, kPopularity, kWinOdds, kFinishPos, kAccident, kArrivalOrder, kTime,
  kMarginLengths, kMarginCode, kMarginTime, kFirst600, kLast600,
  kCorner,  // four columns
  kStraightPath = kCorner + 4,
  kTrainerName, kSireCode, kSireName, kDamsSireCode, kDamsSireName,
  kPredictionMark, kTrainingMarks,
};

// The columns above, from a runner row `ru` and what it refers to.
constexpr const char* kColumns =
    "SELECT ru.place, ru.race_date, ru.race_no, m.kai, m.kai_day, r.grade, r.race_kind, "
    "r.class_code, r.track_code, r.direction, r.inner_outer, r.distance, r.runner_count, r.pace, "
    "r.going, ru.frame_no, ru.horse_no, ru.post_no, ru.horse_code, h.name, ru.sex, ru.age, "
    "ru.weight_carried, ru.body_weight, ru.weight_change, ru.jockey_code, j.short_name, t.centre, "
    "ru.trainer_code, t.short_name, t.location_place, ru.popularity, ru.win_odds, ru.finish_pos, "
    "ru.accident_code, ru.arrival_order, ru.time, ru.margin_lengths, ru.margin_code, "
    "ru.margin_time, ru.first_600, ru.last_600, ru.corner_1, ru.corner_2, ru.corner_3, "
    "ru.corner_4, ru.straight_path, t.name, ru.sire_code, " YDB_ANCESTOR_NAME("p1") ", ru.bms_code, "
    YDB_ANCESTOR_NAME("p5") ", "
    "ru.prediction_mark, ru.training_marks ";

constexpr const char* kJoins =
    "JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no "
    "JOIN meeting m ON m.race_date = ru.race_date AND m.place = ru.place "
    "JOIN horse h ON h.code = ru.horse_code "
    "JOIN trainer t ON t.code = ru.trainer_code "
    "LEFT JOIN jockey j ON j.code = ru.jockey_code "
    "LEFT JOIN pedigree p1 ON p1.horse_code = ru.horse_code AND p1.position = 1 "
    "LEFT JOIN pedigree p5 ON p5.horse_code = ru.horse_code AND p5.position = 5 ";

// What kColumns reads of each, by Shown.
constexpr const char* kShownFields[] = {
    "SELECT quote(h.name) || quote(p1.ancestor_code) || quote(" YDB_ANCESTOR_NAME("p1") ") || "
    "quote(p5.ancestor_code) || quote(" YDB_ANCESTOR_NAME("p5") ") FROM horse h "
    "LEFT JOIN pedigree p1 ON p1.horse_code = h.code AND p1.position = 1 "
    "LEFT JOIN pedigree p5 ON p5.horse_code = h.code AND p5.position = 5 WHERE h.code = ?1",
    "SELECT quote(short_name) FROM jockey WHERE code = ?1",
    "SELECT quote(centre) || quote(short_name) || quote(location_place) || quote(name) "
    "FROM trainer WHERE code = ?1",
};

// The runners of one race, or (race number 0) of every run race of its
// racecourse and day, race by race; two texts, so that each is one range of
// runner_by_race.
const std::string& RaceSql(bool one_race) {
  static const std::string from = std::string(kColumns) + "FROM runner ru " + kJoins;
  static const std::string race = from +
      "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3 AND r.has_result = 1 "
      "ORDER BY ru.horse_no";
  static const std::string day = from +
      "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ?3 = 0 AND r.has_result = 1 "
      "ORDER BY ru.race_no, ru.horse_no";
  return one_race ? race : day;
}

// The runner result record's fields, found once.
struct ResultRunnerFields {
  const RecordLayout& layout = ResultRunnerLayout();
  const Field& race_code = FieldOf(layout, "race_code");
  const Field& year = FieldOf(layout, "year");
  const Field& kai = FieldOf(layout, "kai");
  const Field& day = FieldOf(layout, "day");
  const Field& grade = FieldOf(layout, "grade");
  const Field& race_kind = FieldOf(layout, "race_kind");
  const Field& conditions = FieldOf(layout, "conditions");
  const Field& track = FieldOf(layout, "track");
  const Field& direction = FieldOf(layout, "direction");
  const Field& inner_outer = FieldOf(layout, "inner_outer");
  const Field& distance = FieldOf(layout, "distance");
  const Field& runner_count = FieldOf(layout, "runner_count");
  const Field& pace = FieldOf(layout, "pace");
  const Field& going = FieldOf(layout, "going");
  const Field& bracket_number = FieldOf(layout, "bracket_number");
  const Field& horse_number = FieldOf(layout, "horse_number");
  const Field& post_number = FieldOf(layout, "post_number");
  const Field& horse_code = FieldOf(layout, "horse_code");
  const Field& horse_name = FieldOf(layout, "horse_name");
  const Field& sex = FieldOf(layout, "sex");
  const Field& age = FieldOf(layout, "age");
  const Field& weight_carried = FieldOf(layout, "weight_carried");
  const Field& body_weight = FieldOf(layout, "body_weight");
  const Field& body_weight_change = FieldOf(layout, "body_weight_change");
  const Field& jockey_code = FieldOf(layout, "jockey_code");
  const Field& jockey_name = FieldOf(layout, "jockey_name");
  const Field& digit = FieldOf(layout, "digit");
  const Field& trainer_code = FieldOf(layout, "trainer_code");
  const Field& trainer_name = FieldOf(layout, "trainer_name");
  const Field& stable_location = FieldOf(layout, "stable_location");
  const Field& stable_affiliation = FieldOf(layout, "stable_affiliation");
  const Field& stable_text = FieldOf(layout, "stable_text");
  const Field& sire_code = FieldOf(layout, "sire_code");
  const Field& sire_name = FieldOf(layout, "sire_name");
  const Field& dams_sire_code = FieldOf(layout, "dams_sire_code");
  const Field& dams_sire_name = FieldOf(layout, "dams_sire_name");
  const Field& prediction_mark = FieldOf(layout, "prediction_mark");
  const Field& training_mark = FieldOf(layout, "training_mark");
  const Field& popularity = FieldOf(layout, "popularity");
  const Field& win_odds = FieldOf(layout, "win_odds");
  const Field& finishing_order = FieldOf(layout, "finishing_order");
  const Field& accident = FieldOf(layout, "accident");
  const Field& arrival_order = FieldOf(layout, "arrival_order");
  const Field& result_number_3 = FieldOf(layout, "result_number_3");
  const Field& margin_lengths = FieldOf(layout, "margin_lengths");
  const Field& margin_code = FieldOf(layout, "margin_code");
  const Field& margin = FieldOf(layout, "margin");
  const Field& result_number_a = FieldOf(layout, "result_number_a");
  const Field& result_number_b = FieldOf(layout, "result_number_b");
  const Field& result_number_4 = FieldOf(layout, "result_number_4");
  const Field& corner_position = FieldOf(layout, "corner_position");
  const Field& position_code = FieldOf(layout, "position_code");
};

void SetRace(RecordBuilder& b, const ResultRunnerFields& f, const Statement& row) {
  RaceCodeFrom(b, f.race_code, row, kPlace);
  b.set_digits(f.year, row.column_int(kDate) / 10000);
  DigitsFrom(b, f.kai, row, kKai);
  DigitsFrom(b, f.day, row, kKaiDay);
  CodeFrom(b, f.grade, row, kGrade);
  CodeFrom(b, f.race_kind, row, kRaceKind);
  ClassCodeFrom(b, f.conditions, row, kClassCode);
  CodeFrom(b, f.track, row, kTrack);
  CodeFrom(b, f.direction, row, kDirection);
  CodeFrom(b, f.inner_outer, row, kInnerOuter);
  DigitsFrom(b, f.distance, row, kDistance);
  DigitsFrom(b, f.runner_count, row, kRunnerCount);
  CodeFrom(b, f.pace, row, kPace);
  CodeFrom(b, f.going, row, kGoing);
}

void SetRunner(RecordBuilder& b, const ResultRunnerFields& f, const Statement& row) {
  DigitsFrom(b, f.bracket_number, row, kFrame);
  DigitsFrom(b, f.horse_number, row, kHorseNo);
  DigitsFrom(b, f.post_number, row, row.column_is_null(kPostNo) ? kHorseNo : kPostNo);
  CodeFrom(b, f.horse_code, row, kHorseCode);
  TextFrom(b, f.horse_name, row, kHorseName);
  CodeFrom(b, f.sex, row, kSex);
  DigitsFrom(b, f.age, row, kAge);
  DigitsFrom(b, f.weight_carried, row, kWeightCarried);
  DigitsFrom(b, f.body_weight, row, kBodyWeight);
  SignedFrom(b, f.body_weight_change, row, kWeightChange);
  CodeFrom(b, f.jockey_code, row, kJockeyCode);
  TextFrom(b, f.jockey_name, row, kJockeyName);
  b.set_digits(f.digit, row.column_int(kTrainerCentre));  // 0 off the centres
  CodeFrom(b, f.trainer_code, row, kTrainerCode);
  TextFrom(b, f.trainer_name, row, kTrainerShortName);
  CodeFrom(b, f.stable_location, row, kTrainerPlace);
  CodeFrom(b, f.stable_affiliation, row, kTrainerCentre);
  TextFrom(b, f.stable_text, row, kTrainerName);
  CodeFrom(b, f.sire_code, row, kSireCode);
  TextFrom(b, f.sire_name, row, kSireName);
  CodeFrom(b, f.dams_sire_code, row, kDamsSireCode);
  TextFrom(b, f.dams_sire_name, row, kDamsSireName);
  CodeFrom(b, f.prediction_mark, row, kPredictionMark);
  // The entry's first training mark; the card keeps all three.
  const std::string_view marks = row.column_text(kTrainingMarks);
  const std::size_t first = marks.find_first_not_of(' ');
  if (first != std::string_view::npos) b.set_code(f.training_mark, marks.substr(first, 1));
}

void SetResult(RecordBuilder& b, const ResultRunnerFields& f, const Statement& row) {
  DigitsFrom(b, f.popularity, row, kPopularity);
  DigitsFrom(b, f.win_odds, row, kWinOdds);
  DigitsFrom(b, f.finishing_order, row, kFinishPos);
  DigitsFrom(b, f.accident, row, kAccident);
  DigitsFrom(b, f.arrival_order, row, kArrivalOrder);
  DigitsFrom(b, f.result_number_3, row, kTime);  // the race time, tenths
  // Whole lengths as two digits, blank when there are none: "01" reads
  // as 1, and a blank leaves a neck or a head without a number.
  const std::int64_t lengths = row.column_int(kMarginLengths);
  if (lengths > 0) {
    const std::string digits = std::to_string(lengths);
    b.set_code(f.margin_lengths, digits.size() < 2 ? "0" + digits : digits);
  }
  CodeFrom(b, f.margin_code, row, kMarginCode);
  b.set_digits(f.margin, row.column_is_null(kMarginTime) ? kNoMargin : row.column_int(kMarginTime));
  DigitsFrom(b, f.result_number_a, row, kFirst600);
  DigitsFrom(b, f.result_number_b, row, kLast600);
  DigitsFrom(b, f.result_number_4, row, kLast600);  // the last 600 m again, as 3 digits
  for (int i = 0; i < 4; ++i) {
    b.set_digits(f.corner_position, row.column_int(kCorner + i), static_cast<std::size_t>(i));
  }
  CodeFrom(b, f.position_code, row, kStraightPath);
}

}  // namespace

const char* ShownFieldsQuery(Shown whose) { return kShownFields[static_cast<int>(whose)]; }

Status RenderResultRunners(Database& db, const RaceKey& race, void** buffer) {
  static const ResultRunnerFields f;
  Statement& st = db.statement(RaceSql(race.number != 0));
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  RenderedRecords records(ResultRunnerLayout());
  const Status s = AddEachRow(st, &records, [&](RecordBuilder& b, const Statement& row) {
    SetRace(b, f, row);
    SetRunner(b, f, row);
    SetResult(b, f, row);
  });
  return s.ok() ? records.Finish(buffer) : s;
}

}  // namespace ydb
