// YJockeyList: a jockey record of a search, formatted on demand.
#include "ydbcln/entity/YJockeyList.h"

#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

using namespace jockeyrec;

YJockeyList::YJockeyList() : row_(nullptr, kSize, &kJockeyOffsets, kAffiliation) {}

YJockeyList::YJockeyList(YHorseDB* db, const _tagJOCKEYREC* rec)
    : YList(db), row_(rec, kSize, &kJockeyOffsets, kAffiliation) {}

YJockeyList::YJockeyList(const YJockeyList& other)
    : YList(other), row_(nullptr, kSize, &kJockeyOffsets, kAffiliation) {
  row_.copy_from(getdb(), other.row_);
}

YJockeyList::~YJockeyList() = default;

YJockeyList& YJockeyList::operator=(const YJockeyList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  row_.copy_from(getdb(), other.row_);
  return *this;
}

const _tagJOCKEYREC* YJockeyList::record() const {
  return reinterpret_cast<const _tagJOCKEYREC*>(row_.bytes());
}

std::string YJockeyList::getname() { return row_.name(); }
std::string YJockeyList::getkana() { return row_.kana(); }
int YJockeyList::getage() { return row_.age(); }
int YJockeyList::getshozoku() { return row_.shozoku(); }

std::string YJockeyList::getshozokustring() {
  static const auto kPlaces = yutil::sjis_table({"栗東", "美浦", "招待"});
  return yutil::lookup(kPlaces, static_cast<unsigned char>('0' + row_.shozoku()), '1');
}

std::string YJockeyList::getminarai() {
  static const std::string kMark = yutil::sjis_table({"(見)"})[0];
  return row_.bytes() && row_.bytes()[kApprentice] != ' ' ? kMark : std::string();
}

std::string YJockeyList::getfirstyear() { return row_.firstyear(); }
std::string YJockeyList::getcode() { return row_.code(); }
std::string YJockeyList::getbirthday() { return row_.birthday(); }

std::string YJockeyList::stable(int offset, int width) {
  static const std::string kFreelance = yutil::sjis_table({"フリー"})[0];
  if (row_.bytes() == nullptr) return std::string();
  if (row_.text(kStableCode, kCodeWidth) == "00000") return kFreelance;
  return row_.text(offset, width);
}

std::string YJockeyList::getstable_s() { return stable(kStableShort, kStableShortWidth); }

std::string YJockeyList::getstable_l() { return stable(kStableName, kStableNameWidth); }

std::string YJockeyList::getqualify() {
  static const auto kQualify = yutil::sjis_table({"なし", "平障", "平地", "障害"});
  if (row_.bytes() == nullptr) return std::string();
  const std::string text = yutil::lookup(kQualify, row_.bytes()[kQualification], '0');
  return text.empty() ? "????" : text;
}

std::string YJockeyList::gethhrplize() { return row_.hhrplize(); }
int YJockeyList::gethhrplizenum() { return row_.hhrplizenum(); }
std::string YJockeyList::gethsrplize() { return row_.hsrplize(); }
int YJockeyList::gethsrplizenum() { return row_.hsrplizenum(); }
std::string YJockeyList::getrnh() { return row_.rnh(); }
std::string YJockeyList::getrns() { return row_.rns(); }
std::string YJockeyList::gethnh() { return row_.hnh(); }
std::string YJockeyList::gethns() { return row_.hns(); }
std::string YJockeyList::getwin1pr() { return row_.career().win1; }
int YJockeyList::getwin1prnum() { return row_.career().win1num; }
std::string YJockeyList::getwin2pr() { return row_.career().win2; }
int YJockeyList::getwin2prnum() { return row_.career().win2num; }
std::string YJockeyList::getwin3pr() { return row_.career().win3; }
int YJockeyList::getwin3prnum() { return row_.career().win3num; }
std::string YJockeyList::getwin1ph() { return row_.year().win1; }
int YJockeyList::getwin1phnum() { return row_.year().win1num; }
std::string YJockeyList::getwin2ph() { return row_.year().win2; }
int YJockeyList::getwin2phnum() { return row_.year().win2num; }
std::string YJockeyList::getwin3ph() { return row_.year().win3; }
int YJockeyList::getwin3phnum() { return row_.year().win3num; }

void YJockeyList::print(std::ostream&) {}
