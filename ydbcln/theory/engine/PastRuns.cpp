// The theory engine's past-run tables: a runner's own runs, its jockey's
// rides, its trainer's runners and its sire's offspring's runs, each
// fetched once per race and read into rows, or viewed in the runs of a
// range read once.
#include "ydbcln/theory/engine/PastRuns.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/engine/RangeRuns.h"

namespace ytheory {
namespace {

constexpr int kSireCodeSize = 41;  // sire key 7, sire name 34
constexpr int kSireNameWidth = 34;

std::string datetext(int date) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", date);
  return text;
}

bool blank(const char* code, int width) {
  for (int i = 0; i < width; ++i) {
    if (code[i] != 0 && code[i] != ' ') return false;
  }
  return true;
}

// Reads the past-run records of `buffer` into `rows` and releases it.
// False for a null buffer: the store did not answer.
template <class Row>
bool readrows(void* fetched, std::vector<Row>* rows) {
  yrace::OwnedBuffer buffer(fetched);
  if (buffer == nullptr) return false;
  const int n = yrace::record_count(buffer.get(), pastrunrec::kSize);
  rows->clear();
  rows->reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    rows->emplace_back(yrace::record_at(buffer.get(), pastrunrec::kSize, k));
  }
  return true;
}

// The index of `code` in `list`, appended when new.
int distinct(std::vector<std::string>* list, const std::string& code) {
  for (std::size_t i = 0; i < list->size(); ++i) {
    if ((*list)[i] == code) return static_cast<int>(i);
  }
  list->push_back(code);
  return static_cast<int>(list->size()) - 1;
}

}  // namespace

PastRuns::PastRuns() {
  Clear();
}

PastRuns::PastRuns(const PastRuns& other) { *this = other; }

PastRuns& PastRuns::operator=(const PastRuns& other) {
  if (this == &other) return *this;
  std::copy(std::begin(other.horse), std::end(other.horse), std::begin(horse));
  std::copy(std::begin(other.jockey), std::end(other.jockey), std::begin(jockey));
  std::copy(std::begin(other.stable), std::end(other.stable), std::begin(stable));
  std::copy(std::begin(other.sire), std::end(other.sire), std::begin(sire));
  trainers = other.trainers;
  sires = other.sires;
  std::copy(std::begin(other.trainerof), std::end(other.trainerof), std::begin(trainerof));
  std::copy(std::begin(other.sireof), std::end(other.sireof), std::begin(sireof));
  std::copy(std::begin(other.filled_), std::end(other.filled_), std::begin(filled_));
  std::copy(std::begin(other.ranged_), std::end(other.ranged_), std::begin(ranged_));
  std::copy(std::begin(other.months_), std::end(other.months_), std::begin(months_));
  range_ = other.range_;
  std::copy(std::begin(other.ownhorse_), std::end(other.ownhorse_), std::begin(ownhorse_));
  std::copy(std::begin(other.ownjockey_), std::end(other.ownjockey_), std::begin(ownjockey_));
  std::copy(std::begin(other.ownstable_), std::end(other.ownstable_), std::begin(ownstable_));
  std::copy(std::begin(other.ownsire_), std::end(other.ownsire_), std::begin(ownsire_));
  PointAtOwnRows();
  return *this;
}

void PastRuns::PointAtOwnRows() {
  for (int i = 0; i < kMaxRunners; ++i) {
    if (filled_[0] && !ranged_[0]) horse[i] = RowsOf(ownhorse_[i]);
    if (filled_[1] && !ranged_[1]) jockey[i] = RowsOf(ownjockey_[i]);
    if (filled_[2] && !ranged_[2]) stable[i] = RowsOf(ownstable_[i]);
    if (filled_[3] && !ranged_[3]) sire[i] = RowsOf(ownsire_[i]);
  }
}

void PastRuns::Clear() {
  for (int t = 0; t < 4; ++t) {
    if (!filled_[t]) continue;
    for (int i = 0; i < kMaxRunners; ++i) {
      switch (static_cast<Table>(t)) {
        case Table::kHorse: horse[i] = {}; ownhorse_[i].clear(); break;
        case Table::kJockey: jockey[i] = {}; ownjockey_[i].clear(); break;
        case Table::kStable: stable[i] = {}; ownstable_[i].clear(); break;
        case Table::kSire: sire[i] = {}; ownsire_[i].clear(); break;
      }
    }
  }
  std::fill(std::begin(filled_), std::end(filled_), false);
  std::fill(std::begin(ranged_), std::end(ranged_), false);
  std::fill(std::begin(months_), std::end(months_), 0);
  std::fill(std::begin(trainerof), std::end(trainerof), -1);
  std::fill(std::begin(sireof), std::end(sireof), -1);
}

void PastRuns::UseRange(RangeRuns* range) {
  Clear();
  range_ = range;
}

void PastRuns::Fill(YHorseDB* db, Table table, int months, Race* race, bool keepnames) {
  const int t = static_cast<int>(table);
  // The horse table has no period; the others cover the months asked for.
  if (filled_[t] && (table == Table::kHorse || months <= months_[t])) return;
  if (range_ != nullptr && range_->Covers(race->date)) {
    FillFromRange(db, table, months, race, keepnames);
    ranged_[t] = true;
  } else {
    switch (table) {
      case Table::kHorse: FillHorse(db, *race); break;
      case Table::kJockey: FillJockey(db, months, *race); break;
      case Table::kStable: FillStable(db, months, *race); break;
      case Table::kSire: FillSire(db, months, race, keepnames); break;
    }
    ranged_[t] = false;
  }
  filled_[t] = true;
  months_[t] = months;
}

