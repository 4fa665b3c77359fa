// Checks of a race: its key and card, its runners and nominations, its
// odds, and its result with laps, corners, comments and payouts.
#include <set>
#include <string>
#include <vector>

#include "db/base/NameWidths.h"
#include "db/write/Checker.h"
#include "db/write/Validation.h"

namespace ydb {
namespace {

constexpr int kMaxRunners = 28;
constexpr int kMaxNominations = 128;

int PoolIndex(Pool pool) { return static_cast<int>(pool) - 1; }

bool IsPool(Pool pool) { return PoolIndex(pool) >= 0 && PoolIndex(pool) < 5; }

const char* PoolName(Pool pool) {
  static const char* const kNames[5] = {"win", "place", "bracket quinella", "quinella", "wide"};
  return IsPool(pool) ? kNames[PoolIndex(pool)] : "unknown pool";
}

std::string Combination(Pool pool, int first, int second) {
  std::string text = std::string(PoolName(pool)) + " " + std::to_string(first);
  if (!SingleHorse(pool)) text += "-" + std::to_string(second);
  return text;
}

// Whether (first, second) is a combination of `pool` in a field of
// `runners`; else the reason.
std::string CombinationFault(Pool pool, int first, int second, int runners) {
  const auto what = [&] { return Combination(pool, first, second); };
  switch (pool) {
    case Pool::kWin:
    case Pool::kPlace:
      if (second != 0) return what() + ": a single-horse pool has no second number";
      if (first < 1 || first > runners) return what() + ": no such horse in a field of " +
                                                std::to_string(runners);
      return "";
    case Pool::kBracketQuinella: {
      const int frames = DrawFrame(runners, runners);
      if (first < 1 || first > second || second > frames) {
        return what() + ": frames must run 1 <= first <= second <= " + std::to_string(frames);
      }
      if (first == second && FrameSize(first, runners) < 2) {
        return what() + ": frame " + std::to_string(first) + " holds one horse";
      }
      return "";
    }
    case Pool::kQuinella:
    case Pool::kWide:
      if (first < 1 || first >= second || second > runners) {
        return what() + ": horses must run 1 <= first < second <= " + std::to_string(runners);
      }
      return "";
  }
  return what() + ": not a pool";
}

// The combinations of a race's odds or payouts seen so far, each one that
// CombinationFault passed.
class CombinationSet {
 public:
  // False when the combination was seen before.
  bool insert(Pool pool, int first, int second) {
    const std::size_t at = (static_cast<std::size_t>(PoolIndex(pool)) * kSide +
                            static_cast<std::size_t>(first)) * kSide +
                           static_cast<std::size_t>(second);
    if (seen_[at]) return false;
    seen_[at] = true;
    return true;
  }

