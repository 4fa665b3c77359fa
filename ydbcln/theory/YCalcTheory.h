// YCalcTheory: the theory engine. It applies one prediction theory to one
// race: loads the race (its results once run, else its card, or the horses
// nominated for it), gathers the past runs of every runner, of their
// jockeys, trainers and sires, ranks the runners on each factor of the
// theory, and hands the ranks to its YTheoryResult, which combines them
// into the final order and buys the tickets.
//
//   YCalcTheory engine(&db);
//   if (engine.exec(&theory, "052024010611", 0, 0, nullptr, false) == 0) {
//     YTheoryResult* r = engine.getresult();
//     for (int i = 0; i < r->runnercount; ++i) show(r->horsename[i], r->finalrank[i]);
//     engine.setkaime(0, &option);   // 馬連 tickets from the final order
//   }
//
// Past runs are gathered once per category of factor (horse, jockey,
// trainer, sire) per race, for the longest period the theory's factors of
// that category ask for; each factor then counts only the runs of its own
// period and conditions. A runner without data for a factor has rank 0 on
// it; a runner marked 消 has rank 0 on every factor.
//
// Failures: a null theory or a race code that is not 12 digits gives -1
// and status 1004; a code of no race gives -1 with the result untouched; a
// store that cannot answer the race gives -1 and status 1002. A past-run
// fetch the store cannot answer leaves status 1002 and that table empty:
// its factors rank nobody, the others are evaluated as usual.
//
// Copies are deep: a copy has its own result and its own copies of the
// race's record buffers and past runs.
#ifndef YDBCLN_THEORY_YCALCTHEORY_H_
#define YDBCLN_THEORY_YCALCTHEORY_H_

#include <string>
#include <vector>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/theory/CalcInfoRec.h"
#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryHorseRaceHorse.h"
#include "ydbcln/theory/YTheoryJockeyRaceHorse.h"
#include "ydbcln/theory/YTheoryOption.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/YTheorySireRaceHorse.h"
#include "ydbcln/theory/YTheoryStableRaceHorse.h"

class YHorseDB;

namespace ytheory {
struct FactorDefinition;
struct Texts;
}  // namespace ytheory

class YCalcTheory {
 public:
  static constexpr int kMaxRunners = 128;
  // Runners per row of allrank's rank table.
  static constexpr int kRankRow = 18;

  // An empty engine on the session (not owned), with its own result.
  explicit YCalcTheory(YHorseDB* db);
  YCalcTheory(const YCalcTheory& other);
  YCalcTheory& operator=(const YCalcTheory& other);
  virtual ~YCalcTheory();

  // Evaluates `theory` on the race `racecode`. The race is read from its
  // results unless `usecard` is non-zero; a race not yet run is read from
  // its card, or with `nomination` non-zero from the horses nominated for
  // it. `info` (may be null) overrides the race's surface, distance and
  // going. With `resultonly` the race is read from its results only (a race
  // not yet run gives -1), no display texts are made and the result gets
  // only what the return analysis needs. 0 on success, -1 when the race
  // cannot be loaded.
  virtual int exec(YTheory* theory, std::string racecode, int usecard, int nomination,
                   tagYCalcInfo* info, bool resultonly);
  // The result of the last exec; owned by the engine.
  virtual YTheoryResult* getresult();
  // Buys tickets from the last exec's order: YTheoryResult::setkaime.
  virtual void setkaime(int bettype, YTheoryOption* option);
  // Ranks the runners of the race on each of the `count` items alone, at
  // its own parameters: ranks[i][r] is runner r's rank on items[i]. The
  // race is read as exec reads it (results, else card, nominations when
  // the last exec read nominations). 0, or -1 when the race cannot be
  // loaded; -1 and status 1004, writing nothing, for a null item list or
  // table, a count outside 0..78 or a race of more than 18 runners.
  virtual int allrank(_tagTHITEM* items, int count, std::string& racecode,
                      unsigned char ranks[][kRankRow]);

  // Tenths of a second as the display number M SS T (834 gives 1234).
  virtual int sectotime(int t);

 protected:
  // What the engine keeps of each runner, in horse-number order.
  struct Runner {
    char horse[7];
    short weight;      // weight carried, tenths of a kilogram
    char sire[7];      // filled by siresearch; zeroed when not known
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

  // Loads the race: results unless `cardflag`, then the card or the
  // nominations; `cardflag` comes back true when the race was read from
  // the card or the nominations. 0, or -1.
  virtual int searchrace(std::string code, bool& cardflag, int nomination, tagYCalcInfo* info);
  virtual int setrace_seiseki(_tagRACERMREC* race, tagYCalcInfo* info);
  virtual int setrace_denma(_tagRACEDREC* race, tagYCalcInfo* info, int nomination);
  // Evaluates item i of the theory into `ranks` (one per runner slot).
  virtual int calc(YTheory* theory, int i, int* ranks, bool resultonly);
  // Fill the past-run tables.
  virtual void horsesearch();
  virtual void siresearch(int months, bool keepnames);
  virtual void jockeysearch(int months);
  virtual void stablesearch(int months);
  // The rank rule of every factor: a runner without data or marked 消 has
  // rank 0; the others 1 + the number of runners with a strictly better
  // value (larger when `larger`), so equal values share a rank. Values
  // that differ only by floating-point rounding are equal.
  virtual void setrank(int n, bool larger, bool* valid, double* value, int* rank);
  // Drops the past-run tables.
  virtual void deletevector();

