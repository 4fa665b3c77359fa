// YSearchStable: the trainer (stable) search. It finds trainers by name,
// training centre, age, their wins, runners, prize money and rates this
// year or in their career and first year licensed, and holds them as
// YStableList rows that point into its result buffer.
//
//   YSearchStable search(&db);
//   ysearch::PersonConditions c;
//   c.t = 1;
//   c.p = 4;                                  // 栗東 ("P=1")
//   search.exec(c);
//
// As YSearchJockey, without qualification, allowance and stable name; the
// centre mask writes bit 0 "P=3", bit 1 "P=2", either of them "P=2&P=3",
// bit 2 "P=1", bit 3 "P=0" (off the centres), each in turn; the age
// brackets are bits 14-21 (to 65), a bit from 22 up 66 and over; the first
// year is written in 8 digits.
#ifndef YDBCLN_SEARCH_YSEARCHSTABLE_H_
#define YDBCLN_SEARCH_YSEARCHSTABLE_H_

#include <string>

#include "ydbcln/entity/YStableList.h"
#include "ydbcln/search/KindSearch.h"
#include "ydbcln/search/PeopleConditionText.h"

class YSearchStable : public ysearch::KindSearch<YStableList, _tagSTABLEREC> {
 public:
  explicit YSearchStable(YHorseDB* db);

  // The conditions, in the order of PersonConditions (as YSearchJockey's
  // without m, sk and the stable's name). 0, or -1.
  virtual int setparam(std::string name, int t, int p, int age, int wins, int wins_selector,
                       int wins_op, int an, int hh, int hh_op, int sh, int sh_op, int h,
                       int h_op, int rate1, int rate1_op, int rate1_selector, int rate2,
                       int rate2_op, int rate2_selector, int rate3, int rate3_op,
                       int rate3_selector);
  // The same conditions run at once: the number of trainers, or -1.
  virtual int exec(std::string name, int t, int p, int age, int wins, int wins_selector,
                   int wins_op, int an, int hh, int hh_op, int sh, int sh_op, int h, int h_op,
                   int rate1, int rate1_op, int rate1_selector, int rate2, int rate2_op,
                   int rate2_selector, int rate3, int rate3_op, int rate3_selector);
  virtual int setparam(const ysearch::PersonConditions& conditions);
  virtual int exec(const ysearch::PersonConditions& conditions);
};

#endif  // YDBCLN_SEARCH_YSEARCHSTABLE_H_
