// The race days of a month as day rows.
#include "ydbcln/search/YSearchRace.h"

#include <new>

#include "db/base/Date.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/SessionReady.h"

YSearchRace::YSearchRace(YHorseDB* db) : YMainObject(db) {}

YSearchRace::YSearchRace(const YSearchRace& other) : YMainObject(other) { *this = other; }

YSearchRace& YSearchRace::operator=(const YSearchRace& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  deletevector();
  try {
    for (const auto& row : other.rows_) rows_.push_back(std::make_unique<YMainraceList>(*row));
  } catch (const std::bad_alloc&) {
    deletevector();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return *this;
}

YSearchRace::~YSearchRace() = default;

int YSearchRace::exec(int date) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  // The month fetch takes any day of a month; a day that is none finds none.
  if (!ydb::IsCalendarDate(date)) return 0;
  yrace::OwnedBuffer days(searchrace(date));
  if (days == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int n = yrace::record_count(days.get(), racelistrec::kSize);
  try {
    for (int i = 0; i < n; ++i) {
      auto* day = reinterpret_cast<_tagRACELISTREC*>(
          yrace::record_at(days.get(), racelistrec::kSize, i));
      rows_.push_back(std::make_unique<YMainraceList>(getdb(), day, false));
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  return n;
}

YMainraceList* YSearchRace::result(int i) const {
  if (i < 0 || i >= static_cast<int>(rows_.size())) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

void YSearchRace::deletevector() { rows_.clear(); }
