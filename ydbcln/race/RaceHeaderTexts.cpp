// Heading, name, meeting, conditions, course and reference-time texts of a
// race card or a race result.
#include "ydbcln/race/RaceHeaderTexts.h"

#include <cstring>

#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace yrace {
namespace {

constexpr int kNameWidth = 30;
constexpr int kConditionsWidth = 5;
constexpr int kSupplementaryWidth = 18;
constexpr int kHorseNameWidth = 30;
constexpr int kJockeyNameWidth = 8;

std::string number_text(unsigned char* field, int width) {
  return YUtil::getnumstr(YUtil::getnum(field, width));
}

// The grade in brackets, closed after its first two bytes (G1, JG1) or, for
// a longer text, its first three.
std::string bracketed_grade(const std::string& grade) {
  const std::size_t closed = grade.size() < 4 ? 2 : 3;
  return "(" + grade.substr(0, closed) + ")" + grade.substr(closed);
}

}  // namespace

HeaderTexts header_texts(unsigned char* r, const HeaderFields& f) {
  static const auto kWords = yutil::sjis_table({"第", "回 "});
  HeaderTexts t;
  const int year = YUtil::getnum(r + f.year, 4);
  t.heading = YUtil::getnumstr(year) + " " + number_text(r + f.kai, 2) + YUtil::getplace(r, true) +
              number_text(r + f.kai + 2, 2) + " " + number_text(r + 10, 2) + "R";

  t.racename = YUtil::delendspc(r + f.name, kNameWidth);
  const int edition = YUtil::getnum(r + f.edition, 3);
  if (edition != 0) t.racename = kWords[0] + YUtil::getnumstr(edition) + kWords[1] + t.racename;

  t.date = year * 10000 + YUtil::getnum(r + 6, 4);
  t.datetext = YUtil::getdate(t.date);

  // The old-form key: place and year, kai and day, race number.
  unsigned char key[12];
  std::memcpy(key, r, 6);
  std::memcpy(key + 6, r + f.kai, 4);
  std::memcpy(key + 10, r + 10, 2);
  t.kaisai = YUtil::getkaisai(key, true) + YUtil::getzennum(r + 10) + "R";

  t.conditions = YUtil::getjouken(r[f.kind], year) +
                 YUtil::getclass(r + f.conditions, kConditionsWidth, true, nullptr);
  const std::string grade = YUtil::getgrade(r[f.grade]);
  if (!grade.empty()) t.conditions += bracketed_grade(grade);
  t.conditions += " " + YUtil::getjkfuka1(r + f.weight_rule1) +
                  YUtil::getjkfuka2(r + f.weight_rule1 + 2);
  t.conditions += " " + YUtil::delendspc(r + f.supplementary, kSupplementaryWidth);

  const int t0 = f.track;
  t.course = YUtil::getsibada(r[t0], r[f.kind]) + YUtil::getlr(r[t0 + 1]) +
             YUtil::getuchi(r[t0 + 2]) + YUtil::getcourse(r[t0 + 3]) + " " + raw(r + t0 + 4, 4) + "m";
  return t;
}

YRefTime reference_time(unsigned char* r, const RefTimeFields& f) {
  static const auto kTitles = yutil::sjis_table({"基準タイム", "レコード", "参考タイム"});
  YRefTime t;
  if (f.kind >= 0) {
    if (r[f.kind] == ' ') return t;
    t.title = kTitles[r[f.kind] == '0' ? 0 : r[f.kind] == '1' ? 1 : 2];
  } else if (r[f.date] == ' ' || r[f.date] == '0') {
    return t;
  }
  t.exist = true;
  const unsigned char* time = r + f.time;
  t.time = f.time_width == 4 ? raw(time, 1) + "." + raw(time + 1, 2) + "." + raw(time + 3, 1)
                             : raw(time, 2) + "." + raw(time + 2, 1);
  t.horse = YUtil::delendspc(r + f.horse, kHorseNameWidth);
  t.weight = number_text(r + f.weight, 2);
  if (f.tenths >= 0) t.weight += "." + raw(r + f.tenths, 1);
  t.jockey = YUtil::delendspc(r + f.jockey, kJockeyNameWidth);
  if (f.place >= 0) t.place = YUtil::getplace(r + f.place, false);
  t.date = YUtil::getdate(r + f.date);
  return t;
}

std::string tenths_text(int tenths) {
  return YUtil::getnumstr(tenths / 10) + "." + YUtil::getnumstr(tenths % 10);
}

}  // namespace yrace
