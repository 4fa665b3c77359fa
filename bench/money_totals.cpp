// Result totals and search race totals over the ten generated seasons
// (read only: the totals never write): the runs of a season's races loaded
// into YResultTotal (and, once, every run of the ten seasons), a banded
// category and the horse category totalled over a season's runs, and
// YRaceTotalEx over a season's races by the search's command. Items per
// second are runs per second.
//
//   YDBCLN_BENCH_DATA=DIR money_totals_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchWorld.h"
#include "ydbcln/ydbcln.h"

namespace {

// The open session and a detailed race search of every race of a period.
struct World {
  YHorseDB db;
  std::string error;

  World() { error = bench::Open(db); }

  // A search of the run races from `first` to `last` (seasons), compiled.
  std::unique_ptr<YSearchDetailRace> Search(int first, int last) {
    auto search = std::make_unique<YSearchDetailRace>(&db);
    _tagYDetailRaceInfo info{};
    info.period = {first * 10000 + 101, last * 10000 + 1231, 1023, 0};
    if (search->setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0) != 0) return nullptr;
    return search;
  }
};

World& TheWorld(benchmark::State& state) {
  static World world;
  if (!world.error.empty()) state.SkipWithError(world.error.c_str());
  return world;
}

void Load(benchmark::State& state, int first, int last) {
  World& world = TheWorld(state);
  auto search = world.Search(first, last);
  if (search == nullptr) state.SkipWithError("the search refused its period");
  long long runs = 0;
  for (auto _ : state) {
    YResultTotal total(&world.db);
    if (total.setcondition(search.get()) != 0) state.SkipWithError("the runs cannot be read");
    runs += total.getracehorsecount();
  }
  state.SetItemsProcessed(runs);
}

void BM_LoadSeason(benchmark::State& state) {
  Load(state, bench::LastSeason(), bench::LastSeason());
}
BENCHMARK(BM_LoadSeason)->Unit(benchmark::kMillisecond);

void BM_LoadEverySeason(benchmark::State& state) {
  Load(state, bench::LastSeason() - bench::Seasons() + 1, bench::LastSeason());
}
BENCHMARK(BM_LoadEverySeason)->Unit(benchmark::kMillisecond)->Iterations(1);

// A season's runs totalled by `category`, loaded once.
void Exec(benchmark::State& state, int category) {
  World& world = TheWorld(state);
  static std::unique_ptr<YResultTotal> total;
  if (total == nullptr) {
    auto search = world.Search(bench::LastSeason(), bench::LastSeason());
    total = std::make_unique<YResultTotal>(&world.db);
    if (search == nullptr || total->setcondition(search.get()) != 0) {
      state.SkipWithError("the season's runs cannot be read");
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(total->exec(category));
  state.SetItemsProcessed(state.iterations() * total->getracehorsecount());
}

void BM_ExecPopularity(benchmark::State& state) { Exec(state, 5); }
BENCHMARK(BM_ExecPopularity)->Unit(benchmark::kMicrosecond);

void BM_ExecOdds(benchmark::State& state) { Exec(state, 6); }
BENCHMARK(BM_ExecOdds)->Unit(benchmark::kMicrosecond);

void BM_ExecHorse(benchmark::State& state) { Exec(state, 0); }
BENCHMARK(BM_ExecHorse)->Unit(benchmark::kMicrosecond);

void BM_RaceTotalExSeason(benchmark::State& state) {
  World& world = TheWorld(state);
  auto search = world.Search(bench::LastSeason(), bench::LastSeason());
  if (search == nullptr || search->search() <= 0) state.SkipWithError("no races found");
  long long runs = 0;
  for (auto _ : state) {
    YRaceTotalEx totals(&world.db);
    if (totals.exec(static_cast<_tagRACERMREC*>(search->getorgdata(0)), search->getparam()) != 0) {
      state.SkipWithError("the totals failed");
    }
    for (const auto& row : totals.umaban) runs += row[0] + row[1] + row[2] + row[3];
  }
  state.SetItemsProcessed(runs);
}
BENCHMARK(BM_RaceTotalExSeason)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
