// YResultTotalRaceHorse: one run as the result totals count it, read once
// from a runner result record (RACERHREC): who ran (horse, jockey,
// trainer, sire, dam's sire, each by key and name), where and how (place,
// month, track, distance, class, pace, going) and the figures the
// categories band (popularity, odds, frame, number, sex and age, weights,
// running style), with the finishing position and result code.
//
//   YResultTotalRaceHorse run;
//   run.set(record);                  // record: _tagRACERHREC*
//   run.popularity, run.finish;       // 1, 3: the favourite finished third
//
// Numbers are as the record holds them: odds and weight carried in
// tenths, weights in kg. A field left blank reads 0, except the going
// (kUnknownGoing) and the weight change (kUnknownChange). set(nullptr)
// changes nothing.
#ifndef YDBCLN_MONEY_YRESULTTOTALRACEHORSE_H_
#define YDBCLN_MONEY_YRESULTTOTALRACEHORSE_H_

#include <cstdint>
#include <string>

struct _tagRACERHREC;

class YResultTotalRaceHorse {
 public:
  // Tracks.
  static constexpr unsigned char kTurf = 0;
  static constexpr unsigned char kDirt = 1;
  static constexpr unsigned char kJump = 2;
  // Classes, as the class rows are ordered: G1 0, G2 1, G3 2, OPEN 3,
  // 1600万下 4, 900万下 5, 500万下 6, 未勝利 7, 新馬・未出走 8.
  static constexpr unsigned char kUnknownClass = 0xFF;
  static constexpr unsigned char kUnknownGoing = 0xFF;
  static constexpr std::int16_t kUnknownChange = 999;

  YResultTotalRaceHorse() = default;
  YResultTotalRaceHorse(const YResultTotalRaceHorse&) = default;
  YResultTotalRaceHorse& operator=(const YResultTotalRaceHorse&) = default;
  virtual ~YResultTotalRaceHorse();

  // Reads every member from `record`, except `excluded`.
  virtual void set(_tagRACERHREC* record);

  int place() const { return (racecode[0] - '0') * 10 + (racecode[1] - '0'); }
  int month() const { return date / 100 % 100; }

  char racecode[13] = {};  // place 2, date 8, race number 2
  int date = 0;            // YYYYMMDD, from the race code
  std::string horsekey, horsename;
  std::string jockeycode, jockeyname;
  std::string stablecode, stablename;
  std::string sirekey, sirename;
  std::string bmsirekey, bmsirename;
  int odds = 0;                  // win odds, tenths
  unsigned char popularity = 0;  // 0 none
  unsigned char finish = 0;      // 0 none
  unsigned char resultcode = 0;  // 31 to 36, 0 none
  unsigned char track = kTurf;
  std::uint16_t distance = 0;
  unsigned char runners = 0;
  unsigned char style = 0;  // 1 逃げ to 4 追込, 0 unknown
  unsigned char frame = 0;
  unsigned char number = 0;
  unsigned char sex = 0;  // 0 male, 1 female, 2 gelding
  unsigned char age = 0;  // counted the older way (one more after 2000)
  std::uint16_t bodyweight = 0;
  std::int16_t weightchange = kUnknownChange;
  std::uint16_t weightcarried = 0;  // tenths of a kg
  unsigned char pace = 0;           // 0 H, 1 M, 2 S
  unsigned char going = kUnknownGoing;
  unsigned char raceclass = kUnknownClass;
  unsigned char excluded = 0;  // set by YResultTotal::setfilter
};

#endif  // YDBCLN_MONEY_YRESULTTOTALRACEHORSE_H_
