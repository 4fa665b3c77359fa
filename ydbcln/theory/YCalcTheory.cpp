// The theory engine's life and its order of work: construction and copies,
// exec and allrank, the dispatch from factor code to factor, the rank rule
// and the dropping of the past-run tables.
#include "ydbcln/theory/YCalcTheory.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YTheories.h"

namespace {

void* duplicate(const void* buffer) { return buffer == nullptr ? nullptr : dup_data(buffer); }

}  // namespace

YCalcTheory::YCalcTheory(YHorseDB* db) : db_(db), result_(new YTheoryResult(db)) {
  for (Runner& r : runner_) r = Runner{};
  std::fill(std::begin(trainerof_), std::end(trainerof_), -1);
  std::fill(std::begin(sireof_), std::end(sireof_), -1);
}

YCalcTheory::YCalcTheory(const YCalcTheory& other)
    : db_(other.db_), result_(new YTheoryResult(*other.result_)) {
  copyfrom(other);
}

YCalcTheory& YCalcTheory::operator=(const YCalcTheory& other) {
  if (this == &other) return *this;
  db_ = other.db_;
  *result_ = *other.result_;
  releasebuffers();
  copyfrom(other);
  return *this;
}

YCalcTheory::~YCalcTheory() {
  releasebuffers();
  delete result_;
}

void YCalcTheory::copyfrom(const YCalcTheory& other) {
  racekey_ = other.racekey_;
  racecourse_ = other.racecourse_;
  going_ = other.going_;
  date_ = other.date_;
  meeting_ = other.meeting_;
  surface_ = other.surface_;
  distance_ = other.distance_;
  runnercount_ = other.runnercount_;
  extra_ = other.extra_;
  std::copy(std::begin(other.runner_), std::end(other.runner_), std::begin(runner_));
  trainers_ = other.trainers_;
  sires_ = other.sires_;
  std::copy(std::begin(other.trainerof_), std::end(other.trainerof_), std::begin(trainerof_));
  std::copy(std::begin(other.sireof_), std::end(other.sireof_), std::begin(sireof_));
  for (int i = 0; i < kMaxRunners; ++i) {
    horserows_[i] = other.horserows_[i];
    jockeyrows_[i] = other.jockeyrows_[i];
    stablerows_[i] = other.stablerows_[i];
    sirerows_[i] = other.sirerows_[i];
  }
  horsefilled_ = other.horsefilled_;
  sirefilled_ = other.sirefilled_;
  jockeyfilled_ = other.jockeyfilled_;
  stablefilled_ = other.stablefilled_;
  nomination_ = other.nomination_;
  cardbuffer_ = duplicate(other.cardbuffer_);
  resultbuffer_ = duplicate(other.resultbuffer_);
  runnerbuffer_ = duplicate(other.runnerbuffer_);
}

void YCalcTheory::releasebuffers() {
  if (cardbuffer_ != nullptr) release_data(cardbuffer_);
  if (resultbuffer_ != nullptr) release_data(resultbuffer_);
  if (runnerbuffer_ != nullptr) release_data(runnerbuffer_);
  cardbuffer_ = nullptr;
  resultbuffer_ = nullptr;
  runnerbuffer_ = nullptr;
}

YTheoryResult* YCalcTheory::getresult() { return result_; }

void YCalcTheory::setkaime(int bettype, YTheoryOption* option) { result_->setkaime(bettype, option); }

int YCalcTheory::sectotime(int t) { return t % 600 + (t / 600) * 1000; }

int YCalcTheory::periodstart(int months) const { return YUtil::beforemonth(date_, months); }

std::vector<int> YCalcTheory::itemorder(const _tagTHITEM* items, int count) const {
  // Category ascending and, within a category, the second parameter
  // descending, so that the first item of a category fetches its table for
  // the longest period any of its items asks for.
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
  auto before = [&](int a, int b) {
    const int ca = YTheories::getcategory_no(items[a].no);
    const int cb = YTheories::getcategory_no(items[b].no);
    return ca < cb || (ca == cb && items[a].param[1] > items[b].param[1]);
  };
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (before(order[j], order[i])) std::swap(order[i], order[j]);
    }
  }
  return order;
}

