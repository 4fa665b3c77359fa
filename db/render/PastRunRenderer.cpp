// Rendering past runs: one query per fetch, each the runner rows of one key
// range joined to their race and meeting by primary key, every query
// answering the same columns so that one routine fills the records.
#include "db/render/PastRunRenderer.h"

#include <string>

#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

enum Column : int {
  kPlace, kDate, kRaceNo, kKai, kRaceKind, kGrade, kClassCode, kTrack, kDistance, kRunnerCount,
  kGoing, kFrame, kHorseNo, kWeightCarried, kSpeedIndex, kJockeyCode, kTrainerCode,
  kPredictionMark, kPopularity, kWinOdds, kFinishPos, kArrivalOrder, kTime, kMargin, kFirst600,
  kLast600,
};

// The race's columns, from the race and meeting rows joined as r and m.
constexpr const char* kRaceColumns =
    "SELECT ru.place, ru.race_date, ru.race_no, m.kai, r.race_kind, r.grade, r.class_code, "
    "r.track_code, r.distance, r.runner_count, r.going, ";

// The runner's columns from the runner row itself; a margin not known is
// the record's "none", 998.
constexpr const char* kRunnerColumns =
    "ru.frame_no, ru.horse_no, ru.weight_carried, ru.speed_index, ru.jockey_code, "
    "ru.trainer_code, ru.prediction_mark, ru.popularity, ru.win_odds, ru.finish_pos, "
    "ru.arrival_order, ru.time, coalesce(ru.margin_time, 998), ru.first_600, ru.last_600 ";

constexpr const char* kRaceJoins =
    "JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no "
    "JOIN meeting m ON m.race_date = ru.race_date AND m.place = ru.place ";

// A runner with a result that started: not withdrawn (34) nor excluded (35).
constexpr const char* kIsRun =
    "ru.finish_pos IS NOT NULL AND (ru.accident_code IS NULL OR ru.accident_code NOT IN "
    "('34', '35')) ";

// The runner's columns an entity's covering index carries; `jockey` and
// `trainer` name the code columns it has, or are NULL.
std::string IndexColumns(const char* jockey, const char* trainer) {
  return std::string("NULL, ru.horse_no, NULL, NULL, ") + jockey + ", " + trainer +
         ", NULL, ru.popularity, ru.win_odds, ru.finish_pos, NULL, NULL, NULL, NULL, NULL ";
}

std::string RunsOfSql(const char* code_column, const std::string& columns) {
  return kRaceColumns + columns + "FROM runner ru " + kRaceJoins + "WHERE ru." + code_column +
         " = ?1 AND ru.race_date BETWEEN ?2 AND ?3 AND " + kIsRun +
         "ORDER BY ru.race_date, ru.place, ru.race_no, ru.horse_no";
}

const std::string& RaceEntriesSql() {
  static const std::string sql = std::string(kRaceColumns) + kRunnerColumns + "FROM runner ru " +
                                 kRaceJoins +
                                 "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3 "
                                 "ORDER BY ru.horse_no";
  return sql;
}

// The past-run record's fields, found once.
struct PastRunFields {
  const RecordLayout& layout = PastRunLayout();
  const Field& place_code = FieldOf(layout, "place_code");
  const Field& date = FieldOf(layout, "date");
  const Field& kai = FieldOf(layout, "kai");
  const Field& jump = FieldOf(layout, "jump");
  const Field& grade = FieldOf(layout, "grade");
  const Field& conditions = FieldOf(layout, "conditions");
  const Field& track = FieldOf(layout, "track");
  const Field& distance = FieldOf(layout, "distance");
  const Field& runner_count = FieldOf(layout, "runner_count");
  const Field& going = FieldOf(layout, "going");
  const Field& bracket_number = FieldOf(layout, "bracket_number");
  const Field& horse_number = FieldOf(layout, "horse_number");
  const Field& run_horse_number = FieldOf(layout, "run_horse_number");
  const Field& weight_carried = FieldOf(layout, "weight_carried");
  const Field& index = FieldOf(layout, "index");
  const Field& jockey_code = FieldOf(layout, "jockey_code");
  const Field& trainer_code = FieldOf(layout, "trainer_code");
  const Field& prediction_mark = FieldOf(layout, "prediction_mark");
  const Field& popularity = FieldOf(layout, "popularity");
  const Field& win_odds = FieldOf(layout, "win_odds");
  const Field& finishing_order = FieldOf(layout, "finishing_order");
  const Field& arrival_order = FieldOf(layout, "arrival_order");
  const Field& time = FieldOf(layout, "time");
  const Field& margin = FieldOf(layout, "margin");
  const Field& first_3f = FieldOf(layout, "first_3f");
  const Field& last_3f = FieldOf(layout, "last_3f");
};

// The race kind of a jump race, whose surface the readers take as '2'.
constexpr std::string_view kJumpRaceKind = "0";

