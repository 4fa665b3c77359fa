// How the odds of one pool of one race are kept in the store: one packed
// value per combination of the field, in the pool's combination order, so a
// race's odds are a handful of rows rather than hundreds.
//
// Combination order: win and place by horse number 1..n; bracket quinella
// the 36 frame pairs (a, b), 1 <= a <= b <= 8, in lexical order; quinella
// and wide the horse pairs (a, b), 1 <= a < b <= n, in lexical order.
//
// Each combination holds one little-endian int32 (win, bracket quinella,
// quinella) or two (place and wide: the low and the high end of the range,
// the high end 0 when the odds are not a range). A value above 0 is odds in
// tenths; 0 is no odds (shown "-", no sale); kStar the '*' mark (shown
// ☆); kScratched the '/' mark of a scratched horse.
#ifndef YDB_STORE_ODDSBLOB_H_
#define YDB_STORE_ODDSBLOB_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ydb {
namespace odds_blob {

constexpr std::int32_t kNone = 0;
constexpr std::int32_t kStar = -1;
constexpr std::int32_t kScratched = -2;

// Pools are numbered as on bought tickets: 1 win, 2 place, 3 bracket
// quinella, 4 quinella, 5 wide.
constexpr int kWin = 1, kPlace = 2, kBracketQuinella = 3, kQuinella = 4, kWide = 5;

// Values kept per combination: 2 for place and wide, else 1.
int SlotsPerCombination(int pool);

// Number of combinations of the pool for a field of `runners`; 0 for an
// unknown pool or no runners.
int CombinationCount(int pool, int runners);

// Position of (first, second) in the pool's order (second 0 for win and
// place); -1 when it is not a combination of the field.
int IndexOf(int pool, int runners, int first, int second);

// The combination at `index` of the pool's order.
void CombinationAt(int pool, int runners, int index, int* first, int* second);

// The values of a pool, CombinationCount × SlotsPerCombination of them,
// packed little-endian, and back. Unpack answers false for a blob of
// another size.
std::string Pack(const std::vector<std::int32_t>& values);
bool Unpack(std::string_view blob, int pool, int runners, std::vector<std::int32_t>* values);

}  // namespace odds_blob
}  // namespace ydb

#endif  // YDB_STORE_ODDSBLOB_H_
