// Range evaluation's past runs: each subject's runs read once for the
// whole range (the horses' all at once) and handed out as views ending
// before a race's date.
#include "ydbcln/theory/engine/RangeRuns.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "db/api/ydbrange.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/PastRunRec.h"
#include "ydbcln/theory/engine/Evaluator.h"
#include "ydbcln/theory/engine/FactorRegistry.h"
#include "ydbcln/theory/engine/RangeRecs.h"

namespace ytheory {
namespace {

constexpr int kSireCodeSize = 41;  // sire key 7, sire name 34
constexpr int kSireNameWidth = 34;

std::string datetext(int date) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", date);
  return text;
}

// The sire whose key and name (kSireNameWidth bytes) are at `key` and `name`.
SireOfHorse sirefrom(const unsigned char* key, const unsigned char* name) {
  SireOfHorse sire;
  sire.known = true;
  std::memcpy(sire.key, key, sizeof sire.key);
  sire.name = YUtil::delendspc(const_cast<unsigned char*>(name), kSireNameWidth);
  return sire;
}

// The rows of the records of `fetched`, which is released. False for a
// null buffer: the store did not answer.
template <class Row>
bool readrows(void* fetched, std::vector<Row>* rows) {
  yrace::OwnedBuffer buffer(fetched);
  if (buffer == nullptr) return false;
  const int n = yrace::record_count(buffer.get(), pastrunrec::kSize);
  rows->reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    rows->emplace_back(yrace::record_at(buffer.get(), pastrunrec::kSize, k));
  }
  return true;
}

// The first of `rows` (in date order) dated `date` or later.
template <class Row>
const Row* before(const Row* first, const Row* last, int date) {
  return std::partition_point(first, last, [date](const Row& r) { return r.date < date; });
}

}  // namespace

RangeRuns::RangeRuns(int first, int last) : first_(first), last_(last) {}

int RangeRuns::Start(int months) const { return YUtil::beforemonth(first_, months); }

void RangeRuns::Cover(Table table, int months) {
  const int t = static_cast<int>(table);
  if (table == Table::kHorse || months <= months_[t]) return;
  months_[t] = months;
  switch (table) {
    case Table::kJockey: jockey_.clear(); break;
    case Table::kStable: stable_.clear(); break;
    case Table::kSire: sire_.clear(); break;
    case Table::kHorse: break;
  }
}

void RangeRuns::CoverCourse(int months) {
  if (months <= coursemonths_) return;
  coursemonths_ = months;
  course_.clear();
}

void RangeRuns::Cover(const _tagTHITEM* items, int count) {
  for (int i = 0; i < count; ++i) {
    const Factor* f = FindFactor(items[i].no);
    if (f == nullptr) continue;
    // A parameter the factor has not is taken as 0, as the evaluator does.
    const int months = f->param[1].kind == ParamKind::kNone ? 0 : items[i].param[1];
    if (f->compute == &Evaluator::RankByRule) Cover(f->rule.table, months);
    if (f->compute == &Evaluator::RankCourseDraw) CoverCourse(months);
  }
}

template <class Row, class Fetch>
bool RangeRuns::View(Runs<Row>* runs, const std::string& code, int date, const Fetch& fetch,
                     Rows<Row>* out) {
  auto found = runs->find(code);
  if (found == runs->end()) {
    std::vector<Row> rows;
    if (!readrows(fetch(), &rows)) {
      *out = Rows<Row>{};
      return false;
    }
    found = runs->emplace(code, Subject<Row>{std::move(rows), {}}).first;
  }
  const std::vector<Row>& rows = found->second.rows;
  out->first = rows.data();
  out->kept = rows.data() + rows.size();
  out->last = before(out->first, out->kept, date);
  out->splits = &found->second.splits;
  return true;
}

void RangeRuns::ReadHorses() {
  horsesread_ = true;
  yrace::OwnedBuffer buffer(
      get_uma_racey2date_range(datetext(first_).c_str(), datetext(last_).c_str()));
  if (buffer == nullptr) return;
  using namespace horserunrec;
  const int n = yrace::record_count(buffer.get(), kSize);
  auto horseat = [&](int k) {
    return reinterpret_cast<const char*>(yrace::record_at(buffer.get(), kSize, k)) + kHorseCode;
  };
  // The buffer holds each horse's runs together, in race order.
  for (int k = 0; k < n;) {
    std::string code(horseat(k), kHorseCodeWidth);
    std::vector<YTheoryHorseRaceHorse> rows;
    for (; k < n && std::memcmp(horseat(k), code.data(), kHorseCodeWidth) == 0; ++k) {
      rows.emplace_back(yrace::record_at(buffer.get(), kSize, k) + kRun);
    }
    horse_.emplace(std::move(code), Subject<YTheoryHorseRaceHorse>{std::move(rows), {}});
  }
}

