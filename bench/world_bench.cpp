// The race-world generator's speed: seasons and rows written per second
// into a fresh store, the store's size per season, and the speed of the
// simulation alone (the seasons run silently before the written ones).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "db/derived/DataSet.h"
#include "db/store/Database.h"
#include "testing/TempDir.h"
#include "world/Generator.h"
#include "world/Season.h"

namespace {

std::uintmax_t StoreBytes(const std::filesystem::path& dir) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) bytes += entry.file_size();
  return bytes;
}

// Generates `seasons` written seasons (after the three silent ones before
// the origin) into a new store.
void BM_GenerateSeasons(benchmark::State& state) {
  const int seasons = static_cast<int>(state.range(0));
  std::int64_t rows = 0;
  double megabytes = 0.0;
  for (auto _ : state) {
    ytest::TempDir dir;
    {
      std::unique_ptr<ydb::Database> db;
      ydb::Status s = ydb::OpenDataSet(dir.str() + "/world.db", ydb::Database::Mode::kOpenOrCreate, &db);
      if (!s.ok()) {
        state.SkipWithError(s.message().c_str());
        return;
      }
      world::Options options;
      options.origin = options.first_season = 2019;
      options.last_season = 2019 + seasons - 1;
      world::Summary summary;
      s = world::Generate(*db, options, {}, &summary);
      if (!s.ok()) {
        state.SkipWithError(s.message().c_str());
        return;
      }
      rows += summary.rows;
    }  // closing the store folds its log into the file
    megabytes += static_cast<double>(StoreBytes(dir.path())) / 1e6;
  }
  state.counters["seasons/s"] = benchmark::Counter(static_cast<double>(seasons), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  state.counters["MB/season"] = benchmark::Counter(megabytes / seasons, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GenerateSeasons)->Arg(1)->Arg(3)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The simulation of seasons without writing them, after a world is set up.
void BM_SilentSeasons(benchmark::State& state) {
  const int seasons = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    world::World w;
    world::Simulator simulator(w, 2016);
    state.ResumeTiming();
    for (int year = 2016; year < 2016 + seasons; ++year) simulator.RunSeason(year, nullptr, {});
  }
  state.counters["seasons/s"] = benchmark::Counter(static_cast<double>(seasons), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SilentSeasons)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
