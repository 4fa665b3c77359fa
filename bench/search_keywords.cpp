// The keyword searches over ten generated seasons (BenchWorld.h): a text
// contained in horse names looked for in every horse's name (YSearchEtcNames
// kind 1), and the races two long careers met in (exec_2horse of the horse
// with the most runs and the horse it met most often). Run with
// --benchmark_repetitions for medians.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "bench/OwnConnection.h"
#include "text/sjis.h"
#include "ydbcln/search/YSearchEtcNames.h"
#include "ydbcln/search/YSearchKeywordRace.h"

namespace {

YHorseDB& Session(benchmark::State& state) {
  static YHorseDB db;
  static const std::string failure = bench::Open(db);
  if (!failure.empty()) state.SkipWithError(failure.c_str());
  return db;
}

void BM_HorseNamesContainingAText(benchmark::State& state) {
  YHorseDB& db = Session(state);
  std::string word = ytext::to_sjis_lossy("スター");
  int found = 0;
  for (auto _ : state) {
    YSearchEtcNames names(&db);
    found = names.exec(1, word.data());
    if (found < 0) state.SkipWithError("the name search failed");
  }
  state.counters["names"] = found;
}
BENCHMARK(BM_HorseNamesContainingAText)->Unit(benchmark::kMillisecond);

void BM_RacesTwoLongCareersMetIn(benchmark::State& state) {
  YHorseDB& db = Session(state);
  // The horse with the most runs first, then the one it met most often.
  constexpr const char* kLongest =
      "SELECT code FROM entity_total WHERE kind = 1 GROUP BY code "
      "ORDER BY sum(firsts + seconds + thirds + unplaced) DESC, code LIMIT 1";
  const std::string met_most = std::string(
      "SELECT b.horse_code FROM runner a JOIN runner b ON b.race_date = a.race_date "
      "AND b.place = a.place AND b.race_no = a.race_no AND b.horse_code <> a.horse_code "
      "WHERE a.horse_code = (") + kLongest + ") GROUP BY 1 ORDER BY count(*) DESC, 1 LIMIT 1";
  std::vector<std::string> longest = bench::Codes(bench::OwnConnection(), kLongest);
  const std::vector<std::string> other = bench::Codes(bench::OwnConnection(), met_most.c_str());
  longest.insert(longest.end(), other.begin(), other.end());
  if (longest.size() < 2) {
    state.SkipWithError("no two horses that met");
    return;
  }
  int races = 0;
  for (auto _ : state) {
    YSearchKeywordRace search(&db);
    races = search.exec_2horse(longest[0], longest[1]);
    if (races < 0) state.SkipWithError("exec_2horse failed");
  }
  state.counters["races"] = races;
}
BENCHMARK(BM_RacesTwoLongCareersMetIn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
