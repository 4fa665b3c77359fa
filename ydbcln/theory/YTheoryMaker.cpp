// The optimiser: the candidate items, the score table made by calc, and the
// genetic search of exec.
#include "ydbcln/theory/YTheoryMaker.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "ydbcln/money/YKaishu.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/PastRunRec.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/engine/FactorRegistry.h"

namespace {

constexpr int kGenes = GAPARAMS::kGenes;
constexpr int kMaxWeight = 100;
constexpr int kTournamentEnd = 45;  // members 1..44 by tournament, 45..49 new
constexpr double kCrossRate = 0.6;
constexpr double kMutationRate = 0.1;
constexpr int kStakePerTicket = 100;

}  // namespace

YTheoryMaker::YTheoryMaker(YHorseDB* db) : db_(db), engine_(db) { setnoitem(nullptr); }

YTheoryMaker::YTheoryMaker(const YTheoryMaker& other) = default;

YTheoryMaker& YTheoryMaker::operator=(const YTheoryMaker& other) = default;

YTheoryMaker::~YTheoryMaker() = default;

void YTheoryMaker::setnoitem(char* const flags) {
  if (flags != nullptr) {
    std::copy(flags, flags + kFlags, noitem_);
  } else {
    std::fill(std::begin(noitem_), std::end(noitem_), 0);
  }
  items_.clear();
  for (const _tagTHITEM& item : ytheory::CandidateItems()) {
    if (item.no >= 1 && item.no <= kFlags && noitem_[item.no - 1] != 0) continue;
    items_.emplace_back(&item, static_cast<int>(items_.size()));
  }
  clear_table();
}

void YTheoryMaker::clear_table() {
  ready_ = false;
  table_.clear();
  table_.shrink_to_fit();
}

void YTheoryMaker::setrace(int count, char* races) {
  races_.clear();
  payouts_.clear();
  if (races != nullptr && count > 0) {
    races_.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) races_.emplace_back(races + 12 * r, 12);
  }
  setyosoumark();
}

bool YTheoryMaker::valid_bet() const {
  return bettype_ >= YTheoryResult::kQuinella && bettype_ <= YTheoryResult::kPlace;
}

void YTheoryMaker::setparam(int bettype, YTheoryOption* const options, double hitweight,
                            double returnweight) {
  if (options == nullptr || bettype < YTheoryResult::kQuinella ||
      bettype > YTheoryResult::kPlace) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return;
  }
  bettype_ = bettype;
  option_ = *options;
  hitweight_ = hitweight;
  returnweight_ = returnweight;
}

void YTheoryMaker::setcallback(Callback fn) { callback_ = fn; }

void YTheoryMaker::setseed(std::uint32_t seed) {
  random_.seed(seed);
  seeded_ = true;
}

const unsigned char* YTheoryMaker::rows(int r) const {
  return table_.data() + static_cast<std::size_t>(r) * items_.size() * kRow;
}

void YTheoryMaker::setyosoumark() {
  const std::size_t n = races_.size();
  marks_.assign(n, RunnerArray{});
  frames_.assign(n, RunnerArray{});
  odds_.assign(n, RunnerArray{});
  if (!ysession::ready(db_)) return;
  for (std::size_t r = 0; r < n; ++r) {
    yrace::OwnedBuffer runs(get_raceh_racey2codec(races_[r].c_str()));
    const int horses = std::min(yrace::record_count(runs.get(), pastrunrec::kSize), kRow);
    for (int h = 0; h < horses; ++h) {
      const unsigned char* record = yrace::record_at(runs.get(), pastrunrec::kSize, h);
      const unsigned char mark = record[pastrunrec::kPredictionMark];
      const unsigned char frame = record[pastrunrec::kBracketNumber];
      marks_[r][h] = mark == ' ' ? 0 : mark - 0x2F;
      frames_[r][h] = frame == ' ' ? 0 : frame - 0x30;
    }
    yrace::OwnedBuffer odds(get_yodds_tan2code(races_[r].c_str()));
    const int priced = std::min(yrace::record_count(odds.get(), 4), horses);
    const auto* values = static_cast<const int*>(odds.get());
    for (int h = 0; h < priced; ++h) odds_[r][h] = values[h];
  }
}

bool YTheoryMaker::gethaito(std::string& race, YHaitoInfo* info) {
  return yrace::fill_haito(db_, race, info);
}

