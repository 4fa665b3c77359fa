// YEtcNamesList: one row of a name search (YSearchEtcNames): a name and,
// for the kinds that have one, a code. Types 1 to 4 (horses, sires, dams,
// owners) are read from a code-and-name record (UMADIMSIRE: a 7-character
// code, then a 34-byte name; a shorter code is blank-padded); types 5 and 6
// from a 40-byte name with no code (a breeder, whose 8-digit code the row
// does not carry). The name search builds its birthplace rows (type 6) from
// the name and code texts. Any other type gives an empty row. Texts are
// Shift_JIS. A copy that cannot allocate its texts leaves 1003 and a row of
// its type without name or code.
#ifndef YDBCLN_ENTITY_YETCNAMESLIST_H_
#define YDBCLN_ENTITY_YETCNAMESLIST_H_

#include <string>

#include "ydbcln/session/YList.h"

class YHorseDB;

class YEtcNamesList : public YList {
 public:
  YEtcNamesList(YHorseDB* db, const void* rec, int type);
  YEtcNamesList(YHorseDB* db, char* name, char* code, int type);
  YEtcNamesList(const YEtcNamesList& other);
  YEtcNamesList& operator=(const YEtcNamesList& other);
  ~YEtcNamesList() override;

  // True when the row has a code.
  virtual bool iscode();
  virtual std::string getname();
  virtual std::string getcode();
  virtual int gettype();

 private:
  std::string name_;
  std::string code_;
  bool hascode_ = false;
  int type_ = 0;
};

#endif  // YDBCLN_ENTITY_YETCNAMESLIST_H_
