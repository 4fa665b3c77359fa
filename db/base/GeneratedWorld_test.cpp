// Tests of reading a seed: decimal digits up to the largest seed, nothing else.
#include "db/base/GeneratedWorld.h"

#include <gtest/gtest.h>

namespace ydb {
namespace {

TEST(GeneratedWorldTest, ASeedIsDecimalDigitsUpToTheLargest) {
  for (const auto& [text, value] : {std::pair<const char*, std::uint64_t>{"0", 0},
                                    {"7", 7},
                                    {"0012", 12},
                                    {"9223372036854775807", kLargestSeed}}) {
    std::uint64_t seed = 99;
    EXPECT_TRUE(ParseSeed(text, &seed)) << text;
    EXPECT_EQ(seed, value) << text;
  }
  for (const char* text : {"", "-1", "+1", " 1", "1 ", "1e3", "0x10", "9223372036854775808",
                           "18446744073709551615", "99999999999999999999", "00000000000000000001"}) {
    std::uint64_t seed = 99;
    EXPECT_FALSE(ParseSeed(text, &seed)) << text;
    EXPECT_EQ(seed, 99u) << text;
  }
}

}  // namespace
}  // namespace ydb
