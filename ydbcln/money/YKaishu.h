// YKaishu: the return analysis. It runs a theory over a list of run races,
// buys tickets of one bet type in each by the ticket options, checks them
// against the race's payouts and totals the races, the races with a hit,
// the money staked and returned and the largest payout: overall and by
// course, age condition, class, going, distance on each track, and jump
// races. It keeps the races with a hit. Its results are display texts
// (Shift_JIS), made once the run is finished.
//
//   YKaishu kaishu(&db);
//   kaishu.setcallback(progress);                  // 0 from it stops the run
//   if (kaishu.exec(&theory, 0, &option, count, codes) == 0) {  // 馬連
//     show(kaishu.summary[5]);                     // hit rate, "23.45%"
//     show(kaishu.course[4][3]);                   // return rate at 東京, "87.6%"
//   }
//
// The races are evaluated as one range (YCalcTheory::beginrange): the runs
// of every horse, jockey, trainer and sire are read once for all of them.
// A race is counted when its tickets could be checked (its pool of the bet
// type paid); for 馬連 a race of 8 runners or fewer is not counted either.
// A row's category comes from the theory result of the race; a race whose
// course, age condition or class is none of a table's rows counts in the
// other tables only.
//
// Failures: a race the engine cannot load (no such run race, or a store
// that fails: status 1002) stops the run with -1; the callback's 0 stops
// it with 1. Either way the totals of the races before stay and no text is
// made; getstoppedrace names the race it stopped at.
#ifndef YDBCLN_MONEY_YKAISHU_H_
#define YDBCLN_MONEY_YKAISHU_H_

#include <string>
#include <vector>

#include "ydbcln/money/YKaishuTekiInfo.h"
#include "ydbcln/money/YKaishuTotal.h"

class YHorseDB;
class YSearchDetailRace;
class YTheory;
class YTheoryResult;
struct YTheoryOption;

class YKaishu {
 public:
  using Callback = int (*)(int index, int count, const char* text);

  // Texts of a row: races, races with a hit, hit rate, return rate.
  static constexpr int kColumns = 4;
  static constexpr int kSummary = 7;
  static constexpr int kCourses = 10;    // 札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉
  static constexpr int kAges = 5;        // 2歳 3歳 3歳上 4歳上 障害
  static constexpr int kClasses = 9;     // 新馬 未勝利 1勝 2勝 3勝 オープン G3 G2 G1
  static constexpr int kGoings = 4;      // 良 稍重 重 不良
  static constexpr int kTracks = 2;      // track code 0 (dirt) and 1 (turf)
  static constexpr int kDistances = 9;   // up to 1200 m, 200 m a row to 2400 m, longer; total
  static constexpr int kDistanceTotal = kDistances - 1;
  static constexpr int kConditions = 13;
  // Bytes racestr may write, the terminating NUL included.
  static constexpr int kRaceStrSize = 128;

  // An analysis on the session (not owned): every text empty, no
  // callback, no hits.
  explicit YKaishu(YHorseDB* db);
  YKaishu(const YKaishu& other);
  YKaishu& operator=(const YKaishu& other);
  virtual ~YKaishu();

  // Runs `theory` over the `count` race codes of `races` (12 characters
  // each, one after another), buying tickets of `kind` (0 馬連, 1 枠連,
  // 2 ワイド, 3 単勝, 4 複勝) by `options`. Replaces every result of the
  // last run. With a callback, before each race: callback(race number
  // from 1, count, racestr of the race). 0 when finished and the texts are
  // made; 1 when the callback answered 0; -1 when a race could not be
  // loaded, or (1004, nothing changed) for a null theory, null options, a
  // bad kind or a null list with a count above 0.
  virtual int exec(YTheory* theory, int kind, YTheoryOption* const options, int count,
                   char* races);
  // The progress callback; null for none.
  virtual void setcallback(Callback fn);
  // Condition text 0 becomes the theory's title, texts 1 to 12 the first
  // twelve condition texts of the detailed race search that chose the
  // races (grade, period, racecourses, ... weather). A null theory or
  // search leaves its texts empty.
  virtual void setcondstring(YSearchDetailRace* search, YTheory* theory);
  // The races with a hit, in the order run; gettekicode(i) is the code of
  // hit i, "" past the last.
  virtual int gettekicnt();
  virtual std::string gettekicode(int i);
  // The fields of hit i: "" or 0 past the last.
  virtual std::string get_tekichucode(int i);
  virtual int get_tekichu_mindiv(int i);
  virtual int get_tekichu_maxdiv(int i);
  virtual int get_tekichu_kind(int i);
  virtual short get_tekichu_maxrank(int i);
  virtual short get_tekichu_minrank(int i);

  // "2024年 5月26日東京11レースを計算中です．" for the race "042024052611",
  // into `text` (at least kRaceStrSize bytes).
  static void racestr(char* racecode, char* text);
  // The distance row of a flat race of `metres`: 0 up to 1200 m, one row
  // per 200 m to 2400 m, 7 beyond; -1 at 801 m and shorter (counted in
  // the track's total only).
  static int distancerow(int metres);

  // The race exec stopped at (the callback's, or the one that could not be
  // loaded); "" after a run that finished.
  const std::string& getstoppedrace() const { return stopped_; }

  // The texts of the last finished run (empty otherwise). Summary: races,
  // races with a hit, money staked, money returned, largest payout (in
  // yen, "1万2340円"), hit rate and return rate ("152.00%"). A row whose
  // races and hits are both 0 is four empty texts; rates of a row have one
  // decimal ("152.0%"). A rate whose divisor is 0 is 0.
  std::string summary[kSummary];
  std::string course[kCourses][kColumns];
  std::string age[kAges][kColumns];
  std::string classes[kClasses][kColumns];
  std::string going[kGoings][kColumns];
  std::string distance[kTracks][kDistances][kColumns];
  std::string jump[kColumns];
  std::string condition[kConditions];

 protected:
  // The four texts of a row from its total.
  virtual void setresult(std::string* row, const YKaishuTotal& total);
  // Adds a race's checked tickets to row `index` of the table `total`:
  // races + 1, a race with a hit when it has one, 100 yen a ticket staked,
  // each payout hit returned, the largest payout kept.
  virtual void addtototal(YKaishuTotal* total, int index, YTheoryResult* result);

  // Adds a counted race: its hit, the overall total and a row of every
  // table its categories fall in.
  void addrace(YTheoryResult* result);
  // Clears every total, text and hit.
  void clear();
  // Makes the texts from the totals.
  void settexts();

  // The totals, as the texts show them.
  YKaishuTotal total_;
  YKaishuTotal course_[kCourses];
  YKaishuTotal age_[kAges];
  YKaishuTotal class_[kClasses];
  YKaishuTotal going_[kGoings];
  YKaishuTotal distance_[kTracks][kDistances];
  YKaishuTotal jump_;

 private:
  YHorseDB* db_;
  Callback callback_ = nullptr;
  std::vector<std::string> tekicodes_;
  std::vector<YKaishuTekiInfo> tekiinfo_;
  std::string stopped_;
};

#endif  // YDBCLN_MONEY_YKAISHU_H_