int YTheoryMaker::calc() {
  clear_table();
  payouts_.clear();
  std::vector<_tagTHITEM> items;
  items.reserve(items_.size());
  for (const YThItem& item : items_) items.push_back(item.item);
  const std::size_t block = items.size() * kRow;
  try {
    table_.assign(races_.size() * block, kNoHorse);
    payouts_.reserve(races_.size());
  } catch (const std::bad_alloc&) {
    clear_table();
    if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
  const int count = static_cast<int>(races_.size());
  // The runs of every horse, person and course are read once for all the
  // races, over the longest period any candidate asks for.
  int first = 99999999, last = 0;
  for (const std::string& race : races_) {
    const int date = std::atoi(race.substr(2, 8).c_str());
    first = std::min(first, date);
    last = std::max(last, date);
  }
  // The store tells the callback of its long statements too; a 0 answered
  // there interrupts a read, the table is then not whole, and calc stops
  // after that race.
  set_SCP_callback(callback_);
  engine_.beginrange(items.data(), static_cast<int>(items.size()), first, last);
  struct EndRange {
    YCalcTheory& engine;
    ~EndRange() {
      engine.endrange();
      set_SCP_callback(nullptr);
    }
  } end_range{engine_};
  for (int r = 0; r < count; ++r) {
    std::string& race = races_[static_cast<std::size_t>(r)];
    char text[YKaishu::kRaceStrSize];
    if (callback_ != nullptr) YKaishu::racestr(&race[0], text);
    if (get_SCP_interruptions() > 0 ||
        (callback_ != nullptr && callback_(r + 1, count, text, 0, 0.0, 0.0) == 0)) {
      clear_table();
      payouts_.clear();
      return 1;
    }
    auto* rows = reinterpret_cast<unsigned char(*)[kRow]>(table_.data() + r * block);
    if (!items.empty() && engine_.allrank(items.data(), static_cast<int>(items.size()), race,
                                          rows) != 0) {
      std::fill(table_.begin() + r * block, table_.begin() + (r + 1) * block, kNoHorse);
    }
    YHaitoInfo info;
    gethaito(race, &info);
    payouts_.push_back(info);
  }
  if (get_SCP_interruptions() > 0) {
    clear_table();
    payouts_.clear();
    return 1;
  }
  ready_ = true;
  return 0;
}

void YTheoryMaker::gatoth(GAPARAMS* individual, int* positions, _tagTHITEM* items) {
  std::vector<int> remaining(items_.size());
  for (std::size_t i = 0; i < remaining.size(); ++i) remaining[i] = static_cast<int>(i);
  for (int k = 0; k < kGenes && !remaining.empty(); ++k) {
    const GAPARAMS::Gene& gene = individual->gene[k];
    const std::size_t at = std::min<std::size_t>(gene.item, remaining.size() - 1);
    const int position = remaining[at];
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(at));
    if (positions != nullptr) positions[k] = position;
    if (items != nullptr) {
      items[k] = items_[static_cast<std::size_t>(position)].item;
      items[k].value = gene.weight;
    }
  }
}

bool YTheoryMaker::gatoth(GAPARAMS* individual, YTheory* theory) {
  if (individual == nullptr || theory == nullptr ||
      items_.size() < static_cast<std::size_t>(kGenes)) {
    return false;
  }
  _tagTHITEM items[kGenes];
  gatoth(individual, nullptr, items);
  theory->clear();
  for (const _tagTHITEM& item : items) {
    theory->additem(item.no, item.value, item.param[0], item.param[1]);
  }
  return true;
}

bool YTheoryMaker::gettheory(YTheory* theory) {
  if (theory == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return false;
  }
  return hasbest_ && gatoth(&best_, theory);
}

void YTheoryMaker::addtototal(YKaishuTotal* total, int, YTheoryResult* result) {
  ++total->races;
  if (result->hitcount > 0) ++total->hitraces;
  total->staked += result->ticketcount * kStakePerTicket;
  for (int h = 0; h < result->hitcount; ++h) {
    total->returned += result->hitamount[h];
    total->largest = std::max(total->largest, result->hitamount[h]);
  }
}

