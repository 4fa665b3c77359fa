// Reading races whole: the race row with its meeting, then the rows that
// hang off it (reference times, nominations, runners with their run
// comments, odds, laps, corners, payouts), each fetched by the race key.
#include <cstdint>
#include <string>
#include <vector>

#include "db/read/Reader.h"
#include "db/read/Row.h"
#include "db/store/OddsBlob.h"

namespace ydb {
namespace {

// Binds the race key as parameters 1 to 3.
Statement& ForRace(Statement& st, const RaceKey& key) {
  st.bind(1, key.date).bind(2, key.place).bind(3, key.number);
  return st;
}

std::string Subject(const Race& race) { return "race " + race.key.code(); }

}  // namespace

Status Reader::readRaces(const Visitor<Race>& visit) {
  Statement& st = db_.statement(
      "SELECT r.race_date, r.place, r.race_no, m.kai, m.kai_day, r.has_result, r.edition, "
      "r.name, r.grade, r.condition_text, r.weight_rule1, r.weight_rule2, r.race_kind, "
      "r.class_code, r.track_code, r.direction, r.inner_outer, r.rail, r.distance, r.post_time, "
      "r.symbol_code, r.prize_1, r.prize_2, r.prize_3, r.prize_4, r.prize_5, r.added_money, "
      "r.forecast_time, r.forecast_last_600, r.going, r.weather, r.pace, r.time_first_600, "
      "r.time_first_800, r.time_first_1000, r.time_last_800, r.time_last_600, "
      "r.time_last_mile, r.comment "
      "FROM race r JOIN meeting m ON m.race_date = r.race_date AND m.place = r.place "
      "ORDER BY r.race_date, r.place, r.race_no");
  return EachRow(st, [&](const Statement& row) {
    Race race;
    race.key = {TextAt(row, 1), IntAt(row, 0), IntAt(row, 2)};
    race.kai = IntAt(row, 3);
    race.kai_day = IntAt(row, 4);
    const bool has_result = IntAt(row, 5) != 0;
    race.edition = IntAt(row, 6);
    race.name = TextAt(row, 7);
    race.grade = TextAt(row, 8);
    race.condition_text = TextAt(row, 9);
    race.weight_rule1 = TextAt(row, 10);
    race.weight_rule2 = TextAt(row, 11);
    race.race_kind = TextAt(row, 12);
    race.class_code = TextAt(row, 13);
    race.track_code = TextAt(row, 14);
    race.direction = TextAt(row, 15);
    race.inner_outer = TextAt(row, 16);
    race.rail = TextAt(row, 17);
    race.distance = IntAt(row, 18);
    race.post_time = IntAt(row, 19);
    race.symbol_code = TextAt(row, 20);
    for (int i = 0; i < 5; ++i) race.prizes[static_cast<std::size_t>(i)] = Int64At(row, 21 + i);
    race.added_money = Int64At(row, 26);
    race.forecast_time = IntAt(row, 27);
    race.forecast_last_600 = IntAt(row, 28);
    race.going = TextAt(row, 29);
    race.weather = TextAt(row, 30);
    race.pace = TextAt(row, 31);
    if (has_result) {
      RaceResult result;
      result.time_first_600 = IntAt(row, 32);
      result.time_first_800 = IntAt(row, 33);
      result.time_first_1000 = IntAt(row, 34);
      result.time_last_800 = IntAt(row, 35);
      result.time_last_600 = IntAt(row, 36);
      result.time_last_mile = IntAt(row, 37);
      result.comment = TextAt(row, 38);
      race.result = std::move(result);
    }
    Status s = readCard(&race);
    if (s.ok()) s = readRunners(&race);
    if (s.ok()) s = readOdds(&race);
    if (s.ok() && race.result) s = readResult(&race);
    return s.ok() ? visit(race) : s;
  });
}

Status Reader::readCard(Race* race) {
  Statement& times = ForRace(db_.statement(
      "SELECT slot, kind, run_date, time, horse_name, weight_carried, jockey_name, run_place "
      "FROM race_reference_time WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
      "ORDER BY slot"), race->key);
  Status s = EachRow(times, [&](const Statement& row) {
    const int slot = IntAt(row, 0);
    if (slot < 1 || slot > 3) {
      return Status::Corruption(Subject(*race) + ": reference time slot " + std::to_string(slot) +
                           " is outside 1-3");
    }
    race->reference_times[static_cast<std::size_t>(slot - 1)] =
        ReferenceTime{TextAt(row, 1), IntAt(row, 2), IntAt(row, 3), TextAt(row, 4),
                      IntAt(row, 5),  TextAt(row, 6), TextAt(row, 7)};
    return Status::Ok();
  });
  if (!s.ok()) return s;

  Statement& nominations = ForRace(db_.statement(
      "SELECT horse_code, trainer_code, jockey_code, weight_carried, prediction_mark, "
      "training_marks FROM nomination WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
      "ORDER BY entry_no"), race->key);
  return EachRow(nominations, [&](const Statement& row) {
    race->nominations.push_back(Nomination{TextAt(row, 0), TextAt(row, 1), TextAt(row, 2),
                                           IntAt(row, 3), TextAt(row, 4), TextAt(row, 5)});
    return Status::Ok();
  });
}

Status Reader::readRunners(Race* race) {
  Statement& st = ForRace(db_.statement(
      "SELECT r.horse_no, r.frame_no, r.post_no, r.horse_code, r.sex, r.age, r.jockey_code, "
      "r.apprentice_code, r.weight_carried, r.blinkers, r.trainer_code, r.owner_code, "
      "r.body_weight, r.weight_change, r.prediction_mark, r.training_marks, c.text, "
      "r.finish_pos, r.arrival_order, r.accident_code, r.time, r.margin_lengths, r.margin_code, "
      "r.margin_time, r.corner_1, r.corner_2, r.corner_3, r.corner_4, r.straight_path, "
      "r.first_600, r.last_600, r.popularity, r.win_odds, r.speed_index, r.prize_money, "
      "r.added_money "
      "FROM runner r LEFT JOIN run_comment c ON c.race_date = r.race_date AND c.place = r.place "
      "AND c.race_no = r.race_no AND c.horse_code = r.horse_code AND c.kind = 0 "
      "WHERE r.race_date = ?1 AND r.place = ?2 AND r.race_no = ?3 ORDER BY r.horse_no"),
      race->key);
  return EachRow(st, [&](const Statement& row) {
    Runner r;
    r.horse_no = IntAt(row, 0);
    r.frame_no = IntAt(row, 1);
    r.post_no = IntAt(row, 2);
    r.horse_code = TextAt(row, 3);
    r.sex = TextAt(row, 4);
    r.age = IntAt(row, 5);
    r.jockey_code = TextAt(row, 6);
    r.apprentice_code = TextAt(row, 7);
    r.weight_carried = IntAt(row, 8);
    r.blinkers = IntAt(row, 9) != 0;
    r.trainer_code = TextAt(row, 10);
    r.owner_code = TextAt(row, 11);
    r.body_weight = IntAt(row, 12);
    r.weight_change = OptionalAt(row, 13);
    r.prediction_mark = TextAt(row, 14);
    r.training_marks = TextAt(row, 15);
    r.comment = TextAt(row, 16);
    if (race->result) {
      RunnerResult x;
      x.finish_pos = IntAt(row, 17);
      x.arrival_order = IntAt(row, 18);
      x.accident_code = TextAt(row, 19);
      x.time = IntAt(row, 20);
      x.margin_lengths = IntAt(row, 21);
      x.margin_code = TextAt(row, 22);
      x.margin_time = OptionalAt(row, 23);
      for (int i = 0; i < 4; ++i) x.corners[static_cast<std::size_t>(i)] = IntAt(row, 24 + i);
      x.straight_path = TextAt(row, 28);
      x.first_600 = IntAt(row, 29);
      x.last_600 = IntAt(row, 30);
      x.popularity = IntAt(row, 31);
      x.win_odds = IntAt(row, 32);
      x.speed_index = IntAt(row, 33);
      x.prize_money = Int64At(row, 34);
      x.added_money = Int64At(row, 35);
      r.result = x;
    }
    race->runners.push_back(std::move(r));
    return Status::Ok();
  });
}

Status Reader::readOdds(Race* race) {
  Statement& sets = ForRace(db_.statement(
      "SELECT final, kind, announced, runners FROM odds_set "
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 ORDER BY final"), race->key);
  return EachRow(sets, [&](const Statement& set_row) {
    const bool final = IntAt(set_row, 0) != 0;
    const int runners = IntAt(set_row, 3);
    const std::string what = Subject(*race) + (final ? " final odds" : " odds");
    if (final && !race->result) return Status::InvalidArgument(what + ": the race has no result");
    OddsSet odds;
    odds.kind = TextAt(set_row, 1);
    odds.announced = IntAt(set_row, 2);

    Statement& pools = ForRace(db_.statement(
        "SELECT pool, packed FROM odds WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
        "AND final = ?4 ORDER BY pool"), race->key);
    pools.bind(4, final ? 1 : 0);
    Status s = EachRow(pools, [&](const Statement& row) {
      const int pool = IntAt(row, 0);
      std::vector<std::int32_t> values;
      if (!odds_blob::Unpack(row.column_blob(1), pool, runners, &values)) {
        return Status::Corruption(what + ": the packed odds of pool " + std::to_string(pool) +
                             " do not fit a field of " + std::to_string(runners));
      }
      const int slots = odds_blob::SlotsPerCombination(pool);
      const std::size_t before = odds.entries.size();
      for (std::size_t at = 0; at < values.size(); at += static_cast<std::size_t>(slots)) {
        const std::int32_t value = values[at];
        if (value == odds_blob::kNone) continue;
        OddsEntry e;
        e.pool = static_cast<Pool>(pool);
        odds_blob::CombinationAt(pool, runners, static_cast<int>(at) / slots, &e.first,
                                 &e.second);
        if (value > 0) {
          e.odds = value;
          e.odds_max = slots == 2 ? values[at + 1] : 0;
        } else {
          e.mark = value == odds_blob::kStar ? "*" : "/";
        }
        odds.entries.push_back(e);
      }
      // A pool kept with no odds at all (no sale) is told by one "-".
      if (odds.entries.size() == before) {
        const bool pair = pool >= odds_blob::kBracketQuinella;
        odds.entries.push_back({static_cast<Pool>(pool), 1, pair ? 2 : 0, 0, 0, "-"});
      }
      return Status::Ok();
    });
    if (!s.ok()) return s;
    if (final) {
      race->result->final_odds = std::move(odds);
    } else {
      race->forecast_odds = std::move(odds);
    }
    return Status::Ok();
  });
}

Status Reader::readResult(Race* race) {
  RaceResult& result = *race->result;
  Statement& laps = ForRace(db_.statement(
      "SELECT time FROM race_lap WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
      "ORDER BY lap_no"), race->key);
  Status s = EachRow(laps, [&](const Statement& row) {
    result.laps.push_back(IntAt(row, 0));
    return Status::Ok();
  });
  if (!s.ok()) return s;

  Statement& corners = ForRace(db_.statement(
      "SELECT qualifier, position_code, passing_order FROM race_corner "
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 ORDER BY seq"), race->key);
  s = EachRow(corners, [&](const Statement& row) {
    result.corners.push_back(Corner{TextAt(row, 0), IntAt(row, 1), TextAt(row, 2)});
    return Status::Ok();
  });
  if (!s.ok()) return s;

  Statement& payouts = ForRace(db_.statement(
      "SELECT pool, first, second, amount, popularity FROM payout "
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 ORDER BY pool, seq"), race->key);
  return EachRow(payouts, [&](const Statement& row) {
    const std::optional<Pool> pool = PoolOfNumber(IntAt(row, 0));
    if (!pool) {
      return Status::Corruption(Subject(*race) + ": a payout of pool " +
                                std::to_string(IntAt(row, 0)));
    }
    result.payouts.push_back(
        Payout{*pool, IntAt(row, 1), IntAt(row, 2), Int64At(row, 3), IntAt(row, 4)});
    return Status::Ok();
  });
}

}  // namespace ydb
