// Finding the row a fault of the writer is about, from the words its checks
// use to name the parts of a record.
#include "exchange/Sources.h"

#include <string_view>

namespace exchange {
namespace {

// The number written right after `word` in `text` ("runner 3" gives 3), or
// -1 when `word` is not there or no number follows it.
int NumberAfter(std::string_view text, std::string_view word) {
  const std::size_t at = text.find(word);
  if (at == std::string_view::npos) return -1;
  std::size_t i = at + word.size();
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// A combination as the writer's checks write it at the start of `text`:
// "win 3", "place 3", "bracket quinella 1-2", "quinella 1-2", "wide 1-2".
bool ParseCombination(std::string_view text, ydb::Pool* pool, int* first, int* second) {
  static const std::pair<const char*, ydb::Pool> kPools[] = {
      {"win ", ydb::Pool::kWin},           {"place ", ydb::Pool::kPlace},
      {"bracket quinella ", ydb::Pool::kBracketQuinella},
      {"quinella ", ydb::Pool::kQuinella}, {"wide ", ydb::Pool::kWide},
  };
  for (const auto& [name, value] : kPools) {
    const std::string_view prefix(name);
    if (text.substr(0, prefix.size()) != prefix) continue;
    *pool = value;
    *first = NumberAfter(text, prefix);
    const bool pair = !ydb::SingleHorse(value);
    *second = pair ? NumberAfter(text, prefix.data() + std::to_string(*first) + "-") : 0;
    return *first >= 0 && *second >= 0;
  }
  return false;
}

// The last index of `items` that `match` accepts, or -1: with a record
// given twice, the second is the one at fault.
template <typename T, typename Match>
int LastMatch(const std::vector<T>& items, Match match) {
  for (std::size_t i = items.size(); i-- > 0;) {
    if (match(items[i])) return static_cast<int>(i);
  }
  return -1;
}

int LineAt(const std::vector<int>& lines, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < lines.size()
             ? lines[static_cast<std::size_t>(index)]
             : 0;
}

// The text after the first `mark` in `text`, or empty.
std::string_view After(std::string_view text, std::string_view mark) {
  const std::size_t at = text.find(mark);
  return at == std::string_view::npos ? std::string_view() : text.substr(at + mark.size());
}

Location InRunner(std::string_view fault, const ydb::Race& race, const RaceSources& sources) {
  const int number = NumberAfter(fault, "runner ");
  const int at =
      LastMatch(race.runners, [&](const ydb::Runner& r) { return r.horse_no == number; });
  if (at < 0) return {File::kRaces, sources.race};
  const std::string& horse = race.runners[static_cast<std::size_t>(at)].horse_code;
  if (fault.find("): comment ") != std::string_view::npos) {
    for (const auto& [code, line] : sources.comments) {
      if (code == horse) return {File::kComments, line};
    }
  }
  return {File::kRunners, LineAt(sources.runners, at)};
}

Location InOdds(std::string_view fault, const ydb::Race& race, const RaceSources& sources,
                bool final) {
  const std::size_t set = final ? 1 : 0;
  const ydb::OddsSet* odds = final ? (race.result && race.result->final_odds
                                          ? &*race.result->final_odds
                                          : nullptr)
                                   : (race.forecast_odds ? &*race.forecast_odds : nullptr);
  ydb::Pool pool;
  int first = 0;
  int second = 0;
  if (odds != nullptr && ParseCombination(After(fault, ": "), &pool, &first, &second)) {
    const int at = LastMatch(odds->entries, [&](const ydb::OddsEntry& e) {
      return e.pool == pool && e.first == first && e.second == second;
    });
    if (at >= 0) return {File::kOdds, LineAt(sources.odds[set], at)};
  }
  return {File::kOddsSets, sources.odds_sets[set]};
}

Location InResult(std::string_view detail, const ydb::Race& race, const RaceSources& sources) {
  const ydb::RaceResult& result = *race.result;
  ydb::Pool pool;
  int first = 0;
  int second = 0;
  if (detail.substr(0, 7) == "payout " &&
      ParseCombination(detail.substr(7), &pool, &first, &second)) {
    const int at = LastMatch(result.payouts, [&](const ydb::Payout& p) {
      return p.pool == pool && p.first == first && p.second == second;
    });
    if (at >= 0) return {File::kPayouts, LineAt(sources.payouts, at)};
  }
  if (detail.find(" payouts") != std::string_view::npos && !sources.payouts.empty()) {
    return {File::kPayouts, sources.payouts.back()};  // one payout too many
  }
  if (const int lap = NumberAfter(detail, "laps["); lap >= 0) {
    return {File::kLaps, LineAt(sources.laps, lap)};
  }
  if (detail.find(" laps for ") != std::string_view::npos && !sources.laps.empty()) {
    return {File::kLaps, sources.laps.back()};  // too many or too few laps
  }
  if (const int corner = NumberAfter(detail, "corners["); corner >= 0) {
    return {File::kCorners, LineAt(sources.corners, corner)};
  }
  if (detail.substr(0, 12) == "corner count" && !sources.corners.empty()) {
    return {File::kCorners, sources.corners.back()};
  }
  return {File::kRaces, sources.race};
}

}  // namespace

Location LocateInRace(const std::string& fault, const ydb::Race& race,
                      const RaceSources& sources) {
  const std::string_view text(fault);
  // The part of the race the fault names comes first: " runner 3 (...): ",
  // " nomination 2 (...): ", " odds: ", " final odds: ", " result: ", or
  // ": " and then, from the store's own checks, "runner 3: " or "odds: ".
  const std::string_view part = text.substr(0, 2) == ": " ? text.substr(2) : text.substr(1);
  if (part.substr(0, 7) == "runner ") return InRunner(part, race, sources);
  if (part.substr(0, 11) == "nomination ") {
    return {File::kNominations, LineAt(sources.nominations, NumberAfter(part, "nomination ") - 1)};
  }
  if (part.substr(0, 10) == "final odds") return InOdds(part, race, sources, true);
  if (part.substr(0, 4) == "odds") return InOdds(part, race, sources, false);
  if (part.substr(0, 8) == "result: " && race.result) {
    return InResult(part.substr(8), race, sources);
  }
  if (const int slot = NumberAfter(part, "reference_times["); slot >= 0 && slot < 3) {
    const int line = sources.references[static_cast<std::size_t>(slot)];
    if (line > 0) return {File::kReferenceTimes, line};
  }
  return {File::kRaces, sources.race};
}

Location LocateInHorse(const std::string& fault, int horse_line,
                       const std::array<int, ydb::kPedigreeSize>& pedigree_lines) {
  const int position = NumberAfter(fault, "pedigree[");
  if (position >= 0 && position < ydb::kPedigreeSize) {
    const int line = pedigree_lines[static_cast<std::size_t>(position)];
    if (line > 0) return {File::kPedigrees, line};
  }
  return {File::kHorses, horse_line};
}

}  // namespace exchange
