// Adding and taking away the figures of runs in entity_total: each change
// one SELECT over the runner rows it names, grouped by entity, year and
// surface, summed in memory and merged into the stored rows by upsert at
// the flush, once an entity, year and surface.
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

// What makes a runner's row a run.
constexpr const char* kCounted =
    " AND ru.finish_pos IS NOT NULL "
    "AND (ru.accident_code IS NULL OR ru.accident_code NOT IN ('34', '35'))";

// The figures of the runs `where` picks, each under the entity `entity`
// names for every kind of `kinds`, by entity, year and surface.
std::string Selection(const char* kinds, const char* entity, const char* where) {
  return std::string("SELECT k.kind, ") + entity + " AS entity, ru.race_date / 10000, "
         "CAST(r.surface AS INTEGER), sum(ru.finish_pos = 1), sum(ru.finish_pos = 2), "
         "sum(ru.finish_pos = 3), sum(ru.finish_pos NOT BETWEEN 1 AND 3), "
         "sum(ru.prize_money), sum(ru.added_money) "
         "FROM runner ru JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place "
         "AND r.race_no = ru.race_no JOIN (" + kinds + ") k "
         "WHERE " + where + kCounted + " GROUP BY 1, 2, 3, 4 HAVING entity IS NOT NULL";
}

constexpr const char* kInsert =
    "INSERT INTO entity_total (kind, code, year, surface, firsts, seconds, thirds, unplaced, "
    "prize_money, added_money) ";
constexpr const char* kMerge =
    " ON CONFLICT (kind, code, year, surface) DO UPDATE SET "
    "firsts = firsts + excluded.firsts, seconds = seconds + excluded.seconds, "
    "thirds = thirds + excluded.thirds, unplaced = unplaced + excluded.unplaced, "
    "prize_money = prize_money + excluded.prize_money, "
    "added_money = added_money + excluded.added_money";

// The statement adding the figures of a Selection to the stored rows.
std::string Change(const char* kinds, const char* entity, const char* where) {
  return kInsert + Selection(kinds, entity, where) + kMerge;
}

constexpr const char* kOfRace = "ru.race_date = ?1 AND ru.place = ?2 AND ru.race_no = ?3";

void BindCode(Statement& st, int index, const std::string& code) {
  if (code.empty()) {
    st.bind_null(index);
  } else {
    st.bind(index, code);
  }
}

}  // namespace

Status EntityTotals::add(Statement& selection, int sign) {
  return EachRow(selection, [&](const Statement& row) {
    Figures& figures = pending_[{static_cast<int>(row.column_int(0)), std::string(row.column_text(1)),
                                 static_cast<int>(row.column_int(2)),
                                 static_cast<int>(row.column_int(3))}];
    for (std::size_t i = 0; i < figures.size(); ++i) {
      figures[i] += sign * row.column_int(static_cast<int>(i) + 4);
    }
    return Status::Ok();
  });
}

Status EntityTotals::changeRace(const RaceKey& race, int sign) {
  // The runs of the race, each counted here for each of its entities (a
  // race's runs are too few for the grouping in SQL to pay).
  static const std::string runs =
      std::string("SELECT ru.race_date / 10000, CAST(r.surface AS INTEGER), ru.finish_pos, "
                  "ru.prize_money, ru.added_money, ru.horse_code, ru.jockey_code, "
                  "ru.trainer_code, ru.sire_code, ru.bms_code "
                  "FROM runner ru JOIN race r ON r.race_date = ru.race_date AND r.place = ru.place "
                  "AND r.race_no = ru.race_no WHERE ") + kOfRace + kCounted;
  static const TotalKind kKinds[] = {TotalKind::kHorse, TotalKind::kJockey, TotalKind::kTrainer,
                                     TotalKind::kSire, TotalKind::kDamsSire};
  Statement& st = db_.statement(runs);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  const Status s = EachRow(st, [&](const Statement& row) {
    const int year = static_cast<int>(row.column_int(0));
    const int surface = static_cast<int>(row.column_int(1));
    const std::int64_t place = row.column_int(2);
    const Figures run = {place == 1, place == 2, place == 3, place < 1 || place > 3,
                         row.column_int(3), row.column_int(4)};
    for (int i = 0; i < 5; ++i) {
      if (row.column_is_null(5 + i)) continue;
      Figures& figures = pending_[{static_cast<int>(kKinds[i]), std::string(row.column_text(5 + i)),
                                   year, surface}];
      for (std::size_t f = 0; f < figures.size(); ++f) figures[f] += sign * run[f];
    }
    return Status::Ok();
  });
  return s.Within("entity totals");
}

Status EntityTotals::withdrawRace(const RaceKey& race) { return changeRace(race, -1); }

Status EntityTotals::countRace(const RaceKey& race) { return changeRace(race, +1); }

Status EntityTotals::changeAncestors(const std::string& horse, const std::string& sire,
                                     const std::string& dams_sire) {
  static const std::string from = Selection(
      kAncestorKinds, "CASE k.kind WHEN 4 THEN ru.sire_code ELSE ru.bms_code END",
      "ru.horse_code = ?1");
  static const std::string to = Selection(
      kAncestorKinds, "CASE k.kind WHEN 4 THEN ?2 ELSE ?3 END", "ru.horse_code = ?1");
  Statement& away = db_.statement(from);
  away.bind(1, horse);
  Status s = add(away, -1);
  if (s.ok()) {
    Statement& onto = db_.statement(to);
    onto.bind(1, horse);
    BindCode(onto, 2, sire);
    BindCode(onto, 3, dams_sire);
    s = add(onto, +1);
  }
  return s.Within("entity totals");
}

Status EntityTotals::flush() {
  static const std::string merge =
      std::string(kInsert) + "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)" + kMerge;
  Status s;
  for (const auto& [entity, figures] : pending_) {
    if (!s.ok()) break;
    Statement& st = db_.statement(merge);
    st.bind(1, entity.kind).bind(2, entity.code).bind(3, entity.year).bind(4, entity.surface);
    for (std::size_t i = 0; i < figures.size(); ++i) {
      st.bind(static_cast<int>(i) + 5, figures[i]);
    }
    s = st.run();
  }
  discard();
  return s.Within("entity totals");
}

Status EntityTotals::countEveryRun() {
  static const std::string every = Change(kEveryKind, kEntityOfRun, "1");
  return db_.statement(every).run().Within("entity totals");
}

Status EntityTotals::countEveryHorsesRuns() {
  static const std::string horses = Change("SELECT 1 AS kind", "ru.horse_code", "1");
  Status s = db_.exec("DELETE FROM entity_total WHERE kind = 1");
  if (s.ok()) s = db_.statement(horses).run();
  return s.Within("entity totals");
}

}  // namespace ydb
