// The trainer search: its conditions, written and run through KindSearch.
#include "ydbcln/search/YSearchStable.h"

#include <utility>

#include "ydbcln/session/ydblib.h"

namespace {

const ysearch::KindCalls kStableCalls = {stablerec::kSize, conv_stablecmd, get_stable2cmd,
                                          get_stable2cmd_sp, 3, get_stable2dt, true};

ysearch::PersonConditions conditions_of(std::string name, const int (&v)[22]) {
  ysearch::PersonConditions c;
  c.name = std::move(name);
  c.t = v[0];
  c.p = v[1];
  c.age = v[2];
  c.wins = {v[3], v[5], v[4]};
  c.an = v[6];
  c.flat_runs = {v[7], v[8]};
  c.jump_runs = {v[9], v[10]};
  c.prize = {v[11], v[12]};
  for (int i = 0; i < 3; ++i) c.rate[i] = {v[13 + 3 * i], v[14 + 3 * i], v[15 + 3 * i]};
  return c;
}

}  // namespace

YSearchStable::YSearchStable(YHorseDB* db) : KindSearch(db, kStableCalls) {}

int YSearchStable::setparam(const ysearch::PersonConditions& conditions) {
  return setconditions(conditions, ysearch::StableConditionText);
}

int YSearchStable::exec(const ysearch::PersonConditions& conditions) {
  return runconditions(conditions, ysearch::StableConditionText);
}

int YSearchStable::setparam(std::string name, int t, int p, int age, int wins,
                            int wins_selector, int wins_op, int an, int hh, int hh_op, int sh,
                            int sh_op, int h, int h_op, int rate1, int rate1_op,
                            int rate1_selector, int rate2, int rate2_op, int rate2_selector,
                            int rate3, int rate3_op, int rate3_selector) {
  const int v[22] = {t,     p,        age,           wins,   wins_selector,  wins_op,
                     an,    hh,       hh_op,         sh,     sh_op,          h,
                     h_op,  rate1,    rate1_op,      rate1_selector, rate2,  rate2_op,
                     rate2_selector, rate3, rate3_op, rate3_selector};
  return setparam(conditions_of(std::move(name), v));
}

int YSearchStable::exec(std::string name, int t, int p, int age, int wins, int wins_selector,
                        int wins_op, int an, int hh, int hh_op, int sh, int sh_op, int h,
                        int h_op, int rate1, int rate1_op, int rate1_selector, int rate2,
                        int rate2_op, int rate2_selector, int rate3, int rate3_op,
                        int rate3_selector) {
  const int v[22] = {t,     p,        age,           wins,   wins_selector,  wins_op,
                     an,    hh,       hh_op,         sh,     sh_op,          h,
                     h_op,  rate1,    rate1_op,      rate1_selector, rate2,  rate2_op,
                     rate2_selector, rate3, rate3_op, rate3_selector};
  return exec(conditions_of(std::move(name), v));
}
