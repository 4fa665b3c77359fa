// YResultTotal: loading a set of runs and totalling it by category.
#include "ydbcln/money/YResultTotal.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "text/sjis.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchRaceHorse.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

// Result codes of runners that did not start: counted in no row.
constexpr int kScratched = 34;
constexpr int kExcluded = 35;
constexpr int kOtherPlaces = 10;
constexpr int kSearchStrings = 13;

// "%d" of each of first to last in `format`.
std::vector<std::string> Numbered(const char* format, int first, int last) {
  std::vector<std::string> names;
  char text[64];
  for (int n = first; n <= last; ++n) {
    std::snprintf(text, sizeof text, format, n);
    names.emplace_back(text);
  }
  return names;
}

const char* const kTracks[3] = {"芝", "ダ", "障"};

// The course's long name: the ten courses by place code, then その他.
std::string CourseName(int place) {
  if (place >= kOtherPlaces) return ytext::to_sjis_lossy("その他");
  unsigned char code[2] = {'0', static_cast<unsigned char>('0' + place)};
  return YUtil::getplace(code, false);
}

// A person's or sire's row name: 不明 for an empty code.
std::string EntityName(const std::string& code, const std::string& name) {
  const bool blank = code.find_first_not_of(' ') == std::string::npos;
  return blank ? ytext::to_sjis_lossy("不明") : name;
}

// "芝1600m" for a run: its track and distance.
std::string DistanceName(const YResultTotalRaceHorse& run) {
  char text[16];
  std::snprintf(text, sizeof text, "%04dm", run.distance);
  return ytext::to_sjis_lossy(kTracks[run.track]) + text;
}

std::string DistanceKey(const YResultTotalRaceHorse& run) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%04d", run.track, run.distance);
  return text;
}

int PlaceOf(const YResultTotalRaceHorse& run) { return std::min(run.place(), kOtherPlaces); }

}  // namespace

const _tagYResultTotalInfo YResultTotal::totalinfo[kCategories] = {
    {"馬", "競走馬名", &YResultTotal::total_horse, true},
    {"父馬", "父馬名", &YResultTotal::total_sire, true},
    {"母父馬", "母父馬名", &YResultTotal::total_bmsire, true},
    {"騎手", "騎手名", &YResultTotal::total_jockey, true},
    {"厩舎", "厩舎名", &YResultTotal::total_stable, true},
    {"人気", "人気", &YResultTotal::total_ninki, false},
    {"オッズ", "オッズ", &YResultTotal::total_odds, false},
    {"脚質", "脚質", &YResultTotal::total_kyaku, false},
    {"枠番", "枠番", &YResultTotal::total_wakuban, false},
    {"馬番", "馬番", &YResultTotal::total_umaban, false},
    {"性齢", "性齢", &YResultTotal::total_seirei, false},
    {"月", "月", &YResultTotal::total_month, false},
    {"場所", "場所", &YResultTotal::total_place, false},
    {"距離", "距離", &YResultTotal::total_distance, true},
    {"コース", "コース", &YResultTotal::total_course, true},
    {"クラス", "クラス", &YResultTotal::total_class, false},
    {"ペース", "ペース", &YResultTotal::total_pace, false},
    {"馬場状態", "馬場状態", &YResultTotal::total_baba, false},
    {"馬体重", "馬体重", &YResultTotal::total_bataiju, false},
    {"増減", "増減", &YResultTotal::total_zougen, false},
    {"斤量", "斤量", &YResultTotal::total_kinryo, false},
};

YResultTotal::YResultTotal(YHorseDB* db) : db_(db) {}

YResultTotal::~YResultTotal() = default;

int YResultTotal::getcategorycount() { return kCategories; }

void YResultTotal::getcategoryname(int i, std::string& name, std::string& title) {
  name.clear();
  title.clear();
  if (i < 0 || i >= kCategories) return;
  name = ytext::to_sjis_lossy(totalinfo[i].name);
  title = ytext::to_sjis_lossy(totalinfo[i].title);
}

bool YResultTotal::iscountfilter(int i) {
  return i >= 0 && i < kCategories && totalinfo[i].countfilter;
}

// --- The runs --------------------------------------------------------------------

void YResultTotal::clearruns() {
  runs_.clear();
  horses_.clear();
  rows_.clear();
}

