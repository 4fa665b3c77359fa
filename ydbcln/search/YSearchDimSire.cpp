// The dam-sire search: a name and T run at once, and its rows.
#include "ydbcln/search/YSearchDimSire.h"

#include <new>

#include "ydbcln/search/SearchRows.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

YSearchDimSire::YSearchDimSire(YHorseDB* db) : YMainObject(db) {}

YSearchDimSire::YSearchDimSire(const YSearchDimSire& other) : YMainObject(other) {
  *this = other;
}

YSearchDimSire& YSearchDimSire::operator=(const YSearchDimSire& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  clearresults();
  ysession::guarded(getdb(), 0, [&] {
    text_ = other.text_;
    if (other.results_ == nullptr) return 0;
    void* copy = dup_data(other.results_);
    if (copy == nullptr) throw std::bad_alloc();
    return ysearch::take_rows<YDimSireList, const _tagUMADIMSIRE>(getdb(), copy, umadimsire::kSize,
                                                                  &results_, &rows_);
  }, [&] { clearresults(); });
  return *this;
}

YSearchDimSire::~YSearchDimSire() { clearresults(); }

void YSearchDimSire::clearresults() {
  rows_.clear();
  release_data(results_);
  results_ = nullptr;
}

int YSearchDimSire::exec(std::string name, int t) {
  if (!ysession::ready(getdb())) return -1;
  if (t < 1 || t > 4) {
    getdb()->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  return ysession::guarded(getdb(), -1, [&] {
    std::string text;
    if (!name.empty()) {
      bool kanji = false;
      text = "N=" + YUtil::convstr(name, kanji, true) + "&";
    }
    text += "T=" + std::to_string(t);
    text_ = text;
    return ysearch::take_rows<YDimSireList, const _tagUMADIMSIRE>(
        getdb(), get_umadimsire2cmd(text.c_str()), umadimsire::kSize, &results_, &rows_);
  }, [&] { clearresults(); });
}

YDimSireList* YSearchDimSire::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

int YSearchDimSire::get_list_cnt() { return static_cast<int>(rows_.size()); }
