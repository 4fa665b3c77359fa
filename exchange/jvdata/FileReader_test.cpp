// The JV-Data record reader on records built by hand: dispatch on type and
// length (a known type of another length refused with its file, line, type
// and length, an unknown type counted and skipped), records cut short,
// and fields cut by byte offset before they are decoded.
#include "exchange/jvdata/FileReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "exchange/jvdata/HandBuilt_test.h"
#include "testing/Sjis.h"

namespace exchange {
namespace jvdata {
namespace {

struct Visited {
  std::string type;
  int form;
  int created;
};

// Reads `text` as the file "f.txt"; what was visited into *visited.
ydb::Status Read(const std::string& text, std::vector<Visited>* visited, ReadSummary* summary) {
  std::istringstream in(text);
  return ReadRecords(in, "f.txt", [&](const Record& r, const RecordType& type, int form) {
    visited->push_back({type.id, form, r.created()});
    return ydb::Status::Ok();
  }, summary);
}

TEST(FileReaderTest, RecordsGoByTypeAndLengthAndUnknownTypesAreCounted) {
  const std::string text = Line("RA", 1272) + Line("UM", 1577) + Line("ZZ", 40) +
                           Line("O6", 83285) + Line("UM", 1609) + Line("SE", 555);
  std::vector<Visited> visited;
  ReadSummary summary;
  ASSERT_TRUE(Read(text, &visited, &summary).ok());
  ASSERT_EQ(visited.size(), 5u);
  EXPECT_EQ(visited[0].type, "RA");
  EXPECT_EQ(visited[1].type + std::to_string(visited[1].form), "UM1") << "the older form";
  EXPECT_EQ(visited[3].type + std::to_string(visited[3].form), "UM0");
  EXPECT_EQ(visited[2].type, "O6") << "a counted type still reaches the visitor";
  EXPECT_EQ(visited[4].created, 20240108);
  EXPECT_EQ(summary.by_type["UM"], 2);
  EXPECT_EQ(summary.unknown, 1);
  EXPECT_EQ(summary.bytes, static_cast<std::int64_t>(text.size()));
  EXPECT_EQ(FindRecordType("O4")->handling, Handling::kCounted);
  EXPECT_EQ(FindRecordType("KS")->handling, Handling::kRead);
}

TEST(FileReaderTest, BadRecordsAreRefusedWithTheirFileAndLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string good = Line("KS", 4173);
  const std::string cut = Line("RA", 1272).substr(0, 700);
  const std::vector<Case> cases = {
      {good + Line("RA", 1270),
       "f.txt line 2: a record RA of 1270 bytes, a length no form of RA has"},
      {good + cut, "f.txt line 2: the record does not end in CR LF (cut short?)"},
      {good + cut + "\r\n" + good, "f.txt line 2: a record RA of 702 bytes"},
      {good + "KS7\r\n", "f.txt line 2: a record of 5 bytes is shorter than the 11"},
      {good + "\n", "f.txt line 2: the record does not end in CR LF"},
      {std::string(good).erase(good.size() - 2, 1), "f.txt line 1: the record does not end"},
  };
  for (const Case& c : cases) {
    std::vector<Visited> visited;
    ReadSummary summary;
    const ydb::Status s = Read(c.text, &visited, &summary);
    EXPECT_TRUE(s.IsInvalidArgument()) << c.message;
    EXPECT_EQ(s.message().find(c.message), 0u) << s.message();
  }

  // A visitor's failure keeps its kind and gains the place.
  std::istringstream in(good + good);
  ReadSummary summary;
  int seen = 0;
  const ydb::Status s = ReadRecords(in, "f.txt", [&](const Record&, const RecordType&, int) {
    return ++seen == 2 ? ydb::Status::NotFound("trainer 01001 is not stored") : ydb::Status::Ok();
  }, &summary);
  EXPECT_TRUE(s.IsNotFound());
  EXPECT_EQ(s.message(), "f.txt line 2: trainer 01001 is not stored");
  EXPECT_TRUE(ReadFile("/nonexistent/RA.txt", {}, &summary).IsIOError());
}

TEST(RecordTest, FieldsAreCutByOffsetBeforeTheyAreDecoded) {
  // A 34-byte name field filled to its last byte, the next field right
  // behind it; a name padded with full-width blanks; a trail byte 0x40
  // (the second byte of ァ is not a blank).
  const std::string name = ytest::Sjis("エイコウノキセキヲカサネタオウジャ");  // 34 bytes
  const std::string line = Line("KS", 4173, {{41, name},
                                             {75, "X"},
                                             {109, ytest::Sjis("　タケ　ユタカ　　")},
                                             {139, "\x83\x40"},
                                             {200, "\x82"},
                                             {227, " 12"},
                                             {230, "1 2"}});
  const Record r(std::string_view(line).substr(0, line.size() - 2));
  EXPECT_EQ(r.type(), "KS");
  EXPECT_EQ(r.stage(), '7');
  EXPECT_EQ(r.length(), 4173);
  std::string text;
  EXPECT_TRUE(r.text(41, 34, &text));
  EXPECT_EQ(text, "エイコウノキセキヲカサネタオウジャ");
  EXPECT_TRUE(r.text(109, 30, &text));
  EXPECT_EQ(text, "タケ　ユタカ") << "blanks inside a name stay";
  EXPECT_TRUE(r.text(139, 2, &text));
  EXPECT_EQ(text, "ァ");
  EXPECT_TRUE(r.text(300, 10, &text));
  EXPECT_EQ(text, "") << "a blank field";
  EXPECT_FALSE(r.text(199, 2, &text)) << "a lead byte with no trail byte in its field";
  EXPECT_EQ(text, "");

  std::int64_t value = -1;
  EXPECT_EQ(r.number(227, 3, &value), Record::Number::kValue);
  EXPECT_EQ(value, 12);
  EXPECT_EQ(r.number(230, 3, &value), Record::Number::kBad);
  EXPECT_EQ(r.number(300, 4, &value), Record::Number::kBlank);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(r.number(4170, 8, &value), Record::Number::kBlank) << "past the end";

  EXPECT_EQ(Record("RA7202401x8").created(), 0);
  EXPECT_EQ(Record("R").type(), "R");
  EXPECT_EQ(Record("R").stage(), ' ');
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
