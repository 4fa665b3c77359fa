// The horse search: its condition text, command, runs and rows.
#include "ydbcln/search/YSearchHorse.h"

#include <new>

#include "ydbcln/search/SearchRows.h"
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

}  // namespace

YSearchHorse::YSearchHorse(YHorseDB* db) : YMainObject(db) {}

YSearchHorse::YSearchHorse(const YSearchHorse& other) : YMainObject(other) { *this = other; }

YSearchHorse& YSearchHorse::operator=(const YSearchHorse& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  clearresults();
  release_data(command_);
  command_ = other.command_ != nullptr ? dup_data(other.command_) : nullptr;
  text_ = other.text_;
  if (other.results_ != nullptr) {
    void* copy = dup_data(other.results_);
    if (copy == nullptr && getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    if (copy != nullptr) fill(copy);
  }
  return *this;
}

YSearchHorse::~YSearchHorse() {
  clearresults();
  release_data(command_);
}

void YSearchHorse::clearresults() {
  rows_.clear();
  release_data(results_);
  results_ = nullptr;
  release_data(othercode_);
  othercode_ = nullptr;
}

void YSearchHorse::deletevector() { rows_.clear(); }

bool YSearchHorse::conditiontext(const ysearch::HorseConditions& conditions, bool command_form,
                                 std::string* text) {
  if (!ysession::ready(getdb())) return false;
  if (!ysearch::HorseConditionText(conditions, command_form, text)) {
    getdb()->seterror(YHorseDB::kBadParameter, "", 0);
    return false;
  }
  return true;
}

int YSearchHorse::setparam(const ysearch::HorseConditions& conditions) {
  std::string text;
  if (!conditiontext(conditions, true, &text)) return -1;
  void* command = conv_umacmd(text.c_str());
  if (command == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  release_data(command_);
  command_ = command;
  text_ = text;
  return 0;
}

int YSearchHorse::exec(const ysearch::HorseConditions& conditions) {
  std::string text;
  if (!conditiontext(conditions, false, &text)) return -1;
  text_ = text;
  return fill(get_uma2cmd(text.c_str()));
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

int YSearchHorse::remake_param(int flag) {
  if (flag == 0 || text_.empty()) return 0;
  const std::string text = text_ + "&UDS=1";
  void* command = conv_umacmd(text.c_str());
  if (command == nullptr) return 0;
  release_data(command_);
  command_ = command;
  text_ = text;
  return 0;
}

void YSearchHorse::addparam(_tagSCMD* cmd) { ysearch::add_command(cmd, &command_); }

_tagSCMD* YSearchHorse::getparam() { return static_cast<_tagSCMD*>(command_); }

int YSearchHorse::fill(void* records) {
  release_data(othercode_);
  othercode_ = nullptr;
  return ysearch::take_rows<YHorseList, const _tagYDBUMAREC>(getdb(), records, ydbumarec::kSize,
                                                             &results_, &rows_);
}

int YSearchHorse::search() {
  if (command_ == nullptr || !ysession::ready(getdb())) return -1;
  return fill(get_uma2cmd_sp(command_));
}

int YSearchHorse::execcd(void* codes) {
  if (!ysession::ready(getdb())) return -1;
  return fill(get_otherdata(codes, 0));
}

int YSearchHorse::exec2mothercode(std::string code) {
  if (!ysession::ready(getdb())) return -1;
  return fill(get_uma2mcode(code.c_str()));
}

int YSearchHorse::setkoldata(_tagYDBUMAREC* buffer) { return fill(buffer); }

void* YSearchHorse::getorgdata() { return rows_.empty() ? nullptr : results_; }

void* YSearchHorse::getothercode() {
  if (rows_.empty()) return nullptr;
  if (othercode_ == nullptr) othercode_ = get_uma2dt(results_);
  return othercode_;
}

YHorseList* YSearchHorse::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

int YSearchHorse::get_list_cnt() { return static_cast<int>(rows_.size()); }
