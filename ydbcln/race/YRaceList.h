// YRaceList: one race as a row of a race day's list.
//
// A row is built once, from a race-card record (a race not yet run), from a
// race result record, or from a race code through the database, and then
// only read. Its display texts are Shift_JIS and computed at construction:
//
//   YRaceList row(&db, "052024010611", false);
//   if (row.getno() == 0) ...       // no such race
//   row.getname();                  // name padded to 10 bytes + class
//   row.getkaisai();                // " 1中 2  11R" style meeting text
//   row.gettan();                   // win payout of a run race, "%6d"
//
// The payout texts are filled only for a result row. Building a row never
// touches the session's error.
#ifndef YDBCLN_RACE_YRACELIST_H_
#define YDBCLN_RACE_YRACELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YRaceList : public YList {
 public:
  // An empty row: every text empty, every number 0, no session.
  YRaceList();
  // A race-card row: no payouts, no long texts. A null record gives an
  // empty row.
  YRaceList(YHorseDB* db, _tagRACEDREC* record);
  // A result row with its payouts; `longtexts` also fills the long meeting,
  // name and class texts. A null record gives an empty row.
  YRaceList(YHorseDB* db, _tagRACERMREC* record, bool longtexts);
  // The result row of the race `code` (12 digits, race number 01 or more).
  // Anything else, or a code that does not name exactly one race, gives a
  // row with race number 0.
  YRaceList(YHorseDB* db, const std::string& code, bool longtexts);
  YRaceList(const YRaceList& other);
  YRaceList& operator=(const YRaceList& other);
  ~YRaceList() override;

  // Rows in date order, then by race code.
  bool operator<(const YRaceList& other) const;

  virtual unsigned char getno();         // race number; 0 for no race
  virtual std::string getname();         // name (10 bytes when named) + class
  virtual int getdate();                 // YYYYMMDD
  virtual std::string getdistance();     // surface + 4 distance digits
  virtual std::string getcode();         // the 12-digit race code
  virtual unsigned char gethorsecount(); // number of runners
  virtual std::string getkaisai();       // kai, short place, day, race number, R
  virtual std::string getskaisai();      // 1回中山2日
  virtual std::string getraceno();       // race number as text
  virtual std::string getwinnername();   // always empty
  virtual void print(std::ostream& out); // writes nothing
  virtual std::string getlongkaisai();
  virtual std::string getlongracename();
  virtual std::string getlongraceclass();
  virtual unsigned short getclassnum();  // sort key of the race class
  // Horse numbers of places 1 to 3 ("%2d"); empty when none.
  virtual std::string getw1uno();
  virtual std::string getw2uno();
  virtual std::string getw3uno();
  virtual std::string gettan();          // win payout
  virtual std::string getfuku1();        // place payouts; empty when none
  virtual std::string getfuku2();
  virtual std::string getfuku3();
  virtual std::string getwakuren();      // bracket quinella payout
  virtual std::string getumaren();       // quinella payout and popularity
  virtual std::string getumanin();
  virtual std::string getwide1h();       // wide payouts
  virtual std::string getwide2h();
  virtual std::string getwide3h();
  virtual std::string getwide1n();       // wide popularities
  virtual std::string getwide2n();
  virtual std::string getwide3n();
  virtual std::string getcourse();       // rail position: Ａ Ｂ Ｃ Ｄ A1 A2

 protected:
  // Fills the row. `key` is 16 bytes: the race code, then kai and day.
  // Payouts are read from `result` unless the row is a race-card row or
  // `result` is null.
  virtual void setmember(unsigned char* key, unsigned char* date, unsigned char* name,
                         unsigned char track, unsigned char* distance, unsigned char classcode,
                         unsigned char kind, unsigned char* conditions, unsigned char* runners,
                         _tagRACERMREC* result, bool longtexts);

 private:
  void setresult(_tagRACERMREC* record, bool longtexts);
  void setpayouts(const unsigned char* result);

  unsigned char no_ = 0;
  int date_ = 0;
  unsigned char horsecount_ = 0;
  std::string name_;
  std::string distance_;
  std::string code_;
  std::string kaisai_;
  std::string skaisai_;
  std::string raceno_;
  bool iscard_ = false;
  std::string longkaisai_;
  std::string longracename_;
  std::string longraceclass_;
  unsigned short classnum_ = 0;
  std::string wuno_[3];
  std::string tan_;
  std::string fuku_[3];
  std::string wakuren_;
  std::string umaren_;
  std::string umanin_;
  std::string wideh_[3];
  std::string widen_[3];
  std::string course_;
};

#endif  // YDBCLN_RACE_YRACELIST_H_
