// The race the theory engine judges: its conditions and, per runner in
// horse-number order, what the factors read of it, loaded from the race's
// results, its card or the horses nominated for it. Holds the race's record
// buffers, which the engine hands on to its result; a copy duplicates them.
#ifndef YDBCLN_THEORY_ENGINE_RACE_H_
#define YDBCLN_THEORY_ENGINE_RACE_H_

#include <string>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/theory/CalcInfoRec.h"
#include "ydbcln/theory/engine/RangeRaces.h"

class YHorseDB;

namespace ytheory {

constexpr int kMaxRunners = 128;

// What the engine keeps of each runner.
struct Runner {
  char horse[7];
  short weight;      // weight carried, tenths of a kilogram
  char sire[7];      // filled with the sire's table; zeroed when not known
  char jockey[5];    // zeroed when blank
  char trainer[5];   // zeroed when blank
  std::string horsename;
  std::string sirename;
  std::string trainername;
  unsigned char mark;      // prediction mark code: 1 ◎ ... 5 ×, 10 消, 0 none
  unsigned char training;  // training mark code 1..5, 0 none
  unsigned char number;    // horse number, 0 before the draw
  unsigned char frame;     // frame number, 0 before the draw
};

class Race {
 public:
  Race();
  Race(const Race& other);
  Race& operator=(const Race& other);
  ~Race();

  // Loads the race `code` on the session (not owned; may be null): from
  // its results unless `cardflag`, then from its card, or with `nomination`
  // non-zero from its nominations; `cardflag` comes back true when the race
  // was read from the card or the nominations. `info` (may be null)
  // overrides surface, distance and going. 0, or -1: no such race, or a
  // store that cannot answer (status 1002).
  int Load(YHorseDB* db, const std::string& code, bool& cardflag, int nomination,
           tagYCalcInfo* info);
  // The race from its results record, or from its card (nominations)
  // record; the runner records are fetched. 0, or -1.
  int FromResults(YHorseDB* db, _tagRACERMREC* race, tagYCalcInfo* info);
  int FromCard(YHorseDB* db, _tagRACEDREC* race, tagYCalcInfo* info, int nomination);
  // The run race from a range's records (RangeRaces), which keep them:
  // nothing is fetched, and the runners have no names (for ranking, not
  // for display). 0, or -1 when its runners do not match its runner count.
  int FromRange(const RangeRaces::Records* records, tagYCalcInfo* info);
  // Releases the record buffers.
  void Release();

  // The first day of a period of `months` before the race date.
  int PeriodStart(int months) const;

  std::string key;         // the 12-digit race code
  int racecourse = 0;
  int going = 0;           // going digit; 0 on a card unless given
  int date = 0;            // YYYYMMDD
  int meeting = 0;         // kai
  int surface = 0;         // the surface character: '0' dirt, '1' turf, '2' jumps
  int distance = 0;        // metres
  int runnercount = 0;
  unsigned char extra = 0; // carried from tagYCalcInfo; nothing reads it
  int nomination = 0;      // read from the nominations
  Runner runner[kMaxRunners];

  void* card = nullptr;     // the card (or nomination) race record
  void* results = nullptr;  // the results race record
  void* runners = nullptr;  // its runner records
  // A race read by FromRange: the range's records of it (not owned, shared
  // by copies); the buffers above are then null.
  const RangeRaces::Records* ranged = nullptr;

  // A runner record that carries the entry's marks: runner result records
  // and a range's entry records (RUNNERENTRYREC).
  struct MarkedRecord;

 private:
  void CopyFrom(const Race& other);
  int ResultRunners(YHorseDB* db, _tagRACERMREC* race);
  // The race's own fields from its results record.
  void ResultHeader(_tagRACERMREC* race);
  // Its runners from `count` records of that form.
  int ReadMarkedRunners(unsigned char* records, int count, const MarkedRecord& form);
  int CardRunners(YHorseDB* db, _tagRACEDREC* race, int nomination);
  void Apply(tagYCalcInfo* info);
};

}  // namespace ytheory

#endif  // YDBCLN_THEORY_ENGINE_RACE_H_
