// Writing one race whole: its meeting, its race row, and everything that
// hangs off it (reference times, runners and their comments, nominations,
// odds, laps, corners, payouts).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/store/OddsBlob.h"
#include "db/write/Bind.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"

namespace ydb {
namespace {

// Binds the race key as parameters 1 to 3.
void BindKey(Statement& st, const RaceKey& key) {
  st.bind(1, key.date).bind(2, key.place).bind(3, key.number);
}

// Runs one of the statements that clear a race's rows of one table.
Status ClearRows(Database& db, const char* sql, const RaceKey& key) {
  Statement& st = db.statement(sql);
  BindKey(st, key);
  return st.run();
}

}  // namespace

Status Writer::putRace(const Race& race) {
  const std::string what = "race " + race.key.code();
  Status s = Validate(race);
  // A race not stored has nothing hanging off it (its rows refer to the
  // race row) and no runs filed: nothing to clear or withdraw.
  bool stored = false;
  if (s.ok()) {
    Statement& find = db_.statement("SELECT 1 FROM race WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
    BindKey(find, race.key);
    stored = find.step();
    s = Context(what, find.status());
    find.reset();
  }
  // Its runs as stored leave their buckets while the race and meeting rows
  // still say where they were filed.
  if (s.ok()) s = Context(what, stored ? derived_.raceWillChange(race.key) : derived_.raceWillBeAdded(race.key));
  if (s.ok()) s = putMeeting(race, what);
  if (s.ok()) s = checkReferences(race, what);
  if (s.ok()) s = putRaceRow(race, what);
  if (s.ok()) s = putRaceChildren(race, stored, what);
  return s;
}

Status Writer::dropRace(const RaceKey& key) {
  const std::string what = "race " + key.code();
  // Its runs leave their buckets while its rows still say where they were
  // filed; the rows hanging off it go with it.
  Status s = Context(what, derived_.raceWillChange(key));
  if (s.ok()) {
    s = ClearRows(db_, "DELETE FROM race WHERE race_date = ?1 AND place = ?2 AND race_no = ?3", key);
    s = Context(what, s);
  }
  if (s.ok()) {
    Statement& meeting = db_.statement(
        "DELETE FROM meeting WHERE race_date = ?1 AND place = ?2 AND NOT EXISTS "
        "(SELECT 1 FROM race WHERE race_date = ?1 AND place = ?2)");
    meeting.bind(1, key.date).bind(2, key.place);
    s = Context(what, meeting.run());
  }
  return s;
}

// A meeting is the racecourse's day: every race of it must agree on kai and
// day, no other day may claim the same kai and day, and a date has at most
// three racecourses.
Status Writer::putMeeting(const Race& race, const std::string& what) {
  const RaceKey& key = race.key;
  Statement& find = db_.statement("SELECT kai, kai_day FROM meeting WHERE race_date = ?1 AND place = ?2");
  find.bind(1, key.date).bind(2, key.place);
  const bool exists = find.step();
  const int kai = exists ? static_cast<int>(find.column_int(0)) : 0;
  const int kai_day = exists ? static_cast<int>(find.column_int(1)) : 0;
  Status s = find.status();
  find.reset();
  if (!s.ok()) return Context(what, s);
  if (exists && kai == race.kai && kai_day == race.kai_day) return Status::Ok();

  if (exists) {
    Statement& others = db_.statement(
        "SELECT count(*) FROM race WHERE race_date = ?1 AND place = ?2 AND race_no <> ?3");
    BindKey(others, key);
    const std::int64_t count = others.step() ? others.column_int(0) : 0;
    s = others.status();
    others.reset();
    if (!s.ok()) return Context(what, s);
    if (count > 0) {
      return Status::InvalidArgument(what + ": the meeting is kai " + std::to_string(kai) + " day " +
                           std::to_string(kai_day) + " for its other races, not kai " +
                           std::to_string(race.kai) + " day " + std::to_string(race.kai_day));
    }
  } else {
    Statement& venues = db_.statement("SELECT count(*) FROM meeting WHERE race_date = ?1");
    venues.bind(1, key.date);
    const std::int64_t count = venues.step() ? venues.column_int(0) : 0;
    s = venues.status();
    venues.reset();
    if (!s.ok()) return Context(what, s);
    if (count >= 3) {
      return Status::InvalidArgument(what + ": " + std::to_string(key.date) +
                           " already has three racecourses");
    }
  }

  Statement& clash = db_.statement(
      "SELECT race_date FROM meeting WHERE place = ?1 AND race_date / 10000 = ?2 AND kai = ?3 "
      "AND kai_day = ?4 AND race_date <> ?5");
  clash.bind(1, key.place).bind(2, key.date / 10000).bind(3, race.kai).bind(4, race.kai_day);
  clash.bind(5, key.date);
  const bool clashes = clash.step();
  const std::int64_t other_date = clashes ? clash.column_int(0) : 0;
  s = clash.status();
  clash.reset();
  if (!s.ok()) return Context(what, s);
  if (clashes) {
    return Status::InvalidArgument(what + ": kai " + std::to_string(race.kai) + " day " +
                         std::to_string(race.kai_day) + " of this racecourse is " +
                         std::to_string(other_date));
  }

  Statement& put = db_.statement(
      "INSERT INTO meeting (race_date, place, kai, kai_day) VALUES (?1, ?2, ?3, ?4) "
      "ON CONFLICT (race_date, place) DO UPDATE SET kai = excluded.kai, kai_day = excluded.kai_day");
  put.bind(1, key.date).bind(2, key.place).bind(3, race.kai).bind(4, race.kai_day);
  return Context(what, put.run());
}

// Everything a race names must be in the store, and a horse runs in one
// race a day.
Status Writer::checkReferences(const Race& race, const std::string& what) {
  Status s;
  for (const Runner& r : race.runners) {
    if (!s.ok()) break;
    const std::string runner = what + " runner " + std::to_string(r.horse_no);
    s = requireExists(Table::kHorse, r.horse_code, runner);
    if (s.ok() && !r.jockey_code.empty()) s = requireExists(Table::kJockey, r.jockey_code, runner);
    if (s.ok()) s = requireExists(Table::kTrainer, r.trainer_code, runner);
    if (s.ok() && !r.owner_code.empty()) s = requireExists(Table::kOwner, r.owner_code, runner);
    if (!s.ok()) break;

    Statement& elsewhere = db_.statement(
        "SELECT place, race_no FROM runner WHERE horse_code = ?1 AND race_date = ?2");
    elsewhere.bind(1, r.horse_code).bind(2, race.key.date);
    RaceKey other;
    const bool found = elsewhere.step();
    if (found) {
      other = {std::string(elsewhere.column_text(0)), race.key.date,
               static_cast<int>(elsewhere.column_int(1))};
    }
    s = Context(runner, elsewhere.status());
    elsewhere.reset();
    if (s.ok() && found && other != race.key) {
      s = Status::InvalidArgument(runner + ": horse " + r.horse_code + " already runs that day in race " +
                        other.code());
    }
  }
  int entry = 0;
  for (const Nomination& n : race.nominations) {
    if (!s.ok()) break;
    const std::string nominee = what + " nomination " + std::to_string(++entry);
    s = requireExists(Table::kHorse, n.horse_code, nominee);
    if (s.ok()) s = requireExists(Table::kTrainer, n.trainer_code, nominee);
    if (s.ok() && !n.jockey_code.empty()) s = requireExists(Table::kJockey, n.jockey_code, nominee);
  }
  return s;
}

Status Writer::putRaceRow(const Race& race, const std::string& what) {
  Statement& st = db_.statement(
      "INSERT INTO race (race_date, place, race_no, has_result, runner_count, edition, name, "
      "grade, condition_text, weight_rule1, weight_rule2, race_kind, class_code, track_code, "
      "direction, inner_outer, rail, distance, post_time, symbol_code, prize_1, prize_2, prize_3, "
      "prize_4, prize_5, added_money, forecast_time, forecast_last_600, going, weather, pace, "
      "time_first_600, time_first_800, time_first_1000, time_last_800, time_last_600, "
      "time_last_mile, comment) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
      "?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32, ?33, ?34, ?35, ?36, "
      "?37, ?38) "
      "ON CONFLICT (race_date, place, race_no) DO UPDATE SET has_result = excluded.has_result, "
      "runner_count = excluded.runner_count, edition = excluded.edition, name = excluded.name, "
      "grade = excluded.grade, condition_text = excluded.condition_text, "
      "weight_rule1 = excluded.weight_rule1, weight_rule2 = excluded.weight_rule2, "
      "race_kind = excluded.race_kind, class_code = excluded.class_code, "
      "track_code = excluded.track_code, direction = excluded.direction, "
      "inner_outer = excluded.inner_outer, rail = excluded.rail, distance = excluded.distance, "
      "post_time = excluded.post_time, symbol_code = excluded.symbol_code, "
      "prize_1 = excluded.prize_1, prize_2 = excluded.prize_2, prize_3 = excluded.prize_3, "
      "prize_4 = excluded.prize_4, prize_5 = excluded.prize_5, "
      "added_money = excluded.added_money, forecast_time = excluded.forecast_time, "
      "forecast_last_600 = excluded.forecast_last_600, going = excluded.going, "
      "weather = excluded.weather, pace = excluded.pace, "
      "time_first_600 = excluded.time_first_600, time_first_800 = excluded.time_first_800, "
      "time_first_1000 = excluded.time_first_1000, time_last_800 = excluded.time_last_800, "
      "time_last_600 = excluded.time_last_600, time_last_mile = excluded.time_last_mile, "
      "comment = excluded.comment");
  BindKey(st, race.key);
  st.bind(4, race.result ? 1 : 0);
  st.bind(5, static_cast<int>(race.runners.size()));
  st.bind(6, race.edition).bind(7, race.name);
  BindText(st, 8, race.grade);
  st.bind(9, race.condition_text);
  BindText(st, 10, race.weight_rule1);
  BindText(st, 11, race.weight_rule2);
  st.bind(12, race.race_kind).bind(13, race.class_code).bind(14, race.track_code);
  BindText(st, 15, race.direction);
  BindText(st, 16, race.inner_outer);
  BindText(st, 17, race.rail);
  st.bind(18, race.distance);
  BindNumber(st, 19, race.post_time);
  BindText(st, 20, race.symbol_code);
  for (int i = 0; i < 5; ++i) st.bind(21 + i, race.prizes[static_cast<std::size_t>(i)]);
  st.bind(26, race.added_money);
  BindNumber(st, 27, race.forecast_time);
  BindNumber(st, 28, race.forecast_last_600);
  BindText(st, 29, race.going);
  BindText(st, 30, race.weather);
  BindText(st, 31, race.pace);
  const RaceResult none;
  const RaceResult& result = race.result ? *race.result : none;
  BindNumber(st, 32, result.time_first_600);
  BindNumber(st, 33, result.time_first_800);
  BindNumber(st, 34, result.time_first_1000);
  BindNumber(st, 35, result.time_last_800);
  BindNumber(st, 36, result.time_last_600);
  BindNumber(st, 37, result.time_last_mile);
  st.bind(38, result.comment);
  return Context(what, st.run());
}

Status Writer::putRaceChildren(const Race& race, bool stored, const std::string& what) {
  static const char* const kClears[] = {
      "DELETE FROM race_lap WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM race_corner WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM race_reference_time WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM runner WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM run_comment WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 AND kind = 0",
      "DELETE FROM nomination WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM odds_set WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
      "DELETE FROM payout WHERE race_date = ?1 AND place = ?2 AND race_no = ?3",
  };
  Status s;
  for (const char* sql : kClears) {
    if (s.ok() && stored) s = ClearRows(db_, sql, race.key);
  }

  for (std::size_t slot = 0; slot < race.reference_times.size() && s.ok(); ++slot) {
    if (!race.reference_times[slot]) continue;
    const ReferenceTime& t = *race.reference_times[slot];
    Statement& st = db_.statement(
        "INSERT INTO race_reference_time (race_date, place, race_no, slot, kind, run_date, time, "
        "horse_name, weight_carried, jockey_name, run_place) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    BindKey(st, race.key);
    st.bind(4, static_cast<int>(slot) + 1);
    BindText(st, 5, t.kind);
    st.bind(6, t.date).bind(7, t.time).bind(8, t.horse_name).bind(9, t.weight_carried);
    st.bind(10, t.jockey_name);
    BindText(st, 11, t.place);
    s = st.run();
  }

  int entry = 0;
  for (const Nomination& n : race.nominations) {
    if (!s.ok()) break;
    Statement& st = db_.statement(
        "INSERT INTO nomination (race_date, place, race_no, entry_no, horse_code, trainer_code, "
        "jockey_code, weight_carried, prediction_mark, training_marks) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    BindKey(st, race.key);
    st.bind(4, ++entry).bind(5, n.horse_code).bind(6, n.trainer_code);
    BindText(st, 7, n.jockey_code);
    BindNumber(st, 8, n.weight_carried);
    BindText(st, 9, n.prediction_mark);
    BindText(st, 10, n.training_marks.find_first_not_of(' ') == std::string::npos
                         ? std::string()
                         : n.training_marks);
    s = st.run();
  }

  if (s.ok()) s = putRunners(race, stored);
  if (s.ok()) s = derived_.raceWritten(race.key);
  if (s.ok() && race.forecast_odds) s = putOdds(race, *race.forecast_odds, false);
  if (!s.ok() || !race.result) return Context(what, s);

  const RaceResult& result = *race.result;
  for (std::size_t i = 0; i < result.laps.size() && s.ok(); ++i) {
    Statement& st = db_.statement(
        "INSERT INTO race_lap (race_date, place, race_no, lap_no, time) VALUES (?1, ?2, ?3, ?4, ?5)");
    BindKey(st, race.key);
    st.bind(4, static_cast<int>(i) + 1).bind(5, result.laps[i]);
    s = st.run();
  }
  for (std::size_t i = 0; i < result.corners.size() && s.ok(); ++i) {
    const Corner& c = result.corners[i];
    Statement& st = db_.statement(
        "INSERT INTO race_corner (race_date, place, race_no, seq, qualifier, position_code, "
        "passing_order) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    BindKey(st, race.key);
    st.bind(4, static_cast<int>(i) + 1);
    BindText(st, 5, c.qualifier);
    st.bind(6, c.position_code).bind(7, c.passing_order);
    s = st.run();
  }
  int seq[5] = {0, 0, 0, 0, 0};
  for (const Payout& p : result.payouts) {
    if (!s.ok()) break;
    Statement& st = db_.statement(
        "INSERT INTO payout (race_date, place, race_no, pool, seq, first, second, amount, "
        "popularity) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    BindKey(st, race.key);
    const int pool = static_cast<int>(p.pool);
    st.bind(4, pool).bind(5, ++seq[pool - 1]).bind(6, p.first).bind(7, p.second);
    st.bind(8, p.amount);
    BindNumber(st, 9, p.popularity);
    s = st.run();
  }
  if (s.ok() && result.final_odds) s = putOdds(race, *result.final_odds, true);
  return Context(what, s);
}

Status Writer::putRunners(const Race& race, bool stored) {
  Status s;
  for (const Runner& r : race.runners) {
    if (!s.ok()) break;
    Statement& st = db_.statement(
        "INSERT INTO runner (horse_code, race_date, place, race_no, horse_no, frame_no, post_no, "
        "sex, age, jockey_code, apprentice_code, weight_carried, blinkers, trainer_code, "
        "owner_code, body_weight, weight_change, prediction_mark, training_marks, sire_code, "
        "bms_code, finish_pos, arrival_order, accident_code, time, margin_lengths, margin_code, "
        "margin_time, corner_1, corner_2, corner_3, corner_4, straight_path, first_600, last_600, "
        "popularity, win_odds, speed_index, prize_money, added_money) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
        "?19, (SELECT sire_code FROM horse WHERE code = ?1), "
        "(SELECT ancestor_code FROM pedigree WHERE horse_code = ?1 AND position = 5), "
        "?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32, ?33, ?34, ?35, ?36, "
        "?37, ?38)");
    st.bind(1, r.horse_code).bind(2, race.key.date).bind(3, race.key.place);
    st.bind(4, race.key.number).bind(5, r.horse_no).bind(6, r.frame_no);
    BindNumber(st, 7, r.post_no == r.horse_no ? 0 : r.post_no);
    st.bind(8, r.sex).bind(9, r.age);
    BindText(st, 10, r.jockey_code);
    BindText(st, 11, r.apprentice_code);
    st.bind(12, r.weight_carried).bind(13, r.blinkers ? 1 : 0).bind(14, r.trainer_code);
    BindText(st, 15, r.owner_code);
    BindNumber(st, 16, r.body_weight);
    BindOptional(st, 17, r.weight_change);
    BindText(st, 18, r.prediction_mark);
    BindText(st, 19, r.training_marks.find_first_not_of(' ') == std::string::npos
                         ? std::string()
                         : r.training_marks);
    if (r.result) {
      const RunnerResult& x = *r.result;
      st.bind(20, x.finish_pos).bind(21, x.arrival_order);
      BindText(st, 22, x.accident_code);
      BindNumber(st, 23, x.time);
      BindNumber(st, 24, x.margin_lengths);
      BindText(st, 25, x.margin_code);
      BindOptional(st, 26, x.margin_time);
      for (int i = 0; i < 4; ++i) BindNumber(st, 27 + i, x.corners[static_cast<std::size_t>(i)]);
      BindText(st, 31, x.straight_path);
      BindNumber(st, 32, x.first_600);
      BindNumber(st, 33, x.last_600);
      BindNumber(st, 34, x.popularity);
      BindNumber(st, 35, x.win_odds);
      BindNumber(st, 36, x.speed_index);
      st.bind(37, x.prize_money).bind(38, x.added_money);
    } else {
      for (int i = 20; i <= 36; ++i) st.bind_null(i);
      st.bind(37, 0).bind(38, 0);
    }
    s = Context("runner " + std::to_string(r.horse_no), st.run());

    if (s.ok() && !r.comment.empty()) {
      Statement& comment = db_.statement(
          "INSERT INTO run_comment (race_date, place, race_no, horse_code, kind, text) "
          "VALUES (?1, ?2, ?3, ?4, 0, ?5)");
      BindKey(comment, race.key);
      comment.bind(4, r.horse_code).bind(5, r.comment);
      s = comment.run();
    }
  }
  // A memo stays with its run; a horse gone from the race takes its memo along.
  if (s.ok() && stored) {
    Statement& orphans = db_.statement(
        "DELETE FROM run_comment WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
        "AND horse_code NOT IN (SELECT horse_code FROM runner "
        "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3)");
    BindKey(orphans, race.key);
    s = orphans.run();
  }
  return s;
}

Status Writer::putOdds(const Race& race, const OddsSet& odds, bool final) {
  const int runners = static_cast<int>(race.runners.size());
  Statement& set = db_.statement(
      "INSERT INTO odds_set (race_date, place, race_no, final, kind, announced, runners) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  BindKey(set, race.key);
  set.bind(4, final ? 1 : 0);
  BindText(set, 5, odds.kind);
  if (odds.kind == "1" || (final && odds.announced != 0)) {
    set.bind(6, odds.announced);
  } else {
    set.bind_null(6);
  }
  set.bind(7, runners);
  Status s = set.run();

  // Gather each pool's values in its combination order; validation has made
  // sure every entry is a combination of the field, given once.
  std::map<int, std::vector<std::int32_t>> pools;
  for (const OddsEntry& e : odds.entries) {
    const int pool = static_cast<int>(e.pool);
    const int slots = odds_blob::SlotsPerCombination(pool);
    auto& values = pools[pool];
    if (values.empty()) {
      values.assign(static_cast<std::size_t>(odds_blob::CombinationCount(pool, runners) * slots),
                    odds_blob::kNone);
    }
    const auto at = static_cast<std::size_t>(
        odds_blob::IndexOf(pool, runners, e.first, e.second) * slots);
    values[at] = e.odds > 0 ? e.odds
                 : e.mark == "*" ? odds_blob::kStar
                 : e.mark == "/" ? odds_blob::kScratched
                                 : odds_blob::kNone;
    if (slots == 2) values[at + 1] = e.odds > 0 ? e.odds_max : 0;
  }
  for (const auto& [pool, values] : pools) {
    if (!s.ok()) break;
    Statement& st = db_.statement(
        "INSERT INTO odds (race_date, place, race_no, final, pool, packed) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    BindKey(st, race.key);
    st.bind(4, final ? 1 : 0).bind(5, pool).bind_blob(6, odds_blob::Pack(values));
    s = st.run();
  }
  return Context(final ? "final odds" : "odds", s);
}

}  // namespace ydb
