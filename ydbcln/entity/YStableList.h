// YStableList: one trainer (stable) as a row of a stable search's results.
//
// Like YHorseList, a row points at a trainer record (STABLEREC) of the
// search's result buffer, formats on demand (Shift_JIS) and owns a copy of
// the record once copied; a copy that cannot allocate it leaves status 1003
// and a row without record. The age and the count and rate figures are
// computed on first use and kept. The year's counts (gethnh, the h rates)
// are zeros unless the record's year is the current year; the prize getters
// show the stored figures whatever the year.
//
// Without a record every text is empty, getage and getshozoku are -1 and
// the other numbers 0.
#ifndef YDBCLN_ENTITY_YSTABLELIST_H_
#define YDBCLN_ENTITY_YSTABLELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/entity/PersonRow.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YStableList : public YList {
 public:
  YStableList();
  // A row over `rec` (may be null), which stays owned by its buffer.
  YStableList(YHorseDB* db, const _tagSTABLEREC* rec);
  YStableList(const YStableList& other);
  ~YStableList() override;
  virtual YStableList& operator=(const YStableList& other);

  virtual std::string getname();
  virtual std::string getkana();
  virtual int getage();                   // whole years today
  virtual int getshozoku();               // affiliation code; 0 for a blank
  virtual std::string getshozokustring(); // 栗東, 美浦南, 美浦北
  virtual std::string getfirstyear();     // 2005年
  virtual std::string getcode();          // 5 characters
  virtual std::string getbirthday();
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
  const _tagSTABLEREC* record() const;

 private:
  PersonRow row_;
};

#endif  // YDBCLN_ENTITY_YSTABLELIST_H_
