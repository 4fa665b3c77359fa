// YDimSire: a dam-sire, a horse that is the dam's sire of some horse: its
// code and name (Shift_JIS). A code that is not 7 characters fetches
// nothing; a horse that is no dam-sire gives an empty object without an
// error; a failing database leaves status 1002, memory running short 1003,
// and the object empty.
#ifndef YDBCLN_ENTITY_YDIMSIRE_H_
#define YDBCLN_ENTITY_YDIMSIRE_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/SireRec.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YDimSireList;

class YDimSire : public YMainObject {
 public:
  YDimSire(YHorseDB* db, std::string& code);
  // The dam-sire of a search's row, read from its record without a fetch; a
  // row without record gives an empty object.
  YDimSire(YHorseDB* db, YDimSireList& row);
  YDimSire(const YDimSire& other);
  YDimSire& operator=(const YDimSire& other);
  ~YDimSire() override;

  YHorseDB* getdb() const override;
  virtual void print(std::ostream& out);  // writes nothing

  std::string code, name;

 protected:
  virtual void setmember(const _tagUMADIMSIRE* rec);

 private:
  // Copies every member of `other`; when memory runs short, empty and 1003.
  void copy_from(const YDimSire& other);
  // Empties every member without allocating.
  void empty() noexcept;
};

#endif  // YDBCLN_ENTITY_YDIMSIRE_H_
