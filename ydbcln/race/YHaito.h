// YHaito: the settlement record of one race, kept while bought tickets are
// settled: the race's code, date and texts, and its payouts (filled by
// yrace::fill_haito), ordered by the race code.
#ifndef YDBCLN_RACE_YHAITO_H_
#define YDBCLN_RACE_YHAITO_H_

#include <string>

#include "ydbcln/race/YHaitoInfo.h"

class YHaito {
 public:
  static constexpr int kKeySize = 12;

  // A blank key, numbers 0, empty texts.
  YHaito();
  // The race `code`: its first 12 bytes, blank-padded when shorter.
  explicit YHaito(const std::string& code);

  // Byte by byte over the key, each byte taken as unsigned.
  bool operator<(const YHaito& other) const;
  bool operator==(const YHaito& other) const;
  bool operator!=(const YHaito& other) const { return !(*this == other); }

  // What one 100-yen ticket of bet type `type` (1 win, 2 place, 3 bracket
  // quinella, 4 quinella, 5 wide) on `first` and `second` (0 for win and
  // place) is paid, in yen: the first entry of its pool with its
  // combination, the entries read up to the first unused one; 0 when none.
  int payout(int type, int first, int second) const;

  unsigned char key[kKeySize];  // race code
  int date = 0;                 // YYYYMMDD
  int raceno = 0;               // race number of the day
  int horsecount = 0;           // number of runners
  int classnum = 0;             // sort key of the race class
  std::string kaisai;           // meeting text
  std::string racename;         // race name with its class
  std::string raceclass;        // race class
  YHaitoInfo pay;               // win 3, place 5, bracket 3, quinella 3, wide 7 entries
};

#endif  // YDBCLN_RACE_YHAITO_H_
