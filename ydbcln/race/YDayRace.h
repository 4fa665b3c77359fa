// YDayRace: one race day's race rows, one list per venue.
//
// The day's venues come from a YMainraceList; the derivations for race
// cards and for results fill each venue's list with YRaceList rows. The day
// owns its rows: a copy of a day holds copies of them.
//
//   for (int i = 0; i < day.getplacecount(); ++i)
//     for (int j = 0; j < day.getracecount(i); ++j) day.list(i, j)->getname();
#ifndef YDBCLN_RACE_YDAYRACE_H_
#define YDBCLN_RACE_YDAYRACE_H_

#include <iosfwd>
#include <string>
#include <vector>

#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YMainraceList;
class YRaceList;

class YDayRace : public YMainObject {
 public:
  // The venues and date of `day`, with empty race lists. A null day gives a
  // day with no venues.
  YDayRace(YHorseDB* db, YMainraceList* day);
  // Copies the venues and every row. When a row cannot be copied the copy
  // has no rows and the session's status is 1003.
  YDayRace(const YDayRace& other);
  YDayRace& operator=(const YDayRace& other);
  ~YDayRace() override;

  virtual std::string getdate();  // 2024年 1月 6日
  virtual int getdaten();         // YYYYMMDD
  virtual int getplacecount();    // 0 to 3
  // Venue i's place (long form) and meeting (３回東京８日目); empty when i
  // is not a venue of the day.
  virtual std::string getplace(int i);
  virtual std::string getkaisai(int i);
  // Number of rows of venue i; 0 when i is not a venue of the day.
  virtual int getracecount(int i);
  // Row j of venue i, owned by the day; null when either is out of range.
  virtual YRaceList* list(int i, int j);
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  static constexpr int kVenues = 3;

  // Deletes every row and empties the lists.
  virtual void deletevector();

  bool isvenue(int i) const { return i >= 0 && i < placecount_; }

  std::vector<YRaceList*> racelist_[kVenues];
  int placecount_ = 0;
  int date_ = 0;
  std::string code_[kVenues];     // place code and date
  std::string oldcode_[kVenues];  // place, year, kai, day

 private:
  // Replaces this day's rows by copies of `other`'s.
  void copyrows(const YDayRace& other);
};

#endif  // YDBCLN_RACE_YDAYRACE_H_
