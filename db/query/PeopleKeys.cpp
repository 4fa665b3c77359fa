// The keys of the searches of jockeys, trainers (stables), sires and
// dam-sires: names, affiliation, age brackets, the figures of the runs the
// store holds (wins, rides, prize money and rates, this year's and the
// career's), and the sire's aptitudes and pedigree names. A person's
// figures count the runs their records count (a runner with a result that
// started), so a condition on them agrees with the person's record; ages
// and "this year" are taken at today ("$", bound).
#include <string>
#include <string_view>

#include "db/query/KeyTable.h"

namespace ydb {
namespace {

constexpr Comparison kEq = Comparison::kEqual;
constexpr Comparison kFrom = Comparison::kAtLeast;
constexpr Repeats kAny = Repeats::kAlternatives;
constexpr Repeats kOnce = Repeats::kOnce;

// The figures of every entity of `kind` (entity_total: 2 jockey, 3 trainer,
// 4 sire, 6 dam's sire), one row per entity code, summed from the few rows
// the writer keeps of each by year and surface.
std::string Figures(int kind) {
  return "LEFT JOIN (SELECT code, sum(firsts + seconds + thirds + unplaced) AS runs, "
         "sum(firsts) AS wins, sum(firsts + seconds) AS top2, "
         "sum(firsts + seconds + thirds) AS top3, "
         "sum(CASE WHEN year = $ / 10000 THEN firsts + seconds + thirds + unplaced ELSE 0 END) AS y_runs, "
         "sum(CASE WHEN year = $ / 10000 THEN firsts ELSE 0 END) AS y_wins, "
         "sum(CASE WHEN year = $ / 10000 THEN firsts + seconds ELSE 0 END) AS y_top2, "
         "sum(CASE WHEN year = $ / 10000 THEN firsts + seconds + thirds ELSE 0 END) AS y_top3, "
         "sum(CASE WHEN year = $ / 10000 AND surface <> 2 THEN prize_money ELSE 0 END) / 1000 "
         "AS y_flat_prize, "
         "sum(CASE WHEN year = $ / 10000 AND surface = 2 THEN prize_money ELSE 0 END) / 1000 "
         "AS y_jump_prize, "
         "sum(CASE WHEN year = $ / 10000 AND surface <> 2 "
         "THEN firsts + seconds + thirds + unplaced ELSE 0 END) AS y_flat_runs, "
         "sum(CASE WHEN year = $ / 10000 AND surface = 2 "
         "THEN firsts + seconds + thirds + unplaced ELSE 0 END) AS y_jump_runs "
         "FROM entity_total WHERE kind = " + std::to_string(kind) +
         " GROUP BY code) f ON f.code = p.code ";
}

// A rate in tenths of a percent, as the people's list rows show it.
#define YDB_RATE(part, runs) \
  "CAST(CASE WHEN ifnull(" runs ", 0) = 0 THEN 0 ELSE (" part " * 100.0 / " runs " + 0.05) * 10 END AS INTEGER)"

// T: 1 every one, 2 with a run this year, 3 with a run in the store, 4 with none.
constexpr const char* kWhich =
    "EXISTS (SELECT 1 FROM json_each(#) t WHERE t.value = 1 OR (t.value = 2 AND "
    "ifnull(f.y_runs, 0) > 0) OR (t.value = 3 AND ifnull(f.runs, 0) > 0) OR "
    "(t.value = 4 AND ifnull(f.runs, 0) = 0))";
// UDS: 1 with a run in the store, 0 without.
constexpr const char* kWithRuns = "(ifnull(f.runs, 0) > 0) IN (SELECT value FROM json_each(#))";
// A person's age in full years at today.
constexpr const char* kPersonAge =
    "($ - p.birth_date) / 10000 IN (SELECT value FROM json_each(#))";

// The keys jockeys and trainers share.
std::vector<KeyDef> PersonKeys() {
  return {
      {"NK", ValueType::kText, kAny, 0, 0, 0, false, kEq, "p.name", nullptr},
      {"NY", ValueType::kText, kAny, 0, 0, 0, false, kEq, "p.name_kana", nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, kWhich, nullptr},
      {"A", ValueType::kCodes, kAny, 0, 99, 0, false, kEq, kPersonAge, nullptr},
      {"WNH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, "ifnull(f.y_wins, 0)", nullptr},
      {"WNR", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, "ifnull(f.wins, 0)", nullptr},
      {"AN", ValueType::kNumber, kOnce, 0, 99999999, 0, false, kFrom, "p.first_year", nullptr},
      {"HH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, "ifnull(f.y_flat_runs, 0)", nullptr},
      {"SH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, "ifnull(f.y_jump_runs, 0)", nullptr},
      {"H", ValueType::kNumber, kAny, 0, 9999999, 0, true, kEq,
       "ifnull(f.y_flat_prize, 0) + ifnull(f.y_jump_prize, 0)", nullptr},
      {"1H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.y_wins", "f.y_runs"), nullptr},
      {"1R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.wins", "f.runs"), nullptr},
      {"2H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.y_top2", "f.y_runs"), nullptr},
      {"2R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.top2", "f.runs"), nullptr},
      {"3H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.y_top3", "f.y_runs"), nullptr},
      {"3R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.top3", "f.runs"), nullptr},
      {"UDS", ValueType::kCodes, kAny, 0, 1, 0, false, kEq, kWithRuns, nullptr},
  };
}

