// A race day's rows per venue, owned by the day.
#include "ydbcln/race/YDayRace.h"

#include <cstring>
#include <new>
#include <ostream>

#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

namespace {

constexpr std::size_t kCodeWidth = 10;

// A venue code as the writable 10-byte field the formatting functions read;
// a shorter code is padded with blanks.
struct CodeField {
  explicit CodeField(const std::string& code) {
    std::memset(bytes, ' ', sizeof bytes);
    std::memcpy(bytes, code.data(), code.size() < kCodeWidth ? code.size() : kCodeWidth);
  }
  unsigned char bytes[kCodeWidth];
};

}  // namespace

YDayRace::YDayRace(YHorseDB* db, YMainraceList* day) : YMainObject(db) {
  if (day == nullptr) return;
  placecount_ = day->getplacecount();
  date_ = day->getdate();
  for (int i = 0; i < placecount_; ++i) {
    code_[i] = day->getcode(i);
    oldcode_[i] = day->getoldcode(i);
  }
}

YDayRace::YDayRace(const YDayRace& other)
    : YMainObject(other), placecount_(other.placecount_), date_(other.date_) {
  for (int i = 0; i < kVenues; ++i) {
    code_[i] = other.code_[i];
    oldcode_[i] = other.oldcode_[i];
  }
  copyrows(other);
}

YDayRace& YDayRace::operator=(const YDayRace& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  placecount_ = other.placecount_;
  date_ = other.date_;
  for (int i = 0; i < kVenues; ++i) {
    code_[i] = other.code_[i];
    oldcode_[i] = other.oldcode_[i];
  }
  copyrows(other);
  return *this;
}

YDayRace::~YDayRace() { deletevector(); }

void YDayRace::copyrows(const YDayRace& other) {
  deletevector();
  try {
    for (int i = 0; i < kVenues; ++i) {
      racelist_[i].reserve(other.racelist_[i].size());
      for (YRaceList* row : other.racelist_[i]) racelist_[i].push_back(new YRaceList(*row));
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
}

void YDayRace::deletevector() {
  for (auto& rows : racelist_) {
    for (YRaceList* row : rows) delete row;
    rows.clear();
  }
}

std::string YDayRace::getdate() { return YUtil::getdate(date_); }
int YDayRace::getdaten() { return date_; }
int YDayRace::getplacecount() { return placecount_; }

std::string YDayRace::getplace(int i) {
  if (!isvenue(i)) return "";
  CodeField code(code_[i]);
  return YUtil::getplace(code.bytes, false);
}

std::string YDayRace::getkaisai(int i) {
  if (!isvenue(i)) return "";
  CodeField code(oldcode_[i]);
  return YUtil::getkaisai(code.bytes, true);
}

int YDayRace::getracecount(int i) {
  return isvenue(i) ? static_cast<int>(racelist_[i].size()) : 0;
}

YRaceList* YDayRace::list(int i, int j) {
  if (!isvenue(i) || j < 0 || j >= getracecount(i)) return nullptr;
  return racelist_[i][static_cast<std::size_t>(j)];
}

void YDayRace::print(std::ostream&) {}
