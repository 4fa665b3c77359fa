// The sire search: its conditions, written and run through KindSearch.
#include "ydbcln/search/YSearchSire.h"

#include <utility>

#include "ydbcln/session/ydblib.h"

namespace {

const ysearch::KindCalls kSireCalls = {sirerec::kSize, conv_sirecmd, get_sire2cmd,
                                        get_sire2cmd_sp, 1, get_sire2dt, false};

ysearch::SireConditions conditions_of(std::string name, const int (&v)[13],
                                      std::string sire_name, std::string dam_name) {
  ysearch::SireConditions c;
  c.name = std::move(name);
  c.t = v[0];
  c.age = v[1];
  c.k = v[2];
  c.d = v[3];
  c.o = v[4];
  c.color = v[5];
  c.an = v[6];
  for (int i = 0; i < 3; ++i) c.figure[i] = {v[7 + 2 * i], v[8 + 2 * i]};
  c.sire_name = std::move(sire_name);
  c.dam_name = std::move(dam_name);
  return c;
}

}  // namespace

YSearchSire::YSearchSire(YHorseDB* db) : KindSearch(db, kSireCalls) {}

int YSearchSire::setparam(const ysearch::SireConditions& conditions) {
  return setconditions(conditions, ysearch::SireConditionText);
}

int YSearchSire::exec(const ysearch::SireConditions& conditions) {
  return runconditions(conditions, ysearch::SireConditionText);
}

int YSearchSire::setparam(std::string name, int t, int age, int k, int d, int o, int color,
                          int an, int wins, int wins_op, int win_rate, int win_rate_op,
                          int top3_rate, int top3_rate_op, std::string sire_name,
                          std::string dam_name, std::string /*unused*/) {
  const int v[13] = {t,    age,     k,        d,           o,         color,       an,
                     wins, wins_op, win_rate, win_rate_op, top3_rate, top3_rate_op};
  return setparam(conditions_of(std::move(name), v, std::move(sire_name), std::move(dam_name)));
}

int YSearchSire::exec(std::string name, int t, int age, int k, int d, int o, int color, int an,
                      int wins, int wins_op, int win_rate, int win_rate_op, int top3_rate,
                      int top3_rate_op, std::string sire_name, std::string dam_name,
                      std::string /*unused*/) {
  const int v[13] = {t,    age,     k,        d,           o,         color,       an,
                     wins, wins_op, win_rate, win_rate_op, top3_rate, top3_rate_op};
  return exec(conditions_of(std::move(name), v, std::move(sire_name), std::move(dam_name)));
}