 private:
  static constexpr std::size_t kSide = kMaxRunners + 1;  // horse numbers and frames 0..kMaxRunners
  std::vector<bool> seen_ = std::vector<bool>(5 * kSide * kSide);
};

void CheckKey(Checker& c, const RaceKey& key) {
  c.digits("place", key.place, 2);
  c.date("date", key.date);
  c.range("number", key.number, 1, 12);
}

void CheckReferenceTimes(Checker& c, const Race& race) {
  for (std::size_t slot = 0; slot < race.reference_times.size() && c.ok(); ++slot) {
    if (!race.reference_times[slot]) continue;
    const ReferenceTime& t = *race.reference_times[slot];
    const std::string field = "reference_times[" + std::to_string(slot) + "]";
    if (slot == 0) {
      c.code(field + ".kind", t.kind, "012", kRequired);
      if (!t.place.empty()) c.fail(field + ".place: the first reference time has no place");
    } else {
      if (!t.kind.empty()) c.fail(field + ".kind: only the first reference time has a kind");
      c.digits(field + ".place", t.place, 2, kOptional);
    }
    c.date(field + ".date", t.date);
    c.range(field + ".time", t.time, 1, 5999);
    c.text(field + ".horse_name", t.horse_name, kHorseNameWidth, kRequired);
    c.range(field + ".weight_carried", t.weight_carried, 1, 999);
    c.text(field + ".jockey_name", t.jockey_name, 8);
  }
}

void CheckCard(Checker& c, const Race& race) {
  CheckKey(c, race.key);
  c.range("kai", race.kai, 1, 99);
  c.range("kai_day", race.kai_day, 1, 99);
  c.range("edition", race.edition, 0, 999);
  c.text("name", race.name, kRaceNameWidth);
  c.code("grade", race.grade, "012345");
  c.text("condition_text", race.condition_text, 18);
  c.digits("weight_rule1", race.weight_rule1, 2, kOptional);
  c.digits("weight_rule2", race.weight_rule2, 2, kOptional);
  c.code("race_kind", race.race_kind, "0123456789ABC", kRequired);
  if (c.ok()) {
    const std::string& cls = race.class_code;
    const bool sign = !cls.empty() && (cls[0] == '+' || cls[0] == '-');
    bool digits = cls.size() == 5;
    for (std::size_t i = sign ? 1 : 0; i < cls.size() && digits; ++i) {
      digits = cls[i] >= '0' && cls[i] <= '9';
    }
    if (!digits) c.fail("class_code must be 5 digits, or a sign and 4 digits, not '" + cls + "'");
  }
  c.code("track_code", race.track_code, "01", kRequired);
  c.code("direction", race.direction, "012");
  c.code("inner_outer", race.inner_outer, "0123456");
  c.code("rail", race.rail, "012345");
  c.range("distance", race.distance, 100, 9999);
  c.clock("post_time", race.post_time);
  c.text("symbol_code", race.symbol_code, 5);
  for (std::size_t i = 0; i < race.prizes.size(); ++i) {
    c.range("prizes[" + std::to_string(i) + "]", race.prizes[i], 0, 999999999);
  }
  c.range("added_money", race.added_money, 0, 999999999);
  c.range("forecast_time", race.forecast_time, 0, 5999);
  c.range("forecast_last_600", race.forecast_last_600, 0, 999);
  c.code("going", race.going, "0123");
  c.code("weather", race.weather, "012345");
  c.code("pace", race.pace, "012");
  CheckReferenceTimes(c, race);
  if (c.ok() && race.runners.empty() && race.nominations.empty()) {
    c.fail("a race needs runners or nominations");
  }
  if (c.ok() && race.runners.size() > kMaxRunners) {
    c.fail(std::to_string(race.runners.size()) + " runners, more than " +
           std::to_string(kMaxRunners));
  }
  if (c.ok() && race.nominations.size() > kMaxNominations) {
    c.fail(std::to_string(race.nominations.size()) + " nominations, more than " +
           std::to_string(kMaxNominations));
  }
  if (c.ok() && race.result && race.runners.empty()) c.fail("a race with a result needs runners");
}

void CheckMarks(Checker& c, const std::string& prediction, const std::string& training) {
  c.code("prediction_mark", prediction, "0123456789");
  if (!c.ok() || training.empty()) return;
  bool good = training.size() == 3;
  for (char ch : training) good = good && (ch == ' ' || (ch >= '0' && ch <= '9'));
  if (!good) c.fail("training_marks must be three digits or blanks, not '" + training + "'");
}

void CheckRunnerResult(Checker& c, const RunnerResult& r, int runners) {
  c.range("finish_pos", r.finish_pos, 0, runners);
  const std::string& accident = r.accident_code;
  const std::optional<Accident> kind = ParseAccident(accident);
  if (c.ok() && !accident.empty() && !kind) {
    c.fail("accident_code must be 31 to 36, not '" + accident + "'");
  }
  const bool unplaced = kind && !Placed(*kind);
  if (!c.ok()) {
    return;
  } else if (unplaced && r.finish_pos != 0) {
    c.fail("finish_pos must be 0 with accident " + accident);
  } else if (!unplaced && r.finish_pos == 0) {
    c.fail("finish_pos is 0 for a runner without an accident");
  }
  c.range("arrival_order", r.arrival_order, 0, runners);
  c.range("time", r.time, 0, 5999);
  c.range("margin_lengths", r.margin_lengths, 0, 99);
  c.code("margin_code", r.margin_code, "012345678");
  if (r.margin_time) c.range("margin_time", *r.margin_time, 0, 997);
  for (std::size_t i = 0; i < r.corners.size() && c.ok(); ++i) {
    const int pos = r.corners[i];
    if (!((pos >= 0 && pos <= runners) || (pos > 40 && pos <= 40 + runners))) {
      c.fail("corners[" + std::to_string(i) + "] " + std::to_string(pos) +
             " is neither a position in the field nor a position plus 40");
    }
  }
  c.code("straight_path", r.straight_path, "01234");
  c.range("first_600", r.first_600, 0, 999);
  c.range("last_600", r.last_600, 0, 999);
  c.range("popularity", r.popularity, 0, runners);
  c.rangeOrZero("win_odds", r.win_odds, 10, 99999);
  c.range("speed_index", r.speed_index, 0, 999);
  c.range("prize_money", r.prize_money, 0, 9999999999);
  c.range("added_money", r.added_money, 0, 9999999999);
}

Status CheckRunners(const Race& race, const std::string& subject) {
  const int runners = static_cast<int>(race.runners.size());
  std::set<int> numbers;
  std::set<std::string> horses;
  for (const Runner& r : race.runners) {
    Checker c(subject + " runner " + std::to_string(r.horse_no) + " (horse " + r.horse_code +
              ")");
    c.range("horse_no", r.horse_no, 1, runners);
    if (c.ok() && !numbers.insert(r.horse_no).second) c.fail("horse_no is taken twice");
    if (c.ok() && r.frame_no != DrawFrame(r.horse_no, runners)) {
      c.fail("frame_no " + std::to_string(r.frame_no) + " is not the draw's frame " +
             std::to_string(DrawFrame(r.horse_no, runners)) + " for a field of " +
             std::to_string(runners));
    }
    c.range("post_no", r.post_no, 0, runners);
    c.digits("horse_code", r.horse_code, 7);
    if (c.ok() && !horses.insert(r.horse_code).second) c.fail("the horse runs twice");
    c.code("sex", r.sex, "012", kRequired);
    c.range("age", r.age, 1, 99);
    c.digits("jockey_code", r.jockey_code, 5, kOptional);
    c.code("apprentice_code", r.apprentice_code, "123");
    c.range("weight_carried", r.weight_carried, 1, 999);
    c.digits("trainer_code", r.trainer_code, 5);
    c.digits("owner_code", r.owner_code, 6, kOptional);
    c.range("body_weight", r.body_weight, 0, 999);
    if (r.weight_change) c.range("weight_change", *r.weight_change, -99, 99);
    CheckMarks(c, r.prediction_mark, r.training_marks);
    c.text("comment", r.comment, 960);
    if (c.ok() && r.result.has_value() != race.result.has_value()) {
      c.fail(race.result ? "the race has a result but the runner has none"
                         : "the runner has a result but the race has none");
    }
    if (r.result) CheckRunnerResult(c, *r.result, runners);
    if (!c.ok()) return c.status();
  }
  return Status::Ok();
}

Status CheckNominations(const Race& race, const std::string& subject) {
  std::set<std::string> horses;
  int entry = 0;
  for (const Nomination& n : race.nominations) {
    Checker c(subject + " nomination " + std::to_string(++entry) + " (horse " + n.horse_code +
              ")");
    c.digits("horse_code", n.horse_code, 7);
    if (c.ok() && !horses.insert(n.horse_code).second) c.fail("the horse is nominated twice");
    c.digits("trainer_code", n.trainer_code, 5);
    c.digits("jockey_code", n.jockey_code, 5, kOptional);
    c.range("weight_carried", n.weight_carried, 0, 999);
    CheckMarks(c, n.prediction_mark, n.training_marks);
    if (!c.ok()) return c.status();
  }
  return Status::Ok();
}

Status CheckOdds(const Race& race, const OddsSet& odds, bool final, const std::string& subject) {
  static const int kMaxOdds[5] = {99999, 99999, 99999, 9999999, 9999999};
  const int runners = static_cast<int>(race.runners.size());
  Checker c(subject + (final ? " final odds" : " odds"));
  if (final) {
    if (!odds.kind.empty()) c.fail("final odds have no kind, not '" + odds.kind + "'");
    if (odds.announced != 0) c.clock("announced", odds.announced);
  } else {
    c.code("kind", odds.kind, "01", kRequired);
    if (c.ok() && odds.kind == "1" && odds.announced == 0) {
      c.fail("advance-sale odds need the time they were announced");
    } else if (c.ok() && odds.kind == "0") {
      c.range("announced", odds.announced, 0, 0);
    }
    c.clock("announced", odds.announced);
  }
  if (c.ok() && runners == 0) c.fail("odds need runners");
  CombinationSet seen;
  for (const OddsEntry& e : odds.entries) {
    if (!c.ok()) break;
    const std::string fault = CombinationFault(e.pool, e.first, e.second, runners);
    if (!fault.empty()) {
      c.fail(fault);
      break;
    }
    const auto what = [&] { return Combination(e.pool, e.first, e.second); };
    const int max = kMaxOdds[PoolIndex(e.pool)];
    if (!seen.insert(e.pool, e.first, e.second)) {
      c.fail(what() + " is given twice");
    } else if (e.odds == 0) {
      if (e.mark != "*" && e.mark != "-" && e.mark != "/") {
        c.fail(what() + ": odds 0 needs a mark *, - or /, not '" + e.mark + "'");
      } else if (e.odds_max != 0) {
        c.fail(what() + ": a range needs odds");
      }
    } else if (!e.mark.empty()) {
      c.fail(what() + ": odds " + std::to_string(e.odds) + " with a mark");
    } else {
      c.rangeNamed([&] { return what() + " odds"; }, e.odds, 1, max);
      if (e.odds_max != 0) {
        if (e.pool != Pool::kPlace && e.pool != Pool::kWide) {
          c.fail(what() + ": only place and wide odds are ranges");
        }
        c.rangeNamed([&] { return what() + " odds_max"; }, e.odds_max, e.odds, max);
      }
    }
  }
  return c.status();
}

void CheckPayouts(Checker& c, const RaceResult& result, int runners) {
  static const int kMaxEntries[5] = {3, 5, 3, 3, 7};
  static const std::int64_t kMaxAmount[5] = {999999, 999999, 999999, 9999999, 9999999};
  int entries[5] = {0, 0, 0, 0, 0};
  CombinationSet seen;
  for (const Payout& p : result.payouts) {
    if (!c.ok()) return;
    const std::string fault = CombinationFault(p.pool, p.first, p.second, runners);
    if (!fault.empty()) {
      c.fail("payout " + fault);
      return;
    }
    const auto what = [&] { return "payout " + Combination(p.pool, p.first, p.second); };
    const int pool = PoolIndex(p.pool);
    if (!seen.insert(p.pool, p.first, p.second)) {
      c.fail(what() + " is given twice");
    } else if (++entries[pool] > kMaxEntries[pool]) {
      c.fail(std::string("more than ") + std::to_string(kMaxEntries[pool]) + " " +
             PoolName(p.pool) + " payouts");
    }
    c.rangeNamed([&] { return what() + " amount"; }, p.amount, 1, kMaxAmount[pool]);
    c.rangeNamed([&] { return what() + " popularity"; }, p.popularity, 0, 999);
  }
}

void CheckComment(Checker& c, const std::string& comment) {
  if (comment.empty()) return;
  std::size_t start = 0;
  int line = 0;
  while (c.ok() && start <= comment.size()) {
    std::size_t end = comment.find('\n', start);
    if (end == std::string::npos) end = comment.size();
    const std::string text = comment.substr(start, end - start);
    const std::string field = "comment line " + std::to_string(++line);
    if (line > 6) {
      c.fail("comment has more than 6 lines");
    } else if (text.empty() || text[0] == ' ') {
      c.fail(field + " is empty or starts with a blank");
    } else {
      c.text(field, text, 80);
    }
    start = end + 1;
  }
}

Status CheckResult(const Race& race, const RaceResult& result, const std::string& subject) {
  Checker c(subject + " result");
  if (!result.laps.empty()) {
    const int expected = (race.distance + 100) / 200;
    if (static_cast<int>(result.laps.size()) != expected) {
      c.fail(std::to_string(result.laps.size()) + " laps for " + std::to_string(race.distance) +
             " m, which has " + std::to_string(expected));
    }
    for (std::size_t i = 0; i < result.laps.size(); ++i) {
      c.range("laps[" + std::to_string(i) + "]", result.laps[i], 1, 999);
    }
  }
  c.range("time_first_600", result.time_first_600, 0, 999);
  c.range("time_first_800", result.time_first_800, 0, 999);
  c.range("time_first_1000", result.time_first_1000, 0, 999);
  c.range("time_last_800", result.time_last_800, 0, 999);
  c.range("time_last_600", result.time_last_600, 0, 999);
  c.range("time_last_mile", result.time_last_mile, 0, 5999);
  c.range("corner count", static_cast<std::int64_t>(result.corners.size()), 0, 9);
  for (std::size_t i = 0; i < result.corners.size() && c.ok(); ++i) {
    const Corner& corner = result.corners[i];
    const std::string field = "corners[" + std::to_string(i) + "]";
    c.code(field + ".qualifier", corner.qualifier, "1234");
    c.range(field + ".position_code", corner.position_code, 0, 13);
    if (c.ok() && (corner.passing_order.empty() || corner.passing_order[0] == ' ')) {
      c.fail(field + ".passing_order is empty or starts with a blank");
    }
    c.text(field + ".passing_order", corner.passing_order, 110);
  }
  CheckComment(c, result.comment);
  CheckPayouts(c, result, static_cast<int>(race.runners.size()));
  return c.status();
}

}  // namespace

Status Validate(const Race& race) {
  const std::string subject = "race " + race.key.code();
  Checker card(subject);
  CheckCard(card, race);
  if (!card.ok()) return card.status();
  Status s = CheckRunners(race, subject);
  if (s.ok()) s = CheckNominations(race, subject);
  if (s.ok() && race.forecast_odds) s = CheckOdds(race, *race.forecast_odds, false, subject);
  if (s.ok() && race.result) s = CheckResult(race, *race.result, subject);
  if (s.ok() && race.result && race.result->final_odds) {
    s = CheckOdds(race, *race.result->final_odds, true, subject);
  }
  return s;
}

}  // namespace ydb
