// The search of one kind: its held text and command, its runs and rows.
#include "ydbcln/search/KindSearch.h"

#include <new>

#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/entity/YJockeyList.h"
#include "ydbcln/entity/YSireList.h"
#include "ydbcln/entity/YStableList.h"
#include "ydbcln/search/SearchRows.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace ysearch {

template <typename Row, typename Record>
KindSearch<Row, Record>::KindSearch(YHorseDB* db, const KindCalls& calls)
    : YMainObject(db), calls_(&calls) {}

template <typename Row, typename Record>
KindSearch<Row, Record>::KindSearch(const KindSearch& other)
    : YMainObject(other), calls_(other.calls_) {
  *this = other;
}

template <typename Row, typename Record>
KindSearch<Row, Record>& KindSearch<Row, Record>::operator=(const KindSearch& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  calls_ = other.calls_;
  clearresults();
  release_data(command_);
  command_ = nullptr;
  ysession::guarded(getdb(), 0, [&] {
    text_ = other.text_;
    if (other.command_ != nullptr) {
      command_ = dup_data(other.command_);
      if (command_ == nullptr) throw std::bad_alloc();
    }
    if (other.results_ != nullptr) {
      void* copy = dup_data(other.results_);
      if (copy == nullptr) throw std::bad_alloc();
      fill(copy);
    }
    return 0;
  }, [&] { clearresults(); });
  return *this;
}

template <typename Row, typename Record>
KindSearch<Row, Record>::~KindSearch() {
  clearresults();
  release_data(command_);
}

template <typename Row, typename Record>
void KindSearch<Row, Record>::clearresults() {
  rows_.clear();
  release_data(results_);
  results_ = nullptr;
  release_data(othercode_);
  othercode_ = nullptr;
}

template <typename Row, typename Record>
bool KindSearch<Row, Record>::accepted(bool written) {
  if (!ysession::ready(getdb())) return false;
  if (!written) getdb()->seterror(YHorseDB::kBadParameter, "", 0);
  return written;
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::compile(const std::string& text) {
  return ysession::guarded(getdb(), -1, [&] {
    void* command = calls_->compile(text.c_str());
    if (command == nullptr) {
      getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
      return -1;
    }
    release_data(command_);
    command_ = command;
    text_ = text;
    return 0;
  }, [] {});
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::run(const std::string& text) {
  return ysession::guarded(getdb(), -1, [&] {
    text_ = text;
    return fill(calls_->run_text(text.c_str()));
  }, [&] { clearresults(); });
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::fill(void* records) {
  release_data(othercode_);
  othercode_ = nullptr;
  return take_rows<Row, const Record>(getdb(), records, calls_->record_size, &results_, &rows_);
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::remake_param(int flag) {
  if (flag == 0 || text_.empty() || !calls_->remakes) return 0;
  ysession::guarded(getdb(), 0, [&] {
    const std::string text = text_ + "&UDS=1";
    void* command = calls_->compile(text.c_str());
    if (command == nullptr) return 0;
    release_data(command_);
    command_ = command;
    text_ = text;
    return 0;
  }, [] {});
  return 0;
}

template <typename Row, typename Record>
void KindSearch<Row, Record>::addparam(_tagSCMD* cmd) {
  add_command(cmd, &command_);
}

template <typename Row, typename Record>
_tagSCMD* KindSearch<Row, Record>::getparam() {
  return static_cast<_tagSCMD*>(command_);
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::search() {
  if (command_ == nullptr || !ysession::ready(getdb())) return -1;
  return ysession::guarded(getdb(), -1, [&] { return fill(calls_->run_command(command_)); },
                           [&] { clearresults(); });
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::execcd(void* codes) {
  if (!ysession::ready(getdb())) return -1;
  return ysession::guarded(getdb(), -1,
                           [&] { return fill(get_otherdata(codes, calls_->code_kind)); },
                           [&] { clearresults(); });
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::setkoldata(Record* buffer) {
  return ysession::guarded(getdb(), -1, [&] { return fill(buffer); }, [&] { clearresults(); });
}

template <typename Row, typename Record>
void* KindSearch<Row, Record>::getorgdata() {
  return rows_.empty() ? nullptr : results_;
}

template <typename Row, typename Record>
void* KindSearch<Row, Record>::getothercode() {
  if (rows_.empty()) return nullptr;
  if (othercode_ == nullptr) othercode_ = calls_->code_list(results_);
  return othercode_;
}

template <typename Row, typename Record>
Row* KindSearch<Row, Record>::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

template <typename Row, typename Record>
int KindSearch<Row, Record>::get_list_cnt() {
  return static_cast<int>(rows_.size());
}

template <typename Row, typename Record>
void KindSearch<Row, Record>::deletevector() {
  rows_.clear();
}

template class KindSearch<YHorseList, _tagYDBUMAREC>;
template class KindSearch<YJockeyList, _tagJOCKEYREC>;
template class KindSearch<YStableList, _tagSTABLEREC>;
template class KindSearch<YSireList, _tagSIREREC>;

}  // namespace ysearch
