// YTheoryMaker: finds a good theory by itself. Every runner of every race
// of a list is ranked once by every candidate item (each factor at each of
// its parameter settings) into a score table; then a genetic search over
// theories of eight weighted items bets each individual on all the races,
// in the manner chosen by setparam, and keeps the one with the best
// fitness (hit rate and return rate, weighted).
//
//   YTheoryMaker maker(&db);
//   maker.setrace(count, codes);                // 12 characters a race
//   maker.setparam(3, &option, 1.0, 0.0);       // 単勝, fitness = hit rate
//   maker.setcallback(progress);                // 0 from it stops a stage
//   if (maker.calc() == 0) maker.save(path);    // or maker.load(path)
//   maker.exec();                               // until progress says 0
//   YTheory best;
//   if (maker.gettheory(&best)) theories.store(&best);
//
// The callback is called by calc once a race, as (race number from 1, race
// count, a text naming the race, 0, 0.0, 0.0), and by exec once a
// generation, as (0, 0, null, generation from 1, best hit rate, best return
// rate). While calc runs, the store calls it too during long reads
// (set_SCP_callback), as (steps, 0, null, -1, 0.0, 0.0); a 0 there
// interrupts the read and calc then stops as it does for a 0 of its own.
// Failures leave their status in the session: 1004 for a bad bet
// type, null options or a null theory, 1003 when the score table cannot be
// allocated.
//
// The save file, little-endian: the candidate count (u16), the race count R
// (u32), the R race codes (12 bytes each), the score table (race-major,
// kRow bytes per item), the R payout records (YHaitoInfo's 126 bytes); then
// "YTMS", the format version (u32) and the CRC-32 of all before it. A file
// that is cut, changed, newer or made for another candidate list is refused.
#ifndef YDBCLN_THEORY_YTHEORYMAKER_H_
#define YDBCLN_THEORY_YTHEORYMAKER_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ydbcln/money/YKaishuTotal.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/theory/GeneticRecords.h"
#include "ydbcln/theory/Rand15.h"
#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YThItem.h"
#include "ydbcln/theory/YTheoryOption.h"

class YHorseDB;
class YTheory;
class YTheoryResult;

class YTheoryMaker {
 public:
  using Callback = int (*)(int, int, const char*, int, double, double);

  static constexpr int kRow = YCalcTheory::kRankRow;  // ranks per item and race
  static constexpr int kPopulation = 50;
  static constexpr int kFlags = 100;                   // exclusion flags, by code - 1
  static constexpr unsigned char kNoHorse = 0xFF;

  // An optimiser on the session (not owned), every candidate item included.
  explicit YTheoryMaker(YHorseDB* db);
  YTheoryMaker(const YTheoryMaker& other);
  YTheoryMaker& operator=(const YTheoryMaker& other);
  virtual ~YTheoryMaker();

  // Ranks every race by every candidate item and gathers the payouts: 0 and
  // the table ready; 1 when the callback answered 0 (to calc, or to the
  // store during a read), -1 (1003) when the table cannot be allocated,
  // both leaving it not ready. A race the engine cannot rank keeps rows of
  // kNoHorse.
  virtual int calc();
  // Runs the search until the callback answers 0: 0. Without a callback,
  // before the table is ready, or with fewer than eight candidate items
  // (1004), returns -1 at once.
  virtual int exec();
  // The races to work on, `count` codes of 12 characters one after
  // another; a null buffer or a count of 0 or less gives none. Reads their
  // prediction marks, frames and forecast odds.
  virtual void setrace(int count, char* races);
  // How an individual bets (0 馬連, 1 枠連, 2 ワイド, 3 単勝, 4 複勝, with the
  // ticket options) and how its fitness weighs the hit rate and the return
  // rate (1.0 and 0.0 until set). A bad bet type or null options: 1004,
  // nothing changed.
  virtual void setparam(int bettype, YTheoryOption* const options, double hitweight,
                        double returnweight);
  virtual void setcallback(Callback fn);
  // The best individual so far as a theory of eight items in gene order:
  // false when there is none (or, 1004, for a null theory).
  virtual bool gettheory(YTheory* theory);
  // Saves the races, the table and the payouts: false when the table is not
  // ready or the file cannot be written (an old file stays whole).
  virtual bool save(char* path);
  // Loads what save wrote: false, with no races and the table not ready,
  // when the file cannot be read or is refused.
  virtual bool load(char* path);
  // Excludes the factor codes whose flag (at code - 1) is non-zero and
  // rebuilds the candidate list; a null pointer includes every code. The
  // table no longer matches the list: it is not ready until calc or load.
  virtual void setnoitem(char* const flags);

