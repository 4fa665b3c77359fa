// The generated world's description and the one reading of a seed.
#include "db/base/GeneratedWorld.h"

namespace ydb {

std::string GeneratedWorld::describe() const {
  return "seed " + std::to_string(seed) + ", origin " + std::to_string(origin);
}

bool ParseSeed(std::string_view text, std::uint64_t* seed) {
  if (text.empty() || text.size() > 19) return false;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');  // 19 digits cannot overflow
  }
  if (value > kLargestSeed) return false;
  *seed = value;
  return true;
}

}  // namespace ydb