int YResultTotal::setcondition(YSearchDetailRace* races) {
  if (races == nullptr || races->getparam() == nullptr) return -1;
  return ysession::guarded(
      db_, -1,
      [&] {
        clearruns();
        if (db_ != nullptr) db_->begin_resulttotal();
        yrace::OwnedBuffer records(get_race2cmd_sp2(races->getparam(), 1));
        if (db_ != nullptr) db_->end_resulttotal();
        if (records == nullptr) {
          if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
          return -1;
        }
        setracehorse(records.get(), yrace::record_count(records.get(), racerhrec::kSize));
        return 0;
      },
      [&] {
        if (db_ != nullptr) db_->end_resulttotal();
        clearruns();
      });
}

int YResultTotal::setcondition(YSearchRaceHorse* runs) {
  if (runs == nullptr) return -1;
  return ysession::guarded(
      db_, -1,
      [&] {
        clearruns();
        void* records = runs->getorgdata();
        setracehorse(records, yrace::record_count(records, racerhrec::kSize));
        return 0;
      },
      [&] { clearruns(); });
}

void YResultTotal::setracehorse(void* records, int count) {
  clearruns();
  if (records == nullptr || count <= 0) return;
  auto* runners = static_cast<_tagRACERHREC*>(records);
  runs_.resize(static_cast<std::size_t>(count));
  horses_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    runs_[i].set(runners + i);
    runs_[i].excluded = filter_.excludes(runs_[i]) ? 1 : 0;
    horses_[i].set(runners + i);
  }
  std::stable_sort(horses_.begin(), horses_.end());
  horses_.erase(std::unique(horses_.begin(), horses_.end()), horses_.end());
  horses_.shrink_to_fit();
}

void YResultTotal::setcondstring(YSearchDetailRace* races) {
  condition_.clear();
  if (races == nullptr) return;
  std::string texts[kSearchStrings];
  races->getsearchstring(texts);
  for (const std::string& text : texts) {
    if (!text.empty()) condition_.push_back(text);
  }
}

void YResultTotal::setcondstring(const std::string& text) { condition_.assign(1, text); }

void YResultTotal::setcallback(int (*callback)(int, int, const char*)) { callback_ = callback; }

bool YResultTotal::Filter::excludes(const YResultTotalRaceHorse& run) const {
  if ((minpop != 0 || maxpop != 0) && (run.popularity < minpop || run.popularity > maxpop)) {
    return true;
  }
  if (agemask != -1) {
    if (run.age > 9 ? (agemask >> 7) == 0
                    : run.age >= 3 && (agemask & (1 << (run.age - 3))) == 0) {
      return true;
    }
  }
  if ((minodds != 0 || maxodds != 0) && (run.odds < minodds || run.odds > maxodds)) return true;
  if (run.raceclass != YResultTotalRaceHorse::kUnknownClass &&
      (classmask & (1 << (8 - run.raceclass))) == 0) {
    return true;
  }
  return (trackmask & (1 << run.track)) == 0;
}

void YResultTotal::setfilter(int minpop, int maxpop, int agemask, int minodds, int maxodds,
                             int classmask, int trackmask) {
  filter_ = Filter{minpop, maxpop, agemask, minodds, maxodds, classmask, trackmask};
  for (YResultTotalRaceHorse& run : runs_) run.excluded = filter_.excludes(run) ? 1 : 0;
}

const YResultTotalRaceHorse* YResultTotal::getracehorse(int i) const {
  return i >= 0 && i < getracehorsecount() ? &runs_[i] : nullptr;
}

const YResultTotalHorse* YResultTotal::gethorse(int i) const {
  return i >= 0 && i < gethorsecount() ? &horses_[i] : nullptr;
}

bool YResultTotal::race(int i, YRaceHorse& out) {
  const YResultTotalRaceHorse* run = getracehorse(i);
  if (run == nullptr) return false;
  yrace::OwnedBuffer race(get_race2code_1_ex(run->racecode, 1));
  yrace::OwnedBuffer runners(race == nullptr ? nullptr : get_race2code_2(race.get(), 1));
  if (runners == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return false;
  }
  auto* records = static_cast<_tagRACERHREC*>(runners.get());
  const int count = yrace::record_count(runners.get(), racerhrec::kSize);
  for (int n = 0; n < count; ++n) {
    if (run->horsekey.compare(0, racerhrec::kHorseCodeWidth,
                              reinterpret_cast<const char*>(records[n].bytes + racerhrec::kHorseCode),
                              racerhrec::kHorseCodeWidth) == 0) {
      out = YRaceHorse(db_, static_cast<_tagRACERMREC*>(race.get()), records, n);
      return true;
    }
  }
  return false;
}

// --- Totalling ---------------------------------------------------------------------

