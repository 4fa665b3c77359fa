// The speed of race cards and results on ten generated seasons: an
// 18-runner card with every runner's last runs, comment and memo and the
// race's odds; an 18-runner result with its final odds; a three-venue day
// of result rows against the same 36 rows built one by one from their
// codes.
//
// The world is generated once into a data directory and reused
// (BenchWorld.h).
//
//   race_card --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "ydbcln/ydbcln.h"

namespace {

// What the benchmarks read: the open session, the 18-runner races of the
// last season's autumn, and its days of three venues of twelve races.
struct World {
  YHorseDB db;
  std::vector<std::string> races18;
  std::vector<std::unique_ptr<YMainraceList>> days;
  std::string error;

  World() {
    error = bench::Open(db);
    if (!error.empty()) return;
    bench::WalkSeason(db, bench::LastSeason(), 9, 12,
                      [&](std::unique_ptr<YMainraceList>& venues, YDaySeiseki& results) {
                        int races = 0;
                        for (int v = 0; v < results.getplacecount(); ++v) {
                          races += results.getracecount(v);
                          for (int j = 0; j < results.getracecount(v); ++j) {
                            YRaceList* row = results.list(v, j);
                            if (row->gethorsecount() == 18) races18.push_back(row->getcode());
                          }
                        }
                        if (venues->getplacecount() == 3 && races == 36) days.push_back(std::move(venues));
                      });
    if (races18.empty() || days.empty()) error = "no 18-runner races or three-venue days";
  }
};

World& TheWorld(benchmark::State& state) {
  static World world;
  if (!world.error.empty()) state.SkipWithError(world.error.c_str());
  return world;
}

// An 18-runner card, and for every runner its last runs, the comment and
// memo on the last one; then the race's odds.
void BM_Card18WithLastRunsCommentsAndOdds(benchmark::State& state) {
  World& w = TheWorld(state);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    YDenma card(&w.db, w.races18[next++ % w.races18.size()]);
    for (int i = 0; i < card.gethorsecount(); ++i) {
      _tagRACERHREC* runs = nullptr;
      benchmark::DoNotOptimize(card.zen5(i, runs));
      benchmark::DoNotOptimize(card.get_rcomment(i));
      benchmark::DoNotOptimize(card.get_rmemo(i));
    }
    benchmark::DoNotOptimize(card.odds());
    if (card.gethorsecount() != 18) state.SkipWithError("a card without its 18 runners");
  }
}
BENCHMARK(BM_Card18WithLastRunsCommentsAndOdds)->Unit(benchmark::kMicrosecond);

// An 18-runner result with its laps, corners and comments, and its final
// odds.
void BM_Result18WithFinalOdds(benchmark::State& state) {
  World& w = TheWorld(state);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.races18.empty()) break;
    YSeiseki result(&w.db, w.races18[next++ % w.races18.size()]);
    benchmark::DoNotOptimize(result.lapline);
    benchmark::DoNotOptimize(result.cornerorder);
    benchmark::DoNotOptimize(result.comment);
    benchmark::DoNotOptimize(result.odds());
    if (result.gethorsecount() != 18) state.SkipWithError("a result without its 18 runners");
  }
}
BENCHMARK(BM_Result18WithFinalOdds)->Unit(benchmark::kMicrosecond);

// A three-venue day of result rows.
void BM_DaySeisekiOfThreeVenues(benchmark::State& state) {
  World& w = TheWorld(state);
  std::size_t next = 0;
  for (auto _ : state) {
    if (w.days.empty()) break;
    YDaySeiseki day(&w.db, w.days[next++ % w.days.size()].get(), false);
    benchmark::DoNotOptimize(day.list(2, 11));
  }
}
BENCHMARK(BM_DaySeisekiOfThreeVenues)->Unit(benchmark::kMicrosecond);

// The same day's 36 rows built one by one from their codes, with long
// texts.
void BM_ThirtySixRaceListsFromCodes(benchmark::State& state) {
  World& w = TheWorld(state);
  std::vector<std::vector<std::string>> codes;
  for (const auto& venues : w.days) {
    YDaySeiseki day(&w.db, venues.get(), false);
    codes.emplace_back();
    for (int v = 0; v < day.getplacecount(); ++v) {
      for (int j = 0; j < day.getracecount(v); ++j) codes.back().push_back(day.list(v, j)->getcode());
    }
  }
  std::size_t next = 0;
  for (auto _ : state) {
    if (codes.empty()) break;
    for (const std::string& code : codes[next++ % codes.size()]) {
      YRaceList row(&w.db, code, true);
      benchmark::DoNotOptimize(row.getno());
    }
  }
}
BENCHMARK(BM_ThirtySixRaceListsFromCodes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
