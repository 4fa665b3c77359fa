// Races gathered from runs: of two horses, of a sire's offspring, of a
// horse under a jockey, and of a year's runners in trouble or changed in
// weight.
#include "ydbcln/search/YSearchKeywordRace.h"

#include <new>

#include "text/sjis.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

using namespace racerhrec;

constexpr int kNameRecordSize = 41;  // UMADIMSIRE: a horse's code and name
constexpr int kNameOffset = 7;
constexpr int kNameWidth = 34;
constexpr int kNoWeightChange = 999;

std::string RaceCodeOf(const unsigned char* run) {
  return std::string(reinterpret_cast<const char*>(run) + kRaceCode, kRaceCodeWidth);
}

int Field(unsigned char* run, int offset) { return YUtil::getnum(run + offset, 2); }

// Whether `value` is within `limit`: at most (mode 0), at least (1) or
// exactly (2).
bool Within(int value, int limit, int mode) {
  if (mode == 1) return value >= limit;
  if (mode == 2) return value == limit;
  return value <= limit;
}

// Whether a run's 2-digit field meets a limit that asks something of it:
// a field of 0 (none) never does.
bool FieldWithin(unsigned char* run, int offset, int limit, int mode) {
  const int value = Field(run, offset);
  return value != 0 && Within(value, limit, mode);
}

// The first and last day of `year` as the fetches take them.
std::string YearFrom(int year) { return YUtil::getnumstr(year * 10000 + 101); }
std::string YearTo(int year) { return YUtil::getnumstr(year * 10000 + 1231); }

// Calls `each(runner record)` for every runner of every run race of
// `year`, race by race; false when the library fails.
template <typename Each>
bool EachRunnerOfYear(int year, Each each) {
  const std::string text = "TF=" + YearFrom(year) + "&TT=" + YearTo(year);
  yrace::OwnedBuffer command(conv_racecmd(text.c_str()));
  if (command == nullptr) return false;
  yrace::OwnedBuffer runners(get_race2cmd_sp2(command.get(), 1));
  if (runners == nullptr) return false;
  const int n = yrace::record_count(runners.get(), kSize);
  for (int i = 0; i < n; ++i) each(yrace::record_at(runners.get(), kSize, i));
  return true;
}

// Trouble of kind `kind` (exec_furi) in a run.
bool MetTrouble(unsigned char* run, int kind) {
  bool corner = false;
  for (int c = 0; c < 4; ++c) corner = corner || Field(run, kCornerPosition + kCornerPositionStride * c) > 40;
  const bool stall = Field(run, kHorseNumber) < Field(run, kPostNumber);
  const int accident = Field(run, kAccident);
  switch (kind) {
    case 0: return corner;
    case 1: return stall;
    case 2: return accident == 32;
    case 3: return accident == 36;
    case 4: return accident == 31 || accident == 33;
    default: return corner || stall || accident == 32 || accident == 36 || accident == 31 ||
                    accident == 33;
  }
}

}  // namespace

YSearchKeywordRace::YSearchKeywordRace(YHorseDB* db) : YMainObject(db) {}

YSearchKeywordRace::YSearchKeywordRace(const YSearchKeywordRace& other) : YMainObject(other) {
  *this = other;
}

