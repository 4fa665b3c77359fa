// YSearchDetailRace: the detailed race search. It finds run races by period
// or meeting, by name and grade, by distance, surface and course, by age
// condition and class, by payout ranges, by pace, weather and going, and by
// the runner conditions of `tk`, and holds them as YRaceList rows.
//
//   YSearchDetailRace search(&db);
//   _tagYDetailRaceInfo info{};
//   info.period = {20240101, 20241231, 16 | 32, 0};  // 東京 and 中山
//   if (search.setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0) == 0 &&
//       search.search() > 0) {
//     YRaceList* row = search.result(0);            // the earliest race found
//   }
//
// setparam turns the conditions into a condition text ("TF=20240101&
// TT=20241231&P=04&P=05") and has the database library compile it into a
// command the search holds; search runs that command. A library call that
// fails sets session error 1002 and returns -1 (the held command stays); a
// row that cannot be allocated, 1003. A copy holds its own rows, command
// and buffers.
#ifndef YDBCLN_SEARCH_YSEARCHDETAILRACE_H_
#define YDBCLN_SEARCH_YSEARCHDETAILRACE_H_

#include <memory>
#include <string>
#include <vector>

#include "ydbcln/race/YRaceList.h"
#include "ydbcln/search/RaceNameList.h"
#include "ydbcln/search/SearchRecords.h"
#include "ydbcln/session/YMainObject.h"

namespace ysearch {
struct RaceConditions;
}

class YSearchDetailRace : public YMainObject {
 public:
  explicit YSearchDetailRace(YHorseDB* db);
  YSearchDetailRace(const YSearchDetailRace& other);
  YSearchDetailRace& operator=(const YSearchDetailRace& other);
  ~YSearchDetailRace() override;

  // Builds the condition text of `mode` (0 period, 1 meeting, 2 race name)
  // and the records given (a null record adds no keys) and compiles it. 0
  // on success; -1 for another mode (nothing changes) or a text the library
  // refuses (the held command stays).
  virtual int setparam(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
                       _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
                       _tagYDetailRacePaceEtc* pace, int ts, int tk);
  // Combines `cmd` with the held command (both must hold); with none held,
  // holds a copy of it. A combination the library refuses keeps the held one.
  virtual void addparam(_tagSCMD* cmd);
  // The held command (owned by the search); null before setparam.
  virtual _tagSCMD* getparam();
  // Runs the held command: the number of races found, -1 without a
  // command or when the library fails.
  virtual int search();
  // As setparam, but runs the text at once without the TK keys and keeps
  // the races in which at least one runner meets at least one condition of
  // `tk` (when positive), sorted by date and then race code. -1 with 1003
  // when a race's runner records do not match its runner count.
  virtual int execrace(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
                       _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
                       _tagYDetailRacePaceEtc* pace, int ts, int tk);
  // The races of a code list (get_otherdata kind 4).
  virtual int execracecds(void* codes);
  // The races of a buffer of race codes, which the search releases.
  virtual int setkoldata(_tagRACECODEREC* buffer);
  // The code list of the races found (get_race2dt), held by the search
  // until the next call; null without results.
  virtual void* getothercode();
  // The race codes of the rows packed into a new 12-byte-record buffer,
  // held by the search until the next call; null without results.
  virtual void* getorgdata();
  // The buffer of the current results (RACERMREC records).
  virtual void* getorgdata(int);
  virtual int get_list_cnt();
  virtual YRaceList* result(int i);  // null out of range
  virtual void delete_result(int i);
  // The rows' race codes, 12 bytes each, rebuilt on each call and owned by
  // the search; null without results.
  virtual char* getcodelistptr();
  // Graded race names: group 1 G1, 2 G2, 3 G3 (-1 for another group; 1001
  // without a session).
  virtual int execname(int group);
  virtual std::string getname(int i);
  virtual int getnamecount();
  // The display texts of the current conditions, 13 strings into `out`:
  // grade, period or meeting, racecourses, race selector, distance,
  // surfaces, courses, age conditions, classes, payouts, pace, weather,
  // going.
  virtual void getsearchstring(std::string* out);
  // "P=04&P=05" for a racecourse mask; empty for every racecourse.
  virtual std::string setplace(int mask);
  // The code of one racecourse bit ("04" for 16); empty otherwise.
  virtual std::string getplacenum(int bit);

  // The condition text last compiled.
  const std::string& getconditiontext() const { return text_; }

 private:
  int fill(void* records);
  // execrace's search itself, and getcodelistptr's list, which may throw
  // std::bad_alloc to their guarded callers.
  int runrace(int mode, _tagYDetailRaceInfo* info, _tagYDetailRaceDistEtc* dist,
              _tagYDetailRaceAgeEtc* age, _tagYDetailRaceBetEtc* bet,
              _tagYDetailRacePaceEtc* pace, int ts, int tk);
  char* codelist();
  void* packcodes();  // the rows' race codes as a new buffer; null without rows
  void clearresults();
  bool keeprace(unsigned char* race, int tk, bool* failed);

  std::vector<std::unique_ptr<YRaceList>> rows_;
  std::vector<char> codelist_;
  void* othercode_ = nullptr;
  void* orgdata_ = nullptr;
  void* results_ = nullptr;
  void* command_ = nullptr;
  std::unique_ptr<ysearch::RaceConditions> conditions_;  // null before the first setparam
  std::string text_;
  RaceNameList names_;
};

#endif  // YDBCLN_SEARCH_YSEARCHDETAILRACE_H_
