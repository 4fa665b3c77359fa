// The speed of reading pedigrees: one YBlood of a random horse, and the
// pedigrees of 10,000 random horses, over the generated seasons of
// BenchWorld.h. Run with --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "db/api/SessionState.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

// The open data set and the codes of every horse with a pedigree, in a
// fixed random order.
struct Pedigrees {
  YHorseDB db;
  std::vector<std::string> codes;
  std::string failure;

  Pedigrees() {
    failure = bench::Open(db);
    if (!failure.empty()) return;
    ydb::Statement& st = ydb::SessionState::Get().ready_database()->statement(
        "SELECT DISTINCT horse_code FROM pedigree");
    while (st.step()) codes.emplace_back(st.column_text(0));
    st.reset();
    std::shuffle(codes.begin(), codes.end(), std::mt19937(20240106));
    if (codes.empty()) failure = "the benchmark data set has no pedigrees";
  }

  static Pedigrees& Get() {
    static Pedigrees p;
    return p;
  }
};

void BM_Blood(benchmark::State& state) {
  Pedigrees& p = Pedigrees::Get();
  if (!p.failure.empty()) {
    state.SkipWithError(p.failure.c_str());
    return;
  }
  std::size_t next = 0;
  for (auto _ : state) {
    YBlood blood(&p.db, p.codes[next]);
    benchmark::DoNotOptimize(blood.ancestor[11]);
    if (++next == p.codes.size()) next = 0;
  }
  state.counters["horses"] = static_cast<double>(p.codes.size());
}
BENCHMARK(BM_Blood)->Unit(benchmark::kMicrosecond);

// 10,000 horses drawn anew for each iteration.
void BM_TenThousandHorses(benchmark::State& state) {
  Pedigrees& p = Pedigrees::Get();
  if (!p.failure.empty()) {
    state.SkipWithError(p.failure.c_str());
    return;
  }
  constexpr int kHorses = 10000;
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, p.codes.size() - 1);
  std::vector<const std::string*> sample(kHorses);
  int found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (const std::string*& code : sample) code = &p.codes[pick(random)];
    state.ResumeTiming();
    for (const std::string* code : sample) {
      YBlood blood(&p.db, *code);
      found += blood.exist() ? 1 : 0;
    }
  }
  if (found != kHorses * static_cast<int>(state.iterations())) {
    state.SkipWithError("a horse of the sample had no pedigree");
  }
}
BENCHMARK(BM_TenThousandHorses)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
