// YSearchGradeRace: the graded races by name. It lists the names of the
// graded races run so far, in three groups (1 G1, 2 G2, 3 G3), and the past
// runnings of one of them as YRaceList rows, in date order.
//
//   YSearchGradeRace grade(&db);
//   for (int i = 0; i < grade.execname(1); ++i) {
//     if (grade.getname(i) == arima) grade.execrace(i);  // every 有馬記念 run
//   }
//
// execname fails with -1 for another group, with session error 1001
// without a session and 1002 when the database library fails.
#ifndef YDBCLN_SEARCH_YSEARCHGRADERACE_H_
#define YDBCLN_SEARCH_YSEARCHGRADERACE_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/YRaceList.h"
#include "ydbcln/search/RaceNameList.h"
#include "ydbcln/session/YMainObject.h"

class YSearchGradeRace : public YMainObject {
 public:
  explicit YSearchGradeRace(YHorseDB* db);
  YSearchGradeRace(const YSearchGradeRace& other);
  YSearchGradeRace& operator=(const YSearchGradeRace& other);
  ~YSearchGradeRace() override;

  // Selects a group of names: the number of names in it, or -1.
  virtual int execname(int group);
  // The i-th name of the selected group (Shift_JIS, no trailing blanks).
  virtual std::string getname(int i);
  virtual int getnamecount();
  // "西" or "東": where the race was last run; empty out of range.
  virtual std::string getew(int i);
  // The runnings of the i-th name: the number of rows, -1 out of range or
  // when the library fails (1002).
  virtual int execrace(int i);
  virtual int getracecount();
  virtual YRaceList* result(int i);  // null out of range

 private:
  RaceNameList names_;
  std::vector<std::unique_ptr<YRaceList>> rows_;
};

#endif  // YDBCLN_SEARCH_YSEARCHGRADERACE_H_
