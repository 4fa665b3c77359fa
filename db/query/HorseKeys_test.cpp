// The horse search's keys: the grammar document's examples compile, the
// forms read alike, the codes are checked against the key table, and a
// horse command does not combine with a race command.
#include <gtest/gtest.h>

#include <string>

#include "db/base/RecordBuffer.h"
#include "db/query/Command.h"
#include "db/query/KeyTable.h"
#include "db/query/Parser.h"
#include "db/query/SqlAssembly.h"
#include "text/sjis.h"

namespace ydb {
namespace {

Status Parse(const std::string& utf8, Condition* c) {
  return ParseCondition(SearchKind::kHorse, ytext::to_sjis_lossy(utf8), c);
}

TEST(HorseKeys, TheGrammarExamplesCompileAndTheFormsReadAlike) {
  for (const char* text : {"T=1&HH=3>", "T=1&HH>=3", "T=2&S=1&A=3&A=4",
                           "T=1&FN=キング&H=5000>", "T=1&UDS=1", "T=1&A=10+&C=08&K=21&P=4"}) {
    Condition c;
    EXPECT_TRUE(Parse(text, &c).ok()) << text;
  }
  Condition command, text;
  ASSERT_TRUE(Parse("T=1&HH=3>", &command).ok());
  ASSERT_TRUE(Parse("T=1&HH>=3", &text).ok());
  EXPECT_EQ(AssembleQuery(command).sql, AssembleQuery(text).sql);
  EXPECT_EQ(command.groups[0].terms[1].comparison, Comparison::kAtLeast);
  // An open age range names every age from 10.
  Condition ages;
  ASSERT_TRUE(Parse("A=98+", &ages).ok());
  EXPECT_EQ(ages.groups[0].terms[0].codes.size(), 2u);
}

TEST(HorseKeys, ValuesOutsideTheKeysAreRefused) {
  for (const char* text : {"T=5", "T=1&T=2", "C=09", "C=1", "K=27", "P=0", "S=3", "UDS=2",
                           "HH=10000>", "TF=20240101", "ts=3"}) {
    Condition c;
    const Status s = Parse(text, &c);
    EXPECT_TRUE(s.IsInvalidArgument()) << text;
  }
}

// A horse command takes a race command's conditions (the horses that ran
// in the races found), never the other way round.
TEST(HorseKeys, ARaceCommandDoesNotTakeAHorseCommand) {
  Condition horse, race;
  ASSERT_TRUE(Parse("T=1", &horse).ok());
  ASSERT_TRUE(ParseCondition(SearchKind::kRace, "P=05", &race).ok());
  void* a = nullptr;
  void* b = nullptr;
  ASSERT_TRUE(MakeCommand(horse, &a).ok());
  ASSERT_TRUE(MakeCommand(race, &b).ok());
  void* both = nullptr;
  EXPECT_FALSE(CombineCommands(b, a, &both).ok());
  Condition read;
  ASSERT_TRUE(ReadCommand(a, &read).ok());
  EXPECT_EQ(read.kind, SearchKind::kHorse);
  ReleaseRecords(a);
  ReleaseRecords(b);
}

}  // namespace
}  // namespace ydb