void SetRace(RecordBuilder& b, const PastRunFields& f, const Statement& row) {
  CodeFrom(b, f.place_code, row, kPlace);
  DigitsFrom(b, f.date, row, kDate);
  DigitsFrom(b, f.kai, row, kKai);
  b.set_code(f.jump, row.column_text(kRaceKind) == kJumpRaceKind ? "1" : "0");
  CodeFrom(b, f.grade, row, kGrade);
  ClassCodeFrom(b, f.conditions, row, kClassCode);
  CodeFrom(b, f.track, row, kTrack);
  DigitsFrom(b, f.distance, row, kDistance);
  DigitsFrom(b, f.runner_count, row, kRunnerCount);
  CodeFrom(b, f.going, row, kGoing);
}

void SetRun(RecordBuilder& b, const PastRunFields& f, const Statement& row) {
  DigitsFrom(b, f.bracket_number, row, kFrame);
  DigitsFrom(b, f.horse_number, row, kHorseNo);
  DigitsFrom(b, f.run_horse_number, row, kHorseNo);  // the same number, for the other reader
  DigitsFrom(b, f.weight_carried, row, kWeightCarried);
  DigitsFrom(b, f.index, row, kSpeedIndex);
  CodeFrom(b, f.jockey_code, row, kJockeyCode);
  CodeFrom(b, f.trainer_code, row, kTrainerCode);
  CodeFrom(b, f.prediction_mark, row, kPredictionMark);
  DigitsFrom(b, f.popularity, row, kPopularity);
  DigitsFrom(b, f.win_odds, row, kWinOdds);
  DigitsFrom(b, f.finishing_order, row, kFinishPos);
  DigitsFrom(b, f.arrival_order, row, kArrivalOrder);
  if (!row.column_is_null(kTime)) {
    b.set_digits(f.time, MinutesSecondsTenths(row.column_int(kTime)));
  }
  DigitsFrom(b, f.margin, row, kMargin);
  DigitsFrom(b, f.first_3f, row, kFirst600);
  DigitsFrom(b, f.last_3f, row, kLast600);
}

// Renders every row of the bound statement `st` into a new record buffer.
Status RenderRows(Statement& st, void** buffer) {
  static const PastRunFields f;
  return RenderEachRow(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetRace(b, f, row);
    SetRun(b, f, row);
  });
}

}  // namespace

const std::string& HorseRunsQuery() {
  static const std::string sql = std::string(kRaceColumns) + kRunnerColumns + "FROM runner ru " +
                                 kRaceJoins + "WHERE ru.horse_code = ?1 AND " + kIsRun +
                                 "ORDER BY ru.race_date";
  return sql;
}

const std::string& RunsOfQuery(RunsOf who) {
  static const std::string jockey =
      RunsOfSql("jockey_code", IndexColumns("ru.jockey_code", "ru.trainer_code"));
  static const std::string trainer =
      RunsOfSql("trainer_code", IndexColumns("ru.jockey_code", "ru.trainer_code"));
  static const std::string sire = RunsOfSql("sire_code", IndexColumns("NULL", "NULL"));
  switch (who) {
    case RunsOf::kJockey: return jockey;
    case RunsOf::kTrainer: return trainer;
    case RunsOf::kSire: break;
  }
  return sire;
}

const std::string& CourseRunsQuery() {
  static const std::string sql =
      std::string(kRaceColumns) + kRunnerColumns +
      "FROM race r JOIN meeting m ON m.race_date = r.race_date AND m.place = r.place "
      "JOIN runner ru ON ru.race_date = r.race_date AND ru.place = r.place "
      "AND ru.race_no = r.race_no "
      "WHERE r.place = ?1 AND r.surface = ?2 AND r.distance = ?3 "
      "AND r.race_date BETWEEN ?4 AND ?5 AND " + kIsRun +
      // Within a race the runners come in the order of runner_by_race, by
      // horse number; asking for it would sort every race again.
      "ORDER BY r.race_date, r.race_no";
  return sql;
}

Status RenderHorseRuns(Database& db, std::string_view horse_code, void** buffer) {
  Statement& st = db.statement(HorseRunsQuery());
  st.bind(1, horse_code);
  return RenderRows(st, buffer);
}

Status RenderRunsOf(Database& db, RunsOf who, std::string_view code, int from, int to,
                    void** buffer) {
  Statement& st = db.statement(RunsOfQuery(who));
  st.bind(1, code).bind(2, from).bind(3, to);
  return RenderRows(st, buffer);
}

Status RenderCourseRuns(Database& db, std::string_view place, std::string_view surface,
                        int distance, int from, int to, void** buffer) {
  Statement& st = db.statement(CourseRunsQuery());
  st.bind(1, place).bind(2, surface).bind(3, distance).bind(4, from).bind(5, to);
  return RenderRows(st, buffer);
}

Status RenderRaceEntries(Database& db, const RaceKey& race, void** buffer) {
  Statement& st = db.statement(RaceEntriesSql());
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return RenderRows(st, buffer);
}

}  // namespace ydb
