// The return analysis: a theory run over a list of run races as one range,
// its tickets checked race by race and totalled by category.
#include "ydbcln/money/YKaishu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "text/sjis.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

constexpr int kRaceCodeWidth = 12;
constexpr int kStakePerTicket = 100;
constexpr int kBetTypes = 5;

// v = trunc(part / whole × scale + 0.5), shown with `decimals` decimals
// and a percent sign; 0 when the divisor is 0.
std::string rate_text(long long part, long long whole, int decimals) {
  const int scale = decimals == 2 ? 100 : 10;
  int v = 0;
  if (whole != 0) {
    v = static_cast<int>(std::trunc(static_cast<double>(part) / static_cast<double>(whole) *
                                        (100.0 * scale) +
                                    0.5));
  }
  char text[32];
  std::snprintf(text, sizeof text, decimals == 2 ? "%d.%02d%%" : "%d.%1d%%", v / scale, v % scale);
  return text;
}

std::string yen(int value) { return YUtil::getyen(static_cast<unsigned int>(value), 1); }

// The earliest and latest race date of the codes, as YYYYMMDD.
void date_range(const std::vector<std::string>& codes, int* first, int* last) {
  *first = *last = 0;
  for (const std::string& code : codes) {
    if (!yrace::is_race_code(code)) continue;
    const int date = std::stoi(code.substr(2, 8));
    if (*first == 0 || date < *first) *first = date;
    if (date > *last) *last = date;
  }
}

}  // namespace

YKaishu::YKaishu(YHorseDB* db) : db_(db) {}

YKaishu::YKaishu(const YKaishu& other) = default;

YKaishu& YKaishu::operator=(const YKaishu& other) = default;

YKaishu::~YKaishu() = default;

void YKaishu::setcallback(Callback fn) { callback_ = fn; }

void YKaishu::racestr(char* racecode, char* text) {
  static const std::string kYear = ytext::to_sjis_lossy("年");
  static const std::string kMonth = ytext::to_sjis_lossy("月");
  static const std::string kDay = ytext::to_sjis_lossy("日");
  static const std::string kTail = ytext::to_sjis_lossy("レースを計算中です．");
  if (text == nullptr) return;
  text[0] = '\0';
  if (racecode == nullptr) return;
  auto* code = reinterpret_cast<unsigned char*>(racecode);
  char number[16];
  std::string out = std::to_string(YUtil::getnum(code + 2, 4)) + kYear;
  std::snprintf(number, sizeof number, "%2d", YUtil::getnum(code + 6, 2));
  out += number + kMonth;
  std::snprintf(number, sizeof number, "%2d", YUtil::getnum(code + 8, 2));
  out += number + kDay + YUtil::getplace(code, false);
  std::snprintf(number, sizeof number, "%2d", YUtil::getnum(code + 10, 2));
  out += number + kTail;
  const std::size_t n = std::min(out.size(), static_cast<std::size_t>(kRaceStrSize - 1));
  std::memcpy(text, out.data(), n);
  text[n] = '\0';
}

int YKaishu::distancerow(int metres) {
  if (metres == 1000) return 0;
  if (metres >= 2402) return 7;
  const int row = (metres - 1001) / 200;  // toward zero: 802 m to 1200 m are row 0
  return row < 0 ? -1 : row;
}

void YKaishu::clear() {
  total_ = YKaishuTotal();
  std::fill(std::begin(course_), std::end(course_), YKaishuTotal());
  std::fill(std::begin(age_), std::end(age_), YKaishuTotal());
  std::fill(std::begin(class_), std::end(class_), YKaishuTotal());
  std::fill(std::begin(going_), std::end(going_), YKaishuTotal());
  for (auto& track : distance_) std::fill(std::begin(track), std::end(track), YKaishuTotal());
  jump_ = YKaishuTotal();
  for (std::string& s : summary) s.clear();
  for (auto& row : course) for (std::string& s : row) s.clear();
  for (auto& row : age) for (std::string& s : row) s.clear();
  for (auto& row : classes) for (std::string& s : row) s.clear();
  for (auto& row : going) for (std::string& s : row) s.clear();
  for (auto& track : distance) for (auto& row : track) for (std::string& s : row) s.clear();
  for (std::string& s : jump) s.clear();
  tekicodes_.clear();
  tekiinfo_.clear();
  stopped_.clear();
}

