// Reading the results, runner entries and payouts of a range of race dates,
// one query each.
#include "db/render/RaceRangeRenderer.h"

#include <string>
#include <string_view>
#include <vector>

#include "db/base/RaceKey.h"
#include "db/layout/Layouts.h"
#include "db/render/ColumnFields.h"
#include "db/render/PayoutFields.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

enum EntryColumn : int {
  kPlace, kDate, kRaceNo,  // the race code
  kFrame, kHorseNo, kHorseCode, kWeightCarried, kJockeyCode, kTrainerCode, kPredictionMark,
  kTrainingMarks,
};

// The runners of the run races of a range of dates, from the index of
// their entries alone (which holds the runners with a number: all).
constexpr const char* kEntrySql =
    "SELECT ru.place, ru.race_date, ru.race_no, ru.frame_no, ru.horse_no, ru.horse_code, "
    "ru.weight_carried, ru.jockey_code, ru.trainer_code, ru.prediction_mark, ru.training_marks "
    "FROM race r JOIN runner ru "
    "ON ru.race_date = r.race_date AND ru.place = r.place AND ru.race_no = r.race_no "
    "WHERE r.race_date BETWEEN ?1 AND ?2 AND r.has_result = 1 AND ru.horse_no > 0 "
    "ORDER BY r.race_date, r.place, r.race_no, ru.horse_no";

// The fields of the entry record, found once.
struct EntryFields {
  const RecordLayout& layout = RunnerEntryLayout();
  const Field& race_code = FieldOf(layout, "race_code");
  const Field& bracket_number = FieldOf(layout, "bracket_number");
  const Field& horse_number = FieldOf(layout, "horse_number");
  const Field& horse_code = FieldOf(layout, "horse_code");
  const Field& weight_carried = FieldOf(layout, "weight_carried");
  const Field& jockey_code = FieldOf(layout, "jockey_code");
  const Field& trainer_code = FieldOf(layout, "trainer_code");
  const Field& prediction_mark = FieldOf(layout, "prediction_mark");
  const Field& training_mark = FieldOf(layout, "training_mark");
};

}  // namespace

const std::string& EnteredHorsesQuery() {
  static const std::string sql =
      "SELECT ru.horse_code FROM race r JOIN runner ru "
      "ON ru.race_date = r.race_date AND ru.place = r.place AND ru.race_no = r.race_no "
      "WHERE r.race_date BETWEEN ?1 AND ?2 AND r.has_result = 1 AND ru.horse_no > 0";
  return sql;
}

Status ReadResultRecordsBetween(Database& db, int first, int last, void** buffer) {
  Statement& st = db.statement(
      "SELECT record FROM result_record WHERE race_date BETWEEN ?1 AND ?2 "
      "ORDER BY race_date, place, race_no");
  st.bind(1, first).bind(2, last);
  RenderedRecords out(RaceResultLayout());
  Status s = EachRow(st, [&](const Statement& row) {
    const std::string_view record = row.column_blob(0);
    if (record.size() != out.layout().size()) {
      return Status::Corruption("a stored results record dated " + std::to_string(first) +
                                " to " + std::to_string(last) + " is damaged");
    }
    out.AddRendered(record.data(), 1);
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

Status RenderRunnerEntriesBetween(Database& db, int first, int last, void** buffer) {
  static const EntryFields f;
  Statement& st = db.statement(kEntrySql);
  st.bind(1, first).bind(2, last);
  return RenderEachRow(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    RaceCodeFrom(b, f.race_code, row, kPlace);
    DigitsFrom(b, f.bracket_number, row, kFrame);
    DigitsFrom(b, f.horse_number, row, kHorseNo);
    CodeFrom(b, f.horse_code, row, kHorseCode);
    DigitsFrom(b, f.weight_carried, row, kWeightCarried);
    CodeFrom(b, f.jockey_code, row, kJockeyCode);
    CodeFrom(b, f.trainer_code, row, kTrainerCode);
    CodeFrom(b, f.prediction_mark, row, kPredictionMark);
    // The entry's first training mark; the card keeps all three.
    const std::string_view marks = row.column_text(kTrainingMarks);
    const std::size_t at = marks.find_first_not_of(' ');
    if (at != std::string_view::npos) b.set_code(f.training_mark, marks.substr(at, 1));
  });
}

Status RenderPayoutsBetween(Database& db, int first, int last, void** buffer) {
  Statement& st = db.statement(
      "SELECT place, race_date, race_no, pool, seq, first, second, amount FROM payout "
      "WHERE race_date BETWEEN ?1 AND ?2 ORDER BY race_date, place, race_no, pool, seq");
  st.bind(1, first).bind(2, last);
  static const PayoutFields fields(PayoutLayout());
  static const Field& race_code = FieldOf(PayoutLayout(), "race_code");
  RenderedRecords out(PayoutLayout());
  // The payouts of one race at a time, written as its record when the
  // next race's begin.
  RaceKey race;
  std::vector<PayoutEntry> entries;
  auto write = [&]() {
    if (entries.empty()) return Status::Ok();
    RecordBuilder b(out.Add(), out.layout());
    b.set_code(race_code, race.code());
    fields.Zero(b);
    for (const PayoutEntry& e : entries) {
      const Status set = fields.Set(b, e);
      if (!set.ok()) return set;
    }
    entries.clear();
    return b.status();
  };
  Status s = EachRow(st, [&](const Statement& row) {
    const std::string_view place = row.column_text(0);
    const int date = static_cast<int>(row.column_int(1));
    const int number = static_cast<int>(row.column_int(2));
    if (date != race.date || place != race.place || number != race.number) {
      const Status written = write();
      if (!written.ok()) return written;
      race.place = std::string(place);
      race.date = date;
      race.number = number;
    }
    PayoutEntry e;
    e.pool = static_cast<int>(row.column_int(3));
    e.seq = static_cast<int>(row.column_int(4));
    e.first = static_cast<int>(row.column_int(5));
    e.second = static_cast<int>(row.column_int(6));
    e.amount = row.column_int(7);
    entries.push_back(e);
    return Status::Ok();
  });
  if (s.ok()) s = write();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
