// Tests of the Shift_JIS module: conversions of what the character-by-character
// comparison with iconv does not reach (long texts, many threads at once;
// CodePageTable_test holds every character to iconv), the byte classes
// conversion does not read, cutting on character boundaries, and the
// search-word tables checked against the kana and Latin alphabets written
// out in UTF-8.
#include "text/sjis.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "testing/Sjis.h"

namespace ytext {
namespace {

using ytest::Sjis;  // the Shift_JIS form of a UTF-8 text that must convert

// The double-byte characters of a Shift_JIS text as 16-bit codes.
std::vector<std::uint16_t> Codes(const std::string& sjis) {
  std::vector<std::uint16_t> codes;
  for (std::size_t i = 0; i + 1 < sjis.size(); i += 2) {
    codes.push_back(static_cast<std::uint16_t>(
        static_cast<unsigned char>(sjis[i]) << 8 | static_cast<unsigned char>(sjis[i + 1])));
  }
  return codes;
}

std::string Bytes(const std::vector<std::uint16_t>& codes) {
  std::string out;
  for (std::uint16_t c : codes) {
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

// --- Conversion --------------------------------------------------------------

TEST(SjisConvert, KeepsLongTexts) {
  std::string utf8;  // longer than the writer's buffer
  for (int i = 0; i < 3000; ++i) utf8 += "ダ";
  const std::string sjis = Sjis(utf8);
  ASSERT_EQ(sjis.size(), 6000u);
  std::string back;
  ASSERT_TRUE(to_utf8(sjis, &back));
  EXPECT_EQ(back, utf8);
}

TEST(SjisConvert, ConvertsFromManyThreadsAtOnce) {
  const std::string utf8 = "１２３サラブレッドｶﾞ①";
  const std::string sjis = Sjis(utf8);
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        std::string out;
        if (!to_sjis(utf8, &out) || out != sjis) ++wrong[t];
        if (to_utf8_lossy(out + "\x82") != utf8 + "\xEF\xBF\xBD") ++wrong[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int count : wrong) EXPECT_EQ(count, 0);
}

// --- Byte classes and cutting -------------------------------------------------

TEST(SjisBytes, ClassesStopAtTheirEdges) {
  // (The lead and trail bytes are held to iconv by every two-byte text.)
  for (int c : {0xA0, 0xE0}) EXPECT_FALSE(is_halfwidth_katakana(static_cast<unsigned char>(c)));
  // The non-kanji rows end before 亜 (889F); 817F is no trail byte.
  for (int c : {0x8140, 0x889E}) EXPECT_TRUE(is_jis_nonkanji(static_cast<std::uint16_t>(c)));
  for (int c : {0x889F, 0x813F, 0x817F}) EXPECT_FALSE(is_jis_nonkanji(static_cast<std::uint16_t>(c)));
}

TEST(SjisBytes, CutsOnCharacterBoundaries) {
  // Cutting inside a character is the record builder's test; here the ends.
  EXPECT_EQ(cut_length("ab\x82", 3), 3u);  // stray lead byte at the end
  EXPECT_EQ(fit_field(Sjis("Aあ"), 2), "A ");
}

// --- Search-word conversions ---------------------------------------------------

TEST(SjisSearch, SingleBytesBecomeTheirFullWidthForms) {
  // Every entry of both tables, against the alphabets written out: iconv
  // makes these codes independently of the tables, and nothing else reads
  // an entry in the middle.
  std::vector<std::uint16_t> ascii;
  for (int c = 0x20; c <= 0x7E; ++c) ascii.push_back(halfwidth_to_fullwidth(static_cast<unsigned char>(c)));
  EXPECT_EQ(Bytes(ascii),
            Sjis("　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
                 "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
                 "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣"));

  std::vector<std::uint16_t> kana;
  for (int c = 0xA1; c <= 0xDF; ++c) kana.push_back(halfwidth_to_fullwidth(static_cast<unsigned char>(c)));
  EXPECT_EQ(Bytes(kana), Sjis("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
                              "タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜"));
  for (int c : {0x1F, 0x7F, 0xA0, 0xE0}) EXPECT_EQ(halfwidth_to_fullwidth(static_cast<unsigned char>(c)), c);
}

// Hiragana become the katakana of the same sound: the first and last kana,
// and either side of the gap at trail byte 0x7F that the katakana row has
// and the hiragana row has not. Latin letters are lowered, full width and
// ASCII, and nothing either side of them.
TEST(SjisSearch, KanaAndLatinLettersAtTheEndsOfTheirRows) {
  std::vector<std::uint16_t> converted;
  for (std::uint16_t c : Codes(Sjis("ぁみむんＡＺ＠［"))) {
    converted.push_back(fullwidth_to_lower(hiragana_to_katakana(c)));
  }
  EXPECT_EQ(Bytes(converted), Sjis("ァミムンａｚ＠［"));
  for (const std::uint16_t c : {std::uint16_t{0x829E}, std::uint16_t{0x82F2}}) EXPECT_EQ(hiragana_to_katakana(c), c);
  EXPECT_EQ(fullwidth_to_lower('Z'), 'z');
  EXPECT_EQ(fullwidth_to_lower('['), '[');
}

TEST(SjisSearch, NamesMatchAContainedWordOrAWholePattern) {
  const std::string name = Sjis("サクラバクシンオー");
  for (const char* word : {"ばくしん", "ﾊﾞｸｼﾝ", "*しんおー", "サ?ラ*", "*", "サクラ　バクシン", "*く*ー"}) {
    EXPECT_TRUE(search_matches(name, Sjis(word))) << word;
  }
  for (const char* word : {"", "　", "さくら?", "*しん", "?サクラ*", "ハクシン", "サク*ラ*オ"}) {
    EXPECT_FALSE(search_matches(name, Sjis(word))) << word;
  }
  // Characters are compared whole: a trail byte and the next lead byte
  // that happen to spell the word are no match.
  EXPECT_FALSE(search_matches(Sjis("アイ"), std::string("\x41\x83")));
  EXPECT_TRUE(search_matches(Sjis("Ｂｅｌｌ"), "BELL"));
}

}  // namespace
}  // namespace ytext