KindTable MakeJockeyTable() {
  KindTable t;
  t.kind = SearchKind::kJockey;
  t.name = "jockey";
  t.keys = PersonKeys();
  t.keys.insert(t.keys.end(), {
      {"P", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.affiliation IN (SELECT value FROM json_each(#))", nullptr},
      {"M", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.qualification IN (SELECT value FROM json_each(#))", nullptr},
      {"SK", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.apprentice_code IN (SELECT value FROM json_each(#))", nullptr},
      {"STN", ValueType::kText, kAny, 0, 0, 0, false, kEq, "ifnull(s.name, '')", nullptr},
  });
  static const std::string select = "SELECT p.code FROM jockey p "
                                    "LEFT JOIN trainer s ON s.code = p.trainer_code " +
                                    Figures(2) + "WHERE ";
  t.select = select.c_str();
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeStableTable() {
  KindTable t;
  t.kind = SearchKind::kStable;
  t.name = "stable";
  t.keys = PersonKeys();
  // 0 a trainer off the training centres.
  t.keys.push_back({"P", ValueType::kCodes, kAny, 0, 3, 1, false, kEq,
                    "ifnull(p.centre, '0') IN (SELECT value FROM json_each(#))", nullptr});
  static const std::string select = "SELECT p.code FROM trainer p " + Figures(3) + "WHERE ";
  t.select = select.c_str();
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeSireTable() {
  KindTable t;
  t.kind = SearchKind::kSire;
  t.name = "sire";
  t.keys = {
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, "h.name", nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, kWhich, nullptr},
      {"A", ValueType::kCodes, kAny, 0, 99, 0, false, kEq,
       "$ / 10000 - h.birth_date / 10000 IN (SELECT value FROM json_each(#))", nullptr},
      {"K", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.distance_aptitude IN (SELECT value FROM json_each(#))", nullptr},
      {"D", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.skill_dirt IN (SELECT value FROM json_each(#))", nullptr},
      {"O", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.skill_heavy IN (SELECT value FROM json_each(#))", nullptr},
      {"C", ValueType::kCodes, kAny, 1, 99, 2, false, kEq,
       "h.coat_code IN (SELECT value FROM json_each(#))", nullptr},
      {"AN", ValueType::kNumber, kOnce, 0, 9999, 0, false, kFrom, "h.birth_date / 10000", nullptr},
      {"1", ValueType::kNumber, kAny, 0, 999999, 0, true, kEq, "ifnull(f.wins, 0)", nullptr},
      {"2", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.wins", "f.runs"), nullptr},
      {"3", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, YDB_RATE("f.top3", "f.runs"), nullptr},
      {"FN", ValueType::kText, kAny, 0, 0, 0, false, kEq, "ifnull(p1.name, '')", nullptr},
      {"MN", ValueType::kText, kAny, 0, 0, 0, false, kEq, "ifnull(p2.name, '')", nullptr},
      {"UDS", ValueType::kCodes, kAny, 0, 1, 0, false, kEq, kWithRuns, nullptr},
  };
  static const std::string select =
      "SELECT p.code FROM sire p JOIN horse h ON h.code = p.code "
      "LEFT JOIN pedigree p1 ON p1.horse_code = p.code AND p1.position = 1 "
      "LEFT JOIN pedigree p2 ON p2.horse_code = p.code AND p2.position = 2 " +
      Figures(4) + "WHERE ";
  t.select = select.c_str();
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeDamSireTable() {
  KindTable t;
  t.kind = SearchKind::kDamSire;
  t.name = "dam-sire";
  t.keys = {
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, "p.name", nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, kWhich, nullptr},
  };
  // A dam-sire is the dam's sire (pedigree position 5) of a stored horse;
  // its runs are those of the horses it is the dam's sire of.
  static const std::string select =
      "SELECT p.code FROM horse p " + Figures(6) +
      "WHERE p.code IN (SELECT ancestor_code FROM pedigree WHERE position = 5) AND ";
  t.select = select.c_str();
  t.order = " ORDER BY p.code";
  return t;
}

}  // namespace

const KindTable& JockeyKeyTable() {
  static const KindTable table = MakeJockeyTable();
  return table;
}

const KindTable& StableKeyTable() {
  static const KindTable table = MakeStableTable();
  return table;
}

const KindTable& SireKeyTable() {
  static const KindTable table = MakeSireTable();
  return table;
}

const KindTable& DamSireKeyTable() {
  static const KindTable table = MakeDamSireTable();
  return table;
}

}  // namespace ydb
