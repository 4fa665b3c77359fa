// The venues of a race day from its race-list record.
#include "ydbcln/race/YMainraceList.h"

#include <cstring>
#include <ostream>

#include "text/sjis.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kShortNameWidth = 10;

}  // namespace

YMainraceList::YMainraceList(YHorseDB* db, _tagRACELISTREC* record, bool nonames) : YList(db) {
  setmember(record, nonames);
}

YMainraceList::YMainraceList(YHorseDB* db, int date, int results) : YList(db) {
  setmember2(date, results);
}

YMainraceList::YMainraceList(const YMainraceList& other) = default;

YMainraceList& YMainraceList::operator=(const YMainraceList& other) = default;

YMainraceList::~YMainraceList() = default;

void YMainraceList::setmember(_tagRACELISTREC* record, bool nonames) {
  using namespace racelistrec;
  placecount_ = 0;
  if (record == nullptr) return;
  unsigned char* r = record->bytes;
  date_ = YUtil::getnum(r + kDate, kDateWidth);
  for (int k = 0; k < kVenuePlaceCodeCount; ++k) {
    const int at = kVenuePlaceCodeStride * k;
    if (r[kVenuePlaceCode + at] == 0) continue;
    const int i = placecount_++;
    place_[i] = YUtil::getplace(r + kVenuePlaceCode + at, false);
    name_[i].clear();
    if (!nonames) {
      // The year of the day picks the age-condition table; an unnamed main
      // race (no condition code is given) shows no name.
      std::string name = YUtil::getracename(r + kDate, 0, r + kVenueMainRaceName + at,
                                            kVenueMainRaceNameWidth, true, nullptr);
      if (!name.empty()) {
        name = ytext::fit_field(name, kShortNameWidth);
        std::string classtext;
        YUtil::setclass(name, classtext, r[kVenueMainRaceGrade + at],
                        r + kVenueMainRaceConditions + at, kVenueMainRaceConditionsWidth, false);
        name += classtext;
      }
      name_[i] = name;
    }
    code_[i] = yrace::raw(r + kVenuePlaceCode + at, kVenueKeyWidth);
    // The old key: place code and year, then kai and day.
    oldcode_[i] = yrace::raw(r + kVenuePlaceCode + at, kVenuePlaceCodeWidth + 4) +
                  yrace::raw(r + kVenueKai + at, 4);
  }
}

void YMainraceList::setmember2(int date, int results) {
  placecount_ = 0;
  date_ = date;
  YHorseDB* db = getdb();
  if (db == nullptr || !db->isinit()) return;
  const std::string text = YUtil::getnumstr(date);
  yrace::OwnedBuffer buffer(results != 0 ? get_racelist2date_ex(text.c_str(), 0)
                                         : get_denmalist2date_ex(text.c_str(), 0));
  const int count = yrace::record_count(buffer.get(), racelistrec::kSize);
  for (int n = 0; n < count; ++n) {
    unsigned char* record = yrace::record_at(buffer.get(), racelistrec::kSize, n);
    if (YUtil::getnum(record + racelistrec::kDate, racelistrec::kDateWidth) != date) continue;
    _tagRACELISTREC copy;
    std::memcpy(copy.bytes, record, sizeof copy.bytes);
    buffer.reset();
    setmember(&copy, true);
    return;
  }
}

int YMainraceList::getdate() { return date_; }
int YMainraceList::getplacecount() { return placecount_; }
std::string YMainraceList::getplace(int i) { return isvenue(i) ? place_[i] : ""; }
std::string YMainraceList::getname(int i) { return isvenue(i) ? name_[i] : ""; }
std::string YMainraceList::getcode(int i) { return isvenue(i) ? code_[i] : ""; }
std::string YMainraceList::getoldcode(int i) { return isvenue(i) ? oldcode_[i] : ""; }
void YMainraceList::print(std::ostream&) {}
