// YSearchJockey: the jockey search. It finds jockeys by name, affiliation,
// age, their wins, rides, prize money and rates this year or in their
// career, first year licensed, qualification, apprentice allowance and
// the name of their stable, and holds them as YJockeyList rows that point
// into its result buffer (the search must outlive them).
//
//   YSearchJockey search(&db);
//   ysearch::JockeyConditions c;
//   c.t = 2;                                  // riders with a run this year
//   c.wins = {50, 2, 1};                      // WNH >= 50: 50 wins this year
//   if (search.exec(c) > 0) search.result(0)->getname();
//
// setparam compiles the command form ("T=2&WNH=50>") into a command held
// for search(); exec runs the text form ("T=2&WNH>=50") at once. A name
// holding kanji is sent as NK, one in kana as NY. remake_param(1) adds
// "&UDS=1" (jockeys with a run). Statuses and copies as KindSearch.h
// tells; 1004 for a T outside 1 to 4 or an operator outside 0 to 5.
#ifndef YDBCLN_SEARCH_YSEARCHJOCKEY_H_
#define YDBCLN_SEARCH_YSEARCHJOCKEY_H_

#include <string>

#include "ydbcln/entity/YJockeyList.h"
#include "ydbcln/search/KindSearch.h"
#include "ydbcln/search/PeopleConditionText.h"

class YSearchJockey : public ysearch::KindSearch<YJockeyList, _tagJOCKEYREC> {
 public:
  explicit YSearchJockey(YHorseDB* db);

  // The conditions, in the order of JockeyConditions: name; t; masks of
  // affiliation P (bit 2 栗東, bits 0 and 1 美浦, bit 3 招待) and age (bits
  // 12-16 the brackets to 40, a bit from 17 up 41 and over); wins (value,
  // selector 1 this year else career, operator); first year; masks of
  // qualification M and allowance SK; this year's flat rides, jump rides
  // and prize money (value, operator); the three rates (value, operator,
  // selector); the stable's name. 0, or -1.
  virtual int setparam(std::string name, int t, int p, int age, int wins, int wins_selector,
                       int wins_op, int an, int m, int sk, int hh, int hh_op, int sh,
                       int sh_op, int h, int h_op, int rate1, int rate1_op, int rate1_selector,
                       int rate2, int rate2_op, int rate2_selector, int rate3, int rate3_op,
                       int rate3_selector, std::string stable);
  // The same conditions run at once: the number of jockeys, or -1.
  virtual int exec(std::string name, int t, int p, int age, int wins, int wins_selector,
                   int wins_op, int an, int m, int sk, int hh, int hh_op, int sh, int sh_op,
                   int h, int h_op, int rate1, int rate1_op, int rate1_selector, int rate2,
                   int rate2_op, int rate2_selector, int rate3, int rate3_op,
                   int rate3_selector, std::string stable);
  // The same two with the conditions as one record.
  virtual int setparam(const ysearch::JockeyConditions& conditions);
  virtual int exec(const ysearch::JockeyConditions& conditions);
};

#endif  // YDBCLN_SEARCH_YSEARCHJOCKEY_H_
