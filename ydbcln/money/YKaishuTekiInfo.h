// YKaishuTekiInfo: one race with a hit in a return analysis (YKaishu): the
// race, the largest and the smallest payout hit with the final ranks of
// their tickets, and the bet type, as the theory result of the race had
// them after its tickets were checked.
#ifndef YDBCLN_MONEY_YKAISHUTEKIINFO_H_
#define YDBCLN_MONEY_YKAISHUTEKIINFO_H_

#include <string>

class YTheoryResult;

class YKaishuTekiInfo {
 public:
  // An empty race code, every number 0.
  YKaishuTekiInfo();
  // The hit of `result`, whose tickets have been checked (settekichu).
  explicit YKaishuTekiInfo(const YTheoryResult& result);
  YKaishuTekiInfo(const YKaishuTekiInfo& other);
  YKaishuTekiInfo& operator=(const YKaishuTekiInfo& other);
  virtual ~YKaishuTekiInfo();

  std::string racecode;  // 12 characters
  int maxdiv;            // the largest payout hit, yen per 100 yen
  int mindiv;            // the smallest payout hit
  short maxrank;         // the final ranks of the largest one's ticket
  short minrank;         // the final ranks of the smallest one's ticket
  int kind;              // bet type: 0 馬連 1 枠連 2 ワイド 3 単勝 4 複勝
};

#endif  // YDBCLN_MONEY_YKAISHUTEKIINFO_H_
