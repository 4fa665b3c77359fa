// A race row: display texts of one race from its card or result record.
#include "ydbcln/race/YRaceList.h"

#include <cstring>
#include <ostream>

#include "text/sjis.h"
#include "ydbcln/race/RaceTexts.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kCodeWidth = 12;    // place 2, date 8, race number 2
constexpr int kRaceNumber = 10;   // within the race code
constexpr int kKeyKai = 12;       // kai and day (4) follow the code in the key
constexpr int kKeySize = 16;
constexpr int kDistanceWidth = 4;
constexpr int kNameWidth = 30;
constexpr int kConditionsWidth = 5;
constexpr int kShortNameWidth = 10;

// `value` right-aligned in `width` characters, as "%6d" and the like
// print it; a day of result rows formats some 20 of these a race.
std::string formatted(unsigned int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
  return digits;
}

// The 16-byte key of a record: its race code followed by kai and day.
void make_key(unsigned char* key, const unsigned char* code, const unsigned char* kaiday) {
  std::memcpy(key, code, kCodeWidth);
  std::memcpy(key + kKeyKai, kaiday, kKeySize - kKeyKai);
}

}  // namespace

YRaceList::YRaceList() : YList() {}

YRaceList::YRaceList(YHorseDB* db, _tagRACEDREC* record) : YList(db) {
  iscard_ = true;
  if (record == nullptr) return;
  unsigned char* r = record->bytes;
  unsigned char key[kKeySize];
  make_key(key, r + racedrec::kRaceCode, r + racedrec::kKai);
  setmember(key, r + racedrec::kRaceCode + racecode::kDate, r + racedrec::kRaceName,
            r[racedrec::kTrack], r + racedrec::kDistance, r[racedrec::kGrade], r[racedrec::kRaceKind],
            r + racedrec::kConditions, r + racedrec::kRunnerCount, nullptr, false);
}

YRaceList::YRaceList(YHorseDB* db, _tagRACERMREC* record, bool longtexts) : YList(db) {
  setresult(record, longtexts);
}

YRaceList::YRaceList(YHorseDB* db, const std::string& code, bool longtexts) : YList(db) {
  if (db == nullptr || !db->isinit() || !yrace::is_race_code(code)) return;
  yrace::OwnedBuffer buffer(get_race2code_1_ex(code.c_str(), 1));
  if (yrace::record_count(buffer.get(), racermrec::kSize) != 1) return;
  setresult(static_cast<_tagRACERMREC*>(buffer.get()), longtexts);
}

YRaceList::YRaceList(const YRaceList& other) = default;

YRaceList& YRaceList::operator=(const YRaceList& other) = default;

YRaceList::~YRaceList() = default;

bool YRaceList::operator<(const YRaceList& other) const {
  if (date_ != other.date_) return date_ < other.date_;
  return code_ < other.code_;
}

void YRaceList::setmember(unsigned char* key, unsigned char* date, unsigned char* name,
                          unsigned char track, unsigned char* distance,
                          unsigned char classcode, unsigned char kind,
                          unsigned char* conditions, unsigned char* runners,
                          _tagRACERMREC* result, bool longtexts) {
  static const auto kWords = yutil::sjis_table({"回", "日"});
  no_ = static_cast<unsigned char>(YUtil::getnum(key + kRaceNumber, 2));
  date_ = YUtil::getnum(date, 8);

  // The old-form key: place and year, kai and day, race number.
  unsigned char oldkey[kCodeWidth];
  std::memcpy(oldkey, key, 6);
  std::memcpy(oldkey + 6, key + kKeyKai, 4);
  std::memcpy(oldkey + 10, key + kRaceNumber, 2);
  const std::string kai = YUtil::getnumstr(YUtil::getnum(oldkey + 6, 2));
  const std::string day = YUtil::getnumstr(YUtil::getnum(oldkey + 8, 2));

  bool named = false;
  name_ = YUtil::getracename(key + 2, kind, name, kNameWidth, true, &named);
  if (named) name_ = ytext::fit_field(name_, kShortNameWidth);
  std::string classtext;
  YUtil::setclass(name_, classtext, classcode, conditions, kConditionsWidth, !named);
  name_ += classtext;

  distance_ = YUtil::getsibada(track, kind) + yrace::raw(distance, kDistanceWidth);
  code_ = yrace::raw(key, kCodeWidth);
  raceno_ = YUtil::getnumstr(no_);
  // One-digit race numbers get a second blank so that the numbers align.
  kaisai_ = kai + YUtil::getplace(key, true) + day + " " +
            (key[kRaceNumber] == '0' ? " " : "") + raceno_ + "R";
  skaisai_ = kai + kWords[0] + YUtil::getplace(key, false) + day + kWords[1];
  horsecount_ = static_cast<unsigned char>(YUtil::getnum(runners, 2));

  if (longtexts) {
    yrace::long_race_texts(key + 2, kind, name, classcode, conditions, &longracename_,
                           &longraceclass_);
    longkaisai_ = YUtil::getkaisai(oldkey, false);
  }
  classnum_ = YUtil::getclassnum(classcode, conditions, kConditionsWidth);
  if (!iscard_ && result != nullptr) setpayouts(result->bytes);
}

