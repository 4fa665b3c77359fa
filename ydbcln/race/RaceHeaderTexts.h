// The display texts a race card and a race result share: heading, name,
// date, meeting, conditions, course and the reference times. The race-card
// record and the result record keep the same fields at different offsets;
// each names its offsets once in a HeaderFields.
#ifndef YDBCLN_RACE_RACEHEADERTEXTS_H_
#define YDBCLN_RACE_RACEHEADERTEXTS_H_

#include <string>

#include "ydbcln/race/YRefTime.h"

namespace yrace {

// Where a race record keeps the fields of its texts.
struct HeaderFields {
  int year;           // 4 digits; the race code is at 0 in both records
  int kai;            // kai 2, then day 2
  int edition;        // 3 digits
  int name;           // 30
  int grade;          // grade code
  int supplementary;  // 18
  int weight_rule1;   // 2, then the second rule 2
  int kind;           // race kind (age condition)
  int conditions;     // 5
  int track;          // track, then direction, inner/outer, rail, distance (4)
};

// Where a race record keeps one reference time; -1 for a field it lacks.
struct RefTimeFields {
  int kind;        // the first time's kind byte
  int date;        // YYYYMMDD
  int time;
  int time_width;  // 4: minutes, seconds, tenths; 3: seconds, tenths
  int horse;       // 30
  int weight;      // kilograms, 2
  int tenths;      // tenths of the weight, 1
  int jockey;      // 8
  int place;       // place code, 2
};

struct HeaderTexts {
  std::string heading;     // 2024 1中2 11R: year, kai, short place, day, race number
  std::string racename;    // 第64回 中山金杯: the edition in front when not 0
  std::string datetext;    // 2024年 1月 6日
  std::string kaisai;      // １回中山２日目１１R
  std::string conditions;  // age, class, (grade), weight rules, supplementary text
  std::string course;      // 芝右内A 2000m
  int date = 0;            // YYYYMMDD
};

// The texts of the race record `r`.
HeaderTexts header_texts(unsigned char* r, const HeaderFields& f);

// The reference time of the record `r` at `f`. A time with a kind byte is
// there unless that byte is blank; one without, unless its date starts with
// a blank or '0'.
YRefTime reference_time(unsigned char* r, const RefTimeFields& f);

// A time in tenths of a second as the lap texts write it: 12.3.
std::string tenths_text(int tenths);

}  // namespace yrace

#endif  // YDBCLN_RACE_RACEHEADERTEXTS_H_
