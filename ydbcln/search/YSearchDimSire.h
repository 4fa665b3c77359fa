// YSearchDimSire: the dam-sire search. It finds the horses that are the
// dam's sire of a stored horse by name, and holds them as YDimSireList
// rows over its result buffer of code-and-name records (the search must
// outlive them). It has no command form.
//
//   YSearchDimSire search(&db);
//   if (search.exec(name, 1) > 0) search.result(0)->getname();
//
// Statuses: 1001 without an initialised session, 1002 when the library
// fails or refuses the name, 1003 when memory runs short, 1004 for a T
// outside 1 to 4; a failed run leaves no rows. A copy holds its own rows
// and buffer.
#ifndef YDBCLN_SEARCH_YSEARCHDIMSIRE_H_
#define YDBCLN_SEARCH_YSEARCHDIMSIRE_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/entity/YDimSireList.h"
#include "ydbcln/session/YMainObject.h"

class YSearchDimSire : public YMainObject {
 public:
  explicit YSearchDimSire(YHorseDB* db);
  YSearchDimSire(const YSearchDimSire& other);
  YSearchDimSire& operator=(const YSearchDimSire& other);
  ~YSearchDimSire() override;

  // The dam-sires whose name holds `name` (Shift_JIS; empty, every one),
  // `t` as the people's searches take it: the number found, or -1.
  virtual int exec(std::string name, int t);
  virtual YDimSireList* result(int i);  // null out of range
  virtual int get_list_cnt();

  // The condition text last run.
  const std::string& getconditiontext() const { return text_; }

 private:
  void clearresults();

  std::vector<std::unique_ptr<YDimSireList>> rows_;
  void* results_ = nullptr;
  std::string text_;
};

#endif  // YDBCLN_SEARCH_YSEARCHDIMSIRE_H_
