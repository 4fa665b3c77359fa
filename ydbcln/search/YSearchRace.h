// YSearchRace: the race days of the month holding a date, each a
// YMainraceList row (its venues and their main races), in date order. The
// days come from the results (YSearchSeiseki) or from the race cards
// (YSearchDenma); this base holds the rows and runs the fetch its derived
// class supplies.
//
//   YSearchSeiseki days(&db);
//   for (int i = 0; i < days.exec(20240106); ++i) days.result(i)->getdate();
//
// exec answers the number of days: 0 for a date that is no calendar day or
// a month without racing; -1 with session error 1001 without an
// initialised session, 1002 when the database library fails, 1003 when
// the rows cannot be made. A failed exec leaves no rows.
#ifndef YDBCLN_SEARCH_YSEARCHRACE_H_
#define YDBCLN_SEARCH_YSEARCHRACE_H_

#include <memory>
#include <vector>

#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/session/YMainObject.h"

class YSearchRace : public YMainObject {
 public:
  explicit YSearchRace(YHorseDB* db);
  YSearchRace(const YSearchRace& other);
  YSearchRace& operator=(const YSearchRace& other);
  ~YSearchRace() override;

  // The race days of the month holding `date` (YYYYMMDD).
  virtual int exec(int date);
  // The i-th day; null for i < 0 or out of range.
  virtual YMainraceList* result(int i) const;

 protected:
  // The race-list records (RACELISTREC) of the month holding `date`, from
  // the database library; null when it fails.
  virtual void* searchrace(int date) = 0;
  virtual void deletevector();

 private:
  std::vector<std::unique_ptr<YMainraceList>> rows_;
};

#endif  // YDBCLN_SEARCH_YSEARCHRACE_H_
