// Adding and taking away the figures of runs in entity_total: each change
// one INSERT ... SELECT over the runner rows it names, grouped by entity,
// year and surface, merged into the stored rows by upsert.
#include "db/derived/EntityTotals.h"

namespace ydb {
namespace {

// The kinds every run counts for, and the runner column naming each one's
// entity.
constexpr const char* kEveryKind =
    "SELECT 1 AS kind UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 "
    "UNION ALL SELECT 6";
constexpr const char* kEntityOfRun =
    "CASE k.kind WHEN 1 THEN ru.horse_code WHEN 2 THEN ru.jockey_code "
    "WHEN 3 THEN ru.trainer_code WHEN 4 THEN ru.sire_code ELSE ru.bms_code END";
constexpr const char* kAncestorKinds = "SELECT 4 AS kind UNION ALL SELECT 6";

// The statement adding (sign "+") or taking away (sign "-") the figures of
// the runs `where` picks, each filed under the entity `entity` names for
// every kind of `kinds`.
std::string Change(const char* kinds, const char* entity, const char* where, const char* sign) {
  const std::string s = std::string(sign) + "1 * ";
  return std::string(
             "INSERT INTO entity_total (kind, code, year, surface, firsts, seconds, thirds, "
             "unplaced, prize_money, added_money) "
             "SELECT k.kind, ") + entity + " AS entity, ru.race_date / 10000, "
         "CAST(r.surface AS INTEGER), " +
         s + "sum(ru.finish_pos = 1), " + s + "sum(ru.finish_pos = 2), " + s +
         "sum(ru.finish_pos = 3), " + s + "sum(ru.finish_pos NOT BETWEEN 1 AND 3), " + s +
         "sum(ru.prize_money), " + s + "sum(ru.added_money) "
         "FROM runner ru JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place "
         "AND r.race_no = ru.race_no JOIN (" + kinds + ") k "
         "WHERE " + where + " AND ru.finish_pos IS NOT NULL "
         "AND (ru.accident_code IS NULL OR ru.accident_code NOT IN ('34', '35')) "
         "GROUP BY 1, 2, 3, 4 HAVING entity IS NOT NULL "
         "ON CONFLICT (kind, code, year, surface) DO UPDATE SET "
         "firsts = firsts + excluded.firsts, seconds = seconds + excluded.seconds, "
         "thirds = thirds + excluded.thirds, unplaced = unplaced + excluded.unplaced, "
         "prize_money = prize_money + excluded.prize_money, "
         "added_money = added_money + excluded.added_money";
}

constexpr const char* kOfRace = "ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3";

Status ChangeRace(Database& db, const RaceKey& race, const char* sign) {
  static const std::string add = Change(kEveryKind, kEntityOfRun, kOfRace, "+");
  static const std::string take = Change(kEveryKind, kEntityOfRun, kOfRace, "-");
  Statement& st = db.statement(*sign == '+' ? add : take);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return st.run().Within("entity totals");
}

void BindCode(Statement& st, int index, const std::string& code) {
  if (code.empty()) {
    st.bind_null(index);
  } else {
    st.bind(index, code);
  }
}

}  // namespace

Status EntityTotals::withdrawRace(const RaceKey& race) { return ChangeRace(db_, race, "-"); }

Status EntityTotals::countRace(const RaceKey& race) { return ChangeRace(db_, race, "+"); }

Status EntityTotals::changeAncestors(const std::string& horse, const std::string& sire,
                                     const std::string& dams_sire) {
  static const std::string take = Change(
      kAncestorKinds, "CASE k.kind WHEN 4 THEN ru.sire_code ELSE ru.bms_code END",
      "ru.horse_code = ?1", "-");
  static const std::string add = Change(
      kAncestorKinds, "CASE k.kind WHEN 4 THEN ?2 ELSE ?3 END", "ru.horse_code = ?1", "+");
  Statement& away = db_.statement(take);
  away.bind(1, horse);
  Status s = away.run();
  if (s.ok()) {
    Statement& to = db_.statement(add);
    to.bind(1, horse);
    BindCode(to, 2, sire);
    BindCode(to, 3, dams_sire);
    s = to.run();
  }
  return s.Within("entity totals");
}

Status EntityTotals::countEveryRun() {
  static const std::string every = Change(kEveryKind, kEntityOfRun, "1", "+");
  return db_.statement(every).run().Within("entity totals");
}

Status EntityTotals::countEveryHorsesRuns() {
  static const std::string horses = Change("SELECT 1 AS kind", "ru.horse_code", "1", "+");
  Status s = db_.exec("DELETE FROM entity_total WHERE kind = 1");
  if (s.ok()) s = db_.statement(horses).run();
  return s.Within("entity totals");
}

}  // namespace ydb