void YRaceList::setresult(_tagRACERMREC* record, bool longtexts) {
  if (record == nullptr) return;
  unsigned char* r = record->bytes;
  unsigned char key[kKeySize];
  make_key(key, r + racermrec::kRaceCode, r + racermrec::kKai);
  setmember(key, r + racermrec::kDate, r + racermrec::kRaceName, r[racermrec::kTrack],
            r + racermrec::kDistance, r[racermrec::kGrade], r[racermrec::kRaceKind],
            r + racermrec::kConditions, r + racermrec::kRunnerCount, record, longtexts);
}

void YRaceList::setpayouts(const unsigned char* r) {
  using namespace racermrec;
  static const auto kCourses = yutil::sjis_table({"Ａ", "Ｂ", "Ｃ", "Ｄ", "A1", "A2"});
  for (int i = 0; i < 3; ++i) {
    const unsigned char* horse = r + kPlaceHorseNumber + kPlaceHorseNumberStride * i;
    const unsigned char* payout = r + kPlacePayout + kPlaceHorseNumberStride * i;
    wuno_[i] = horse[0] == ' ' ? "" : formatted(mui(horse, kPlaceHorseNumberWidth), 2);
    const unsigned int value = mui(payout, kPlacePayoutWidth);
    fuku_[i] = payout[0] == ' ' || value < 1 ? "" : formatted(value, 6);
  }
  tan_ = formatted(mui(r + kWinPayout, kWinPayoutWidth), 6);
  wakuren_ = formatted(mui(r + kBracketPayout, kBracketPayoutWidth), 6);
  if (r[kQuinellaPair] != ' ') {
    umaren_ = formatted(mui(r + kQuinellaPayout, kQuinellaPayoutWidth), 7);
    umanin_ = formatted(mui(r + kQuinellaPopularity, kQuinellaPopularityWidth), 3);
  }
  for (int i = 0; i < 3; ++i) {
    const int at = kWidePairStride * i;
    if (r[kWidePair + at] == ' ') continue;
    wideh_[i] = formatted(mui(r + kWidePayout + at, kWidePayoutWidth), 7);
    widen_[i] = formatted(mui(r + kWidePopularity + at, kWidePopularityWidth), 3);
  }
  course_ = yutil::lookup(kCourses, r[kCourse], '0');
}

unsigned char YRaceList::getno() { return no_; }
std::string YRaceList::getname() { return name_; }
int YRaceList::getdate() { return date_; }
std::string YRaceList::getdistance() { return distance_; }
std::string YRaceList::getcode() { return code_; }
unsigned char YRaceList::gethorsecount() { return horsecount_; }
std::string YRaceList::getkaisai() { return kaisai_; }
std::string YRaceList::getskaisai() { return skaisai_; }
std::string YRaceList::getraceno() { return raceno_; }
std::string YRaceList::getwinnername() { return ""; }
void YRaceList::print(std::ostream&) {}
std::string YRaceList::getlongkaisai() { return longkaisai_; }
std::string YRaceList::getlongracename() { return longracename_; }
std::string YRaceList::getlongraceclass() { return longraceclass_; }
unsigned short YRaceList::getclassnum() { return classnum_; }
std::string YRaceList::getw1uno() { return wuno_[0]; }
std::string YRaceList::getw2uno() { return wuno_[1]; }
std::string YRaceList::getw3uno() { return wuno_[2]; }
std::string YRaceList::gettan() { return tan_; }
std::string YRaceList::getfuku1() { return fuku_[0]; }
std::string YRaceList::getfuku2() { return fuku_[1]; }
std::string YRaceList::getfuku3() { return fuku_[2]; }
std::string YRaceList::getwakuren() { return wakuren_; }
std::string YRaceList::getumaren() { return umaren_; }
std::string YRaceList::getumanin() { return umanin_; }
std::string YRaceList::getwide1h() { return wideh_[0]; }
std::string YRaceList::getwide2h() { return wideh_[1]; }
std::string YRaceList::getwide3h() { return wideh_[2]; }
std::string YRaceList::getwide1n() { return widen_[0]; }
std::string YRaceList::getwide2n() { return widen_[1]; }
std::string YRaceList::getwide3n() { return widen_[2]; }
std::string YRaceList::getcourse() { return course_; }
