// Filling the race fields shared by the race-card and results records.
#include "db/render/RaceHeader.h"

#include "db/render/ColumnFields.h"

namespace ydb {

const char* const kRaceHeaderColumns =
    "r.place, r.race_date, r.race_no, m.kai, m.kai_day, r.edition, r.name, r.grade, "
    "r.condition_text, r.weight_rule1, r.weight_rule2, r.race_kind, r.class_code, r.track_code, "
    "r.direction, r.inner_outer, r.rail, r.distance, r.runner_count, r.symbol_code, r.pace, "
    "r.prize_1, r.prize_2, r.prize_3, r.prize_4, r.prize_5, "
    "t1.kind, t1.run_date, t1.time, t1.horse_name, t1.weight_carried, t1.jockey_name, t1.run_place, "
    "t2.kind, t2.run_date, t2.time, t2.horse_name, t2.weight_carried, t2.jockey_name, t2.run_place, "
    "t3.kind, t3.run_date, t3.time, t3.horse_name, t3.weight_carried, t3.jockey_name, t3.run_place";

const char* const kRaceHeaderFrom =
    "race r JOIN meeting m ON m.race_date = r.race_date AND m.place = r.place "
    "LEFT JOIN race_reference_time t1 ON t1.race_date = r.race_date AND t1.place = r.place "
    "AND t1.race_no = r.race_no AND t1.slot = 1 "
    "LEFT JOIN race_reference_time t2 ON t2.race_date = r.race_date AND t2.place = r.place "
    "AND t2.race_no = r.race_no AND t2.slot = 2 "
    "LEFT JOIN race_reference_time t3 ON t3.race_date = r.race_date AND t3.place = r.place "
    "AND t3.race_no = r.race_no AND t3.slot = 3";

RaceHeaderFields::RaceHeaderFields(const RecordLayout& layout)
    : race_code(FieldOf(layout, "race_code")),
      year(FieldOf(layout, "year")),
      kai(FieldOf(layout, "kai")),
      day(FieldOf(layout, "day")),
      edition(FieldOf(layout, "edition")),
      race_name(FieldOf(layout, "race_name")),
      grade(FieldOf(layout, "grade")),
      supplementary_conditions(FieldOf(layout, "supplementary_conditions")),
      weight_rule_1(FieldOf(layout, "weight_rule_1")),
      weight_rule_2(FieldOf(layout, "weight_rule_2")),
      race_kind(FieldOf(layout, "race_kind")),
      conditions(FieldOf(layout, "conditions")),
      track(FieldOf(layout, "track")),
      direction(FieldOf(layout, "direction")),
      inner_outer(FieldOf(layout, "inner_outer")),
      course(FieldOf(layout, "course")),
      distance(FieldOf(layout, "distance")),
      runner_count(FieldOf(layout, "runner_count")),
      code_text(FieldOf(layout, "code_text")),
      pace(FieldOf(layout, "pace")),
      prize(FieldOf(layout, "prize")),
      first_ref_date(FieldOf(layout, "first_ref_date")),
      first_ref_time(FieldOf(layout, "first_ref_time")),
      first_ref_horse_name(FieldOf(layout, "first_ref_horse_name")),
      first_ref_weight_kg(FieldOf(layout, "first_ref_weight_kg")),
      first_ref_weight_tenths(FieldOf(layout, "first_ref_weight_tenths")),
      first_ref_jockey_name(FieldOf(layout, "first_ref_jockey_name")),
      later_ref_date(FieldOf(layout, "later_ref_date")),
      later_ref_horse_name(FieldOf(layout, "later_ref_horse_name")),
      later_ref_weight_kg(FieldOf(layout, "later_ref_weight_kg")),
      later_ref_jockey_name(FieldOf(layout, "later_ref_jockey_name")),
      later_ref_place_code(FieldOf(layout, "later_ref_place_code")) {}

void SetRaceHeader(RecordBuilder& b, const RaceHeaderFields& f, const Statement& row) {
  RaceCodeFrom(b, f.race_code, row, kRacePlace);
  b.set_digits(f.year, row.column_int(kRaceDate) / 10000);
  DigitsFrom(b, f.kai, row, kRaceKai);
  DigitsFrom(b, f.day, row, kRaceKaiDay);
  DigitsFrom(b, f.edition, row, kRaceEdition);
  TextFrom(b, f.race_name, row, kRaceName);
  CodeFrom(b, f.grade, row, kRaceGrade);
  TextFrom(b, f.supplementary_conditions, row, kRaceConditionText);
  CodeFrom(b, f.weight_rule_1, row, kRaceWeightRule1);
  CodeFrom(b, f.weight_rule_2, row, kRaceWeightRule2);
  CodeFrom(b, f.race_kind, row, kRaceKind);
  ClassCodeFrom(b, f.conditions, row, kRaceClassCode);
  CodeFrom(b, f.track, row, kRaceTrack);
  CodeFrom(b, f.direction, row, kRaceDirection);
  CodeFrom(b, f.inner_outer, row, kRaceInnerOuter);
  CodeFrom(b, f.course, row, kRaceRail);
  DigitsFrom(b, f.distance, row, kRaceDistance);
  DigitsFrom(b, f.runner_count, row, kRaceRunnerCount);
  CodeFrom(b, f.code_text, row, kRaceSymbolCode);
  CodeFrom(b, f.pace, row, kRacePace);
  for (int k = 0; k < 5; ++k) DigitsFrom(b, f.prize, row, kRacePrize + k, static_cast<std::size_t>(k));

  if (!row.column_is_null(ReferenceColumn(0, kRefDate))) {
    DigitsFrom(b, f.first_ref_date, row, ReferenceColumn(0, kRefDate));
    b.set_digits(f.first_ref_time, MinutesSecondsTenths(row.column_int(ReferenceColumn(0, kRefTime))));
    TextFrom(b, f.first_ref_horse_name, row, ReferenceColumn(0, kRefHorseName));
    const std::int64_t weight = row.column_int(ReferenceColumn(0, kRefWeightCarried));
    b.set_digits(f.first_ref_weight_kg, weight / 10);
    b.set_digits(f.first_ref_weight_tenths, weight % 10);
    TextFrom(b, f.first_ref_jockey_name, row, ReferenceColumn(0, kRefJockeyName));
  }
  for (int slot = 1; slot <= 2; ++slot) {
    if (row.column_is_null(ReferenceColumn(slot, kRefDate))) continue;
    const auto index = static_cast<std::size_t>(slot - 1);
    DigitsFrom(b, f.later_ref_date, row, ReferenceColumn(slot, kRefDate), index);
    TextFrom(b, f.later_ref_horse_name, row, ReferenceColumn(slot, kRefHorseName), index);
    b.set_digits(f.later_ref_weight_kg, row.column_int(ReferenceColumn(slot, kRefWeightCarried)) / 10,
                 index);
    TextFrom(b, f.later_ref_jockey_name, row, ReferenceColumn(slot, kRefJockeyName), index);
    CodeFrom(b, f.later_ref_place_code, row, ReferenceColumn(slot, kRefPlace), index);
  }
}

}  // namespace ydb
