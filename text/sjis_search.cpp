// Normalising a name for comparison, so that a search word typed by a user
// matches the stored name however its kana, case and width were typed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/sjis.h"

namespace ytext {
namespace {

const std::uint16_t kFullwidthBlank = 0x8140;    // "　"
const std::uint16_t kFullwidthAsterisk = 0x8196; // "＊"
const std::uint16_t kFullwidthQuestion = 0x8148; // "？"
const unsigned char kVoicingMark = 0xDE;         // "ﾞ"
const unsigned char kSemiVoicingMark = 0xDF;     // "ﾟ"

// Half-width ｶ to ﾄ and ﾊ to ﾎ take the voicing mark; ﾊ to ﾎ also the
// semi-voicing mark. Their full-width voiced forms follow the plain form
// directly in the code table (カ ガ, ハ バ パ).
bool takes_voicing(unsigned char c) { return (c >= 0xB6 && c <= 0xC4) || (c >= 0xCA && c <= 0xCE); }
bool takes_semi_voicing(unsigned char c) { return c >= 0xCA && c <= 0xCE; }

// One character of the result: a single byte (below 0x100) or a double-byte
// character with its lead byte high.
void append(std::string* out, std::uint16_t c) {
  if (c > 0xFF) out->push_back(static_cast<char>(c >> 8));
  out->push_back(static_cast<char>(c & 0xFF));
}

// The characters of a Shift_JIS text, each as one 16-bit value.
std::vector<std::uint16_t> characters(std::string_view sjis) {
  std::vector<std::uint16_t> chars;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    if (is_lead_byte(c) && i + 1 < sjis.size()) {
      chars.push_back(static_cast<std::uint16_t>((c << 8) | static_cast<unsigned char>(sjis[++i])));
    } else {
      chars.push_back(c);
    }
  }
  return chars;
}

// Whether `pattern` ("*" any run, "?" one character) matches all of `text`:
// the last "*" is retried one character further on each mismatch.
bool matches_whole(const std::vector<std::uint16_t>& text,
                   const std::vector<std::uint16_t>& pattern) {
  std::size_t t = 0, p = 0, star = pattern.size(), resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (star < pattern.size()) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string normalise_search(std::string_view text, bool search, bool* kanji) {
  const std::size_t size = text.size();
  std::vector<std::uint16_t> chars;
  chars.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (is_lead_byte(c) && i + 1 < size) {
      // Double-byte: hiragana as katakana, full-width Latin in lower case.
      const auto code = static_cast<std::uint16_t>(
          (c << 8) | static_cast<unsigned char>(text[i + 1]));
      chars.push_back(fullwidth_to_lower(hiragana_to_katakana(code)));
      ++i;
    } else if (is_halfwidth_katakana(c)) {
      // Half-width kana become full-width, joined with a following mark.
      std::uint16_t wide = halfwidth_to_fullwidth(c);
      const auto next = i + 1 < size ? static_cast<unsigned char>(text[i + 1]) : 0;
      if (next == kVoicingMark) {
        if (takes_voicing(c)) wide = static_cast<std::uint16_t>(wide + 1);
        ++i;
      } else if (next == kSemiVoicingMark) {
        if (takes_semi_voicing(c)) wide = static_cast<std::uint16_t>(wide + 2);
        ++i;
      }
      chars.push_back(wide);
    } else if (search) {
      // A search word's ASCII is compared in full-width lower case.
      const auto lower = c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
      chars.push_back(halfwidth_to_fullwidth(lower));
    } else {
      chars.push_back(c);
    }
  }

  std::string out;
  out.reserve(size * 2);
  bool any_kanji = false;
  for (const std::uint16_t c : chars) {
    if (search && c == kFullwidthBlank) continue;
    if (search && c > 0xFF && !is_jis_nonkanji(c)) any_kanji = true;
    if (c == kFullwidthAsterisk) {
      out.push_back('*');
    } else if (c == kFullwidthQuestion) {
      out.push_back('?');
    } else {
      append(&out, c);
    }
  }
  if (kanji != nullptr) *kanji = any_kanji;
  return out;
}

std::string search_key_utf8(std::string_view utf8) {
  return to_utf8_lossy(normalise_search(to_sjis_lossy(utf8), true, nullptr));
}

bool search_matches(std::string_view name, std::string_view word) {
  const std::vector<std::uint16_t> w = characters(normalise_search(word, true, nullptr));
  if (w.empty()) return false;
  const std::vector<std::uint16_t> n = characters(normalise_search(name, true, nullptr));
  if (std::find(w.begin(), w.end(), '*') != w.end() || std::find(w.begin(), w.end(), '?') != w.end()) {
    return matches_whole(n, w);
  }
  return std::search(n.begin(), n.end(), w.begin(), w.end()) != n.end();
}

}  // namespace ytext