  // Seeds the search's random numbers now; the next exec goes on from here
  // instead of seeding them with the clock (a repeatable search).
  void setseed(std::uint32_t seed);

  // What the optimiser holds.
  int getitemcount() const { return static_cast<int>(items_.size()); }
  int getracecount() const { return static_cast<int>(races_.size()); }
  bool isready() const { return ready_; }
  const std::vector<YThItem>& items() const { return items_; }
  // The score table's rows of race r: kRow bytes per candidate item.
  const unsigned char* rows(int r) const;
  const YHaitoInfo& payouts(int r) const { return payouts_[static_cast<std::size_t>(r)]; }
  bool hasbest() const { return hasbest_; }
  const GAPARAMS& best() const { return best_; }
  const EVALVALUE& bestvalue() const { return bestvalue_; }

 protected:
  // Bets `individual` on every race of the table into `value`. A race of 8
  // runners or fewer is not counted for 馬連 (frame pairs would be bought);
  // no race counted, or nothing staked, gives a rate of 0.0.
  virtual void eval(GAPARAMS* individual, EVALVALUE* value);
  virtual void gamake(GAPARAMS* individual);
  // Exchanges the genes between two cut points drawn at random.
  virtual void cross(GAPARAMS* a, GAPARAMS* b);
  // A new item or a new weight for one gene drawn at random.
  virtual void mutate(GAPARAMS* individual);
  // Adds the result of race `race` (its index in the list), after
  // settekichu: races + 1, a hit race, the stake of its tickets, the
  // payouts of its hits, the largest one.
  virtual void addtototal(YKaishuTotal* total, int race, YTheoryResult* result);
  // The payouts of a run race: its payout record, else its race record.
  virtual bool gethaito(std::string& race, YHaitoInfo* info);
  // Each race's prediction marks, frames and forecast win odds.
  virtual void setyosoumark();
  // The individual as a theory: cleared, then its eight items in gene order.
  virtual bool gatoth(GAPARAMS* individual, YTheory* theory);
  // The individual's eight candidate positions and items, each item with
  // the gene's weight.
  virtual void gatoth(GAPARAMS* individual, int* positions, _tagTHITEM* items);

 private:
  using RunnerArray = std::array<int, kRow>;

  void clear_table();
  bool valid_bet() const;
  void run_generation_loop();

  YHorseDB* db_;
  YCalcTheory engine_;
  std::vector<YThItem> items_;
  std::vector<std::string> races_;
  std::vector<YHaitoInfo> payouts_;
  int bettype_ = 0;
  YTheoryOption option_ = {};
  double hitweight_ = 1.0;
  double returnweight_ = 0.0;
  std::vector<unsigned char> table_;
  std::vector<RunnerArray> marks_;
  std::vector<RunnerArray> frames_;
  std::vector<RunnerArray> odds_;
  char noitem_[kFlags] = {};
  GAPARAMS best_ = {};
  EVALVALUE bestvalue_;
  bool hasbest_ = false;
  bool ready_ = false;
  Callback callback_ = nullptr;
  ytheory::Rand15 random_;
  bool seeded_ = false;
};

#endif  // YDBCLN_THEORY_YTHEORYMAKER_H_
