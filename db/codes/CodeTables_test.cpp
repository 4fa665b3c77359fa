// Tests of the code tables and the code-to-text lookups: every code is found
// by field and by value, the orderings the client library builds on the
// race-class codes hold, bad calls fail quietly, and CODES.md lists exactly
// what the tables hold.
#include "db/codes/CodeTables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "db/api/ydbbsn.h"
#include "testing/Sjis.h"
#include "text/sjis.h"

namespace ydb {
namespace {

using ytest::Sjis;

// The text get_ccode2val gives for a field, with its result.
std::string ByField(int kind, const char* field, int* result = nullptr) {
  char dst[20] = "unchanged";
  const int r = get_ccode2val(kind, field, dst, sizeof dst);
  if (result != nullptr) *result = r;
  return dst;
}

std::string ByValue(int kind, int value, int* result = nullptr) {
  char dst[20] = "unchanged";
  const int r = get_ncode2val(kind, value, dst, sizeof dst);
  if (result != nullptr) *result = r;
  return dst;
}

TEST(CodeTables, EveryCodeIsFoundByFieldAndByValue) {
  for (int kind = 0; kind < kCodeKindCount; ++kind) {
    const CodeTable* table = GetCodeTable(kind);
    ASSERT_NE(table, nullptr);
    int previous = -100000;
    for (const CodeEntry& entry : table->entries()) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " code " << entry.code);
      EXPECT_LT(previous, entry.code) << "codes are unique";
      previous = entry.code;
      std::string back;  // the table's texts all have a Shift_JIS form
      EXPECT_TRUE(ytext::to_utf8(entry.sjis, &back));
      EXPECT_EQ(back, entry.utf8);
      EXPECT_LE(entry.sjis.size(), 19u) << "the client library reads at most 19 bytes";

      const std::string field = table->FieldOf(entry.code);
      ASSERT_EQ(field.size(), static_cast<std::size_t>(table->width()));
      int result = -1;
      EXPECT_EQ(ByField(kind, field.c_str(), &result), entry.sjis);
      EXPECT_EQ(result, 0);
      EXPECT_EQ(ByValue(kind, entry.code, &result), entry.sjis);
      EXPECT_EQ(result, 0);
    }
  }
  // The birthplace name search asks for every value from 0 to 255.
  EXPECT_LT(GetCodeTable(kBirthplaceCode)->entries().back().code, 256);
  // A weight rule's second digit is the jockey designation: not part of
  // the text (designations run 0 to 4).
  EXPECT_EQ(ByField(kWeightRuleCode, "14"), ByField(kWeightRuleCode, "10"));
}

TEST(CodeTables, RaceClassCodesFitHowTheClientRanksThem) {
  EXPECT_EQ(ByField(kRaceClassCode, "+0004"), Sjis("オープン"));
  for (const CodeEntry& entry : GetCodeTable(kRaceClassCode)->entries()) {
    EXPECT_LT(entry.code, 100) << "100 and more are prize-money classes";
    if (entry.code >= 0) continue;
    // A negative class sorts as 60000 - value: above every prize-money
    // class, below the open class (64000). Its digits read without the sign
    // must not fall in 0-3, which the client takes for a maiden class.
    EXPECT_LT(60000 - entry.code, 64000);
    EXPECT_GT(-entry.code, 3) << entry.code;
  }
}

TEST(CodeLookup, BadCallsFailWithAnEmptyText) {
  // One of each refusal: no field, no table, a non-digit, a NUL inside the
  // field, a sign where the kind has none, a code the table lacks, a
  // weight rule with no designation 5.
  const struct {
    int kind;
    const char* field;
  } bad_fields[] = {
      {kBreedCode, nullptr}, {kCodeKindCount, "01"}, {-1, "01"}, {kBreedCode, "0a"},
      {kBreedCode, "1"},     {kPlaceCode, "-1"},     {kBreedCode, "99"}, {kWeightRuleCode, "15"},
  };
  for (const auto& c : bad_fields) {
    int result = 0;
    EXPECT_EQ(ByField(c.kind, c.field, &result), "") << c.kind << " " << (c.field ? c.field : "null");
    EXPECT_NE(result, 0);
    EXPECT_STRNE(get_db_error(), "");
  }
  int result = 0;
  EXPECT_EQ(ByValue(kWeightRuleCode, -10, &result), "");
  EXPECT_NE(result, 0);

  EXPECT_NE(get_ncode2val(kBreedCode, 1, nullptr, 20), 0);
  char dst[4] = "abc";
  EXPECT_NE(get_ccode2val(kBreedCode, "01", dst, 0), 0);
  EXPECT_STREQ(dst, "abc") << "no room: nothing written";
  // Values with no field form.
  EXPECT_EQ(GetCodeTable(kRaceClassCode)->FieldOf(-10000), "");
  EXPECT_EQ(GetCodeTable(kBreedCode)->FieldOf(100), "");
  EXPECT_EQ(GetCodeTable(kBreedCode)->FieldOf(-1), "");
}

TEST(CodeLookup, CutsTheTextOnACharacterBoundary) {
  const std::string nagoya = Sjis("名古屋");
  char dst[8];
  EXPECT_EQ(get_ncode2val(kPlaceCode, 28, dst, 6), 0);
  EXPECT_EQ(std::string(dst), nagoya.substr(0, 4));
  EXPECT_EQ(get_ccode2val(kPlaceCode, "28", dst, 2), 0);
  EXPECT_STREQ(dst, "");
}

// CODES.md gives each kind a section "## Kind N: ..." whose table rows begin
// "| `code` | text |".
std::map<int, std::map<std::string, std::string>> ReadCodesDoc() {
  std::map<int, std::map<std::string, std::string>> rows;
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "CODES.md");
  EXPECT_TRUE(in.good()) << "CODES.md beside this test";
  const std::regex kind_line("## Kind ([0-9]+).*"), row_line("\\| `([^`]*)` \\| *(.*?) *\\|.*");
  int kind = -1;
  std::smatch m;
  for (std::string line; std::getline(in, line);) {
    if (std::regex_match(line, m, kind_line)) kind = std::stoi(m[1]);
    if (kind >= 0 && std::regex_match(line, m, row_line)) rows[kind][m[1]] = m[2];
  }
  return rows;
}

TEST(CodesDoc, ListsExactlyTheCodesOfTheTables) {
  const auto rows = ReadCodesDoc();
  for (int kind = 0; kind < kCodeKindCount; ++kind) {
    const CodeTable* table = GetCodeTable(kind);
    const auto section = rows.find(kind);
    ASSERT_NE(section, rows.end()) << "kind " << kind;
    EXPECT_EQ(section->second.size(), table->entries().size()) << "kind " << kind;
    for (const CodeEntry& entry : table->entries()) {
      const auto row = section->second.find(table->FieldOf(entry.code));
      ASSERT_NE(row, section->second.end()) << "kind " << kind << " code " << entry.code;
      EXPECT_EQ(row->second, entry.utf8) << "kind " << kind << " code " << entry.code;
    }
  }
}

}  // namespace
}  // namespace ydb
