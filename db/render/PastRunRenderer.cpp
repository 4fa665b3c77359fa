// Rendering past runs field by field: the runner rows of one race, of one
// horse or of the whole store joined to their race and meeting by primary
// key, every query answering the same columns so that one routine fills the
// records; and the record each kind of bucket files.
#include "db/render/PastRunRenderer.h"

#include <cstring>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

// The condition on a runner row `ru` that makes it a run, filed in the
// buckets: a runner with a result that started, neither withdrawn (34) nor
// excluded (35).
constexpr const char* kIsRun =
    "ru.finish_pos IS NOT NULL AND (ru.accident_code IS NULL OR ru.accident_code NOT IN "
    "('34', '35')) ";

enum Column : int {
  kPlace, kDate, kRaceNo, kKai, kRaceKind, kGrade, kClassCode, kTrack, kDistance, kRunnerCount,
  kGoing, kFrame, kHorseNo, kWeightCarried, kSpeedIndex, kJockeyCode, kTrainerCode,
  kPredictionMark, kPopularity, kWinOdds, kFinishPos, kArrivalOrder, kTime, kMargin, kFirst600,
  kLast600, kHorseCode, kSireCode, kSurface,
};

// The race's and the runner's columns, the runner row joined as ru to its
// race and meeting as r and m. A margin not known is the record's "none",
// 998; the last three columns say where the run is filed.
constexpr const char* kColumns =
    "SELECT ru.place, ru.race_date, ru.race_no, m.kai, r.race_kind, r.grade, r.class_code, "
    "r.track_code, r.distance, r.runner_count, r.going, "
    "ru.frame_no, ru.horse_no, ru.weight_carried, ru.speed_index, ru.jockey_code, "
    "ru.trainer_code, ru.prediction_mark, ru.popularity, ru.win_odds, ru.finish_pos, "
    "ru.arrival_order, ru.time, coalesce(ru.margin_time, 998), ru.first_600, ru.last_600, "
    "ru.horse_code, ru.sire_code, r.surface "
    "FROM runner ru "
    "JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no "
    "JOIN meeting m ON m.race_date = ru.race_date AND m.place = ru.place ";


const std::string& RaceEntriesSql() {
  static const std::string sql = std::string(kColumns) +
                                 "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3 "
                                 "ORDER BY ru.horse_no";
  return sql;
}

const std::string& EveryRunSql() {
  static const std::string sql = std::string(kColumns) + "WHERE " + kIsRun +
                                 "ORDER BY ru.race_date, ru.place, ru.race_no, ru.horse_no";
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

// The fields each kind of bucket keeps; a horse's and a course's keep all.
const std::vector<const char*>& KeptFields(PastRunKind kind) {
  static const std::vector<const char*> person = {
      "place_code", "date", "kai", "jump", "grade", "conditions", "track", "distance",
      "runner_count", "going", "horse_number", "run_horse_number", "jockey_code", "trainer_code",
      "popularity", "win_odds", "finishing_order"};
  static const std::vector<const char*> sire = [] {
    std::vector<const char*> names;
    for (const char* name : person) {
      if (std::strcmp(name, "jockey_code") != 0 && std::strcmp(name, "trainer_code") != 0) {
        names.push_back(name);
      }
    }
    return names;
  }();
  return kind == PastRunKind::kSire ? sire : person;
}

// For a kind that blanks fields: true at each byte of a field it keeps.
std::array<bool, kPastRunBytes> KeptBytes(PastRunKind kind) {
  std::array<bool, kPastRunBytes> kept{};
  for (const char* name : KeptFields(kind)) {
    const Field& field = FieldOf(PastRunLayout(), name);
    for (std::size_t i = 0; i < field.width; ++i) kept[field.offset + i] = true;
  }
  return kept;
}

// `n` digits at `p` as a number.
std::int64_t DigitsAt(const char* p, int n) {
  std::int64_t value = 0;
  for (int i = 0; i < n; ++i) value = value * 10 + (p[i] - '0');
  return value;
}

std::int64_t Order(std::int64_t date, std::int64_t place, std::int64_t race_no,
                   std::int64_t horse_no) {
  return ((date * 100 + place) * 100 + race_no) * 100 + horse_no;
}

// Renders every run of the bound statement `st` for filing.
Status RenderRunsToFile(Statement& st, const EachRunToFile& each) {
  static const PastRunFields f;
  return EachRow(st, [&](const Statement& row) {
    RunToFile run;
    RecordBuilder b(run.record.data(), f.layout);
    SetRace(b, f, row);
    SetRun(b, f, row);
    if (!b.status().ok()) return b.status();
    run.date = static_cast<int>(row.column_int(kDate));
    run.place = row.column_text(kPlace);
    run.race_no = static_cast<int>(row.column_int(kRaceNo));
    run.horse_no = static_cast<int>(row.column_int(kHorseNo));
    run.horse = row.column_text(kHorseCode);
    run.jockey = row.column_text(kJockeyCode);
    run.trainer = row.column_text(kTrainerCode);
    run.sire = row.column_text(kSireCode);
    run.course = CourseCode(run.place, row.column_text(kSurface),
                            static_cast<int>(row.column_int(kDistance)));
    return each(run);
  });
}

}  // namespace

