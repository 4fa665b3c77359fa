// The speed of the entity objects over ten generated seasons (BenchWorld.h),
// today fixed at the last race day: a horse of about 40 runs built whole
// (record, runs, totals, pedigree); the leading sire's offspring runs of
// the months that hold about 10,000 of them, built and totalled; those runs
// fetched alone; and totalled alone. Runs per second as counters. Run with
// --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/BenchWorld.h"
#include "db/api/SessionState.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "ydbcln/entity/YHorse.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/session/YUtil.h"

namespace {

// The open data set, today at its last race day, the horse and the sire
// measured, and the months of the sire's period.
struct Entities {
  YHorseDB db;
  std::string horse;  // a horse of 40 runs (or the nearest count above)
  std::string sire;   // the sire with the most offspring runs in the last season
  int months = 0;     // the months up to today holding 9,000 or more of its runs
  int today = 0;
  std::string failure;

  Entities() {
    failure = bench::Open(db);
    if (!failure.empty()) return;
    today = Single<int>("SELECT MAX(race_date) FROM runner WHERE finish_pos IS NOT NULL");
    if (set_today(today) != 0) {
      failure = "cannot set today";
      return;
    }
    horse = Single<std::string>(
        "SELECT horse_code FROM runner GROUP BY horse_code HAVING COUNT(*) >= 40 "
        "ORDER BY COUNT(*), horse_code LIMIT 1");
    sire = Single<std::string>(
        "SELECT sire_code FROM runner WHERE race_date >= " + std::to_string(today / 10000 * 10000) +
        " AND sire_code IS NOT NULL GROUP BY sire_code ORDER BY COUNT(*) DESC LIMIT 1");
    if (horse.empty() || sire.empty()) {
      failure = "the benchmark data set has no horse of 40 runs or no sire";
      return;
    }
    YSire s(&db, sire);
    for (months = 1; months <= 120; ++months) {
      if (s.searchrace(1, months) >= 9000) break;
    }
  }

  template <typename T>
  static T Single(const std::string& sql) {
    ydb::Statement& st = ydb::SessionState::Get().ready_database()->statement(sql);
    T value{};
    if (st.step()) {
      if constexpr (std::is_same_v<T, int>) {
        value = static_cast<int>(st.column_int(0));
      } else {
        value = std::string(st.column_text(0));
      }
    }
    st.reset();
    return value;
  }

  static Entities& Get() {
    static Entities e;
    return e;
  }
};

bool Ready(benchmark::State& state, Entities& e) {
  if (!e.failure.empty()) state.SkipWithError(e.failure.c_str());
  return e.failure.empty();
}

void RunsPerSecond(benchmark::State& state, std::int64_t runs) {
  state.counters["runs/s"] =
      benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
}

// YHorse from its code, searchrace, total() and its pedigree.
void BM_HorseWithFortyRuns(benchmark::State& state) {
  Entities& e = Entities::Get();
  if (!Ready(state, e)) return;
  int runs = 0;
  for (auto _ : state) {
    YHorse horse(&e.db, e.horse);
    runs = horse.searchrace();
    benchmark::DoNotOptimize(horse.total()->place[0][0]);
    benchmark::DoNotOptimize(horse.pedigree()->ancestor[11]);
  }
  state.counters["runs"] = runs;
}
BENCHMARK(BM_HorseWithFortyRuns)->Unit(benchmark::kMicrosecond);

// YSire and searchrace(1, months): its offspring's runs built and totalled.
void BM_LeadingSireRuns(benchmark::State& state) {
  Entities& e = Entities::Get();
  if (!Ready(state, e)) return;
  std::int64_t runs = 0;
  for (auto _ : state) {
    YSire sire(&e.db, e.sire);
    runs += sire.searchrace(1, e.months);
  }
  state.counters["months"] = e.months;
  state.counters["runs"] = static_cast<double>(runs) / static_cast<double>(state.iterations());
  RunsPerSecond(state, runs);
}
BENCHMARK(BM_LeadingSireRuns)->Unit(benchmark::kMillisecond);

// get_sire_race2code alone over the same period, the buffer released.
void BM_LeadingSireFetchOnly(benchmark::State& state) {
  Entities& e = Entities::Get();
  if (!Ready(state, e)) return;
  const std::string from = std::to_string(YUtil::beforemonth(e.today, e.months));
  const std::string to = std::to_string(e.today);
  std::int64_t runs = 0;
  for (auto _ : state) {
    void* buffer = get_sire_race2code(e.sire.c_str(), from.c_str(), to.c_str());
    if (buffer == nullptr) {
      state.SkipWithError(get_db_error());
      return;
    }
    runs += get_rec_size(buffer);
    release_data(buffer);
  }
  RunsPerSecond(state, runs);
}
BENCHMARK(BM_LeadingSireFetchOnly)->Unit(benchmark::kMillisecond);

// calctotal alone over the same runs.
void BM_LeadingSireTotalOnly(benchmark::State& state) {
  Entities& e = Entities::Get();
  if (!Ready(state, e)) return;
  YSire sire(&e.db, e.sire);
  const int n = sire.searchrace(1, e.months);
  std::vector<YRaceHorse*> runs;
  for (int i = 0; i < n; ++i) runs.push_back(sire.race(i));
  YRaceTotal total;
  std::int64_t counted = 0;
  for (auto _ : state) {
    total.calctotal(runs);
    benchmark::DoNotOptimize(total.place[0][0]);
    counted += n;
  }
  RunsPerSecond(state, counted);
}
BENCHMARK(BM_LeadingSireTotalOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
