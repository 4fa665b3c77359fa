// YHorseList: a horse record of a search, formatted on demand.
#include "ydbcln/entity/YHorseList.h"

#include "ydbcln/entity/RowFigures.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

using namespace ydbumarec;

YHorseList::YHorseList() = default;

YHorseList::YHorseList(YHorseDB* db, const _tagYDBUMAREC* rec)
    : YList(db), record_(rec, kSize) {}

YHorseList::YHorseList(const YHorseList& other) : YList(other) {
  record_.copy_from(getdb(), other.record_);
}

YHorseList::~YHorseList() = default;

YHorseList& YHorseList::operator=(const YHorseList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  record_.copy_from(getdb(), other.record_);
  computed_ = false;
  return *this;
}

const _tagYDBUMAREC* YHorseList::record() const {
  return reinterpret_cast<const _tagYDBUMAREC*>(record_.bytes());
}

std::string YHorseList::text(int offset, int width) {
  return record_.bytes() ? YUtil::delendspc(record_.bytes() + offset, width) : std::string();
}

std::string YHorseList::field(std::string (*read)(unsigned char*), int offset) {
  return record_.bytes() ? read(record_.bytes() + offset) : std::string();
}

std::string YHorseList::code(std::string (*read)(unsigned char), int offset) {
  return record_.bytes() ? read(record_.bytes()[offset]) : std::string();
}

std::string YHorseList::prize(int offset) {
  return record_.bytes() ? YUtil::getyen(record_.bytes() + offset, kRplizeWidth, 1) : std::string();
}

int YHorseList::prizenum(int offset) {
  return record_.bytes() ? YUtil::getnum(record_.bytes() + offset, 6) : 0;
}

std::string YHorseList::getname() { return text(kName, kNameWidth); }

int YHorseList::getseibetu() {
  return record_.bytes() ? YUtil::getnum(record_.bytes()[kSex]) : -1;
}

std::string YHorseList::getseibetustring() {
  return code(YUtil::getseibetu, kSex);
}

int YHorseList::getage() { return record_.bytes() ? YUtil::getnum(record_.bytes() + kAge, 2) : -1; }

std::string YHorseList::getcode() { return record_.raw(kCode, kCodeWidth); }

std::string YHorseList::getcolor() {
  return field(YUtil::getcolor, kColor);
}

std::string YHorseList::getumakigou() {
  return field(YUtil::getmark, kMark);
}

std::string YHorseList::getfather() { return text(kSireName, kSireNameWidth); }
std::string YHorseList::getmother() { return text(kDamName, kSireNameWidth); }
std::string YHorseList::getmothers_father() { return text(kDamsSireName, kSireNameWidth); }
std::string YHorseList::getmothers_mother() { return text(kDamsDamName, kSireNameWidth); }

std::string YHorseList::getstable() {
  static const auto kBrackets = yutil::sjis_table({"(", ")"});
  unsigned char* rec = record_.bytes();
  if (rec == nullptr) return std::string();
  const std::string place =
      YUtil::getstableplace(rec[kStableAffiliation], rec + kStableLocation, false);
  const std::string name = YUtil::delendspc(rec + kTrainerShort, kTrainerShortWidth);
  return place.empty() ? name : kBrackets[0] + place + kBrackets[1] + name;
}

std::string YHorseList::getowner() { return text(kOwnerShort, kOwnerShortWidth); }
std::string YHorseList::getseisansya() { return text(kBreederShort, kOwnerShortWidth); }

std::string YHorseList::getsanchi() {
  return field(YUtil::getbornplace, kBirthplace);
}

std::string YHorseList::getaplize() { return prize(kAplize); }
int YHorseList::getaplizenum() { return prizenum(kAplize); }
std::string YHorseList::getaddplize() { return prize(kAddplize); }

std::string YHorseList::getbirthday() {
  return field(YUtil::getdate, kBirthDate);
}

std::string YHorseList::getrplize() { return prize(kRplize); }
int YHorseList::getrplizenum() { return prizenum(kRplize); }
std::string YHorseList::getsrplize() { return prize(kSrplize); }
int YHorseList::getsrplizenum() { return prizenum(kSrplize); }
std::string YHorseList::getsaplize() { return prize(kSaplize); }
int YHorseList::getsaplizenum() { return prizenum(kSaplize); }
int YHorseList::getaddplizenum() { return prizenum(kAddplize); }

std::string YHorseList::getskill_ho() {
  return code(YUtil::getskill, kSkillHo);
}
std::string YHorseList::getskill_hd() {
  return code(YUtil::getskill, kSkillHd);
}
std::string YHorseList::getskill_so() {
  return code(YUtil::getskill, kSkillSo);
}
std::string YHorseList::getskill_sd() {
  return code(YUtil::getskill, kSkillSd);
}

void YHorseList::figures() {
  if (computed_) return;
  computed_ = true;
  if (record_.bytes() == nullptr) return;
  yentity::FinishCounts counts;
  counts.add_groups(record_.bytes() + kFinishCounts, kFinishCountsCount / 4, kFinishCountsWidth);
  const yentity::RowRates rates = yentity::row_rates(counts);
  win2p_ = rates.win2.text;
  win2pnum_ = rates.win2.tenths;
  win3p_ = rates.win3.text;
  win3pnum_ = rates.win3.tenths;
  chakudosu_ = counts.text("%3d-%3d-%3d-%3d/%4d");
}

std::string YHorseList::getwin2p() {
  figures();
  return win2p_;
}

int YHorseList::getwin2pnum() {
  figures();
  return win2pnum_;
}

std::string YHorseList::getwin3p() {
  figures();
  return win3p_;
}

int YHorseList::getwin3pnum() {
  figures();
  return win3pnum_;
}

std::string YHorseList::getchakudosu() {
  figures();
  return chakudosu_;
}

void YHorseList::print(std::ostream&) {}
