// YBet: the race days of a year, the tickets of a race and their pending
// changes, and a ticket's value at the current odds.
#include "ydbcln/money/YBet.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kMaxCount = 9999;
constexpr int kFrames = 8;
constexpr int kRaceCodeLength = buyticketrec::kRaceCodeWidth;

// The ticket's numbers as digits at `at`, `width` of them.
void PutNumber(unsigned char* at, int width, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  std::copy(text, text + width, at);
}

}  // namespace

YBet::YBet(YHorseDB* db) : db_(db) {}

YBet::YBet(const YBet& other) : db_(other.db_) { *this = other; }

YBet& YBet::operator=(const YBet& other) {
  if (this == &other) return *this;
  deletevector();
  db_ = other.db_;
  records_ = other.records_;
  odds_.reset();
  oddscode_.clear();
  try {
    for (const YBetDate& date : other.days_) {
      owned_days_.push_back(std::make_unique<YMainraceList>(*date.day));
      days_.emplace_back(date.kind, owned_days_.back().get());
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return *this;
}

YBet::~YBet() { deletevector(); }

void YBet::deletevector() {
  dayrace_.reset();
  days_.clear();
  owned_days_.clear();
}

bool YBet::collectdays(void* buffer, unsigned char kind, std::vector<YBetDate>* found) {
  if (buffer == nullptr) return false;
  const int count = yrace::record_count(buffer, racelistrec::kSize);
  for (int n = 0; n < count; ++n) {
    auto* record = reinterpret_cast<_tagRACELISTREC*>(
        yrace::record_at(buffer, racelistrec::kSize, n));
    auto day = std::make_unique<YMainraceList>(db_, record, true);
    const int date = day->getdate();
    const bool known = std::any_of(found->begin(), found->end(),
                                   [date](const YBetDate& d) { return d.getdate() == date; });
    if (known) continue;  // a results day keeps its results entry
    owned_days_.push_back(std::move(day));
    found->emplace_back(kind, owned_days_.back().get());
  }
  return true;
}

int YBet::searchrace_year(int year) {
  deletevector();
  const std::string text = std::to_string(year);
  try {
    std::vector<YBetDate> found;
    bool fetched;
    {
      yrace::OwnedBuffer results(get_racelist2date_ex(text.c_str(), 0));
      fetched = collectdays(results.get(), YBetDate::kResults, &found);
    }
    if (fetched) {
      yrace::OwnedBuffer cards(get_denmalist2date_ex(text.c_str(), 0));
      fetched = collectdays(cards.get(), YBetDate::kCards, &found);
    }
    if (!fetched) {
      deletevector();
      if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
      return -1;
    }
    std::stable_sort(found.begin(), found.end(), [](const YBetDate& a, const YBetDate& b) {
      return a.getdate() > b.getdate();
    });
    days_ = std::move(found);
  } catch (const std::bad_alloc&) {
    deletevector();
    if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  return 0;
}

int YBet::getdatecount() { return static_cast<int>(days_.size()); }

std::string YBet::getdate(int i) { return isday(i) ? YUtil::getdate(days_[i].getdate()) : ""; }

int YBet::getdaten(int i) { return isday(i) ? days_[i].getdate() : 0; }

int YBet::getdaykind(int i) { return isday(i) ? days_[i].kind : -1; }

int YBet::getplacecnt(int i) { return isday(i) ? days_[i].day->getplacecount() : 0; }

std::string YBet::getplace(int i, int j) { return isday(i) ? days_[i].day->getplace(j) : ""; }

YDayRace* YBet::openday(int i, bool shortkey) {
  dayrace_.reset();
  if (!isday(i)) return nullptr;
  try {
    if (days_[i].kind == YBetDate::kCards) {
      dayrace_ = std::make_unique<YDayDenma>(db_, days_[i].day);
    } else {
      dayrace_ = std::make_unique<YDaySeiseki>(db_, days_[i].day, shortkey);
    }
  } catch (const std::bad_alloc&) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return dayrace_.get();
}

YDayRace* YBet::getdayrace(int i) { return openday(i, false); }

YDayRace* YBet::getdayrace_min(int i) { return openday(i, true); }

int YBet::search_record(YRaceList* race) {
  if (race == nullptr) return -1;
  const std::string code = race->getcode();
  if (code.size() != kRaceCodeLength) return 0;
  yrace::OwnedBuffer buffer(get_buy_ticket2code(code.c_str()));
  if (buffer == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  records_.clear();
  const int count = yrace::record_count(buffer.get(), buyticketrec::kSize);
  for (int n = 0; n < count; ++n) {
    unsigned char* r = yrace::record_at(buffer.get(), buyticketrec::kSize, n);
    YBetRec rec;
    rec.type = r[buyticketrec::kBetType] - buyticketrec::kTypeDigitBase;
    rec.first = YUtil::getnum(r + buyticketrec::kFirstNumber, buyticketrec::kFirstNumberWidth);
    rec.second = rec.ispair() ? YUtil::getnum(r + buyticketrec::kSecondNumber,
                                              buyticketrec::kSecondNumberWidth)
                              : 0;
    rec.count = YUtil::getnum(r + buyticketrec::kCount, buyticketrec::kCountWidth);
    records_.push_back(rec);
  }
  std::sort(records_.begin(), records_.end());
  return static_cast<int>(records_.size());
}

int YBet::getrecordcount() { return static_cast<int>(records_.size()); }

YBetRec* YBet::getrecord(int i) {
  return i >= 0 && i < getrecordcount() ? &records_[i] : nullptr;
}

int YBet::check_record(YRaceList* race, YBetRec* rec) {
  if (race == nullptr || rec == nullptr) return -1;
  const int n = race->gethorsecount();
  const int first = rec->first;
  const int second = rec->second;
  bool valid = false;
  switch (rec->type) {
    case 1:
    case 2:
      valid = first >= 1 && first <= n;
      break;
    case 3: {
      // A frame pair of the same frame needs a frame that holds two
      // runners: with n runners, the outer frames from 17 - n on.
      const int frames = std::min(n, kFrames);
      valid = first >= 1 && first <= frames && second >= first && second <= frames &&
              (first != second || n >= 17 - first);
      break;
    }
    case 4:
    case 5:
      valid = first >= 1 && first <= n && second > first && second <= n;
      break;
    default:
      break;
  }
  return valid && rec->count >= 1 && rec->count <= kMaxCount ? 0 : -1;
}

void YBet::setstruct(_tagBUYTICKETREC* record, YRaceList* race, YBetRec* rec) {
  unsigned char* r = record->bytes;
  PutNumber(r + buyticketrec::kRaceDate, buyticketrec::kRaceDateWidth, race->getdate());
  const std::string code = race->getcode();
  std::fill(r + buyticketrec::kRaceCode, r + buyticketrec::kRaceCode + kRaceCodeLength, ' ');
  std::copy(code.begin(), code.begin() + std::min<std::size_t>(code.size(), kRaceCodeLength),
            r + buyticketrec::kRaceCode);
  r[buyticketrec::kBetType] = static_cast<unsigned char>(buyticketrec::kTypeDigitBase + rec->type);
  PutNumber(r + buyticketrec::kFirstNumber, buyticketrec::kFirstNumberWidth, rec->first);
  PutNumber(r + buyticketrec::kSecondNumber, buyticketrec::kSecondNumberWidth,
            rec->ispair() ? rec->second : 0);
  PutNumber(r + buyticketrec::kCount, buyticketrec::kCountWidth, rec->count);
}

int YBet::change(YRaceList* race, YBetRec* rec, int (*call)(const void*)) {
  _tagBUYTICKETREC record;
  setstruct(&record, race, rec);
  const int answer = call(&record);
  if (answer < 0) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  if (answer > 0) return 1;
  return search_record(race) < 0 ? -1 : 0;
}

int YBet::add_record(YRaceList* race, YBetRec* rec) {
  if (race == nullptr || rec == nullptr) return -1;
  if (check_record(race, rec) != 0) return 1;
  return change(race, rec, add_buy_ticket);
}

int YBet::delete_record(YRaceList* race, YBetRec* rec) {
  if (race == nullptr || rec == nullptr) return -1;
  // No ticket of another type, of numbers the record cannot hold, or of
  // another count was ever added.
  const bool storable = rec->type >= 1 && rec->type <= 5 && rec->first >= 0 &&
                        rec->first <= 99 && rec->second >= 0 && rec->second <= 99 &&
                        rec->count >= 1 && rec->count <= kMaxCount;
  if (!storable) return 1;
  return change(race, rec, del_buy_ticket);
}

int YBet::calc_yosou(YRaceList* race, YBetRec* rec) {
  if (race == nullptr || rec == nullptr || check_record(race, rec) != 0) return -1;
  if (rec->type == 2 || rec->type == 5) return kNoValue;
  const std::string code = race->getcode();
  if (code != oddscode_) {
    odds_.reset();
    try {
      odds_ = std::make_unique<YOdds>(db_, code, race->gethorsecount(), false);
    } catch (const std::bad_alloc&) {
      if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
    }
    if (odds_ != nullptr && !odds_->isexist()) odds_.reset();
    oddscode_ = code;
  }
  if (odds_ == nullptr) return kNoValue;
  int odds = kNoValue;
  if (rec->type == 1) {
    odds_->tansho(rec->first, odds);
  } else if (rec->type == 3) {
    odds_->wakuren(rec->first, rec->second, odds);
  } else {
    odds_->umaren(rec->first, rec->second, odds);
  }
  if (odds == kNoValue) return kNoValue;
  // A return beyond what an int holds is shown as the largest value short
  // of kNoValue.
  const long long value = static_cast<long long>(rec->count) * odds;
  return value < kNoValue ? static_cast<int>(value) : kNoValue - 1;
}

int YBet::commit() {
  if (wf_buy_ticket() != -1) return 0;
  if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  return -1;
}

int YBet::rollback() {
  if (reinit_buy_ticket() != -1) return 0;
  if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  return -1;
}

void YBet::print(std::ostream& /*out*/) {}
