// YTheoryOption: how tickets are chosen from a theory's final order. Three
// blocks of 17 integers (204 bytes): block 0 for horse-pair tickets (馬連,
// ワイド), block 1 for frame-pair tickets (枠連, and 馬連 or ワイド in a race
// of fewer than 9 runners), block 2 for single-horse tickets (単勝, 複勝).
//
// Ranks in a block are the runners' final ranks, or their reverse ranks
// where an order field says so (the reverse rank of the last runner is 1).
//
//   YTheoryOption option = {};
//   int* pairs = option.block[YTheoryOption::kPairBlock];
//   pairs[YTheoryOption::kMethod] = YTheoryOption::kBox;
//   pairs[YTheoryOption::kBoxFirst] = 1;      // ranks 1 to 4 in a box:
//   pairs[YTheoryOption::kBoxCount] = 4;      // six tickets
//   result.setkaime(0, &option);              // 馬連
#ifndef YDBCLN_THEORY_YTHEORYOPTION_H_
#define YDBCLN_THEORY_YTHEORYOPTION_H_

#include <cstdint>

struct YTheoryOption {
  static constexpr int kBlocks = 3;
  static constexpr int kFields = 17;

  enum Block { kPairBlock = 0, kFrameBlock = 1, kSingleBlock = 2 };

  // Fields of a block by index. Indexes 0, 3 and 6 are carried, not read.
  enum Field {
    kMethod = 1,          // kBox or kNagashi
    kBoxOrder = 2,        // box: kByRank or kByReverseRank; block 2: the order
    kBoxFirst = 4,        // box: first rank; block 2: the highest rank bought
    kBoxCount = 5,        // box: number of ranks
    kAxisOrder = 7,       // nagashi: order the axis is taken in
    kPartnerOrder = 8,    // nagashi: order the partners are taken in
    kAxisRank = 9,        // nagashi: the axis is the lowest-placed runner up to this rank
    kPartnerFirst = 10,   // nagashi: first partner rank
    kPartnerCount = 11,   // nagashi: number of partner ranks
    kLeaderOn = 12,       // leader rule: non-zero to apply it
    kLeaderMargin = 13,   // leader rule: score lead of the first over the second
    kLeaderCount = 14,    // leader rule: the axis and its partners, ranks 1 to this
    kTopTwoOn = 15,       // top-two rule: non-zero to apply it
    kTopTwoMargin = 16,   // top-two rule: score lead of the second over the third
  };

  enum Method { kBox = 0, kNagashi = 1 };
  enum Order { kByRank = 0, kByReverseRank = 1 };

  std::int32_t block[kBlocks][kFields];
};

static_assert(sizeof(YTheoryOption) == 204, "a ticket option set is 204 bytes");

#endif  // YDBCLN_THEORY_YTHEORYOPTION_H_
