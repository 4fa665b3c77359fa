// The detailed race search: its command, its runs and its rows.
#include "ydbcln/search/YSearchDetailRace.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/search/RaceConditionText.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kCodeWidth = 12;
constexpr int kRunnerRecordSize = 659;
constexpr int kRunnerCountOffset = 369;  // of a race result record

// Runner result record fields the runner conditions read.
constexpr int kCornerOffset = 409;       // four 2-digit corner positions
constexpr int kHorseNumberOffset = 154;
constexpr int kPostNumberOffset = 156;
constexpr int kAccidentOffset = 387;

// The accident code each `tk` bit from 2 asks for (bits 6 and 7 unused).
constexpr int kAccidentBits[][2] = {{2, 32}, {3, 36}, {4, 33}, {5, 31}, {8, 34}, {9, 35}};

bool RunnerMeets(unsigned char* runner, int tk) {
  if ((tk & 1) != 0) {
    for (int i = 0; i < 4; ++i) {
      if (YUtil::getnum(runner + kCornerOffset + 2 * i, 2) > 40) return true;
    }
  }
  if ((tk & 2) != 0 &&
      YUtil::getnum(runner + kHorseNumberOffset, 2) < YUtil::getnum(runner + kPostNumberOffset, 2)) {
    return true;
  }
  const int accident = YUtil::getnum(runner + kAccidentOffset, 2);
  for (const auto& bit : kAccidentBits) {
    if (((tk >> bit[0]) & 1) != 0 && accident == bit[1]) return true;
  }
  return false;
}

}  // namespace

YSearchDetailRace::YSearchDetailRace(YHorseDB* db) : YMainObject(db) {}

YSearchDetailRace::YSearchDetailRace(const YSearchDetailRace& other) : YMainObject(other) {
  *this = other;
}

YSearchDetailRace& YSearchDetailRace::operator=(const YSearchDetailRace& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  clearresults();
  release_data(command_);
  command_ = other.command_ != nullptr ? dup_data(other.command_) : nullptr;
  ysession::guarded(getdb(), 0, [&] {
    conditions_ = other.conditions_ != nullptr
                      ? std::make_unique<ysearch::RaceConditions>(*other.conditions_)
                      : nullptr;
    text_ = other.text_;
    names_ = other.names_;
    if (other.results_ != nullptr) results_ = dup_data(other.results_);
    rows_.reserve(other.rows_.size());
    for (const auto& row : other.rows_) rows_.push_back(std::make_unique<YRaceList>(*row));
    return 0;
  }, [&] { clearresults(); });
  return *this;
}

YSearchDetailRace::~YSearchDetailRace() {
  clearresults();
  release_data(command_);
}

void YSearchDetailRace::clearresults() {
  rows_.clear();
  codelist_.clear();
  release_data(results_);
  results_ = nullptr;
  release_data(othercode_);
  othercode_ = nullptr;
  release_data(orgdata_);
  orgdata_ = nullptr;
}

int YSearchDetailRace::setparam(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
                                _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
                                _tagYDetailRacePaceEtc* pace, int ts, int tk) {
  if (mode < 0 || mode > 2) return -1;
  return ysession::guarded(getdb(), -1, [&] {
    ysearch::RaceConditions conditions;
    conditions.set(mode, info, dist, age, bet, pace, ts, tk);
    std::string text = ysearch::RaceConditionText(conditions, true);
    if (conditions_ == nullptr) conditions_ = std::make_unique<ysearch::RaceConditions>();
    release_data(othercode_);
    othercode_ = nullptr;
    void* command = conv_racecmd(text.c_str());
    if (command == nullptr) return -1;
    release_data(command_);
    command_ = command;
    text_ = std::move(text);
    *conditions_ = std::move(conditions);
    clearresults();
    return 0;
  }, [] {});
}

void YSearchDetailRace::addparam(_tagSCMD* cmd) {
  if (cmd == nullptr) return;
  if (command_ == nullptr) {
    command_ = dup_data(cmd);
    return;
  }
  void* combined = add_cmd(command_, cmd);
  if (combined == nullptr) return;
  release_data(command_);
  command_ = combined;
}

_tagSCMD* YSearchDetailRace::getparam() { return static_cast<_tagSCMD*>(command_); }

