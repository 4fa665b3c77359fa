// Reloading the stored theories: YTheories::search over a data set of 200
// theories of eight items each (one list fetch and 200 theory fetches).
#include <benchmark/benchmark.h>

#include <string>

#include "testing/TempDir.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheories.h"

namespace {

void BM_SearchTheories(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  ytest::TempDir dir;
  YHorseDB db;
  if (!db.init(dir.str())) {
    state.SkipWithError("cannot open a data set");
    return;
  }
  YTheories theories(&db);
  for (int t = 0; t < count; ++t) {
    YTheory theory(nullptr);
    theory.settitle(("theory " + std::to_string(t)).c_str());
    for (int i = 0; i < 8; ++i) theory.additem(1 + (t + i * 9) % 78, 10 + i, 0, 0);
    if (theories.store(&theory) < 0) {
      state.SkipWithError("cannot store a theory");
      return;
    }
  }
  for (auto _ : state) {
    if (theories.search() != count) state.SkipWithError("theories missing");
  }
  state.counters["theories/s"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SearchTheories)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
