// The speed of the past-run fetches the theory engine makes for each runner:
// a horse's runs, a jockey's rides and a trainer's runners over 12 months,
// a sire's offspring runs over 24 months, and a course's runs over 12
// months, at random race dates of the last generated season (BenchWorld.h).
// Run with --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "db/api/SessionState.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"

namespace {

// One runner of the last season: who ran, where and when.
struct Runner {
  std::string horse, jockey, trainer, sire;
  int date = 0;
  int place = 0;
  int surface = 0;
  int distance = 0;
};

// The open data set and its last season's runners, in a fixed random order.
struct LastSeason {
  std::vector<Runner> runners;
  std::string failure;

  LastSeason() {
    failure = bench::OpenComponent();
    if (!failure.empty()) return;
    ydb::Statement& st = ydb::SessionState::Get().ready_database()->statement(
        "SELECT ru.horse_code, ru.jockey_code, ru.trainer_code, coalesce(ru.sire_code, ''), "
        "ru.race_date, r.place, r.surface, r.distance FROM runner ru JOIN race r "
        "ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no "
        "WHERE ru.race_date >= (SELECT max(race_date) / 10000 * 10000 FROM race) "
        "AND ru.jockey_code IS NOT NULL");
    while (st.step()) {
      runners.push_back({std::string(st.column_text(0)), std::string(st.column_text(1)),
                         std::string(st.column_text(2)), std::string(st.column_text(3)),
                         static_cast<int>(st.column_int(4)),
                         std::stoi(std::string(st.column_text(5))), st.column_text(6)[0],
                         static_cast<int>(st.column_int(7))});
    }
    st.reset();
    std::shuffle(runners.begin(), runners.end(), std::mt19937(20240106));
    if (runners.empty()) failure = "the benchmark data set has no runners";
  }

  static LastSeason& Get() {
    static LastSeason s;
    return s;
  }
};

// The date `months` before YYYYMMDD `date`, as its 8 digits.
std::string MonthsBefore(int date, int months) {
  int year = date / 10000;
  int month = date / 100 % 100 - months;
  while (month < 1) {
    month += 12;
    --year;
  }
  return std::to_string(year * 10000 + month * 100 + date % 100);
}

// Runs `fetch(runner)` for one runner after another, counting the records.
template <typename Fetch>
void Measure(benchmark::State& state, Fetch fetch) {
  LastSeason& s = LastSeason::Get();
  if (!s.failure.empty()) {
    state.SkipWithError(s.failure.c_str());
    return;
  }
  std::size_t next = 0;
  std::int64_t records = 0;
  for (auto _ : state) {
    void* buffer = fetch(s.runners[next]);
    if (buffer == nullptr) {
      state.SkipWithError(get_db_error());
      return;
    }
    records += get_rec_size(buffer);
    release_data(buffer);
    if (++next == s.runners.size()) next = 0;
  }
  state.counters["records"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kAvgIterations);
}

void BM_HorseRuns(benchmark::State& state) {
  Measure(state, [](const Runner& r) { return get_uma_racey2code(r.horse.c_str()); });
}
BENCHMARK(BM_HorseRuns)->Unit(benchmark::kMicrosecond);

// A horse the store does not know: what a fetch costs before its first row.
void BM_NoRuns(benchmark::State& state) {
  Measure(state, [](const Runner&) { return get_uma_racey2code("0000000"); });
}
BENCHMARK(BM_NoRuns)->Unit(benchmark::kMicrosecond);

void BM_JockeyRides12Months(benchmark::State& state) {
  Measure(state, [](const Runner& r) {
    return get_jockey_racey2code(r.jockey.c_str(), MonthsBefore(r.date, 12).c_str(),
                                 std::to_string(r.date).c_str());
  });
}
BENCHMARK(BM_JockeyRides12Months)->Unit(benchmark::kMicrosecond);

void BM_TrainerRunners12Months(benchmark::State& state) {
  Measure(state, [](const Runner& r) {
    return get_stable_racey2code(r.trainer.c_str(), MonthsBefore(r.date, 12).c_str(),
                                 std::to_string(r.date).c_str());
  });
}
BENCHMARK(BM_TrainerRunners12Months)->Unit(benchmark::kMicrosecond);

void BM_SireOffspring24Months(benchmark::State& state) {
  Measure(state, [](const Runner& r) {
    return get_sire_racey2code(r.sire.c_str(), MonthsBefore(r.date, 24).c_str(),
                               std::to_string(r.date).c_str());
  });
}
BENCHMARK(BM_SireOffspring24Months)->Unit(benchmark::kMicrosecond);

void BM_CourseRuns12Months(benchmark::State& state) {
  Measure(state, [](const Runner& r) {
    // The day before the race: date - 1 bounds it even on the 1st.
    return get_raceh_racey2code(std::stoi(MonthsBefore(r.date, 12)), r.date - 1, r.place,
                                r.surface, r.distance);
  });
}
BENCHMARK(BM_CourseRuns12Months)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
