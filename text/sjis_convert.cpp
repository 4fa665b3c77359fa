// Conversion between UTF-8 and Shift_JIS (code page 932).
//
// iconv decides what each character becomes, but it is asked once per
// character, not once per text: each direction has a CodePageTable that
// fills a page of 256 characters through iconv the first time one of them
// is met and answers later lookups without a lock (CodePageTable.h). The
// texts are walked here, one character at a time:
// - UTF-8 by the well-formed sequence rules below; a byte that begins no
//   such sequence fails a strict conversion and is dropped by a lossy one.
// - Shift_JIS as a lead byte followed by a trail byte (one double-byte
//   character) or else a single byte, a lead byte without a trail included.
// A character code page 932 lacks fails a strict conversion; a lossy one
// writes "？" (to Shift_JIS) or U+FFFD (to UTF-8) in its place. When iconv
// cannot open a direction every conversion in it fails (the lossy ones give
// an empty text).
#include "text/sjis.h"

#include <algorithm>
#include <cstring>

#include "text/CodePageTable.h"

namespace ytext {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `s` (no
// overlong forms, no surrogates, nothing above U+10FFFF), or 0 when it is
// not one.
std::size_t utf8_sequence_length(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = byte(0);
  std::size_t length;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// The code point of the well-formed UTF-8 sequence of `length` bytes at the
// start of `s`.
char32_t decode_utf8(std::string_view s, std::size_t length) {
  static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t code_point = static_cast<unsigned char>(s[0]) & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) {
    code_point = code_point << 6 | (static_cast<unsigned char>(s[i]) & 0x3Fu);
  }
  return code_point;
}

// The UTF-8 bytes of a code point (surrogates too: iconv rejects them).
std::size_t utf8_bytes(char32_t code_point, char* bytes) {
  const auto put = [&](std::size_t i, char32_t value) { bytes[i] = static_cast<char>(value); };
  if (code_point < 0x80) {
    put(0, code_point);
    return 1;
  }
  if (code_point < 0x800) {
    put(0, 0xC0u | code_point >> 6);
    put(1, 0x80u | (code_point & 0x3Fu));
    return 2;
  }
  if (code_point < 0x10000) {
    put(0, 0xE0u | code_point >> 12);
    put(1, 0x80u | (code_point >> 6 & 0x3Fu));
    put(2, 0x80u | (code_point & 0x3Fu));
    return 3;
  }
  put(0, 0xF0u | code_point >> 18);
  put(1, 0x80u | (code_point >> 12 & 0x3Fu));
  put(2, 0x80u | (code_point >> 6 & 0x3Fu));
  put(3, 0x80u | (code_point & 0x3Fu));
  return 4;
}

// The bytes of a Shift_JIS code: a single byte below 0x100, else the lead
// byte and the trail byte.
std::size_t sjis_bytes(char32_t code, char* bytes) {
  if (code < 0x100) {
    bytes[0] = static_cast<char>(code);
    return 1;
  }
  bytes[0] = static_cast<char>(code >> 8);
  bytes[1] = static_cast<char>(code & 0xFF);
  return 2;
}

CodePageTable& utf8_to_sjis() {
  static CodePageTable table("CP932", "UTF-8", utf8_bytes, 0x110000);
  return table;
}

CodePageTable& sjis_to_utf8() {
  static CodePageTable table("UTF-8", "CP932", sjis_bytes, 0x10000);
  return table;
}

// Collects converted characters in a buffer on the stack and appends them
// to the text a buffer at a time: a character is copied as its four bytes
// of room, cheaper than appending its own length.
class Writer {
 public:
  explicit Writer(std::string* out) : out_(out) {}

  void Put(const CodePageTable::Char& c) {
    if (end_ - next_ < 4) Flush();
    std::memcpy(next_, c.bytes, 4);
    next_ += c.size;
  }

  // Appends what is still buffered; the last call before the text is read.
  void Flush() {
    out_->append(buffer_, static_cast<std::size_t>(next_ - buffer_));
    next_ = buffer_;
  }

 private:
  std::string* out_;
  char buffer_[512];
  char* next_ = buffer_;
  char* const end_ = buffer_ + sizeof buffer_;
};

constexpr CodePageTable::Char kFullWidthQuestionMark = {true, 2, {'\x81', '\x48'}};
constexpr CodePageTable::Char kReplacementCharacter = {true, 3, {'\xEF', '\xBF', '\xBD'}};  // U+FFFD

// Both encodings write the ASCII range as it is: most fields (codes,
// passing orders, Latin names) need no conversion.
bool is_ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Converts `in` through `table`, replacing `out`. `next(in, i, &key)` reads
// the character at byte i into `key` and answers its length in bytes, 0 for
// a byte that begins no character: a strict conversion fails there, a lossy
// one drops the byte. A character without a form fails a strict conversion
// and becomes `stand_in` in a lossy one.
template <typename Next>
bool convert(std::string_view in, std::string* out, CodePageTable& table, bool lossy,
             const CodePageTable::Char& stand_in, Next next) {
  out->clear();
  if (!table.usable()) return false;
  if (is_ascii(in)) {
    out->assign(in);
    return true;
  }
  Writer writer(out);
  std::size_t i = 0;
  while (i < in.size()) {
    char32_t key = 0;
    const std::size_t length = next(in, i, &key);
    if (length == 0) {
      if (!lossy) return false;
      ++i;
      continue;
    }
    i += length;
    const CodePageTable::Char& c = table.Lookup(key);
    if (c.convertible) {
      writer.Put(c);
    } else if (lossy) {
      writer.Put(stand_in);
    } else {
      return false;
    }
  }
  writer.Flush();
  return true;
}

// UTF-8 to Shift_JIS: a character is a well-formed UTF-8 sequence.
bool convert_to_sjis(std::string_view in, std::string* out, bool lossy) {
  return convert(in, out, utf8_to_sjis(), lossy, kFullWidthQuestionMark,
                 [](std::string_view text, std::size_t i, char32_t* key) {
                   const std::size_t length = utf8_sequence_length(text.substr(i));
                   if (length > 0) *key = decode_utf8(text.substr(i), length);
                   return length;
                 });
}

// Shift_JIS to UTF-8: a character is a lead byte with its trail byte, or
// else one byte.
bool convert_to_utf8(std::string_view in, std::string* out, bool lossy) {
  return convert(in, out, sjis_to_utf8(), lossy, kReplacementCharacter,
                 [](std::string_view text, std::size_t i, char32_t* key) -> std::size_t {
                   const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
                   if (is_lead_byte(byte(i)) && i + 1 < text.size() && is_trail_byte(byte(i + 1))) {
                     *key = static_cast<char32_t>(byte(i)) << 8 | byte(i + 1);
                     return 2;
                   }
                   *key = byte(i);
                   return 1;
                 });
}

}  // namespace

bool to_sjis(std::string_view utf8, std::string* out) { return convert_to_sjis(utf8, out, false); }

std::string to_sjis_lossy(std::string_view utf8) {
  std::string out;
  convert_to_sjis(utf8, &out, true);  // fails only with an empty text
  return out;
}

bool to_utf8(std::string_view sjis, std::string* out) { return convert_to_utf8(sjis, out, false); }

std::string to_utf8_lossy(std::string_view sjis) {
  std::string out;
  convert_to_utf8(sjis, &out, true);
  return out;
}

}  // namespace ytext
