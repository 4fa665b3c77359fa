// The exchange format's speed: one generated season exported to CSV files,
// and those files imported into an empty store, in rows per second, with
// the size of the CSV files and of the store they make; and the season
// exported as JV-Data records and imported, in records per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "db/derived/DataSet.h"
#include "db/store/Database.h"
#include "exchange/Exchange.h"
#include "exchange/jvdata/JvDataFiles.h"
#include "testing/TempDir.h"
#include "world/Generator.h"

namespace {

std::uintmax_t DirectoryBytes(const std::filesystem::path& dir) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) bytes += entry.file_size();
  return bytes;
}

std::unique_ptr<ydb::Database> OpenStore(const std::filesystem::path& file) {
  std::unique_ptr<ydb::Database> db;
  ydb::Status s = ydb::OpenDataSet(file.string(), ydb::Database::Mode::kOpenOrCreate, &db);
  return s.ok() ? std::move(db) : nullptr;
}

// One season of the world, generated once and exported once: the source of
// both benchmarks.
struct Season {
  ytest::TempDir dir;
  std::filesystem::path store = dir.path() / "world" / "ydbcln.db";
  std::filesystem::path csv = dir.path() / "csv";
  std::filesystem::path jv = dir.path() / "jv";
  std::int64_t rows = 0;
  std::int64_t records = 0;  // in the JV-Data files
  std::string error;

  Season() {
    std::filesystem::create_directories(store.parent_path());
    auto db = OpenStore(store);
    if (db == nullptr) {
      error = "cannot create the store";
      return;
    }
    world::Options options;
    options.origin = options.first_season = options.last_season = 2019;
    world::Summary summary;
    ydb::Status s = world::Generate(*db, options, {}, &summary);
    if (s.ok()) s = exchange::Export(*db, csv.string());
    if (s.ok()) s = exchange::jvdata::Export(*db, jv.string(), {});
    if (!s.ok()) error = s.message();
    rows = summary.rows;
    for (const auto& entry : std::filesystem::directory_iterator(jv)) {
      std::ifstream in(entry.path(), std::ios::binary);
      for (std::string line; std::getline(in, line);) ++records;
    }
  }
};

Season& TheSeason() {
  static Season season;
  return season;
}

void BM_ExportSeason(benchmark::State& state) {
  Season& season = TheSeason();
  if (!season.error.empty()) {
    state.SkipWithError(season.error.c_str());
    return;
  }
  auto db = OpenStore(season.store);
  for (auto _ : state) {
    ytest::TempDir out;
    ydb::Status s = exchange::Export(*db, out.str());
    if (!s.ok()) {
      state.SkipWithError(s.message().c_str());
      return;
    }
  }
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(season.rows), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["CSV MB"] = static_cast<double>(DirectoryBytes(season.csv)) / 1e6;
}
BENCHMARK(BM_ExportSeason)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

void BM_ImportSeason(benchmark::State& state) {
  Season& season = TheSeason();
  if (!season.error.empty()) {
    state.SkipWithError(season.error.c_str());
    return;
  }
  double store_mb = 0.0;
  for (auto _ : state) {
    ytest::TempDir into;
    {
      auto db = OpenStore(into.path() / "ydbcln.db");
      ydb::Status s = exchange::Import(*db, season.csv.string());
      if (!s.ok()) {
        state.SkipWithError(s.message().c_str());
        return;
      }
    }  // closing the store folds its log into the file
    store_mb = static_cast<double>(DirectoryBytes(into.path())) / 1e6;
  }
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(season.rows), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["store MB"] = store_mb;
}
BENCHMARK(BM_ImportSeason)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

void BM_ImportJvDataSeason(benchmark::State& state) {
  Season& season = TheSeason();
  if (!season.error.empty()) {
    state.SkipWithError(season.error.c_str());
    return;
  }
  for (auto _ : state) {
    ytest::TempDir into;
    auto db = OpenStore(into.path() / "ydbcln.db");
    exchange::jvdata::ImportSummary summary;
    ydb::Status s = exchange::jvdata::Import(*db, {season.jv.string()}, {}, &summary);
    if (!s.ok()) {
      state.SkipWithError(s.message().c_str());
      return;
    }
  }
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(season.records), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["JV-Data MB"] = static_cast<double>(DirectoryBytes(season.jv)) / 1e6;
}
BENCHMARK(BM_ImportJvDataSeason)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