int YResultTotal::exec(int category) {
  rows_.clear();
  if (category < 0 || category >= kCategories) return -1;
  return ysession::guarded(
      db_, -1,
      [&] {
        categoryname_ = ytext::to_sjis_lossy(totalinfo[category].name);
        const int result = (this->*totalinfo[category].total)();
        for (YResultTotalRec& row : rows_) row.setratio();
        return result;
      },
      [&] { rows_.clear(); });
}

int YResultTotal::getresultcount() { return static_cast<int>(rows_.size()); }

YResultTotalRec* YResultTotal::getresult(int i) {
  return i >= 0 && i < getresultcount() ? &rows_[i] : nullptr;
}

bool YResultTotal::goes_on(int i) {
  return callback_(i, getracehorsecount(), categoryname_.c_str()) != 0;
}

void YResultTotal::makerows(const std::vector<std::string>& names) {
  rows_.clear();
  rows_.reserve(names.size());
  for (const std::string& name : names) rows_.emplace_back(ytext::to_sjis_lossy(name), "");
}

template <typename Band>
int YResultTotal::bands(Band band) {
  const int rows = getresultcount();
  const int count = getracehorsecount();
  for (int i = 0; i < count; ++i) {
    if (callback_ != nullptr && !goes_on(i)) return 1;
    const YResultTotalRaceHorse& run = runs_[i];
    if (run.excluded || run.resultcode == kScratched || run.resultcode == kExcluded) continue;
    const int row = band(run);
    if (row >= 0 && row < rows) rows_[row].add(run.finish, run.odds);
  }
  return 0;
}

template <typename Key, typename Name>
int YResultTotal::entities(Key key, Name name) {
  rows_.clear();
  std::unordered_map<std::string, int> found;
  const int count = getracehorsecount();
  for (int i = 0; i < count; ++i) {
    if (callback_ != nullptr && !goes_on(i)) return 1;
    const YResultTotalRaceHorse& run = runs_[i];
    if (run.excluded || run.resultcode == kScratched || run.resultcode == kExcluded) continue;
    auto at = found.emplace(key(run), getresultcount());
    if (at.second) rows_.emplace_back(name(run), at.first->first);
    rows_[at.first->second].add(run.finish, run.odds);
  }
  return 0;
}

int YResultTotal::total_horse() {
  return entities([](const YResultTotalRaceHorse& r) -> const std::string& { return r.horsekey; },
                  [](const YResultTotalRaceHorse& r) { return r.horsename; });
}

int YResultTotal::total_sire() {
  return entities([](const YResultTotalRaceHorse& r) -> const std::string& { return r.sirekey; },
                  [](const YResultTotalRaceHorse& r) { return EntityName(r.sirekey, r.sirename); });
}

int YResultTotal::total_bmsire() {
  return entities(
      [](const YResultTotalRaceHorse& r) -> const std::string& { return r.bmsirekey; },
      [](const YResultTotalRaceHorse& r) { return EntityName(r.bmsirekey, r.bmsirename); });
}

int YResultTotal::total_jockey() {
  return entities(
      [](const YResultTotalRaceHorse& r) -> const std::string& { return r.jockeycode; },
      [](const YResultTotalRaceHorse& r) { return EntityName(r.jockeycode, r.jockeyname); });
}

int YResultTotal::total_stable() {
  return entities(
      [](const YResultTotalRaceHorse& r) -> const std::string& { return r.stablecode; },
      [](const YResultTotalRaceHorse& r) { return EntityName(r.stablecode, r.stablename); });
}

int YResultTotal::total_distance() {
  return entities(DistanceKey, DistanceName);
}

int YResultTotal::total_course() {
  return entities(
      [](const YResultTotalRaceHorse& r) {
        char place[8];
        std::snprintf(place, sizeof place, "%02d", PlaceOf(r) == kOtherPlaces ? 99 : PlaceOf(r));
        return place + DistanceKey(r);
      },
      [](const YResultTotalRaceHorse& r) { return CourseName(PlaceOf(r)) + DistanceName(r); });
}

int YResultTotal::total_ninki() {
  makerows(Numbered("%d番人気", 1, 18));
  return bands([](const YResultTotalRaceHorse& r) { return r.popularity - 1; });
}

