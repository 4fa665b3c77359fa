// YRefTime: one reference time shown with a race (the course record, the
// standard time, or a time run over the course before), as display texts.
#ifndef YDBCLN_RACE_YREFTIME_H_
#define YDBCLN_RACE_YREFTIME_H_

#include <string>

struct YRefTime {
  bool exist = false;   // false: every text below is empty
  std::string title;    // 基準タイム, レコード or 参考タイム; the first time of a card only
  std::string time;     // 1.45.3 (minutes, seconds, tenths), or 45.3
  std::string horse;
  std::string weight;   // 56.0, or 56 where the record has no tenths
  std::string jockey;
  std::string place;    // where it was run; not for the first time
  std::string date;     // 2021年12月26日
};

#endif  // YDBCLN_RACE_YREFTIME_H_
