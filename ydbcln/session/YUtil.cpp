// YUtil: the code tables of race and horse data, places and meetings, race
// names and race classes.
#include "ydbcln/session/YUtil.h"

#include <cstddef>
#include <cstdio>

#include "db/api/ydbbsn.h"
#include "text/sjis.h"
#include "ydbcln/session/YUtil_tables.h"

using yutil::lookup;
using yutil::sjis_table;

namespace {

// The text of `code` in the database library's code table `kind`; `found`
// (when not null) says whether the library knew the code.
std::string ccode(int kind, const unsigned char* code, bool* found = nullptr) {
  if (found != nullptr) *found = false;
  if (code == nullptr) return std::string();
  char buffer[20] = {};
  const int rc = get_ccode2val(kind, code, buffer, sizeof buffer);
  buffer[sizeof buffer - 1] = '\0';
  if (found != nullptr) *found = rc == 0;
  return std::string(buffer);
}

enum CodeKind {
  kBreed = 0,
  kJockeyWeight = 1,
  kColour = 2,
  kHorseMark = 3,
  kRaceClass = 4,
  kPlace = 5,
  kBirthplace = 6,
};

// Condition codes run '0' to '9', then 'A' to 'C'; -1 for any other.
int jouken_index(unsigned char code) {
  if (code >= '0' && code <= '9') return code - '0';
  if (code >= 'A' && code <= 'C') return 10 + (code - 'A');
  return -1;
}

// Whether `text` ends in `suffix` starting on a character boundary, so that
// the trail byte of a double-byte character is never taken for the start of
// the suffix.
bool ends_with_character(const std::string& text, const std::string& suffix) {
  if (suffix.size() > text.size()) return false;
  const std::size_t start = text.size() - suffix.size();
  if (text.compare(start, suffix.size(), suffix) != 0) return false;
  std::size_t i = 0;
  while (i < start) {
    i += ytext::is_lead_byte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return i == start;
}

// Replaces the ending `suffix` by `replacement` when the text is longer than
// `min_length` bytes and ends in it.
void abbreviate_ending(std::string* text, std::size_t min_length,
                       const std::string& suffix, const std::string& replacement) {
  if (text->size() > min_length && ends_with_character(*text, suffix)) {
    text->replace(text->size() - suffix.size(), suffix.size(), replacement);
  }
}

// A race name, or the age condition text when the race has no name.
std::string race_name(const std::string& jouken_text, unsigned char* name, int len,
                      bool abbreviate, bool* named) {
  std::string text = YUtil::delendspc(name, len);
  if (named != nullptr) *named = !text.empty();
  if (text.empty()) return jouken_text;
  if (abbreviate) {
    static const auto kEnds = sjis_table({"ステークス", "Ｓ", "カップ", "Ｃ"});
    abbreviate_ending(&text, 10, kEnds[0], kEnds[1]);
    abbreviate_ending(&text, 6, kEnds[2], kEnds[3]);
  }
  return text;
}

}  // namespace

YUtil::YUtil() = default;
YUtil::YUtil(const YUtil&) {}
YUtil& YUtil::operator=(const YUtil&) { return *this; }
YUtil::~YUtil() = default;

// --- Code tables of the database library ---------------------------------------

std::string YUtil::getblood(unsigned char* code) { return ccode(kBreed, code); }

std::string YUtil::getjkfuka1(unsigned char* code) {
  bool found = false;
  std::string text = ccode(kJockeyWeight, code, &found);
  return found ? text : std::string();
}

std::string YUtil::getcolor(unsigned char* code) { return ccode(kColour, code); }

std::string YUtil::getmark(unsigned char* code) { return ccode(kHorseMark, code); }

std::string YUtil::getbornplace(unsigned char* code) { return ccode(kBirthplace, code); }

// --- Single-character codes ---------------------------------------------------------

std::string YUtil::getseibetu(unsigned char code) {
  static const auto kTable = sjis_table({"牡", "牝", "ｾﾝ"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getbaba(unsigned char code) {
  static const auto kTable = sjis_table({"良", "稍", "重", "不"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getlr(unsigned char code) {
  static const auto kTable = sjis_table({"右", "左", "直"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getpace(unsigned char code) {
  static const auto kTable = sjis_table({"Ｈ", "Ｍ", "Ｓ"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getp4(unsigned char code) {
  static const auto kTable = sjis_table({"最内", "内", "中", "外", "大外"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getgrade(unsigned char code) {
  static const auto kTable = sjis_table({"G1", "G2", "G3", "JG1", "JG2", "JG3"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getweather(unsigned char code) {
  static const auto kTable = sjis_table({"晴", "曇", "雨", "小雨", "雪", "風"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getcourse(unsigned char code) {
  static const auto kTable = sjis_table({"A", "B", "C", "D", "A1", "A2"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getuchi(unsigned char code) {
  static const auto kTable =
      sjis_table({"内", "外", "外→内", "タスキ", "大障害", "内２周", "内→外"});
  return lookup(kTable, code, '0');
}

std::string YUtil::getskill(unsigned char code) {
  static const auto kTable = sjis_table({"◎", "○", "△"});
  return lookup(kTable, code, '1');
}

std::string YUtil::getdistprop(unsigned char code) {
  static const auto kTable = sjis_table({"短", "中", "長"});
  return lookup(kTable, code, '1');
}

std::string YUtil::getjkfuka2(unsigned char* code) {
  static const auto kTable = sjis_table({"(指定)", "(特指)", "[指定]", "(指)"});
  if (code == nullptr) return std::string();
  return lookup(kTable, code[1], '1');
}

std::string YUtil::getsibada(unsigned char track, unsigned char kind) {
  static const auto kTable = sjis_table({"ダ", "芝"});
  static const std::string kJump = ytext::to_sjis_lossy("障");
  if (kind == '0') return kJump;
  return lookup(kTable, track, '0');
}

std::string YUtil::getstableplace(unsigned char code, unsigned char* place, bool longform) {
  static const auto kLong = sjis_table({"栗東", "美浦南", "美浦北"});
  static const auto kShort = sjis_table({"栗", "南", "北"});
  if (code >= '1' && code <= '3') return lookup(longform ? kLong : kShort, code, '1');
  return getplace(place, false);
}

std::string YUtil::getjouken(unsigned char code) {
  static const auto kTable =
      sjis_table({"障害", "３歳", "４歳", "４歳上", "５歳上", "３歳", "４歳", "４歳上",
                  "障害４歳上", "障害５歳上", "５歳上", "５歳", "５歳"});
  const int index = jouken_index(code);
  return index < 0 ? std::string() : kTable[static_cast<std::size_t>(index)];
}

std::string YUtil::getjouken(unsigned char code, int year) {
  // From 2001 ages are counted from 0 at birth, one less than before.
  static const auto kTable =
      sjis_table({"障害", "２歳", "３歳", "３歳上", "４歳上", "２歳", "３歳", "３歳上",
                  "障害３歳上", "障害４歳上", "４歳上", "４歳", "４歳"});
  if (year < 2001) return getjouken(code);
  const int index = jouken_index(code);
  return index < 0 ? std::string() : kTable[static_cast<std::size_t>(index)];
}

// --- Places and meetings ---------------------------------------------------------------

std::string YUtil::getplace(unsigned char* code, bool shortform) {
  static const auto kLong = sjis_table(
      {"京都", "阪神", "中京", "小倉", "東京", "中山", "福島", "新潟", "札幌", "函館"});
  static const auto kShort =
      sjis_table({"京", "阪", "名", "小", "東", "中", "福", "新", "札", "函"});
  if (code == nullptr) return std::string();
  if (code[0] == '0' && yutil::is_digit(code[1])) {
    return lookup(shortform ? kShort : kLong, code[1], '0');
  }
  const std::string name = ccode(kPlace, code);
  return shortform ? name.substr(0, 2) : name;
}

std::string YUtil::getkaisai(unsigned char* key, bool zen) {
  static const auto kWords = sjis_table({"回", "日目"});
  if (key == nullptr) return std::string();
  const std::string place = ccode(kPlace, key);
  unsigned char* meeting = key + 6;
  unsigned char* day = key + 8;
  if (zen) {
    std::string text;
    if (getnum(meeting, 2) != 0) text += getzennum(meeting) + kWords[0];
    text += place;
    if (getnum(day, 2) != 0) text += getzennum(day) + kWords[1];
    return text;
  }
  const auto digits = [](const unsigned char* field) {
    std::string two(reinterpret_cast<const char*>(field), 2);
    if (two[0] == '0') two[0] = ' ';
    return two;
  };
  return digits(meeting) + place + digits(day);
}

// --- Race names and classes ----------------------------------------------------------

std::string YUtil::getracename(unsigned char jouken, unsigned char* name, int len,
                               bool abbreviate, bool* named) {
  return race_name(getjouken(jouken), name, len, abbreviate, named);
}

std::string YUtil::getracename(unsigned char* year, unsigned char jouken, unsigned char* name,
                               int len, bool abbreviate, bool* named) {
  return race_name(getjouken(jouken, getnum(year, 4)), name, len, abbreviate, named);
}

std::string YUtil::getclass(unsigned char* code, int len, bool withman, bool* flag) {
  static const auto kTexts = sjis_table({"オープン", "OPEN", "万下"});
  if (code == nullptr) return std::string();
  const int v = getnumpm(code, len);
  if (v < 100) {
    // The code table reads a 5-character signed field ("00004", "-0005");
    // writing it from the value keeps a shorter field from being over-read.
    char field[16];
    std::snprintf(field, sizeof field, "%05d", v);
    std::string text = ccode(kRaceClass, reinterpret_cast<const unsigned char*>(field));
    if (text == kTexts[0]) text = kTexts[1];
    if (flag != nullptr) {
      const int plain = getnum(code, len);
      *flag = plain >= 0 && plain <= 3;
    }
    return text;
  }
  // A money class: the prize limit in thousands of yen, shown in 万 with one
  // decimal when it is not whole.
  std::string text = getnumstr(v / 10);
  if (v % 10 != 0) text += "." + getnumstr(v % 10);
  if (withman) text += kTexts[2];
  return text;
}

void YUtil::setclass(std::string& first, std::string& second, unsigned char grade,
                     unsigned char* code, int len, bool withman) {
  const std::string graded = getgrade(grade);
  if (!graded.empty()) {
    second += graded;
    return;
  }
  // getclass leaves the flag alone for money classes, which therefore stay
  // with `first` unless the grade byte is NUL.
  bool low_class = grade != 0;
  const std::string text = getclass(code, len, withman, &low_class);
  if (withman && !low_class) {
    second += text;
  } else {
    first += text;
  }
}

unsigned short YUtil::getclassnum(unsigned char grade, unsigned char* code, int len) {
  switch (grade) {
    case '0': return 65006;  // G1
    case '3': return 65005;  // JG1
    case '1': return 65004;  // G2
    case '4': return 65003;  // JG2
    case '2': return 65002;  // G3
    case '5': return 65001;  // JG3
    default: break;
  }
  const int v = getnumpm(code, len);
  if (v == 4) return 64000;  // open class
  return static_cast<unsigned short>(v >= 0 ? v : 60000 - v);
}

std::string YUtil::convstr(std::string text, bool& kanji, bool search) {
  return ytext::normalise_search(text, search, &kanji);
}
