// The graded races by name and their runnings.
#include "ydbcln/search/YSearchGradeRace.h"

#include <new>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace {
constexpr int kCodeWidth = 12;
}  // namespace

YSearchGradeRace::YSearchGradeRace(YHorseDB* db) : YMainObject(db) {}

YSearchGradeRace::YSearchGradeRace(const YSearchGradeRace& other) : YMainObject(other) {
  *this = other;
}

YSearchGradeRace& YSearchGradeRace::operator=(const YSearchGradeRace& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  names_ = other.names_;
  rows_.clear();
  try {
    for (const auto& row : other.rows_) rows_.push_back(std::make_unique<YRaceList>(*row));
  } catch (const std::bad_alloc&) {
    rows_.clear();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return *this;
}

YSearchGradeRace::~YSearchGradeRace() = default;

int YSearchGradeRace::execname(int group) { return names_.select(getdb(), group); }
std::string YSearchGradeRace::getname(int i) { return names_.name(i); }
int YSearchGradeRace::getnamecount() { return names_.count(); }
std::string YSearchGradeRace::getew(int i) { return names_.eastwest(i); }

int YSearchGradeRace::execrace(int i) {
  if (i < 0 || i >= names_.count()) return -1;
  rows_.clear();
  yrace::OwnedBuffer codes(get_racename_list(names_.name(i).c_str()));
  if (codes == nullptr) {
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int n = yrace::record_count(codes.get(), kCodeWidth);
  try {
    for (int k = 0; k < n; ++k) {
      const auto* code = reinterpret_cast<const char*>(yrace::record_at(codes.get(), kCodeWidth, k));
      rows_.push_back(std::make_unique<YRaceList>(getdb(), std::string(code, kCodeWidth), false));
    }
  } catch (const std::bad_alloc&) {
    rows_.clear();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  return n;
}

int YSearchGradeRace::getracecount() { return static_cast<int>(rows_.size()); }

YRaceList* YSearchGradeRace::result(int i) {
  if (i < 0 || i >= getracecount()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}