int YCalcTheory::exec(YTheory* theory, std::string racecode, int usecard, int nomination,
                      tagYCalcInfo* info, bool resultonly) {
  if (theory == nullptr || !yrace::is_race_code(racecode)) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  deletevector();
  nomination_ = nomination;
  bool cardflag = usecard != 0 && !resultonly;
  if (searchrace(racecode, cardflag, nomination, info) != 0) return -1;
  if (resultonly && cardflag) return -1;  // not yet run: nothing to count

  const _tagTHEORYREC* rec = theory->record();
  const int count = std::clamp(rec->count, 0, YTheory::kMaxItems);
  const std::vector<int> order = itemorder(rec->item, count);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int i = order[k];
    std::fill(std::begin(result_->rank[i]), std::end(result_->rank[i]), 0);
    result_->columncount[i] = 0;
    calc(theory, i, result_->rank[i], resultonly);
    const bool last = k + 1 == order.size();
    if (last || YTheories::getcategory_no(rec->item[order[k + 1]].no) !=
                    YTheories::getcategory_no(rec->item[i].no)) {
      deletevector();
    }
  }

  if (resultonly) {
    result_->setresult(static_cast<_tagRACERMREC*>(resultbuffer_), info);
    setslots();
  } else if (cardflag) {
    result_->set(static_cast<_tagRACEDREC*>(cardbuffer_), info, nomination);
  } else {
    result_->set(static_cast<_tagRACERMREC*>(resultbuffer_), info, runnerbuffer_);
  }
  result_->setth(theory, nullptr);
  return 0;
}

int YCalcTheory::allrank(_tagTHITEM* items, int count, std::string& racecode,
                         unsigned char ranks[][kRankRow]) {
  if (items == nullptr || ranks == nullptr || count < 0 || count > YTheories::theorynomax ||
      !yrace::is_race_code(racecode)) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  deletevector();
  bool cardflag = false;
  if (searchrace(racecode, cardflag, nomination_, nullptr) != 0) return -1;
  if (runnercount_ > kRankRow) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  const std::vector<int> order = itemorder(items, count);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int i = order[k];
    YTheory single(nullptr);
    single.additem(items[i].no, 100, items[i].param[0], items[i].param[1]);
    int local[kMaxRunners] = {};
    calc(&single, 0, local, true);
    // Rows end at the first 0xFF: the runners of the race, then unused.
    for (int r = 0; r < kRankRow; ++r) {
      ranks[i][r] = r < runnercount_ ? static_cast<unsigned char>(local[r] & 0xff) : 0xff;
    }
    const bool last = k + 1 == order.size();
    if (last || YTheories::getcategory_no(items[order[k + 1]].no) !=
                    YTheories::getcategory_no(items[i].no)) {
      deletevector();
    }
  }
  return 0;
}

void YCalcTheory::setrank(int n, bool larger, bool* valid, double* value, int* rank) {
  auto counts = [&](int i) { return valid[i] && runner_[i].mark != YTheoryResult::kExcludedMark; };
  // Values are means of fractions (a position over its field): two that
  // differ only by the rounding of their sums are equal and share a rank.
  auto better = [&](double a, double b) {
    const double slack = 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
    return larger ? a > b + slack : a < b - slack;
  };
  for (int i = 0; i < n; ++i) {
    if (!counts(i)) {
      rank[i] = 0;
      continue;
    }
    int ahead = 0;
    for (int j = 0; j < n; ++j) {
      if (j == i || !counts(j)) continue;
      if (better(value[j], value[i])) ++ahead;
    }
    rank[i] = 1 + ahead;
  }
}

void YCalcTheory::deletevector() {
  if (horsefilled_) {
    for (auto& rows : horserows_) rows.clear();
  }
  if (jockeyfilled_) {
    for (auto& rows : jockeyrows_) rows.clear();
  }
  if (stablefilled_) {
    for (auto& rows : stablerows_) rows.clear();
  }
  if (sirefilled_) {
    for (auto& rows : sirerows_) rows.clear();
  }
  horsefilled_ = sirefilled_ = jockeyfilled_ = stablefilled_ = false;
}

