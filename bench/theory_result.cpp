// The theory optimiser's inner step on one race: an 18-runner race ranked
// by eight factors (setth_ex), a box of five ranks bought (setkaime) and
// checked against the payouts (settekichu).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

constexpr int kRunners = 18;
constexpr int kItems = 8;

void BM_RankBuyAndCheck(benchmark::State& state) {
  std::string code = "052024010611";
  std::vector<_tagTHITEM> items;
  std::vector<std::vector<unsigned char>> ranks(kItems);
  std::vector<unsigned char*> rows;
  for (int i = 0; i < kItems; ++i) {
    items.push_back(_tagTHITEM{i + 1, 10 + 5 * i, {0, 3, 0}});
    // Each factor ranks the field in its own order, with a tie and a runner
    // without data.
    for (int r = 0; r < kRunners; ++r) {
      const int spread = (r * (2 * i + 5) + i) % kRunners + 1;
      const int rank = r == 17 - i ? 0 : spread == 18 ? 17 : spread;
      ranks[static_cast<std::size_t>(i)].push_back(static_cast<unsigned char>(rank));
    }
    rows.push_back(ranks[static_cast<std::size_t>(i)].data());
  }
  std::vector<int> marks(kRunners, 0), frames, odds;
  marks[3] = 1;
  marks[7] = 10;
  for (int r = 0; r < kRunners; ++r) {
    frames.push_back(r / 2 + 1 > 8 ? 8 : r / 2 + 1);
    odds.push_back(r == 5 ? 0x7fffffff : 25 + 13 * r);
  }
  YHaitoInfo payouts;
  payouts.umaren_kumi[0] = 305;
  payouts.umaren_haito[0] = 1870;
  YTheoryOption option = {};
  option.block[YTheoryOption::kPairBlock][YTheoryOption::kBoxFirst] = 1;
  option.block[YTheoryOption::kPairBlock][YTheoryOption::kBoxCount] = 5;

  auto result = std::make_unique<YTheoryResult>(nullptr);
  for (auto _ : state) {
    result->setth_ex(code, items.data(), kItems, kRunners, rows.data(), marks.data(),
                     frames.data(), odds.data(), payouts);
    result->setkaime(YTheoryResult::kQuinella, &option);
    benchmark::DoNotOptimize(result->settekichu(YTheoryResult::kQuinella));
  }
  state.counters["tickets"] = result->ticketcount;
}
BENCHMARK(BM_RankBuyAndCheck)->Unit(benchmark::kMicrosecond)->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
