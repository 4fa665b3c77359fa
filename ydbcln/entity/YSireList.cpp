// YSireList: a sire record of a search, formatted on demand.
#include "ydbcln/entity/YSireList.h"

#include "ydbcln/entity/RowFigures.h"
#include "ydbcln/session/YUtil.h"

using namespace sirerec;

YSireList::YSireList() = default;

YSireList::YSireList(YHorseDB* db, const _tagSIREREC* rec) : YList(db), record_(rec, kSize) {}

YSireList::YSireList(const YSireList& other) : YList(other) {
  record_.copy_from(getdb(), other.record_);
}

YSireList::~YSireList() = default;

YSireList& YSireList::operator=(const YSireList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  record_.copy_from(getdb(), other.record_);
  computed_ = false;
  return *this;
}

const _tagSIREREC* YSireList::record() const {
  return reinterpret_cast<const _tagSIREREC*>(record_.bytes());
}

std::string YSireList::text(int offset, int width) {
  return record_.bytes() ? YUtil::delendspc(record_.bytes() + offset, width) : std::string();
}

std::string YSireList::code(std::string (*read)(unsigned char), int offset) {
  return record_.bytes() ? read(record_.bytes()[offset]) : std::string();
}

std::string YSireList::getname() { return text(kName, kNameWidth); }

int YSireList::getage() {
  if (record_.bytes() == nullptr) return -1;
  return YUtil::getcurrentyear() - YUtil::getnum(record_.bytes() + kBirthYear, kBirthYearWidth);
}

std::string YSireList::getcode() { return record_.raw(kCode, kCodeWidth); }

std::string YSireList::getcolor() {
  return record_.bytes() ? YUtil::getcolor(record_.bytes() + kColor) : std::string();
}

std::string YSireList::getfather() { return text(kSireName, kNameWidth); }
std::string YSireList::getmother() { return text(kDamName, kNameWidth); }

std::string YSireList::getsanchi() {
  return record_.bytes() ? YUtil::getbornplace(record_.bytes() + kBirthplace) : std::string();
}

std::string YSireList::getskill_omo() { return code(YUtil::getskill, kSkillOmo); }
std::string YSireList::getskill_dirt() { return code(YUtil::getskill, kSkillDirt); }

void YSireList::figures() {
  if (computed_) return;
  computed_ = true;
  if (record_.bytes() == nullptr) return;
  yentity::FinishCounts counts;
  counts.add_groups(record_.bytes() + kOffspringCounts, kOffspringCountsCount / 4,
                    kOffspringCountsWidth);
  const yentity::RowRates rates = yentity::row_rates(counts);
  win1p_ = rates.win1.text;
  win1pnum_ = rates.win1.tenths;
  win2p_ = rates.win2.text;
  win2pnum_ = rates.win2.tenths;
  win3p_ = rates.win3.text;
  win3pnum_ = rates.win3.tenths;
}

std::string YSireList::getwin1p() {
  figures();
  return win1p_;
}

int YSireList::getwin1pnum() {
  figures();
  return win1pnum_;
}

std::string YSireList::getwin2p() {
  figures();
  return win2p_;
}

int YSireList::getwin2pnum() {
  figures();
  return win2pnum_;
}

std::string YSireList::getwin3p() {
  figures();
  return win3p_;
}

int YSireList::getwin3pnum() {
  figures();
  return win3pnum_;
}

void YSireList::print(std::ostream&) {}
