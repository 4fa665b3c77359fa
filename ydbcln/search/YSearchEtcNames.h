// YSearchEtcNames: names of other kinds that answer to a search word, as
// YEtcNamesList rows. The word (Shift_JIS) is matched as every search
// matches names: both normalised (kana, width and case), a word without
// wildcards found in the name, a word with "*" or "?" matching the whole
// name. Kinds, with the rows they give:
//   1 registered horse names   code and name    (type 1)
//   2 sire names               code and name    (type 2)
//   3 dam names                code and name    (type 3)
//   4 owners                   code and name    (type 4; the 6-digit code
//                                                blank-padded to 7)
//   5 breeders                 name only        (type 5)
//   6 birthplaces              name and its 3-digit code (type 6), from the
//                              birthplace code table
//
//   YSearchEtcNames names(&db);
//   for (int i = 0; i < names.exec(1, word); ++i) names.result(i)->getname();
//
// exec answers the number of rows: 0 for another kind, a null or empty
// word, or nothing found; -1 with session error 1001 without an
// initialised session, 1002 when the database library fails (also for a
// word it refuses: over 60 bytes, or blanks only), 1003 when the rows
// cannot be made. A failed exec leaves no rows.
#ifndef YDBCLN_SEARCH_YSEARCHETCNAMES_H_
#define YDBCLN_SEARCH_YSEARCHETCNAMES_H_

#include <memory>
#include <vector>

#include "ydbcln/entity/YEtcNamesList.h"
#include "ydbcln/session/YMainObject.h"

class YSearchEtcNames : public YMainObject {
 public:
  explicit YSearchEtcNames(YHorseDB* db);
  YSearchEtcNames(const YSearchEtcNames& other);
  YSearchEtcNames& operator=(const YSearchEtcNames& other);
  ~YSearchEtcNames() override;

  virtual int exec(int kind, char* text);
  virtual YEtcNamesList* result(int i);  // null out of range
  virtual int get_list_cnt();

 protected:
  virtual void deletevector();

 private:
  // The rows of kinds 1 to 5, from the database library's name records.
  int fromrecords(int kind, const char* text);
  // The rows of kind 6, from the birthplace code table.
  int frombirthplaces(const char* text);

  std::vector<std::unique_ptr<YEtcNamesList>> rows_;
};

#endif  // YDBCLN_SEARCH_YSEARCHETCNAMES_H_
