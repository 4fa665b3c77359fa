// The theory engine over a range: every run race of the last season of the
// ten generated seasons, evaluated as one range (YTheoryRangeTotals::addraces:
// results only, 単勝 tickets of the first of the final order bought and
// checked), by each factor of the catalogue alone at its defaults, by a
// theory reading no past runs (factor 31: the per-race floor), by the
// horse-only theory and by the standard theory. Items per second are races
// per second; each iteration is the whole season, the range read afresh.
//
//   theory_range --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
//   theory_range --benchmark_filter='Theory'
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchWorld.h"
#include "ydbcln/ydbcln.h"

namespace {

// The open session and the last season's run races in date order.
struct World {
  YHorseDB db;
  std::vector<std::string> races;
  std::string error;

  World() {
    error = bench::Open(db);
    if (!error.empty()) return;
    races = bench::RunRaceCodes(db, bench::LastSeason(), 1, 12);
    if (races.empty()) error = "no run races in the last season";
  }
};

World& TheWorld(benchmark::State& state) {
  static World world;
  if (!world.error.empty()) state.SkipWithError(world.error.c_str());
  return world;
}

// The season as one range, each iteration on a fresh engine.
void Season(benchmark::State& state, const std::vector<int>& codes) {
  World& w = TheWorld(state);
  YTheory theory = bench::DefaultTheory(codes);
  YTheoryOption option;
  for (auto _ : state) {
    YCalcTheory engine(&w.db);
    YTheoryRangeTotals totals;
    if (totals.addraces(&w.db, &engine, &theory, w.races, YTheoryResult::kWin, &option,
                        nullptr) != 0) {
      state.SkipWithError("the store failed");
      break;
    }
    benchmark::DoNotOptimize(totals.returned);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(w.races.size()));
}

void BM_Factor(benchmark::State& state) {
  Season(state, {static_cast<int>(state.range(0))});
}
BENCHMARK(BM_Factor)->DenseRange(1, YTheories::theorynomax)->Iterations(1)->Unit(benchmark::kSecond);

void BM_TheoryNoPastRuns(benchmark::State& state) { Season(state, {31}); }
void BM_TheoryHorseOnly(benchmark::State& state) { Season(state, {1, 4, 8, 11, 12, 16, 17, 34}); }
void BM_TheoryStandard(benchmark::State& state) { Season(state, {8, 11, 24, 29, 19, 30, 31, 37}); }
BENCHMARK(BM_TheoryNoPastRuns)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_TheoryHorseOnly)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_TheoryStandard)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
BENCHMARK_MAIN();
