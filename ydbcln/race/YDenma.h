// YDenma: the race card of one race before it is run.
//
// The card holds the race's display texts (heading, name, conditions,
// course, prize money, reference times) and one YRaceHorse per entered
// runner, filled at construction from the database library's race-card
// records. A card can also be made from the horses nominated for a race,
// before the draw, or from the user's own special card (_tagSPDENMA). Each
// runner's last runs, the comment and memo on its last run, and the race's
// odds are fetched when first asked and kept.
//
//   YDenma card(&db, "052024010611");
//   for (int i = 0; i < card.gethorsecount(); ++i) {
//     YRaceHorse* h = card.horse(i);          // bracket, number, jockey ...
//     _tagRACERHREC* runs = nullptr;
//     int n = card.zen5(i, runs);              // its last runs, latest first
//     std::string c = card.get_rcomment(i);    // the comment on the last one
//   }
//   if (YOdds* odds = card.odds()) odds->desc();  // 予想オッズ
//
// A code that names no race card gives empty texts and no runners, without
// an error. A failing database leaves status 1002 and no runners, a failed
// allocation 1003. Texts are Shift_JIS.
//
// A copy owns copies of the runners and of the last runs; its odds start
// null and are built again when asked (unless the race was found to have
// none).
#ifndef YDBCLN_RACE_YDENMA_H_
#define YDBCLN_RACE_YDENMA_H_

#include <iosfwd>
#include <string>
#include <vector>

#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/SpecialCardRec.h"
#include "ydbcln/race/YRefTime.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YOdds;
class YRaceHorse;
class YRaceList;

class YDenma : public YMainObject {
 public:
  static constexpr int kMaxRunners = 128;
  static constexpr int kCardLineSize = 496;
  static constexpr int kLastRuns = 6;  // last runs fetched per runner

  // The card of the race of the row.
  YDenma(YHorseDB* db, YRaceList& row);
  // The card of the race `racecode` (12 digits, race number from 01).
  YDenma(YHorseDB* db, const std::string& racecode);
  // The user's own card.
  YDenma(YHorseDB* db, _tagSPDENMA* card);
  // The card of a race-card record: with `mode` 1 its runners are the
  // horses nominated for the race (a record of get_tok2code), else the
  // runners drawn.
  YDenma(YHorseDB* db, _tagRACEDREC* record, int mode);
  YDenma(const YDenma& other);
  YDenma& operator=(const YDenma& other);
  ~YDenma() override;

  virtual int gethorsecount();
  // Runner i, owned by the card; null when i is out of range.
  virtual YRaceHorse* horse(int i);
  // The results of runner i's last runs before the race date, latest first,
  // at most kLastRuns: their number, with the records (owned by the card)
  // in `out`, null when there are none. -1 for i out of range or when the
  // database fails. Fetched once per runner.
  virtual int zen5(int i, _tagRACERHREC*& out);
  // The comment and the user's memo on runner i's last run; empty when it
  // has none or i is out of range.
  virtual std::string get_rcomment(int i);
  virtual std::string get_rmemo(int i);
  // The odds published before the race, owned by the card; null when the
  // race has none (and from then on, without asking the database again).
  virtual YOdds* odds();
  // Fetches the runners again.
  virtual void reloadrh();
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  virtual void setmember(_tagRACEDREC* record);
  virtual void setmember(const std::string& racecode);
  virtual void setmember2(_tagSPDENMA* card);
  virtual void setmember3(_tagRACEDREC* record);
  // Deletes the runners.
  virtual void deletevector();
  // Fetches runner i's comment and memo once.
  virtual void set_rcomment(int i);

 public:
  // --- The race --------------------------------------------------------------
  std::string code;        // the 12-digit race code
  std::string heading;     // 2024 1中2 11R
  std::string racename;    // 第64回 中山金杯 (the edition in front when not 0)
  std::string datetext;    // 2024年 1月 6日
  std::string kaisai;      // １回中山２日目１１R
  std::string conditions;  // ４歳以上オープン(G3) (指定) ハンデ
  std::string course;      // 芝右内A 2000m
  std::string recordtime;  // the first reference time's time
  std::string time1, time2;  // the times the card expects: 1.59.8
  std::string pace;        // the pace it expects: Ｍ
  std::string prize[racedrec::kPrizeCount];  // places 1 to 5: 4100万円
  std::string codetext;    // 5 characters as the record has them
  std::string datestr;     // 20240106
  int date = 0;            // YYYYMMDD
  // One 496-byte line per runner of the runner record's bytes the
  // application reads (the key, horse, marks and body weight); not kept
  // for a special card.
  bool cardlinevalid = false;
  unsigned char cardline[kMaxRunners][kCardLineSize];
  YRefTime reftime[3];     // course record or standard time, then two more
  int horsecount = 0;      // the record's runner count (nominations: their count)
  // --- Runners and what is fetched for them ------------------------------------
  std::vector<YRaceHorse*> horses;  // owned, in record order
  YOdds* yodds = nullptr;           // owned; null until asked
  bool oddspossible = true;         // false once the race was found to have no odds
  int zen5count[kMaxRunners];       // -1 until fetched
  std::vector<_tagRACERHREC> zen5rec[kMaxRunners];
  bool commentloaded[kMaxRunners];
  std::string rcomment[2 * kMaxRunners];  // runner i: comment 2i, memo 2i + 1

 private:
  void clearlastruns();
  // The race texts of the record; false, with status 1003 and no runners,
  // when they cannot be allocated.
  bool settexts(unsigned char* record);
  // Builds `count` runners from the runner records of `runners`, and their
  // card lines when `lines` is set: status 1002, and no runners, when the
  // buffer holds fewer records.
  void setrunners(_tagRACEDREC* record, void* runners, int count, bool lines);
  // Takes every member of `other`, the runners as copies, the odds as
  // null.
  void copyfrom(const YDenma& other);
  void seterror(int status);
};

#endif  // YDBCLN_RACE_YDENMA_H_
