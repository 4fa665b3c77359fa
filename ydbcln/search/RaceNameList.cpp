// Loading and reading the graded race names.
#include "ydbcln/search/RaceNameList.h"

#include "text/sjis.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kNameRecordSize = 33;
constexpr int kNameWidth = 31;
constexpr int kGroupByte = 31;
constexpr int kEastWestByte = 32;

}  // namespace

RaceNameList::RaceNameList(const RaceNameList& other) { *this = other; }

RaceNameList& RaceNameList::operator=(const RaceNameList& other) {
  if (this == &other) return *this;
  release_data(names_);
  names_ = other.names_ != nullptr ? dup_data(other.names_) : nullptr;
  for (int g = 0; g < 3; ++g) groups_[g] = other.groups_[g];
  selected_ = other.selected_;
  return *this;
}

RaceNameList::~RaceNameList() { release_data(names_); }

int RaceNameList::select(YHorseDB* db, int group) {
  if (group < 1 || group > 3) return -1;
  if (names_ == nullptr) {
    if (db == nullptr || !db->isinit()) {
      if (db != nullptr) db->seterror(YHorseDB::kNotInitialised, "", 0);
      return -1;
    }
    void* names = get_racename();
    if (names == nullptr) {
      db->seterror(YHorseDB::kDatabaseError, "", 0);
      return -1;
    }
    names_ = names;
    const int n = yrace::record_count(names_, kNameRecordSize);
    for (int i = 0; i < n; ++i) {
      const int g = record(i)[kGroupByte] - '1';
      if (g >= 0 && g < 3) groups_[g].push_back(i);
    }
  }
  selected_ = group - 1;
  return count();
}

int RaceNameList::count() const {
  return selected_ < 0 ? 0 : static_cast<int>(groups_[selected_].size());
}

const unsigned char* RaceNameList::record(int i) const {
  return yrace::record_at(names_, kNameRecordSize, i);
}

std::string RaceNameList::name(int i) const {
  if (i < 0 || i >= count()) return "";
  return YUtil::delendspc(const_cast<unsigned char*>(record(groups_[selected_][i])), kNameWidth);
}

std::string RaceNameList::eastwest(int i) const {
  if (i < 0 || i >= count()) return "";
  switch (record(groups_[selected_][i])[kEastWestByte]) {
    case '0': return ytext::to_sjis_lossy("西");
    case '1': return ytext::to_sjis_lossy("東");
    default: return "";
  }
}
