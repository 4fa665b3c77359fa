// The condition text of the horse search, in command form (suffixes after
// the values, for conv_umacmd) or text form (operators between key and
// value, for get_uma2cmd), from the arguments of YSearchHorse's setparam
// and exec.
#ifndef YDBCLN_SEARCH_HORSECONDITIONTEXT_H_
#define YDBCLN_SEARCH_HORSECONDITIONTEXT_H_

#include <string>

namespace ysearch {

// The pair keys, in argument order.
constexpr int kHorsePairs = 9;
// The text keys, in argument order: FN, MN, STN, BNS, SNT, SSN.
constexpr int kHorseTexts = 6;

struct HorseConditions {
  std::string name;           // Shift_JIS; empty: no name condition
  int t = 0;                  // 1 to 4
  int sex = -1;               // masks; -1 no condition, nor every bit of
                              // colour, P or K
  int age = -1;
  int color = -1;
  int p = -1;
  int k = -1;
  int value[kHorsePairs] = {};
  int op[kHorsePairs] = {};   // 0 no condition, 1 "!", 2 ">", 3 "+", 4 "<", 5 "-"
  std::string text[kHorseTexts];
};

// The text of `c`, in command form or not; false (text untouched) when
// `t` is not 1 to 4 or an operator is not 0 to 5.
bool HorseConditionText(const HorseConditions& c, bool command_form, std::string* text);

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_HORSECONDITIONTEXT_H_
