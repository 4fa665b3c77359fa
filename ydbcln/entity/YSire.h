// YSire: one sire with the profile of the sire record, and its offspring's
// runs of a period with their totals.
//
//   YSire sire(&db, code);            // 7 characters
//   sire.searchrace(1, 12);           // the offspring's runs of the last 12 months
//
// Texts are Shift_JIS; the age counts from the current year
// (YUtil::gettoday). Bad codes, unknown codes, a failing database and
// memory running short behave as for YHorse; copies share the runs, freed
// by the last holder.
#ifndef YDBCLN_ENTITY_YSIRE_H_
#define YDBCLN_ENTITY_YSIRE_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/CareerRuns.h"
#include "ydbcln/entity/SireRec.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YSireList;
class YRaceHorse;

class YSire : public YMainObject {
 public:
  static constexpr int kCheckKind = 3;

  YSire(YHorseDB* db, std::string& code);
  // The sire of a search's row, read from its record without a fetch; a
  // row without record gives an empty object.
  YSire(YHorseDB* db, YSireList& row);
  YSire(const YSire& other);
  YSire& operator=(const YSire& other);
  ~YSire() override;

  YHorseDB* getdb() const override;
  // The offspring's runs of the year `n` (mode 2) or of the `n` months up
  // to today, as YJockey::searchrace.
  virtual int searchrace(int mode, int n);
  virtual int getracecount();
  virtual YRaceHorse* race(int i);
  virtual bool is_check();
  virtual int set_check();
  virtual int reset_check();
  virtual YRaceTotal* total();
  virtual void print(std::ostream& out);  // writes nothing

  std::string code, name, birthyear, age, distprop, skill_omo, skill_dirt, color, sanchi, father,
      mother, deathyear;

 protected:
  virtual void setmember(const _tagSIREREC* rec);
  virtual void deletevector();

 private:
  // Copies every member of `other`; when memory runs short, empty and 1003.
  void copy_from(const YSire& other);
  // Empties every member without allocating.
  void empty() noexcept;

  CareerRuns career_;  // runs, totals, check mark
};

#endif  // YDBCLN_ENTITY_YSIRE_H_