int YSearchDetailRace::fill(void* records) {
  clearresults();
  if (records == nullptr) {
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int n = yrace::record_count(records, racermrec::kSize);
  if (n == 0) {
    release_data(records);
    return 0;
  }
  try {
    rows_.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      auto* record = reinterpret_cast<_tagRACERMREC*>(yrace::record_at(records, racermrec::kSize, i));
      rows_.push_back(std::make_unique<YRaceList>(getdb(), record, false));
    }
  } catch (const std::bad_alloc&) {
    rows_.clear();
    release_data(records);
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  results_ = records;
  return n;
}

int YSearchDetailRace::search() {
  if (command_ == nullptr) return -1;
  return fill(get_race2cmd_sp1(command_));
}

bool YSearchDetailRace::keeprace(unsigned char* race, int tk, bool* failed) {
  yrace::OwnedBuffer runners(get_race2code_2(race, 0));
  const int n = yrace::record_count(runners.get(), kRunnerRecordSize);
  if (runners == nullptr || n != YUtil::getnum(race + kRunnerCountOffset, 2)) {
    *failed = true;
    return false;
  }
  for (int i = 0; i < n; ++i) {
    if (RunnerMeets(yrace::record_at(runners.get(), kRunnerRecordSize, i), tk)) return true;
  }
  return false;
}

int YSearchDetailRace::execrace(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
                                _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
                                _tagYDetailRacePaceEtc* pace, int ts, int tk) {
  if (mode < 0 || mode > 2) return -1;
  return ysession::guarded(getdb(), -1, [&] { return runrace(mode, info, dist, age, bet, pace, ts, tk); },
                           [&] { clearresults(); });
}

int YSearchDetailRace::runrace(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
                               _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
                               _tagYDetailRacePaceEtc* pace, int ts, int tk) {
  ysearch::RaceConditions conditions;
  conditions.set(mode, info, dist, age, bet, pace, ts, tk);
  const int n = fill(get_race2cmd(ysearch::RaceConditionText(conditions, false).c_str()));
  if (n <= 0 || tk <= 0) {
    std::stable_sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return *a < *b; });
    return n;
  }
  std::vector<std::unique_ptr<YRaceList>> kept;
  for (int i = 0; i < n; ++i) {
    bool failed = false;
    const bool keep = keeprace(yrace::record_at(results_, racermrec::kSize, i), tk, &failed);
    if (failed) {
      clearresults();
      if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
      return -1;
    }
    if (keep) kept.push_back(std::move(rows_[static_cast<std::size_t>(i)]));
  }
  rows_ = std::move(kept);
  std::stable_sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return *a < *b; });
  return get_list_cnt();
}

int YSearchDetailRace::execracecds(void* codes) { return fill(get_otherdata(codes, 4)); }

int YSearchDetailRace::setkoldata(_tagRACECODEREC* buffer) {
  void* races = get_racecode2race(buffer);
  release_data(buffer);
  return fill(races);
}

void* YSearchDetailRace::packcodes() {
  if (rows_.empty()) return nullptr;
  void* packed = alloc_data(kCodeWidth, get_list_cnt());
  if (packed == nullptr) return nullptr;
  for (int i = 0; i < get_list_cnt(); ++i) {
    const std::string code = rows_[static_cast<std::size_t>(i)]->getcode();
    std::memcpy(yrace::record_at(packed, kCodeWidth, i), code.data(),
                std::min<std::size_t>(code.size(), kCodeWidth));
  }
  return packed;
}

void* YSearchDetailRace::getorgdata() {
  void* packed = packcodes();
  if (packed == nullptr) return nullptr;
  release_data(orgdata_);
  orgdata_ = packed;
  return orgdata_;
}

void* YSearchDetailRace::getothercode() {
  void* packed = packcodes();
  if (packed == nullptr) return nullptr;
  void* list = get_race2dt(packed);
  release_data(packed);
  release_data(othercode_);
  othercode_ = list;
  return othercode_;
}

void* YSearchDetailRace::getorgdata(int) { return results_; }

int YSearchDetailRace::get_list_cnt() { return static_cast<int>(rows_.size()); }

YRaceList* YSearchDetailRace::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

void YSearchDetailRace::delete_result(int i) {
  if (i < 0 || i >= get_list_cnt()) return;
  rows_.erase(rows_.begin() + i);
}

char* YSearchDetailRace::getcodelistptr() {
  if (rows_.empty()) return nullptr;
  return ysession::guarded(getdb(), static_cast<char*>(nullptr), [&] { return codelist(); },
                           [&] { codelist_.clear(); });
}

char* YSearchDetailRace::codelist() {
  codelist_.assign(rows_.size() * kCodeWidth, ' ');
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::string code = rows_[i]->getcode();
    std::memcpy(codelist_.data() + i * kCodeWidth, code.data(),
                std::min<std::size_t>(code.size(), kCodeWidth));
  }
  return codelist_.data();
}

int YSearchDetailRace::execname(int group) {
  return ysession::guarded(getdb(), -1, [&] { return names_.select(getdb(), group); },
                           [&] { names_ = RaceNameList(); });
}

std::string YSearchDetailRace::getname(int i) {
  return ysession::guarded(getdb(), std::string(), [&] { return names_.name(i); }, [] {});
}
int YSearchDetailRace::getnamecount() { return names_.count(); }

void YSearchDetailRace::getsearchstring(std::string* out) {
  if (out == nullptr) return;
  ysession::guarded(getdb(), 0, [&] {
    const ysearch::RaceConditions none;
    ysearch::RaceSearchStrings(conditions_ != nullptr ? *conditions_ : none, out);
    return 0;
  }, [] {});
}

std::string YSearchDetailRace::setplace(int mask) {
  return ysession::guarded(getdb(), std::string(), [&] { return ysearch::PlaceKeys(mask); }, [] {});
}

std::string YSearchDetailRace::getplacenum(int bit) {
  return ysession::guarded(getdb(), std::string(), [&] { return ysearch::PlaceCode(bit); }, [] {});
}
