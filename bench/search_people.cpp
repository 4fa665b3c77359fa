// The people's searches over ten generated seasons (BenchWorld.h), today
// fixed at the last race day: the leading jockeys by wins this year, the
// trainers of one centre by career win rate, the sires by offspring wins,
// every jockey, each with its records rendered, and the jockeys of one
// centre by career wins beside the same question written by hand in SQL;
// a horse search by its sire's name and wins and one by a text in its
// dam's name and wins; and the cross search from a
// season's races to the horses that ran in them. Run with
// --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "bench/OwnConnection.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/api/ydbcross.h"
#include "db/api/yddb.h"

namespace {

// Opens the data set once and fixes today at its last race day; empty when
// ready, else why not.
const std::string& Ready() {
  static const std::string failure = [] {
    const std::string opened = bench::OpenComponent();
    if (!opened.empty()) return opened;
    if (set_today(bench::LastSeason() * 10000 + 1231) != 0) return std::string("cannot set today");
    return std::string();
  }();
  return failure;
}

// Runs the search `text` with `search` again and again, counting its records.
void Measure(benchmark::State& state, void* (*search)(const char*), const char* text) {
  if (!Ready().empty()) {
    state.SkipWithError(Ready().c_str());
    return;
  }
  std::int64_t records = 0;
  for (auto _ : state) {
    void* found = search(text);
    if (found == nullptr) {
      state.SkipWithError(get_db_error());
      return;
    }
    records += get_rec_size(found);
    release_data(found);
  }
  state.counters["records"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kAvgIterations);
}

void BM_JockeysByWinsThisYear(benchmark::State& state) {
  Measure(state, get_jockey2cmd, "T=2&WNH>=50");
}
BENCHMARK(BM_JockeysByWinsThisYear)->Unit(benchmark::kMillisecond);

constexpr const char* kRittoJockeysByCareerWins = "T=3&P=1&WNR>=300";

void BM_JockeysOfOneAffiliationByCareerWins(benchmark::State& state) {
  Measure(state, get_jockey2cmd, kRittoJockeysByCareerWins);
}
BENCHMARK(BM_JockeysOfOneAffiliationByCareerWins)->Unit(benchmark::kMillisecond);

// The same jockeys found by a query written by hand on our own connection,
// their records rendered by the code-list fetch (CODELISTREC: kind '2' and
// the code blank-padded to 12); null when the two ways disagree in count.
void* RittoJockeysByHand(const char*) {
  const std::vector<std::string> codes = bench::Codes(
      bench::OwnConnection(),
      "SELECT j.code FROM jockey j JOIN entity_total t ON t.kind = 2 AND t.code = j.code "
      "WHERE j.affiliation = '1' GROUP BY j.code HAVING sum(t.firsts) >= 300 ORDER BY j.code");
  void* list = alloc_data(13, static_cast<int>(codes.size()));
  for (std::size_t i = 0; i < codes.size(); ++i) {
    char* at = static_cast<char*>(list) + 13 * i;
    at[0] = '2';
    std::memset(at + 1, ' ', 12);
    std::memcpy(at + 1, codes[i].data(), codes[i].size());
  }
  void* records = get_otherdata(list, 2);
  release_data(list);
  return records;
}

void BM_JockeysOfOneAffiliationByCareerWinsByHand(benchmark::State& state) {
  if (!Ready().empty()) {
    state.SkipWithError(Ready().c_str());
    return;
  }
  void* compiled = get_jockey2cmd(kRittoJockeysByCareerWins);
  void* hand = RittoJockeysByHand(nullptr);
  const bool agree = compiled != nullptr && hand != nullptr &&
                     get_rec_size(compiled) == get_rec_size(hand) &&
                     std::memcmp(compiled, hand, static_cast<std::size_t>(get_rec_size(hand)) *
                                                     get_rec_width(hand)) == 0;
  release_data(compiled);
  release_data(hand);
  if (!agree) {
    state.SkipWithError("the condition and the hand-written query find different jockeys");
    return;
  }
  Measure(state, RittoJockeysByHand, nullptr);
}
BENCHMARK(BM_JockeysOfOneAffiliationByCareerWinsByHand)->Unit(benchmark::kMillisecond);

void BM_TrainersByCareerWinRate(benchmark::State& state) {
  Measure(state, get_stable2cmd, "T=3&P=1&1R>=100");
}
BENCHMARK(BM_TrainersByCareerWinRate)->Unit(benchmark::kMillisecond);

void BM_SiresByOffspringWins(benchmark::State& state) {
  Measure(state, get_sire2cmd, "T=3&1>=200");
}
BENCHMARK(BM_SiresByOffspringWins)->Unit(benchmark::kMillisecond);

// The horses of a sire found by its name with three wins or more, each
// horse record rendered: the sire the first (in code order) of those whose
// offspring won 200 races or more.
void BM_HorsesBySireNameAndWins(benchmark::State& state) {
  static const std::string condition = [] {
    void* sires = Ready().empty() ? get_sire2cmd("T=3&1>=200") : nullptr;
    std::string name;
    if (sires != nullptr && get_rec_size(sires) > 0) {
      name.assign(static_cast<const char*>(sires) + 7, 34);  // SIREREC's name, bytes 7-40
      name.erase(name.find_last_not_of(' ') + 1);
    }
    if (sires != nullptr) release_data(sires);
    return "FN=" + name + "&1=3>";
  }();
  Measure(state, get_uma2cmd, condition.c_str());
}
BENCHMARK(BM_HorsesBySireNameAndWins)->Unit(benchmark::kMillisecond);

// The horses whose dam's name contains a text, with three wins or more,
// each horse record rendered: about 26,000 dams' names over ten seasons.
void BM_HorsesByDamNameAndWins(benchmark::State& state) {
  Measure(state, get_uma2cmd, "MN=\x83\x58\x83\x5E\x81\x5B&1=3>");  // スター in Shift_JIS
}
BENCHMARK(BM_HorsesByDamNameAndWins)->Unit(benchmark::kMillisecond);

// Every jockey of the store, each record rendered.
void BM_EveryJockey(benchmark::State& state) { Measure(state, get_jockey2cmd, "T=1"); }
BENCHMARK(BM_EveryJockey)->Unit(benchmark::kMillisecond);

// The horses of every race of the last season (sc_uma_race from the race
// codes a race search hands on), each horse record rendered.
void BM_HorsesOfASeasonsRaces(benchmark::State& state) {
  if (!Ready().empty()) {
    state.SkipWithError(Ready().c_str());
    return;
  }
  const std::string year = std::to_string(bench::LastSeason());
  void* races = get_race2cmd(("TF=" + year + "0101&TT=" + year + "1231").c_str());
  const int count = races == nullptr ? 0 : get_rec_size(races);
  void* codes = alloc_data(12, count);  // the race code opens a results record
  for (int i = 0; i < count; ++i) {
    std::memcpy(static_cast<char*>(codes) + 12 * i,
                static_cast<const char*>(races) + static_cast<std::size_t>(get_rec_width(races)) * i, 12);
  }
  release_data(races);
  std::int64_t horses = 0;
  for (auto _ : state) {
    void* found = sc_uma_race(nullptr, codes);
    if (found == nullptr) {
      state.SkipWithError(get_db_error());
      break;
    }
    horses += get_rec_size(found);
    release_data(found);
  }
  release_data(codes);
  state.counters["races"] = count;
  state.counters["records"] =
      benchmark::Counter(static_cast<double>(horses), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HorsesOfASeasonsRaces)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
