// Test support for the theory result: a race of hand-built factor ranks
// put through setth_ex, as the theory optimiser hands them over.
#ifndef YDBCLN_THEORY_THEORYRESULT_TEST_H_
#define YDBCLN_THEORY_THEORYRESULT_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace theorytest {

// A race as the optimiser describes it. Runner i is horse number i + 1.
struct Race {
  std::vector<std::vector<int>> ranks;  // per item, per runner; 0 no data
  std::vector<int> weights;             // per item; 100 each when empty
  std::vector<int> marks;               // mark codes; 0 each when empty
  std::vector<int> frames;              // frame numbers; horse number (at most 8) when empty
  std::vector<int> odds;                // forecast odds; none (null) when empty
  YHaitoInfo payouts;
  std::string code = "052024010611";
};

// The runners' count of `race`: the length of its first rank row.
inline int Runners(const Race& race) {
  return race.ranks.empty() ? 0 : static_cast<int>(race.ranks[0].size());
}

// The result of `race`; setth_ex must take it.
inline std::unique_ptr<YTheoryResult> Evaluate(const Race& race, YHorseDB* db = nullptr) {
  const int n = Runners(race);
  std::vector<_tagTHITEM> items;
  std::vector<std::vector<unsigned char>> bytes;
  std::vector<unsigned char*> rows;
  for (std::size_t i = 0; i < race.ranks.size(); ++i) {
    const int weight = race.weights.empty() ? 100 : race.weights[i];
    items.push_back(_tagTHITEM{1, weight, {0, 0, 0}});
    bytes.emplace_back(race.ranks[i].begin(), race.ranks[i].end());
  }
  for (auto& row : bytes) rows.push_back(row.data());
  std::vector<int> marks = race.marks;
  std::vector<int> frames = race.frames;
  marks.resize(static_cast<std::size_t>(n), 0);
  if (frames.empty()) {
    for (int i = 0; i < n; ++i) frames.push_back(i < 8 ? i + 1 : 8);
  }
  std::vector<int> odds = race.odds;
  std::string code = race.code;
  YHaitoInfo payouts = race.payouts;
  auto result = std::make_unique<YTheoryResult>(db);
  const bool taken = result->setth_ex(code, items.data(), static_cast<int>(items.size()), n,
                                      rows.data(), marks.data(), frames.data(),
                                      odds.empty() ? nullptr : odds.data(), payouts);
  EXPECT_TRUE(taken);
  return result;
}

// The final ranks of the runners, in runner order.
inline std::vector<int> FinalRanks(const YTheoryResult& r) {
  return std::vector<int>(r.finalrank, r.finalrank + r.runnercount);
}

// The tickets' first keys, in the order bought.
inline std::vector<int> Tickets(const YTheoryResult& r) {
  return std::vector<int>(r.ticketkey, r.ticketkey + r.ticketcount);
}

}  // namespace theorytest

#endif  // YDBCLN_THEORY_THEORYRESULT_TEST_H_
