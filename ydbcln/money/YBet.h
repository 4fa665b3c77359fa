// YBet: the tickets the user bought, race by race.
//
// A YBet lists the race days of a year on which tickets can be entered,
// opens a day's races, loads the tickets of one race, checks, adds and
// deletes tickets, values a ticket at the current odds, and commits or
// discards the changes. Added and deleted tickets are pending in the data
// set (another process sees them too) until commit() or rollback().
//
//   YBet bet(&db);
//   bet.searchrace_year(2024);                 // days, newest first
//   YDayRace* day = bet.getdayrace(0);         // a results or a card day
//   YRaceList* race = day->list(0, 10);
//   YBetRec ticket(4, 3, 7, 2);                // 馬連 3-7, 200 yen
//   if (bet.add_record(race, &ticket) == 0) bet.commit();
//   bet.calc_yosou(race, &ticket);             // return at the odds, tens of yen
//
// Bad input never reaches the database: a null race or ticket gives −1, a
// ticket the race cannot have gives 1 (check_record). A failing database
// leaves status 1002 and −1, a failed allocation 1003.
//
// A copy holds copies of the days and of the tickets; the day object and
// the odds are the original's own, so a copy opens its day again and
// fetches the odds again when asked.
#ifndef YDBCLN_MONEY_YBET_H_
#define YDBCLN_MONEY_YBET_H_

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ydbcln/money/YBetDate.h"
#include "ydbcln/money/YBetRec.h"
#include "ydbcln/money/_tagBUYTICKETREC.h"

class YDayRace;
class YHorseDB;
class YMainraceList;
class YOdds;
class YRaceList;

class YBet {
 public:
  // The value calc_yosou gives for a ticket without odds.
  static constexpr int kNoValue = 0x7fffffff;

  explicit YBet(YHorseDB* db);
  YBet(const YBet& other);
  YBet& operator=(const YBet& other);
  virtual ~YBet();

  // --- Race days of a year -------------------------------------------------

  // The days of `year` with results or race cards, newest first; a day with
  // both is a results day. 0, or −1 (with status 1002 or 1003, and no days)
  // when the database or an allocation fails. A year without racing has no
  // days and is no error.
  virtual int searchrace_year(int year);
  virtual int getdatecount();
  // Day i's date as YUtil::getdate writes it; empty out of range.
  std::string getdate(int i);
  // Day i's date YYYYMMDD and kind (YBetDate::kResults or kCards); 0 and
  // -1 out of range.
  int getdaten(int i);
  int getdaykind(int i);
  // Day i's number of venues (0 out of range) and venue j's place (empty).
  int getplacecnt(int i);
  std::string getplace(int i, int j);
  // Opens day i: its race cards (YDayDenma) or its results (YDaySeiseki;
  // getdayrace_min asks for them by the bare venue key). The object stays
  // the YBet's until the next call or the destructor; null out of range.
  virtual YDayRace* getdayrace(int i);
  virtual YDayRace* getdayrace_min(int i);

  // --- Tickets of one race -------------------------------------------------

  // Loads the race's tickets, sorted: their number; 0 for a race code that
  // is not 12 characters (the tickets held stay); −1 for a null race or a
  // failing database (1002).
  virtual int search_record(YRaceList* race);
  virtual int getrecordcount();
  // Ticket i, owned by the YBet until the next load; null out of range.
  virtual YBetRec* getrecord(int i);
  // Adds the ticket as a pending change and reloads the race's tickets: 0;
  // 1 when check_record rejects it; −1 for a null pointer or a failing
  // database (1002).
  virtual int add_record(YRaceList* race, YBetRec* rec);
  // Deletes one ticket equal to `rec` and reloads: 0; 1 when none is held
  // (no error; a ticket of no bet type or count is never held); −1 as above.
  virtual int delete_record(YRaceList* race, YBetRec* rec);
  // 0 when the ticket suits the race's field, else −1.
  virtual int check_record(YRaceList* race, YBetRec* rec);
  // The ticket's return at the current odds in tens of yen (count × odds in
  // tenths): kNoValue for place and wide (no odds kept) and for a race or
  // combination without odds; −1 for a null pointer or a ticket
  // check_record rejects. The race's odds are fetched once and kept until
  // another race is valued.
  virtual int calc_yosou(YRaceList* race, YBetRec* rec);
  // Commits or discards every pending change: 0, or −1 with status 1002.
  virtual int commit();
  virtual int rollback();
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  // Drops the days and the day object opened.
  virtual void deletevector();
  // Writes the 29 bytes of `rec` on `race` into `record`.
  virtual void setstruct(_tagBUYTICKETREC* record, YRaceList* race, YBetRec* rec);

 private:
  // Opens day i as its kind asks; `shortkey` for the reduced results form.
  YDayRace* openday(int i, bool shortkey);
  // Whether i indexes a day of the list.
  bool isday(int i) const { return i >= 0 && i < static_cast<int>(days_.size()); }
  // The days of one fetch into *found, keyed by date; false when the fetch
  // failed.
  bool collectdays(void* buffer, unsigned char kind, std::vector<YBetDate>* found);
  // add_record and delete_record: the call, its error and the reload.
  int change(YRaceList* race, YBetRec* rec, int (*call)(const void*));

  YHorseDB* db_;
  std::vector<YBetDate> days_;
  std::vector<std::unique_ptr<YMainraceList>> owned_days_;  // what days_ points at
  std::unique_ptr<YDayRace> dayrace_;
  std::vector<YBetRec> records_;
  std::unique_ptr<YOdds> odds_;
  std::string oddscode_;
};

#endif  // YDBCLN_MONEY_YBET_H_