int YResultTotal::total_odds() {
  makerows({"1.0～1.4", "1.5～1.9", "2.0～2.9", "3.0～3.9", "4.0～4.9", "5.0～6.9", "7.0～9.9",
            "10.0～14.9", "15.0～19.9", "20.0～29.9", "30.0～49.9", "50.0～99.9", "100.0～"});
  static constexpr int kBounds[] = {15, 20, 30, 40, 50, 70, 100, 150, 200, 300, 500, 1000};
  return bands([](const YResultTotalRaceHorse& r) {
    return static_cast<int>(std::upper_bound(std::begin(kBounds), std::end(kBounds), r.odds) -
                            std::begin(kBounds));
  });
}

int YResultTotal::total_kyaku() {
  makerows({"逃げ", "先行", "差し", "追込"});
  return bands([](const YResultTotalRaceHorse& r) { return r.style - 1; });
}

int YResultTotal::total_wakuban() {
  std::vector<std::string> names = Numbered("%d枠", 1, 8);
  names.emplace_back("不明");
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) { return r.frame == 0 ? 8 : r.frame - 1; });
}

int YResultTotal::total_umaban() {
  std::vector<std::string> names = Numbered("%d番", 1, 18);
  names.emplace_back("不明");
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) { return r.number == 0 ? 18 : r.number - 1; });
}

int YResultTotal::total_seirei() {
  std::vector<std::string> names;
  for (int age = 2; age <= 7; ++age) {
    names.push_back(std::to_string(age) + "歳・牡ｾﾝ");
    names.push_back(std::to_string(age) + "歳・牝");
  }
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) {
    if (r.age < 3) return -1;
    return std::min(2 * r.age - 6, 10) + (r.sex == 1 ? 1 : 0);
  });
}

int YResultTotal::total_month() {
  makerows(Numbered("%d月", 1, 12));
  return bands([](const YResultTotalRaceHorse& r) { return r.month() - 1; });
}

int YResultTotal::total_place() {
  rows_.clear();
  for (int place = 0; place <= kOtherPlaces; ++place) {
    for (const char* track : kTracks) {
      rows_.emplace_back(CourseName(place) + ytext::to_sjis_lossy(track), "");
    }
  }
  return bands([](const YResultTotalRaceHorse& r) { return 3 * PlaceOf(r) + r.track; });
}

int YResultTotal::total_class() {
  makerows({"G1(JG1)", "G2(JG2)", "G3(JG3)", "OPEN", "1600万下", "900万下", "500万下", "未勝利",
            "新馬・未出走"});
  return bands([](const YResultTotalRaceHorse& r) { return r.raceclass; });
}

int YResultTotal::total_pace() {
  makerows({"Ｈ", "Ｍ", "Ｓ"});
  return bands([](const YResultTotalRaceHorse& r) { return r.pace; });
}

int YResultTotal::total_baba() {
  std::vector<std::string> names;
  for (const char* track : kTracks) {
    for (const char* going : {"良", "稍重", "重", "不良"}) {
      names.push_back(std::string(track) + "・" + going);
    }
  }
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) {
    return r.going == YResultTotalRaceHorse::kUnknownGoing ? -1 : r.going + 4 * r.track;
  });
}

int YResultTotal::total_bataiju() {
  std::vector<std::string> names{"400kg未満"};
  for (int kg = 400; kg < 600; kg += 10) {
    names.push_back(std::to_string(kg) + "kg～" + std::to_string(kg + 9) + "kg");
  }
  names.emplace_back("600kg以上");
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) {
    if (r.bodyweight < 400) return 0;
    if (r.bodyweight >= 600) return 21;
    return r.bodyweight / 10 - 39;
  });
}

int YResultTotal::total_zougen() {
  makerows({"+20kg以上", "+15kg～+19kg", "+10kg～+14kg", "+4kg～+9kg", "-3kg～+3kg",
            "-9kg～-4kg", "-14kg～-10kg", "-19kg～-15kg", "-20kg以下", "増減不明"});
  return bands([](const YResultTotalRaceHorse& r) {
    const int change = r.weightchange;
    if (change == YResultTotalRaceHorse::kUnknownChange) return 9;
    if (change > 19) return 0;
    if (change > 14) return 1;
    if (change > 9) return 2;
    if (change > 3) return 3;
    if (change > -4) return 4;
    if (change > -10) return 5;
    if (change > -15) return 6;
    if (change >= -19) return 7;
    return 8;
  });
}

int YResultTotal::total_kinryo() {
  std::vector<std::string> names = Numbered("%dkg台", 48, 59);
  names.emplace_back("60kg以上");
  makerows(names);
  return bands([](const YResultTotalRaceHorse& r) {
    return r.weightcarried < 480 ? -1 : std::min(r.weightcarried / 10 - 48, 12);
  });
}
