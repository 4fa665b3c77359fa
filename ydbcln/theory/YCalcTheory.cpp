// The theory engine's public face: construction and copies, exec and
// allrank made of the evaluator (engine/Evaluator.h), and the protected
// steps of the engine as the evaluator's.
#include "ydbcln/theory/YCalcTheory.h"

#include <algorithm>
#include <memory>

#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/engine/Evaluator.h"

namespace {

// The category of factor `code`, -1 for a code outside the registry.
int category(int code) {
  const ytheory::Factor* f = ytheory::FindFactor(code);
  return f != nullptr ? static_cast<int>(f->category) : -1;
}

}  // namespace

YCalcTheory::YCalcTheory(YHorseDB* db)
    : db_(db), result_(new YTheoryResult(db)), evaluator_(new ytheory::Evaluator(db)) {}

YCalcTheory::YCalcTheory(const YCalcTheory& other)
    : db_(other.db_),
      nomination_(other.nomination_),
      result_(new YTheoryResult(*other.result_)),
      evaluator_(new ytheory::Evaluator(*other.evaluator_)) {}

YCalcTheory& YCalcTheory::operator=(const YCalcTheory& other) {
  if (this == &other) return *this;
  db_ = other.db_;
  nomination_ = other.nomination_;
  *result_ = *other.result_;
  *evaluator_ = *other.evaluator_;
  return *this;
}

YCalcTheory::~YCalcTheory() { delete result_; }

YTheoryResult* YCalcTheory::getresult() { return result_; }

void YCalcTheory::setkaime(int bettype, YTheoryOption* option) { result_->setkaime(bettype, option); }

int YCalcTheory::sectotime(int t) { return ytheory::SecondsToTime(t); }

void YCalcTheory::beginrange(YTheory* theory, int first, int last) {
  const _tagTHITEM* items = nullptr;
  int count = 0;
  if (theory != nullptr) {
    items = theory->record()->item;
    count = std::clamp(theory->record()->count, 0, YTheory::kMaxItems);
  }
  beginrange(items, count, first, last);
}

void YCalcTheory::beginrange(const _tagTHITEM* items, int count, int first, int last) {
  auto range = std::make_shared<ytheory::RangeRuns>(first, last);
  if (items != nullptr && count > 0) range->Cover(items, count);
  evaluator_->UseRange(std::move(range), std::make_shared<ytheory::RangeRaces>(first, last));
}

void YCalcTheory::endrange() { evaluator_->UseRange(nullptr); }

int YCalcTheory::exec(YTheory* theory, std::string racecode, int usecard, int nomination,
                      tagYCalcInfo* info, bool resultonly) {
  if (theory == nullptr || !yrace::is_race_code(racecode)) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  deletevector();
  nomination_ = nomination;
  bool cardflag = usecard != 0 && !resultonly;
  // Without display texts a run race of a range is read from the range.
  const bool ranged = resultonly && ysession::ready(db_) &&
                      evaluator_->LoadFromRange(racecode, nomination, info) == 0;
  if (!ranged && searchrace(racecode, cardflag, nomination, info) != 0) return -1;
  if (resultonly && cardflag) return -1;  // not yet run: nothing to count

  const _tagTHEORYREC* rec = theory->record();
  const int count = std::clamp(rec->count, 0, YTheory::kMaxItems);
  const std::vector<int> order = ytheory::ItemOrder(rec->item, count);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int i = order[k];
    std::fill(std::begin(result_->rank[i]), std::end(result_->rank[i]), 0);
    result_->columncount[i] = 0;
    calc(theory, i, result_->rank[i], resultonly);
    // A category's tables are dropped once its last item is evaluated.
    const bool last = k + 1 == order.size();
    if (last || category(rec->item[order[k + 1]].no) != category(rec->item[i].no)) {
      deletevector();
    }
  }

  const ytheory::Race& race = evaluator_->race();
  // A race of the range breaks its ties on the range's forecast odds.
  int odds[kMaxRunners];
  int* forecast = nullptr;
  if (resultonly && race.ranged != nullptr) {
    result_->setresult(race.ranged->race, info, race.ranged->payouts);
    setslots();
    race.ranged->forecastodds(std::clamp(result_->runnercount, 0, kMaxRunners), odds);
    forecast = odds;
  } else if (resultonly) {
    result_->setresult(static_cast<_tagRACERMREC*>(race.results), info);
    setslots();
  } else if (cardflag) {
    result_->set(static_cast<_tagRACEDREC*>(race.card), info, nomination);
  } else {
    result_->set(static_cast<_tagRACERMREC*>(race.results), info, race.runners);
  }
  result_->setth(theory, forecast);
  return 0;
}

int YCalcTheory::allrank(_tagTHITEM* items, int count, std::string& racecode,
                         unsigned char ranks[][kRankRow]) {
  if (items == nullptr || ranks == nullptr || count < 0 ||
      !yrace::is_race_code(racecode)) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  deletevector();
  bool cardflag = false;
  const bool ranged = ysession::ready(db_) &&
                      evaluator_->LoadFromRange(racecode, nomination_, nullptr) == 0;
  if (!ranged && searchrace(racecode, cardflag, nomination_, nullptr) != 0) return -1;
  if (evaluator_->race().runnercount > kRankRow) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  evaluator_->RankItems(items, count, ranks);
  deletevector();
  return 0;
}

void YCalcTheory::setslots() {
  const ytheory::Race& race = evaluator_->race();
  const int n = std::min(result_->runnercount, race.runnercount);
  for (int i = 0; i < n; ++i) {
    result_->horseno[i] = race.runner[i].number;
    result_->frame[i] = race.runner[i].frame;
    result_->markcode[i] = race.runner[i].mark;
    result_->excluded[i] = race.runner[i].mark == YTheoryResult::kExcludedMark;
  }
}

int YCalcTheory::searchrace(std::string code, bool& cardflag, int nomination, tagYCalcInfo* info) {
  if (!ysession::ready(db_)) return -1;
  return evaluator_->Load(code, cardflag, nomination, info);
}

int YCalcTheory::setrace_seiseki(_tagRACERMREC* race, tagYCalcInfo* info) {
  return evaluator_->race().FromResults(db_, race, info);
}

int YCalcTheory::setrace_denma(_tagRACEDREC* race, tagYCalcInfo* info, int nomination) {
  return evaluator_->race().FromCard(db_, race, info, nomination);
}

int YCalcTheory::calc(YTheory* theory, int i, int* ranks, bool resultonly) {
  const ytheory::Display display{result_, i};
  evaluator_->Rank(theory->getitemno(i), theory->getitemparam(i, 0), theory->getitemparam(i, 1),
                   ranks, resultonly ? nullptr : &display);
  return 0;
}

void YCalcTheory::horsesearch() { evaluator_->FillTable(ytheory::Table::kHorse, 0); }

void YCalcTheory::siresearch(int months, bool keepnames) {
  evaluator_->FillTable(ytheory::Table::kSire, months, keepnames);
}

void YCalcTheory::jockeysearch(int months) { evaluator_->FillTable(ytheory::Table::kJockey, months); }

void YCalcTheory::stablesearch(int months) { evaluator_->FillTable(ytheory::Table::kStable, months); }

void YCalcTheory::setrank(int n, bool larger, bool* valid, double* value, int* rank) {
  evaluator_->RankRule(n, larger, valid, value, rank);
}

void YCalcTheory::deletevector() { evaluator_->ForgetTables(); }