int YKaishu::exec(YTheory* theory, int kind, YTheoryOption* const options, int count,
                  char* races) {
  if (theory == nullptr || options == nullptr || kind < 0 || kind >= kBetTypes ||
      (races == nullptr && count > 0)) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  clear();
  std::vector<std::string> codes;
  for (int i = 0; i < count; ++i) {
    codes.emplace_back(races + static_cast<std::size_t>(i) * kRaceCodeWidth, kRaceCodeWidth);
  }
  YCalcTheory engine(db_);
  int first = 0, last = 0;
  date_range(codes, &first, &last);
  engine.beginrange(theory, first, last);
  int status = 0;
  for (int i = 0; i < count && status == 0; ++i) {
    std::string& code = codes[static_cast<std::size_t>(i)];
    if (callback_ != nullptr) {
      char text[kRaceStrSize];
      racestr(&code[0], text);
      if (callback_(i + 1, count, text) == 0) {
        stopped_ = code;
        status = 1;
        break;
      }
    }
    if (engine.exec(theory, code, 0, 0, nullptr, true) != 0) {
      stopped_ = code;
      status = -1;
      break;
    }
    engine.setkaime(kind, options);
    YTheoryResult* result = engine.getresult();
    if (!result->settekichu(kind)) continue;
    if (kind == YTheoryResult::kQuinella && result->runnercount <= 8) continue;
    addrace(result);
  }
  engine.endrange();
  if (status == 0) settexts();
  return status;
}

void YKaishu::addrace(YTheoryResult* result) {
  if (result->hitcount > 0) {
    tekicodes_.push_back(result->racekey);
    tekiinfo_.emplace_back(*result);
  }
  addtototal(&total_, 0, result);
  if (result->placeindex >= 0 && result->placeindex < kCourses) {
    addtototal(course_, result->placeindex, result);
  }
  if (result->agekind >= 0 && result->agekind < kAges) addtototal(age_, result->agekind, result);
  if (result->classindex >= 0 && result->classindex < kClasses) {
    addtototal(class_, result->classindex, result);
  }
  if (result->going >= 0 && result->going < kGoings) addtototal(going_, result->going, result);
  if (result->surface == 2) {
    addtototal(&jump_, 0, result);
  } else if (result->surface == 0 || result->surface == 1) {
    YKaishuTotal* track = distance_[result->surface];
    const int row = distancerow(result->distance);
    if (row >= 0) addtototal(track, row, result);
    addtototal(track, kDistanceTotal, result);
  }
}

void YKaishu::addtototal(YKaishuTotal* total, int index, YTheoryResult* result) {
  YKaishuTotal& t = total[index];
  ++t.races;
  if (result->hitcount > 0) ++t.hitraces;
  t.staked += result->ticketcount * kStakePerTicket;
  for (int h = 0; h < result->hitcount && h < YTheoryResult::kMaxHits; ++h) {
    t.returned += result->hitamount[h];
    t.largest = std::max(t.largest, result->hitamount[h]);
  }
}

void YKaishu::setresult(std::string* row, const YKaishuTotal& t) {
  if (t.races == 0 && t.hitraces == 0) {
    for (int c = 0; c < kColumns; ++c) row[c].clear();
    return;
  }
  row[0] = YUtil::getnumstr(t.races);
  row[1] = YUtil::getnumstr(t.hitraces);
  row[2] = rate_text(t.hitraces, t.races, 1);
  row[3] = rate_text(t.returned, t.staked, 1);
}

void YKaishu::settexts() {
  summary[0] = YUtil::getnumstr(total_.races);
  summary[1] = YUtil::getnumstr(total_.hitraces);
  summary[2] = yen(total_.staked);
  summary[3] = yen(total_.returned);
  summary[4] = yen(total_.largest);
  summary[5] = rate_text(total_.hitraces, total_.races, 2);
  summary[6] = rate_text(total_.returned, total_.staked, 2);
  for (int r = 0; r < kCourses; ++r) setresult(course[r], course_[r]);
  for (int r = 0; r < kAges; ++r) setresult(age[r], age_[r]);
  for (int r = 0; r < kClasses; ++r) setresult(classes[r], class_[r]);
  for (int r = 0; r < kGoings; ++r) setresult(going[r], going_[r]);
  for (int t = 0; t < kTracks; ++t) {
    for (int r = 0; r < kDistances; ++r) setresult(distance[t][r], distance_[t][r]);
  }
  setresult(jump, jump_);
}

void YKaishu::setcondstring(YSearchDetailRace* search, YTheory* theory) {
  for (std::string& s : condition) s.clear();
  if (theory != nullptr) condition[0] = theory->getname();
  if (search != nullptr) {
    std::string texts[kConditions];
    search->getsearchstring(texts);
    for (int i = 1; i < kConditions; ++i) condition[i] = texts[i - 1];
  }
}

int YKaishu::gettekicnt() { return static_cast<int>(tekicodes_.size()); }

std::string YKaishu::gettekicode(int i) {
  return i >= 0 && i < gettekicnt() ? tekicodes_[static_cast<std::size_t>(i)] : std::string();
}

std::string YKaishu::get_tekichucode(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].racecode
                                    : std::string();
}

int YKaishu::get_tekichu_mindiv(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].mindiv : 0;
}

int YKaishu::get_tekichu_maxdiv(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].maxdiv : 0;
}

int YKaishu::get_tekichu_kind(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].kind : 0;
}

short YKaishu::get_tekichu_maxrank(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].maxrank : 0;
}

short YKaishu::get_tekichu_minrank(int i) {
  return i >= 0 && i < gettekicnt() ? tekiinfo_[static_cast<std::size_t>(i)].minrank : 0;
}