  // --- The factors, by code (see YTheories' catalogue) --------------------
  // Each ranks the runners into `rank` and, unless `resultonly`, writes its
  // column count, texts and headings into the result's item `item`.
  int calc_horseaveragetime(YTheory* th, int item, int p2, int* rank, bool resultonly);        // 1
  int calc_horsebesttime(YTheory* th, int item, int* rank, bool resultonly);                  // 2
  int calc_horsebefore3f(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 3
  int calc_horselast3f(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 4
  int calc_horsechakusa(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);   // 5
  int calc_horsekinryo(YTheory* th, int item, int p2, int* rank, bool resultonly);            // 6
  int calc_horseninki(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 7
  int calc_horsechaku(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 8
  int calc_horseodds(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);      // 9
  int calc_horsejisseki(YTheory* th, int item, int* rank, bool resultonly);                   // 10
  int calc_horsekyoritekisei(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 11
  int calc_horserentai(YTheory* th, int item, int* rank, bool resultonly);                    // 12
  int calc_horseshoritsu(YTheory* th, int item, int* rank, bool resultonly);                  // 13
  int calc_horsekyorirentai(YTheory* th, int item, int p1, int* rank, bool resultonly);       // 14
  int calc_horsekyorishoritsu(YTheory* th, int item, int p1, int* rank, bool resultonly);     // 15
  int calc_horsespindex(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 16
  int calc_horsebabatekisei(YTheory* th, int item, int* rank, bool resultonly);               // 17
  int calc_horsecoursetekisei(YTheory* th, int item, int* rank, bool resultonly);             // 18
  int calc_sirejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 19
  int calc_sirecoursejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 20
  int calc_sirekettou(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 21
  int calc_jockeyjisseki(YTheory* th, int item, int p2, int* rank, bool resultonly);          // 22
  int calc_jockeyrentairitsu(YTheory* th, int item, int p2, int* rank, bool resultonly);      // 23
  int calc_jockeyshouritsu(YTheory* th, int item, int p2, int* rank, bool resultonly);        // 24
  int calc_jockeykyorirentairitsu(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 25
  int calc_jockeykyorishouritsu(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 26
  int calc_jockeyracejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 27
  int calc_stablerentairitsu(YTheory* th, int item, int p2, int* rank, bool resultonly);      // 28
  int calc_stablejisseki(YTheory* th, int item, int p2, int* rank, bool resultonly);          // 29
  int calc_deme(YTheory* th, int item, int p2, int* rank, bool resultonly);                   // 30
  int calc_yosoumark(YTheory* th, int item, int* rank, bool resultonly);                      // 31
  int calc_horsewaku(YTheory* th, int item, int* rank, bool resultonly);                      // 32
  int calc_horsetosu(YTheory* th, int item, int* rank, bool resultonly);                      // 33
  int calc_horsekaku(YTheory* th, int item, int* rank, bool resultonly);                      // 34
  int calc_horseseason(YTheory* th, int item, int* rank, bool resultonly);                    // 35
  int calc_horsejockey(YTheory* th, int item, int* rank, bool resultonly);                    // 36
  int calc_raceyosouodds(YTheory* th, int item, int* rank, bool resultonly);                  // 37
  int calc_choukyou(YTheory* th, int item, int* rank, bool resultonly);                       // 38
  int calc_horse3chakunai(YTheory* th, int item, int* rank, bool resultonly);                 // 39
  int calc_horsekyori3chakunai(YTheory* th, int item, int p1, int* rank, bool resultonly);    // 40
  int calc_jockey3chakunai(YTheory* th, int item, int p2, int* rank, bool resultonly);        // 41
  int calc_jockeykyori3chakunai(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 42
  int calc_stable3chakunai(YTheory* th, int item, int p2, int* rank, bool resultonly);        // 43
  int calc_stableshouritsu(YTheory* th, int item, int p2, int* rank, bool resultonly);        // 44
  int calc_horsejisseki1(YTheory* th, int item, int* rank, bool resultonly);                  // 45
  int calc_jockeyseason(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 46
  int calc_stableseason(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 47
  int calc_sireseason(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 48
  int calc_horsekaisai(YTheory* th, int item, int* rank, bool resultonly);                    // 49
  int calc_jockeykaisai(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 50
  int calc_stablekaisai(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 51
  int calc_sirekaisai(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 52
  int calc_horseracejisseki(YTheory* th, int item, int p1, int* rank, bool resultonly);       // 53
  int calc_stableracejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 54
  int calc_sireracejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 55
  // 56: over a distance range and a period; 60: at the racecourse, over a period.
  int calc_stablekyorijisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);
  int calc_jockeywaku(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 57
  int calc_jockeytosu(YTheory* th, int item, int p2, int* rank, bool resultonly);             // 58
  int calc_jockeybasyojisseki(YTheory* th, int item, int p2, int* rank, bool resultonly);     // 59
  int calc_stablekyorijisseki(YTheory* th, int item, int p2, int* rank, bool resultonly);     // 60
  int calc_sirekyorijisseki(YTheory* th, int item, int p2, int* rank, bool resultonly);       // 61
  int calc_jockeybabatekisei(YTheory* th, int item, int p2, int* rank, bool resultonly);      // 62
  int calc_jockeykyoritekisei(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 63
  int calc_stablekyoritekisei(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 64
  int calc_sirekyoritekisei(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 65
  int calc_jockeychaku(YTheory* th, int item, int p2, int* rank, bool resultonly);            // 66
  int calc_jockeystable(YTheory* th, int item, int p2, int* rank, bool resultonly);           // 67
  int calc_horsecoursejisseki(YTheory* th, int item, int p1, int* rank, bool resultonly);     // 68
  int calc_jockeycoursejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 69
  int calc_stablecoursejisseki(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 70
  int calc_jockeycoursetekisei(YTheory* th, int item, int p2, int* rank, bool resultonly);    // 71
  int calc_horsecourseshoritsu(YTheory* th, int item, int p1, int* rank, bool resultonly);    // 72
  int calc_jockeycourseshoritsu(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 73
  int calc_horsecourserentai(YTheory* th, int item, int p1, int* rank, bool resultonly);      // 74
  int calc_jockeycourserentai(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);    // 75
  int calc_horsecourse3chakunai(YTheory* th, int item, int p1, int* rank, bool resultonly);   // 76
  int calc_jockeycourse3chakunai(YTheory* th, int item, int p1, int p2, int* rank, bool resultonly);  // 77
  int calc_horseana(YTheory* th, int item, int* rank, bool resultonly);                       // 78

  YHorseDB* db_;

  // --- The race --------------------------------------------------------------
  std::string racekey_;        // the 12-digit race code
  int racecourse_ = 0;
  int going_ = 0;              // going digit; 0 on a card unless given
  int date_ = 0;               // YYYYMMDD
  int meeting_ = 0;            // kai
  int surface_ = 0;            // the surface character: '0' dirt, '1' turf, '2' jumps
  int distance_ = 0;           // metres
  int runnercount_ = 0;
  unsigned char extra_ = 0;    // carried from tagYCalcInfo; nothing reads it
  Runner runner_[kMaxRunners];

  // The distinct trainers and sires of the race in order of first
  // appearance, and each runner's index into them (-1 none).
  std::vector<std::string> trainers_;
  std::vector<std::string> sires_;
  int trainerof_[kMaxRunners];
  int sireof_[kMaxRunners];

  // --- The past-run tables ------------------------------------------------------
  std::vector<YTheoryHorseRaceHorse> horserows_[kMaxRunners];    // by runner
  std::vector<YTheoryJockeyRaceHorse> jockeyrows_[kMaxRunners];  // by runner
  std::vector<YTheoryStableRaceHorse> stablerows_[kMaxRunners];  // by distinct trainer
  std::vector<YTheorySireRaceHorse> sirerows_[kMaxRunners];      // by distinct sire
  bool horsefilled_ = false;
  bool sirefilled_ = false;
  bool jockeyfilled_ = false;
  bool stablefilled_ = false;

  int nomination_ = 0;
  YTheoryResult* result_;
  void* cardbuffer_ = nullptr;     // the card (or nomination) race record
  void* resultbuffer_ = nullptr;   // the results race record
  void* runnerbuffer_ = nullptr;   // its runner records, handed on to the result

 private:
  void copyfrom(const YCalcTheory& other);
  void releasebuffers();
  // Reads the runner records of the race into runner_.
  int setrunners_seiseki(_tagRACERMREC* race);
  int setrunners_denma(_tagRACEDREC* race, int nomination);
  void applyinfo(tagYCalcInfo* info);
  // Gives the result of a resultonly run what its tickets need and
  // setresult does not read: each slot's horse number, frame and mark.
  void setslots();
  // The theory's items in the order they are evaluated.
  std::vector<int> itemorder(const _tagTHITEM* items, int count) const;
  // Evaluates a factor of the common family (see FactorDefinition).
  int evaluate(const ytheory::FactorDefinition& factor, int item, int p1, int p2, int* rank,
               bool resultonly);
  // Writes the item's display into the result: `columns` headings and, per
  // runner, that many texts.
  void setdisplay(int item, int columns, const std::string* headings, const ytheory::Texts* texts);
  // The name of runner i's trainer or sire, for the first column of the
  // trainer and sire factors.
  const std::string& subjectname(const ytheory::FactorDefinition& factor, int i) const;
  // The first day of a period of `months` before the race date.
  int periodstart(int months) const;
};

#endif  // YDBCLN_THEORY_YCALCTHEORY_H_
