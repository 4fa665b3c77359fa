// YSearchSire: the sire search. It finds sires by name, age, aptitudes
// (distance, dirt, heavy going), coat, year of birth, their offspring's
// wins and rates, and the names of their own sire and dam, and holds them
// as YSireList rows that point into its result buffer.
//
//   YSearchSire search(&db);
//   ysearch::SireConditions c;
//   c.t = 3;                                  // sires with offspring that ran
//   c.figure[0] = {100, 2};                   // 100 wins or more ("1=100>")
//   search.exec(c);
//
// Written and run as YSearchJockey; remake_param does nothing (a sire's
// command stays as compiled) and answers 0.
#ifndef YDBCLN_SEARCH_YSEARCHSIRE_H_
#define YDBCLN_SEARCH_YSEARCHSIRE_H_

#include <string>

#include "ydbcln/entity/YSireList.h"
#include "ydbcln/search/KindSearch.h"
#include "ydbcln/search/PeopleConditionText.h"

class YSearchSire : public ysearch::KindSearch<YSireList, _tagSIREREC> {
 public:
  explicit YSearchSire(YHorseDB* db);

  // The conditions, in the order of SireConditions: name; t; masks of age
  // (bits 4-11 ages 7-14, from 12 up 15 and over), distance aptitude K,
  // dirt D, heavy going O (bits 0-2 codes 1-3) and coat (bits 0-7); year
  // of birth from; the three figures (value, operator); the sire's sire's
  // and dam's names. `unused` is a third name no key reads. 0, or -1.
  virtual int setparam(std::string name, int t, int age, int k, int d, int o, int color,
                       int an, int wins, int wins_op, int win_rate, int win_rate_op,
                       int top3_rate, int top3_rate_op, std::string sire_name,
                       std::string dam_name, std::string unused);
  // The same conditions run at once: the number of sires, or -1.
  virtual int exec(std::string name, int t, int age, int k, int d, int o, int color, int an,
                   int wins, int wins_op, int win_rate, int win_rate_op, int top3_rate,
                   int top3_rate_op, std::string sire_name, std::string dam_name,
                   std::string unused);
  virtual int setparam(const ysearch::SireConditions& conditions);
  virtual int exec(const ysearch::SireConditions& conditions);
};

#endif  // YDBCLN_SEARCH_YSEARCHSIRE_H_
