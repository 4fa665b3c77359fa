// Tests of building records through their layouts: the binary form, and
// every value that cannot be written refused without touching the record.
// (The text, digit, sign and code forms and where the fields land: the
// record tests over the render world, which read every form.)
#include "db/render/RecordBuilder.h"

#include <gtest/gtest.h>

#include <string>

#include "db/layout/Layouts.h"
#include "testing/Sjis.h"

namespace ydb {
namespace {

using ytest::Sjis;

// A record's bytes, started as garbage so that blanking is visible.
std::string Garbage(const RecordLayout& layout) { return std::string(layout.size(), '#'); }

std::string At(const std::string& record, std::size_t offset, std::size_t width) {
  return record.substr(offset, width);
}

TEST(RecordBuilderTest, BinaryFieldsAreLittleEndianAndStartZero) {
  std::string rec = Garbage(TheoryLayout());
  RecordBuilder b(rec.data(), TheoryLayout());
  EXPECT_EQ(At(rec, 0, 4), std::string(4, '\0'));
  EXPECT_EQ(At(rec, 4, 60), std::string(60, ' '));
  b.set_int("code", -1);
  b.set_int("item_count", 8);
  b.set_int("item_parameter1", 0x01020304, 7);
  b.set_text_utf8("title", "穴狙い");
  ASSERT_TRUE(b.status().ok()) << b.status().message();
  EXPECT_EQ(At(rec, 0, 4), std::string(4, '\xff'));
  EXPECT_EQ(At(rec, 68, 4), std::string("\x08\0\0\0", 4));
  EXPECT_EQ(At(rec, 224, 4), "\x04\x03\x02\x01");

  RecordReader reader(rec.data(), TheoryLayout());
  EXPECT_EQ(reader.integer("code"), -1);
  EXPECT_EQ(reader.integer("item_parameter1", 7), 0x01020304);
  EXPECT_EQ(reader.text_utf8("title"), "穴狙い");

  EXPECT_FALSE(b.set_int("item_count", std::int64_t{1} << 31).ok());
  EXPECT_TRUE(b.set_int("item_count", -(std::int64_t{1} << 31)).ok());
  EXPECT_FALSE(b.set_marker("code", '*').ok());
}

// The forms written are read by every record test; here what overflows.
TEST(RecordBuilderTest, DigitAndSignedOverflowIsRefusedAndTheFirstFailureKept) {
  std::string rec = Garbage(ResultRunnerLayout());
  RecordBuilder b(rec.data(), ResultRunnerLayout());
  RecordReader reader(rec.data(), ResultRunnerLayout());

  EXPECT_TRUE(b.set_digits("distance", 9999).ok());
  const Status overflow = b.set_digits("distance", 10000);
  EXPECT_FALSE(overflow.ok());
  EXPECT_NE(overflow.message().find("distance"), std::string::npos) << overflow.message();
  EXPECT_EQ(At(rec, 119, 4), "9999");
  EXPECT_FALSE(b.set_digits("distance", -1).ok());
  EXPECT_EQ(b.status().message(), overflow.message());  // the first failure is kept

  EXPECT_TRUE(b.set_signed("body_weight_change", -99).ok());
  EXPECT_EQ(reader.number("body_weight_change"), -99);
  EXPECT_FALSE(b.set_signed("body_weight_change", 100).ok());
  EXPECT_FALSE(b.set_signed("body_weight_change", -100).ok());
  EXPECT_EQ(At(rec, 267, 3), "-99");

  EXPECT_TRUE(reader.blank("margin"));
  EXPECT_EQ(reader.number("margin"), std::nullopt);
}

TEST(RecordBuilderTest, CodesArePaddedAndBadCodesRefused) {
  std::string rec = Garbage(ResultRunnerLayout());
  RecordBuilder b(rec.data(), ResultRunnerLayout());
  EXPECT_TRUE(b.set_code("jockey_code", "123").ok());
  EXPECT_EQ(At(rec, 273, 5), "123  ");
  EXPECT_FALSE(b.set_code("jockey_code", "123456").ok());
  EXPECT_FALSE(b.set_code("jockey_code", Sjis("騎手")).ok());
  EXPECT_EQ(At(rec, 273, 5), "123  ");
}

TEST(RecordBuilderTest, WritesThatCannotBeMadeLeaveTheRecordAlone) {
  std::string rec = Garbage(RaceListLayout());
  RecordBuilder b(rec.data(), RaceListLayout());
  b.set_digits("date", 20020105);
  const std::string before = rec;

  EXPECT_FALSE(b.set_code("venue_place_code", "05", 3).ok());        // fourth venue
  EXPECT_FALSE(b.set_digits("date", 20020106, 1).ok());               // not repeated
  EXPECT_FALSE(b.set_digits("venue_main_race_name", 1, 0).ok());     // text, not digits
  EXPECT_FALSE(b.set_text_utf8("date", "明日").ok());                 // digits, not text
  EXPECT_FALSE(b.set_signed("date", 1).ok());
  EXPECT_FALSE(b.set_int("date", 1).ok());
  EXPECT_FALSE(b.set_code("venue", "05").ok());                      // no such field
  EXPECT_FALSE(b.set_raw("date", "2002").ok());                       // wrong width
  EXPECT_FALSE(b.set_marker("venue_day", '-', static_cast<std::size_t>(-1)).ok());
  EXPECT_EQ(rec, before);
  EXPECT_NE(b.status().message().find("RACELISTREC.venue_place_code"), std::string::npos)
      << b.status().message();

  EXPECT_TRUE(b.set_raw("date", "20020106").ok());
  EXPECT_EQ(At(rec, 0, 8), "20020106");
}

TEST(RecordBuilderTest, FieldsFoundOnceWriteOnlyIntoTheirOwnLayout) {
  const Field& date = FieldOf(RaceListLayout(), "date");
  const Field& missing = FieldOf(RaceListLayout(), "no_such_field");
  const Field& other = FieldOf(BuyTicketLayout(), "count");
  std::string rec = Garbage(RaceListLayout());
  RecordBuilder b(rec.data(), RaceListLayout());
  const std::string before = rec;
  EXPECT_FALSE(b.set_digits(missing, 1).ok());
  EXPECT_FALSE(b.set_digits(other, 12).ok());  // its offset means nothing here
  EXPECT_EQ(rec, before);
  EXPECT_NE(b.status().message().find("missing_field"), std::string::npos) << b.status().message();
  EXPECT_TRUE(b.set_digits(date, 20020105).ok());
  EXPECT_EQ(At(rec, 0, 8), "20020105");
}

TEST(RecordBuilderTest, ReaderAnswersNothingForUnknownFields) {
  std::string rec = Garbage(BuyTicketLayout());
  RecordBuilder b(rec.data(), BuyTicketLayout());
  b.set_digits("count", 12);
  RecordReader reader(rec.data(), BuyTicketLayout());
  EXPECT_EQ(rec, std::string(25, ' ') + "0012");
  EXPECT_EQ(reader.number("count"), 12);
  EXPECT_EQ(reader.number("race_code"), std::nullopt);  // a code, not a number
  EXPECT_EQ(reader.number("count", 1), std::nullopt);
  EXPECT_TRUE(reader.bytes("stake").empty());
  EXPECT_FALSE(reader.blank("stake"));
  EXPECT_EQ(reader.integer("count"), std::nullopt);
}

}  // namespace
}  // namespace ydb
