// YDimSireList: a dam-sire's code and name from a search's record.
#include "ydbcln/entity/YDimSireList.h"

#include "ydbcln/session/YUtil.h"

using namespace umadimsire;

YDimSireList::YDimSireList() = default;

YDimSireList::YDimSireList(YHorseDB* db, const _tagUMADIMSIRE* rec)
    : YList(db), record_(rec, kSize) {}

YDimSireList::YDimSireList(const YDimSireList& other) : YList(other) {
  record_.copy_from(getdb(), other.record_);
}

YDimSireList::~YDimSireList() = default;

YDimSireList& YDimSireList::operator=(const YDimSireList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  record_.copy_from(getdb(), other.record_);
  return *this;
}

const _tagUMADIMSIRE* YDimSireList::record() const {
  return reinterpret_cast<const _tagUMADIMSIRE*>(record_.bytes());
}

std::string YDimSireList::getname() {
  return record_.bytes() ? YUtil::delendspc(record_.bytes() + kName, kNameWidth) : std::string();
}

std::string YDimSireList::getcode() {
  return record_.raw(kCode, sirerec::kCodeWidth);
}

void YDimSireList::print(std::ostream&) {}
