// YSireList: one sire as a row of a sire search's results.
//
// Like YHorseList, a row points at a sire record (SIREREC) of the search's
// result buffer, formats on demand (Shift_JIS) and owns a copy of the
// record once copied; a copy that cannot allocate it leaves status 1003 and
// a row without record. The rates, over the three groups of offspring
// counts summed, are computed on first use and kept.
//
// Without a record every text is empty, getage is -1 and the rates 0.
#ifndef YDBCLN_ENTITY_YSIRELIST_H_
#define YDBCLN_ENTITY_YSIRELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/RowRecord.h"
#include "ydbcln/entity/SireRec.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YSireList : public YList {
 public:
  YSireList();
  // A row over `rec` (may be null), which stays owned by its buffer.
  YSireList(YHorseDB* db, const _tagSIREREC* rec);
  YSireList(const YSireList& other);
  ~YSireList() override;
  virtual YSireList& operator=(const YSireList& other);

  virtual std::string getname();
  virtual int getage();                   // the current year less the year of birth
  virtual std::string getcode();          // 7 characters
  virtual std::string getcolor();
  virtual std::string getfather();        // the sire's own sire
  virtual std::string getmother();        // and dam
  virtual std::string getsanchi();
  virtual std::string getskill_omo();
  virtual std::string getskill_dirt();
  // The offspring's win, top-two and top-three rates, as "%5.1f％" and in
  // tenths of a percent.
  virtual std::string getwin1p();
  virtual int getwin1pnum();
  virtual std::string getwin2p();
  virtual int getwin2pnum();
  virtual std::string getwin3p();
  virtual int getwin3pnum();
  virtual void print(std::ostream& out);  // writes nothing

  // The record the row reads, null without one.
  const _tagSIREREC* record() const;

 private:
  std::string text(int offset, int width);
  std::string code(std::string (*read)(unsigned char), int offset);
  void figures();

  RowRecord record_;
  bool computed_ = false;
  std::string win1p_, win2p_, win3p_;
  int win1pnum_ = 0, win2pnum_ = 0, win3pnum_ = 0;
};

#endif  // YDBCLN_ENTITY_YSIRELIST_H_
