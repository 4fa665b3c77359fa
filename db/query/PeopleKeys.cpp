// The keys of the searches of jockeys, trainers (stables), sires and
// dam-sires: names, affiliation, age brackets, the figures of the runs the
// store holds (wins, rides, prize money and rates, this year's and the
// career's), and the sire's aptitudes and pedigree names. A person's
// figures count the runs their records count (a runner with a result that
// started), so a condition on them agrees with the person's record; ages
// and "this year" are taken at today ("$", bound).
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "db/query/KeyTable.h"

namespace ydb {
namespace {

constexpr Comparison kEq = Comparison::kEqual;
constexpr Comparison kFrom = Comparison::kAtLeast;
constexpr Repeats kAny = Repeats::kAlternatives;
constexpr Repeats kOnce = Repeats::kOnce;

// Keeps a fragment assembled when the key tables are made, for as long as
// they live.
const char* Keep(std::string sql) {
  static std::mutex lock;
  static std::deque<std::string> kept;  // never shrinks: the tables never go
  const std::lock_guard<std::mutex> hold(lock);
  kept.push_back(std::move(sql));
  return kept.back().c_str();
}

// The figures of one entity of a kind (entity_total: 2 jockey, 3 trainer,
// 4 sire, 6 dam's sire), the entity's code p.code, each summed from the few
// rows the writer keeps of it by year and surface, 0 without a row. Each is
// its own subquery, read only when a condition asks for it and for the rows
// the conditions before it leave, not computed for every entity first.
struct Figures {
  const char* runs;
  const char* wins;
  const char* top2;
  const char* top3;
  const char* y_runs;
  const char* y_wins;
  const char* y_top2;
  const char* y_top3;
  const char* y_flat_prize;  // in thousands of yen
  const char* y_jump_prize;
  const char* y_flat_runs;
  const char* y_jump_runs;
};

Figures FiguresOf(int kind) {
  const std::string rows =
      " FROM entity_total e WHERE e.kind = " + std::to_string(kind) + " AND e.code = p.code), 0)";
  const auto sum = [&](const std::string& what) {
    return Keep("ifnull((SELECT sum(" + what + ")" + rows);
  };
  const char* all = "firsts + seconds + thirds + unplaced";
  const std::string year = "CASE WHEN e.year = $ / 10000";
  Figures f;
  f.runs = sum(all);
  f.wins = sum("firsts");
  f.top2 = sum("firsts + seconds");
  f.top3 = sum("firsts + seconds + thirds");
  f.y_runs = sum(year + " THEN " + all + " ELSE 0 END");
  f.y_wins = sum(year + " THEN firsts ELSE 0 END");
  f.y_top2 = sum(year + " THEN firsts + seconds ELSE 0 END");
  f.y_top3 = sum(year + " THEN firsts + seconds + thirds ELSE 0 END");
  f.y_flat_prize = Keep("ifnull((SELECT sum(" + year +
                        " AND e.surface <> 2 THEN prize_money ELSE 0 END) / 1000" + rows);
  f.y_jump_prize = Keep("ifnull((SELECT sum(" + year +
                        " AND e.surface = 2 THEN prize_money ELSE 0 END) / 1000" + rows);
  f.y_flat_runs = sum(year + " AND e.surface <> 2 THEN " + all + " ELSE 0 END");
  f.y_jump_runs = sum(year + " AND e.surface = 2 THEN " + all + " ELSE 0 END");
  return f;
}

// A rate in tenths of a percent, as the people's list rows show it.
const char* Rate(const char* part, const char* runs) {
  return Keep("CAST(CASE WHEN " + std::string(runs) + " = 0 THEN 0 ELSE (" + part +
              " * 100.0 / " + runs + " + 0.05) * 10 END AS INTEGER)");
}

// T: 1 every one, 2 with a run this year, 3 with a run in the store, 4 with none.
const char* Which(const Figures& f) {
  return Keep("EXISTS (SELECT 1 FROM json_each(#) t WHERE t.value = 1 OR (t.value = 2 AND " +
              std::string(f.y_runs) + " > 0) OR (t.value = 3 AND " + f.runs +
              " > 0) OR (t.value = 4 AND " + f.runs + " = 0))");
}
// UDS: 1 with a run in the store, 0 without.
const char* WithRuns(const Figures& f) {
  return Keep("(" + std::string(f.runs) + " > 0) IN (SELECT value FROM json_each(#))");
}
// A person's age in full years at today.
constexpr const char* kPersonAge =
    "($ - p.birth_date) / 10000 IN (SELECT value FROM json_each(#))";

// The keys jockeys and trainers share.
std::vector<KeyDef> PersonKeys(const Figures& f) {
  return {
      {"NK", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("p.name"), nullptr},
      {"NY", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("p.name_kana"), nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, Which(f), nullptr},
      {"A", ValueType::kCodes, kAny, 0, 99, 0, false, kEq, kPersonAge, nullptr},
      {"WNH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, f.y_wins, nullptr},
      {"WNR", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, f.wins, nullptr},
      {"AN", ValueType::kNumber, kOnce, 0, 99999999, 0, false, kFrom, "p.first_year", nullptr},
      {"HH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, f.y_flat_runs, nullptr},
      {"SH", ValueType::kNumber, kAny, 0, 99999, 0, true, kEq, f.y_jump_runs, nullptr},
      {"H", ValueType::kNumber, kAny, 0, 9999999, 0, true, kEq,
       Keep(std::string(f.y_flat_prize) + " + " + f.y_jump_prize), nullptr},
      {"1H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.y_wins, f.y_runs), nullptr},
      {"1R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.wins, f.runs), nullptr},
      {"2H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.y_top2, f.y_runs), nullptr},
      {"2R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.top2, f.runs), nullptr},
      {"3H", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.y_top3, f.y_runs), nullptr},
      {"3R", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.top3, f.runs), nullptr},
      {"UDS", ValueType::kCodes, kAny, 0, 1, 0, false, kEq, WithRuns(f), nullptr},
  };
}

KindTable MakeJockeyTable() {
  KindTable t;
  t.kind = SearchKind::kJockey;
  t.name = "jockey";
  t.keys = PersonKeys(FiguresOf(2));
  t.keys.insert(t.keys.end(), {
      {"P", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.affiliation IN (SELECT value FROM json_each(#))", nullptr},
      {"M", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.qualification IN (SELECT value FROM json_each(#))", nullptr},
      {"SK", ValueType::kCodes, kAny, 1, 3, 1, false, kEq,
       "p.apprentice_code IN (SELECT value FROM json_each(#))", nullptr},
      {"STN", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("ifnull(s.name, '')"), nullptr},
  });
  t.select = "SELECT p.code FROM jockey p LEFT JOIN trainer s ON s.code = p.trainer_code WHERE ";
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeStableTable() {
  KindTable t;
  t.kind = SearchKind::kStable;
  t.name = "stable";
  t.keys = PersonKeys(FiguresOf(3));
  // 0 a trainer off the training centres.
  t.keys.push_back({"P", ValueType::kCodes, kAny, 0, 3, 1, false, kEq,
                    "ifnull(p.centre, '0') IN (SELECT value FROM json_each(#))", nullptr});
  t.select = "SELECT p.code FROM trainer p WHERE ";
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeSireTable() {
  KindTable t;
  t.kind = SearchKind::kSire;
  t.name = "sire";
  const Figures f = FiguresOf(4);
  t.keys = {
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, "h.name_key", nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, Which(f), nullptr},
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
      {"1", ValueType::kNumber, kAny, 0, 999999, 0, true, kEq, f.wins, nullptr},
      {"2", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.wins, f.runs), nullptr},
      {"3", ValueType::kNumber, kAny, 0, 1000, 0, true, kEq, Rate(f.top3, f.runs), nullptr},
      {"FN", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("ifnull(p1.name, '')"), nullptr},
      {"MN", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("ifnull(p2.name, '')"), nullptr},
      {"UDS", ValueType::kCodes, kAny, 0, 1, 0, false, kEq, WithRuns(f), nullptr},
  };
  t.select =
      "SELECT p.code FROM sire p JOIN horse h ON h.code = p.code "
      "LEFT JOIN pedigree p1 ON p1.horse_code = p.code AND p1.position = 1 "
      "LEFT JOIN pedigree p2 ON p2.horse_code = p.code AND p2.position = 2 WHERE ";
  t.order = " ORDER BY p.code";
  t.key = t.match = "p.code";
  return t;
}

KindTable MakeDamSireTable() {
  KindTable t;
  t.kind = SearchKind::kDamSire;
  t.name = "dam-sire";
  const Figures f = FiguresOf(6);
  t.keys = {
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, "p.name_key", nullptr},
      {"T", ValueType::kCodes, kAny, 1, 4, 0, false, kEq, Which(f), nullptr},
  };
  // A dam-sire is the dam's sire (pedigree position 5) of a stored horse;
  // its runs are those of the horses it is the dam's sire of.
  t.select =
      "SELECT p.code FROM horse p "
      "WHERE p.code IN (SELECT ancestor_code FROM pedigree WHERE position = 5) AND ";
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
