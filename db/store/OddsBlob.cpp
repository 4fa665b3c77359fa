// Packing the odds of one pool into one store value.
#include "db/store/OddsBlob.h"

namespace ydb {
namespace odds_blob {
namespace {

constexpr int kFrames = 8;

bool IsPairPool(int pool) { return pool == kBracketQuinella || pool == kQuinella || pool == kWide; }

// Pairs (a, b) of 1..n in lexical order, a < b, or a <= b when
// `same_allowed`: the index of the first pair that starts with a.
int PairRowStart(int a, int n, bool same_allowed) {
  const int row_length_first = same_allowed ? n : n - 1;
  // rows 1..a-1 have lengths row_length_first, row_length_first - 1, ...
  return (a - 1) * row_length_first - (a - 1) * (a - 2) / 2;
}

}  // namespace

int SlotsPerCombination(int pool) { return pool == kPlace || pool == kWide ? 2 : 1; }

int CombinationCount(int pool, int runners) {
  if (runners <= 0) return 0;
  switch (pool) {
    case kWin:
    case kPlace:
      return runners;
    case kBracketQuinella:
      return kFrames * (kFrames + 1) / 2;
    case kQuinella:
    case kWide:
      return runners * (runners - 1) / 2;
    default:
      return 0;
  }
}

int IndexOf(int pool, int runners, int first, int second) {
  if (CombinationCount(pool, runners) == 0) return -1;
  if (!IsPairPool(pool)) {
    return second == 0 && first >= 1 && first <= runners ? first - 1 : -1;
  }
  const bool frames = pool == kBracketQuinella;
  const int n = frames ? kFrames : runners;
  if (first < 1 || second > n || (frames ? first > second : first >= second)) return -1;
  return PairRowStart(first, n, frames) + (second - first - (frames ? 0 : 1));
}

void CombinationAt(int pool, int runners, int index, int* first, int* second) {
  *first = 0;
  *second = 0;
  if (index < 0 || index >= CombinationCount(pool, runners)) return;
  if (!IsPairPool(pool)) {
    *first = index + 1;
    return;
  }
  const bool frames = pool == kBracketQuinella;
  const int n = frames ? kFrames : runners;
  int a = 1;
  while (a < n && PairRowStart(a + 1, n, frames) <= index) ++a;
  *first = a;
  *second = index - PairRowStart(a, n, frames) + a + (frames ? 0 : 1);
}

std::string Pack(const std::vector<std::int32_t>& values) {
  std::string blob;
  blob.reserve(values.size() * 4);
  for (std::int32_t v : values) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) blob.push_back(static_cast<char>((u >> shift) & 0xff));
  }
  return blob;
}

bool Unpack(std::string_view blob, int pool, int runners, std::vector<std::int32_t>* values) {
  const std::size_t count =
      static_cast<std::size_t>(CombinationCount(pool, runners) * SlotsPerCombination(pool));
  if (blob.size() != count * 4) return false;
  values->assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t u = 0;
    for (int b = 3; b >= 0; --b) {
      u = (u << 8) | static_cast<unsigned char>(blob[i * 4 + static_cast<std::size_t>(b)]);
    }
    (*values)[i] = static_cast<std::int32_t>(u);
  }
  return true;
}

}  // namespace odds_blob
}  // namespace ydb