YSearchKeywordRace& YSearchKeywordRace::operator=(const YSearchKeywordRace& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  deletevector();
  try {
    for (const auto& row : other.rows_) rows_.push_back(std::make_unique<YRaceList>(*row));
  } catch (const std::bad_alloc&) {
    deletevector();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return *this;
}

YSearchKeywordRace::~YSearchKeywordRace() = default;

int YSearchKeywordRace::exec_2horse(std::string code1, std::string code2) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  yrace::OwnedBuffer first(get_uma_race2code(code1.c_str()));
  yrace::OwnedBuffer second(first != nullptr ? get_uma_race2code(code2.c_str()) : nullptr);
  if (second == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  std::set<std::string> mine;
  for (int i = 0; i < yrace::record_count(first.get(), kSize); ++i) {
    mine.insert(RaceCodeOf(yrace::record_at(first.get(), kSize, i)));
  }
  std::set<std::string> met;
  for (int i = 0; i < yrace::record_count(second.get(), kSize); ++i) {
    const std::string code = RaceCodeOf(yrace::record_at(second.get(), kSize, i));
    if (mine.count(code) != 0) met.insert(code);
  }
  return setrace(met);
}

int YSearchKeywordRace::exec_sire(int year, std::string code, int limit1, int mode1, int limit2,
                                  int mode2) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  if ((mode1 != 0 && mode1 != 1) || (mode2 != 0 && mode2 != 1)) return 0;
  yrace::OwnedBuffer runs(get_sire_race2code(code.c_str(), YearFrom(year).c_str(), YearTo(year).c_str()));
  if (runs == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  std::set<std::string> codes;
  for (int i = 0; i < yrace::record_count(runs.get(), kSize); ++i) {
    unsigned char* run = yrace::record_at(runs.get(), kSize, i);
    if (FieldWithin(run, kPopularity, limit1, mode1) && FieldWithin(run, kFinishingOrder, limit2, mode2)) {
      codes.insert(RaceCodeOf(run));
    }
  }
  return setrace(codes);
}

int YSearchKeywordRace::exec_horsejockey(std::string horse, int T, std::string jockey, int year,
                                         int limit1, int mode1, int limit2, int mode2) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  if (T < 1 || T > 4) {
    getdb()->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  if ((mode1 != 0 && mode1 != 1) || (mode2 != 0 && mode2 != 1) || horse.empty()) return 0;
  const std::string word = T == 2 ? horse + "*" : T == 3 ? "*" + horse : horse;
  yrace::OwnedBuffer horses(get_umahm(word.c_str()));
  if (horses == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const std::string whole = ytext::normalise_search(horse, true, nullptr);
  const bool exact = T == 4 && whole.find_first_of("*?") == std::string::npos;
  std::set<std::string> codes;
  for (int h = 0; h < yrace::record_count(horses.get(), kNameRecordSize); ++h) {
    unsigned char* named = yrace::record_at(horses.get(), kNameRecordSize, h);
    if (exact && ytext::normalise_search(YUtil::delendspc(named + kNameOffset, kNameWidth), true,
                                          nullptr) != whole) {
      continue;
    }
    const std::string code(reinterpret_cast<const char*>(named), kHorseCodeWidth);
    yrace::OwnedBuffer runs(get_uma_race2code(code.c_str()));
    if (runs == nullptr) {
      getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
      return -1;
    }
    for (int i = 0; i < yrace::record_count(runs.get(), kSize); ++i) {
      unsigned char* run = yrace::record_at(runs.get(), kSize, i);
      if (jockey.compare(0, std::string::npos, reinterpret_cast<const char*>(run) + kJockeyCode,
                         kJockeyCodeWidth) != 0) {
        continue;
      }
      if (year != 0 && YUtil::getnum(run + kDate, 4) != year) continue;
      if (limit1 != 0 && !FieldWithin(run, kPopularity, limit1, mode1)) continue;
      if (limit2 != 0 && !FieldWithin(run, kFinishingOrder, limit2, mode2)) continue;
      codes.insert(RaceCodeOf(run));
    }
  }
  return setrace(codes);
}

int YSearchKeywordRace::exec_furi(int year, int limit, int kind, int popularity, int mode) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  if (limit <= 0 || popularity <= 0 || kind < 0 || kind > 5 || (mode != 0 && mode != 1)) return 0;
  std::set<std::string> codes;
  const bool read = EachRunnerOfYear(year, [&](unsigned char* run) {
    if (Field(run, kPopularity) != popularity || !MetTrouble(run, kind)) return;
    const int finish = Field(run, kFinishingOrder);
    if (finish == 0 ? mode == 1 : Within(finish, limit, mode)) codes.insert(RaceCodeOf(run));
  });
  if (!read) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  return setrace(codes);
}

int YSearchKeywordRace::exec_weight(int year, int changelimit, int changemode, int limit2,
                                    int mode2, int limit3, int mode3) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  if (limit2 <= 0 || limit3 <= 0 || (mode2 != 0 && mode2 != 1) || mode3 < 0 || mode3 > 2) return 0;
  std::set<std::string> codes;
  const bool read = EachRunnerOfYear(year, [&](unsigned char* run) {
    if (run[kBodyWeightChange] == ' ') return;
    const int change = YUtil::getnumpm(run + kBodyWeightChange, 3);
    if (change == kNoWeightChange || !Within(change, changelimit, changemode == 1 ? 1 : 0)) return;
    if (FieldWithin(run, kPopularity, limit2, mode2) && FieldWithin(run, kFinishingOrder, limit3, mode3)) {
      codes.insert(RaceCodeOf(run));
    }
  });
  if (!read) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  return setrace(codes);
}

int YSearchKeywordRace::setrace(std::set<std::string>& codes) {
  deletevector();
  try {
    for (const std::string& code : codes) {
      if (code[0] == '0') rows_.push_back(std::make_unique<YRaceList>(getdb(), code, false));
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  return get_list_cnt();
}

YRaceList* YSearchKeywordRace::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

int YSearchKeywordRace::get_list_cnt() { return static_cast<int>(rows_.size()); }

void YSearchKeywordRace::deletevector() { rows_.clear(); }
