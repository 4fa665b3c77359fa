// YSearchHorse: the horse search. It finds horses by name, by which horses
// (every horse, in training, retired, marked), sex, age, coat, mark and the
// trainer's centre, by the counts and prize money of their careers and by
// the names of their parents, dam's sire, trainer, owner and breeder, and
// holds them as YHorseList rows that point into its result buffer (the
// search must outlive them).
//
//   YSearchHorse search(&db);
//   int value[9] = {3}, op[9] = {2};               // HH >= 3: three flat wins
//   std::string none;
//   search.exec(name, 1, -1, -1, -1, -1, -1, value[0], op[0], ... , none, ...);
//   search.result(0)->getname();
//
// setparam compiles the condition text (command form, "T=1&HH=3>") into a
// command the search holds, run by search(); exec runs the text form
// ("T=1&HH>=3") at once. The text of both is getconditiontext(). Statuses:
// 1001 without an initialised session, 1002 when the library fails or
// refuses the text, 1003 when rows cannot be allocated, 1004 for a T
// outside 1 to 4 or an operator outside 0 to 5; a failed run leaves no rows.
// A copy holds its own rows, buffers and command. remake_param(1) adds
// "&UDS=1" (horses that have run); the command, the code lists and the
// rows are as KindSearch.h tells.
#ifndef YDBCLN_SEARCH_YSEARCHHORSE_H_
#define YDBCLN_SEARCH_YSEARCHHORSE_H_

#include <string>

#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/search/HorseConditionText.h"
#include "ydbcln/search/KindSearch.h"

class YSearchHorse : public ysearch::KindSearch<YHorseList, _tagYDBUMAREC> {
 public:
  explicit YSearchHorse(YHorseDB* db);

  // The conditions: a name (Shift_JIS; empty, none); `t` 1 every horse, 2
  // horses with a trainer, 3 without, 4 the user's marked horses; masks of
  // sex (bits 0-2: 牡 牝 セン), age (bits 0-6 ages 3-9, any higher bit 10
  // and over), coat (bits 0-7), trainer's centre P and horse mark K (-1:
  // none); nine (value, operator) pairs for HH HR SH SR H R 1 2 3; six
  // names: sire, dam, trainer, dam's sire, owner, breeder. 0, or -1.
  virtual int setparam(std::string name, int t, int sex, int age, int color, int p, int k,
                       int hh, int hh_op, int hr, int hr_op, int sh, int sh_op, int sr,
                       int sr_op, int h, int h_op, int r, int r_op, int first, int first_op,
                       int second, int second_op, int third, int third_op, std::string fn,
                       std::string mn, std::string stn, std::string bns, std::string snt,
                       std::string ssn);
  // The same conditions run at once: the number of horses, or -1.
  virtual int exec(std::string name, int t, int sex, int age, int color, int p, int k, int hh,
                   int hh_op, int hr, int hr_op, int sh, int sh_op, int sr, int sr_op, int h,
                   int h_op, int r, int r_op, int first, int first_op, int second,
                   int second_op, int third, int third_op, std::string fn, std::string mn,
                   std::string stn, std::string bns, std::string snt, std::string ssn);
  // The same two with the conditions as one record.
  virtual int setparam(const ysearch::HorseConditions& conditions);
  virtual int exec(const ysearch::HorseConditions& conditions);
  // The horses whose dam has the code.
  virtual int exec2mothercode(std::string code);
};

#endif  // YDBCLN_SEARCH_YSEARCHHORSE_H_