std::string CourseCode(std::string_view place, std::string_view surface, int distance) {
  std::string code(place);
  code += surface;
  for (int unit = 1000; unit > 0; unit /= 10) code += static_cast<char>('0' + distance / unit % 10);
  return code;
}

std::int64_t RunToFile::order() const {
  return Order(date, DigitsAt(place.data(), 2), race_no, horse_no);
}

PastRunRecord FiledRecord(PastRunKind kind, const PastRunRecord& whole) {
  if (kind == PastRunKind::kHorse || kind == PastRunKind::kCourse) return whole;
  static const std::array<bool, kPastRunBytes> person = KeptBytes(PastRunKind::kJockey);
  static const std::array<bool, kPastRunBytes> sire = KeptBytes(PastRunKind::kSire);
  const std::array<bool, kPastRunBytes>& kept = kind == PastRunKind::kSire ? sire : person;
  const std::string& empty = PastRunLayout().empty_image();
  PastRunRecord filed;
  for (std::size_t i = 0; i < kPastRunBytes; ++i) filed[i] = kept[i] ? whole[i] : empty[i];
  return filed;
}

std::int64_t FiledOrder(const char* record, int race_no) {
  static const Field& place = FieldOf(PastRunLayout(), "place_code");
  static const Field& date = FieldOf(PastRunLayout(), "date");
  static const Field& horse_no = FieldOf(PastRunLayout(), "horse_number");
  return Order(DigitsAt(record + date.offset, 8), DigitsAt(record + place.offset, 2), race_no,
               DigitsAt(record + horse_no.offset, 2));
}

const std::string& RaceRunsQuery() {
  static const std::string sql = std::string(kColumns) +
                                 "WHERE ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3 "
                                 "AND " + kIsRun;
  return sql;
}

const std::string& HorseRunsNotBySireQuery() {
  static const std::string sql = std::string(kColumns) +
                                 "WHERE ru.horse_code = ?1 AND ru.sire_code IS NOT ?2 AND " + kIsRun;
  return sql;
}

Status RenderRaceEntries(Database& db, const RaceKey& race, void** buffer) {
  static const PastRunFields f;
  Statement& st = db.statement(RaceEntriesSql());
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return RenderEachRow(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetRace(b, f, row);
    SetRun(b, f, row);
  });
}

Status RenderRunsOfRace(Database& db, const RaceKey& race, const EachRunToFile& each) {
  Statement& st = db.statement(RaceRunsQuery());
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return RenderRunsToFile(st, each);
}

Status RenderRunsOfHorseNotBySire(Database& db, std::string_view horse, std::string_view sire,
                                  const EachRunToFile& each) {
  Statement& st = db.statement(HorseRunsNotBySireQuery());
  st.bind(1, horse);
  if (sire.empty()) {
    st.bind_null(2);
  } else {
    st.bind(2, sire);
  }
  return RenderRunsToFile(st, each);
}

Status RenderEveryRun(Database& db, const EachRunToFile& each) {
  return RenderRunsToFile(db.statement(EveryRunSql()), each);
}

}  // namespace ydb
