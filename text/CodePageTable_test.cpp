// The conversions answer from tables filled character by character through
// iconv; these tests hold them to what iconv itself gives for whole texts:
// every code point iconv can write, every one- and two-byte Shift_JIS text,
// and random mixtures of characters and invalid bytes, strict and lossy.
#include <iconv.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "text/sjis.h"

namespace ytext {
namespace {

// How the reference goes on after a sequence iconv rejects: the stand-in to
// write and how many bytes to step over.
struct Step {
  std::string stand_in;
  std::size_t skip;
};

// One iconv descriptor converting whole texts.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // `in` converted; nullopt at the first rejected sequence when `recover`
  // is null, which otherwise says how to go on there.
  template <typename Recover>
  std::optional<std::string> Convert(std::string_view in, Recover recover) {
    std::string out;
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (in_left > 0) {
      char chunk[256];
      char* out_ptr = chunk;
      std::size_t out_left = sizeof chunk;
      const std::size_t done = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      const int error = errno;
      out.append(chunk, static_cast<std::size_t>(out_ptr - chunk));
      if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      const std::optional<Step> step = recover(std::string_view(in_ptr, in_left));
      if (!step) return std::nullopt;
      out += step->stand_in;
      in_ptr += step->skip;
      in_left -= step->skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

  std::optional<std::string> Convert(std::string_view in) {
    return Convert(in, [](std::string_view) { return std::optional<Step>(); });
  }

 private:
  iconv_t cd_;
};

// iconv's conversions and the recoveries the lossy conversions document: a
// well-formed UTF-8 character (iconv's own judgement) that code page 932
// lacks becomes "？" and any other byte is dropped; a rejected Shift_JIS
// lead and trail byte become one U+FFFD, any other rejected byte one.
class Reference {
 public:
  std::optional<std::string> Sjis(std::string_view utf8) { return to_sjis_.Convert(utf8); }
  std::string SjisLossy(std::string_view utf8) {
    return *to_sjis_.Convert(utf8, [this](std::string_view rest) {
      for (std::size_t length = 1; length <= std::min<std::size_t>(4, rest.size()); ++length) {
        const std::optional<std::string> one = to_utf32_.Convert(rest.substr(0, length));
        if (one && one->size() == 4) return std::optional<Step>(Step{"\x81\x48", length});
      }
      return std::optional<Step>(Step{"", 1});
    });
  }
  std::optional<std::string> Utf8(std::string_view sjis) { return to_utf8_.Convert(sjis); }
  std::string Utf8Lossy(std::string_view sjis) {
    return *to_utf8_.Convert(sjis, [](std::string_view rest) {
      const bool pair = rest.size() >= 2 && is_lead_byte(static_cast<unsigned char>(rest[0])) &&
                        is_trail_byte(static_cast<unsigned char>(rest[1]));
      return std::optional<Step>(Step{"\xEF\xBF\xBD", pair ? 2u : 1u});
    });
  }

 private:
  Iconv to_sjis_{"CP932", "UTF-8"};
  Iconv to_utf32_{"UTF-32LE", "UTF-8"};
  Iconv to_utf8_{"UTF-8", "CP932"};
};

std::optional<std::string> Sjis(std::string_view utf8) {
  std::string out;
  if (!to_sjis(utf8, &out)) return std::nullopt;
  return out;
}

std::optional<std::string> Utf8(std::string_view sjis) {
  std::string out;
  if (!to_utf8(sjis, &out)) return std::nullopt;
  return out;
}

TEST(CodePageTable, EveryCodePointConvertsAsIconvConvertsIt) {
  Reference reference;
  Iconv encode("UTF-8", "UTF-32LE");
  int mapped = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // iconv writes no surrogate: the mixed texts hold one
    const char le[] = {static_cast<char>(c), static_cast<char>(c >> 8), static_cast<char>(c >> 16), 0};
    const std::string utf8 = *encode.Convert(std::string_view(le, 4));
    const std::optional<std::string> expected = reference.Sjis(utf8);
    ASSERT_EQ(Sjis(utf8), expected) << std::hex << "U+" << c;
    ASSERT_EQ(to_sjis_lossy(utf8), reference.SjisLossy(utf8)) << std::hex << "U+" << c;
    mapped += expected.has_value();
  }
  // iconv did convert: code page 932 holds ASCII, the half-width katakana
  // and thousands of double-byte characters.
  EXPECT_GT(mapped, 7000);
}

TEST(CodePageTable, EveryOneAndTwoByteShiftJisTextConvertsAsIconvConvertsIt) {
  Reference reference;
  int mapped = 0;
  for (unsigned first = 0; first < 256; ++first) {
    for (int second = -1; second < 256; ++second) {
      std::string sjis(1, static_cast<char>(first));
      if (second >= 0) sjis.push_back(static_cast<char>(second));
      const std::optional<std::string> expected = reference.Utf8(sjis);
      ASSERT_EQ(Utf8(sjis), expected) << testing::PrintToString(sjis);
      ASSERT_EQ(to_utf8_lossy(sjis), reference.Utf8Lossy(sjis)) << testing::PrintToString(sjis);
      mapped += expected.has_value() && second >= 0 && is_lead_byte(static_cast<unsigned char>(first));
    }
  }
  EXPECT_GT(mapped, 7000);  // iconv did convert the double-byte characters
}

TEST(CodePageTable, MixedTextsWithInvalidBytesConvertAsIconvConvertsThem) {
  // Characters of both encodings that convert, characters that do not,
  // and bytes that begin no character or are cut short.
  const std::vector<std::string> utf8_pieces = {
      "a", "\\", "~", " ", "あ", "東", "ｶ", "ﾞ", "①", "～", "〜", "−", "¥", "‾",
      "é", "\xEF\xBB\xBF", "\xF0\x9F\x98\x80", "\xF3\xA0\x80\x81", "\xEE\x80\x80", "\x80", "\xBF", "\xC0\xAF",
      "\xE3\x81", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF0\x9F", "\xFF"};
  const std::vector<unsigned char> sjis_bytes = {
      0x00, 0x20, 0x41, 0x5C, 0x7E, 0x7F, 0x40, 0x80, 0x81, 0x82, 0x85, 0x87, 0x9F, 0xA0,
      0xA1, 0xDF, 0xE0, 0xEA, 0xED, 0xF0, 0xFA, 0xFC, 0xFD, 0xFE, 0xFF, 0x48, 0x9E, 0xA6};
  Reference reference;
  std::mt19937 random(20240601);
  for (int n = 0; n < 3000; ++n) {
    std::string utf8;
    std::string sjis;
    const std::size_t length = random() % 12;
    for (std::size_t i = 0; i < length; ++i) {
      utf8 += utf8_pieces[random() % utf8_pieces.size()];
      sjis.push_back(static_cast<char>(sjis_bytes[random() % sjis_bytes.size()]));
    }
    ASSERT_EQ(Sjis(utf8), reference.Sjis(utf8)) << testing::PrintToString(utf8);
    ASSERT_EQ(to_sjis_lossy(utf8), reference.SjisLossy(utf8)) << testing::PrintToString(utf8);
    ASSERT_EQ(Utf8(sjis), reference.Utf8(sjis)) << testing::PrintToString(sjis);
    ASSERT_EQ(to_utf8_lossy(sjis), reference.Utf8Lossy(sjis)) << testing::PrintToString(sjis);
  }
}

}  // namespace
}  // namespace ytext
