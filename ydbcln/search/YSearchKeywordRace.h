// YSearchKeywordRace: races gathered from runs: those two horses both ran
// in, those a sire's offspring ran in with a popularity and a finishing
// position, those a horse ran in under a jockey, and the races of a year
// in which a runner meets conditions of trouble in running or of body
// weight. The races are gathered as a set of distinct race codes and shown
// as YRaceList result rows in race-code order.
//
//   YSearchKeywordRace races(&db);
//   races.exec_2horse("2019001", "2019002");    // where they met
//   for (int i = 0; races.result(i) != nullptr; ++i) races.result(i)->getname();
//
// Limits and modes: a limit is compared with a runner's field, mode 0 "at
// most the limit", mode 1 "at least the limit" (exec_weight's third test
// also mode 2 "exactly"). A run's race code is read at bytes 1-12 of its
// runner result record.
//
// Each exec answers the number of rows: 0 when nothing is found or the
// arguments ask for nothing that can be found (a mode out of its range, a
// limit that must be positive and is not, a horse code that names no
// horse); -1 with session error 1001 without an initialised session, 1002
// when the database library fails, 1003 when the rows cannot be made, 1004
// for exec_horsejockey's T outside 1 to 4. A failed exec leaves no rows.
#ifndef YDBCLN_SEARCH_YSEARCHKEYWORDRACE_H_
#define YDBCLN_SEARCH_YSEARCHKEYWORDRACE_H_

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YMainObject.h"

class YSearchKeywordRace : public YMainObject {
 public:
  explicit YSearchKeywordRace(YHorseDB* db);
  YSearchKeywordRace(const YSearchKeywordRace& other);
  YSearchKeywordRace& operator=(const YSearchKeywordRace& other);
  ~YSearchKeywordRace() override;

  // The races both horses (7-digit codes) have a runner record in.
  virtual int exec_2horse(std::string code1, std::string code2);

  // The races of `year` in which an offspring of the sire (7-digit code)
  // ran with a popularity within limit1 (mode1) and finished within
  // limit2 (mode2). A run without a popularity or a finishing position
  // (0: withdrawn, or did not finish) is no such run. mode1 and mode2
  // must each be 0 or 1.
  virtual int exec_sire(int year, std::string code, int limit1, int mode1, int limit2, int mode2);

  // The races a horse ran in under the jockey (5-digit code). The horses
  // are those whose names answer to `horse` as a name search matches
  // names (YSearchEtcNames kind 1), T telling how: 1 the name contains
  // the word, 2 it starts with it, 3 it ends with it, 4 it is the word. A
  // word with "*" or "?" is a pattern matched whole, to which T 2 and 3
  // add a "*" after or before it. The runs
  // kept are those of `year` (0: every year) with a popularity within
  // limit1 (mode1) and a finishing position within limit2 (mode2); a limit
  // of 0 asks nothing of its field, a positive one fails a run without
  // that field (0). A mode other than 0 or 1 finds nothing.
  virtual int exec_horsejockey(std::string horse, int T, std::string jockey, int year, int limit1,
                               int mode1, int limit2, int mode2);

  // The races of `year` in which the runner of popularity `popularity` met
  // trouble of kind `kind` and finished within `limit` (mode 0 at most,
  // 1 at least; a runner that did not finish counts as behind every
  // finisher, so it passes "at least" and fails "at most"). Kinds: 0 a
  // corner position above 40 (a mark of trouble at that corner), 1 a
  // start from a stall with a higher number than its own, 2 accident 32
  // (pulled up), 3 accident 36, 4 accident 31 or 33, 5 any of these.
  // `limit` and `popularity` must be positive, `kind` 0 to 5, `mode` 0 or 1.
  virtual int exec_furi(int year, int limit, int kind, int popularity, int mode);

  // The races of `year` in which one runner changed its body weight by
  // changelimit or more (changemode 1) or by at most changelimit (else),
  // was of popularity within limit2 (mode2) and finished within limit3
  // (mode3, 2: exactly). A runner without a weight change, a popularity or
  // a finishing position fails. limit2 and limit3 must be positive, mode2
  // 0 or 1, mode3 0 to 2.
  virtual int exec_weight(int year, int changelimit, int changemode, int limit2, int mode2,
                          int limit3, int mode3);

  virtual YRaceList* result(int i);  // null out of range
  virtual int get_list_cnt();

 protected:
  // Builds a row for each code of `codes` (ascending) that names a JRA
  // racecourse (first character "0"): the number of rows, or -1 (1003).
  virtual int setrace(std::set<std::string>& codes);
  virtual void deletevector();

 private:
  std::vector<std::unique_ptr<YRaceList>> rows_;
};

#endif  // YDBCLN_SEARCH_YSEARCHKEYWORDRACE_H_
