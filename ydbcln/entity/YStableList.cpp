// YStableList: a trainer record of a search, formatted on demand.
#include "ydbcln/entity/YStableList.h"

#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

using namespace stablerec;

YStableList::YStableList() : row_(nullptr, kSize, &kStableOffsets, kAffiliation) {}

YStableList::YStableList(YHorseDB* db, const _tagSTABLEREC* rec)
    : YList(db), row_(rec, kSize, &kStableOffsets, kAffiliation) {}

YStableList::YStableList(const YStableList& other)
    : YList(other), row_(nullptr, kSize, &kStableOffsets, kAffiliation) {
  row_.copy_from(getdb(), other.row_);
}

YStableList::~YStableList() = default;

YStableList& YStableList::operator=(const YStableList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  row_.copy_from(getdb(), other.row_);
  return *this;
}

const _tagSTABLEREC* YStableList::record() const {
  return reinterpret_cast<const _tagSTABLEREC*>(row_.bytes());
}

std::string YStableList::getname() { return row_.name(); }
std::string YStableList::getkana() { return row_.kana(); }
int YStableList::getage() { return row_.age(); }
int YStableList::getshozoku() { return row_.shozoku(); }

std::string YStableList::getshozokustring() {
  static const auto kPlaces = yutil::sjis_table({"栗東", "美浦南", "美浦北"});
  return yutil::lookup(kPlaces, static_cast<unsigned char>('0' + row_.shozoku()), '1');
}

std::string YStableList::getfirstyear() { return row_.firstyear(); }
std::string YStableList::getcode() { return row_.code(); }
std::string YStableList::getbirthday() { return row_.birthday(); }

std::string YStableList::gethhrplize() { return row_.hhrplize(); }
int YStableList::gethhrplizenum() { return row_.hhrplizenum(); }
std::string YStableList::gethsrplize() { return row_.hsrplize(); }
int YStableList::gethsrplizenum() { return row_.hsrplizenum(); }
std::string YStableList::getrnh() { return row_.rnh(); }
std::string YStableList::getrns() { return row_.rns(); }
std::string YStableList::gethnh() { return row_.hnh(); }
std::string YStableList::gethns() { return row_.hns(); }
std::string YStableList::getwin1pr() { return row_.career().win1; }
int YStableList::getwin1prnum() { return row_.career().win1num; }
std::string YStableList::getwin2pr() { return row_.career().win2; }
int YStableList::getwin2prnum() { return row_.career().win2num; }
std::string YStableList::getwin3pr() { return row_.career().win3; }
int YStableList::getwin3prnum() { return row_.career().win3num; }
std::string YStableList::getwin1ph() { return row_.year().win1; }
int YStableList::getwin1phnum() { return row_.year().win1num; }
std::string YStableList::getwin2ph() { return row_.year().win2; }
int YStableList::getwin2phnum() { return row_.year().win2num; }
std::string YStableList::getwin3ph() { return row_.year().win3; }
int YStableList::getwin3phnum() { return row_.year().win3num; }

void YStableList::print(std::ostream&) {}
