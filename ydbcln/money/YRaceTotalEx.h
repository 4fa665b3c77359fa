// YRaceTotalEx: the totals of the races a detailed race search found, for
// showing beside its results: the payouts of each pool (count, smallest,
// largest, average) and the runs of the races' runners by frame, horse
// number and popularity, each row as YRaceTotal's (firsts, seconds,
// thirds, unplaced, then the win, top-two and top-three rates in tenths of
// a percent). It keeps the search's condition texts and the races counted.
//
//   YRaceTotalEx totals(&db);
//   search.search();                              // search: a YSearchDetailRace
//   totals.exec(static_cast<_tagRACERMREC*>(search.getorgdata(0)), search.getparam());
//   totals.pay[0][YRaceTotalEx::kAverage];        // the average win payout
//   totals.ninki[0][4];                           // the favourites' win rate
//
// Two ways in: exec(count, codes) reads each race by its code, and counts
// a race only when it has runners; exec(races, command) takes the search's
// race records for the payouts and fetches the runs of its command at
// once. Runs with result code 34 or 35 (did not start) are in no row; a
// position other than 1 to 3 counts unplaced; a frame, number or
// popularity outside its rows counts in none.
//
// A fetch that fails ends exec with -1 and session status 1002, with this
// unit's name and the line as the error's detail; the totals then hold
// what was counted before. Memory that runs short gives -1 and 1003.
#ifndef YDBCLN_MONEY_YRACETOTALEX_H_
#define YDBCLN_MONEY_YRACETOTALEX_H_

#include <string>
#include <vector>

#include "ydbcln/money/YRaceTotal.h"

class YHorseDB;
class YSearchDetailRace;
struct _tagRACERMREC;
struct _tagSCMD;

class YRaceTotalEx {
 public:
  static constexpr int kRowSize = YRaceTotal::kRowSize;
  static constexpr int kPools = 5;  // 単勝 複勝 枠連 馬連 ワイド
  // A pool's payouts: count, smallest, largest and, after a total, the
  // average (yen per 100 yen; all 0 without payouts).
  enum PayoutField { kCount = 0, kSmallest, kLargest, kAverage };

  explicit YRaceTotalEx(YHorseDB* db);
  YRaceTotalEx(const YRaceTotalEx& other);
  YRaceTotalEx& operator=(const YRaceTotalEx& other);
  virtual ~YRaceTotalEx();

  // The races at `races`, the payout records of a search (RACERMREC, as
  // getorgdata(0) holds them), with the runs of `command`; the totals keep
  // a copy of the race records (getdata). 0; -1 without race records
  // (nothing else changes), or when the runs cannot be fetched (1002).
  virtual int exec(_tagRACERMREC* races, _tagSCMD* command);
  // The `count` races whose 12-byte codes follow each other at `codes`,
  // each read on its own; a code naming no run race, or a race without
  // runners, is left out. 0; -1 when a fetch fails (1002).
  virtual int exec(int count, char* codes);
  // Keeps the detailed race search's condition texts (its getsearchstring
  // texts that are not empty, joined by blanks).
  virtual void setcondstring(YSearchDetailRace* search);
  virtual int getracecnt();
  // Race code i of the races counted; empty out of range.
  virtual std::string getracecode(int i);

  // The race records held since exec(races, command), owned by the totals
  // until release or the next exec; null when none are held.
  void* getdata() { return races_; }
  void release();

  std::string condition;
  // The payouts of each pool: [pool][PayoutField].
  int pay[kPools][4];
  int waku[8][kRowSize];     // frames 1 to 8
  int umaban[18][kRowSize];  // horse numbers 1 to 18
  int ninki[18][kRowSize];   // favourites 1 to 18

 protected:
  // Counts the payouts of one race record: 0.
  virtual int infoset(unsigned char* race);
  virtual void infosetsub(int pool, int payout);
  virtual void infoend();
  // Counts `count` runner result records into the rows.
  virtual void resultset(int count, unsigned char* runs);
  virtual void resultend();

 private:
  void clear();
  int failed(int line);

  YHorseDB* db_;
  std::vector<std::string> codes_;
  void* races_ = nullptr;
};

#endif  // YDBCLN_MONEY_YRACETOTALEX_H_
