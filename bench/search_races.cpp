// The race searches over ten generated seasons (BenchWorld.h): five
// questions an analyst asks every week, each asked twice side by side in one
// run, as a condition text compiled by the store and as the same question
// written by hand in SQL on the same file, both rendering the same race
// records. A search whose two answers differ in count is reported as an
// error, not timed. Run with --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "bench/OwnConnection.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "text/sjis.h"

namespace {

// One question: the condition text (UTF-8 here, Shift_JIS to the store)
// and the hand-written query giving the 12-digit codes of the run races it
// finds, in date and then race-code order.
struct Question {
  const char* name;
  const char* condition;
  const char* sql;
};

#define YDB_RUN_RACES "SELECT r.place || r.race_date || printf('%02d', r.race_no) FROM race r "
#define YDB_IN_ORDER " ORDER BY r.race_date, r.place, r.race_no"

const Question kQuestions[] = {
    {"season_tokyo_nakayama_turf_1600_2000",
     "TF=20240101&TT=20241231&P=04&P=05&B=1&DF=1600&DT=2000",
     YDB_RUN_RACES "WHERE r.has_result = 1 AND r.race_date BETWEEN 20240101 AND 20241231 "
                   "AND r.place IN ('04', '05') AND r.surface = '1' "
                   "AND r.distance BETWEEN 1600 AND 2000" YDB_IN_ORDER},
    {"arima_kinen_g1", "N=有馬記念&G=0",
     YDB_RUN_RACES "WHERE r.has_result = 1 AND instr(r.name, '有馬記念') > 0 "
                   "AND r.grade IN ('0', '3')" YDB_IN_ORDER},
    {"quinella_10000_to_50000", "QF=10000&QT=50000",
     "SELECT DISTINCT r.place || r.race_date || printf('%02d', r.race_no) FROM payout p "
     "JOIN race r ON r.race_date = p.race_date AND r.place = p.place AND r.race_no = p.race_no "
     "WHERE p.pool = 4 AND p.amount BETWEEN 10000 AND 50000 AND r.has_result = 1" YDB_IN_ORDER},
    {"three_year_old_maidens_dirt_heavy", "A=2&L=2&B=0&J=2&J=3",
     YDB_RUN_RACES "WHERE r.has_result = 1 AND r.race_kind = '2' AND r.grade IS NULL "
                   "AND CAST(r.class_code AS INTEGER) = 3 AND r.surface = '0' "
                   "AND r.going IN ('2', '3')" YDB_IN_ORDER},
    {"a_runner_with_accident_32", "TK=3",
     YDB_RUN_RACES "WHERE r.has_result = 1 AND EXISTS (SELECT 1 FROM runner ru "
                   "WHERE ru.race_date = r.race_date AND ru.place = r.place "
                   "AND ru.race_no = r.race_no AND ru.accident_code = '32')" YDB_IN_ORDER},
};

// The component opened on the data set, and a read-only SQLite connection
// of our own to the same file for the hand-written queries.
struct Store {
  std::string failure;
  sqlite3* own = nullptr;

  Store() {
    failure = bench::OpenComponent();
    if (!failure.empty()) return;
    own = bench::OwnConnection();
    if (own == nullptr) failure = "cannot open the data set for the hand-written queries";
  }
};

const Store& OpenStore() {
  static const Store store;
  return store;
}

// The race records of the condition, compiled and run by the store; null on
// failure.
void* ByCondition(const Question& q) {
  void* command = conv_racecmd(ytext::to_sjis_lossy(q.condition).c_str());
  if (command == nullptr) return nullptr;
  void* races = get_race2cmd_sp1(command);
  release_data(command);
  return races;
}

// The race records of the hand-written query: its codes, rendered by the
// same renderer; null on failure.
void* ByHand(const Question& q) {
  const std::vector<std::string> codes = bench::Codes(OpenStore().own, q.sql);
  void* list = alloc_data(12, static_cast<int>(codes.size()));
  if (list == nullptr) return nullptr;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    std::memcpy(static_cast<char*>(list) + 12 * i, codes[i].data(), 12);
  }
  void* races = get_racecode2race(list);
  release_data(list);
  return races;
}

// Empty when both ways give the same number of races, else why not.
std::string Agreement(const Question& q) {
  void* compiled = ByCondition(q);
  void* hand = ByHand(q);
  std::string why;
  if (compiled == nullptr || hand == nullptr) {
    why = std::string("a search failed: ") + get_db_error();
  } else if (get_rec_size(compiled) != get_rec_size(hand)) {
    why = "the condition finds " + std::to_string(get_rec_size(compiled)) +
          " races, the hand-written query " + std::to_string(get_rec_size(hand));
  }
  release_data(compiled);
  release_data(hand);
  return why;
}

void Measure(benchmark::State& state, const Question& q, void* (*search)(const Question&)) {
  if (!OpenStore().failure.empty()) {
    state.SkipWithError(OpenStore().failure.c_str());
    return;
  }
  const std::string disagreement = Agreement(q);
  if (!disagreement.empty()) {
    state.SkipWithError(disagreement.c_str());
    return;
  }
  std::int64_t races = 0;
  for (auto _ : state) {
    void* found = search(q);
    races += get_rec_size(found);
    release_data(found);
  }
  state.counters["races"] =
      benchmark::Counter(static_cast<double>(races), benchmark::Counter::kAvgIterations);
}

}  // namespace

int main(int argc, char** argv) {
  for (const Question& q : kQuestions) {
    benchmark::RegisterBenchmark((std::string(q.name) + "/condition").c_str(),
                                 [&q](benchmark::State& state) { Measure(state, q, ByCondition); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string(q.name) + "/sql").c_str(),
                                 [&q](benchmark::State& state) { Measure(state, q, ByHand); })
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
