// A theory's record over a range of run races: the outcome of each race
// and the totals of those counted.
#include "ydbcln/theory/YTheoryRangeTotals.h"

#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace {

double percent(long long part, long long whole) {
  return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

int YTheoryRangeTotals::addrace(YHorseDB* db, YCalcTheory* engine, YTheory* theory,
                                const std::string& code, int bettype, YTheoryOption* option) {
  if (engine->exec(theory, code, 0, 0, nullptr, true) != 0) {
    if (db != nullptr && db->geterrstatus() == YHorseDB::kDatabaseError) return -1;
    addskipped(code);
    return 0;
  }
  engine->setkaime(bettype, option);
  YTheoryResult& result = *engine->getresult();
  add(result, result.settekichu(bettype));
  return 0;
}

int YTheoryRangeTotals::addraces(YHorseDB* db, YCalcTheory* engine, YTheory* theory,
                                 const std::vector<std::string>& codes, int bettype,
                                 YTheoryOption* option,
                                 const std::function<bool(std::size_t index)>& added) {
  // The range runs from the earliest race date of the codes to the latest.
  int first = 0, last = 0;
  for (const std::string& code : codes) {
    if (!yrace::is_race_code(code)) continue;
    const int date = std::stoi(code.substr(2, 8));
    if (first == 0 || date < first) first = date;
    if (date > last) last = date;
  }
  engine->beginrange(theory, first, last);
  int status = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (addrace(db, engine, theory, codes[i], bettype, option) != 0) {
      status = -1;
      break;
    }
    if (added && !added(i)) break;
  }
  engine->endrange();
  return status;
}

const YTheoryRangeTotals::Outcome& YTheoryRangeTotals::add(const YTheoryResult& r, bool paid) {
  Outcome o;
  o.code = r.racekey;
  o.skip = paid ? kCounted : kNothingPaid;
  o.runners = r.runnercount;
  // The first of the final order: the lowest final rank, the earlier slot
  // on a tie.
  int best = -1;
  for (int s = 0; s < r.runnercount && s < YTheoryResult::kMaxRunners; ++s) {
    if (best < 0 || r.finalrank[s] < r.finalrank[best]) best = s;
  }
  if (best >= 0) o.first = r.horseno[best];
  for (const YTheoryResult::Payout& p : r.tansho) o.won = o.won || (p.key != 0 && p.key == o.first);
  o.tickets = r.ticketcount;
  o.hits = r.hitcount;
  for (int i = 0; i < r.hitcount && i < YTheoryResult::kMaxHits; ++i) {
    o.returned += r.hitamount[i];
    if (r.hitamount[i] > o.largest) o.largest = r.hitamount[i];
  }
  return keep(o);
}

const YTheoryRangeTotals::Outcome& YTheoryRangeTotals::addskipped(const std::string& code) {
  Outcome o;
  o.code = code;
  o.skip = kNotLoaded;
  return keep(o);
}

const YTheoryRangeTotals::Outcome& YTheoryRangeTotals::keep(const Outcome& o) {
  last_ = o;
  if (o.skip != kCounted) {
    ++skipped;
    return last_;
  }
  ++races;
  firstwins += o.won ? 1 : 0;
  hitraces += o.hits > 0 ? 1 : 0;
  stake += o.stake();
  returned += o.returned;
  if (o.largest > largest) largest = o.largest;
  return last_;
}

double YTheoryRangeTotals::firstwinrate() const { return percent(firstwins, races); }

double YTheoryRangeTotals::hitrate() const { return percent(hitraces, races); }

double YTheoryRangeTotals::returnrate() const { return percent(returned, stake); }
