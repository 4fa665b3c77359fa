// Where a pair's odds sit in the odds record: frame pairs and horse pairs
// are numbered in lexical order, a pair of the same frame counting, a pair
// of the same horse not.
//
//   frame pair (a, b), 1 <= a <= b <= 8:   k = b - (10 - a)(9 - a)/2 - a + 36
//   horse pair (a, b), 1 <= a < b <= 18:   k = b - (19 - a)(18 - a)/2 - a + 152
//
// so frame pairs run from (1,1) = 0, (1,8) = 7, (2,2) = 8 to (8,8) = 35,
// and horse pairs from (1,2) = 0, (1,18) = 16, (2,3) = 17 to (17,18) = 152.
#ifndef YDB_RENDER_ODDSPAIRS_H_
#define YDB_RENDER_ODDSPAIRS_H_

namespace ydb {

constexpr int kOddsFrames = 8;
constexpr int kOddsHorses = 18;
constexpr int kFramePairs = 36;
constexpr int kHorsePairs = 153;

// The caller keeps 1 <= a <= b <= 8.
constexpr int FramePairIndex(int a, int b) { return b - (10 - a) * (9 - a) / 2 - a + 36; }

// The caller keeps 1 <= a < b <= 18.
constexpr int HorsePairIndex(int a, int b) { return b - (19 - a) * (18 - a) / 2 - a + 152; }

}  // namespace ydb

#endif  // YDB_RENDER_ODDSPAIRS_H_
