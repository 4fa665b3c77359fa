// YCalcTheory: the theory engine. It applies one prediction theory to one
// race: loads the race (its results once run, else its card, or the horses
// nominated for it), gathers the past runs of every runner, of their
// jockeys, trainers and sires, ranks the runners on each factor of the
// theory, and hands the ranks to its YTheoryResult, which combines them
// into the final order and buys the tickets.
//
//   YCalcTheory engine(&db);
//   if (engine.exec(&theory, "052024010611", 0, 0, nullptr, false) == 0) {
//     YTheoryResult* r = engine.getresult();
//     for (int i = 0; i < r->runnercount; ++i) show(r->horsename[i], r->finalrank[i]);
//     engine.setkaime(0, &option);   // 馬連 tickets from the final order
//   }
//
// Past runs are gathered once per category of factor (horse, jockey,
// trainer, sire) per race, for the longest period the theory's factors of
// that category ask for; each factor then counts only the runs of its own
// period and conditions. A runner without data for a factor has rank 0 on
// it; a runner marked 消 has rank 0 on every factor.
//
// Failures: a null theory or a race code that is not 12 digits gives -1
// and status 1004; a code of no race gives -1 with the result untouched; a
// store that cannot answer the race gives -1 and status 1002. A past-run
// fetch the store cannot answer leaves status 1002 and that table empty:
// its factors rank nobody, the others are evaluated as usual.
//
// Copies are deep: a copy has its own result and its own copies of the
// race's record buffers and past runs.
#ifndef YDBCLN_THEORY_YCALCTHEORY_H_
#define YDBCLN_THEORY_YCALCTHEORY_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/theory/CalcInfoRec.h"
#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryHorseRaceHorse.h"
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"
#include "ydbcln/theory/YTheoryOption.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/YTheorySireRaceHorse.h"
#include "ydbcln/theory/YTheoryStableRaceHorse.h"

class YHorseDB;

namespace ytheory {
class Evaluator;
}  // namespace ytheory

class YCalcTheory {
 public:
  static constexpr int kMaxRunners = 128;
  // Runners per row of allrank's rank table.
  static constexpr int kRankRow = 18;

  // An empty engine on the session (not owned), with its own result.
  explicit YCalcTheory(YHorseDB* db);
  YCalcTheory(const YCalcTheory& other);
  YCalcTheory& operator=(const YCalcTheory& other);
  virtual ~YCalcTheory();

  // Evaluates `theory` on the race `racecode`. The race is read from its
  // results unless `usecard` is non-zero; a race not yet run is read from
  // its card, or with `nomination` non-zero from the horses nominated for
  // it. `info` (may be null) overrides the race's surface, distance and
  // going. With `resultonly` the race is read from its results only (a race
  // not yet run gives -1), no display texts are made and the result gets
  // only what the return analysis needs. 0 on success, -1 when the race
  // cannot be loaded.
  virtual int exec(YTheory* theory, std::string racecode, int usecard, int nomination,
                   tagYCalcInfo* info, bool resultonly);
  // The result of the last exec; owned by the engine.
  virtual YTheoryResult* getresult();
  // Buys tickets from the last exec's order: YTheoryResult::setkaime.
  virtual void setkaime(int bettype, YTheoryOption* option);
  // Ranks the runners of the race on each of the `count` items alone, at
  // its own parameters: ranks[i][r] is runner r's rank on items[i]. The
  // race is read as exec reads it (results, else card, nominations when
  // the last exec read nominations). 0, or -1 when the race cannot be
  // loaded; -1 and status 1004, writing nothing, for a null item list or
  // table, a negative count or a race of more than 18 runners. Any number
  // of items is ranked over one loading of the race and its past runs (the
  // optimiser ranks every candidate item of a race in one call).
  virtual int allrank(_tagTHITEM* items, int count, std::string& racecode,
                      unsigned char ranks[][kRankRow]);

  // Range evaluation, for running one theory over many races (a season's
  // totals, the return analysis, the optimiser): until endrange, every
  // exec or allrank on a race dated `first` to `last` (YYYYMMDD) reads the
  // past runs of its horses, jockeys, trainers and sires, and the results
  // over its course, from runs read once for the whole range plus the
  // longest period `theory`'s items ask for (a longer period asked for
  // later is read again, once). The ranks, texts and results are those of
  // the race-by-race engine; races outside the range are evaluated as
  // usual. A past-run fetch the store cannot answer leaves status 1002 and
  // is asked again by the next race that needs it.
  void beginrange(YTheory* theory, int first, int last);
  // The same for the periods `count` items ask for (allrank's items).
  void beginrange(const _tagTHITEM* items, int count, int first, int last);
  void endrange();

 protected:
  // Loads the race: results unless `cardflag`, then the card or the
  // nominations; `cardflag` comes back true when the race was read from
  // the card or the nominations. 0, or -1.
  virtual int searchrace(std::string code, bool& cardflag, int nomination, tagYCalcInfo* info);
  virtual int setrace_seiseki(_tagRACERMREC* race, tagYCalcInfo* info);
  virtual int setrace_denma(_tagRACEDREC* race, tagYCalcInfo* info, int nomination);
  // Evaluates item i of the theory into `ranks` (one per runner slot); the
  // factor is found in the registry by its code.
  virtual int calc(YTheory* theory, int i, int* ranks, bool resultonly);
  // Fill the past-run tables (each for at least the period given).
  virtual void horsesearch();
  virtual void siresearch(int months, bool keepnames);
  virtual void jockeysearch(int months);
  virtual void stablesearch(int months);
  // Tenths of a second as the display number M SS T (834 gives 1234).
  virtual int sectotime(int t);
  // The rank rule of every factor: a runner without data or marked 消 has
  // rank 0; the others 1 + the number of runners with a strictly better
  // value (larger when `larger`), so equal values share a rank. Values
  // that differ only by floating-point rounding are equal.
  virtual void setrank(int n, bool larger, bool* valid, double* value, int* rank);
  // Drops the past-run tables.
  virtual void deletevector();

  YHorseDB* db_;
  int nomination_ = 0;
  YTheoryResult* result_;
  // The race, its past-run tables and the factors' computations.
  std::unique_ptr<ytheory::Evaluator> evaluator_;

 private:
  // Gives the result of a resultonly run what its tickets need and
  // setresult does not read: each slot's horse number, frame and mark.
  void setslots();
};

#endif  // YDBCLN_THEORY_YCALCTHEORY_H_
