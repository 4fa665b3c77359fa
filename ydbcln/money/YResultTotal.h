// YResultTotal: the finishing positions of a set of runs totalled by one
// category at a time. For every row of the category (a horse, a jockey, a
// popularity band, a month ...) it counts firsts, seconds, thirds and
// unplaced runs, and gives the win, top-two and top-three rates and the
// win return rate (YResultTotalRec).
//
//   YResultTotal total(&db);
//   if (total.setcondition(&races) == 0) {     // races: a YSearchDetailRace
//     total.setfilter(1, 3, -1, 0, 0, 0x1FF, 0x7);  // the first 3 favourites
//     total.exec(12);                          // by course and track
//     for (int i = 0; i < total.getresultcount(); ++i)
//       total.getresult(i)->winrate;           // 333 is 33.3 %
//   }
//
// The runs: setcondition loads the runs of the races a detailed race
// search's command finds (one get_race2cmd_sp2), or the runs a horse-run
// search holds. The load reads inside the result-total bracket, one
// snapshot of the data set; the set of runs stays until the next
// setcondition. The horses are the runs' distinct horses, in key order.
//
// The categories (getcategorycount, 21): 0 horse, 1 sire, 2 dam's sire, 3
// jockey, 4 trainer, 5 popularity, 6 odds, 7 running style, 8 frame, 9
// horse number, 10 sex and age, 11 month, 12 course and track, 13
// distance, 14 course, 15 class, 16 pace, 17 going, 18 body weight, 19
// weight change, 20 weight carried. The entity categories (0-4, 13, 14)
// have a row per key met, in the order met; the others fixed rows in the
// order of their bands. A run with result code 34 or 35 (it did not start)
// counts in no row; any position other than 1 to 3 counts unplaced; a
// run whose band has no row counts nowhere in that category.
//
// Failures: a fetch that fails gives -1 and session status 1002, memory
// that runs short -1 and 1003, each leaving no runs. Indices out of range
// give -1, null, empty texts or false, never a crash.
#ifndef YDBCLN_MONEY_YRESULTTOTAL_H_
#define YDBCLN_MONEY_YRESULTTOTAL_H_

#include <string>
#include <vector>

#include "ydbcln/money/YResultTotalHorse.h"
#include "ydbcln/money/YResultTotalRaceHorse.h"
#include "ydbcln/money/YResultTotalRec.h"
#include "ydbcln/money/_tagYResultTotalInfo.h"

class YHorseDB;
class YRaceHorse;
class YSearchDetailRace;
class YSearchRaceHorse;

class YResultTotal {
 public:
  static constexpr int kCategories = 21;
  // The filter's masks that let every class and every track through.
  static constexpr int kEveryClass = 0x1FF;
  static constexpr int kEveryTrack = 0x7;

  // The category table, in category order.
  static const _tagYResultTotalInfo totalinfo[kCategories];

  explicit YResultTotal(YHorseDB* db);
  YResultTotal(const YResultTotal&) = default;
  YResultTotal& operator=(const YResultTotal&) = default;
  virtual ~YResultTotal();

  // 21.
  virtual int getcategorycount();
  // The category's name and column title (Shift_JIS); both empty out of
  // range.
  virtual void getcategoryname(int i, std::string& name, std::string& title);
  // Whether the category's rows are entities met among the runs; false
  // out of range.
  virtual bool iscountfilter(int i);

  // Loads the runs of the races the search's command finds. 0; -1 for a
  // search without a command (no change), a failed fetch (1002) or memory
  // that ran short (1003), the last two leaving no runs.
  virtual int setcondition(YSearchDetailRace* races);
  // Loads the runs the horse-run search holds (no fetch). 0; -1 for a null
  // search (no change) or memory that ran short (1003, no runs).
  virtual int setcondition(YSearchRaceHorse* runs);
  // Keeps the condition texts shown with the totals: the detailed race
  // search's display texts (getsearchstring) that are not empty, or one
  // text of the caller's.
  virtual void setcondstring(YSearchDetailRace* races);
  virtual void setcondstring(const std::string& text);
  const std::vector<std::string>& getcondstring() const { return condition_; }

