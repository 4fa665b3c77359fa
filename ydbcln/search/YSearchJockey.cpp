// The jockey search: its conditions, written and run through KindSearch.
#include "ydbcln/search/YSearchJockey.h"

#include <utility>

#include "ydbcln/session/ydblib.h"

namespace {

const ysearch::KindCalls kJockeyCalls = {jockeyrec::kSize, conv_jockeycmd, get_jockey2cmd,
                                          get_jockey2cmd_sp, 2, get_jockey2dt, true};

ysearch::JockeyConditions conditions_of(std::string name, const int (&v)[24],
                                        std::string stable) {
  ysearch::JockeyConditions c;
  c.name = std::move(name);
  c.t = v[0];
  c.p = v[1];
  c.age = v[2];
  c.wins = {v[3], v[5], v[4]};
  c.an = v[6];
  c.m = v[7];
  c.sk = v[8];
  c.flat_runs = {v[9], v[10]};
  c.jump_runs = {v[11], v[12]};
  c.prize = {v[13], v[14]};
  for (int i = 0; i < 3; ++i) c.rate[i] = {v[15 + 3 * i], v[16 + 3 * i], v[17 + 3 * i]};
  c.stable = std::move(stable);
  return c;
}

}  // namespace

YSearchJockey::YSearchJockey(YHorseDB* db) : KindSearch(db, kJockeyCalls) {}

int YSearchJockey::setparam(const ysearch::JockeyConditions& conditions) {
  return setconditions(conditions, ysearch::JockeyConditionText);
}

int YSearchJockey::exec(const ysearch::JockeyConditions& conditions) {
  return runconditions(conditions, ysearch::JockeyConditionText);
}

int YSearchJockey::setparam(std::string name, int t, int p, int age, int wins,
                            int wins_selector, int wins_op, int an, int m, int sk, int hh,
                            int hh_op, int sh, int sh_op, int h, int h_op, int rate1,
                            int rate1_op, int rate1_selector, int rate2, int rate2_op,
                            int rate2_selector, int rate3, int rate3_op, int rate3_selector,
                            std::string stable) {
  const int v[24] = {t,  p,     age, wins, wins_selector, wins_op, an,       m,
                     sk, hh,    hh_op, sh, sh_op, h, h_op, rate1, rate1_op, rate1_selector,
                     rate2, rate2_op, rate2_selector, rate3, rate3_op, rate3_selector};
  return setparam(conditions_of(std::move(name), v, std::move(stable)));
}

int YSearchJockey::exec(std::string name, int t, int p, int age, int wins, int wins_selector,
                        int wins_op, int an, int m, int sk, int hh, int hh_op, int sh,
                        int sh_op, int h, int h_op, int rate1, int rate1_op,
                        int rate1_selector, int rate2, int rate2_op, int rate2_selector,
                        int rate3, int rate3_op, int rate3_selector, std::string stable) {
  const int v[24] = {t,  p,     age, wins, wins_selector, wins_op, an,       m,
                     sk, hh,    hh_op, sh, sh_op, h, h_op, rate1, rate1_op, rate1_selector,
                     rate2, rate2_op, rate2_selector, rate3, rate3_op, rate3_selector};
  return exec(conditions_of(std::move(name), v, std::move(stable)));
}
