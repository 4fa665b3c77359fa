// Record buffers: counting, copying and freeing runs of records, and the
// fixed-width field helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "db/api/ybl.h"

namespace {

TEST(RecordBuffer, AllocCountsAndZeroFills) {
  void* buffer = alloc_data(659, 3);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(get_rec_size(buffer), 3);
  EXPECT_EQ(get_rec_width(buffer), 659);
  const unsigned char* bytes = static_cast<unsigned char*>(buffer);
  for (int i = 0; i < 659 * 3; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer) % 16, 0u);
  release_data(buffer);
}

TEST(RecordBuffer, EmptyAndRefusedBuffers) {
  void* empty = alloc_data(158, 0);
  ASSERT_NE(empty, nullptr) << "an empty buffer means nothing found, not failure";
  EXPECT_EQ(get_rec_size(empty), 0);
  release_data(empty);
  EXPECT_EQ(alloc_data(0, 5), nullptr);
  EXPECT_EQ(alloc_data(10, -1), nullptr);
  EXPECT_EQ(get_rec_size(nullptr), 0);
  EXPECT_EQ(get_rec_width(nullptr), 0);
  EXPECT_EQ(dup_data(nullptr), nullptr);
  release_data(nullptr);
}

// The fields the library reads every record by; here the ends the records
// of the store never reach.
TEST(FieldHelpers, MuiReadsDigitFields) {
  EXPECT_EQ(mui("12 4", 4), 12u) << "stops at the first non-digit";
  EXPECT_EQ(mui("4294967295", 10), 4294967295u);
  EXPECT_EQ(mui("7", 0), 0u);
  EXPECT_EQ(mui(nullptr, 4), 0u);
}

TEST(FieldHelpers, Buf2strAndDelTspace) {
  char dst[8];
  char blanks[] = "    ";
  EXPECT_STREQ(del_tspace(blanks), "");
  char inner[] = " a b ";
  EXPECT_STREQ(del_tspace(inner), " a b");
  EXPECT_EQ(del_tspace(nullptr), nullptr);
  EXPECT_STREQ(buf2str(dst, nullptr, 4), "");
  EXPECT_EQ(buf2str(nullptr, "AB", 2), nullptr);
}

}  // namespace
