// The horse search: its condition text, command, runs and rows.
#include "ydbcln/search/YSearchHorse.h"

#include <new>

#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace {

ysearch::HorseConditions conditions_of(std::string name, int t, int sex, int age, int color,
                                       int p, int k, const int (&pairs)[18],
                                       std::string (&texts)[6]) {
  ysearch::HorseConditions c;
  c.name = std::move(name);
  c.t = t;
  c.sex = sex;
  c.age = age;
  c.color = color;
  c.p = p;
  c.k = k;
  for (int i = 0; i < ysearch::kHorsePairs; ++i) {
    c.value[i] = pairs[2 * i];
    c.op[i] = pairs[2 * i + 1];
  }
  for (int i = 0; i < ysearch::kHorseTexts; ++i) c.text[i] = std::move(texts[i]);
  return c;
}

const ysearch::KindCalls kHorseCalls = {ydbumarec::kSize, conv_umacmd, get_uma2cmd,
                                         get_uma2cmd_sp, 0, get_uma2dt, true};

}  // namespace

YSearchHorse::YSearchHorse(YHorseDB* db) : KindSearch(db, kHorseCalls) {}

int YSearchHorse::setparam(const ysearch::HorseConditions& conditions) {
  return setconditions(conditions, ysearch::HorseConditionText);
}

int YSearchHorse::exec(const ysearch::HorseConditions& conditions) {
  return runconditions(conditions, ysearch::HorseConditionText);
}

int YSearchHorse::setparam(std::string name, int t, int sex, int age, int color, int p, int k,
                           int hh, int hh_op, int hr, int hr_op, int sh, int sh_op, int sr,
                           int sr_op, int h, int h_op, int r, int r_op, int first,
                           int first_op, int second, int second_op, int third, int third_op,
                           std::string fn, std::string mn, std::string stn, std::string bns,
                           std::string snt, std::string ssn) {
  const int pairs[18] = {hh, hh_op, hr, hr_op, sh, sh_op, sr, sr_op, h, h_op,
                         r, r_op, first, first_op, second, second_op, third, third_op};
  std::string texts[6] = {fn, mn, stn, bns, snt, ssn};
  return setparam(conditions_of(std::move(name), t, sex, age, color, p, k, pairs, texts));
}

int YSearchHorse::exec(std::string name, int t, int sex, int age, int color, int p, int k,
                       int hh, int hh_op, int hr, int hr_op, int sh, int sh_op, int sr,
                       int sr_op, int h, int h_op, int r, int r_op, int first, int first_op,
                       int second, int second_op, int third, int third_op, std::string fn,
                       std::string mn, std::string stn, std::string bns, std::string snt,
                       std::string ssn) {
  const int pairs[18] = {hh, hh_op, hr, hr_op, sh, sh_op, sr, sr_op, h, h_op,
                         r, r_op, first, first_op, second, second_op, third, third_op};
  std::string texts[6] = {fn, mn, stn, bns, snt, ssn};
  return exec(conditions_of(std::move(name), t, sex, age, color, p, k, pairs, texts));
}

int YSearchHorse::exec2mothercode(std::string code) {
  if (!ysession::ready(getdb())) return -1;
  return ysession::guarded(getdb(), -1, [&] { return fill(get_uma2mcode(code.c_str())); },
                           [] {});
}

