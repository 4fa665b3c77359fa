// YStable: one trainer (stable) with the profile, the career and the year's
// figures of the stable record, and the stable's runners of a period with
// their totals. Everything as for YJockey, less what only a jockey has
// (qualification, affiliation text, apprentice allowance, own stable); the
// stable's place is its centre or location in the long form, unbracketed.
#ifndef YDBCLN_ENTITY_YSTABLE_H_
#define YDBCLN_ENTITY_YSTABLE_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/CareerRuns.h"
#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YStableList;
class YRaceHorse;

class YStable : public YMainObject {
 public:
  static constexpr int kCheckKind = 4;

  YStable(YHorseDB* db, std::string& code);
  // The trainer of a search's row, read from its record without a fetch; a
  // row without record gives an empty object.
  YStable(YHorseDB* db, YStableList& row);
  YStable(const YStable& other);
  YStable& operator=(const YStable& other);
  ~YStable() override;

  YHorseDB* getdb() const override;
  // The runners of the year `n` (mode 2) or of the `n` months up to today,
  // as YJockey::searchrace.
  virtual int searchrace(int mode, int n);
  virtual int getracecount();
  virtual YRaceHorse* race(int i);
  virtual bool is_check();
  virtual int set_check();
  virtual int reset_check();
  virtual YRaceTotal* total();
  virtual void print(std::ostream& out);  // writes nothing

  std::string kana, code, name, age, birthday, hhrplize, hhrplize2, hsrplize, hsrplize2, hnh,
      hns, rnh, rns, win1ph, win2ph, win3ph, win1pr, win2pr, win3pr, firstyear, stableplace;

 protected:
  virtual void setmember(const _tagSTABLEREC* rec);
  virtual void deletevector();

 private:
  // Copies every member of `other`; when memory runs short, empty and 1003.
  void copy_from(const YStable& other);
  // Empties every member without allocating.
  void empty() noexcept;

  CareerRuns career_;  // runs, totals, check mark
};

#endif  // YDBCLN_ENTITY_YSTABLE_H_
