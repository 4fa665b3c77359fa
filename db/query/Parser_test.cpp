// The condition compiler's reader: values typed and checked against the key
// table, names normalised, and every malformed text refused with the byte
// where it went wrong.
#include "db/query/Parser.h"

#include <gtest/gtest.h>

#include <string>

#include "db/query/KeyTable.h"
#include "text/sjis.h"

namespace ydb {
namespace {

Condition Parsed(const std::string& text) {
  Condition c;
  const Status s = ParseCondition(SearchKind::kRace, text, &c);
  EXPECT_TRUE(s.ok()) << text << ": " << s.message();
  return c;
}

std::string Refusal(const std::string& text) {
  Condition c;
  const Status s = ParseCondition(SearchKind::kRace, text, &c);
  EXPECT_TRUE(s.IsInvalidArgument()) << text;
  EXPECT_TRUE(c.groups.empty()) << text;
  return s.message();
}

const Term& Only(const Condition& c) {
  static const Term none;
  if (c.groups.size() != 1 || c.groups[0].terms.size() != 1) {
    ADD_FAILURE() << "expected one term";
    return none;
  }
  return c.groups[0].terms[0];
}

// What the suffixes, operators and keys of a fixed meaning compare is
// checked by what the searches find (ydbcln/search's oracles); a range is
// read here.
TEST(ConditionReader, ARangeKeepsBothEnds) {
  const Term range = Only(Parsed("ts=8-12"));
  EXPECT_EQ(range.comparison, Comparison::kBetween);
  EXPECT_EQ(range.low, 8);
  EXPECT_EQ(range.high, 12);
  // A range of one value is a range, not a reversed one.
  EXPECT_EQ(Only(Parsed("ts=8-8")).high, 8);
}

TEST(ConditionReader, CodesAreExpandedWithinTheirKey) {
  EXPECT_EQ(Only(Parsed("P=04")).codes, (std::vector<std::string>{"04"}));
  EXPECT_EQ(Only(Parsed("P=07-09")).codes, (std::vector<std::string>{"07", "08", "09"}));
  EXPECT_EQ(Only(Parsed("P=07-07")).codes, (std::vector<std::string>{"07"}));
  EXPECT_EQ(Only(Parsed("J=2+")).codes, (std::vector<std::string>{"2", "3"}));
  EXPECT_EQ(Only(Parsed("R=05")).codes, (std::vector<std::string>{"5"}));
  EXPECT_EQ(Only(Parsed("L=8+")).codes, (std::vector<std::string>{"8", "9"}));
  EXPECT_EQ(Only(Parsed("KF=0520240102")).codes, (std::vector<std::string>{"0520240102"}));
}

TEST(ConditionReader, NamesAreNormalisedAndWildcardsMakeAPattern) {
  // Hiragana, half-width kana and full-width Latin meet the stored form.
  const Term kana = Only(Parsed("N=" + ytext::to_sjis_lossy("ありま")));
  EXPECT_EQ(kana.text, "アリマ");
  EXPECT_FALSE(kana.pattern);
  const Term wide = Only(Parsed("N=" + ytext::to_sjis_lossy("ｱﾘﾏ Cup")));
  EXPECT_EQ(wide.text, "アリマｃｕｐ");
  const Term pattern = Only(Parsed("N=" + ytext::to_sjis_lossy("有馬＊")));
  EXPECT_EQ(pattern.text, "有馬*");
  EXPECT_TRUE(pattern.pattern);
  // Quotes, semicolons and LIKE's wildcards are only characters of a name.
  EXPECT_FALSE(Only(Parsed("N='; DROP TABLE race; --%_")).pattern);
  // A trail byte that reads as a backslash stays part of its character.
  const std::string so = ytext::to_sjis_lossy("ソ");  // 0x83 0x5C
  EXPECT_EQ(Parsed("N=" + so + "&P=01").groups[0].terms[0].text, "ソ");
}

// Every malformed text is refused; the message names the byte and what was
// expected there, as the first two show.
TEST(ConditionReader, RefusesWithTheByteAndWhatWasExpected) {
  EXPECT_EQ(Refusal(""), "at byte 0: expected a term (KEY=VALUE); the condition is empty");
  EXPECT_EQ(Refusal("TF=20240101&XX=1"), "at byte 12: expected a key of the race search; XX is none");
  EXPECT_NE(Refusal(std::string("N=a\0b", 5)).find("at byte 3: expected a character of the value; a NUL"),
            std::string::npos);
  const std::string lead = "\x88";  // a lead byte without its trail byte
  for (const std::string& text :
       {std::string("TF=20240101&"), std::string("P=04&&P=05"), std::string("TF:20240101"),
        std::string("TF20240101"), std::string("TF="), std::string("TF=2024"), std::string("TF=abc"),
        std::string("P=4"), std::string("B=3"), std::string("P=09-07"), std::string("ts=12-8"),
        std::string("TF>=20240101"), std::string("P<>=04"), std::string("TF=20240101&TF=20250101"),
        std::string("KF=05202401"), std::string("ts=99999999999"), "N=" + lead, "N=" + lead + "&P=01",
        "N=" + std::string(61, 'a'), "N=" + ytext::to_sjis_lossy("　")}) {
    Refusal(text);
  }
}

TEST(ConditionReader, KeepsItsLimits) {
  std::string many = "P=01";
  for (int i = 1; i < 10000; ++i) many += "&P=01";
  EXPECT_NE(Refusal(many).find("at most 2048 bytes"), std::string::npos);
  std::string terms = "P=01";
  for (std::size_t i = 1; i < kMaxTerms; ++i) terms += "&P=01";
  Parsed(terms);
  EXPECT_NE(Refusal(terms + "&P=01").find("at most 64 terms"), std::string::npos);
}

TEST(ConditionReader, EveryKeyOfTheTableIsReachable) {
  const KindTable& table = *KeyTableOf(SearchKind::kRace);
  for (std::size_t i = 0; i < table.keys.size(); ++i) {
    EXPECT_EQ(FindKey(table, table.keys[i].name), static_cast<int>(i));
  }
  EXPECT_EQ(FindKey(table, "TS"), -1);  // keys are case-sensitive
}

}  // namespace
}  // namespace ydb
