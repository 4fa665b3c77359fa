// The speed of the theory engine on ten generated seasons: a full
// prediction (display texts and past-run gathering included) of the last
// season's 18-runner races by a horse-only theory, by the standard theory of
// every category, and by the standard theory without its sire factor; the
// results-only throughput over every finished race of the last season; and
// every factor ranked alone on an 18-runner race; the optimiser's 790
// candidate items ranked on an 18-runner race, by allrank and by the
// engine's evaluator.
//
// The world is generated once into a data directory and reused
// (BenchWorld.h).
//
//   theory_engine --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "ydbcln/theory/engine/Evaluator.h"
#include "ydbcln/ydbcln.h"

namespace {

// What the benchmarks read: the open session, the last season's finished
// races and those of 18 runners among them.
struct World {
  YHorseDB db;
  std::vector<std::string> races;
  std::vector<std::string> races18;
  std::string error;

  World() {
    error = bench::Open(db);
    if (!error.empty()) return;
    bench::WalkSeason(db, bench::LastSeason(), 1, 12,
                      [&](std::unique_ptr<YMainraceList>&, YDaySeiseki& results) {
                        for (int v = 0; v < results.getplacecount(); ++v) {
                          for (int j = 0; j < results.getracecount(v); ++j) {
                            YRaceList* row = results.list(v, j);
                            races.push_back(row->getcode());
                            if (row->gethorsecount() == 18) races18.push_back(row->getcode());
                          }
                        }
                      });
    if (races18.empty()) error = "no 18-runner races in the last season";
  }
};

World& TheWorld(benchmark::State& state) {
  static World world;
  if (!world.error.empty()) state.SkipWithError(world.error.c_str());
  return world;
}

const std::vector<int> kHorseOnly = {1, 4, 8, 11, 12, 16, 17, 34};
const std::vector<int> kStandard = {8, 11, 24, 29, 19, 30, 31, 37};
const std::vector<int> kStandardWithoutSire = {8, 11, 24, 29, 36, 30, 31, 37};

// exec with display texts on the 18-runner races in turn.
void Predict(benchmark::State& state, const std::vector<int>& codes) {
  World& w = TheWorld(state);
  YTheory theory = bench::DefaultTheory(codes);
  YCalcTheory engine(&w.db);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    const int rc = engine.exec(&theory, w.races18[next++ % w.races18.size()], 0, 0, nullptr, false);
    if (rc != 0) state.SkipWithError("exec failed");
  }
}

void BM_ExecHorseOnly(benchmark::State& state) { Predict(state, kHorseOnly); }
void BM_ExecStandard(benchmark::State& state) { Predict(state, kStandard); }
void BM_ExecStandardWithoutSire(benchmark::State& state) { Predict(state, kStandardWithoutSire); }
BENCHMARK(BM_ExecHorseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecStandardWithoutSire)->Unit(benchmark::kMillisecond);

// exec with resultonly over every finished race of the season in turn;
// items per second is races per second.
void ResultsOnly(benchmark::State& state, const std::vector<int>& codes) {
  World& w = TheWorld(state);
  YTheory theory = bench::DefaultTheory(codes);
  YCalcTheory engine(&w.db);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races.empty()) break;
    benchmark::DoNotOptimize(
        engine.exec(&theory, w.races[next++ % w.races.size()], 0, 0, nullptr, true));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_SeasonResultsOnlyStandard(benchmark::State& state) { ResultsOnly(state, kStandard); }
void BM_SeasonResultsOnlyHorseOnly(benchmark::State& state) { ResultsOnly(state, kHorseOnly); }
BENCHMARK(BM_SeasonResultsOnlyStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeasonResultsOnlyHorseOnly)->Unit(benchmark::kMillisecond);

// Every factor at its defaults, each ranked alone, on an 18-runner race.
void BM_AllRank78(benchmark::State& state) {
  World& w = TheWorld(state);
  std::vector<_tagTHITEM> items;
  for (int code = 1; code <= YTheories::theorynomax; ++code) {
    int p1 = 0;
    int p2 = 0;
    YTheories::getdefault(code, p1, p2);
    items.push_back(_tagTHITEM{code, 100, {p1, p2, 0}});
  }
  std::vector<unsigned char[YCalcTheory::kRankRow]> ranks(items.size());
  YCalcTheory engine(&w.db);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    std::string code = w.races18[next++ % w.races18.size()];
    if (engine.allrank(items.data(), static_cast<int>(items.size()), code, ranks.data()) != 0) {
      state.SkipWithError("allrank failed");
    }
  }
}
BENCHMARK(BM_AllRank78)->Unit(benchmark::kMillisecond);

// The optimiser's 790 candidate items (every factor at every parameter
// pair), ranked on an 18-runner race: through allrank, 78 items a call,
// each call loading the race and its tables again; and through the
// evaluator, which loads the race once and keeps its tables for every item.
void BM_Candidates790ByAllRank(benchmark::State& state) {
  World& w = TheWorld(state);
  std::vector<_tagTHITEM> items = ytheory::CandidateItems();
  std::vector<unsigned char[YCalcTheory::kRankRow]> ranks(items.size());
  YCalcTheory engine(&w.db);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    std::string code = w.races18[next++ % w.races18.size()];
    for (std::size_t at = 0; at < items.size(); at += YTheories::theorynomax) {
      const int count = static_cast<int>(std::min<std::size_t>(YTheories::theorynomax, items.size() - at));
      if (engine.allrank(items.data() + at, count, code, ranks.data() + at) != 0) {
        state.SkipWithError("allrank failed");
      }
    }
  }
}
BENCHMARK(BM_Candidates790ByAllRank)->Unit(benchmark::kMillisecond);

void BM_Candidates790ByEvaluator(benchmark::State& state) {
  World& w = TheWorld(state);
  std::vector<_tagTHITEM> items = ytheory::CandidateItems();
  std::vector<unsigned char[ytheory::kRankRow]> ranks(items.size());
  ytheory::Evaluator evaluator(&w.db);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    bool cardflag = false;
    if (evaluator.Load(w.races18[next++ % w.races18.size()], cardflag, 0, nullptr) != 0) {
      state.SkipWithError("the race cannot be loaded");
    }
    evaluator.RankItems(items.data(), static_cast<int>(items.size()), ranks.data());
  }
}
BENCHMARK(BM_Candidates790ByEvaluator)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