int YCalcTheory::calc(YTheory* th, int i, int* r, bool ro) {
  const int no = th->getitemno(i);
  const int p1 = th->getitemparam(i, 0);
  const int p2 = th->getitemparam(i, 1);
  switch (no) {
    case 1: return calc_horseaveragetime(th, i, p2, r, ro);
    case 2: return calc_horsebesttime(th, i, r, ro);
    case 3: return calc_horsebefore3f(th, i, p1, p2, r, ro);
    case 4: return calc_horselast3f(th, i, p1, p2, r, ro);
    case 5: return calc_horsechakusa(th, i, p1, p2, r, ro);
    case 6: return calc_horsekinryo(th, i, p2, r, ro);
    case 7: return calc_horseninki(th, i, p2, r, ro);
    case 8: return calc_horsechaku(th, i, p2, r, ro);
    case 9: return calc_horseodds(th, i, p1, p2, r, ro);
    case 10: return calc_horsejisseki(th, i, r, ro);
    case 11: return calc_horsekyoritekisei(th, i, p1, p2, r, ro);
    case 12: return calc_horserentai(th, i, r, ro);
    case 13: return calc_horseshoritsu(th, i, r, ro);
    case 14: return calc_horsekyorirentai(th, i, p1, r, ro);
    case 15: return calc_horsekyorishoritsu(th, i, p1, r, ro);
    case 16: return calc_horsespindex(th, i, p2, r, ro);
    case 17: return calc_horsebabatekisei(th, i, r, ro);
    case 18: return calc_horsecoursetekisei(th, i, r, ro);
    case 19: return calc_sirejisseki(th, i, p1, p2, r, ro);
    case 20: return calc_sirecoursejisseki(th, i, p1, p2, r, ro);
    case 21: return calc_sirekettou(th, i, p2, r, ro);
    case 22: return calc_jockeyjisseki(th, i, p2, r, ro);
    case 23: return calc_jockeyrentairitsu(th, i, p2, r, ro);
    case 24: return calc_jockeyshouritsu(th, i, p2, r, ro);
    case 25: return calc_jockeykyorirentairitsu(th, i, p1, p2, r, ro);
    case 26: return calc_jockeykyorishouritsu(th, i, p1, p2, r, ro);
    case 27: return calc_jockeyracejisseki(th, i, p1, p2, r, ro);
    case 28: return calc_stablerentairitsu(th, i, p2, r, ro);
    case 29: return calc_stablejisseki(th, i, p2, r, ro);
    case 30: return calc_deme(th, i, p2, r, ro);
    case 31: return calc_yosoumark(th, i, r, ro);
    case 32: return calc_horsewaku(th, i, r, ro);
    case 33: return calc_horsetosu(th, i, r, ro);
    case 34: return calc_horsekaku(th, i, r, ro);
    case 35: return calc_horseseason(th, i, r, ro);
    case 36: return calc_horsejockey(th, i, r, ro);
    case 37: return calc_raceyosouodds(th, i, r, ro);
    case 38: return calc_choukyou(th, i, r, ro);
    case 39: return calc_horse3chakunai(th, i, r, ro);
    case 40: return calc_horsekyori3chakunai(th, i, p1, r, ro);
    case 41: return calc_jockey3chakunai(th, i, p2, r, ro);
    case 42: return calc_jockeykyori3chakunai(th, i, p1, p2, r, ro);
    case 43: return calc_stable3chakunai(th, i, p2, r, ro);
    case 44: return calc_stableshouritsu(th, i, p2, r, ro);
    case 45: return calc_horsejisseki1(th, i, r, ro);
    case 46: return calc_jockeyseason(th, i, p2, r, ro);
    case 47: return calc_stableseason(th, i, p2, r, ro);
    case 48: return calc_sireseason(th, i, p2, r, ro);
    case 49: return calc_horsekaisai(th, i, r, ro);
    case 50: return calc_jockeykaisai(th, i, p2, r, ro);
    case 51: return calc_stablekaisai(th, i, p2, r, ro);
    case 52: return calc_sirekaisai(th, i, p2, r, ro);
    case 53: return calc_horseracejisseki(th, i, p1, r, ro);
    case 54: return calc_stableracejisseki(th, i, p1, p2, r, ro);
    case 55: return calc_sireracejisseki(th, i, p1, p2, r, ro);
    case 56: return calc_stablekyorijisseki(th, i, p1, p2, r, ro);
    case 57: return calc_jockeywaku(th, i, p2, r, ro);
    case 58: return calc_jockeytosu(th, i, p2, r, ro);
    case 59: return calc_jockeybasyojisseki(th, i, p2, r, ro);
    case 60: return calc_stablekyorijisseki(th, i, p2, r, ro);
    case 61: return calc_sirekyorijisseki(th, i, p2, r, ro);
    case 62: return calc_jockeybabatekisei(th, i, p2, r, ro);
    case 63: return calc_jockeykyoritekisei(th, i, p1, p2, r, ro);
    case 64: return calc_stablekyoritekisei(th, i, p1, p2, r, ro);
    case 65: return calc_sirekyoritekisei(th, i, p1, p2, r, ro);
    case 66: return calc_jockeychaku(th, i, p2, r, ro);
    case 67: return calc_jockeystable(th, i, p2, r, ro);
    case 68: return calc_horsecoursejisseki(th, i, p1, r, ro);
    case 69: return calc_jockeycoursejisseki(th, i, p1, p2, r, ro);
    case 70: return calc_stablecoursejisseki(th, i, p1, p2, r, ro);
    case 71: return calc_jockeycoursetekisei(th, i, p2, r, ro);
    case 72: return calc_horsecourseshoritsu(th, i, p1, r, ro);
    case 73: return calc_jockeycourseshoritsu(th, i, p1, p2, r, ro);
    case 74: return calc_horsecourserentai(th, i, p1, r, ro);
    case 75: return calc_jockeycourserentai(th, i, p1, p2, r, ro);
    case 76: return calc_horsecourse3chakunai(th, i, p1, r, ro);
    case 77: return calc_jockeycourse3chakunai(th, i, p1, p2, r, ro);
    case 78: return calc_horseana(th, i, r, ro);
    default: return 0;
  }
}
