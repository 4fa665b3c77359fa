// Rendering race days: the meetings of each day with their main races.
#include "db/render/RaceListRenderer.h"

#include <string>
#include <string_view>
#include <tuple>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

constexpr std::size_t kVenues = 3;

// Grades in the order the race lists rank them: G1, JG1, G2, JG2, G3, JG3
// (codes '0', '3', '1', '4', '2', '5'); 0 for an ungraded race.
int GradeRank(std::string_view grade) {
  if (grade.size() != 1) return 0;
  switch (grade[0]) {
    case '0': return 6;
    case '3': return 5;
    case '1': return 4;
    case '4': return 3;
    case '2': return 2;
    case '5': return 1;
    default: return 0;
  }
}

// A class code ranked as the race lists rank it: open class (4) above the
// "n wins" classes (negative codes, more wins higher), those above the
// money classes and the newcomer and maiden codes, which rank by value.
int ClassRank(std::string_view class_code) {
  int value = 0;
  bool negative = false;
  for (char c : class_code) {
    if (c == '-') {
      negative = true;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + (c - '0');
    }
  }
  if (!negative && value == 4) return 64000;
  return negative ? 60000 + value : value;
}

// How strongly a race claims to be its meeting's main race; the greatest
// claim wins. Graded races first, by grade, class and lateness; then race
// 11; then any race by class and lateness.
using Claim = std::tuple<int, int, int, int>;

Claim MainRaceClaim(int race_no, std::string_view grade, std::string_view class_code) {
  const int grade_rank = GradeRank(grade);
  if (grade_rank > 0) return {2, grade_rank, ClassRank(class_code), race_no};
  if (race_no == 11) return {1, 0, 0, 0};
  return {0, 0, ClassRank(class_code), race_no};
}

// One meeting of the day being gathered.
struct Venue {
  std::string place;
  int kai = 0;
  int kai_day = 0;
  Claim best{-1, 0, 0, 0};
  std::string name, grade, class_code;  // of the main race so far
};

enum Column { kDate, kPlace, kKai, kKaiDay, kRaceNo, kName, kGrade, kClassCode };

// The race-list record's fields, found once.
struct RaceListFields {
  const RecordLayout& layout = RaceListLayout();
  const Field& date = FieldOf(layout, "date");
  const Field& place_code = FieldOf(layout, "venue_place_code");
  const Field& venue_date = FieldOf(layout, "venue_date");
  const Field& kai = FieldOf(layout, "venue_kai");
  const Field& day = FieldOf(layout, "venue_day");
  const Field& main_race_name = FieldOf(layout, "venue_main_race_name");
  const Field& main_race_grade = FieldOf(layout, "venue_main_race_grade");
  const Field& main_race_conditions = FieldOf(layout, "venue_main_race_conditions");
};

void SetVenue(RecordBuilder& b, const RaceListFields& f, int date, const Venue& v, std::size_t k) {
  b.set_code(f.place_code, v.place, k);
  b.set_digits(f.venue_date, date, k);
  b.set_digits(f.kai, v.kai, k);
  b.set_digits(f.day, v.kai_day, k);
  if (!v.name.empty()) b.set_text_utf8(f.main_race_name, v.name, k);
  if (!v.grade.empty()) b.set_code(f.main_race_grade, v.grade, k);
  if (!v.class_code.empty()) b.set_raw(f.main_race_conditions, v.class_code, k);
}

// Writes one day's record from its venues.
Status AddDay(RenderedRecords& out, int date, const Venue* venues, std::size_t count) {
  static const RaceListFields f;
  RecordBuilder b(out.Add(), out.layout());
  b.set_digits(f.date, date);
  for (std::size_t k = 0; k < kVenues; ++k) {
    if (k < count) {
      SetVenue(b, f, date, venues[k], k);
    } else {
      b.set_marker(f.place_code, '\0', k);  // an absent venue
    }
  }
  return b.status();
}

}  // namespace

Status RenderRaceList(Database& db, int from, int to, RaceDays days, void** buffer) {
  Statement& st = db.statement(
      "SELECT m.race_date, m.place, m.kai, m.kai_day, r.race_no, r.name, r.grade, r.class_code "
      "FROM meeting m JOIN race r ON r.race_date = m.race_date AND r.place = m.place "
      "WHERE m.race_date BETWEEN ?1 AND ?2 "
      "AND CASE ?3 WHEN 1 THEN r.has_result = 1 ELSE r.runner_count > 0 END "
      "ORDER BY m.race_date, m.place, r.race_no");
  st.bind(1, from).bind(2, to).bind(3, days == RaceDays::kWithResults ? 1 : 0);

  RenderedRecords out(RaceListLayout());
  Venue venues[kVenues];
  std::size_t count = 0;  // venues of the day gathered so far
  int date = 0;
  Status s;
  while (s.ok() && st.step()) {
    const int row_date = static_cast<int>(st.column_int(kDate));
    const std::string_view place = st.column_text(kPlace);
    if (row_date != date) {
      if (count > 0) s = AddDay(out, date, venues, count);
      date = row_date;
      count = 0;
    }
    if (count == 0 || venues[count - 1].place != place) {
      if (count == kVenues) {
        s = Status::Corruption(std::to_string(date) + " has more than three racecourses");
        break;
      }
      Venue& v = venues[count++];
      v = Venue();
      v.place = place;
      v.kai = static_cast<int>(st.column_int(kKai));
      v.kai_day = static_cast<int>(st.column_int(kKaiDay));
    }
    Venue& v = venues[count - 1];
    const Claim claim = MainRaceClaim(static_cast<int>(st.column_int(kRaceNo)),
                                      st.column_text(kGrade), st.column_text(kClassCode));
    if (claim > v.best) {
      v.best = claim;
      v.name = st.column_text(kName);
      v.grade = st.column_text(kGrade);
      v.class_code = st.column_text(kClassCode);
    }
  }
  if (s.ok()) s = st.status();
  if (s.ok() && count > 0) s = AddDay(out, date, venues, count);
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
