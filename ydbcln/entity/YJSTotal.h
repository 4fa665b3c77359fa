// YJSTotal: one jockey's or trainer's line of a race total (YRaceTotal): who,
// and the row of their runs: firsts, seconds, thirds, unplaced, then the
// win, top-two and top-three rates in tenths of a percent.
#ifndef YDBCLN_ENTITY_YJSTOTAL_H_
#define YDBCLN_ENTITY_YJSTOTAL_H_

#include <string>

class YJSTotal {
 public:
  static constexpr int kRowSize = 7;

  std::string name;  // Shift_JIS
  std::string code;  // 5 characters
  int total[kRowSize] = {0, 0, 0, 0, 0, 0, 0};
};

#endif  // YDBCLN_ENTITY_YJSTOTAL_H_
