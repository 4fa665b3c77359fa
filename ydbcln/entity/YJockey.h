// YJockey: one jockey with the profile, the career and the year's figures
// of the jockey record, and the rides of a period with their totals.
//
//   YJockey jockey(&db, code);           // 5 characters
//   jockey.searchrace(2, 2024);          // the rides of 2024, or -1
//   jockey.searchrace(1, 6);             // the last six months up to today
//   jockey.total()->place[4];            // their totals at 東京
//
// Texts are Shift_JIS. The year's figures (hnh, hns, hhrplize ...) show
// zeros ("0円") unless the record's year is the current year
// (YUtil::gettoday). Bad codes, unknown codes, a failing database and
// memory running short behave as for YHorse; copies share the rides, freed
// by the last holder.
#ifndef YDBCLN_ENTITY_YJOCKEY_H_
#define YDBCLN_ENTITY_YJOCKEY_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/CareerRuns.h"
#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YJockeyList;
class YRaceHorse;

class YJockey : public YMainObject {
 public:
  static constexpr int kCheckKind = 2;

  YJockey(YHorseDB* db, std::string& code);
  // The jockey of a search's row, read from its record without a fetch; a
  // row without record gives an empty object.
  YJockey(YHorseDB* db, YJockeyList& row);
  YJockey(const YJockey& other);
  YJockey& operator=(const YJockey& other);
  ~YJockey() override;

  YHorseDB* getdb() const override;
  // The rides of the year `n` (mode 2) or of the `n` months up to today
  // (any other mode), latest first, counted into total(): their number, 0
  // for an empty jockey, -1 when the database fails.
  virtual int searchrace(int mode, int n);
  virtual int getracecount();
  virtual YRaceHorse* race(int i);
  virtual bool is_check();
  virtual int set_check();
  virtual int reset_check();
  virtual YRaceTotal* total();
  virtual void print(std::ostream& out);  // writes nothing

  std::string qualify, kana, code, name, age, shozoku, stablecode, stablename, birthday, minarai,
      hhrplize, hhrplize2, hsrplize, hsrplize2, hnh, hns, rnh, rns, win1ph, win2ph, win3ph,
      win1pr, win2pr, win3pr, firstyear, stableplace;

 protected:
  virtual void setmember(const _tagJOCKEYREC* rec);
  virtual void deletevector();

 private:
  // Copies every member of `other`; when memory runs short, empty and 1003.
  void copy_from(const YJockey& other);
  // Empties every member without allocating.
  void empty() noexcept;

  CareerRuns career_;  // runs, totals, check mark
};

#endif  // YDBCLN_ENTITY_YJOCKEY_H_
