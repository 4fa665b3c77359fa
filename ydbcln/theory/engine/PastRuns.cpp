// The theory engine's past-run tables: a runner's own runs, its jockey's
// rides, its trainer's runners and its sire's offspring's runs, each
// fetched once per race and read into rows.
#include "ydbcln/theory/engine/PastRuns.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

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

void PastRuns::Clear() {
  for (int t = 0; t < 4; ++t) {
    if (!filled_[t]) continue;
    for (int i = 0; i < kMaxRunners; ++i) {
      switch (static_cast<Table>(t)) {
        case Table::kHorse: horse[i].clear(); break;
        case Table::kJockey: jockey[i].clear(); break;
        case Table::kStable: stable[i].clear(); break;
        case Table::kSire: sire[i].clear(); break;
      }
    }
  }
  std::fill(std::begin(filled_), std::end(filled_), false);
  std::fill(std::begin(months_), std::end(months_), 0);
  std::fill(std::begin(trainerof), std::end(trainerof), -1);
  std::fill(std::begin(sireof), std::end(sireof), -1);
}

void PastRuns::Fill(YHorseDB* db, Table table, int months, Race* race, bool keepnames) {
  const int t = static_cast<int>(table);
  // The horse table has no period; the others cover the months asked for.
  if (filled_[t] && (table == Table::kHorse || months <= months_[t])) return;
  switch (table) {
    case Table::kHorse: FillHorse(db, *race); break;
    case Table::kJockey: FillJockey(db, months, *race); break;
    case Table::kStable: FillStable(db, months, *race); break;
    case Table::kSire: FillSire(db, months, race, keepnames); break;
  }
  filled_[t] = true;
  months_[t] = months;
}

void PastRuns::FillHorse(YHorseDB* db, const Race& race) {
  bool answered = true;
  for (int i = 0; i < race.runnercount; ++i) {
    horse[i].clear();
    if (blank(race.runner[i].horse, 7)) continue;
    const std::string code(race.runner[i].horse, 7);
    answered &= readrows(get_uma_racey2code(code.c_str()), &horse[i]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::FillJockey(YHorseDB* db, int months, const Race& race) {
  const std::string from = datetext(race.PeriodStart(months));
  const std::string to = datetext(race.date);
  bool answered = true;
  for (int i = 0; i < race.runnercount; ++i) {
    jockey[i].clear();
    if (blank(race.runner[i].jockey, 5)) continue;
    const std::string code(race.runner[i].jockey, 5);
    answered &= readrows(get_jockey_racey2code(code.c_str(), from.c_str(), to.c_str()),
                         &jockey[i]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

void PastRuns::FillStable(YHorseDB* db, int months, const Race& race) {
  trainers.clear();
  for (int i = 0; i < race.runnercount; ++i) {
    trainerof[i] = blank(race.runner[i].trainer, 5)
                        ? -1
                        : distinct(&trainers, std::string(race.runner[i].trainer, 5));
  }
  const std::string from = datetext(race.PeriodStart(months));
  const std::string to = datetext(race.date);
  bool answered = true;
  for (std::size_t t = 0; t < trainers.size(); ++t) {
    answered &= readrows(get_stable_racey2code(trainers[t].c_str(), from.c_str(), to.c_str()),
                         &stable[t]);
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
                         &sire[s]);
  }
  if (!answered && db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

}  // namespace ytheory
