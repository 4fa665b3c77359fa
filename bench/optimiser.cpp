// The speed of the optimiser and of the return analysis on ten generated
// seasons: ranking races by all 790 candidate items (calc), with and
// without a progress callback (which the store calls during long reads);
// betting one individual on a score table (eval, 馬連 box of 5); saving and
// loading that table; and the return analysis of a month of races by the
// standard theory and by the horse-only one. Items per second are races
// per second.
//
// The table holds the last season's October, or the last N whole seasons
// with YDBCLN_BENCH_TABLE_SEASONS=N. It is ranked once and kept in a file
// ($YDBCLN_BENCH_TABLE, or optimiser-<races>.ytm under bench-data/ of the
// build tree) that later runs load.
//
//   optimiser_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "ydbcln/ydbcln.h"

namespace {

// The races a benchmark works on: the last season's October, and those of
// the table.
struct World {
  YHorseDB db;
  std::vector<std::string> october;
  std::vector<std::string> table;
  std::string error;

  World() {
    error = bench::Open(db);
    if (!error.empty()) return;
    october = bench::RunRaceCodes(db, bench::LastSeason(), 10, 10);
    if (october.empty()) error = "no races in the last season's October";
    const char* given = std::getenv("YDBCLN_BENCH_TABLE_SEASONS");
    const int seasons = given == nullptr ? 0 : std::atoi(given);
    for (int season = bench::LastSeason() - seasons + 1; season <= bench::LastSeason(); ++season) {
      for (std::string& code : bench::RunRaceCodes(db, season, 1, 12)) table.push_back(code);
    }
    if (seasons <= 0) table = october;
  }
};

World& TheWorld(benchmark::State& state) {
  static World world;
  if (!world.error.empty()) state.SkipWithError(world.error.c_str());
  return world;
}

std::string Joined(const std::vector<std::string>& codes, std::size_t count) {
  std::string joined;
  for (std::size_t i = 0; i < count && i < codes.size(); ++i) joined += codes[i];
  return joined;
}

// The protected steps the benchmarks time.
struct Maker : YTheoryMaker {
  using YTheoryMaker::YTheoryMaker;
  using YTheoryMaker::eval;
  using YTheoryMaker::gamake;
};

YTheoryOption QuinellaBox(int count) {
  YTheoryOption option = {};
  int* pairs = option.block[YTheoryOption::kPairBlock];
  pairs[YTheoryOption::kMethod] = YTheoryOption::kBox;
  pairs[YTheoryOption::kBoxFirst] = 1;
  pairs[YTheoryOption::kBoxCount] = count;
  option.block[YTheoryOption::kFrameBlock][YTheoryOption::kMethod] = YTheoryOption::kBox;
  option.block[YTheoryOption::kFrameBlock][YTheoryOption::kBoxFirst] = 1;
  option.block[YTheoryOption::kFrameBlock][YTheoryOption::kBoxCount] = count;
  return option;
}

int GoOn(int, int, const char*, int, double, double) { return 1; }

// calc over the first 100 races of October, with a callback or without.
void Calc(benchmark::State& state, bool callback) {
  World& w = TheWorld(state);
  std::string codes = Joined(w.october, 100);
  const int count = static_cast<int>(codes.size() / 12);
  Maker maker(&w.db);
  if (callback) maker.setcallback(GoOn);
  for (auto _ : state) {
    maker.setrace(count, codes.data());
    if (maker.calc() != 0) state.SkipWithError("calc failed");
  }
  state.SetItemsProcessed(state.iterations() * count);
}
void BM_Calc790(benchmark::State& state) { Calc(state, false); }
void BM_Calc790WithCallback(benchmark::State& state) { Calc(state, true); }
BENCHMARK(BM_Calc790)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Calc790WithCallback)->Unit(benchmark::kMillisecond)->Iterations(1);


// The table, ranked once and kept in a file.
std::string TablePath(World& w) {
  const char* given = std::getenv("YDBCLN_BENCH_TABLE");
  if (given != nullptr && *given != '\0') return given;
  return std::string(YDBCLN_BENCH_DEFAULT_DATA) + "/optimiser-" +
         std::to_string(w.table.size()) + ".ytm";
}

Maker& Table(benchmark::State& state) {
  static std::unique_ptr<Maker> maker;
  World& w = TheWorld(state);
  if (maker != nullptr) return *maker;
  maker = std::make_unique<Maker>(&w.db);
  if (!w.error.empty()) return *maker;
  std::string path = TablePath(w);
  if (!maker->load(path.data())) {
    const std::vector<std::string>& races = w.table;
    std::cerr << "Ranking " << races.size() << " races into " << path << " ...\n";
    std::string codes = Joined(races, races.size());
    maker->setrace(static_cast<int>(races.size()), codes.data());
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (maker->calc() != 0 || !maker->save(path.data())) state.SkipWithError("no table");
  }
  return *maker;
}

// One individual bet on every race of the table.
void BM_EvalTable(benchmark::State& state) {
  Maker& maker = Table(state);
  YTheoryOption option = QuinellaBox(5);
  maker.setparam(0, &option, 1.0, 0.0);
  maker.setseed(1);
  GAPARAMS individual{};
  maker.gamake(&individual);
  EVALVALUE value;
  for (auto _ : state) {
    maker.eval(&individual, &value);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations() * maker.getracecount());
}
BENCHMARK(BM_EvalTable)->Unit(benchmark::kMillisecond);

// The table saved, and loaded with the races' marks.
void BM_SaveTable(benchmark::State& state) {
  Maker& maker = Table(state);
  std::string path = TablePath(TheWorld(state)) + ".copy";
  for (auto _ : state) {
    if (!maker.save(path.data())) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadTable(benchmark::State& state) {
  World& w = TheWorld(state);
  Table(state);
  std::string path = TablePath(w);
  Maker maker(&w.db);
  for (auto _ : state) {
    if (!maker.load(path.data())) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadTable)->Unit(benchmark::kMillisecond)->Iterations(3);

// The return analysis of October, 単勝 of the first of the order.
void Returns(benchmark::State& state, const std::vector<int>& items) {
  World& w = TheWorld(state);
  YTheory theory = bench::DefaultTheory(items);
  std::string codes = Joined(w.october, w.october.size());
  const int count = static_cast<int>(w.october.size());
  YTheoryOption option = {};
  option.block[YTheoryOption::kSingleBlock][YTheoryOption::kBoxFirst] = 1;
  YKaishu kaishu(&w.db);
  for (auto _ : state) {
    if (kaishu.exec(&theory, 3, &option, count, codes.data()) != 0) {
      state.SkipWithError("the return analysis failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
void BM_ReturnsStandard(benchmark::State& state) { Returns(state, {8, 11, 24, 29, 19, 30, 31, 37}); }
void BM_ReturnsHorseOnly(benchmark::State& state) { Returns(state, {1, 4, 8, 11, 12, 16, 17, 34}); }
BENCHMARK(BM_ReturnsStandard)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReturnsHorseOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
