// YTheoryResult: the outcome of one theory on one race — the race and
// runner texts for display, each factor's ranks of the runners, the scores
// and the final order they combine into, the tickets bought from that
// order, the race's payouts and the hits among the tickets.
//
// The theory engine fills it (set or setresult, then setth); the theory
// optimiser fills it in one call (setth_ex). Then:
//
//   result.setkaime(0, &option);     // buy 馬連 tickets by the option set
//   for (int i = 0; i < result.ticketcount; ++i) show(result.ticketkey[i]);
//   if (result.settekichu(0))        // a run race: the hits and their payouts
//     for (int i = 0; i < result.hitcount; ++i) pay(result.hitamount[i]);
//
// Runners sit in slots 0 to runnercount - 1 in horse-number order. Ranks
// are 1 for the best; runners with equal values share a rank and the next
// is skipped; a factor rank of 0 means the runner has no data for it.
//
// Ticket keys: a horse pair is the smaller horse number × 100 + the larger,
// a frame pair the smaller frame × 10 + the larger, a single horse its
// number + 10000. The second key of a ticket holds the final ranks the same
// way (smaller × 100 + larger, or rank + 10000). Payout keys are written
// as the ticket keys of their pool (a single horse without the 10000).
//
// Bet types: 0 馬連, 1 枠連, 2 ワイド, 3 単勝, 4 複勝. In a race of fewer than
// 9 runners 馬連 and ワイド are bought as frame pairs.
//
// Bad arguments (no option set, an unknown bet type, runner arrays missing
// or too long) change nothing but the tickets and hits, and leave status
// 1004 in the session.
#ifndef YDBCLN_THEORY_YTHEORYRESULT_H_
#define YDBCLN_THEORY_YTHEORYRESULT_H_

#include <string>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/theory/CalcInfoRec.h"
#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryOption.h"

class YHorseDB;

namespace ytheory {
struct RaceFields;
}  // namespace ytheory

class YTheoryResult {
 public:
  static constexpr int kMaxRunners = 128;
  static constexpr int kMaxItems = 8;
  static constexpr int kColumns = 5;        // display columns of a factor
  static constexpr int kMaxTickets = 5000;
  static constexpr int kMaxHits = 7;
  static constexpr int kNoOdds = 0x7fffffff;
  static constexpr int kExcludedMark = 10;  // the mark code of 消

  enum BetType { kQuinella = 0, kBracketQuinella = 1, kWide = 2, kWin = 3, kPlace = 4 };
  enum TicketKind { kHorsePair = 0, kFramePair = 1, kSingleHorse = 2 };

  // One payout: the key of the combination (see above) and yen per 100 yen.
  struct Payout {
    short key;
    int amount;
  };

  // Empty: no race, no runners, no tickets. The session is not owned.
  explicit YTheoryResult(YHorseDB* db);
  YTheoryResult(const YTheoryResult& other);
  YTheoryResult& operator=(const YTheoryResult& other);
  virtual ~YTheoryResult();

  // Buys tickets for `bettype` by `option`, replacing those held; see the
  // rules below the members. Null option or unknown bet type: no tickets,
  // status 1004.
  virtual void setkaime(int bettype, YTheoryOption* option);
  // Checks the tickets against the payouts: the hit record for `bettype`.
  // False only for ワイド when the race has no ワイド payouts. Any other
  // number checks pairs against 馬連 and single horses against 複勝, as 馬連
  // and 複勝 do.
  virtual bool settekichu(int bettype);
  // The theory optimiser's one call: a theory of the `count` items, the
  // race `racecode` of `runners` runners with their mark codes (10 excludes
  // the runner), frames and per-item ranks (ranks[item][runner]), its
  // payouts, and `extra`, the forecast win odds per runner in tenths (null:
  // read from the store). Runner texts are left as they were. False, with
  // status 1004 and nothing changed, for more than 128 runners, fewer than
  // 0, a count outside 0..8 or a missing array.
  virtual bool setth_ex(std::string& racecode, _tagTHITEM* items, int count, int runners,
                        unsigned char** ranks, int* marks, int* frames, int* extra,
                        YHaitoInfo& payouts);
  // The race from its results: header texts, classification codes, runners
  // with their texts and the mark codes their card gave them, and payouts.
  // A null record leaves the result as it was.
  virtual void set(_tagRACERMREC* race, tagYCalcInfo* info);
  // The same with the race's runner records already fetched
  // (get_race2code_2), as the theory engine holds them; null fetches them.
  void set(_tagRACERMREC* race, tagYCalcInfo* info, const void* runners);
  // The race from its card: header texts, classification codes and runners
  // with their mark codes and texts. No payouts. With `nomination` non-zero
  // the runners are the horses nominated for the race, in nomination order,
  // with no frame or horse number before the draw.
  virtual void set(_tagRACEDREC* race, tagYCalcInfo* info, int nomination);
  // Only the classification codes, the runner count and the payouts of a
  // run race, for a theory run over many past races.
  virtual void setresult(_tagRACERMREC* race, tagYCalcInfo* info);
  // The same with the race's payouts already read (a range of races read
  // at once).
  void setresult(_tagRACERMREC* race, tagYCalcInfo* info, const YHaitoInfo& payouts);
  // Combines the factor ranks into scores and final ranks: see below.
  // `extra` gives the forecast win odds per runner for the second
  // tie-break; null reads them from the store. Clears tickets and hits.
  virtual void setth(YTheory* theory, int* extra);
  // Adds the ticket of horses a and b (final ranks ra and rb) of `kind`;
  // for a single horse b and rb are not read. False when 5000 tickets are
  // held, or for a frame pair already held.
  virtual bool addkaime(int a, int b, int kind, int ra, int rb);
  // counts[v] = the number of runners with ranks[i] == v, for v in 0..n
  // (counts holds n + 1 entries); true when any count exceeds 1.
  virtual bool scorecheck(int* ranks, int n, int* counts);
  // Nagashi: one axis and its partners. The axis is the last runner, in the
  // order chosen by `axisrev`, not excluded and ranked (in that order) at
  // most `axisrank`; none buys nothing. Partners are the other runners of
  // the first n - 1 positions of the order chosen by `partnerrev`, ranked
  // `first` to `first + count - 1` in it.
  virtual void setkaime_nagashi(int* order, int* rorder, int axisrev, int axisrank,
                                int partnerrev, int first, int count, int kind);
  // Box: every pair of the runners ranked `first` to `first + count - 1` in
  // the order chosen by `rev`.
  virtual void setkaime_box(int* order, int* rorder, int rev, int first, int count, int kind);
  // Single horses: the runners ranked 1 to `maxrank` in the order chosen by
  // `rev`.
  virtual void setkaime_tansho(int* order, int* rorder, int rev, int maxrank);

