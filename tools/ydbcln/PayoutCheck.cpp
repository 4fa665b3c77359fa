// Checking a payout file record entry by entry.
#include "PayoutCheck.h"

namespace tool {
namespace {

constexpr int kHorses = 18;
constexpr int kFrames = 8;
constexpr int kLargestPayout = 999999999;

// How a pool's combination numbers read.
enum class Combination { kHorse, kFramePair, kHorsePair };

bool Valid(Combination kind, int number) {
  switch (kind) {
    case Combination::kHorse:
      return number >= 1 && number <= kHorses;
    case Combination::kFramePair: {
      const int a = number / 10, b = number % 10;
      return a >= 1 && a <= b && b <= kFrames;
    }
    case Combination::kHorsePair: {
      const int a = number / 100, b = number % 100;
      return a >= 1 && a < b && b <= kHorses;
    }
  }
  return false;
}

std::string PoolFault(const char* pool, Combination kind, const unsigned short* combinations,
                      const int* payouts, int entries) {
  for (int i = 0; i < entries; ++i) {
    const int number = combinations[i];
    const int payout = payouts[i];
    if (number == 0 && payout == 0) continue;
    const std::string entry = std::string(pool) + " entry " + std::to_string(i + 1);
    if (!Valid(kind, number)) {
      return entry + " has the combination " + std::to_string(number) + ", which the pool has not";
    }
    if (payout < 1 || payout > kLargestPayout) {
      return entry + " pays " + std::to_string(payout) + " yen";
    }
  }
  return "";
}

}  // namespace

std::string PayoutFault(const YHaitoInfo& p) {
  std::string fault = PoolFault("bracket quinella", Combination::kFramePair, p.wakuren_kumi,
                                p.wakuren_haito, 3);
  if (fault.empty()) {
    fault = PoolFault("quinella", Combination::kHorsePair, p.umaren_kumi, p.umaren_haito, 3);
  }
  if (fault.empty()) fault = PoolFault("wide", Combination::kHorsePair, p.wide_kumi, p.wide_haito, 7);
  if (fault.empty()) fault = PoolFault("win", Combination::kHorse, p.tansho_uma, p.tansho_haito, 3);
  if (fault.empty()) {
    fault = PoolFault("place", Combination::kHorse, p.fukusho_uma, p.fukusho_haito, 5);
  }
  return fault;
}

}  // namespace tool
