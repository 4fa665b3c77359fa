// The speed of the Shift_JIS conversions that every rendered record field
// goes through: a race name (about 20 bytes of UTF-8) and a runner comment
// (about 200 bytes), each to Shift_JIS and back.
//
//   text_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <string>

#include "text/sjis.h"

namespace {

const char kRaceName[] = "ジャパンカップ";
const char kComment[] =
    "好位の内で脚を溜め、直線で外へ持ち出すと鋭く伸びて先頭に並びかけたが、"
    "最後は勝ち馬の決め手に屈した。距離は１６００ｍから２０００ｍが合う。";

void BM_ToSjisLossy(benchmark::State& state, const char* utf8) {
  const std::string text = utf8;
  for (auto _ : state) benchmark::DoNotOptimize(ytext::to_sjis_lossy(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(BM_ToSjisLossy, race_name, kRaceName);
BENCHMARK_CAPTURE(BM_ToSjisLossy, comment, kComment);

void BM_ToUtf8Lossy(benchmark::State& state, const char* utf8) {
  const std::string text = ytext::to_sjis_lossy(utf8);
  for (auto _ : state) benchmark::DoNotOptimize(ytext::to_utf8_lossy(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(BM_ToUtf8Lossy, race_name, kRaceName);
BENCHMARK_CAPTURE(BM_ToUtf8Lossy, comment, kComment);

}  // namespace

BENCHMARK_MAIN();
