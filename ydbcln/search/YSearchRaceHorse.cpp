// Runs of horses in races: the held command, the runs and their rows.
#include "ydbcln/search/YSearchRaceHorse.h"

#include "ydbcln/search/SearchRows.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

YSearchRaceHorse::YSearchRaceHorse(YHorseDB* db) : YMainObject(db) {}

YSearchRaceHorse::YSearchRaceHorse(const YSearchRaceHorse& other) : YMainObject(other) {
  *this = other;
}

YSearchRaceHorse& YSearchRaceHorse::operator=(const YSearchRaceHorse& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  clearresults();
  release_data(command_);
  command_ = other.command_ != nullptr ? dup_data(other.command_) : nullptr;
  if (other.results_ != nullptr) {
    void* copy = dup_data(other.results_);
    if (copy == nullptr && getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    if (copy != nullptr) fill(copy);
  }
  return *this;
}

YSearchRaceHorse::~YSearchRaceHorse() {
  clearresults();
  release_data(command_);
}

void YSearchRaceHorse::clearresults() {
  rows_.clear();
  release_data(results_);
  results_ = nullptr;
}

int YSearchRaceHorse::fill(void* records) {
  return ysearch::take_rows<YRaceHorse, _tagRACERHREC>(getdb(), records, racerhrec::kSize,
                                                       &results_, &rows_);
}

int YSearchRaceHorse::search(int n) {
  if (command_ == nullptr || !ysession::ready(getdb())) return -1;
  return fill(get_race2cmd_sp2(command_, n));
}

int YSearchRaceHorse::execcd(void* codes) {
  if (!ysession::ready(getdb())) return -1;
  return fill(get_otherdata(codes, 5));
}

int YSearchRaceHorse::setkoldata(_tagRACERHREC* buffer) { return fill(buffer); }

void* YSearchRaceHorse::getorgdata() { return rows_.empty() ? nullptr : results_; }

void YSearchRaceHorse::addparam(_tagSCMD* cmd) { ysearch::add_command(cmd, &command_); }

_tagSCMD* YSearchRaceHorse::getparam() { return static_cast<_tagSCMD*>(command_); }

YRaceHorse* YSearchRaceHorse::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

int YSearchRaceHorse::get_list_cnt() { return static_cast<int>(rows_.size()); }

void YSearchRaceHorse::deletevector() { rows_.clear(); }