void RangeRuns::ReadSires() {
  siresread_ = true;
  yrace::OwnedBuffer buffer(
      get_sirecode2date_range(datetext(first_).c_str(), datetext(last_).c_str()));
  if (buffer == nullptr) return;
  using namespace horsesirerec;
  const int n = yrace::record_count(buffer.get(), kSize);
  for (int k = 0; k < n; ++k) {
    const unsigned char* r = yrace::record_at(buffer.get(), kSize, k);
    sireof_.emplace(std::string(reinterpret_cast<const char*>(r) + kHorseCode, kHorseCodeWidth),
                    sirefrom(r + kSireCode, r + kSireName));
  }
}

bool RangeRuns::Horse(const std::string& code, int date, Rows<YTheoryHorseRaceHorse>* out) {
  if (!horsesread_) ReadHorses();
  const bool answered =
      View(&horse_, code, date, [&] { return get_uma_racey2code(code.c_str()); }, out);
  // A horse has a few dozen runs at most: walking them costs less than
  // splitting them.
  out->splits = nullptr;
  return answered;
}

bool RangeRuns::Jockey(const std::string& code, int date, Rows<YTheoryJockeyRaceHorse>* out) {
  return View(&jockey_, code, date, [&] {
    return get_jockey_racey2code(code.c_str(), datetext(Start(months(Table::kJockey))).c_str(),
                                 datetext(last_).c_str());
  }, out);
}

bool RangeRuns::Stable(const std::string& code, int date, Rows<YTheoryStableRaceHorse>* out) {
  return View(&stable_, code, date, [&] {
    return get_stable_racey2code(code.c_str(), datetext(Start(months(Table::kStable))).c_str(),
                                 datetext(last_).c_str());
  }, out);
}

bool RangeRuns::Sire(const std::string& code, int date, Rows<YTheorySireRaceHorse>* out) {
  return View(&sire_, code, date, [&] {
    return get_sire_racey2code(code.c_str(), datetext(Start(months(Table::kSire))).c_str(),
                               datetext(last_).c_str());
  }, out);
}

bool RangeRuns::SireOf(const std::string& horse, const SireOfHorse** out) {
  if (!siresread_) ReadSires();
  auto found = sireof_.find(horse);
  if (found == sireof_.end()) {
    yrace::OwnedBuffer record(get_sirecode_uma2code(horse.c_str()));
    if (record == nullptr) {
      static const SireOfHorse kUnknown;
      *out = &kUnknown;
      return false;
    }
    SireOfHorse sire;
    if (yrace::record_count(record.get(), kSireCodeSize) == 1) {
      const unsigned char* r = static_cast<unsigned char*>(record.get());
      sire = sirefrom(r, r + 7);
    }
    found = sireof_.emplace(horse, std::move(sire)).first;
  }
  *out = &found->second;
  return true;
}

bool RangeRuns::Course(int racecourse, int surface, int distance, int from, int date,
                       Rows<CourseRun>* out) {
  const std::string key = std::to_string(racecourse) + "/" + std::to_string(surface) + "/" +
                          std::to_string(distance);
  auto found = course_.find(key);
  if (found == course_.end()) {
    yrace::OwnedBuffer buffer(
        get_raceh_racey2code(Start(coursemonths_), last_, racecourse, surface, distance));
    if (buffer == nullptr) {
      *out = Rows<CourseRun>{};
      return false;
    }
    std::vector<CourseRun> runs;
    const int n = yrace::record_count(buffer.get(), pastrunrec::kSize);
    runs.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
      unsigned char* r = yrace::record_at(buffer.get(), pastrunrec::kSize, k);
      runs.push_back({YUtil::getnum(r + pastrunrec::kDate, 8),
                      YUtil::getnum(r + pastrunrec::kHorseNumber, 2),
                      YUtil::getnum(r + pastrunrec::kFinishingOrder, 2)});
    }
    found = course_.emplace(key, std::move(runs)).first;
  }
  const std::vector<CourseRun>& runs = found->second;
  const CourseRun* end = runs.data() + runs.size();
  out->first = before(runs.data(), end, from);
  out->last = before(out->first, end, date);
  return true;
}

}  // namespace ytheory