void PastRuns::FillFromRange(YHorseDB* db, Table table, int months, Race* race, bool keepnames) {
  range_->Cover(table, months);
  const int n = std::min(race->runnercount, kMaxRunners);
  bool answered = true;
  switch (table) {
    case Table::kHorse:
      for (int i = 0; i < n; ++i) {
        horse[i] = {};
        if (blank(race->runner[i].horse, 7)) continue;
        answered &= range_->Horse(std::string(race->runner[i].horse, 7), race->date, &horse[i]);
      }
      break;
    case Table::kJockey:
      for (int i = 0; i < n; ++i) {
        jockey[i] = {};
        if (blank(race->runner[i].jockey, 5)) continue;
        answered &= range_->Jockey(std::string(race->runner[i].jockey, 5), race->date, &jockey[i]);
      }
      break;
    case Table::kStable:
      DistinctTrainers(*race);
      for (std::size_t t = 0; t < trainers.size(); ++t) {
        answered &= range_->Stable(trainers[t], race->date, &stable[t]);
      }
      break;
    case Table::kSire:
      sires.clear();
      for (int i = 0; i < n; ++i) {
        Runner& x = race->runner[i];
        std::memset(x.sire, 0, sizeof x.sire);
        sireof[i] = -1;
        if (blank(x.horse, 7)) continue;
        const SireOfHorse* of = nullptr;
        answered &= range_->SireOf(std::string(x.horse, 7), &of);
        if (!of->known) continue;
        std::memcpy(x.sire, of->key, sizeof x.sire);
        if (!keepnames) x.sirename = of->name;
        if (!blank(x.sire, 7)) sireof[i] = distinct(&sires, std::string(x.sire, 7));
      }
      for (std::size_t s = 0; s < sires.size(); ++s) {
        answered &= range_->Sire(sires[s], race->date, &sire[s]);
      }
      break;
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::DistinctTrainers(const Race& race) {
  trainers.clear();
  for (int i = 0; i < race.runnercount; ++i) {
    trainerof[i] = blank(race.runner[i].trainer, 5)
                        ? -1
                        : distinct(&trainers, std::string(race.runner[i].trainer, 5));
  }
}

void PastRuns::FillHorse(YHorseDB* db, const Race& race) {
  bool answered = true;
  for (int i = 0; i < race.runnercount; ++i) {
    ownhorse_[i].clear();
    horse[i] = {};
    if (blank(race.runner[i].horse, 7)) continue;
    const std::string code(race.runner[i].horse, 7);
    answered &= readrows(get_uma_racey2code(code.c_str()), &ownhorse_[i]);
    horse[i] = RowsOf(ownhorse_[i]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::FillJockey(YHorseDB* db, int months, const Race& race) {
  const std::string from = datetext(race.PeriodStart(months));
  const std::string to = datetext(race.date);
  bool answered = true;
  for (int i = 0; i < race.runnercount; ++i) {
    ownjockey_[i].clear();
    jockey[i] = {};
    if (blank(race.runner[i].jockey, 5)) continue;
    const std::string code(race.runner[i].jockey, 5);
    answered &= readrows(get_jockey_racey2code(code.c_str(), from.c_str(), to.c_str()),
                         &ownjockey_[i]);
    jockey[i] = RowsOf(ownjockey_[i]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::FillStable(YHorseDB* db, int months, const Race& race) {
  DistinctTrainers(race);
  const std::string from = datetext(race.PeriodStart(months));
  const std::string to = datetext(race.date);
  bool answered = true;
  for (std::size_t t = 0; t < trainers.size(); ++t) {
    answered &= readrows(get_stable_racey2code(trainers[t].c_str(), from.c_str(), to.c_str()),
                         &ownstable_[t]);
    stable[t] = RowsOf(ownstable_[t]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::FillSire(YHorseDB* db, int months, Race* race, bool keepnames) {
  sires.clear();
  bool answered = true;
  for (int i = 0; i < race->runnercount; ++i) {
    Runner& x = race->runner[i];
    std::memset(x.sire, 0, sizeof x.sire);
    sireof[i] = -1;
    if (blank(x.horse, 7)) continue;
    const std::string code(x.horse, 7);
    yrace::OwnedBuffer record(get_sirecode_uma2code(code.c_str()));
    answered &= record != nullptr;
    if (yrace::record_count(record.get(), kSireCodeSize) != 1) continue;
    unsigned char* r = static_cast<unsigned char*>(record.get());
    std::memcpy(x.sire, r, sizeof x.sire);
    if (!keepnames) x.sirename = YUtil::delendspc(r + 7, kSireNameWidth);
    if (!blank(x.sire, 7)) sireof[i] = distinct(&sires, std::string(x.sire, 7));
  }
  const std::string from = datetext(race->PeriodStart(months));
  const std::string to = datetext(race->date);
  for (std::size_t s = 0; s < sires.size(); ++s) {
    answered &= readrows(get_sire_racey2code(sires[s].c_str(), from.c_str(), to.c_str()),
                         &ownsire_[s]);
    sire[s] = RowsOf(ownsire_[s]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

}  // namespace ytheory
