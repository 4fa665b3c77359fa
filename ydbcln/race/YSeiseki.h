// YSeiseki: the result of one run race.
//
// The result holds the race's display texts (as on its card, plus going,
// weather, pace, lap and sectional times, passing orders at the corners,
// comments, prize money and the shares of the added money), its payouts,
// and one YRaceHorse per runner, scratched ones included, in horse-number
// order. The race's final odds are fetched when first asked and kept.
//
//   YSeiseki result(&db, "052024010611");
//   result.lapline;           // 12.5-11.0-11.8-...
//   result.finaltime;         // 48.2-36.1: the last 800 m and 600 m
//   for (int i = 0; i < result.gethorsecount(); ++i) result.horse(i)->ordertext;
//   if (YOdds* odds = result.odds()) ...   // final odds
//
// A code that names no run race gives empty texts and no runners, without
// an error; so does a race whose runners cannot be found. A failing
// database leaves status 1002, a failed allocation 1003, and no runners.
// Texts are Shift_JIS.
//
// A copy owns copies of the runners; its odds start null and are built
// again when asked (unless the race was found to have none).
#ifndef YDBCLN_RACE_YSEISEKI_H_
#define YDBCLN_RACE_YSEISEKI_H_

#include <iosfwd>
#include <string>
#include <vector>

#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/race/YRefTime.h"
#include "ydbcln/session/YMainObject.h"

class YHorseDB;
class YOdds;
class YRaceHorse;
class YRaceList;

class YSeiseki : public YMainObject {
 public:
  // The result of the race of the row.
  YSeiseki(YHorseDB* db, YRaceList& row);
  // The result of the race `racecode` (12 digits, race number from 01).
  YSeiseki(YHorseDB* db, const std::string& racecode);
  YSeiseki(const YSeiseki& other);
  YSeiseki& operator=(const YSeiseki& other);
  ~YSeiseki() override;

  virtual int gethorsecount();
  // Runner i, owned by the result; null when i is out of range.
  virtual YRaceHorse* horse(int i);
  // The final odds, owned by the result; null when the race has none (and
  // from then on, without asking the database again).
  virtual YOdds* odds();
  virtual void print(std::ostream& out);  // writes nothing

 protected:
  virtual void setmember(const std::string& racecode);
  // Deletes the runners.
  virtual void deletevector();

 public:
  // --- The race ------------------------------------------------------------------
  std::string code;         // the 12-digit race code
  std::string heading;      // 2024 1中2 11R
  std::string racename;     // 第64回 中山金杯
  std::string datetext;     // 2024年 1月 6日
  std::string kaisai;       // １回中山２日目１１R
  std::string conditions;   // as on the race card
  std::string course;       // ダ右A 1700m
  std::string going;        // 良 稍 重 不
  std::string pace;         // Ｈ Ｍ Ｓ
  std::string weather;      // 晴 曇 雨 小雨 雪 風
  // --- Times -------------------------------------------------------------------
  std::string earlytime[3];  // 600m 35.2, 800m 47.5, 1000m 59.9; empty when not known
  std::string finaltime;     // the last 800 m and 600 m: 48.2-36.1
  std::string lapline;       // each 200 m: 7.0-11.0-...; for a jump race the line of the last mile
  std::string lapheading;    // ラップ, or 上り１哩 for a jump race
  // --- Money ---------------------------------------------------------------------
  std::string prize[racermrec::kPrizeCount];  // prize money of places 1 to 6
  // The added money shared by places 1 to 4 (dead heats share their
  // places' amounts); empty when there is none.
  std::string sharedprize[4];
  // The payouts as the race record holds them, yen per 100 yen: win (two
  // horses on a dead heat), place, bracket quinella, quinella and wide.
  YHaitoInfo haito;
  int tanshoninki = 0;        // the winner's popularity; 0 on a dead heat for first
  int umarenninki[3] = {0, 0, 0};
  int wideninki[7] = {0, 0, 0, 0, 0, 0, 0};
  std::string codetext;       // 5 characters as the record has them
  // --- Running --------------------------------------------------------------------
  int cornercount = 0;                               // 0 to 9
  std::string cornerheading[racermrec::kCornerKindCount];    // ３角, 逆２角 ...
  std::string cornerorder[racermrec::kCornerKindCount];      // 1,2-(3,4)-5
  int commentcount = 0;                              // 0 to 6
  std::string comment[racermrec::kCommentCount];
  YRefTime reftime[3];
  // --- Runners -------------------------------------------------------------------
  std::vector<YRaceHorse*> horses;  // owned, in record order
  YOdds* yodds = nullptr;           // owned; null until asked
  bool oddspossible = true;         // false once the race was found to have no odds

 private:
  // The race members from the race record and the runners' finishing
  // orders.
  void setrace(unsigned char* record);
  void settimes(unsigned char* record);
  void setshares(unsigned char* record);
  void setpayouts(unsigned char* record);
  void copyfrom(const YSeiseki& other);
  void seterror(int status);
};

#endif  // YDBCLN_RACE_YSEISEKI_H_
