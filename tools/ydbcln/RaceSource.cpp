// Reading race days, race rows and runners for the race subcommands.
#include "RaceSource.h"

#include <db/api/RecordBuffer.h>
#include <db/api/ydbbsn.h>
#include <db/api/ydbrange.h>
#include <db/base/Date.h>
#include <db/base/RaceKey.h>

#include <iostream>

#include "Printable.h"

namespace tool {
namespace {

using ydb::OwnedBuffer;
using ydb::record_at;
using ydb::record_count;

bool AllDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int DateOf(unsigned char* record) {
  return YUtil::getnum(record + racelistrec::kDate, racelistrec::kDateWidth);
}

// The race-list records of a year (4 digits) or of the month holding a
// date (8 digits): the days with results, or with race cards when `cards`.
// Null when the database failed.
OwnedBuffer DaysOf(const std::string& when, bool cards) {
  return OwnedBuffer(cards ? get_denmalist2date_ex(when.c_str(), 0)
                           : get_racelist2date_ex(when.c_str(), 0));
}

}  // namespace

bool ParseDate(const std::string& text, int* date) {
  if (text.size() != 8 || !AllDigits(text)) return false;
  *date = std::stoi(text);
  return ydb::IsCalendarDate(*date);
}

bool IsRaceCode(const std::string& text) {
  ydb::RaceKey key;
  return ydb::RaceKey::Parse(text, &key).ok();
}

bool ReadVenues(YHorseDB& db, int date, bool cards, YMainraceList* venues) {
  OwnedBuffer days(DaysOf(std::to_string(date), cards));
  if (days == nullptr) return false;
  for (int n = 0; n < record_count(days.get(), racelistrec::kSize); ++n) {
    unsigned char* record = record_at(days.get(), racelistrec::kSize, n);
    if (DateOf(record) != date) continue;
    *venues = YMainraceList(&db, reinterpret_cast<_tagRACELISTREC*>(record), false);
    break;
  }
  return true;
}

bool LatestRaceDay(YHorseDB& db, bool cards, int* date) {
  int first = 0, last = 0;
  if (cards) {
    db.getyear_denma(first, last);
  } else {
    db.getyear(first, last);
  }
  *date = 0;
  for (int year = last; first != 0 && year >= first && *date == 0; --year) {
    OwnedBuffer days(DaysOf(std::to_string(year), cards));
    if (days == nullptr) return false;
    const int count = record_count(days.get(), racelistrec::kSize);
    if (count > 0) *date = DateOf(record_at(days.get(), racelistrec::kSize, count - 1));
  }
  return true;
}

bool RaceCodes(YHorseDB&, int from, int to, std::vector<std::string>* codes) {
  OwnedBuffer races(get_race2date_range(std::to_string(from).c_str(), std::to_string(to).c_str()));
  if (races == nullptr) return false;
  const int count = record_count(races.get(), racermrec::kSize);
  codes->reserve(codes->size() + static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    codes->emplace_back(reinterpret_cast<char*>(record_at(races.get(), racermrec::kSize, r)),
                        racermrec::kRaceCodeWidth);
  }
  return true;
}

bool HasResults(const std::string& code, bool* run) {
  OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
  if (race == nullptr) return false;
  *run = record_count(race.get(), racermrec::kSize) == 1;
  return true;
}

bool ResultRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners) {
  OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
  OwnedBuffer records(get_race2code_2(code.c_str(), 1));
  if (race == nullptr || records == nullptr) return false;
  if (record_count(race.get(), racermrec::kSize) != 1) return true;
  for (int i = 0; i < record_count(records.get(), racerhrec::kSize); ++i) {
    runners->emplace_back(&db, static_cast<_tagRACERMREC*>(race.get()),
                          static_cast<_tagRACERHREC*>(records.get()), i);
  }
  return true;
}

bool CardRunners(YHorseDB& db, const std::string& code, std::vector<YRaceHorse>* runners) {
  OwnedBuffer card(get_denma2code(code.c_str()));
  if (card == nullptr) return false;
  if (record_count(card.get(), racedrec::kSize) != 1) return true;
  unsigned char* race = static_cast<unsigned char*>(card.get());
  OwnedBuffer entries(get_denmah2code(race, race + racedrec::kKai));
  if (entries == nullptr) return false;
  for (int i = 0; i < record_count(entries.get(), racedhrec::kSize); ++i) {
    runners->emplace_back(&db, static_cast<_tagRACEDREC*>(card.get()),
                          static_cast<_tagRACEDHREC*>(entries.get()) + i);
  }
  return true;
}

int StoreFailure() {
  std::cerr << "ydbcln: the data set cannot be read: " << Reason(get_db_error()) << "\n";
  return 1;
}

}  // namespace tool
