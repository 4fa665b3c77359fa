// YDimSireList: one dam-sire as a row of a dam-sire search's results: the
// code and name of a code-and-name record (UMADIMSIRE), Shift_JIS.
//
// Like YHorseList, a row points into the search's result buffer and owns a
// copy of the record once copied; a copy that cannot allocate it leaves
// status 1003 and a row without record, whose texts are empty.
#ifndef YDBCLN_ENTITY_YDIMSIRELIST_H_
#define YDBCLN_ENTITY_YDIMSIRELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/RowRecord.h"
#include "ydbcln/entity/SireRec.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YDimSireList : public YList {
 public:
  YDimSireList();
  // A row over `rec` (may be null), which stays owned by its buffer.
  YDimSireList(YHorseDB* db, const _tagUMADIMSIRE* rec);
  YDimSireList(const YDimSireList& other);
  ~YDimSireList() override;
  virtual YDimSireList& operator=(const YDimSireList& other);

  virtual std::string getname();
  virtual std::string getcode();          // 7 characters
  virtual void print(std::ostream& out);  // writes nothing

  // The record the row reads, null without one.
  const _tagUMADIMSIRE* record() const;

 private:
  RowRecord record_;
};

#endif  // YDBCLN_ENTITY_YDIMSIRELIST_H_
