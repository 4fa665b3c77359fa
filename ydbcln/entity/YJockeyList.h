// YJockeyList: one jockey as a row of a jockey search's results.
//
// Like YHorseList, a row points at a jockey record (JOCKEYREC) of the
// search's result buffer, formats on demand (Shift_JIS) and owns a copy of
// the record once copied; a copy that cannot allocate it leaves status 1003
// and a row without record. The age and the count and rate figures are
// computed on first use and kept. The year's counts (gethnh, the h rates)
// are zeros unless the record's year is the current year; the prize getters
// show the stored figures whatever the year.
//
// Without a record every text is empty, getage and getshozoku are -1 and
// the other numbers 0.
#ifndef YDBCLN_ENTITY_YJOCKEYLIST_H_
#define YDBCLN_ENTITY_YJOCKEYLIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/entity/PersonRow.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YJockeyList : public YList {
 public:
  YJockeyList();
  // A row over `rec` (may be null), which stays owned by its buffer.
  YJockeyList(YHorseDB* db, const _tagJOCKEYREC* rec);
  YJockeyList(const YJockeyList& other);
  ~YJockeyList() override;
  virtual YJockeyList& operator=(const YJockeyList& other);

  virtual std::string getname();
  virtual std::string getkana();
  virtual int getage();                   // whole years today
  virtual int getshozoku();               // affiliation code; 0 for a blank
  virtual std::string getshozokustring(); // 栗東, 美浦, 招待
  virtual std::string getminarai();       // (見) for an apprentice
  virtual std::string getfirstyear();     // 2005年
  virtual std::string getcode();          // 5 characters
  virtual std::string getbirthday();
  // The stable's short and full names; フリー without a stable.
  virtual std::string getstable_s();
  virtual std::string getstable_l();
  virtual std::string getqualify();       // なし, 平障, 平地, 障害; ???? for another code
  // The year's prize money (thousands of yen in the record) as yen text,
  // and the figure as stored.
  virtual std::string gethhrplize();
  virtual int gethhrplizenum();
  virtual std::string gethsrplize();
  virtual int gethsrplizenum();
  // Counts of the career (r) and of the year (h), flat (h) and jumps (s).
  virtual std::string getrnh();
  virtual std::string getrns();
  virtual std::string gethnh();
  virtual std::string gethns();
  // Win, top-two and top-three rates of the career (r) and of the year (h),
  // as "%5.1f％" and in tenths of a percent.
  virtual std::string getwin1pr();
  virtual int getwin1prnum();
  virtual std::string getwin2pr();
  virtual int getwin2prnum();
  virtual std::string getwin3pr();
  virtual int getwin3prnum();
  virtual std::string getwin1ph();
  virtual int getwin1phnum();
  virtual std::string getwin2ph();
  virtual int getwin2phnum();
  virtual std::string getwin3ph();
  virtual int getwin3phnum();
  virtual void print(std::ostream& out);  // writes nothing

  // The record the row reads, null without one.
  const _tagJOCKEYREC* record() const;

 private:
  // The stable name field at `offset`, or フリー.
  std::string stable(int offset, int width);

  PersonRow row_;
};

#endif  // YDBCLN_ENTITY_YJOCKEYLIST_H_
