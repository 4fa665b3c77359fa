// JRA's codes in JV-Data records and the data set's codes, each mapping one
// table of pairs: sex, horse marks, grades, age conditions, classes,
// tracks, rails, weather, going, accidents, margins, and horse codes. A
// record's code reads into the data set's through its table; a code the
// table lacks is refused by the record's reader, naming the field.
#ifndef YDB_EXCHANGE_JVDATA_JRACODES_H_
#define YDB_EXCHANGE_JVDATA_JRACODES_H_

#include <string>
#include <string_view>
#include <vector>

namespace exchange {
namespace jvdata {

// One pair: the data set's code and JRA's. Where several of the data
// set's codes have one JRA code, the first pair of that JRA code is the
// one read back.
struct CodePair {
  const char* ours;
  const char* jra;
};
using CodeTable = std::vector<CodePair>;

// JRA's code of `ours`; empty when the table has none (the field is left
// blank).
std::string JraOf(const CodeTable& table, std::string_view ours);

// The data set's code of JRA's `jra` into *ours. False when the table lacks
// it.
bool OursOf(const CodeTable& table, std::string_view jra, std::string* ours);

// 性別コード: 1 牡, 2 牝, 3 セン.
const CodeTable& SexCodes();
// 馬記号コード: the marks the data set's table 3 has.
const CodeTable& MarkCodes();
// グレードコード: A-C G1-G3, F-H the jump grades; the others (D 重賞
// without a grade, E 特別, L listed) read as no grade.
const CodeTable& GradeCodes();
// 競走種別コード against the age condition: 11-14 the flat ages, 18 and
// 19 the jumps. The ages as counted before 2001 are written as the
// current condition of the same horses.
const CodeTable& RaceKindCodes();
// コース区分: A, B, C, D, A1, A2 (E reads as not known).
const CodeTable& RailCodes();
// 天候コード 1 晴 ... 5 雪 (6 小雪 reads as not known; 風 is not written).
const CodeTable& WeatherCodes();
// 馬場状態コード 1 良 ... 4 不良.
const CodeTable& GoingCodes();
// 異常区分コード against the accident codes: 1 出走取消, 2 発走除外, 3
// 競走除外, 4 競走中止, 5 失格, 7 降着; 落馬 is written as 競走中止.
const CodeTable& AccidentCodes();

// 競走条件コード of a class code, and back: 701 新馬, 702 未出走, 703
// 未勝利, 999 オープン, 005/010/016 the 1勝/2勝/3勝 classes from June 2019
// and the money classes of those limits before, 001-099 a money class in
// millions of yen. Empty, or false, for a class the other side lacks.
std::string JraClassOf(std::string_view class_code);
bool ClassOfJra(std::string_view jra, int race_date, std::string* class_code);

// トラックコード of a surface, direction and inner-outer course, of a flat
// race or a jump race, and back. JRA's codes tell turf from dirt, the
// direction on the flat and the inner and outer courses; what they do not
// tell comes back empty.
std::string JraTrackOf(bool jump, std::string_view track_code, std::string_view direction,
                       std::string_view inner_outer);
bool TrackOfJra(std::string_view jra, std::string* track_code, std::string* direction,
                std::string* inner_outer);

// 血統登録番号 (10 digits: the year of birth, a register digit, a serial of
// five) against the data set's 7-digit horse code (the year's last two
// digits, the serial). A code's year is written as 19xx from 50 on and 20xx
// below, with the register digit 1. False when the JRA code is not ten
// digits or its register digit is not 1: the data set's codes hold no other.
std::string JraHorseCodeOf(std::string_view horse_code);
bool HorseCodeOfJra(std::string_view jra, std::string* horse_code);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_JRACODES_H_