void YTheoryMaker::eval(GAPARAMS* individual, EVALVALUE* value) {
  *value = EVALVALUE();
  if (!ready_ || items_.size() < static_cast<std::size_t>(kGenes)) return;
  int positions[kGenes];
  _tagTHITEM items[kGenes];
  gatoth(individual, positions, items);
  YTheoryResult* result = engine_.getresult();
  YKaishuTotal total;
  unsigned char* row[kGenes];
  for (std::size_t r = 0; r < races_.size(); ++r) {
    unsigned char* block = table_.data() + r * items_.size() * kRow;
    for (int k = 0; k < kGenes; ++k) row[k] = block + static_cast<std::size_t>(positions[k]) * kRow;
    const int runners = static_cast<int>(std::find(row[0], row[0] + kRow, kNoHorse) - row[0]);
    result->setth_ex(races_[r], items, kGenes, runners, row, marks_[r].data(),
                     frames_[r].data(), odds_[r].data(), payouts_[r]);
    result->setkaime(bettype_, &option_);
    if (result->settekichu(bettype_) &&
        (bettype_ != YTheoryResult::kQuinella || runners > 8)) {
      addtototal(&total, static_cast<int>(r), result);
    }
  }
  if (total.races > 0) value->hitrate = 100.0 * total.hitraces / total.races;
  if (total.staked > 0) value->returnrate = 100.0 * total.returned / total.staked;
  value->fitness = value->hitrate * hitweight_ + value->returnrate * returnweight_;
}

void YTheoryMaker::gamake(GAPARAMS* individual) {
  const int n = static_cast<int>(items_.size());
  for (int k = 0; k < kGenes; ++k) {
    individual->gene[k].item = static_cast<std::uint16_t>(random_.below(n - k));
    individual->gene[k].weight = static_cast<std::uint8_t>(1 + random_.below(kMaxWeight));
  }
}

void YTheoryMaker::cross(GAPARAMS* a, GAPARAMS* b) {
  const int first = random_.below(kGenes);
  const int second = random_.below(kGenes);
  for (int k = 0; k < first; ++k) std::swap(a->gene[k], b->gene[k]);
  for (int k = 0; k < second; ++k) std::swap(a->gene[k], b->gene[k]);
}

void YTheoryMaker::mutate(GAPARAMS* individual) {
  const int m = random_.below(2 * kGenes);
  const int g = m / 2;
  if (m % 2 == 1) {
    individual->gene[g].item =
        static_cast<std::uint16_t>(random_.below(static_cast<int>(items_.size()) - g));
  } else {
    individual->gene[g].weight = static_cast<std::uint8_t>(1 + random_.below(kMaxWeight));
  }
}

int YTheoryMaker::exec() {
  if (callback_ == nullptr || !ready_) return -1;
  if (items_.size() < static_cast<std::size_t>(kGenes) || !valid_bet()) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kBadParameter, "", 0);
    return -1;
  }
  if (!seeded_) random_.seed(static_cast<std::uint32_t>(std::time(nullptr)));
  seeded_ = false;
  best_ = GAPARAMS{};
  bestvalue_ = EVALVALUE();
  hasbest_ = false;
  run_generation_loop();
  return 0;
}

void YTheoryMaker::run_generation_loop() {
  std::vector<GAPARAMS> population(kPopulation);
  std::vector<EVALVALUE> values(kPopulation);
  for (GAPARAMS& member : population) gamake(&member);
  for (int generation = 1;; ++generation) {
    int leader = 0;
    for (int i = 0; i < kPopulation; ++i) {
      int same = -1;
      for (int j = 0; j < i && same < 0; ++j) {
        if (population[j] == population[i]) same = j;
      }
      if (same >= 0) {
        values[i] = values[same];
      } else {
        eval(&population[i], &values[i]);
      }
      if (values[i].fitness > values[leader].fitness) leader = i;
      if (values[i].fitness > bestvalue_.fitness) {
        best_ = population[i];
        bestvalue_ = values[i];
        hasbest_ = true;
      }
    }
    if (callback_(0, 0, nullptr, generation, bestvalue_.hitrate, bestvalue_.returnrate) == 0) {
      return;
    }
    std::vector<GAPARAMS> next(kPopulation);
    next[0] = population[leader];
    for (int i = 1; i < kTournamentEnd; ++i) {
      const int a = random_.below(kPopulation);
      const int b = random_.below(kPopulation);
      next[i] = population[values[a].fitness > values[b].fitness ? a : b];
    }
    for (int i = kTournamentEnd; i < kPopulation; ++i) gamake(&next[i]);
    for (int i = 2; i + 1 < kPopulation; i += 2) {
      if (random_.fraction() < kCrossRate) cross(&next[i], &next[i + 1]);
    }
    for (int i = 1; i < kPopulation; ++i) {
      if (random_.fraction() < kMutationRate) mutate(&next[i]);
    }
    population.swap(next);
  }
}
