// Search command buffers: what is written is read back, a changed or foreign
// buffer is refused, and combining keeps to its limit.
#include "db/query/Command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "db/base/RecordBuffer.h"
#include "db/query/Parser.h"

namespace ydb {
namespace {

struct Release {
  void operator()(void* b) const { ReleaseRecords(b); }
};
using Buffer = std::unique_ptr<void, Release>;

Buffer Command(const std::string& text) {
  Condition c;
  EXPECT_TRUE(ParseCondition(SearchKind::kRace, text, &c).ok()) << text;
  void* out = nullptr;
  EXPECT_TRUE(MakeCommand(c, &out).ok());
  return Buffer(out);
}

TEST(SearchCommand, ReadsBackWhatWasWritten) {
  const Buffer b = Command("TF=20240101&TT=20241231&P=04&P=05");
  Condition c;
  ASSERT_TRUE(ReadCommand(b.get(), &c).ok());
  EXPECT_EQ(c.kind, SearchKind::kRace);
  ASSERT_EQ(c.groups.size(), 1u);
  EXPECT_EQ(c.groups[0].text, "TF=20240101&TT=20241231&P=04&P=05");
  EXPECT_EQ(c.groups[0].terms.size(), 4u);
}

TEST(SearchCommand, RefusesAChangedOrForeignBuffer) {
  const Buffer good = Command("P=04");
  const int size = RecordSize(good.get());
  // Any one byte changed, anywhere, is noticed.
  for (int at = 0; at < size; ++at) {
    Buffer copy(AllocateRecords(size, 1));
    std::memcpy(copy.get(), good.get(), static_cast<std::size_t>(size));
    static_cast<unsigned char*>(copy.get())[at] ^= 0x01;
    Condition c;
    EXPECT_TRUE(ReadCommand(copy.get(), &c).IsInvalidArgument()) << "byte " << at;
  }
  Condition c;
  EXPECT_FALSE(ReadCommand(nullptr, &c).ok());
  const Buffer records(AllocateRecords(12, 3));
  EXPECT_FALSE(ReadCommand(records.get(), &c).ok());
  const Buffer zeros(AllocateRecords(64, 1));
  EXPECT_FALSE(ReadCommand(zeros.get(), &c).ok());
}

TEST(SearchCommand, CombinesBothConditionsUpToTheLimit) {
  Buffer held = Command("P=04");
  const Buffer added = Command("B=1");
  int combined = 1;
  for (int i = 0; i < 1000; ++i) {
    void* out = nullptr;
    const Status s = CombineCommands(held.get(), added.get(), &out);
    if (!s.ok()) {
      EXPECT_NE(s.message().find("at most 8"), std::string::npos);
      break;
    }
    held.reset(out);
    ++combined;
  }
  EXPECT_EQ(combined, static_cast<int>(kMaxGroups));
  Condition c;
  ASSERT_TRUE(ReadCommand(held.get(), &c).ok());
  ASSERT_EQ(c.groups.size(), kMaxGroups);
  EXPECT_EQ(c.groups[0].text, "P=04");
  EXPECT_EQ(c.groups[1].text, "B=1");
}

}  // namespace
}  // namespace ydb
