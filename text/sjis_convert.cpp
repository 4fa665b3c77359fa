// Conversion between UTF-8 and Shift_JIS (code page 932) through iconv.
//
// Each direction has one conversion descriptor, opened on first use and kept
// for the life of the process. A descriptor carries shift state, so every
// use holds the direction's mutex and resets the state before converting.
// When a descriptor cannot be opened every conversion fails (the lossy ones
// give an empty text).
#include "text/sjis.h"

#include <algorithm>
#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace ytext {
namespace {

// What to do at an input sequence the converter rejects: write a stand-in
// for it to `out` and answer how many input bytes to step over, at least 1.
using Recovery = std::size_t (*)(std::string_view rest, std::string* out);

class Converter {
 public:
  Converter(const char* to, const char* from)
      : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (usable()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`, replacing `out`. Without a recovery the first rejected
  // sequence fails the conversion; with one, conversion goes on after it.
  bool Convert(std::string_view in, std::string* out, Recovery recover) {
    out->clear();
    if (!usable()) return false;
    // Both encodings write the ASCII range as it is: most fields (codes,
    // passing orders, Latin names) need no conversion.
    if (std::all_of(in.begin(), in.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      out->assign(in);
      return true;
    }
    std::lock_guard<std::mutex> lock(mu_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in_ptr = const_cast<char*>(in.data());  // iconv does not write it
    std::size_t in_left = in.size();
    char chunk[1024];
    while (in_left > 0) {
      char* out_ptr = chunk;
      std::size_t out_left = sizeof chunk;
      const std::size_t done = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      const int error = errno;
      out->append(chunk, static_cast<std::size_t>(out_ptr - chunk));
      if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      // EILSEQ: an invalid or unconvertible sequence; EINVAL: the text ends
      // inside a sequence.
      if (recover == nullptr) return false;
      const std::size_t skip = recover(std::string_view(in_ptr, in_left), out);
      in_ptr += skip;
      in_left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  }

 private:
  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  iconv_t cd_;
  std::mutex mu_;
};

Converter& utf8_to_sjis() {
  static Converter converter("CP932", "UTF-8");
  return converter;
}

Converter& sjis_to_utf8() {
  static Converter converter("UTF-8", "CP932");
  return converter;
}

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

// A character code page 932 lacks becomes "？"; a byte that begins no
// well-formed UTF-8 sequence is dropped.
std::size_t replace_for_sjis(std::string_view rest, std::string* out) {
  const std::size_t length = utf8_sequence_length(rest);
  if (length == 0) return 1;
  out->append("\x81\x48");  // full-width question mark
  return length;
}

// An unconvertible double-byte character (lead and trail byte) or single
// byte becomes one U+FFFD.
std::size_t replace_for_utf8(std::string_view rest, std::string* out) {
  const bool pair = rest.size() >= 2 &&
                    is_lead_byte(static_cast<unsigned char>(rest[0])) &&
                    is_trail_byte(static_cast<unsigned char>(rest[1]));
  out->append("\xEF\xBF\xBD");  // U+FFFD REPLACEMENT CHARACTER
  return pair ? 2 : 1;
}

}  // namespace

bool to_sjis(std::string_view utf8, std::string* out) {
  return utf8_to_sjis().Convert(utf8, out, nullptr);
}

std::string to_sjis_lossy(std::string_view utf8) {
  std::string out;
  if (!utf8_to_sjis().Convert(utf8, &out, replace_for_sjis)) out.clear();
  return out;
}

bool to_utf8(std::string_view sjis, std::string* out) {
  return sjis_to_utf8().Convert(sjis, out, nullptr);
}

std::string to_utf8_lossy(std::string_view sjis) {
  std::string out;
  if (!sjis_to_utf8().Convert(sjis, &out, replace_for_utf8)) out.clear();
  return out;
}

}  // namespace ytext
