// YSearchRaceHorse: runs of horses in races, as a cross search or a race
// command finds them, held as YRaceHorse rows over its result buffer of
// runner result records (RACERHREC).
//
//   YSearchRaceHorse runs(&db);
//   runs.addparam(races.getparam());   // a race search's command
//   runs.search(4);                    // the first three of each race found
//
// search(n) runs the held race command: every runner for n of 1 or less,
// else the runners that finished 1st to (n - 1)th. Statuses as for
// YSearchHorse: 1001 without an initialised session, 1002 when the library
// fails, 1003 when rows cannot be allocated; a failed run leaves no rows. A
// copy holds its own rows, buffer and command.
#ifndef YDBCLN_SEARCH_YSEARCHRACEHORSE_H_
#define YDBCLN_SEARCH_YSEARCHRACEHORSE_H_

#include <memory>
#include <vector>

#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/search/SearchRecords.h"
#include "ydbcln/session/YMainObject.h"

class YSearchRaceHorse : public YMainObject {
 public:
  explicit YSearchRaceHorse(YHorseDB* db);
  YSearchRaceHorse(const YSearchRaceHorse& other);
  YSearchRaceHorse& operator=(const YSearchRaceHorse& other);
  ~YSearchRaceHorse() override;

  // Runs the held command: the number of runs, -1 without a command.
  virtual int search(int n);
  // The runs of a code list (get_otherdata kind 5).
  virtual int execcd(void* codes);
  // Takes a buffer of runner result records over as the results.
  virtual int setkoldata(_tagRACERHREC* buffer);
  // The buffer of the current results; null without results.
  virtual void* getorgdata();
  // Combines `cmd` with the held command, as YSearchHorse::addparam.
  virtual void addparam(_tagSCMD* cmd);
  virtual _tagSCMD* getparam();
  virtual YRaceHorse* result(int i);  // null out of range
  virtual int get_list_cnt();
  virtual void deletevector();

 private:
  int fill(void* records);
  void clearresults();

  std::vector<std::unique_ptr<YRaceHorse>> rows_;
  void* results_ = nullptr;
  void* command_ = nullptr;
};

#endif  // YDBCLN_SEARCH_YSEARCHRACEHORSE_H_