  // --- The race (set, setresult, setth_ex) --------------------------------
  std::string racekey;      // the 12-digit race code
  std::string datetext;     // 2024年 1月 6日
  std::string placetext;    // 中山
  std::string kaisaitext;   // １回中山２日目１１R
  std::string racename;     // with 第n回 in front when the race has an edition
  std::string conditions;   // age condition, class, (grade), weight rules
  std::string coursetext;   // ダ右 1800m
  std::string goingtext;    // 良 ...; the expected going for a card with conditions
  std::string pacetext;     // Ｈ Ｍ Ｓ
  // Classification, as the return analysis tabulates races:
  int placeindex = 10;  // 0 札幌 1 函館 2 福島 3 新潟 4 東京 5 中山 6 中京 7 京都 8 阪神
                        // 9 小倉, 10 any other place
  int agekind = 5;      // 0 2歳 1 3歳 2 3歳上 3 4歳上 4 障害, 5 other
  int classindex = 9;   // 0 新馬 未出走, 1 未勝利, 2 500万・1勝, 3 1000万・2勝,
                        // 4 1600万・3勝, 5 open, 6 G3, 7 G2, 8 G1; 9 any other
  int going = 0;        // going digit, 0 when not known
  int surface = 0;      // 0 dirt, 1 turf, 2 jump
  int distance = 0;     // metres

  // --- The theory (setth) --------------------------------------------------
  std::string title;
  int itemcount = 0;
  std::string itemname[kMaxItems];

  // --- The runners, by slot -------------------------------------------------
  int runnercount = 0;
  int frame[kMaxRunners];
  int horseno[kMaxRunners];
  int markcode[kMaxRunners];  // 1 ◎ 2 ○ 3 ▲ 4 △ 5 ×, 10 消, 0 none
  bool excluded[kMaxRunners]; // marked 消: never bought
  std::string horsename[kMaxRunners];
  std::string jockeyname[kMaxRunners];
  std::string sexage[kMaxRunners];     // 牡４
  std::string weighttext[kMaxRunners]; // weight carried, 57.0

  // --- Each factor: its ranks of the runners and its display texts --------
  int rank[kMaxItems][kMaxRunners];
  int columncount[kMaxItems];
  std::string text[kMaxItems][kMaxRunners][kColumns];
  std::string heading[kMaxItems][kColumns];

  // --- The combined order (setth) -------------------------------------------
  double score[kMaxRunners];
  int finalrank[kMaxRunners];
  int reverserank[kMaxRunners];  // by setkaime: the last runner is 1

  // --- The payouts; unused entries have key 0 -------------------------------
  Payout wakuren[3];  // 枠連
  Payout umaren[3];   // 馬連
  Payout wide[7];     // ワイド
  Payout tansho[3];   // 単勝
  Payout fukusho[5];  // 複勝

  // --- The tickets (setkaime) -------------------------------------------------
  int ticketcount = 0;
  short ticketkey[kMaxTickets];   // the combination
  short ticketrank[kMaxTickets];  // the final ranks of its horses
  bool cutdown = false;           // fewer ranks were bought than asked, to keep the count

  // --- The hits (settekichu) ---------------------------------------------------
  int hitbettype = 0;
  int hitcount = 0;
  int hitamount[kMaxHits];
  short hitkey[kMaxHits];   // the ticket that hit
  int maxhit = 0;           // the largest payout hit, with the ranks of its ticket
  short maxhitrank = 0;
  int minhit = 0;           // the smallest payout hit, with the ranks of its ticket
  short minhitrank = 0;

 private:
  void clearhits();
  void setheader(const ytheory::RaceFields& f, tagYCalcInfo* info);
  void setclassification(const ytheory::RaceFields& f, tagYCalcInfo* info);
  void setpayouts(const YHaitoInfo& payouts);
  void setcardrunners(_tagRACEDREC* race, bool nominations);
  // The runners from `runners`, or fetched when null.
  void setresultrunners(_tagRACERMREC* race, const void* runners);
  // The slot of horse number `horse`, -1 when no runner has it.
  int slotof(int horse) const;
  // The frame of horse number `horse`, 0 when no runner has it.
  int frameof(int horse) const;

  YHorseDB* db_;
};

#endif  // YDBCLN_THEORY_YTHEORYRESULT_H_
