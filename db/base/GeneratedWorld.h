// The synthetic world a generated data set holds: the seed and the origin
// season that every season generated into it must share, since another
// seed or origin makes other horses, people and races under the same
// codes. The data set records them when it is first generated
// (Writer::claimWorld) and hands them out (DataSet::world).
#ifndef YDB_BASE_GENERATEDWORLD_H_
#define YDB_BASE_GENERATEDWORLD_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace ydb {

struct GeneratedWorld {
  std::uint64_t seed = 0;
  int origin = 0;  // the world's first season

  bool operator==(const GeneratedWorld& other) const {
    return seed == other.seed && origin == other.origin;
  }
  bool operator!=(const GeneratedWorld& other) const { return !(*this == other); }

  // "seed 7, origin 2015".
  std::string describe() const;
};

// The largest seed a user may give: seeds are taken as decimal numbers of
// at most 19 digits, so that every one fits a signed 64-bit integer too.
constexpr std::uint64_t kLargestSeed = 9223372036854775807ULL;

// Reads a seed written as decimal digits only (no sign, no blanks), at most
// kLargestSeed; false for anything else, leaving *seed alone.
bool ParseSeed(std::string_view text, std::uint64_t* seed);

}  // namespace ydb

#endif  // YDB_BASE_GENERATEDWORLD_H_
