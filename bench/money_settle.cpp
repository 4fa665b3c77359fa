// Settling a season's bought tickets: YMoney::exec over 10,000 tickets of
// every bet type on 2,000 run races of the last generated season. The
// tickets are pending additions in a copy of the ten-season store, made
// once per run in a temporary directory and removed at the end, so the
// benchmark data stays as it was. Items per second are tickets settled.
//
//   YDBCLN_BENCH_DATA=DIR money_settle_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchWorld.h"
#include "ydbcln/ydbcln.h"

namespace {

constexpr int kRaces = 2000;
constexpr int kTicketsPerRace = 5;

// A random ticket the race's field allows: a horse, or two horses or two
// frames told apart.
YBetRec RandomTicket(int runners, std::mt19937& random) {
  auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
  const int type = pick(1, 5);
  const int numbers = type == 3 ? std::min(runners, 8) : runners;
  const int first = pick(1, numbers - 1);
  const int second = type <= 2 ? 0 : pick(first + 1, numbers);
  return YBetRec(type, first, second, pick(1, 5));
}

// The copy of the store holding the pending tickets, opened.
struct Tickets {
  std::filesystem::path dir;
  YHorseDB db;
  std::string error;
  int added = 0;

  Tickets() {
    const std::string data = bench::DataDir();
    if (data.empty()) {
      error = "no benchmark data";
      return;
    }
    dir = std::filesystem::temp_directory_path() /
          ("ydbcln-money-bench-" + std::to_string(getpid()));
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const char* file : {"/ydbcln.db", "/ydbcln.db-wal"}) {
      if (std::filesystem::exists(data + file)) {
        std::filesystem::copy_file(data + file, dir.string() + file, ec);
      }
    }
    if (ec || !db.init(dir.string())) {
      error = "cannot copy or open the benchmark data set";
      return;
    }
    std::vector<YRaceList> races;
    bench::WalkSeason(db, bench::LastSeason(), 1, 12,
                      [&](std::unique_ptr<YMainraceList>&, YDaySeiseki& results) {
                        for (int v = 0; v < results.getplacecount(); ++v) {
                          for (int j = 0; j < results.getracecount(v); ++j) {
                            races.push_back(*results.list(v, j));
                          }
                        }
                      });
    std::mt19937 random(1);
    YBet bet(&db);
    for (int r = 0; r < kRaces && r < static_cast<int>(races.size()); ++r) {
      YRaceList& race = races[r * races.size() / kRaces];
      if (race.gethorsecount() < 3) continue;
      for (int t = 0; t < kTicketsPerRace; ++t) {
        YBetRec ticket = RandomTicket(race.gethorsecount(), random);
        if (bet.add_record(&race, &ticket) == 0) ++added;
      }
    }
  }

  ~Tickets() {
    std::error_code ec;
    if (!dir.empty()) std::filesystem::remove_all(dir, ec);
  }
};

void BM_SettleSeasonTickets(benchmark::State& state) {
  static Tickets tickets;
  if (!tickets.error.empty()) state.SkipWithError(tickets.error.c_str());
  for (auto _ : state) {
    YMoney money(&tickets.db);
    if (money.exec(bench::LastSeason()) != 0) state.SkipWithError("the tickets cannot be settled");
    benchmark::DoNotOptimize(money.getrecordcount(0, 0));
  }
  state.counters["tickets"] = tickets.added;
  state.SetItemsProcessed(state.iterations() * tickets.added);
}
BENCHMARK(BM_SettleSeasonTickets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
