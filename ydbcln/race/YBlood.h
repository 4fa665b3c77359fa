// YBlood: the three-generation pedigree of one horse as display text.
//
// The members are public and read directly. `parent` holds the sire (0) and
// the dam (1); `ancestor` the sire's sire, sire's dam, dam's sire and dam's
// dam (0 to 3), then their sires and dams in the same order (4 to 11: the
// sire's sire's sire, the sire's sire's dam, ...). An imported horse's name
// ends in "*"; an ancestor the data set does not know is an empty text.
//
//   YBlood blood(&db, code);          // code: 7-digit horse code
//   if (blood.exist()) blood.parent[0].name;  // the sire
//
// Only a 7-character code is looked up: any other code, and a horse without
// a stored pedigree, give an empty pedigree and no error. A failing database
// leaves the status 1002 in the session.
#ifndef YDBCLN_RACE_YBLOOD_H_
#define YDBCLN_RACE_YBLOOD_H_

#include <iosfwd>
#include <string>

#include "ydbcln/race/PedigreeRec.h"
#include "ydbcln/race/YBloodFM.h"
#include "ydbcln/session/YSubObject.h"

class YHorseDB;

class YBlood : public YSubObject {
 public:
  static constexpr int kParents = pedrec::kParentOriginCount;
  static constexpr int kAncestors = pedrec::kAncestorOriginCount;

  // Clears the session's error, then loads the pedigree of `horsecode`.
  YBlood(YHorseDB* db, const std::string& horsecode);
  YBlood(const YBlood& other);
  YBlood& operator=(const YBlood& other);
  ~YBlood() override;

  // Whether the pedigree was loaded (`code` is not empty).
  virtual bool exist();
  virtual void print(std::ostream& out);  // writes nothing

  std::string code;                 // the horse code; empty when nothing was loaded
  std::string name;                 // the horse's name
  YBloodFM parent[kParents];        // sire, dam
  std::string ancestor[kAncestors];

 protected:
  // Empties every member, then fills them from the pedigree record of `code`.
  virtual void setmember(const std::string& code);
};

#endif  // YDBCLN_RACE_YBLOOD_H_
