// CareerRuns: a shared list of run objects, their totals and the check mark.
#include "ydbcln/entity/CareerRuns.h"

#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

void delete_runs(std::vector<YRaceHorse*>* runs) {
  for (YRaceHorse* run : *runs) delete run;
  delete runs;
}

}  // namespace

CareerRuns::CareerRuns() = default;

void CareerRuns::clear() noexcept { runs_.reset(); }

void CareerRuns::reset() noexcept {
  clear();
  totals_ = YRaceTotal();
  check_ = false;
}

int CareerRuns::load(YHorseDB* db, void* buffer) {
  clear();
  if (buffer == nullptr) {
    if (db != nullptr) db->seterror(1002, "", 0);
    return -1;
  }
  yrace::OwnedBuffer owned(buffer);
  const int n = yrace::record_count(buffer, racerhrec::kSize);
  runs_.reset(new std::vector<YRaceHorse*>(), delete_runs);
  runs_->reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    auto* record = reinterpret_cast<_tagRACERHREC*>(yrace::record_at(buffer, racerhrec::kSize, i));
    runs_->push_back(new YRaceHorse(db, record, YRaceHorse::OpponentWhenAsked{}));
  }
  totals_.calctotal(*runs_);
  return count();
}

int CareerRuns::count() const { return runs_ ? static_cast<int>(runs_->size()) : 0; }

YRaceHorse* CareerRuns::at(int i) const {
  return i >= 0 && i < count() ? (*runs_)[static_cast<std::size_t>(i)] : nullptr;
}

int CareerRuns::change_check(const std::string& code, int kind, bool set) {
  if (code.empty()) return -1;
  if (check_ == set) return 0;
  const int answer = set ? set_checkhj(code.c_str(), kind) : del_checkhj(code.c_str(), kind);
  if (answer < 0) return -1;
  check_ = set;
  return 0;
}

void CareerRuns::read_check(const std::string& code, int kind) {
  // The database reads exactly the kind's code length.
  const std::size_t width = kind == 2 || kind == 4 ? 5 : 7;
  check_ = code.size() == width && is_code2checkhj(code.data(), kind) > 0;
}
