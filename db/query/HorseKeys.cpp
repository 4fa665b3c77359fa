// The keys of the horse search: name, which horses, sex, age, coat and
// mark, the trainer's centre, the career's counts and prize money, and the
// names of the parents, the dam's sire, the trainer, the owner and the
// breeder. The counts are those of the horse record: runs of races run,
// scratched (34) and excluded (35) entries not counted.
#include <string_view>

#include "db/query/KeyTable.h"

namespace ydb {
namespace {

constexpr Comparison kEq = Comparison::kEqual;
constexpr Repeats kAny = Repeats::kAlternatives;

// The horse's runs that meet `where`, counted.
#define YDB_HORSE_RUNS(what, where)                                                        \
  "(SELECT " what " FROM runner ru JOIN race r ON r.race_date = ru.race_date AND "        \
  "r.place = ru.place AND r.race_no = ru.race_no WHERE ru.horse_code = h.code AND "       \
  "r.has_result = 1 AND ifnull(ru.accident_code, '') NOT IN ('34', '35')" where ")"
#define YDB_HORSE_COUNT(where) YDB_HORSE_RUNS("count(*)", where)

// The horses whose pedigree name at `position` (1 sire, 2 dam, 5 dam's
// sire) meets the terms ("@", on n.name): each distinct name of the
// position is tested once, read from the position's index
// (pedigree_by_sire_name, _dam_name, _dams_sire_name), and the horses of
// the names that match are reached through it, instead of testing every
// horse's name. `names` gives the distinct names as n(name).
#define YDB_BY_PEDIGREE_NAME(names, position)                                       \
  "h.code IN (WITH RECURSIVE n(name) AS (" names(position) ") SELECT p.horse_code " \
  "FROM n CROSS JOIN pedigree p ON p.position = " position " AND p.name = n.name WHERE @)"
// Few names (sires, dams' sires: about 600 and 500 over ten seasons, where
// 62,000 horses name one): each the next after the last, one seek apiece.
#define YDB_FEW_NAMES(position)                                                     \
  "SELECT min(name) FROM pedigree WHERE position = " position " UNION ALL "         \
  "SELECT (SELECT min(q.name) FROM pedigree q WHERE q.position = " position " AND " \
  "q.name > n.name) FROM n WHERE n.name IS NOT NULL"
// Many names (dams: about 26,000): the whole index read once, in order.
#define YDB_MANY_NAMES(position) "SELECT DISTINCT name FROM pedigree WHERE position = " position

KindTable MakeHorseTable() {
  KindTable t;
  t.kind = SearchKind::kHorse;
  t.name = "horse";
  t.select = "SELECT h.code FROM horse h WHERE ";
  t.order = " ORDER BY h.code";
  t.key = t.match = "h.code";
  t.keys = {
      {"N", ValueType::kText, kAny, 0, 0, 0, false, kEq, "h.name_key", nullptr},
      {"T", ValueType::kCodes, Repeats::kOnce, 1, 4, 0, false, kEq,
       "EXISTS (SELECT 1 FROM json_each(#) WHERE CASE value WHEN 1 THEN 1 "
       "WHEN 2 THEN h.trainer_code IS NOT NULL WHEN 3 THEN h.trainer_code IS NULL "
       "ELSE EXISTS (SELECT 1 FROM check_mark c WHERE c.kind = 1 AND c.code = h.code) END)",
       nullptr},
      {"S", ValueType::kCodes, kAny, 0, 2, 1, false, kEq,
       "h.sex IN (SELECT value FROM json_each(#))", nullptr},
      {"A", ValueType::kCodes, kAny, 0, 99, 0, false, kEq,
       "(h.birth_date > 0 AND (CAST(ydb_today('') AS INTEGER) / 10000 - "
       "h.birth_date / 10000) IN (SELECT value FROM json_each(#)))", nullptr},
      {"C", ValueType::kCodes, kAny, 1, 8, 2, false, kEq,
       "substr('0' || min(CAST(h.coat_code AS INTEGER), 8), -2) IN "
       "(SELECT value FROM json_each(#))", nullptr},
      {"K", ValueType::kCodes, kAny, 0, 26, 2, false, kEq,
       "ifnull(h.mark_code, '00') IN (SELECT value FROM json_each(#))", nullptr},
      {"P", ValueType::kCodes, kAny, 1, 4, 1, false, kEq,
       "ifnull((SELECT t.centre FROM trainer t WHERE t.code = h.trainer_code), '4') IN "
       "(SELECT value FROM json_each(#))", nullptr},
      {"HH", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND r.surface <> '2' AND ru.finish_pos = 1"), nullptr},
      {"HR", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND r.surface <> '2'"), nullptr},
      {"SH", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND r.surface = '2' AND ru.finish_pos = 1"), nullptr},
      {"SR", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND r.surface = '2'"), nullptr},
      {"H", ValueType::kNumber, kAny, 0, 9999999, 0, true, kEq,
       YDB_HORSE_RUNS("ifnull(sum(ru.prize_money), 0) / 10000", ""), nullptr},
      {"R", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq, YDB_HORSE_COUNT(""), nullptr},
      {"1", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND ru.finish_pos = 1"), nullptr},
      {"2", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND ru.finish_pos = 2"), nullptr},
      {"3", ValueType::kNumber, kAny, 0, 9999, 0, true, kEq,
       YDB_HORSE_COUNT(" AND ru.finish_pos = 3"), nullptr},
      {"FN", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("n.name"),
       YDB_BY_PEDIGREE_NAME(YDB_FEW_NAMES, "1")},
      {"MN", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("n.name"),
       YDB_BY_PEDIGREE_NAME(YDB_MANY_NAMES, "2")},
      {"BNS", ValueType::kText, kAny, 0, 0, 0, false, kEq, YDB_SEARCH_KEY("n.name"),
       YDB_BY_PEDIGREE_NAME(YDB_FEW_NAMES, "5")},
      {"STN", ValueType::kText, kAny, 0, 0, 0, false, kEq,
       YDB_SEARCH_KEY("(SELECT t.name FROM trainer t WHERE t.code = h.trainer_code)"), nullptr},
      {"SNT", ValueType::kText, kAny, 0, 0, 0, false, kEq,
       "(SELECT o.name_key FROM owner o WHERE o.code = h.owner_code)", nullptr},
      {"SSN", ValueType::kText, kAny, 0, 0, 0, false, kEq,
       "(SELECT b.name_key FROM breeder b WHERE b.code = h.breeder_code)", nullptr},
      {"UDS", ValueType::kCodes, Repeats::kOnce, 0, 1, 0, false, kEq,
       "(" YDB_HORSE_COUNT("") " > 0) IN (SELECT value FROM json_each(#))", nullptr},
  };
  return t;
}

}  // namespace

const KindTable& HorseKeyTable() {
  static const KindTable table = MakeHorseTable();
  return table;
}

}  // namespace ydb
