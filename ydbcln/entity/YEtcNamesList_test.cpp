// Name-search rows: which types read a code, how long a name each reads,
// and an unknown type.
#include "ydbcln/entity/YEtcNamesList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A record of `bytes`, padded with blanks to 48 bytes.
std::string Record(const std::string& bytes) { return bytes + std::string(48 - bytes.size(), ' '); }

TEST(YEtcNamesListTest, TheTypeSaysWhereTheNameAndCodeAre) {
  const std::string coded = Record("01001  Jockey Name");
  for (int type = 1; type <= 4; ++type) {
    YEtcNamesList row(nullptr, coded.data(), type);
    EXPECT_TRUE(row.iscode()) << type;
    EXPECT_EQ(row.getcode(), "01001  ");
    EXPECT_EQ(row.getname(), "Jockey Name");
    EXPECT_EQ(row.gettype(), type);
  }
  // Forty bytes of name, nothing after them read, no code.
  const std::string owner = std::string(39, 'O') + "X" + "tail....";
  for (int type = 5; type <= 6; ++type) {
    YEtcNamesList row(nullptr, owner.data(), type);
    EXPECT_FALSE(row.iscode());
    EXPECT_EQ(row.getname(), std::string(39, 'O') + "X");
    EXPECT_EQ(row.getcode(), "");
  }
  YEtcNamesList other(nullptr, coded.data(), 7);
  EXPECT_EQ(other.getname(), "");
  EXPECT_FALSE(other.iscode());
  EXPECT_EQ(other.gettype(), 7);

  char name[] = "Breeder";
  char empty[] = "";
  char code[] = "2020011";
  EXPECT_FALSE(YEtcNamesList(nullptr, name, empty, 6).iscode());
  YEtcNamesList copied = YEtcNamesList(nullptr, name, code, 1);
  EXPECT_TRUE(copied.iscode());
  EXPECT_EQ(copied.getcode(), "2020011");
}

}  // namespace
