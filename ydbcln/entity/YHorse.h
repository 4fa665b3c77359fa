// YHorse: one horse with its profile, career, runs and pedigree.
//
// The profile is formatted once, when the horse is built, into the public
// strings below (Shift_JIS). searchrace() loads every run of the horse,
// latest first, and counts them into total(); pedigree() is the horse's
// three generations; the check mark is the user's mark on the horse.
//
//   YHorse horse(&db, code);                  // 7 characters
//   if (horse.notfound()) ...                 // there is such a horse
//   int n = horse.searchrace();               // runs, or -1
//   YRaceHorse* last = horse.race(0);
//   horse.total()->place[4];                  // its runs at 東京
//
// A code of another length fetches nothing and sets no error; an unknown
// code gives an empty horse, without an error. A failing database leaves
// status 1002 and an empty horse (or, for searchrace, -1 and no runs, the
// totals as they were). Memory running short while a horse is built,
// copied or assigned leaves status 1003 and an empty horse; in searchrace,
// 1003, -1, no runs and the totals zero.
//
// A copy shares the original's runs and pedigree, freed by the last holder;
// searchrace on either replaces its own runs only.
#ifndef YDBCLN_ENTITY_YHORSE_H_
#define YDBCLN_ENTITY_YHORSE_H_

#include <iosfwd>
#include <memory>
#include <string>

#include "ydbcln/entity/CareerRuns.h"
#include "ydbcln/entity/HorseRec.h"
#include "ydbcln/money/YRaceTotal.h"
#include "ydbcln/session/YMainObject.h"

class YBlood;
class YHorseDB;
class YHorseList;
class YRaceHorse;

class YHorse : public YMainObject {
 public:
  static constexpr int kCheckKind = 1;

  YHorse(YHorseDB* db, std::string& code);
  // The horse of a search's row, read from its record without a fetch; a
  // row without record gives an empty object.
  YHorse(YHorseDB* db, YHorseList& row);
  YHorse(const YHorse& other);
  YHorse& operator=(const YHorse& other);
  ~YHorse() override;

  YHorseDB* getdb() const override;
  // Loads every run of the horse, latest first, and counts them into
  // total(): the number of runs, 0 for an empty horse, -1 when the
  // database fails.
  virtual int searchrace();
  virtual int getracecount();
  // True when the horse was found.
  virtual bool notfound();
  virtual YRaceHorse* race(int i);
  virtual bool is_check();
  // Sets (clears) the user's mark: 0, or -1 when the database refuses; the
  // database is called only when the mark changes.
  virtual int set_check();
  virtual int reset_check();
  virtual YRaceTotal* total();
  virtual YBlood* pedigree();
  virtual void print(std::ostream& out);  // writes nothing

  std::string code, name, seibetu, age, stablecode, stablename, birthday, owner, color, blood,
      umakigou, seisansya, sanchi, fathercode, father, mother, mothers_father, mothers_mother,
      rplize, aplize, addplize, srplize, saplize, win1p, win2p, win3p, chakudosu, owner_s,
      seisansya_s, stableplace, distprop, mothercode;
  std::string skill[4];  // ho, hd, so, sd

 protected:
  virtual void setmember(const _tagYDBUMAREC* rec);
  virtual void deletevector();

 private:
  // Copies every member of `other`; when memory runs short, empty and 1003.
  void copy_from(const YHorse& other);
  // Empties every member without allocating.
  void empty() noexcept;

  std::shared_ptr<YBlood> pedigree_;
  CareerRuns career_;  // runs, totals, check mark
};

#endif  // YDBCLN_ENTITY_YHORSE_H_