  // Installs a callback called once per run while totalling with the run's
  // index, the number of runs and the category's name; when it answers 0
  // the total stops, keeping the rows counted so far. Null removes it.
  virtual void setcallback(int (*callback)(int, int, const char*));

  // Leaves out of every later total the runs outside these bounds (0 is no
  // bound): popularity, odds in tenths; and the runs whose age (counted the
  // older way: bit 0 for 3, ... bit 6 for 9, any bit from 7 for older; -1
  // every age), class (bit 0 新馬・未出走 ... bit 8 G1; an unknown class
  // always passes) or track (bit 0 turf, 1 dirt, 2 jump) has its bit
  // clear. Stays in force for later setconditions too.
  virtual void setfilter(int minpop, int maxpop, int agemask, int minodds, int maxodds,
                         int classmask, int trackmask);

  // Totals the runs by `category`: 0, or 1 when the callback stopped the
  // total; -1 for a category out of range (no rows).
  virtual int exec(int category);
  virtual int getresultcount();
  virtual YResultTotalRec* getresult(int i);  // owned by the total; null out of range

  // The i-th run as a horse-in-race object, read again from its race:
  // true; false out of range or when its race cannot be read (1002).
  virtual bool race(int i, YRaceHorse& out);

  int getracehorsecount() const { return static_cast<int>(runs_.size()); }
  const YResultTotalRaceHorse* getracehorse(int i) const;  // null out of range
  int gethorsecount() const { return static_cast<int>(horses_.size()); }
  const YResultTotalHorse* gethorse(int i) const;  // null out of range

 protected:
  // The category operations of the table: each makes its rows and counts
  // the runs in; 0, or 1 when the callback stopped it.
  virtual int total_horse();
  virtual int total_sire();
  virtual int total_bmsire();
  virtual int total_jockey();
  virtual int total_stable();
  virtual int total_ninki();
  virtual int total_odds();
  virtual int total_kyaku();
  virtual int total_wakuban();
  virtual int total_umaban();
  virtual int total_seirei();
  virtual int total_month();
  virtual int total_place();
  virtual int total_distance();
  virtual int total_course();
  virtual int total_class();
  virtual int total_pace();
  virtual int total_baba();
  virtual int total_bataiju();
  virtual int total_zougen();
  virtual int total_kinryo();

  // Replaces the runs and horses by the `count` runner result records at
  // `records`, each marked by the filter in force.
  virtual void setracehorse(void* records, int count);

 private:
  struct Filter {
    int minpop = 0, maxpop = 0, agemask = -1, minodds = 0, maxodds = 0;
    int classmask = kEveryClass, trackmask = kEveryTrack;
    bool excludes(const YResultTotalRaceHorse& run) const;
  };

  // Counts every run in the row `band(run)` of the rows already made (a
  // band outside them counts nowhere).
  template <typename Band>
  int bands(Band band);
  // Counts every run in the row of its key, made when first met and named
  // by `name(run)`.
  template <typename Key, typename Name>
  int entities(Key key, Name name);
  // Makes the rows from UTF-8 names.
  void makerows(const std::vector<std::string>& names);
  // Whether the total goes on to run i (asks the callback, which is set).
  bool goes_on(int i);
  void clearruns();

  YHorseDB* db_;
  std::vector<YResultTotalRaceHorse> runs_;
  std::vector<YResultTotalHorse> horses_;
  std::vector<YResultTotalRec> rows_;
  std::vector<std::string> condition_;
  Filter filter_;
  int (*callback_)(int, int, const char*) = nullptr;
  std::string categoryname_;  // of the category being totalled, for the callback
};

#endif  // YDBCLN_MONEY_YRESULTTOTAL_H_
