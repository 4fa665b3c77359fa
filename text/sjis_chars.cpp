// The byte classes of Shift_JIS, cutting a text on a character boundary, and
// the character conversions that normalise search words. The tables follow
// the code page 932 chart: JIS X 0201 for the single bytes, JIS X 0208 row 1
// (symbols), rows 3 to 5 (Latin, hiragana, katakana) for the double bytes.
#include "text/sjis.h"

namespace ytext {

bool is_lead_byte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool is_trail_byte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool is_halfwidth_katakana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

std::size_t cut_length(std::string_view sjis, std::size_t width) {
  std::size_t used = 0;
  while (used < sjis.size()) {
    const bool pair = is_lead_byte(static_cast<unsigned char>(sjis[used])) &&
                      used + 1 < sjis.size();
    const std::size_t next = used + (pair ? 2 : 1);
    if (next > width) break;
    used = next;
  }
  return used;
}

std::string fit_field(std::string_view sjis, std::size_t width) {
  std::string field(sjis.substr(0, cut_length(sjis, width)));
  field.resize(width, ' ');
  return field;
}

std::uint16_t hiragana_to_katakana(std::uint16_t c) {
  if (c < 0x829F || c > 0x82F1) return c;
  // ぁ (0x829F) lines up with ァ (0x8340); the katakana row skips 0x837F,
  // so from ム on every katakana sits one further.
  const auto katakana = static_cast<std::uint16_t>(c - 0x829F + 0x8340);
  return katakana >= 0x837F ? static_cast<std::uint16_t>(katakana + 1) : katakana;
}

namespace {

// Full-width forms of ASCII 0x20-0x7E. The single bytes are read as
// JIS X 0201 Roman, so the backslash position is the yen sign and the tilde
// position the overline; the quotes become the closing quotation marks,
// as JIS X 0208 has no neutral ones.
constexpr std::uint16_t kFullwidthAscii[] = {
    // blank ! " # $ % & '
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,
    // ( ) * + , - . /
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,
    // 0-7
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    // 8 9 : ; < = > ?
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,
    // @ A-G
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,
    // H-O
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    // P-W
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,
    // X Y Z [ yen ] ^ _
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,
    // ` a-g
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    // h-o
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,
    // p-w
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,
    // x y z { | } overline
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,
};
static_assert(sizeof kFullwidthAscii / sizeof kFullwidthAscii[0] == 0x7F - 0x20,
              "one entry per printable ASCII character");

// Full-width forms of the half-width katakana 0xA1-0xDF: punctuation, then
// the kana in the JIS X 0201 order (small kana, long-vowel mark, the
// syllabary), then the voicing marks.
constexpr std::uint16_t kFullwidthKatakana[] = {
    //      。      「      」      、      ・      ヲ      ァ
    /*A1*/ 0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,
    // ィ ゥ ェ ォ ャ ュ ョ ッ
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,
    // ー ア イ ウ エ オ カ キ
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,
    // ク ケ コ サ シ ス セ ソ
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,
    // タ チ ツ テ ト ナ ニ ヌ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
    // ネ ノ ハ ヒ フ ヘ ホ マ
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,
    // ミ ム メ モ ヤ ユ ヨ ラ
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
    // リ ル レ ロ ワ ン ゛ ゜
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};
static_assert(sizeof kFullwidthKatakana / sizeof kFullwidthKatakana[0] == 0xE0 - 0xA1,
              "one entry per half-width katakana byte");

}  // namespace

std::uint16_t halfwidth_to_fullwidth(unsigned char c) {
  if (c >= 0x20 && c <= 0x7E) return kFullwidthAscii[c - 0x20];
  if (is_halfwidth_katakana(c)) return kFullwidthKatakana[c - 0xA1];
  return c;
}

std::uint16_t fullwidth_to_lower(std::uint16_t c) {
  if (c >= 0x8260 && c <= 0x8279) return static_cast<std::uint16_t>(c + 0x21);
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(c + ('a' - 'A'));
  return c;
}

bool is_jis_nonkanji(std::uint16_t c) {
  return c >= 0x8140 && c <= 0x889E && is_trail_byte(static_cast<unsigned char>(c & 0xFF));
}

}  // namespace ytext
