// YRaceTotal: the totals of a horse's, jockey's, trainer's or sire's runs,
// one row per category: firsts, seconds, thirds, unplaced, then the win,
// top-two and top-three rates in tenths of a percent.
//
//   YRaceTotal t;
//   t.calctotal(runs);                 // runs: std::vector<YRaceHorse*>
//   t.place[0][0];                     // wins at 札幌
//   t.distance[3][8][4];               // win rate on turf, every distance
//
// A run counts by its finishing position: 1, 2 and 3 as they are, anything
// else unplaced (a horse that fell or pulled up too); a runner that did
// not start (消 scratched, 外 excluded) is in no row. A category a run has
// no value for (body weight 0 or 999, odds below 1.0, popularity 0, a
// distance below 1000 m, frame or number 0, an unknown going or running
// style) leaves that run out of that group only.
#ifndef YDBCLN_MONEY_YRACETOTAL_H_
#define YDBCLN_MONEY_YRACETOTAL_H_

#include <iosfwd>
#include <vector>

#include "ydbcln/entity/YJSTotal.h"

class YRaceHorse;

class YRaceTotal {
 public:
  static constexpr int kRowSize = YJSTotal::kRowSize;
  static constexpr int kPeople = 21;  // 20 met first, then everyone else

  YRaceTotal();
  YRaceTotal(const YRaceTotal&) = default;
  YRaceTotal& operator=(const YRaceTotal&) = default;
  virtual ~YRaceTotal();

  // Clears every row, then counts each run in.
  virtual void calctotal(std::vector<YRaceHorse*>& runs);
  virtual void print(std::ostream& out);  // writes nothing

  // The win, top-two and top-three rates of a row from its four counts:
  // trunc(x * 1000 / starts + 0.5) in tenths of a percent, 0 without starts.
  static int calc_win(int* row);
  static int calc_3chak(int* row);

  // Running style 逃げ 先行 差し 追込.
  int kyakushitsu[4][kRowSize];
  // 札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉, then other places.
  int place[11][kRowSize];
  // January to December.
  int month[12][kRowSize];
  // The first 20 jockeys met, then one entry for all others; jockeycount
  // entries are in use.
  int jockeycount;
  YJSTotal jockey[kPeople];
  int stablecount;
  YJSTotal stable[kPeople];
  // 1st to 10th favourite, then 11th and lower.
  int ninki[11][kRowSize];
  // 400 kg and lighter, 401-410 ... 591-600, above 600.
  int bataiju[22][kRowSize];
  // Turf right, left, other, all; dirt right, left, other, all; in each the
  // bands up to 1200 m, 1201-1400 ... 2201-2400, 2401 m and longer, and a
  // total row.
  int distance[8][9][kRowSize];
  int jump[kRowSize];
  // Weight carried: below 50.0 kg, 50.0-50.9 ... 59.0-59.9, 60.0 and above.
  int futan[12][kRowSize];
  // By class rank 0 to 7 (YRaceHorse::classrank).
  int classrank[8][kRowSize];
  // Turf, dirt and jumps, each by going 良 稍重 重 不良.
  int trackgoing[12][kRowSize];
  // Body weight change: +10 and more, +5 to +9, +1 to +4, 0, -1 to -4,
  // -5 to -9, -10 and less, not known.
  int zogen[8][kRowSize];
  int waku[8][kRowSize];
  int umaban[28][kRowSize];
  // Win odds 1.0-1.4, 1.5-1.9, 2.0-2.9, 3.0-4.9, 5.0-6.9, 7.0-9.9,
  // 10.0-19.9, 20.0-39.9, 40.0-59.9, 60.0-99.9, 100.0 and above.
  int odds[11][kRowSize];
  // Ｈ Ｍ Ｓ, other.
  int pace[4][kRowSize];

 protected:
  virtual void clear();
  // The top-two rate of a row.
  virtual int calc_ren(int* row);
};

#endif  // YDBCLN_MONEY_YRACETOTAL_H_
