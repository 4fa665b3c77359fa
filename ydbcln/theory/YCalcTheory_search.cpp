// The theory engine's past-run tables: a runner's own runs, its jockey's
// rides, its trainer's runners and its sire's offspring's runs, each
// fetched once per race and read into rows.
#include <cstdio>
#include <cstring>
#include <string>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YCalcTheory.h"

namespace {

constexpr int kSireCodeSize = 41;  // sire key 7, sire name 34
constexpr int kSireNameWidth = 34;

std::string datetext(int date) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", date);
  return text;
}

bool blank(const char* code, int width) {
  for (int i = 0; i < width; ++i) {
    if (code[i] != 0 && code[i] != ' ') return false;
  }
  return true;
}

// Reads the past-run records of `buffer` into `rows` and releases it.
// False for a null buffer: the store did not answer.
template <class Row>
bool readrows(void* fetched, std::vector<Row>* rows) {
  yrace::OwnedBuffer buffer(fetched);
  if (buffer == nullptr) return false;
  const int n = yrace::record_count(buffer.get(), pastrunrec::kSize);
  rows->clear();
  rows->reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    rows->emplace_back(yrace::record_at(buffer.get(), pastrunrec::kSize, k));
  }
  return true;
}

// The index of `code` in `list`, appended when new.
int distinct(std::vector<std::string>* list, const std::string& code) {
  for (std::size_t i = 0; i < list->size(); ++i) {
    if ((*list)[i] == code) return static_cast<int>(i);
  }
  list->push_back(code);
  return static_cast<int>(list->size()) - 1;
}

}  // namespace

void YCalcTheory::horsesearch() {
  bool answered = true;
  for (int i = 0; i < runnercount_; ++i) {
    horserows_[i].clear();
    if (blank(runner_[i].horse, 7)) continue;
    const std::string horse(runner_[i].horse, 7);
    answered &= readrows(get_uma_racey2code(horse.c_str()), &horserows_[i]);
  }
  if (!answered && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  horsefilled_ = true;
}

void YCalcTheory::jockeysearch(int months) {
  const std::string from = datetext(periodstart(months));
  const std::string to = datetext(date_);
  bool answered = true;
  for (int i = 0; i < runnercount_; ++i) {
    jockeyrows_[i].clear();
    if (blank(runner_[i].jockey, 5)) continue;
    const std::string jockey(runner_[i].jockey, 5);
    answered &= readrows(get_jockey_racey2code(jockey.c_str(), from.c_str(), to.c_str()),
                         &jockeyrows_[i]);
  }
  if (!answered && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  jockeyfilled_ = true;
}

void YCalcTheory::stablesearch(int months) {
  trainers_.clear();
  for (int i = 0; i < runnercount_; ++i) {
    trainerof_[i] = blank(runner_[i].trainer, 5)
                        ? -1
                        : distinct(&trainers_, std::string(runner_[i].trainer, 5));
  }
  const std::string from = datetext(periodstart(months));
  const std::string to = datetext(date_);
  bool answered = true;
  for (std::size_t t = 0; t < trainers_.size(); ++t) {
    answered &= readrows(get_stable_racey2code(trainers_[t].c_str(), from.c_str(), to.c_str()),
                         &stablerows_[t]);
  }
  if (!answered && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  stablefilled_ = true;
}

void YCalcTheory::siresearch(int months, bool keepnames) {
  sires_.clear();
  bool answered = true;
  for (int i = 0; i < runnercount_; ++i) {
    Runner& x = runner_[i];
    std::memset(x.sire, 0, sizeof x.sire);
    sireof_[i] = -1;
    if (blank(x.horse, 7)) continue;
    const std::string horse(x.horse, 7);
    yrace::OwnedBuffer sire(get_sirecode_uma2code(horse.c_str()));
    answered &= sire != nullptr;
    if (yrace::record_count(sire.get(), kSireCodeSize) != 1) continue;
    unsigned char* r = static_cast<unsigned char*>(sire.get());
    std::memcpy(x.sire, r, sizeof x.sire);
    if (!keepnames) x.sirename = YUtil::delendspc(r + 7, kSireNameWidth);
    if (!blank(x.sire, 7)) sireof_[i] = distinct(&sires_, std::string(x.sire, 7));
  }
  const std::string from = datetext(periodstart(months));
  const std::string to = datetext(date_);
  for (std::size_t s = 0; s < sires_.size(); ++s) {
    answered &= readrows(get_sire_racey2code(sires_[s].c_str(), from.c_str(), to.c_str()),
                         &sirerows_[s]);
  }
  if (!answered && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  sirefilled_ = true;
}
