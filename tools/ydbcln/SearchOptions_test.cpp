// The comma lists of the search options, read without running the program:
// a list's mask, a name it does not know, and both rules for an empty item.
#include "SearchOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tool {
namespace {

TEST(SearchOptions, AListIsAMaskAndAnEmptyItemIsLeftOutOrRefusedAsAsked) {
  const std::vector<std::string> names = {"turf", "dirt", "jump"};
  const struct {
    const char* list;
    EmptyItems empty;
    bool ok;
    int mask;
    const char* bad;
  } cases[] = {
      {"dirt,jump", EmptyItems::kRefused, true, 6, ""},
      {"turf,", EmptyItems::kRefused, true, 1, ""},
      {"turf,,jump", EmptyItems::kRefused, false, 0, ""},
      {",turf", EmptyItems::kRefused, false, 0, ""},
      {"turf,,jump", EmptyItems::kLeftOut, true, 5, ""},
      {",turf", EmptyItems::kLeftOut, true, 1, ""},
      {"turf,sand", EmptyItems::kLeftOut, false, 0, "sand"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    int mask = -1;
    std::string bad = "?";
    ASSERT_EQ(Mask(c.list, names, &mask, &bad, c.empty), c.ok);
    if (c.ok) {
      EXPECT_EQ(mask, c.mask);
    } else {
      EXPECT_EQ(bad, c.bad);
    }
  }
}

}  // namespace
}  // namespace tool
