// Statuses keep their kind through context; accident codes read back.
#include "db/base/Codes.h"

#include <gtest/gtest.h>

#include <string>

#include "db/base/Status.h"

namespace ydb {
namespace {

TEST(StatusTest, ContextKeepsTheKindAndPrefixesTheReason) {
  const Status missing = Status::NotFound("no such ticket").Within("tickets");
  EXPECT_TRUE(missing.IsNotFound());
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), "tickets: no such ticket");
  EXPECT_EQ(missing.ToString(), "Not found: tickets: no such ticket");
  EXPECT_TRUE(Status::Ok().Within("tickets").ok());
  EXPECT_EQ(Status::Ok().Within("tickets").message(), "");
  EXPECT_TRUE(Status::Busy("locked").Within("open").IsBusy());
  EXPECT_FALSE(Status::Corruption("x").IsIOError());
}

TEST(AccidentTest, EveryCodeReadsBackAndNothingElseReads) {
  for (int n = 31; n <= 36; ++n) {
    const std::string code = std::to_string(n);
    const std::optional<Accident> accident = ParseAccident(code);
    ASSERT_TRUE(accident) << code;
    EXPECT_EQ(AccidentCode(*accident), code);
  }
  for (const char* code : {"", "30", "37", "3", "310", "a1"}) EXPECT_FALSE(ParseAccident(code));
  EXPECT_FALSE(Started(Accident::kScratched));
  EXPECT_FALSE(Started(Accident::kExcluded));
  EXPECT_TRUE(Started(Accident::kFell));
  EXPECT_TRUE(Placed(Accident::kDemoted));
  EXPECT_FALSE(Placed(Accident::kDisqualified));
}

}  // namespace
}  // namespace ydb
