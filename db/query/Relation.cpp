// The relation between the drill-down's kinds: one table of the kinds, and
// the statement of the keys related across two of them.
#include "db/query/Relation.h"

#include <array>

namespace ydb {

// A race's code from the key columns of `t` (a runner or race row).
#define YDB_RACE_CODE(t) t ".place || printf('%08d%02d', " t ".race_date, " t ".race_no)"
// Rows of `t` keyed by the race code k.value.
#define YDB_RACE_OF_KEY(t)                                                       \
  t ".race_date = CAST(substr(k.value, 3, 8) AS INTEGER) AND " t                 \
  ".place = substr(k.value, 1, 2) AND " t ".race_no = CAST(substr(k.value, 11, 2) AS INTEGER)"

const KindRelation& RelationOf(RecordKind kind) {
  static const std::array<KindRelation, kRecordKinds> kinds = {{
      {"ru.horse_code", "CROSS JOIN runner ru ON ru.horse_code = k.value",
       "CROSS JOIN horse x ON x.code = k.value", "x.code", "h.code", "h.code = k.value"},
      // A sire's runs are its offspring's: from the sire to its horses
      // (horse_by_sire), then their runs.
      {"ru.sire_code",
       "CROSS JOIN horse o ON o.sire_code = k.value CROSS JOIN runner ru ON ru.horse_code = o.code",
       "CROSS JOIN sire x ON x.code = k.value", "x.code", "h.sire_code", "h.sire_code = k.value"},
      {"ru.jockey_code", "CROSS JOIN runner ru ON ru.jockey_code = k.value",
       "CROSS JOIN jockey x ON x.code = k.value", "x.code", nullptr, nullptr},
      {"ru.trainer_code", "CROSS JOIN runner ru ON ru.trainer_code = k.value",
       "CROSS JOIN trainer x ON x.code = k.value", "x.code", nullptr, nullptr},
      {YDB_RACE_CODE("ru"), "CROSS JOIN runner ru ON " YDB_RACE_OF_KEY("ru"),
       "CROSS JOIN race x ON " YDB_RACE_OF_KEY("x"), YDB_RACE_CODE("x"), nullptr, nullptr},
      {YDB_RACE_CODE("ru") " || ru.horse_code",
       "CROSS JOIN runner ru ON ru.horse_code = substr(k.value, 13, 7) AND " YDB_RACE_OF_KEY("ru"),
       "CROSS JOIN runner ru ON ru.horse_code = substr(k.value, 13, 7) AND " YDB_RACE_OF_KEY("ru"),
       YDB_RACE_CODE("ru") " || ru.horse_code", nullptr, nullptr},
  }};
  return kinds[static_cast<std::size_t>(kind)];
}

namespace {

bool ThroughPedigree(RecordKind a, RecordKind b) {
  return RelationOf(a).key_of_horse != nullptr && RelationOf(b).key_of_horse != nullptr;
}

}  // namespace

std::string KeyOfRelated(RecordKind a, RecordKind b) {
  return ThroughPedigree(a, b) ? RelationOf(a).key_of_horse : RelationOf(a).key_of_run;
}

std::string RelatedSql(RecordKind a, RecordKind b, const std::string& keys) {
  const std::string key = KeyOfRelated(a, b);
  if (ThroughPedigree(a, b)) {
    return "SELECT DISTINCT " + key + " FROM " + keys + " CROSS JOIN horse h ON " +
           RelationOf(b).horse_of_key + " WHERE " + key + " IS NOT NULL";
  }
  const std::string through =
      " FROM " + keys + " " + RelationOf(b).runs_of_key +
      " JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no"
      " WHERE r.has_result = 1";
  if (a == RecordKind::kRace) return "SELECT DISTINCT ru.race_date, ru.place, ru.race_no" + through;
  return "SELECT DISTINCT " + key + through + " AND " + key + " IS NOT NULL";
}

}  // namespace ydb
