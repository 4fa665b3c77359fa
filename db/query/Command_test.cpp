// Search command buffers: what is written is read back, a changed or foreign
// buffer is refused, and combining keeps to its limit.
#include "db/query/Command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "db/base/RecordBuffer.h"
#include "db/query/Parser.h"

namespace ydb {
namespace {

struct Release {
  void operator()(void* b) const { ReleaseRecords(b); }
};
using Buffer = std::unique_ptr<void, Release>;

Buffer Command(const std::string& text, SearchKind kind = SearchKind::kRace) {
  Condition c;
  EXPECT_TRUE(ParseCondition(kind, text, &c).ok()) << text;
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
  EXPECT_EQ(c.groups[1].text, "B=1");
}

// Across kinds, a horse, sire, jockey or trainer command takes a race
// command's conditions and a race command a sire command's, as the
// drill-down combines its searches; the groups keep their kinds.
TEST(SearchCommand, CombinesAcrossKindsOnlyAsTheDrillDownDoes) {
  using K = SearchKind;
  const K kinds[] = {K::kHorse, K::kSire, K::kJockey, K::kStable, K::kRace};
  const std::set<std::pair<K, K>> across = {
      {K::kHorse, K::kRace}, {K::kSire, K::kRace}, {K::kJockey, K::kRace},
      {K::kStable, K::kRace}, {K::kRace, K::kSire}};
  const auto text_of = [](K kind) { return kind == K::kRace ? "P=04" : "T=1"; };
  for (const K held : kinds) {
    for (const K added : kinds) {
      const Buffer a = Command(text_of(held), held);
      const Buffer b = Command(text_of(added), added);
      void* out = nullptr;
      const Status s = CombineCommands(a.get(), b.get(), &out);
      const Buffer both(out);
      const bool expected = held == added || across.count({held, added}) > 0;
      ASSERT_EQ(s.ok(), expected) << static_cast<int>(held) << "+" << static_cast<int>(added);
      if (!expected) continue;
      Condition c;
      ASSERT_TRUE(ReadCommand(both.get(), &c).ok());
      EXPECT_EQ(c.kind, held);
      ASSERT_EQ(c.groups.size(), 2u);
      EXPECT_EQ(c.groups[1].kind, added);
    }
  }
  // A command combined across kinds is taken whole by one of its own kind
  // only.
  const Buffer race = Command("P=04");
  const Buffer sire = Command("T=1", K::kSire);
  void* out = nullptr;
  ASSERT_TRUE(CombineCommands(race.get(), sire.get(), &out).ok());
  const Buffer mixed(out);
  out = nullptr;
  ASSERT_TRUE(CombineCommands(race.get(), mixed.get(), &out).ok());
  const Buffer three(out);
  Condition c;
  ASSERT_TRUE(ReadCommand(three.get(), &c).ok());
  ASSERT_EQ(c.groups.size(), 3u);
  EXPECT_EQ(c.groups[2].kind, K::kSire);
  const Buffer horse = Command("T=1", K::kHorse);
  out = nullptr;
  EXPECT_TRUE(CombineCommands(horse.get(), mixed.get(), &out).IsInvalidArgument());
  EXPECT_EQ(out, nullptr);
}

}  // namespace
}  // namespace ydb
