// The condition texts of the searches of jockeys, trainers and sires, in
// command form (suffixes after the values, for conv_jockeycmd and the
// others) or text form (operators between key and value, for
// get_jockey2cmd and the others), from the arguments of their setparam
// and exec. A mask has one bit per choice, bit 0 first; -1 is no
// condition. Operators are coded as ConditionTerms.h codes them.
#ifndef YDBCLN_SEARCH_PEOPLECONDITIONTEXT_H_
#define YDBCLN_SEARCH_PEOPLECONDITIONTEXT_H_

#include <string>

namespace ysearch {

// A compared figure: operator 0 is no condition.
struct Compared {
  int value = 0;
  int op = 0;
};

// A compared figure of this year (selector 1) or of the career (any other).
struct ComparedIn {
  int value = 0;
  int op = 0;
  int selector = 0;
};

// What jockeys and trainers share.
struct PersonConditions {
  std::string name;  // Shift_JIS; empty: no name condition
  int t = 0;         // 1 everyone, 2 with a run this year, 3 with a run, 4 with none
  int p = -1;        // affiliation (jockeys) or training centre (trainers)
  int age = -1;      // age brackets, bits as the kind's text tells
  ComparedIn wins;
  int an = 0;        // first year licensed on or after; 0 no condition
  Compared flat_runs, jump_runs, prize;  // this year: HH, SH, H
  ComparedIn rate[3];                    // win, top-two and top-three rates
};

struct JockeyConditions : PersonConditions {
  int m = -1;          // qualification: bits 0-2 codes 1-3
  int sk = -1;         // apprentice allowance: bits 0-2 codes 1-3
  std::string stable;  // the stable's name; empty: none
};

struct SireConditions {
  std::string name;
  int t = 0;
  int age = -1;        // bits 4-11 ages 7-14, a bit from 12 up 15 and over
  int k = -1, d = -1, o = -1;  // aptitudes: bits 0-2 codes 1-3
  int color = -1;      // bits 0-6 coats 01-07, bit 7 08 and over; all eight: none
  int an = 0;          // born in or after; 0 no condition
  Compared figure[3];  // keys 1, 2, 3: offspring's wins, win rate, top-three rate
  std::string sire_name, dam_name;  // FN, MN
};

// The text of the conditions in *text; false (text untouched) for a `t`
// outside 1 to 4 or an operator outside 0 to 5.
bool JockeyConditionText(const JockeyConditions& c, bool command_form, std::string* text);
bool StableConditionText(const PersonConditions& c, bool command_form, std::string* text);
bool SireConditionText(const SireConditions& c, bool command_form, std::string* text);

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_PEOPLECONDITIONTEXT_H_
