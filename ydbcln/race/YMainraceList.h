// YMainraceList: the venues of one race day, each with its place, main race
// and venue-day keys.
//
// A day has up to three venues, indexed 0 to getplacecount() - 1 in the
// order of the race-list record. Built from a race-list record, or from a
// date through the database:
//
//   YMainraceList day(&db, 20240106, 1);   // 1: days with results
//   for (int i = 0; i < day.getplacecount(); ++i) day.getplace(i);  // 中山 ...
//
// A date without racing, or one the database cannot answer, gives a day
// with no venues; the session's error is never touched.
#ifndef YDBCLN_RACE_YMAINRACELIST_H_
#define YDBCLN_RACE_YMAINRACELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YMainraceList : public YList {
 public:
  // The day of a race-list record; `nonames` leaves the main race names
  // empty. A null record gives a day with no venues.
  YMainraceList(YHorseDB* db, _tagRACELISTREC* record, bool nonames);
  // The day `date` (YYYYMMDD) from the days with results when `results` is
  // non-zero, else from the days with race cards; without main race names.
  YMainraceList(YHorseDB* db, int date, int results);
  YMainraceList(const YMainraceList& other);
  YMainraceList& operator=(const YMainraceList& other);
  ~YMainraceList() override;

  virtual int getdate();        // YYYYMMDD
  virtual int getplacecount();  // 0 to 3
  // The venue i; empty when i is not below getplacecount().
  virtual std::string getplace(int i);    // place name, long form (中山)
  virtual std::string getname(int i);     // main race name (10 bytes) + class
  virtual std::string getcode(int i);     // place code and date, 10 characters
  virtual std::string getoldcode(int i);  // place, year, kai, day, 10 characters
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  virtual void setmember(_tagRACELISTREC* record, bool nonames);
  virtual void setmember2(int date, int results);

 private:
  static constexpr int kVenues = 3;

  // Whether i indexes a venue of the day.
  bool isvenue(int i) const { return i >= 0 && i < placecount_; }

  int date_ = 0;
  int placecount_ = 0;
  std::string place_[kVenues];
  std::string name_[kVenues];
  std::string code_[kVenues];
  std::string oldcode_[kVenues];
};

#endif  // YDBCLN_RACE_YMAINRACELIST_H_
