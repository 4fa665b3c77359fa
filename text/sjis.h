// Shift_JIS (code page 932) text: conversion to and from UTF-8, the
// character classes of Shift_JIS bytes, cutting a text at a byte width
// without splitting a double-byte character, and the character conversions
// used to normalise search words.
//
// The store keeps UTF-8; records and display strings are Shift_JIS. This
// module is the only place that converts between the two.
//
// A double-byte character is passed around as its two bytes in one
// 16-bit value, lead byte high (0x82A0 is the hiragana "あ").
#ifndef YDB_TEXT_SJIS_H_
#define YDB_TEXT_SJIS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ytext {

// --- Conversion ------------------------------------------------------------

// Converts UTF-8 to Shift_JIS. Returns false, leaving `out` unspecified,
// when the input is not valid UTF-8 or holds a character that code page 932
// cannot represent.
bool to_sjis(std::string_view utf8, std::string* out);

// As to_sjis, but every character that cannot be converted becomes the
// full-width question mark "？" and invalid UTF-8 bytes are skipped.
std::string to_sjis_lossy(std::string_view utf8);

// Converts Shift_JIS to UTF-8. Returns false, leaving `out` unspecified,
// when the input is not valid code page 932.
bool to_utf8(std::string_view sjis, std::string* out);

// As to_utf8, but every byte sequence that cannot be converted becomes
// U+FFFD.
std::string to_utf8_lossy(std::string_view sjis);

// --- Character classes -------------------------------------------------------

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
bool is_lead_byte(unsigned char c);

// Second byte of a double-byte character: 0x40-0x7E or 0x80-0xFC.
bool is_trail_byte(unsigned char c);

// Half-width katakana and its punctuation: 0xA1-0xDF.
bool is_halfwidth_katakana(unsigned char c);

// The number of bytes of `sjis` that fit in `width` bytes without splitting
// a double-byte character. A lead byte without its trail byte at the very
// end of the text counts as one byte.
std::size_t cut_length(std::string_view sjis, std::size_t width);

// `sjis` cut at `width` bytes on a character boundary and padded with
// blanks to exactly `width` bytes: the form of a text field in a record.
std::string fit_field(std::string_view sjis, std::size_t width);

// --- Character conversions for search words ----------------------------------

// A hiragana character (0x829F-0x82F1) as the katakana of the same sound;
// any other character unchanged.
std::uint16_t hiragana_to_katakana(std::uint16_t c);

// The full-width form of a single-byte character: ASCII 0x20-0x7E and the
// half-width katakana 0xA1-0xDF (without voicing). Any other byte is
// returned unchanged.
std::uint16_t halfwidth_to_fullwidth(unsigned char c);

// Full-width upper-case Latin (Ａ-Ｚ) as lower case (ａ-ｚ); ASCII A-Z as
// a-z; anything else unchanged.
std::uint16_t fullwidth_to_lower(std::uint16_t c);

// True for a double-byte character of the JIS non-kanji rows
// (0x8140-0x889E): symbols, digits, Latin, kana, Greek, Cyrillic, lines.
bool is_jis_nonkanji(std::uint16_t c);

// --- Search normalisation ------------------------------------------------------

// A name as searches compare it. Hiragana become katakana, full-width
// Latin lower case, half-width katakana full-width (joined with a following
// voicing mark), and "＊" "？" the wildcards "*" "?". With `search`, ASCII
// is taken in full-width lower case (its "*" and "?" staying wildcards),
// full-width blanks are dropped, and `*kanji` (when not null) tells whether
// a character outside the JIS non-kanji rows remained. A lead byte at the
// very end is kept as one byte.
std::string normalise_search(std::string_view sjis, bool search, bool* kanji);

// A UTF-8 name normalised as a search word (normalise_search with `search`),
// in UTF-8: the form in which stored names and search words meet. A
// character without a Shift_JIS form compares as "？".
std::string search_key_utf8(std::string_view utf8);

// Whether the name `name` (Shift_JIS) answers to the search word `word`
// (Shift_JIS), both normalised as above: a word without wildcards matches a
// name that contains it; a word with "*" (any run of characters) or "?"
// (one character) must match the whole name. An empty word matches nothing.
// The rule the searches of stored names apply in SQL, for names held
// outside the store (the code tables).
bool search_matches(std::string_view name, std::string_view word);

}  // namespace ytext

#endif  // YDB_TEXT_SJIS_H_
