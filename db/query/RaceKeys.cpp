// The keys of the race search: period and meeting, racecourse, name and
// grade, race number, distance and course, age condition and class,
// payouts, pace, weather and going, runner count and runner conditions.
// A race is found once it has been run (its results record is stored).
#include <string_view>

#include "db/query/KeyTable.h"

namespace ydb {
namespace {

constexpr Comparison kEq = Comparison::kEqual;
constexpr Comparison kFrom = Comparison::kAtLeast;
constexpr Comparison kTo = Comparison::kAtMost;
constexpr Repeats kAny = Repeats::kAlternatives;
constexpr Repeats kOnce = Repeats::kOnce;

// The meeting's main race: its race of the highest grade (G1, JG1, G2, JG2,
// G3, JG3; the later race between equals), else race 11.
#define YDB_MAIN_RACE                                                                   \
  "coalesce((SELECT g.race_no FROM race g WHERE g.race_date = r.race_date AND "        \
  "g.place = r.place AND g.grade IS NOT NULL ORDER BY (CAST(g.grade AS INTEGER) % 3) " \
  "* 2 + CAST(g.grade AS INTEGER) / 3, g.race_no DESC LIMIT 1), 11)"
#define YDB_LAST_RACE \
  "(SELECT max(l.race_no) FROM race l WHERE l.race_date = r.race_date AND l.place = r.place)"

// The class of a race as the class rank reads it: 1 debut, 2 maiden, 3 to
// 5 the one-, two- and three-win classes (and the money classes up to
// 500万, 1000万 and above), 6 open, 7 to 9 G3 to G1 (jump grades with them).
#define YDB_RACE_CLASS                                                                  \
  "(CASE WHEN r.grade IN ('0', '3') THEN 9 WHEN r.grade IN ('1', '4') THEN 8 "          \
  "WHEN r.grade IN ('2', '5') THEN 7 ELSE CASE CAST(r.class_code AS INTEGER) "          \
  "WHEN 1 THEN 1 WHEN 2 THEN 1 WHEN 3 THEN 2 WHEN 4 THEN 6 WHEN -5 THEN 3 "            \
  "WHEN -10 THEN 4 WHEN -16 THEN 5 ELSE CASE WHEN CAST(r.class_code AS INTEGER) < 100 " \
  "THEN 0 WHEN CAST(r.class_code AS INTEGER) <= 5000 THEN 3 "                          \
  "WHEN CAST(r.class_code AS INTEGER) <= 10000 THEN 4 ELSE 5 END END END)"

// The races with a payout of `pool` that meets the bound: the payouts are
// found once through payout_by_amount and the races matched against them
// (a subquery per race would have SQLite walk that index for each race).
#define YDB_PAYOUT(pool)                                                                \
  "(r.race_date, r.place, r.race_no) IN (SELECT p.race_date, p.place, p.race_no "     \
  "FROM payout p WHERE p.pool = " pool " AND @)"

// The runner conditions of TK, 1 to 8: a corner position above 40; a
// horse started from a stall other than its number's, a lower one; the
// accidents 32 (中止), 36, 33, 31, 34, 35.
constexpr const char* kRunnerConditions =
    "EXISTS (SELECT 1 FROM runner ru, json_each(#) t WHERE ru.race_date = r.race_date "
    "AND ru.place = r.place AND ru.race_no = r.race_no AND ("
    "(t.value = 1 AND (ru.corner_1 > 40 OR ru.corner_2 > 40 OR ru.corner_3 > 40 "
    "OR ru.corner_4 > 40)) OR (t.value = 2 AND ru.horse_no < ru.post_no) OR "
    "ru.accident_code = CASE t.value WHEN 3 THEN '32' WHEN 4 THEN '36' WHEN 5 THEN '33' "
    "WHEN 6 THEN '31' WHEN 7 THEN '34' WHEN 8 THEN '35' END))";

KindTable MakeRaceTable() {
  KindTable t;
  t.kind = SearchKind::kRace;
  t.name = "race";
  t.select =
      "SELECT r.race_date, r.place, r.race_no, rr.record FROM race r "
      "JOIN meeting m ON m.race_date = r.race_date AND m.place = r.place "
      "JOIN result_record rr ON rr.race_date = r.race_date AND rr.place = r.place "
      "AND rr.race_no = r.race_no WHERE ";
  t.order = " ORDER BY r.race_date, r.place, r.race_no";
  t.key = "r.place || printf('%08d%02d', r.race_date, r.race_no)";
  t.match = "(r.race_date, r.place, r.race_no)";
  t.keys = {
      {"TF", ValueType::kNumber, kOnce, 19000101, 29991231, 0, false, kFrom, "r.race_date", nullptr},
      {"TT", ValueType::kNumber, kOnce, 19000101, 29991231, 0, false, kTo, "r.race_date", nullptr},
      {"KF", ValueType::kMeeting, kOnce, 0, 0, 0, false, kEq,
       "(r.place = substr(#, 1, 2) AND (r.race_date / 10000) * 10000 + m.kai * 100 + "
       "m.kai_day >= CAST(substr(#, 3) AS INTEGER))", nullptr},
      {"KT", ValueType::kMeeting, kOnce, 0, 0, 0, false, kEq,
       "(r.place = substr(#, 1, 2) AND (r.race_date / 10000) * 10000 + m.kai * 100 + "
       "m.kai_day <= CAST(substr(#, 3) AS INTEGER))", nullptr},
      {"P", ValueType::kCodes, kAny, 0, 99, 2, false, kEq, "r.place IN (SELECT value FROM json_each(#))", nullptr},
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("r.name"), nullptr},
      {"G", ValueType::kCodes, kAny, 0, 2, 0, false, kEq,
       // Each grade with its jump grade (0 G1 and 3 J-G1, ...), so that
       // race_by_grade finds them.
       "r.grade IN (SELECT value FROM json_each(#) UNION ALL SELECT value + 3 FROM json_each(#))",
       nullptr},
      {"R", ValueType::kCodes, kAny, 1, 14, 0, false, kEq,
       "r.race_no IN (SELECT CASE value WHEN 13 THEN " YDB_MAIN_RACE " WHEN 14 THEN "
       YDB_LAST_RACE " ELSE value END FROM json_each(#))", nullptr},
      {"DF", ValueType::kNumber, kOnce, 0, 9999, 0, false, kFrom, "r.distance", nullptr},
      {"DT", ValueType::kNumber, kOnce, 0, 9999, 0, false, kTo, "r.distance", nullptr},
      {"B", ValueType::kCodes, kAny, 0, 2, 1, false, kEq, "r.surface IN (SELECT value FROM json_each(#))", nullptr},
      {"C", ValueType::kCodes, kAny, 0, 5, 1, false, kEq, "r.rail IN (SELECT value FROM json_each(#))", nullptr},
      {"US", ValueType::kCodes, kAny, 0, 1, 1, false, kEq,
       "r.inner_outer IN (SELECT value FROM json_each(#))", nullptr},
      {"MW", ValueType::kCodes, kAny, 0, 2, 1, false, kEq,
       "r.direction IN (SELECT value FROM json_each(#))", nullptr},
      {"A", ValueType::kCodes, kAny, 1, 4, 1, false, kEq,
       "r.race_kind IN (SELECT value FROM json_each(#))", nullptr},
      {"L", ValueType::kCodes, kAny, 1, 9, 0, false, kEq,
       YDB_RACE_CLASS " IN (SELECT value FROM json_each(#))", nullptr},
      {"WF", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kFrom, "p.amount", YDB_PAYOUT("1")},
      {"WT", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kTo, "p.amount", YDB_PAYOUT("1")},
      {"PF", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kFrom, "p.amount", YDB_PAYOUT("2")},
      {"PT", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kTo, "p.amount", YDB_PAYOUT("2")},
      {"BF", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kFrom, "p.amount", YDB_PAYOUT("3")},
      {"BT", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kTo, "p.amount", YDB_PAYOUT("3")},
      {"QF", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kFrom, "p.amount", YDB_PAYOUT("4")},
      {"QT", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kTo, "p.amount", YDB_PAYOUT("4")},
      {"IF", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kFrom, "p.amount", YDB_PAYOUT("5")},
      {"IT", ValueType::kNumber, kOnce, 0, 9999999, 0, false, kTo, "p.amount", YDB_PAYOUT("5")},
      {"H", ValueType::kCodes, kAny, 0, 2, 1, false, kEq, "r.pace IN (SELECT value FROM json_each(#))", nullptr},
      {"Z", ValueType::kCodes, kAny, 0, 5, 1, false, kEq, "r.weather IN (SELECT value FROM json_each(#))", nullptr},
      {"J", ValueType::kCodes, kAny, 0, 3, 1, false, kEq, "r.going IN (SELECT value FROM json_each(#))", nullptr},
      {"ts", ValueType::kNumber, kAny, 0, 99, 0, true, kEq, "r.runner_count", nullptr},
      {"TK", ValueType::kCodes, kAny, 1, 8, 0, false, kEq, kRunnerConditions, nullptr},
  };
  return t;
}

}  // namespace

const KindTable& RaceKeyTable() {
  static const KindTable table = MakeRaceTable();
  return table;
}

}  // namespace ydb
