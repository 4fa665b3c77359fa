// YRaceHorse: one horse in one race, as an entry on a race card or as a
// runner of a result (a past performance is one too).
//
// The members are public and read directly. Texts are Shift_JIS; numbers
// not given by the kind of record the object was built from stay 0 (or
// empty). A result fills the opponent (the winner, or the runner-up when
// this horse won) at once; a card entry looks it up when first asked. The
// run comment and the user's memo are fetched when first asked.
//
//   YRaceHorse run(&db, race, runners, i);   // runner i of a result
//   run.ordertext;     // ３, or 消 for a scratched horse
//   run.remarks;       // "取消 ", "５枠発走 " ...
//   run.geth1name();   // the opponent's name
//
// Nothing here sets the session's error: a missing opponent or comment is
// shown as an empty text.
#ifndef YDBCLN_RACE_YRACEHORSE_H_
#define YDBCLN_RACE_YRACEHORSE_H_

#include <iosfwd>
#include <string>

#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/YSubObject.h"

class YHorseDB;

class YRaceHorse : public YSubObject {
 public:
  // Every text empty, every number 0, nothing loaded.
  explicit YRaceHorse(YHorseDB* db);
  // An entry on the race card `race`. Null records give the empty object.
  YRaceHorse(YHorseDB* db, _tagRACEDREC* race, _tagRACEDHREC* runner);
  // Runner `index` of the runner records starting at `runners`, or the
  // record at `runners` itself when index is -1, with the race's result
  // record when `race` is not null. A null record gives the empty object.
  // With a race record and an index, `runners` holds every runner record
  // of the race (the race record's number of runners, as the database
  // hands them out) and the opponent is taken from them; otherwise the
  // race's runners are fetched for it.
  YRaceHorse(YHorseDB* db, _tagRACERMREC* race, _tagRACERHREC* runners, int index);
  // A past performance: one runner result record without its race record.
  YRaceHorse(YHorseDB* db, _tagRACERHREC* runner);
  // The same for one run of a career (a horse's, person's or sire's runs):
  // the opponent is looked up when first asked, as for a card entry, so
  // that a career of runs is built without a fetch per run.
  struct OpponentWhenAsked {};
  YRaceHorse(YHorseDB* db, _tagRACERHREC* runner, OpponentWhenAsked);
  YRaceHorse(const YRaceHorse& other);
  YRaceHorse& operator=(const YRaceHorse& other);
  ~YRaceHorse() override;

  virtual void print(std::ostream& out);  // writes nothing

  // The opponent: horse code and name, jockey code and name, trainer code
  // and trainer text (training centre and name).
  std::string geth1code();
  std::string geth1name();
  std::string getj1code();
  std::string getj1name();
  std::string gets1code();
  std::string gets1name();

  // The run comment and the user's memo on this run.
  std::string get_rcomment();
  std::string get_rmemo();

  // The members a result total reads for every run come first in each
  // part, side by side, so that a total over many runs reads few cache
  // lines of each.
  // --- The race -----------------------------------------------------------
  std::string racecode;         // a card entry: the race key in the old form
  std::string track;            // 芝 ダ 障
  std::string direction;        // 右 左 直
  std::string pace;             // Ｈ Ｍ Ｓ
  unsigned short distance = 0;  // metres
  // 0 maiden and newcomer races, 1 to 3 the classes by prize limit (500万,
  // 900万, 1600万 and the win classes that replaced them), 4 open, 5 to 7
  // the grades (G3/JG3, G2/JG2, G1/JG1).
  unsigned char classrank = 0;
  signed char goingcode = 0;    // 0 to 3; -1 when not known
  unsigned char runnercount = 0;
  unsigned char raceno = 0;
  int horsecount = 0;           // a card entry: number of runners
  std::string kaisai;           // meeting text without words: " 1中山 2"
  std::string racename;         // long race name
  std::string raceclass;        // long race class
  std::string going;            // 良 稍 重 不
  std::string innerouter;       // 内 外 ...
  // --- The runner ---------------------------------------------------------
  std::string ordertext;        // full-width order, circled when demoted, or 落 失 止 消 外
  std::string jockeycode;
  std::string trainercode;
  unsigned char order = 0;      // finishing order; 0 when not placed
  unsigned char bracketno = 0;
  unsigned char horseno = 0;
  unsigned char popularity = 0; // betting rank
  int winodds = 0;              // tenths
  unsigned short weightcarried = 0;  // tenths of a kilogram
  unsigned short bodyweight = 0;  // kg
  short weightchange = 0;       // kg against the last run; 999 when not known
  unsigned char corners[4] = {0, 0, 0, 0};  // positions at corners 1 to 4; 0 not run
  std::string horsecode;        // 7 characters
  std::string horsename;
  unsigned char digit = 0;
  std::string jockeyname;
  std::string jockeytext;       // card entries: the jockey's long text
  unsigned char jockeycodebyte = 0;
  std::string code2;            // card entries: a 2-character code
  std::string code5;            // card entries: a 5-character code
  unsigned char codebytes[3] = {0, 0, 0};
  std::string sexage;           // 牡４
  unsigned short racetime = 0;  // tenths of a second
  std::string margintext;       // 1 1/2, ｸﾋﾞ ...
  short margin = 0;             // tenths behind the winner; the winner's lead is negative
  unsigned short last600 = 0;   // last 600 m, tenths of a second
  std::string position;         // path in the straight: 最内 ... 大外
  short positioncode = 0;       // 0 to 4; 999 when not known
  unsigned short resultnumbers[2] = {0, 0};
  std::string trainername;
  std::string remarks;          // "５枠発走 ", "取消 ", "１着降着 " ...
  std::string stable;           // training centre (and, for results, the stable text)
  unsigned char resultblock[racerhrec::kResultBlockWidth];
  std::string value;            // card entries: a value in tenths shown as 12.3
  // --- Filled when first asked ------------------------------------------
  bool opponentloaded = false;
  std::string h1code, h1name, j1code, j1name, s1code, s1name;
  bool commentsloaded = false;
  std::string comment, memo;

 protected:
  // Fills the result members from runner record `index` (or the record at
  // `runners` when index is -1) and the opponent.
  // Without `opponent_now` a lone runner record leaves the opponent to be
  // looked up when first asked.
  void setseisekimember(_tagRACERMREC* race, _tagRACERHREC* runners, int index,
                        bool opponent_now = true);
  // The opponent looked up from a card entry.
  void set1();
  // Looks the opponent of a horse finishing `finish` up among the runners
  // of `race`: the winner, or the runner-up for a winner. Left not loaded
  // when the runners cannot be read.
  void set1_sub(const std::string& race, int finish);
  void set_comment();

 private:
  void setcardmember(unsigned char* race, unsigned char* runner);
  // Fills the opponent of a horse finishing `finish` from the `count`
  // runner records at `records`, and marks it loaded.
  void setopponent(unsigned char* records, int count, int finish);
  void clearopponent();
};

#endif  // YDBCLN_RACE_YRACEHORSE_H_
