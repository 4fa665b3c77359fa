// CSV rows written and read back, the line numbers rows are told by, the
// byte-order mark and CRLF line ends a user's file may have, the faults of
// a broken file; and the written forms of dates, times and tenths.
#include "exchange/Csv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "exchange/Fields.h"
#include "testing/TempDir.h"

namespace exchange {
namespace {

using Rows = std::vector<std::pair<int, std::vector<std::string>>>;  // line, fields

class CsvTest : public ::testing::Test {
 protected:
  // Reads `bytes` as a file: the rows with their lines, and the final status.
  ydb::Status read(const std::string& bytes, Rows* rows) {
    const std::string path = dir_.str() + "/t.csv";
    std::ofstream(path, std::ios::binary) << bytes;
    CsvReader csv;
    ydb::Status s = csv.open(path, "t.csv");
    if (!s.ok()) return s;
    std::vector<std::string> fields;
    while (csv.next(&fields)) rows->emplace_back(csv.line(), fields);
    return csv.status();
  }

  ytest::TempDir dir_;
};

TEST_F(CsvTest, WrittenRowsReadBackWithTheirLines) {
  const std::vector<std::string> tricky = {"plain", "a,b", "say \"hi\"", "two\nlines", "",
                                           "日本語"};
  std::string text;
  AppendCsvRow({"h1", "h2", "h3", "h4", "h5", "h6"}, &text);
  AppendCsvRow(tricky, &text);
  AppendCsvRow({"x", "", "", "", "", "end"}, &text);
  EXPECT_EQ(text,
            "h1,h2,h3,h4,h5,h6\n"
            "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,日本語\n"
            "x,,,,,end\n");
  Rows rows;
  ydb::Status s = read(text, &rows);
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].second, tricky);
  EXPECT_EQ(rows[1].first, 2);
  EXPECT_EQ(rows[2].first, 4) << "the row after a two-line field starts on line 4";
}

TEST_F(CsvTest, ByteOrderMarkAndCrlfAreTaken) {
  Rows rows;
  ydb::Status s = read("\xEF\xBB\xBF" "a,b\r\n\"x\r\ny\",2\r\n", &rows);
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].second, (std::vector<std::string>{"a", "b"})) << "the mark is not text";
  EXPECT_EQ(rows[1].second, (std::vector<std::string>{"x\ny", "2"}));
}

TEST_F(CsvTest, BrokenFilesAreRefusedWithTheirLine) {
  struct Case {
    const char* bytes;
    const char* message;
  };
  const Case cases[] = {
      {"a,b\n1,2", "t.csv line 2: the last line has no line end: the file has been cut short"},
      {"a,b\n1,\"two\nlin", "t.csv line 2: the file ends inside the quoted field"},
      {"a,b\n1,x\"y\n", "t.csv line 2: a quote inside a field that is not quoted"},
      {"a,b\n\"1\"x,2\n", "t.csv line 2: text after the closing quote"},
      {"a,b\n1,2\r3,4\n", "t.csv line 2: a carriage return without a line feed"},
      {"a,b\n1,\xFF\n", "t.csv line 2: field 2 is not UTF-8 (byte 0xFF)"},
      {"a,b\n1,\xC0\xAF\n", "t.csv line 2: field 2 is not UTF-8 (byte 0xC0)"},
  };
  for (const Case& c : cases) {
    Rows rows;
    ydb::Status s = read(c.bytes, &rows);
    EXPECT_FALSE(s.ok()) << c.bytes;
    EXPECT_EQ(s.message().rfind(c.message, 0), 0u) << s.message();
    EXPECT_EQ(rows.size(), 1u) << "only the header before the fault: " << c.bytes;
  }
}

TEST(FieldsTest, DatesAreDatesOfTheCalendar) {
  int date = 0;
  EXPECT_TRUE(ParseDate("2024-02-29", &date));
  EXPECT_EQ(date, 20240229);
  EXPECT_EQ(FormatDate(date), "2024-02-29");
  for (const char* bad : {"2023-02-29", "2024-13-01", "2024-04-31", "20240106", "2024-1-06",
                          "2024-01-6 ", ""}) {
    EXPECT_FALSE(ParseDate(bad, &date)) << bad;
  }
}

TEST(FieldsTest, TenthsAndClockTimes) {
  std::int64_t tenths = 0;
  ASSERT_TRUE(ParseTenths("57", &tenths));
  EXPECT_EQ(tenths, 570);
  ASSERT_TRUE(ParseTenths("94.5", &tenths));
  EXPECT_EQ(tenths, 945);
  ASSERT_TRUE(ParseTenths("-0.3", &tenths));
  EXPECT_EQ(tenths, -3);
  EXPECT_EQ(FormatTenths(-3), "-0.3");
  EXPECT_EQ(FormatTenths(570), "57.0");
  for (const char* bad : {"57.25", "57.", ".5", "5,7", "1e3", "", "-"}) {
    EXPECT_FALSE(ParseTenths(bad, &tenths)) << bad;
  }
  int clock = 0;
  ASSERT_TRUE(ParseClock("09:05", &clock));
  EXPECT_EQ(clock, 905);
  EXPECT_EQ(FormatClock(1545), "15:45");
  EXPECT_FALSE(ParseClock("24:00", &clock));
  EXPECT_FALSE(ParseClock("9:05", &clock));
}

}  // namespace
}  // namespace exchange
