// YSearchDown: the drill-down over the six searches (horses, sires,
// jockeys, trainers, races and runs). exec(a, b) walks from the records b
// found to the related records of a's kind (the horses that ran in the
// races found, the jockeys who rode the horses found ...), limited to a's
// own results when a holds any; search(a, b) runs a new search of a's kind
// under the conditions of both.
//
//   YSearchDown down(&db);
//   YSearchHorse horses(&db);                       // no results: any horse
//   std::unique_ptr<YSearchHorse> ran(down.exec(&horses, &races));
//   YSearchSire sires(&db);
//   std::unique_ptr<YSearchSire> theirs(down.exec(&sires, ran.get()));
//
// Each operation answers a new search the caller owns, or null. exec
// answers null, creating nothing and leaving the argument searches as they
// were, when nothing is related (b without results included) and no error
// is set then; otherwise null with 1001 without an initialised session,
// 1002 when the store fails, 1003 when memory runs short. Two searches of
// one kind relate the records both hold. search answers its new search
// whatever its run found (its count and the session's status tell), null
// only with 1001 or 1003. When a holds no command, the new search holds
// b's alone; when a is of another kind (not runs) and holds none, the new
// search holds, without a command, the records of a's kind related to those
// b's command finds. The drill-down holds nothing but the session pointer.
#ifndef YDBCLN_SEARCH_YSEARCHDOWN_H_
#define YDBCLN_SEARCH_YSEARCHDOWN_H_

#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchHorse.h"
#include "ydbcln/search/YSearchJockey.h"
#include "ydbcln/search/YSearchRaceHorse.h"
#include "ydbcln/search/YSearchSire.h"
#include "ydbcln/search/YSearchStable.h"

class YHorseDB;

class YSearchDown {
 public:
  explicit YSearchDown(YHorseDB* db);
  YSearchDown(const YSearchDown& other) = default;
  YSearchDown& operator=(const YSearchDown& other) = default;
  virtual ~YSearchDown();

  // The records of a's kind related to b's, within a's results if any.
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchHorse* b);
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchSire* b);
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchJockey* b);
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchStable* b);
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchDetailRace* b);
  virtual YSearchHorse* exec(YSearchHorse* a, YSearchRaceHorse* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchHorse* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchSire* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchJockey* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchStable* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchDetailRace* b);
  virtual YSearchSire* exec(YSearchSire* a, YSearchRaceHorse* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchHorse* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchSire* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchJockey* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchStable* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchDetailRace* b);
  virtual YSearchJockey* exec(YSearchJockey* a, YSearchRaceHorse* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchHorse* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchSire* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchJockey* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchStable* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchDetailRace* b);
  virtual YSearchStable* exec(YSearchStable* a, YSearchRaceHorse* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchHorse* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchSire* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchJockey* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchStable* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchDetailRace* b);
  virtual YSearchDetailRace* exec(YSearchDetailRace* a, YSearchRaceHorse* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchHorse* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchSire* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchJockey* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchStable* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchDetailRace* b);
  virtual YSearchRaceHorse* exec(YSearchRaceHorse* a, YSearchRaceHorse* b);

  // A new search of a's kind holding a's command, then b's (add_cmd), run:
  // search(), for runs search(1). A sire search's command is remade first
  // (remake_param(1)). Two searches of one kind hold both conditions; of
  // two kinds, b's conditions hold for a record related to one that meets
  // them (horses, sires, jockeys and trainers related to the races of a
  // runs search's command; races and runs related to the sires found), so
  // that on plain conditions search finds what exec finds after both
  // searches ran. A race command serves races and runs alike.
  virtual YSearchHorse* search(YSearchHorse* a, YSearchHorse* b);
  virtual YSearchHorse* search(YSearchHorse* a, YSearchRaceHorse* b);
  virtual YSearchSire* search(YSearchSire* a, YSearchSire* b);
  virtual YSearchSire* search(YSearchSire* a, YSearchRaceHorse* b);
  virtual YSearchJockey* search(YSearchJockey* a, YSearchJockey* b);
  virtual YSearchJockey* search(YSearchJockey* a, YSearchRaceHorse* b);
  virtual YSearchStable* search(YSearchStable* a, YSearchStable* b);
  virtual YSearchStable* search(YSearchStable* a, YSearchRaceHorse* b);
  virtual YSearchDetailRace* search(YSearchDetailRace* a, YSearchSire* b);
  virtual YSearchDetailRace* search(YSearchDetailRace* a, YSearchDetailRace* b);
  virtual YSearchDetailRace* search(YSearchDetailRace* a, YSearchRaceHorse* b);
  virtual YSearchRaceHorse* search(YSearchRaceHorse* a, YSearchSire* b);
  virtual YSearchRaceHorse* search(YSearchRaceHorse* a, YSearchDetailRace* b);
  virtual YSearchRaceHorse* search(YSearchRaceHorse* a, YSearchRaceHorse* b);

 private:
  YHorseDB* db_;
};

#endif  // YDBCLN_SEARCH_YSEARCHDOWN_H_
